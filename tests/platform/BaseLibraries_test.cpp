#include "ddb/platform/BaseLibraries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ddb/platform/ZunBasUtlVersion.h"
#include "ddb/platform/omi_Timer.h"

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

TEST(BaseLibraries_CallLog, RecordsEveryCallInOrder) {
  BaseLibraries_ClearCallLog();
  int n = 0;
  ZunBasVelt_initialize(n);
  ZunBasAlloc_initialize(n);
  ZunBasAlloc_finalize(n);
  ZunBasVelt_finalize(n);
  const std::vector<std::string> expected = {"ZunBasVelt_initialize", "ZunBasAlloc_initialize",
                                             "ZunBasAlloc_finalize", "ZunBasVelt_finalize"};
  EXPECT_EQ(BaseLibraries_CallLog(), expected);
}

TEST(ZunBasUtlVersion_Product, SolverByDefaultAndSettable) {
  ZunBasUtlVersion& version = ZunBasUtlVersion::Instance();
  EXPECT_TRUE(version.IsProductSolver());
  EXPECT_FALSE(version.IsProductOrvel() || version.IsProductLumet());
  version.SetProduct(ZunBasUtlVersion::ProductOrvel);
  EXPECT_TRUE(version.IsProductOrvel());
  EXPECT_FALSE(version.IsProductLumet());
  version.SetProduct(ZunBasUtlVersion::ProductSolver);
}

TEST(omi_Timer_Elapsed, NonNegativeAndMonotonic) {
  omi_Timer timer;
  const double first = timer.Elapsed();
  EXPECT_GE(first, 0.0);
  EXPECT_GE(timer.Elapsed(), first);
  timer.Restart();
  EXPECT_LT(timer.Elapsed(), 60.0);
}

}  // namespace
