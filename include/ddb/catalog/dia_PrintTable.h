// dia_PrintTable: prints one diagnostic as text tables on a Fortran unit.
//
// One table per variation that occurs in the diagnostic, in order of first occurrence, laid out
// by the catalog's column titles and default column format of that variation; lines go through
// the text channel (dia_Write). The caller picks the catalog that matches the kind of diagnostic
// (contact, element or warning/error). Printing stops silently at the first variation without a
// valid column format. A variation unknown to the catalog, a column index beyond its titles, or
// an occurrence lacking a value a column shows raises the list's out-of-range nex_PrimException;
// lines already written stay written. Keeps its state in locals; the catalog is the calling
// thread's. dia_TableText renders the same lines into a text instead, each cut to the channel's
// 120 characters and ended by a newline; when it raises, nothing is returned.
#pragma once

#include "ddb/platform/cow_String.h"

class dia_DiagnosticBase;
class dia_MetadataTable;

void dia_PrintTable(const dia_DiagnosticBase& diagnostic, dia_MetadataTable& catalog, int unit,
                    bool withInstanceNames);
cow_String dia_TableText(const dia_DiagnosticBase& diagnostic, dia_MetadataTable& catalog,
                         bool withInstanceNames);
