#include "ddb/diagnostics/dia_Iteration.h"

#include <gtest/gtest.h>

#include <vector>

#include "JobFile.h"
#include "TestFiles.h"

using namespace ddb_test;

namespace {

constexpr auto kDisp = dia_FieldVariableEnum::DISPLACEMENT_FIELD;

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
