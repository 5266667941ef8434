#include "ddb/frame/ZunRomDia.h"

#include "platform/BaseLibraries.h"
#include "startup/Registration.h"

namespace {

constexpr std::uint32_t kFlags = 7;
constexpr int kEntries = 26;

const typ_Entry* Table() {
  static const typ_Entry table[kEntries] = {
      {0, typ_NoBase, nullptr},
      {kFlags, typ_NoBase, "dia_DiagnosticData"},
      {kFlags, typ_NoBase, "dia_Step"},
      {kFlags, typ_NoBase, "dia_Increment"},
      {kFlags, typ_NoBase, "dia_Attempt"},
      {kFlags, typ_NoBase, "dia_Iteration"},
      {kFlags, typ_NoBase, "dia_FieldCriteria"},
      {kFlags, typ_NoBase, "dia_ConstraintCriteria"},
      {kFlags, dia_TypeId_DiagnosticBase, "dia_ContactDiagnostic"},
      {kFlags, typ_NoBase, "dia_NumericalSingularity"},
      {kFlags, typ_NoBase, "dia_ZeroPivot"},
      {kFlags, typ_NoBase, "dia_NumericalProblemSummary"},
      {kFlags, typ_NoBase, "dia_NumericalProblemSummaryInfo"},
      {kFlags, dia_TypeId_AuxiliaryData, "dia_WarningErrorData"},
      {kFlags, dia_TypeId_DiagnosticBase, "dia_WarningErrorBase"},
      {kFlags, dia_TypeId_WarningErrorBase, "dia_Warning"},
      {kFlags, dia_TypeId_WarningErrorBase, "dia_Error"},
      {kFlags, typ_NoBase, "dia_Residual"},
      {kFlags, typ_NoBase, "dia_CompatibilityError"},
      {kFlags, dia_TypeId_DiagnosticBase, "dia_ElementDiagnostic"},
      {kFlags, typ_NoBase, "dia_AuxiliaryData"},
      {kFlags, dia_TypeId_AuxiliaryData, "dia_NodeDiagnosticData"},
      {kFlags, dia_TypeId_AuxiliaryData, "dia_ElementDiagnosticData"},
      {kFlags, typ_NoBase, "dia_DiagnosticBase"},
      {kFlags, typ_NoBase, "dia_ContactIteration"},
      {kFlags, typ_NoBase, "dia_XplStatus"},
  };
  return table;
}

int& ModuleCounter() {
  static int count = 0;
  return count;
}

}  // namespace

typ_ArchCompEntry dia_ArchEntry() {
  return {Table(), kEntries};
}

const char* dia_TypeNameOf(std::uint32_t typeId) {
  const std::uint32_t index = typ_Index(typeId);
  if (typ_Component(typeId) != dia_Component || index == 0 || index >= kEntries) return nullptr;
  return Table()[index].name;
}

void ZunRomDia_initialize(int& n) {
  BaseLibraries_LogCall("ZunRomDia_initialize");
  if (ModuleCounter()++ != 0) return;
  ++n;
  typ_ArchCompTable::InsertEntry(dia_Component, dia_ArchEntry());
  dia_RegisterClasses();
  dia_RegisterOldVersions();
}

void ZunRomDia_finalize(int& n) {
  BaseLibraries_LogCall("ZunRomDia_finalize");
  if (--ModuleCounter() != 0) return;
  --n;
  dia_FinalizeThreadCatalogs();
}

int ZunRomDia_Count() {
  return ModuleCounter();
}
