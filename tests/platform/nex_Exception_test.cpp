#include "ddb/platform/nex_Exception.h"

#include <gtest/gtest.h>

#include <cstring>
#include <type_traits>

namespace {

// A raised exception is of the type asked for (a command exception is no primitive one) and
// carries its formatted message, the message's key and where it was raised.
TEST(nex_Exception_Throw, CarriesTypeMessageTextAndSourceLocation) {
  static_assert(!std::is_base_of_v<nex_PrimException, nex_CmdException>);
  int line = 0;
  try {
    line = __LINE__ + 1;
    DDB_THROW(nex_CmdException, "Index %d out of range for %s", 12, "dia_Step");
  } catch (const nex_CmdException& e) {
    EXPECT_STREQ(e.what(), "Index 12 out of range for dia_Step");
    EXPECT_EQ(e.Message().Key(), "Index %d out of range for %s");
    EXPECT_NE(std::strstr(e.File(), "nex_Exception_test.cpp"), nullptr);
    EXPECT_EQ(e.Line(), line);
    return;
  }
  FAIL() << "nothing thrown";
}

}  // namespace
