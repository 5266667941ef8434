#include "platform/ZunBasUtlNumFormat.h"

#include <gtest/gtest.h>

#include "ddb/platform/nex_Exception.h"

namespace {

struct Case {
  int kind;
  int digits;
  double value;
  const char* text;
};

TEST(ZunBasUtlNumFormat_Format, RendersByKindAndDigits) {
  const Case cases[] = {
      {1, 6, 0.5, "0.5"},
      {1, 6, 1234567.0, "1.23457E+06"},
      {1, 6, 1e-7, "1E-07"},
      {1, 6, -42.0, "-42"},
      {1, 3, 3.14159, "3.14"},
      {0, 6, 1.0, " 1.000000E+00"},
      {0, 6, -1.5e-3, "-1.500000E-03"},
      {0, 6, 2.5e100, "2.500000E+100"},
      {0, 3, 12.5, " 1.250E+01"},
  };
  for (const Case& c : cases) {
    ZunBasUtlNumFormat format(c.kind);
    format.SetDigits(c.digits);
    EXPECT_EQ(format.Format(c.value), c.text) << c.kind << " " << c.digits << " " << c.value;
  }
}

TEST(ZunBasUtlNumFormat_Format, ExponentKindFitsSixteenColumns) {
  ZunBasUtlNumFormat format(1);
  format.SetFormat(0);
  format.SetDigits(6);
  for (double v : {0.0, -1.7976931348623157e308, 4.9e-324, 123.456})
    EXPECT_LE(format.Format(v).size(), 16u) << v;
  EXPECT_EQ(format.Format(0.0).size(), 13u);
}

TEST(ZunBasUtlNumFormat_Kind, UnknownKindRaises) {
  EXPECT_THROW(ZunBasUtlNumFormat(7), nex_PrimException);
  ZunBasUtlNumFormat format(1);
  EXPECT_THROW(format.SetFormat(-1), nex_PrimException);
}

}  // namespace
