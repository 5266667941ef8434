#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "ddb/frame/ZunRomDdr.h"
#include "ddb/frame/ZunRomDia.h"
#include "ddb/platform/typ_ArchCompTable.h"

namespace {

// Every entry names a class of its module once, with the registered flags, and a base that is
// "none" or another class of the same table, never the class itself.
void ExpectWellFormed(const typ_ArchCompEntry& entry, std::uint32_t component, const char* prefix,
                      int classes) {
  ASSERT_EQ(entry.count, classes + 1);
  EXPECT_EQ(entry.entries[0].name, nullptr);
  std::set<std::string> names;
  for (int i = 1; i < entry.count; ++i) {
    const typ_Entry& e = entry.entries[i];
    const std::uint32_t id = typ_TypeId(component, static_cast<std::uint32_t>(i));
    ASSERT_NE(e.name, nullptr) << i;
    EXPECT_EQ(std::strncmp(e.name, prefix, std::strlen(prefix)), 0) << e.name;
    EXPECT_TRUE(names.insert(e.name).second) << e.name;
    EXPECT_EQ(e.flags, 7u) << e.name;
    EXPECT_STREQ(typ_ArchCompTable::GetName(id), e.name);
    if (e.base != typ_NoBase) {
      EXPECT_EQ(typ_Component(e.base), component) << e.name;
      EXPECT_NE(e.base, id) << e.name;
      EXPECT_NE(typ_ArchCompTable::GetName(e.base), nullptr) << e.name;
    }
  }
}

TEST(TypeNameTables_Content, EveryEntryNamesOneClassWithABaseInItsTable) {
  ExpectWellFormed(dia_ArchEntry(), dia_Component, "dia_", 25);
  ExpectWellFormed(ddr_ArchEntry(), ddr_Component, "ddr_", 30);
}

// Named ids name their classes; ids outside a table (index 0, past the end, another component)
// name none; bases chain to their roots.
TEST(TypeNameTables_TypeId, NamedIdsOutOfTableIdsAndBaseChains) {
  EXPECT_EQ(dia_TypeId_XplStatus, 0x2b0019u);
  EXPECT_EQ(ddr_TypeId_CustomDataContainerShortcut, 0x22001eu);
  EXPECT_STREQ(dia_TypeNameOf(dia_TypeId_Step), "dia_Step");
  EXPECT_STREQ(ddr_TypeNameOf(ddr_TypeId_ModelExtension), "ddr_ModelExtension");
  for (std::uint32_t id : {0x2b0000u, 0x2b001au, 0x220000u, 0x22001fu, 0x630001u, ddr_TypeId_Ddb}) {
    EXPECT_EQ(dia_TypeNameOf(id), nullptr) << std::hex << id;
    if (id != ddr_TypeId_Ddb) {
      EXPECT_EQ(ddr_TypeNameOf(id), nullptr) << std::hex << id;
    }
  }
  EXPECT_TRUE(typ_ArchCompTable::IsDerivedFrom(dia_TypeId_Warning, dia_TypeId_DiagnosticBase));
  EXPECT_TRUE(typ_ArchCompTable::IsDerivedFrom(ddr_TypeId_DdbShortcutImpl, ddr_TypeId_DdbIMPLSC));
  EXPECT_FALSE(typ_ArchCompTable::IsDerivedFrom(dia_TypeId_Step, dia_TypeId_DiagnosticBase));
}

}  // namespace
