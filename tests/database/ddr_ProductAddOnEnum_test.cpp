#include "ddb/database/ddr_ProductAddOnEnum.h"

#include <gtest/gtest.h>

#include "ddb/platform/cow_List.h"

using AddOn = omu_PrimEnum<ddr_ProductAddOnEnum, 1>;

TEST(ddr_ProductAddOnEnum_Default, HoldsNoValueUntilAssigned) {
  cow_List<AddOn> list;
  list.Resize(2);
  EXPECT_EQ(list[0].AsString(0), "");
  list[1] = AddOn(ddr_ProductAddOnEnum::FATIGUE_LIFE);
  EXPECT_EQ(list[1].AsString(0), "FATIGUE_LIFE");
  EXPECT_TRUE(list[0].SetValue("GPU_ACCELERATION"));
  EXPECT_EQ(list[0].GetValue(), ddr_ProductAddOnEnum::GPU_ACCELERATION);
}
