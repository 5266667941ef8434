// ddb check FILE: whether a ddb file is sound. Checks its marks and layout (opening it), SQLite's
// own integrity check of its pages, then reads every record of the job's tree, with a progress
// bar on a terminal. Each problem goes to stderr; the exit status is 0 only for a sound file.

#include <cstdio>

#include "Command.h"

namespace ddbcli {
namespace {

struct Tally {
  long records = 0;
  int problems = 0;
};

void ReadIteration(const dia_Iteration& it, Tally& n) {
  n.records += 1 + it.GetNumberOfResiduals() + it.GetNumberOfCompatibilityErrors();
  for (int r = 0; r < it.GetNumberOfResiduals(); ++r) (void)it.ConstGetResidualByIndex(r);
  for (int c = 0; c < it.GetNumberOfCompatibilityErrors(); ++c)
    (void)it.ConstGetCompatibilityErrorByIndex(c);
  for (int c = 0; c < it.GetNumberOfContactIterations(); ++c) {
    const dia_ContactIteration& ci = it.ConstGetContactIterationByIndex(c);
    n.records += 1 + ci.GetNumberOfContactDiagnostics();
    for (int d = 0; d < ci.GetNumberOfContactDiagnostics(); ++d)
      (void)ci.ConstGetContactDiagnosticByIndex(d);
  }
  for (int d = 0; d < it.GetNumberOfContactDiagnostics(); ++d)
    (void)it.ConstGetContactDiagnosticByIndex(d);
  for (int d = 0; d < it.GetNumberOfElementDiagnostics(); ++d)
    (void)it.ConstGetElementDiagnosticByIndex(d);
  n.records += it.GetNumberOfContactDiagnostics() + it.GetNumberOfElementDiagnostics();
}

void ReadIncrement(const dia_Increment& inc, Tally& n) {
  ++n.records;
  for (int d = 0; d < inc.GetNumberOfElementDiagnostics(); ++d)
    (void)inc.ConstGetElementDiagnosticByIndex(d), ++n.records;
  for (int a = 0; a < inc.GetNumberOfAttempts(); ++a) {
    const dia_Attempt& attempt = inc.ConstGetAttemptByIndex(a);
    ++n.records;
    for (int k = 0; k < attempt.GetNumberOfIterations(); ++k) {
      ReadIteration(attempt.ConstGetIterationByIndex(k), n);
      attempt.ReleaseIteration(k);
    }
    inc.ReleaseAttempt(a);
  }
}

// Reads every record; a record that cannot be read is a problem, and the walk goes on with the
// next increment or step.
void ReadTree(const OpenedJob& opened, Tally& n) {
  const dia_DiagnosticData& job = opened.Job();
  int total = 0;
  for (int s = 0; s < job.GetNumberOfSteps(); ++s) {
    total += job.ConstGetStepByIndex(s).GetNumberOfIncrements();
    job.ReleaseStep(s);
  }
  const Progress progress("reading the tree", total);
  int done = 0;
  for (int s = 0; s < job.GetNumberOfSteps(); ++s) {
    const dia_Step& step = job.ConstGetStepByIndex(s);
    ++n.records;
    for (int i = 0; i < step.GetNumberOfIncrements(); ++i, progress.Show(++done)) {
      try {
        ReadIncrement(step.ConstGetIncrementByIndex(i), n);
      } catch (const std::exception& e) {
        ReportError(opened.Path(), "step " + std::to_string(step.GetStepNumber()) + ", increment " +
                                       std::to_string(i + 1) + ": " + e.what());
        ++n.problems;
      }
      step.ReleaseIncrement(i);
    }
    job.ReleaseStep(s);
  }
  for (int w = 0; w < job.GetNumberOfAnalysisWarnings(); ++w, ++n.records)
    (void)job.ConstGetAnalysisWarningByIndex(w), job.ReleaseAnalysisWarning(w);
  for (int e = 0; e < job.GetNumberOfAnalysisErrors(); ++e, ++n.records)
    (void)job.ConstGetAnalysisErrorByIndex(e), job.ReleaseAnalysisError(e);
}

int Run(const Arguments& args) {
  Tally n;
  OpenedJob opened(args.positional);
  std::printf("layout: ddb %d\n", rfm_File::kLayout);
  const std::vector<std::string> pages = opened.File()->CheckIntegrity();
  for (const std::string& problem : pages) ReportError(opened.Path(), "SQLite: " + problem);
  n.problems += static_cast<int>(pages.size());
  std::printf("SQLite integrity: %s\n", pages.empty() ? "ok" : "damaged");
  ReadTree(opened, n);
  std::printf("records read: %ld\n", n.records);
  std::printf("%s: %s\n", opened.Path().c_str(),
              n.problems == 0 ? "sound" : (Plural(n.problems, "problem") + " found").c_str());
  return n.problems == 0 ? kOk : kError;
}

}  // namespace

Command CheckCommand() {
  return {"check",
          "Whether a file is sound: layout, SQLite integrity, every record of the tree readable",
          "FILE",
          true,
          {},
          Run};
}

}  // namespace ddbcli
