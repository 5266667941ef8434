#include "ddb/diagnostics/dia_Iteration.h"

#include <gtest/gtest.h>

#include <vector>

#include "JobFile.h"
#include "TestFiles.h"

using namespace ddb_test;

namespace {

constexpr auto kDisp = dia_FieldVariableEnum::DISPLACEMENT_FIELD;
constexpr auto kRot = dia_FieldVariableEnum::ROTATION_FIELD;

dia_Iteration WithResiduals(const std::vector<bool>& accepted) {
  dia_Iteration it(1);
  for (bool a : accepted) it.AddResidual(Residual(kDisp, a, 1.0));
  return it;
}

dia_Iteration WithErrors(const std::vector<int>& exceeding) {
  dia_Iteration it(1);
  for (int n : exceeding) it.AddCompatibilityError(CompatibilityError(n));
  return it;
}

}  // namespace

TEST(Iteration, New_NotConvergedNoFlagsNoCountsNothingAccepted) {
  dia_Iteration it;
  EXPECT_EQ(it.GetIterationNumber(), 0);
  EXPECT_FALSE(it.IsConverged());
  EXPECT_FALSE(it.IsSevereDiscontinuity());
  EXPECT_FALSE(it.IsSeparationToleranceTooLarge());
  EXPECT_FALSE(it.IsPenetrationToleranceExceeded());
  EXPECT_EQ(it.GetNumberOfNegativeEigenvalues(), 0);
  EXPECT_EQ(it.GetNumberOfNumericalSingularities(), 0);
  EXPECT_EQ(it.GetNumberOfZeroPivots(), 0);
  EXPECT_FALSE(it.IsResidualCriteriaAccepted());
  EXPECT_FALSE(it.IsCompatibilityErrorCriteriaAccepted());
}

TEST(Iteration, ResidualCriteria_AcceptedOnlyWhenEveryResidualIs) {
  struct Case {
    std::vector<bool> accepted;
    bool expected;
  } cases[] = {
      {{}, false},      {{true}, true}, {{true, true, true}, true}, {{true, false, true}, false},
      {{false}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WithResiduals(c.accepted).IsResidualCriteriaAccepted(), c.expected)
        << c.accepted.size() << " residuals";
}

TEST(Iteration, CompatibilityCriteria_AcceptedOnlyWithoutElementsExceeding) {
  struct Case {
    std::vector<int> exceeding;
    bool expected;
  } cases[] = {
      {{}, false}, {{0}, true}, {{0, 0, 0}, true}, {{4}, false}, {{0, 1}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WithErrors(c.exceeding).IsCompatibilityErrorCriteriaAccepted(), c.expected)
        << c.exceeding.size() << " errors";
}

TEST(Iteration, SetConverged_LeavesPredicatesAlone) {
  dia_Iteration it = WithResiduals({true, false});
  it.SetConverged();
  EXPECT_TRUE(it.IsConverged());
  EXPECT_FALSE(it.IsResidualCriteriaAccepted());
  EXPECT_FALSE(it.IsCompatibilityErrorCriteriaAccepted());
}

TEST(Iteration, Copy_SameIdentityListsAndFlags) {
  dia_Iteration it = WithResiduals({true, true});
  it.SetSevereDiscontinuity();
  it.SetNumberOfZeroPivots(3);
  it.AddContactIteration(dia_ContactIteration(2));
  dia_Iteration copy(it);
  EXPECT_EQ(copy.Uid(), it.Uid());
  EXPECT_EQ(copy.GetNumberOfResiduals(), 2);
  EXPECT_EQ(copy.GetNumberOfContactIterations(), 1);
  EXPECT_TRUE(copy.IsSevereDiscontinuity());
  EXPECT_EQ(copy.GetNumberOfZeroPivots(), 3);
  EXPECT_NE(dia_Iteration().Uid(), dia_Iteration().Uid());
}

TEST(Iteration, Persistence_EveryFieldReadsBackUnderItsStoredName) {
  ScratchDir dir;
  std::string path = dir.Path("iteration.ddb");
  {
    JobFile f = JobFile::Create(path);
    dia_DiagnosticData job;
    job.AddStep(dia_Step(1, "Step-1", 1, false, false));
    dia_Attempt attempt(1, 0.1);
    dia_Iteration it(4);
    it.AddResidual(Residual(kDisp, true, 2.5));
    it.AddResidual(Residual(kRot, false, 0.75));
    it.AddCompatibilityError(CompatibilityError(0));
    it.SetConverged();
    it.SetSeparationToleranceTooLarge();
    it.SetPenetrationToleranceExceeded();
    it.AddContactDiagnostic(dia_ContactDiagnostic(0x10020));
    it.AddContactIteration(dia_ContactIteration(1));
    it.AddElementDiagnostic(dia_ElementDiagnostic(0x20040));
    it.SetNumberOfNegativeEigenvalues(5);
    it.SetNumberOfNumericalSingularities(6);
    it.SetNumberOfZeroPivots(7);
    attempt.AddIteration(it);
    dia_Increment increment(1, 0.1);
    increment.AddAttempt(attempt);
    job.GetStepByIndex(0).AddIncrement(increment);
    f.Save(job);
  }
  EXPECT_EQ(Query(path,
                  "SELECT COUNT(*) FROM \"##Fields\" WHERE \"Field Name\" = "
                  "'m_compatibiltyErrorList' AND \"Position\" = 3"),
            1);
  EXPECT_EQ(InChild([&] {
              dia_DiagnosticData job = JobFile::Open(path).Load();
              const dia_Iteration& it = job.ConstGetStepByIndex(0)
                                            .ConstGetIncrementByIndex(0)
                                            .ConstGetAttemptByIndex(0)
                                            .ConstGetIterationByIndex(0);
              EXPECT_EQ(it.GetIterationNumber(), 4);
              EXPECT_TRUE(it.IsConverged());
              EXPECT_FALSE(it.IsSevereDiscontinuity());
              EXPECT_TRUE(it.IsSeparationToleranceTooLarge());
              EXPECT_TRUE(it.IsPenetrationToleranceExceeded());
              ASSERT_EQ(it.GetNumberOfResiduals(), 2);
              EXPECT_EQ(it.ConstGetResidualByIndex(1).GetFieldVariable(), kRot);
              EXPECT_EQ(it.ConstGetResidualByIndex(1).GetMaxResidual(), 0.75);
              EXPECT_FALSE(it.IsResidualCriteriaAccepted());
              EXPECT_TRUE(it.IsCompatibilityErrorCriteriaAccepted());
              ASSERT_EQ(it.GetNumberOfContactDiagnostics(), 1);
              EXPECT_EQ(it.ConstGetContactDiagnosticByIndex(0).GetType(), 0x10020);
              EXPECT_EQ(it.GetNumberOfContactIterations(), 1);
              ASSERT_EQ(it.GetNumberOfElementDiagnostics(), 1);
              EXPECT_EQ(it.ConstGetElementDiagnosticByIndex(0).GetType(), 0x20040);
              EXPECT_EQ(it.GetNumberOfNegativeEigenvalues(), 5);
              EXPECT_EQ(it.GetNumberOfNumericalSingularities(), 6);
              EXPECT_EQ(it.GetNumberOfZeroPivots(), 7);
            }),
            0);
}
