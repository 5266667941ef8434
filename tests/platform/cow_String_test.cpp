#include "ddb/platform/cow_String.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Order {
  const char* a;
  const char* b;
  int natural;
  int bytewise;
};

// Natural order compares runs of digits by their value; equality is byte-wise in either order.
TEST(cow_String_Compare, NaturalAndBytewiseOrders) {
  // Equal numeric runs fall back to byte-wise order, so "a007" sorts before "a7".
  const Order cases[] = {
      {"step2", "step10", -1, 1},
      {"step10", "step10", 0, 0},
      {"a007", "a7", -1, -1},
      {"a7", "a07", 1, 1},
      {"x99999999999999999999", "x100000000000000000000", -1, 1},
      {"Step1", "step1", -1, -1},
      {"job", "job1", -1, -1},
      {"1.10", "1.9", 1, -1},
  };
  const bool old = cow_String::NaturalOrder();
  for (const Order& c : cases) {
    cow_String::SetNaturalOrder(true);
    EXPECT_EQ(cow_String::Compare(c.a, c.b), c.natural) << c.a << " " << c.b;
    EXPECT_EQ(cow_String(c.a) < cow_String(c.b), c.natural < 0);
    EXPECT_EQ(cow_String(c.a) == cow_String(c.b), std::strcmp(c.a, c.b) == 0);
    cow_String::SetNaturalOrder(false);
    EXPECT_EQ(cow_String::Compare(c.a, c.b), c.bytewise) << c.a << " " << c.b;
  }
  cow_String::SetNaturalOrder(old);
}

}  // namespace
