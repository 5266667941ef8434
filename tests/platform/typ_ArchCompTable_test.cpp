#include "ddb/platform/typ_ArchCompTable.h"

#include <gtest/gtest.h>

namespace {

constexpr int kComponent = 0x7001;

const typ_Entry kTable[] = {
    {0, typ_NoBase, nullptr},
    {7, typ_NoBase, "t_Root"},
    {3, typ_TypeId(kComponent, 1), "t_Child"},
    {7, typ_TypeId(kComponent, 2), "t_GrandChild"},
};

TEST(typ_ArchCompTable_Lookup, ByTypeIdInTheComponentsLastInsertedTable) {
  typ_ArchCompTable::InsertEntry(kComponent, {kTable, 4});
  EXPECT_TRUE(typ_ArchCompTable::HasComponent(kComponent));
  EXPECT_STREQ(typ_ArchCompTable::GetName(typ_TypeId(kComponent, 2)), "t_Child");
  EXPECT_EQ(typ_ArchCompTable::GetBase(typ_TypeId(kComponent, 2)), typ_TypeId(kComponent, 1));
  EXPECT_EQ(typ_ArchCompTable::GetFlags(typ_TypeId(kComponent, 2)), 3u);
  EXPECT_TRUE(
      typ_ArchCompTable::IsDerivedFrom(typ_TypeId(kComponent, 3), typ_TypeId(kComponent, 1)));
  EXPECT_FALSE(
      typ_ArchCompTable::IsDerivedFrom(typ_TypeId(kComponent, 1), typ_TypeId(kComponent, 3)));
  // The placeholder, an index past the table and an unknown component name nothing.
  for (std::uint32_t id :
       {typ_TypeId(kComponent, 0), typ_TypeId(kComponent, 4), typ_TypeId(kComponent + 1, 1)}) {
    EXPECT_EQ(typ_ArchCompTable::Lookup(id), nullptr) << std::hex << id;
    EXPECT_EQ(typ_ArchCompTable::GetName(id), nullptr);
    EXPECT_EQ(typ_ArchCompTable::GetBase(id), 0u);
  }
  // A table inserted again for the component replaces the first.
  typ_ArchCompTable::InsertEntry(kComponent, {kTable, 2});
  EXPECT_STREQ(typ_ArchCompTable::GetName(typ_TypeId(kComponent, 1)), "t_Root");
  EXPECT_EQ(typ_ArchCompTable::GetName(typ_TypeId(kComponent, 2)), nullptr);
}

}  // namespace
