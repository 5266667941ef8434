#include "ddb/frame/ZunRomDdr.h"

#include "platform/BaseLibraries.h"
#include "startup/Registration.h"

namespace {

constexpr std::uint32_t kFlags = 7;
constexpr int kEntries = 31;

const typ_Entry* Table() {
  static const typ_Entry table[kEntries] = {
      {0, typ_NoBase, nullptr},
      {kFlags, typ_NoBase, "ddr_Result"},
      {kFlags, typ_NoBase, "ddr_ResultContainer"},
      {kFlags, typ_NoBase, "ddr_ResultContainerIMPLSC"},
      {kFlags, ddr_TypeId_ResultContainerIMPLSC, "ddr_ResultContainerInDdbShortcut"},
      {kFlags, typ_NoBase, "ddr_ResultContainerShortcut"},
      {kFlags, typ_NoBase, "ddr_Ddb"},
      {kFlags, typ_NoBase, "ddr_Model"},
      {kFlags, typ_NoBase, "ddr_ModelContainer"},
      {kFlags, typ_NoBase, "ddr_ModelContainerIMPLSC"},
      {kFlags, ddr_TypeId_ModelContainerIMPLSC, "ddr_ModelContainerInDdbShortcut"},
      {kFlags, typ_NoBase, "ddr_ModelContainerShortcut"},
      {kFlags, typ_NoBase, "ddr_DdbIMPLSC"},
      {kFlags, ddr_TypeId_DdbIMPLSC, "ddr_DdbShortcutImpl"},
      {kFlags, typ_NoBase, "ddr_DdbShortcut"},
      {kFlags, typ_NoBase, "ddr_DdbContainer"},
      {kFlags, typ_NoBase, "ddr_UserData"},
      {kFlags, typ_NoBase, "ddr_UserDataContainer"},
      {kFlags, typ_NoBase, "ddr_UserDataContainerIMPLSC"},
      {kFlags, ddr_TypeId_UserDataContainerIMPLSC, "ddr_UserDataContainerInDdbShortcut"},
      {kFlags, typ_NoBase, "ddr_UserDataContainerShortcut"},
      {kFlags, typ_NoBase, "ddr_ModelIMPLSC"},
      {kFlags, typ_NoBase, "ddr_ModelShortcut"},
      {kFlags, ddr_TypeId_ModelIMPLSC, "ddr_ModelInModelContainerShortcut"},
      {kFlags, typ_NoBase, "ddr_ExtensionTable"},
      {kFlags, typ_NoBase, "ddr_ModelExtension"},
      {kFlags, typ_NoBase, "ddr_CustomData"},
      {kFlags, typ_NoBase, "ddr_CustomDataContainer"},
      {kFlags, typ_NoBase, "ddr_CustomDataContainerIMPLSC"},
      {kFlags, ddr_TypeId_CustomDataContainerIMPLSC, "ddr_CustomDataContainerInDdbShortcut"},
      {kFlags, typ_NoBase, "ddr_CustomDataContainerShortcut"},
  };
  return table;
}

int& ModuleCounter() {
  static int count = 0;
  return count;
}

}  // namespace

typ_ArchCompEntry ddr_ArchEntry() {
  return {Table(), kEntries};
}

const char* ddr_TypeNameOf(std::uint32_t typeId) {
  const std::uint32_t index = typ_Index(typeId);
  if (typ_Component(typeId) != ddr_Component || index == 0 || index >= kEntries) return nullptr;
  return Table()[index].name;
}

void ZunRomDdr_initialize(int& n) {
  BaseLibraries_LogCall("ZunRomDdr_initialize");
  if (ModuleCounter()++ != 0) return;
  ++n;
  typ_ArchCompTable::InsertEntry(ddr_Component, ddr_ArchEntry());
  ddr_InitializeModuleState();
  ddr_RegisterClasses();
  ddr_RegisterOldVersions();
}

void ZunRomDdr_finalize(int& n) {
  BaseLibraries_LogCall("ZunRomDdr_finalize");
  // The last finalise first closes what is still open; when that fails it raises with the
  // module still initialised, so the caller may make room and finalise again.
  if (ModuleCounter() == 1) ddr_CloseOpenDatabases();
  if (--ModuleCounter() != 0) return;
  --n;
  ddr_FinalizeModuleState();
}

int ZunRomDdr_Count() {
  return ModuleCounter();
}
