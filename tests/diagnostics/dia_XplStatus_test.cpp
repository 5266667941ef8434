#include "ddb/diagnostics/dia_XplStatus.h"

#include <gtest/gtest.h>

#include "JobFile.h"
#include "ddb/diagnostics/dia_Step.h"

using namespace ddb_test;

// Each status stores its values, none too, and reads back equal in a fresh process: the same
// values and identity (a new status of the same values is another one).
TEST(dia_XplStatus, XplStatus_ReadsBackEqualInFreshProcess) {
  ScratchDir dir;
  const std::string path = dir.Path("xpl.ddb");
  cow_List<double> five{0.5, 1.5, -2.0, 1e9, 0.0};
  cow_List<double> none;
  const std::vector<dia_XplStatus> written = {dia_XplStatus(17, 1024, "PART-1", five),
                                              dia_XplStatus(18, 0, "", none), dia_XplStatus()};
  EXPECT_NE(dia_XplStatus(17, 1024, "PART-1", five), written[0]);
  EXPECT_NE(dia_XplStatus(), dia_XplStatus());
  dia_Step step(1, "Step-1", 1, false, false);
  for (const dia_XplStatus& s : written) step.AddXplStatus(s);
  RecordFile<dia_Step>::Create(path).Save(step);
  // The two empty arrays are stored in their records' rows.
  EXPECT_EQ(Query(path,
                  "SELECT COUNT(*) FROM \"##Array\" WHERE oid IN (SELECT "
                  "\"m_XplStatusRealv#OID\" FROM dia_XplStatus)"),
            1);
  EXPECT_EQ(InChild([&] {
              const dia_Step back = RecordFile<dia_Step>::Open(path).Load();
              ASSERT_EQ(back.GetNumberOfXplStatus(), 3);
              for (int i = 0; i < 3; ++i) EXPECT_EQ(back.ConstGetXplStatusByIndex(i), written[i]);
              EXPECT_EQ(back.ConstGetXplStatusByIndex(0).GetIncrementNumber(), 17);
            }),
            0);
}
