// Plays a small nonlinear analysis that writes its diagnostics the way a solver does: each step,
// increment, attempt and iteration is appended, flushed to the ddb file when it completes and
// released from memory. A second process then reopens the file and walks the tree lazily,
// loading only the records it asks for. With --failing the job fails the way real ones do: the
// last increment of step 2 is cut back five times and the analysis stops with "Too many attempts".
//
// Usage: ddb_example [--failing] [file.ddb]   (default: a scratch file removed afterwards)
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "ddb/catalog/dia_WarningErrorCodes.h"
#include "ddb/database/ddr_Root.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"
#include "ddb/platform/nex_Exception.h"

namespace {

constexpr int kSteps = 2, kIncrementsPerStep = 4, kFailingCutbacks = 5;

// Whether the job fails in its last increment (--failing).
bool g_failing = false;

struct Counts {
  int steps = 0, increments = 0, attempts = 0, cutbacks = 0, iterations = 0, residuals = 0;
  int contactIterations = 0, contactDiagnostics = 0, elementDiagnostics = 0;
  int warnings = 0, errors = 0;
};

dia_Residual Residual(dia_FieldVariableEnum field, double value, bool accepted) {
  using RC = dia_ResidualCheckEnum;
  using CC = dia_CorrectionCheckEnum;
  return dia_Residual(field, accepted ? RC::RESIDUAL_ACCEPTED : RC::RESIDUAL_NOT_ACCEPTED,
                      accepted ? CC::CORRECTION_ACCEPTED : CC::CORRECTION_NOT_ACCEPTED, 0.0, false,
                      120.0, 118.5, false, value, 42, "PLATE-1", 2, value * 3, 17, "PLATE-1", 1,
                      value / 10, 42, "PLATE-1", 2);
}

// An element occurrence of "Distorted elements", variation 0: the element alone.
dia_AuxiliaryData ElementOccurrence(int element) {
  return dia_AuxiliaryData({}, {}, {}, {element}, {"PLATE-1"}, {}, {}, 0);
}

// A contact occurrence at a node of a contact pair (variation 0 of the contact codes used here).
dia_AuxiliaryData NodeOccurrence(int node, cow_List<double> values) {
  return dia_AuxiliaryData({}, values, {"PLATE-TOP", "BLOCK-BOTTOM"}, {}, {}, {node}, {"PLATE-1"},
                           0);
}

dia_Iteration MakeIteration(int number, bool converged, Counts& n) {
  dia_Iteration it(number);
  double r = 1.0 / (number * number);
  it.AddResidual(Residual(dia_FieldVariableEnum::DISPLACEMENT_FIELD, r, converged));
  it.AddResidual(Residual(dia_FieldVariableEnum::ROTATION_FIELD, r / 4, converged));
  dia_ContactIteration contact(1);
  dia_ContactDiagnostic overclosure(static_cast<int>(dia_ContactDiagnosticTypeEnum::OVERCLOSURES));
  overclosure.AddData(NodeOccurrence(100 + number, {2e-4 * r}));
  contact.AddContactDiagnostic(overclosure);
  contact.SetConverged();
  it.AddContactIteration(contact);
  dia_ContactDiagnostic opening(static_cast<int>(dia_ContactDiagnosticTypeEnum::OPENINGS));
  opening.AddData(NodeOccurrence(200 + number, {}));
  it.AddContactDiagnostic(opening);
  if (!converged) {
    dia_ElementDiagnostic distortion(
        static_cast<int>(dia_ElementDiagnosticTypeEnum::EXCESSIVE_DISTORTION));
    distortion.AddData(ElementOccurrence(7));
    it.AddElementDiagnostic(distortion);
    ++n.elementDiagnostics;
  }
  if (converged) it.SetConverged();
  n.iterations += 1, n.residuals += 2, n.contactIterations += 1, n.contactDiagnostics += 2;
  return it;
}

// One attempt at an increment; every third increment's first try diverges and is cut back.
void RunAttempt(dia_Increment& increment, int number, double size, bool cutBack, Counts& n) {
  increment.AddAttempt(dia_Attempt(number, size));
  increment.FlushAttempts();
  dia_Attempt& attempt = increment.GetAttemptByIndex(number - 1);
  const int iterations = cutBack ? 5 : 3;
  for (int k = 1; k <= iterations; ++k) {
    attempt.AddIteration(MakeIteration(k, !cutBack && k == iterations, n));
    attempt.FlushIterations();
    attempt.ReleaseIteration(k - 1);
  }
  if (cutBack) {
    using CB = dia_CutbackDiagnosticEnum;
    attempt.AddCutbackDiagnostic(static_cast<int>(CB::SOLUTION_APPEARS_TO_BE_DIVERGING));
    attempt.AddCutbackDiagnostic(static_cast<int>(CB::MAXIMUM_NUMBER_OF_EQUILIBRIUM_ITERATIONS));
    ++n.cutbacks;
  }
  increment.FlushAttempts();
  increment.ReleaseAttempt(number - 1);
  ++n.attempts;
}

void RunStep(dia_DiagnosticData& job, int s, Counts& n) {
  dia_Step step(s + 1, "Step-" + std::to_string(s + 1), 1, false, false);
  step.SetIncrementationControls(dia_IncrementationSchemeEnum::AUTO_INCREMENTATION, 1.0, 0.25, 1e-5,
                                 0.25, 100);
  step.m_isNlgeom = true;
  job.AddStep(step);
  job.FlushSteps();
  dia_Step& current = job.GetStepByIndex(s);
  double time = 0.0;
  for (int i = 1; i <= kIncrementsPerStep; ++i) {
    current.AddIncrement(dia_Increment(i, 0.25));
    current.FlushIncrements();
    dia_Increment& increment = current.GetIncrementByIndex(i - 1);
    if (g_failing && s + 1 == kSteps && i == kIncrementsPerStep) {
      for (int a = 1; a <= kFailingCutbacks; ++a)
        RunAttempt(increment, a, 0.25 / (1 << 2 * a), true, n);
      current.FlushIncrements();
      current.ReleaseIncrement(i - 1);
      ++n.increments;
      break;
    }
    bool cutBack = i % 3 == 0;
    if (cutBack) RunAttempt(increment, 1, 0.25, true, n);
    double size = cutBack ? 0.0625 : 0.25;
    RunAttempt(increment, cutBack ? 2 : 1, size, false, n);
    time += increment.GetIncrementSize();
    increment.SetStepTimeCompleted(time);
    job.UpdateJobHistoryDescription(increment.GetNumberOfAttempts(), cutBack ? 8 : 3, 0, false,
                                    cutBack, false, {i, increment.GetNumberOfAttempts()});
    current.FlushIncrements();
    current.ReleaseIncrement(i - 1);
    ++n.increments;
  }
  current.m_stepTimeCompleted = time;
  current.m_incrementsCompleted =
      g_failing && s + 1 == kSteps ? kIncrementsPerStep - 1 : kIncrementsPerStep;
  // "Distorted elements", variation 1: an integration point, its volume ratio and the element.
  dia_Warning warning(0x02020020, s + 1, 3, 1, 5);
  warning.AddData(dia_AuxiliaryData({2}, {0.05}, {}, {101 + s}, {"PART-1"}, {}, {}, 1));
  job.AddAnalysisWarning(warning);
  job.FlushAndReleaseWarnings();
  job.FlushSteps();
  job.ReleaseStep(s);
  ++n.steps, ++n.warnings;
}

Counts WriteJob(const std::string& path) {
  Counts n;
  ddr_Root& root = ddr_Root::Instance();
  const cow_String name = root.CreateDdb(path, "ddb example", ZunBasStringMode::UTF8);
  // The first save writes the database record and attaches the job's lists to the file.
  root.SaveDdb(name, true, ZunBasStringMode::UTF8);
  dia_DiagnosticData& job = root.Get(name, ZunBasStringMode::UTF8).GetDiagnosticData();
  for (int s = 0; s < kSteps; ++s) RunStep(job, s, n);
  // "Excessively distorted elements", variation 2: a jacobian at an integration point.
  dia_Error error(0x42020020, kSteps, kIncrementsPerStep, 1, 3);
  error.AddData(dia_AuxiliaryData({4}, {-0.5}, {}, {205}, {"PART-1"}, {}, {}, 2));
  error.SetInternalErrorString("material point did not converge");
  job.AddAnalysisError(error);
  ++n.errors;
  if (g_failing) {
    job.AddAnalysisError(dia_Error(dia_ErrorCode::TOO_MANY_ATTEMPTS, kSteps, kIncrementsPerStep,
                                   kFailingCutbacks, 5));
    ++n.errors;
  }
  job.FlushAndReleaseErrors();
  job.SetJobStatus(static_cast<int>(g_failing
                                        ? dia_JobStatusEnum::JOB_STATUS_EXITED_WITH_ERROR
                                        : dia_JobStatusEnum::JOB_STATUS_COMPLETED_SUCCESSFULLY));
  job.SetJobCpuTimes(12.5, 0.75, 14.0);
  job.FlushJobHistoryDescription();
  root.SaveDdb(name, true, ZunBasStringMode::UTF8);
  std::printf("steps held in memory after the last flush: %d\n", job.SnapSteps());
  root.CloseDdb(name, ZunBasStringMode::UTF8);
  return n;
}

void PrintIncrement(const dia_Increment& inc) {
  std::printf("    increment %d: %d attempt(s), size %g, step time %g, %s\n",
              inc.GetIncrementNumber(), inc.GetNumberOfAttempts(), inc.GetIncrementSize(),
              inc.GetStepTimeCompleted(), inc.IsConverged() ? "converged" : "not converged");
  for (int a = 0; a < inc.GetNumberOfAttempts(); ++a) {
    const dia_Attempt& attempt = inc.ConstGetAttemptByIndex(a);
    if (!attempt.IsCutback()) continue;
    std::printf("      attempt %d cut back after %d iterations:", attempt.GetAttemptNumber(),
                attempt.GetNumberOfIterations());
    for (int c = 0; c < attempt.GetNumberOfCutbackDiagnostics(); ++c) {
      auto code = static_cast<dia_CutbackDiagnosticEnum>(attempt.GetCutbackDiagnostic(c));
      std::printf(" %s", omu_PrimEnum<dia_CutbackDiagnosticEnum, 1>(code).AsString().c_str());
    }
    std::printf("\n");
  }
}

void PrintLastIteration(const dia_Increment& inc) {
  const dia_Attempt& attempt = inc.ConstGetAttemptByIndex(inc.GetNumberOfAttempts() - 1);
  const dia_Iteration& it = attempt.ConstGetIterationByIndex(attempt.GetNumberOfIterations() - 1);
  for (int r = 0; r < it.GetNumberOfResiduals(); ++r) {
    const dia_Residual& res = it.ConstGetResidualByIndex(r);
    std::printf("      %s: largest residual %g at node %d, %s\n",
                res.GetFieldVariableName().c_str(), res.GetMaxResidual(),
                res.GetMaxResidualNodeLabel(), res.IsAccepted() ? "accepted" : "not accepted");
  }
  std::printf("      %d contact iteration(s), %d contact and %d element diagnostic(s)\n",
              it.GetNumberOfContactIterations(), it.GetNumberOfContactDiagnostics(),
              it.GetNumberOfElementDiagnostics());
}

void ReadJob(const std::string& path) {
  ddr_Root& root = ddr_Root::Instance();
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Read, true, ZunBasStringMode::UTF8);
  const cow_String name = root.OpenDdb(file, "", ZunBasStringMode::UTF8);
  const ddr_Ddb& ddb = root.ConstGet(name, ZunBasStringMode::UTF8);
  std::printf("opened %s: created %s, ddb version %d\n",
              ddb.FileName(ZunBasStringMode::UTF8).c_str(), ddb.CreateTime().c_str(),
              ddb.DdbVersion());
  const dia_DiagnosticData& job = ddb.ConstGetDiagnosticData();
  double user = 0, system = 0, wall = 0;
  job.GetJobCpuTimes(user, system, wall);
  std::printf(
      "read: job status %d, %d steps (%d in memory), %d warning(s), %d error(s), "
      "wall clock %g s, history of %d integers\n",
      job.GetJobStatus(), job.GetNumberOfSteps(), job.SnapSteps(),
      job.GetNumberOfAnalysisWarnings(), job.GetNumberOfAnalysisErrors(), wall,
      job.GetJobHistoryDescription().Length());
  for (int s = 0; s < job.GetNumberOfSteps(); ++s) {
    const dia_Step& step = job.ConstGetStepByIndex(s);
    std::printf("  %s: %d increments, step time %g\n", step.GetStepName().c_str(),
                step.GetNumberOfIncrements(), step.m_stepTimeCompleted);
    for (int i = 0; i < step.GetNumberOfIncrements(); ++i)
      PrintIncrement(step.ConstGetIncrementByIndex(i));
  }
  const dia_Step& last = job.ConstGetStepByIndex(job.GetNumberOfSteps() - 1);
  std::printf("  last iteration of the job:\n");
  PrintLastIteration(last.ConstGetIncrementByIndex(last.GetNumberOfIncrements() - 1));
  std::printf("  error: \"%s\"\n",
              job.ConstGetAnalysisErrorByIndex(0).GetInternalErrorString().c_str());
  root.CloseDdb(name, ZunBasStringMode::UTF8);
}

}  // namespace

