#include "ddb/diagnostics/dia_Step.h"

#include <gtest/gtest.h>

#include <vector>

#include "JobFile.h"
#include "TestFiles.h"

using namespace ddb_test;

namespace {

dia_XplStatus Status(int increment) {
  cow_List<double> values{increment * 1.0, 2.0};
  return dia_XplStatus(increment, 100 + increment, "PART-1", values);
}

dia_Step StepWithIncrements(int n) {
  dia_Step step(2, "Load", 1, false, false);
  for (int i = 1; i <= n; ++i) {
    step.AddIncrement(dia_Increment(i, 0.1));
    step.AddXplStatus(Status(i));
  }
  step.AddContactDiagnostic(dia_ContactDiagnostic(0x10020));
  return step;
}

std::vector<int> IncrementNumbers(const dia_Step& step) {
  std::vector<int> numbers;
  for (int i = 0; i < step.GetNumberOfIncrements(); ++i)
    numbers.push_back(step.ConstGetIncrementByIndex(i).GetIncrementNumber());
  return numbers;
}

std::vector<int> StatusNumbers(const dia_Step& step) {
  std::vector<int> numbers;
  for (int i = 0; i < step.GetNumberOfXplStatus(); ++i)
    numbers.push_back(step.ConstGetXplStatusByIndex(i).GetIncrementNumber());
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
    EXPECT_EQ(IncrementNumbers(step), c.kept) << c.truncateAt;
    EXPECT_EQ(StatusNumbers(step), c.kept) << c.truncateAt;
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
    EXPECT_EQ(IncrementNumbers(step), (std::vector<int>{1, 2, 3, 4}));
    job.FlushSteps();
  }
  EXPECT_EQ(InChild([&] {
              dia_DiagnosticData job = JobFile::Open(path).Load();
              const dia_Step& step = job.ConstGetStepByIndex(0);
              EXPECT_EQ(IncrementNumbers(step), (std::vector<int>{1, 2, 3, 4}));
              EXPECT_EQ(step.m_incrementsCompleted, 5);
              EXPECT_EQ(step.m_stepTimeCompleted, 0.4);
            }),
            0);
}

TEST(Step, Persistence_ReadsBackEveryFieldAndTheSchemeByName) {
  ScratchDir dir;
  std::string path = dir.Path("step.ddb");
  {
    JobFile f = JobFile::Create(path);
    dia_DiagnosticData job;
    dia_Step step = StepWithIncrements(3);
    step.SetIncrementationControls(dia_IncrementationSchemeEnum::FIXED_INCREMENTATION, 2.0, 0.1,
                                   1e-5, 0.5, 100);
    step.m_stepTimeCompleted = 1.5;
    step.m_incrementsCompleted = 3;
    step.m_isStabilized = true;
    step.m_stabilizeFactor = 2e-4;
    step.m_isNlgeom = true;
    step.m_solverCode = 1;
    step.m_extrapolationCode = 2;
    step.m_characteristicElementLength = 0.03;
    step.m_ActiveXplStatus.Values() = {4, 5};
    job.AddStep(step);
    job.AddStep(dia_Step(3, "Riks", 2, true, true));
    f.Save(job);
  }
  EXPECT_EQ(Query(path,
                  "SELECT COUNT(*) FROM dia_Step WHERE m_incrementationScheme = "
                  "'FIXED_INCREMENTATION'"),
            1);
  EXPECT_EQ(InChild([&] {
              dia_DiagnosticData job = JobFile::Open(path).Load();
              const dia_Step& s = job.ConstGetStepByIndex(0);
              EXPECT_EQ(s.GetStepNumber(), 2);
              EXPECT_EQ(s.GetStepName(), "Load");
              EXPECT_EQ(s.GetProcedureCode(), 1);
              EXPECT_EQ(s.GetIncrementationScheme(),
                        dia_IncrementationSchemeEnum::FIXED_INCREMENTATION);
              EXPECT_EQ(s.GetTimePeriod(), 2.0);
              EXPECT_EQ(s.GetInitialTimeIncrement(), 0.1);
              EXPECT_EQ(s.GetMinimumTimeIncrement(), 1e-5);
              EXPECT_EQ(s.GetMaximumTimeIncrement(), 0.5);
              EXPECT_EQ(s.GetMaximumNumberOfIncrements(), 100);
              EXPECT_EQ(s.m_stepTimeCompleted, 1.5);
              EXPECT_EQ(s.m_incrementsCompleted, 3);
              EXPECT_TRUE(s.m_isStabilized);
              EXPECT_EQ(s.m_stabilizeFactor, 2e-4);
              EXPECT_FALSE(s.m_isUnsymm);
              EXPECT_TRUE(s.m_isNlgeom);
              EXPECT_EQ(s.m_solverCode, 1);
              EXPECT_EQ(s.m_extrapolationCode, 2);
              EXPECT_EQ(s.m_characteristicElementLength, 0.03);
              EXPECT_EQ(s.m_ActiveXplStatus.Values(), (cow_List<int>{4, 5}));
              EXPECT_EQ(IncrementNumbers(s), (std::vector<int>{1, 2, 3}));
              EXPECT_EQ(StatusNumbers(s), (std::vector<int>{1, 2, 3}));
              EXPECT_EQ(s.GetNumberOfContactDiagnostics(), 1);
              const dia_Step& riks = job.ConstGetStepByIndex(1);
              EXPECT_TRUE(riks.IsPerturbation());
              EXPECT_TRUE(riks.IsRiks());
              EXPECT_EQ(riks.GetIncrementationScheme(),
                        dia_IncrementationSchemeEnum::AUTO_INCREMENTATION);
            }),
            0);
}
