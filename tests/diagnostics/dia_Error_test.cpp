#include "ddb/diagnostics/dia_Error.h"

#include <gtest/gtest.h>

#include "JobFile.h"

using namespace ddb_test;

namespace {

dia_Error ErrorWithBlock() {
  dia_Error e(0x0A010020, 1, 2, 3, 4);
  e.SetInternalErrorString("solver stopped");
  e.AddData(dia_AuxiliaryData({1}, {}, {"zero pivot"}, {}, {}, {}, {}, 1));
  return e;
}

void ExpectSameIdentities(const dia_Error& a, const dia_Error& b) {
  EXPECT_EQ(a.Uid(), b.Uid());
  EXPECT_EQ(a.dia_WarningErrorBase::Uid(), b.dia_WarningErrorBase::Uid());
  EXPECT_EQ(a.dia_DiagnosticBase::Uid(), b.dia_DiagnosticBase::Uid());
}

const char* const kParts[] = {"dia_Error", "dia_WarningErrorBase", "dia_DiagnosticBase",
                              "dia_AuxiliaryData"};

using ErrorFile = ScratchFile;

}  // namespace

// A copy met again in the same write pass writes none of its parts: no second row, no array.
TEST_F(ErrorFile, Error_CopiesInOnePassAreStoredOnce) {
  dia_Error e = ErrorWithBlock();
  dia_DiagnosticData job;
  job.AddAnalysisError(e);
  job.AddAnalysisError(e);
  JobFile::Create(path).Save(job);
  for (const char* table : kParts)
    EXPECT_EQ(Query(path, std::string("SELECT COUNT(*) FROM ") + table), 1) << table;
  dia_DiagnosticData read = JobFile::Open(path).Load();
  ASSERT_EQ(read.GetNumberOfAnalysisErrors(), 2);
  ExpectSameIdentities(read.ConstGetAnalysisErrorByIndex(0), e);
  ExpectSameIdentities(read.ConstGetAnalysisErrorByIndex(1), e);
}
