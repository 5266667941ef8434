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

// A new increment is converged at its initial size; one with attempts follows the last of them.
TEST(Increment, SizeAndConvergence_FollowLastAttempt) {
  EXPECT_TRUE(dia_Increment(3, 0.1).IsConverged());
  EXPECT_EQ(dia_Increment(3, 0.1).GetIncrementSize(), 0.1);
  struct Case {
    const char* name;
    bool hasIterations;
    bool converged;
    double size;
    bool expectConverged;
    double expectSize;
  } cases[] = {
      {"last attempt without iterations", false, false, 0.5, false, 0.0},
      {"last attempt not converged", true, false, 0.5, false, 0.0},
      {"last attempt converged", true, true, 0.25, true, 0.25},
  };
  for (const Case& c : cases) {
    dia_Increment inc(1, 1.0);
    inc.AddAttempt(AttemptWith(1.0, false));
    inc.AddAttempt(c.hasIterations ? AttemptWith(c.size, c.converged) : dia_Attempt(2, c.size));
    EXPECT_EQ(inc.IsConverged(), c.expectConverged) << c.name;
    EXPECT_EQ(inc.GetIncrementSize(), c.expectSize) << c.name;
  }
}
