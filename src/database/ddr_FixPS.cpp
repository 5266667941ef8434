#include "ddb/database/ddr_FixPS.h"

#include "ddb/frame/ZunRomDdr.h"
#include "ddb/platform/cls_ReadVisitor.h"

namespace {

constexpr const char* kName = "name";

void WriteName(rom_Transporter& database, std::uint32_t typeId, int row, const cow_String& name) {
  rom_MementoWrite(database, typeId, row).NeuterString(cls_FieldHandle(kName), name);
}

}  // namespace

void ddr_FixPS::FixPersistentString(rom_Transporter& database) {
  int rows = database.GetTableSize(ddr_TypeId_Ddb);
  if (rows <= 0) return;
  rom_MementoRead last(database, ddr_TypeId_Ddb, rows - 1, cls_Uid());
  cow_String name = cls_ReadVisitor(last).ReadString(cls_FieldHandle(kName), cow_String());
  for (int row = 0; row < rows - 1; ++row) WriteName(database, ddr_TypeId_Ddb, row, name);
  int shortcuts = database.GetTableSize(ddr_TypeId_DdbShortcutImpl);
  for (int row = 0; row < shortcuts; ++row)
    WriteName(database, ddr_TypeId_DdbShortcutImpl, row, name);
}
