#include "ddb/diagnostics/dia_Iteration.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "JobFile.h"

using namespace ddb_test;

// Each criterion holds only for an iteration with checks of its kind that all pass: residuals
// accepted, compatibility errors with no element exceeding the tolerance.
TEST(Iteration, Criteria_AcceptedOnlyWhenThereAreChecksAndEveryOnePasses) {
  const std::pair<std::vector<int>, bool> cases[] = {
      {{}, false}, {{0}, true}, {{0, 0, 0}, true}, {{0, 4, 0}, false}, {{1}, false}};
  for (const auto& [exceeding, accepted] : cases) {
    dia_Iteration it(1);
    for (int n : exceeding) {
      it.AddResidual(Residual(dia_FieldVariableEnum::DISPLACEMENT_FIELD, n == 0, 1.0));
      it.AddCompatibilityError(CompatibilityError(n));
    }
    EXPECT_EQ(it.IsResidualCriteriaAccepted(), accepted) << exceeding.size();
    EXPECT_EQ(it.IsCompatibilityErrorCriteriaAccepted(), accepted) << exceeding.size();
  }
}
