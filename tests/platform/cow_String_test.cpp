#include "ddb/platform/cow_String.h"

#include <gtest/gtest.h>

namespace {

struct Order {
  const char* a;
  const char* b;
  int natural;
  int bytewise;
};

class NaturalOrderScope {
 public:
  explicit NaturalOrderScope(bool on) : m_old(cow_String::NaturalOrder()) {
    cow_String::SetNaturalOrder(on);
  }
  ~NaturalOrderScope() { cow_String::SetNaturalOrder(m_old); }

 private:
  bool m_old;
};

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
  for (const Order& c : cases) {
    {
      NaturalOrderScope natural(true);
      EXPECT_EQ(cow_String::Compare(c.a, c.b), c.natural) << c.a << " " << c.b;
      EXPECT_EQ(cow_String(c.a) < cow_String(c.b), c.natural < 0);
    }
    NaturalOrderScope bytewise(false);
    EXPECT_EQ(cow_String::Compare(c.a, c.b), c.bytewise) << c.a << " " << c.b;
  }
}

TEST(cow_String_Equality, AlwaysBytewise) {
  NaturalOrderScope natural(true);
  EXPECT_FALSE(cow_String("a7") == cow_String("a07"));
  EXPECT_NE(cow_String::Compare("a7", "a07"), 0);
}

}  // namespace
