#include "ddb/catalog/dia_TypeCodeUtils.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Codes = dia_TypeCodeUtils;

// Group, category and type ids and numbers, and the variation; bit 30 marks an error, bit 31
// stays in the type id alone.
TEST(dia_TypeCodeUtils_Fields, SplitACodeIntoItsBitFields) {
  EXPECT_TRUE(Codes::IsError(0x4A0A0045));
  EXPECT_FALSE(Codes::IsError(0x81010021));
  const std::pair<unsigned, std::vector<unsigned>> cases[] = {
      {0x4A0A0045, {0x0A000000, 0x0A0A0000, 0x4A0A0040, 10, 10, 2, 5}},
      {0x81010021, {0x01000000, 0x01010000, 0x81010020, 1, 1, 1, 1}}};
  for (const auto& [code, fields] : cases)
    EXPECT_EQ((std::vector<unsigned>{Codes::GetGroupId(code), Codes::GetCategoryId(code),
                                     Codes::GetTypeId(code), Codes::GetGroupNumber(code),
                                     Codes::GetCategoryNumber(code), Codes::GetTypeNumber(code),
                                     Codes::GetVariationNumber(code)}),
              fields)
        << std::hex << code;
}

TEST(dia_TypeCodeUtils_CreateCode, RebuildsEveryCodeAndDoesNotMask) {
  for (unsigned c : {0u, 0x01010020u, 0x4A0E0046u, 0xFFFFFFFFu, 0x0000001Fu, 0x80000001u})
    EXPECT_EQ(Codes::CreateCode(Codes::GetTypeId(c), Codes::GetVariationNumber(c)), c);
  EXPECT_EQ(Codes::CreateCode(0x01010020, 0x21), 0x01010021u);
}

}  // namespace
