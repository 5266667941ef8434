#include "ddb/diagnostics/dia_Increment.h"

#include <gtest/gtest.h>

namespace {

dia_Attempt AttemptWith(double size, bool converged) {
  dia_Attempt a(1, size);
  dia_Iteration it(1);
  if (converged) it.SetConverged();
  a.AddIteration(it);
  return a;
}

}  // namespace

// A new increment is converged at its initial size; one with attempts follows the last of them:
// converged at that attempt's size, or not converged and of size 0.
TEST(Increment, SizeAndConvergence_FollowLastAttempt) {
  dia_Increment inc(1, 0.1);
  EXPECT_TRUE(inc.IsConverged());
  EXPECT_EQ(inc.GetIncrementSize(), 0.1);
  const struct {
    dia_Attempt attempt;
    bool converged;
    double size;
  } attempts[] = {{AttemptWith(0.25, true), true, 0.25},
                  {dia_Attempt(2, 0.5), false, 0.0},  // no iterations
                  {AttemptWith(0.5, false), false, 0.0},
                  {AttemptWith(0.125, true), true, 0.125}};
  for (const auto& a : attempts) {
    inc.AddAttempt(a.attempt);
    EXPECT_EQ(inc.IsConverged(), a.converged) << a.size;
    EXPECT_EQ(inc.GetIncrementSize(), a.size);
  }
}
