// The C++ side of the Fortran unit test program: prints the two-occurrence "Distorted elements"
// diagnostic on the unit the program passes in. (Kept out of the GoogleTest binary's sources.)
#include "ddb/catalog/dia_ElementMetadataTable.h"
#include "ddb/catalog/dia_PrintTable.h"
#include "ddb/diagnostics/dia_DiagnosticBase.h"

extern "C" void ddbtest_print_distorted(int unit) {
  dia_DiagnosticBase diagnostic(0x01000020);
  for (int label : {17, 1234})
    diagnostic.AddData(dia_AuxiliaryData({}, {}, {}, {label}, {"PART-1"}, {}, {}, 0));
  dia_PrintTable(diagnostic, dia_ElementMetadataTable::Instance(), unit, false);
}
