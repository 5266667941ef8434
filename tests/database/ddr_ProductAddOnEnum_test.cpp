#include "ddb/database/ddr_ProductAddOnEnum.h"

#include <gtest/gtest.h>

#include "ddb/platform/cow_List.h"
#include "ddb/platform/nex_Exception.h"

using AddOn = omu_PrimEnum<ddr_ProductAddOnEnum, 1>;

TEST(ddr_ProductAddOnEnum_Table, ValuesCountFromZeroAndRoundTrip) {
  ASSERT_GT(AddOn::NumberOfValues(), 0);
  for (int i = 0; i < AddOn::NumberOfValues(); ++i) {
    SCOPED_TRACE(AddOn::Name(i));
    EXPECT_EQ(static_cast<int>(AddOn::Value(i)), i);
    EXPECT_EQ(AddOn(AddOn::Value(i)).AsString(0), AddOn::Name(i));
    EXPECT_EQ(AddOn(cow_String(AddOn::Name(i))).GetValue(), AddOn::Value(i));
  }
  EXPECT_THROW(AddOn(static_cast<ddr_ProductAddOnEnum>(AddOn::NumberOfValues())), nex_CmdException);
}

TEST(ddr_ProductAddOnEnum_Default, HoldsNoValueUntilAssigned) {
  cow_List<AddOn> list;
  list.Resize(2);
  EXPECT_EQ(list[0].AsString(0), "");
  list[1] = AddOn(ddr_ProductAddOnEnum::FATIGUE_LIFE);
  EXPECT_EQ(list[1].AsString(0), "FATIGUE_LIFE");
  EXPECT_TRUE(list[0].SetValue("GPU_ACCELERATION"));
  EXPECT_EQ(list[0].GetValue(), ddr_ProductAddOnEnum::GPU_ACCELERATION);
}
