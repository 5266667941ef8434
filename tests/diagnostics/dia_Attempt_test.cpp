#include "ddb/diagnostics/dia_Attempt.h"

#include <gtest/gtest.h>

#include <vector>

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

TEST(Attempt, IsConverged_FollowsLastIteration) {
  dia_Attempt a;
  a.AddIteration(Converged(1));
  EXPECT_TRUE(a.IsConverged());
  a.AddIteration(dia_Iteration(2));
  EXPECT_FALSE(a.IsConverged());
  a.AddIteration(Converged(3));
  EXPECT_TRUE(a.IsConverged());
}
