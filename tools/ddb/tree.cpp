// ddb tree FILE [--step N] [--increment N] [--iterations]: the job's steps, increments and
// attempts with convergence, cut-back reasons by name and the worst residual of each attempt's
// last iteration; with --iterations every iteration and its residual checks. Records are read
// as printed and released right after, so a file of any size prints in bounded memory.
#include <cstdio>

#include "Command.h"

namespace ddbcli {
namespace {

struct Filter {
  int step = -1, increment = -1;
  bool iterations = false;
};

void PrintResidual(const char* indent, const dia_Residual& r) {
  std::printf(
      "%s%s: residual %g at %s, %s\n", indent, r.GetFieldVariableName().c_str(), r.GetMaxResidual(),
      NodeDof(r.GetMaxResidualInstanceName(), r.GetMaxResidualNodeLabel(), r.GetMaxResidualDof())
          .c_str(),
      r.IsAccepted() ? "accepted" : "not accepted");
}

void PrintIteration(const dia_Iteration& it) {
  std::printf("      iteration %d: %s\n", it.GetIterationNumber(),
              it.IsConverged() ? "converged" : "not converged");
  for (int r = 0; r < it.GetNumberOfResiduals(); ++r)
    PrintResidual("        ", it.ConstGetResidualByIndex(r));
}

void PrintAttempt(const dia_Attempt& attempt, const Filter& filter) {
  const std::string reasons = CutbackReasons(attempt);
  std::printf("    attempt %d: size %g, %s, %s%s%s\n", attempt.GetAttemptNumber(),
              attempt.GetAttemptSize(),
              Plural(attempt.GetNumberOfIterations(), "iteration").c_str(),
              attempt.IsConverged() ? "converged" : "not converged",
              reasons.empty() ? "" : ", cut back: ", reasons.c_str());
  const int last = attempt.GetNumberOfIterations() - 1;
  for (int k = 0; k <= last; ++k) {
    if (!filter.iterations && k != last) continue;
    const dia_Iteration& it = attempt.ConstGetIterationByIndex(k);
    if (filter.iterations) {
      PrintIteration(it);
    } else if (const dia_Residual* worst = WorstResidual(it)) {
      PrintResidual("      worst residual, ", *worst);
    }
    attempt.ReleaseIteration(k);
  }
}

void PrintIncrement(const dia_Increment& increment, const Filter& filter) {
  std::printf("  increment %d: size %g, step time %g, %s, %s\n", increment.GetIncrementNumber(),
              increment.GetIncrementSize(), increment.GetStepTimeCompleted(),
              increment.IsConverged() ? "converged" : "not converged",
              Plural(increment.GetNumberOfAttempts(), "attempt").c_str());
  for (int a = 0; a < increment.GetNumberOfAttempts(); ++a) {
    PrintAttempt(increment.ConstGetAttemptByIndex(a), filter);
    increment.ReleaseAttempt(a);
  }
}

void PrintStep(const dia_Step& step, const Filter& filter) {
  std::printf("step %d \"%s\": %s, step time %g\n", step.GetStepNumber(),
              step.GetStepName().c_str(), Plural(step.GetNumberOfIncrements(), "increment").c_str(),
              step.m_stepTimeCompleted);
  for (int i = 0; i < step.GetNumberOfIncrements(); ++i) {
    const dia_Increment& increment = step.ConstGetIncrementByIndex(i);
    if (filter.increment < 0 || increment.GetIncrementNumber() == filter.increment)
      PrintIncrement(increment, filter);
    step.ReleaseIncrement(i);
  }
}

int Run(const Arguments& args) {
  Filter filter;
  if (args.Has("--step")) filter.step = args.Int("--step");
  if (args.Has("--increment")) filter.increment = args.Int("--increment");
  filter.iterations = args.Has("--iterations");
  OpenedJob opened(args.positional);
  const dia_DiagnosticData& job = opened.Job();
  bool printed = false;
  for (int s = 0; s < job.GetNumberOfSteps(); ++s) {
    const dia_Step& step = job.ConstGetStepByIndex(s);
    if (filter.step < 0 || step.GetStepNumber() == filter.step) {
      PrintStep(step, filter);
      printed = true;
    }
    job.ReleaseStep(s);
  }
  if (filter.step >= 0 && !printed)
    throw Failure("'" + args.positional + "' has no step " + std::to_string(filter.step));
  return kOk;
}

}  // namespace

Command TreeCommand() {
  return {"tree",
          "The steps, increments and attempts with convergence, cut-back reasons and worst "
          "residuals",
          "FILE",
          true,
          {{"--step", ArgKind::Integer, "only the step of this number"},
           {"--increment", ArgKind::Integer, "only the increments of this number"},
           {"--iterations", ArgKind::Flag, "every iteration with its residual checks"}},
          Run};
}

}  // namespace ddbcli
