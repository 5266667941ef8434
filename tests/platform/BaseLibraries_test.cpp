#include "platform/BaseLibraries.h"

#include <gtest/gtest.h>

#include "ddb/platform/ZunBasUtlVersion.h"

namespace {

TEST(BaseLibraries_Counting, OnlyFirstAndLastCallDoWork) {
  EXPECT_EQ(BaseLibraries_Count("ZunBasCoreUtils"), 1);
  EXPECT_EQ(BaseLibraries_Count("NoSuchLibrary"), 0);
  int n = 3;
  ZunBasCoreUtils_initialize(n);
  EXPECT_EQ(n, 3);
  EXPECT_EQ(BaseLibraries_Count("ZunBasCoreUtils"), 2);
  ZunBasUtlVersion::Instance().SetProduct(ZunBasUtlVersion::ProductLumet);
  ZunBasCoreUtils_finalize(n);
  EXPECT_TRUE(ZunBasUtlVersion::Exists());
  EXPECT_TRUE(ZunBasUtlVersion::Instance().IsProductLumet());
  ZunBasUtlVersion::Instance().SetProduct(ZunBasUtlVersion::ProductSolver);
}

TEST(BaseLibraries_Counting, LastFinaliseTearsDownWhatTheLibraryOwns) {
  EXPECT_EXIT(
      {
        int n = 0;
        ZunBasCoreUtils_finalize(n);
        if (ZunBasUtlVersion::Exists()) _exit(1);
        ZunBasCoreUtils_initialize(n);
        if (!ZunBasUtlVersion::Exists() || !ZunBasUtlVersion::Instance().IsProductSolver())
          _exit(2);
        _exit(n == 0 ? 0 : 3);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
