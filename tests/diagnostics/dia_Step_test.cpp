#include "ddb/diagnostics/dia_Step.h"

#include <gtest/gtest.h>

#include <vector>

#include "JobFile.h"

using namespace ddb_test;

namespace {

dia_Step StepWithIncrements(int n) {
  dia_Step step(2, "Load", 1, false, false);
  for (int i = 1; i <= n; ++i) {
    cow_List<double> values{i * 1.0, 2.0};
    step.AddIncrement(dia_Increment(i, 0.1));
    step.AddXplStatus(dia_XplStatus(i, 100 + i, "PART-1", values));
  }
  step.AddContactDiagnostic(dia_ContactDiagnostic(0x10020));
  return step;
}

// The numbers of the step's increments or, with `xpl`, of its explicit statuses.
std::vector<int> Numbers(const dia_Step& step, bool xpl = false) {
  std::vector<int> numbers;
  const int n = xpl ? step.GetNumberOfXplStatus() : step.GetNumberOfIncrements();
  for (int i = 0; i < n; ++i)
    numbers.push_back(xpl ? step.ConstGetXplStatusByIndex(i).GetIncrementNumber()
                          : step.ConstGetIncrementByIndex(i).GetIncrementNumber());
  return numbers;
}

}  // namespace

TEST(Step, TruncateStep_KeepsRecordsBeforeTheIncrement) {
  struct Case {
    int truncateAt;
    std::vector<int> kept;
  } cases[] = {
      {5, {1, 2, 3, 4}},
      {1, {}},
      {9, {1, 2, 3, 4, 5, 6, 7, 8}},
  };
  for (const Case& c : cases) {
    dia_Step step = StepWithIncrements(8);
    step.TruncateStep(c.truncateAt, 0.45);
    EXPECT_EQ(Numbers(step), c.kept) << c.truncateAt;
    EXPECT_EQ(Numbers(step, true), c.kept) << c.truncateAt;
    EXPECT_EQ(step.m_incrementsCompleted, c.truncateAt);
    EXPECT_EQ(step.m_stepTimeCompleted, 0.45);
    EXPECT_EQ(step.GetNumberOfContactDiagnostics(), 1);
  }
}

TEST(Step, TruncateStep_ReloadsReleasedIncrementsAndStoresTheCut) {
  ScratchDir dir;
  std::string path = dir.Path("step.ddb");
  {
    JobFile f = JobFile::Create(path);
    dia_DiagnosticData job;
    job.AddStep(dia_Step(1, "Step-1", 1, false, false));
    f.Save(job);
    dia_Step& step = job.GetStepByIndex(0);
    for (int i = 1; i <= 8; ++i) {
      step.AddIncrement(dia_Increment(i, 0.1));
      step.FlushIncrements();
      step.ReleaseIncrement(i - 1);
    }
    EXPECT_EQ(step.SnapIncrements(), 0);
    step.TruncateStep(5, 0.4);
    EXPECT_EQ(Numbers(step), (std::vector<int>{1, 2, 3, 4}));
    job.FlushSteps();
  }
  EXPECT_EQ(InChild([&] {
              dia_DiagnosticData job = JobFile::Open(path).Load();
              const dia_Step& step = job.ConstGetStepByIndex(0);
              EXPECT_EQ(Numbers(step), (std::vector<int>{1, 2, 3, 4}));
              EXPECT_EQ(step.m_incrementsCompleted, 5);
              EXPECT_EQ(step.m_stepTimeCompleted, 0.4);
            }),
            0);
}
