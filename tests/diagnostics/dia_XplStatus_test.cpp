#include "ddb/diagnostics/dia_XplStatus.h"

#include <gtest/gtest.h>

#include "RoundTrip.h"

using dia_test::RoundTrip;

TEST(dia_XplStatus, XplStatus_CopiesShareIdentityValuesAreCopied) {
  cow_List<double> values{1.0, 2.0};
  dia_XplStatus s(3, 1024, "PART-1", values);
  values.Append(3.0);
  dia_XplStatus copy = s;
  EXPECT_EQ(s.GetIncrementNumber(), 3);
  EXPECT_EQ(copy, s);
  EXPECT_NE(dia_XplStatus(3, 1024, "PART-1", values), s);
  EXPECT_NE(dia_XplStatus(), dia_XplStatus());
}

TEST_F(RoundTrip, XplStatus_ReadsBackEqualInFreshProcess) {
  cow_List<double> five{0.5, 1.5, -2.0, 1e9, 0.0};
  cow_List<double> none;
  dia_XplStatus full(17, 1024, "PART-1", five);
  dia_XplStatus empty(18, 0, "", none);
  dia_XplStatus def;
  Write(std::vector<dia_XplStatus>{full, empty, def});
  EXPECT_EQ(Rows("##Array"), 3);
  CheckInFreshProcess<dia_XplStatus>([&](const std::vector<dia_XplStatus>& read) {
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0], full);
    EXPECT_EQ(read[1], empty);
    EXPECT_EQ(read[2], def);
    EXPECT_EQ(read[0].GetIncrementNumber(), 17);
  });
}
