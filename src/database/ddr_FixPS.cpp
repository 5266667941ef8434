#include "ddb/database/ddr_FixPS.h"

#include "ddb/platform/cls_ReadVisitor.h"

namespace {

constexpr std::uint32_t kDdbTypeId = 0x220006;
constexpr std::uint32_t kDdbShortcutImplTypeId = 0x22000d;
const cls_FieldHandle kName("name");

void WriteName(rom_Transporter& database, std::uint32_t typeId, int row, const cow_String& name) {
  rom_MementoWrite(database, typeId, row).NeuterString(kName, name);
}

}  // namespace

void ddr_FixPS::FixPersistentString(rom_Transporter& database) {
  int rows = database.GetTableSize(kDdbTypeId);
  if (rows <= 0) return;
  rom_MementoRead last(database, kDdbTypeId, rows - 1, cls_Uid());
  cow_String name = cls_ReadVisitor(last).ReadString(kName, cow_String());
  for (int row = 0; row < rows - 1; ++row) WriteName(database, kDdbTypeId, row, name);
  int shortcuts = database.GetTableSize(kDdbShortcutImplTypeId);
  for (int row = 0; row < shortcuts; ++row) WriteName(database, kDdbShortcutImplTypeId, row, name);
}
