#include "ddb/catalog/dia_TypeCodeUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(dia_TypeCodeUtils_Fields, SplitsAnErrorCode) {
  const unsigned code = 0x4A0A0045;
  EXPECT_TRUE(dia_TypeCodeUtils::IsError(code));
  EXPECT_EQ(dia_TypeCodeUtils::GetGroupId(code), 0x0A000000u);
  EXPECT_EQ(dia_TypeCodeUtils::GetCategoryId(code), 0x0A0A0000u);
  EXPECT_EQ(dia_TypeCodeUtils::GetTypeId(code), 0x4A0A0040u);
  EXPECT_EQ(dia_TypeCodeUtils::GetGroupNumber(code), 10u);
  EXPECT_EQ(dia_TypeCodeUtils::GetCategoryNumber(code), 10u);
  EXPECT_EQ(dia_TypeCodeUtils::GetTypeNumber(code), 2u);
  EXPECT_EQ(dia_TypeCodeUtils::GetVariationNumber(code), 5u);
}

TEST(dia_TypeCodeUtils_Fields, KeepsBit31InTheTypeIdOnly) {
  const unsigned code = 0x81010021;
  EXPECT_FALSE(dia_TypeCodeUtils::IsError(code));
  EXPECT_EQ(dia_TypeCodeUtils::GetTypeId(code), 0x81010020u);
  EXPECT_EQ(dia_TypeCodeUtils::GetGroupId(code), 0x01000000u);
  EXPECT_EQ(dia_TypeCodeUtils::GetCategoryId(code), 0x01010000u);
}

TEST(dia_TypeCodeUtils_CreateCode, RebuildsEveryCodeAndDoesNotMask) {
  for (unsigned c : {0u, 0x01010020u, 0x4A0E0046u, 0xFFFFFFFFu, 0x0000001Fu, 0x80000001u})
    EXPECT_EQ(dia_TypeCodeUtils::CreateCode(dia_TypeCodeUtils::GetTypeId(c),
                                            dia_TypeCodeUtils::GetVariationNumber(c)),
              c);
  EXPECT_EQ(dia_TypeCodeUtils::CreateCode(0x01010020, 0x21), 0x01010021u);
}

}  // namespace
