// ddb watch FILE: follows a job that is still running. Prints each increment once it is
// finished (converged, followed by another, or the job closed), a few tenths of a second after
// the solver flushes it, and ends when the solver closes the file (no process writes it).
#include <chrono>
#include <cstdio>
#include <thread>

#include "Command.h"

namespace ddbcli {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(100);
// A pass reads one snapshot of the file (OpenedJob), so it never meets a flush half-way; a pass
// that fails while the writer runs (the file still being set up) is retried, and this many
// failures in a row are reported.
constexpr int kRetries = 30;

void PrintIncrement(int step, const dia_Increment& inc) {
  int cutbacks = 0;
  std::string reasons;
  for (int a = 0; a < inc.GetNumberOfAttempts(); ++a) {
    const dia_Attempt& attempt = inc.ConstGetAttemptByIndex(a);
    if (attempt.IsCutback()) ++cutbacks, reasons = CutbackReasons(attempt);
    inc.ReleaseAttempt(a);
  }
  std::printf("step %d, increment %d: size %g, step time %g, %s, %s", step,
              inc.GetIncrementNumber(), inc.GetIncrementSize(), inc.GetStepTimeCompleted(),
              inc.IsConverged() ? "converged" : "not converged",
              Plural(inc.GetNumberOfAttempts(), "attempt").c_str());
  if (cutbacks > 0)
    std::printf(", %s (last: %s)", Plural(cutbacks, "cut-back").c_str(), reasons.c_str());
  std::printf("\n");
  std::fflush(stdout);
}

// What has been printed: steps before `step` completely, increments before `increment` of it.
struct Printed {
  int step = 0, increment = 0;
};

// Prints the increments finished since the last pass; `closed` prints the unfinished last one.
void Pass(const std::string& path, Printed& printed, bool closed) {
  OpenedJob opened(path);
  const dia_DiagnosticData& job = opened.Job();
  const int steps = job.GetNumberOfSteps();
  for (; printed.step < steps; ++printed.step, printed.increment = 0) {
    const dia_Step& step = job.ConstGetStepByIndex(printed.step);
    const bool lastStep = printed.step + 1 == steps;
    const int increments = step.GetNumberOfIncrements();
    for (; printed.increment < increments; ++printed.increment) {
      const dia_Increment& inc = step.ConstGetIncrementByIndex(printed.increment);
      const bool finished =
          inc.IsConverged() || printed.increment + 1 < increments || !lastStep || closed;
      if (!finished) break;
      PrintIncrement(step.GetStepNumber(), inc);
      step.ReleaseIncrement(printed.increment);
    }
    job.ReleaseStep(printed.step);
    if (lastStep && !closed) break;
  }
  if (closed)
    std::printf("job closed: %s\n",
                EnumName<dia_JobStatusEnum>(static_cast<unsigned>(job.GetJobStatus())).c_str());
}

int Run(const Arguments& args) {
  Printed printed;
  for (int failures = 0;;) {
    const bool closed = !rfm_File::HasWriter(args.positional);
    try {
      Pass(args.positional, printed, closed);
      failures = 0;
    } catch (const std::exception&) {
      if (closed || ++failures > kRetries) throw;
    }
    if (closed) return kOk;
    std::this_thread::sleep_for(kPollInterval);
  }
}

}  // namespace

Command WatchCommand() {
  return {"watch",
          "Follow a running job: print each increment as it is flushed, until the job "
          "closes",
          "FILE",
          true,
          {},
          Run};
}

}  // namespace ddbcli
