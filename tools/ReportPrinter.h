// Text helpers of the report tools: enumeration names that never raise, catalog tables printed on
// standard output in order with the C lines around them, and the release of records already
// printed. Header-only, because every tools/*.cpp is a program of its own. Single-threaded: the
// catalogs used are the calling thread's.
#pragma once

#include <dlfcn.h>

#include <cstdio>
#include <exception>
#include <string>

#include "ddb/catalog/dia_MetadataTable.h"
#include "ddb/catalog/dia_PrintTable.h"
#include "ddb/diagnostics/dia_DiagnosticBase.h"
#include "ddb/diagnostics/omu_PrimEnum.h"

namespace report {

// Fortran unit 6 is standard output.
constexpr int kStandardOutputUnit = 6;

// The table name of an enumeration value, or "UNKNOWN(value)" for a value outside the table (a
// report shows what the file holds instead of refusing it).
template <class E>
std::string EnumName(unsigned value) {
  using Wrapper = omu_PrimEnum<E, 1>;
  for (int i = 0; i < Wrapper::NumberOfValues(); ++i)
    if (static_cast<unsigned>(Wrapper::Value(i)) == value) return Wrapper::Name(i);
  return "UNKNOWN(" + std::to_string(value) + ")";
}

// The Fortran runtime keeps its records in a buffer of its own when standard output is a regular
// file, and the library's text channel offers no flush that reaches it. The runtime's FLUSH entry
// point is looked up at run time, since only the library links the runtime.
inline void FlushFortranOutput() {
  using FlushFunction = void (*)(int*);
  static const auto flush =
      reinterpret_cast<FlushFunction>(dlsym(RTLD_DEFAULT, "_gfortran_flush_i4"));
  int unit = kStandardOutputUnit;
  if (flush) flush(&unit);
}

// Prints the diagnostic's catalog tables on standard output between the lines printed with C
// stdio. A diagnostic the catalog cannot lay out is reported on stderr; the report goes on.
inline void PrintCatalogTable(const dia_DiagnosticBase& diagnostic, dia_MetadataTable& catalog) {
  std::fflush(stdout);
  try {
    dia_PrintTable(diagnostic, catalog, kStandardOutputUnit, true);
  } catch (const std::exception& e) {
    FlushFortranOutput();
    std::fprintf(stderr, "ddb_report: cannot print the table of code 0x%08X: %s\n",
                 static_cast<unsigned>(diagnostic.GetType()), e.what());
    return;
  }
  FlushFortranOutput();
  std::fflush(stdout);
}

// The catalog's description of a code.
inline std::string Describe(dia_MetadataTable& catalog, int code) {
  const cow_String text = catalog.GetDescription(static_cast<unsigned>(code));
  return text.empty() ? "(not in the catalog)" : text.c_str();
}

// Release drops only the in-memory copy of a record already stored, which the persistent lists
// treat as a const operation; the records offer it through non-const members, so a reader holding
// const references releases through this.
template <class Record>
Record& Releasable(const Record& record) {
  return const_cast<Record&>(record);
}

}  // namespace report