int main(int argc, char** argv) {
  g_failing = argc > 1 && std::string(argv[1]) == "--failing";
  if (g_failing) --argc, ++argv;
  std::string path = argc > 1 ? argv[1] : "/tmp/ddb-example-" + std::to_string(getpid()) + ".ddb";
  Counts n = WriteJob(path);
  std::printf(
      "wrote %s: %d steps, %d increments, %d attempts (%d cut back), %d iterations, "
      "%d residuals, %d contact iterations, %d contact and %d element diagnostics, "
      "%d warnings, %d error%s\n",
      path.c_str(), n.steps, n.increments, n.attempts, n.cutbacks, n.iterations, n.residuals,
      n.contactIterations, n.contactDiagnostics, n.elementDiagnostics, n.warnings, n.errors,
      n.errors == 1 ? "" : "s");
  std::fflush(stdout);
  pid_t reader = fork();
  if (reader == 0) {
    int rc = 0;
    try {
      ReadJob(path);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "reading %s failed: %s\n", path.c_str(), e.what());
      rc = 1;
    }
    std::fflush(nullptr);
    _exit(rc);
  }
  int status = 0;
  waitpid(reader, &status, 0);
  if (argc <= 1) {
    std::remove(path.c_str());
    std::remove((path + "-wal").c_str());
    std::remove((path + "-shm").c_str());
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
