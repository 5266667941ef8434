#include "ddb/platform/cow_COW.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Counted {
  static int copies;
  std::string text;
  explicit Counted(std::string t) : text(std::move(t)) {}
  Counted(const Counted& other) : text(other.text) { ++copies; }
};
int Counted::copies = 0;

struct Shape {
  virtual ~Shape() = default;
  virtual Shape* Copy() const = 0;
  virtual int Sides() const = 0;
};
struct Square : Shape {
  Shape* Copy() const override { return new Square(*this); }
  int Sides() const override { return 4; }
};

TEST(cow_COW_Get, CopiesOnlyWhenShared) {
  Counted::copies = 0;
  cow_COW<Counted> a(new Counted("one"));
  a.Get().text = "own";
  EXPECT_EQ(Counted::copies, 0);
  cow_COW<Counted> b = a;
  EXPECT_EQ(a.RefCount(), 2);
  EXPECT_EQ(b.ConstGet().text, "own");
  EXPECT_EQ(Counted::copies, 0);
  b.Get().text = "changed";
  EXPECT_EQ(Counted::copies, 1);
  EXPECT_EQ(a.ConstGet().text, "own");
  EXPECT_EQ(b.ConstGet().text, "changed");
  EXPECT_EQ(a.RefCount(), 1);
  EXPECT_EQ(b.RefCount(), 1);
}

TEST(cow_COW_Get, VirtualPolicyKeepsDynamicType) {
  cow_COW<Shape, cow_Virtual<Shape>> a(new Square);
  cow_COW<Shape, cow_Virtual<Shape>> b = a;
  Shape& mine = b.Get();
  EXPECT_NE(&mine, &a.ConstGet());
  EXPECT_EQ(mine.Sides(), 4);
}

TEST(cow_ArrayCOW_Copy, CopiedListSharesElementsUntilChanged) {
  Counted::copies = 0;
  cow_ArrayCOW<Counted> list;
  list.Append(cow_COW<Counted>(new Counted("a")));
  list.Append(cow_COW<Counted>(new Counted("b")));
  cow_ArrayCOW<Counted> copy = list;
  EXPECT_EQ(Counted::copies, 0);
  copy[1].Get().text = "B";
  EXPECT_EQ(Counted::copies, 1);
  EXPECT_EQ(list[1].ConstGet().text, "b");
  EXPECT_TRUE(copy[0] == list[0]);
}

}  // namespace
