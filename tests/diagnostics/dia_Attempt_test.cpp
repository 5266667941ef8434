#include "ddb/diagnostics/dia_Attempt.h"

#include <gtest/gtest.h>

#include <vector>

#include "JobFile.h"
#include "TestFiles.h"
#include "ddb/platform/nex_Exception.h"

using namespace ddb_test;

namespace {

std::vector<int> Codes(const dia_Attempt& a) {
  std::vector<int> codes;
  for (int i = 0; i < a.GetNumberOfCutbackDiagnostics(); ++i)
    codes.push_back(a.GetCutbackDiagnostic(i));
  return codes;
}

dia_Iteration Converged(int number) {
  dia_Iteration it(number);
  it.SetConverged();
  return it;
}

}  // namespace

TEST(Attempt, CutbackCodes_KeptOnceInFirstAddedOrder) {
  struct Case {
    std::vector<int> added;
    std::vector<int> kept;
  } cases[] = {
      {{3, 1, 3}, {3, 1}},
      {{2, 2, 2}, {2}},
      {{5, 4, 3, 4, 5, 1}, {5, 4, 3, 1}},
  };
  for (const Case& c : cases) {
    dia_Attempt a;
    for (int code : c.added) a.AddCutbackDiagnostic(code);
    EXPECT_EQ(Codes(a), c.kept);
    EXPECT_TRUE(a.IsCutback());
  }
}

TEST(Attempt, GetCutbackDiagnostic_OutOfRangeRaisesListError) {
  dia_Attempt a;
  a.AddCutbackDiagnostic(1);
  try {
    a.GetCutbackDiagnostic(1);
    FAIL() << "no exception";
  } catch (const nex_PrimException& e) {
    EXPECT_STREQ(e.what(), "cow_List: index 1 out of range (length 1)");
  }
}

TEST(Attempt, IsConverged_FollowsLastIteration) {
  dia_Attempt a;
  a.AddIteration(Converged(1));
  EXPECT_TRUE(a.IsConverged());
  a.AddIteration(dia_Iteration(2));
  EXPECT_FALSE(a.IsConverged());
  a.AddIteration(Converged(3));
  EXPECT_TRUE(a.IsConverged());
}

TEST(Attempt, Flags_OnlyEverSet) {
  dia_Attempt a;
  a.SetNeedsReordering();
  a.SetNeedsReordering();
  a.SetAutoStabilize();
  EXPECT_TRUE(a.GetNeedsReordering());
  EXPECT_TRUE(a.GetAutoStabilize());
}

TEST(Attempt, Persistence_ReadsBackCodesFlagsAndIterations) {
  ScratchDir dir;
  std::string path = dir.Path("attempt.ddb");
  {
    JobFile f = JobFile::Create(path);
    dia_DiagnosticData job;
    job.AddStep(dia_Step(1, "Step-1", 1, false, false));
    dia_Attempt a(3, 0.125);
    a.AddCutbackDiagnostic(
        static_cast<int>(dia_CutbackDiagnosticEnum::RATE_OF_CONVERGENCE_IS_SLOW));
    a.AddCutbackDiagnostic(7);
    a.SetAutoStabilize();
    a.AddIteration(dia_Iteration(1));
    a.AddIteration(Converged(2));
    dia_Increment increment(1, 0.25);
    increment.AddAttempt(a);
    job.GetStepByIndex(0).AddIncrement(increment);
    f.Save(job);
  }
  EXPECT_EQ(InChild([&] {
              dia_DiagnosticData job = JobFile::Open(path).Load();
              const dia_Attempt& a =
                  job.ConstGetStepByIndex(0).ConstGetIncrementByIndex(0).ConstGetAttemptByIndex(0);
              EXPECT_EQ(a.GetAttemptNumber(), 3);
              EXPECT_EQ(a.GetAttemptSize(), 0.125);
              EXPECT_EQ(Codes(a), (std::vector<int>{1, 7}));
              EXPECT_FALSE(a.GetNeedsReordering());
              EXPECT_TRUE(a.GetAutoStabilize());
              EXPECT_EQ(a.GetNumberOfIterations(), 2);
              EXPECT_TRUE(a.IsConverged());
            }),
            0);
}
