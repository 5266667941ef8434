// The SQL views shipped in doc/ddb-views.sql, loaded into a plain SQLite connection on the file
// the example writes: the tree they give is the tree the library reads.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "TestFiles.h"
#include "ddb/database/ddr_Root.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;
using Reasons = omu_PrimEnum<dia_CutbackDiagnosticEnum, 1>;

class DdbViews : public ::testing::Test {
 protected:
  void SetUp() override {
    m_file = m_dir.Path("example.ddb");
    ASSERT_EQ(
        std::system((std::string(DDB_EXAMPLE) + " --failing " + m_file + " >/dev/null").c_str()),
        0);
    m_db = std::make_unique<ddb_test::PlainSql>(m_file, SQLITE_OPEN_READONLY);
    ASSERT_TRUE(m_db->Exec(ddb_test::FileBytes(DDB_VIEWS_SQL))) << m_db->Error();
  }

  Rows Query(const std::string& sql) { return m_db->Rows(sql, "NULL"); }

  ddb_test::ScratchDir m_dir;
  std::string m_file;
  std::unique_ptr<ddb_test::PlainSql> m_db;
};

TEST_F(DdbViews, AnswerTreeQuestionsAsTheLibraryReadsTheTree) {
  // Cut-back reasons per attempt, and attempts and iterations per increment, from the library.
  std::map<std::string, std::string> reasons, sizes;
  ddr_Root& root = ddr_Root::Instance();
  const auto utf8 = ZunBasStringMode::UTF8;
  const cow_String name =
      root.OpenDdb(rfm_File::Open(m_file, rfm_Access::Read, true, utf8), "", utf8);
  const dia_DiagnosticData& job = root.ConstGet(name, utf8).ConstGetDiagnosticData();
  int iterations = 0;
  for (int s = 0; s < job.GetNumberOfSteps(); ++s)
    for (int i = 0; i < job.ConstGetStepByIndex(s).GetNumberOfIncrements(); ++i) {
      const dia_Increment& inc = job.ConstGetStepByIndex(s).ConstGetIncrementByIndex(i);
      for (int a = 0; a < inc.GetNumberOfAttempts(); ++a) {
        const dia_Attempt& attempt = inc.ConstGetAttemptByIndex(a);
        const std::string key = std::to_string(s + 1) + "|" +
                                std::to_string(inc.GetIncrementNumber()) + "|" +
                                std::to_string(attempt.GetAttemptNumber());
        iterations += attempt.GetNumberOfIterations();
        for (int c = 0; c < attempt.GetNumberOfCutbackDiagnostics(); ++c)
          reasons[key] += Reasons::NameOf(static_cast<unsigned>(attempt.GetCutbackDiagnostic(c))) +
                          std::string(";");
      }
    }
  root.CloseDdb(name, utf8);

  std::map<std::string, std::string> viewed;
  for (const auto& row :
       Query("SELECT step, increment, attempt, reason FROM ddb_cutback ORDER BY position"))
    viewed[row[0] + "|" + row[1] + "|" + row[2]] += row[3] + ";";
  EXPECT_EQ(viewed, reasons);
  EXPECT_EQ(Query("SELECT reason, COUNT(*) FROM ddb_cutback GROUP BY reason"),
            (Rows{{"MAXIMUM_NUMBER_OF_EQUILIBRIUM_ITERATIONS", "7"},
                  {"SOLUTION_APPEARS_TO_BE_DIVERGING", "7"}}));
  EXPECT_EQ(Query("SELECT COUNT(*) FROM ddb_iteration"), (Rows{{std::to_string(iterations)}}));
  // The last iteration of each of the 7 converged increments accepts its 2 residuals.
  EXPECT_EQ(Query("SELECT COUNT(*) FROM ddb_residual WHERE residual_check = 'RESIDUAL_ACCEPTED'"),
            (Rows{{"14"}}));
  EXPECT_EQ(Query("SELECT kind, step, increment, code FROM ddb_message WHERE kind = 'error'"),
            (Rows{{"error", "2", "4", "0x42020020"}, {"error", "2", "4", "0x4A0A0040"}}));
}

TEST_F(DdbViews, NameEveryCutbackReasonAsTheLibraryDoes) {
  Rows expected;
  for (int i = 0; i < Reasons::NumberOfValues(); ++i)
    expected.push_back(
        {std::to_string(static_cast<unsigned>(Reasons::Value(i))), Reasons::Name(i)});
  EXPECT_EQ(Query("SELECT code, name FROM ddb_cutback_reason_name"), expected);
}

}  // namespace
