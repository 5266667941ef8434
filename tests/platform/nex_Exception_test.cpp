#include "ddb/platform/nex_Exception.h"

#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>

namespace {

TEST(nex_Exception_Throw, CarriesMessageTextAndSourceLocation) {
  int line = 0;
  try {
    line = __LINE__ + 1;
    DDB_THROW(nex_PrimException, "Index %d out of range for %s", 12, "dia_Step");
  } catch (const nex_PrimException& e) {
    EXPECT_STREQ(e.what(), "Index 12 out of range for dia_Step");
    EXPECT_EQ(e.Message().Key(), "Index %d out of range for %s");
    EXPECT_NE(std::strstr(e.File(), "nex_Exception_test.cpp"), nullptr);
    EXPECT_EQ(e.Line(), line);
    return;
  }
  FAIL() << "nothing thrown";
}

TEST(nex_Exception_Throw, CommandExceptionIsDistinctType) {
  static_assert(!std::is_base_of_v<nex_PrimException, nex_CmdException>);
  try {
    ZunBasException::Throw<nex_CmdException>("refused", "f.cpp", 3);
  } catch (const nex_CmdException& e) {
    EXPECT_STREQ(e.what(), "refused");
    EXPECT_STREQ(e.File(), "f.cpp");
    EXPECT_EQ(e.Line(), 3);
    return;
  }
  FAIL() << "nothing thrown";
}

}  // namespace
