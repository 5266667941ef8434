// Shared by the benchmarks: the synthetic increment they stream (one attempt of ten
// iterations with three residual checks each) and the process's peak resident set.
#pragma once

#include <cstdlib>
#include <fstream>
#include <string>

#include "ddb/diagnostics/dia_Attempt.h"
#include "ddb/diagnostics/dia_Increment.h"
#include "ddb/diagnostics/dia_Iteration.h"
#include "ddb/diagnostics/dia_Residual.h"

namespace ddb_bench {

constexpr int kIterationsPerIncrement = 10;

inline dia_Residual Residual(dia_FieldVariableEnum field, double value, bool accepted) {
  using RC = dia_ResidualCheckEnum;
  using CC = dia_CorrectionCheckEnum;
  return dia_Residual(field, accepted ? RC::RESIDUAL_ACCEPTED : RC::RESIDUAL_NOT_ACCEPTED,
                      accepted ? CC::CORRECTION_ACCEPTED : CC::CORRECTION_NOT_ACCEPTED, 0.0, false,
                      10.0, 9.5, false, value, 101, "PART-1", 1, value * 0.1, 102, "PART-1", 2,
                      value * 0.01, 103, "PART-1", 3);
}

inline dia_Increment MakeIncrement(int number, double size) {
  dia_Increment increment(number, size);
  dia_Attempt attempt(1, size);
  for (int k = 1; k <= kIterationsPerIncrement; ++k) {
    dia_Iteration iteration(k);
    bool last = k == kIterationsPerIncrement;
    double r = 1.0 / k;
    iteration.AddResidual(Residual(dia_FieldVariableEnum::DISPLACEMENT_FIELD, r, last));
    iteration.AddResidual(Residual(dia_FieldVariableEnum::ROTATION_FIELD, r * 0.5, last));
    iteration.AddResidual(Residual(dia_FieldVariableEnum::TEMPERATURE_FIELD, r * 0.2, last));
    if (last) iteration.SetConverged();
    attempt.AddIteration(iteration);
  }
  increment.AddAttempt(attempt);
  increment.SetStepTimeCompleted(number * size);
  return increment;
}

// VmHWM of this process in kB, or -1.
inline long PeakRssKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

}  // namespace ddb_bench
