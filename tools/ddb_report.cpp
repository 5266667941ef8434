// ddb_report: prints the diagnostics of the analysis job kept in a ddb file, for reading what
// happened in a failed run: the job's header, each step with its increments and attempts (the
// reasons of every cut-back), optionally each iteration's residual checks, and the warnings,
// errors and optionally the contact and element diagnostics as the catalog's tables.
//
// The file is opened read-only and the tree is walked lazily: each record is loaded when it is
// printed and released right after, so a file of any size prints in bounded memory.
//
// Usage: ddb_report [--summary] [--iterations] [--diagnostics] file.ddb
// Exit code 0 when the report was printed, 1 for a usage error or a file that cannot be read.
#include <cstdio>
#include <exception>
#include <string>

#include "ReportPrinter.h"
#include "ddb/catalog/dia_ContactMetadataTable.h"
#include "ddb/catalog/dia_ElementMetadataTable.h"
#include "ddb/catalog/dia_WarningErrorMetadataTable.h"
#include "ddb/database/ddr_Root.h"

namespace {

constexpr ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;
// Warnings and errors can only be released all at once; this many are printed between releases.
constexpr int kReleaseBatch = 256;

const char kUsage[] =
    "usage: ddb_report [--summary] [--iterations] [--diagnostics] file.ddb\n"
    "  --summary      only the header and one line per step\n"
    "  --iterations   each iteration with its residual checks\n"
    "  --diagnostics  the contact and element diagnostics of each iteration and increment\n";

struct Options {
  bool summary = false;
  bool iterations = false;
  bool diagnostics = false;
  bool help = false;
  std::string path;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--summary") {
      options.summary = true;
    } else if (arg == "--iterations") {
      options.iterations = true;
    } else if (arg == "--diagnostics") {
      options.diagnostics = true;
    } else if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg.empty() || arg[0] == '-' || !options.path.empty()) {
      return false;
    } else {
      options.path = arg;
    }
  }
  return options.help || !options.path.empty();
}

// "1 attempt", "2 attempts".
std::string Count(int n, const char* noun) {
  return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

std::string Position(const dia_WarningErrorBase& d) {
  return "step " + std::to_string(d.GetStepNumber()) + ", increment " +
         std::to_string(d.GetIncrementNumber()) + ", attempt " +
         std::to_string(d.GetAttemptNumber()) + ", iteration " +
         std::to_string(d.GetIterationNumber());
}

std::string NodeText(const cow_String& instance, int node, int dof) {
  std::string text = "node ";
  if (!instance.empty()) text += std::string(instance.c_str()) + ".";
  return text + std::to_string(node) + " dof " + std::to_string(dof);
}

std::string CutbackText(const dia_Attempt& attempt) {
  std::string text;
  for (int c = 0; c < attempt.GetNumberOfCutbackDiagnostics(); ++c) {
    text += c == 0 ? ", cut back: " : ", ";
    text += report::EnumName<dia_CutbackDiagnosticEnum>(attempt.GetCutbackDiagnostic(c));
  }
  return text;
}

void PrintHeader(const ddr_Ddb& ddb, const dia_DiagnosticData& job) {
  double user = 0, system = 0, wallclock = 0;
  job.GetJobCpuTimes(user, system, wallclock);
  std::printf("file: %s\n", ddb.FileName(kUtf8).c_str());
  std::printf("created: %s\n", ddb.CreateTime().c_str());
  std::printf("modified: %s\n", ddb.ModifyTime().c_str());
  std::printf("analysis version: %s\n", ddb.AnalysisVersion().c_str());
  std::printf("ddb version: %d\n", ddb.DdbVersion());
  std::printf("job status: %s\n", report::EnumName<dia_JobStatusEnum>(job.GetJobStatus()).c_str());
  std::printf("cpu times: user %g s, system %g s, wall clock %g s\n", user, system, wallclock);
  std::printf("steps: %d, warnings: %d, errors: %d\n", job.GetNumberOfSteps(),
              job.GetNumberOfAnalysisWarnings(), job.GetNumberOfAnalysisErrors());
}

void PrintStepLine(const dia_Step& step) {
  std::printf("step %d \"%s\": procedure %d, %s completed, step time %g\n", step.GetStepNumber(),
              step.GetStepName().c_str(), step.GetProcedureCode(),
              Count(step.m_incrementsCompleted, "increment").c_str(), step.m_stepTimeCompleted);
}

void PrintResidual(const dia_Residual& residual) {
  std::printf("        %s: largest residual %g at %s, %s\n",
              residual.GetFieldVariableName().c_str(), residual.GetMaxResidual(),
              NodeText(residual.GetMaxResidualInstanceName(), residual.GetMaxResidualNodeLabel(),
                       residual.GetMaxResidualDof())
                  .c_str(),
              residual.IsAccepted() ? "accepted" : "not accepted");
}

// A contact or element diagnostic: a line naming it, then its catalog table.
void PrintDiagnostic(const char* indent, const char* kind, const dia_DiagnosticBase& diagnostic,
                     dia_MetadataTable& catalog) {
  std::printf("%s%s diagnostic: %s (%s)\n", indent, kind,
              report::Describe(catalog, diagnostic.GetType()).c_str(),
              Count(diagnostic.GetData().Length(), "occurrence").c_str());
  report::PrintCatalogTable(diagnostic, catalog);
}

// Walks the job's tree below the header, printing what the options ask for.
class JobReport {
 public:
  JobReport(const Options& options, const dia_DiagnosticData& job)
      : m_options(options), m_job(job) {}

  void PrintSteps() const;
  void PrintWarnings() const;
  void PrintErrors() const;

 private:
  bool WalksIterations() const { return m_options.iterations || m_options.diagnostics; }
  void PrintIncrement(const dia_Increment& increment) const;
  void PrintAttempt(const dia_Attempt& attempt) const;
  void PrintIteration(const dia_Iteration& iteration) const;
  void PrintIterationDiagnostics(const dia_Iteration& iteration) const;

  const Options& m_options;
  const dia_DiagnosticData& m_job;
};

void JobReport::PrintSteps() const {
  for (int s = 0; s < m_job.GetNumberOfSteps(); ++s) {
    const dia_Step& step = m_job.ConstGetStepByIndex(s);
    PrintStepLine(step);
    for (int i = 0; !m_options.summary && i < step.GetNumberOfIncrements(); ++i) {
      PrintIncrement(step.ConstGetIncrementByIndex(i));
      report::Releasable(step).ReleaseIncrement(i);
    }
    report::Releasable(m_job).ReleaseStep(s);
  }
}

void JobReport::PrintIncrement(const dia_Increment& increment) const {
  std::printf("  increment %d: size %g, step time %g, %s\n", increment.GetIncrementNumber(),
              increment.GetIncrementSize(), increment.GetStepTimeCompleted(),
              Count(increment.GetNumberOfAttempts(), "attempt").c_str());
  for (int a = 0; a < increment.GetNumberOfAttempts(); ++a) {
    PrintAttempt(increment.ConstGetAttemptByIndex(a));
    report::Releasable(increment).ReleaseAttempt(a);
  }
  if (!m_options.diagnostics) return;
  dia_MetadataTable& elements = dia_ElementMetadataTable::Instance();
  for (int e = 0; e < increment.GetNumberOfElementDiagnostics(); ++e)
    PrintDiagnostic("    ", "element", increment.ConstGetElementDiagnosticByIndex(e), elements);
}

void JobReport::PrintAttempt(const dia_Attempt& attempt) const {
  std::printf("    attempt %d: size %g, %s, %s%s\n", attempt.GetAttemptNumber(),
              attempt.GetAttemptSize(), Count(attempt.GetNumberOfIterations(), "iteration").c_str(),
              attempt.IsConverged() ? "converged" : "not converged", CutbackText(attempt).c_str());
  if (!WalksIterations()) return;
  for (int k = 0; k < attempt.GetNumberOfIterations(); ++k) {
    PrintIteration(attempt.ConstGetIterationByIndex(k));
    report::Releasable(attempt).ReleaseIteration(k);
  }
}

void JobReport::PrintIteration(const dia_Iteration& iteration) const {
  std::printf("      iteration %d: %s, %s, %d contact and %d element diagnostics\n",
              iteration.GetIterationNumber(),
              iteration.IsConverged() ? "converged" : "not converged",
              Count(iteration.GetNumberOfContactIterations(), "contact iteration").c_str(),
              iteration.GetNumberOfContactDiagnostics(), iteration.GetNumberOfElementDiagnostics());
  if (m_options.iterations)
    for (int r = 0; r < iteration.GetNumberOfResiduals(); ++r)
      PrintResidual(iteration.ConstGetResidualByIndex(r));
  if (m_options.diagnostics) PrintIterationDiagnostics(iteration);
}

void JobReport::PrintIterationDiagnostics(const dia_Iteration& iteration) const {
  dia_MetadataTable& contacts = dia_ContactMetadataTable::Instance();
  for (int c = 0; c < iteration.GetNumberOfContactIterations(); ++c) {
    const dia_ContactIteration& contact = iteration.ConstGetContactIterationByIndex(c);
    std::printf("        contact iteration %d: %s\n", contact.GetIterationNumber(),
                contact.IsConverged() ? "converged" : "not converged");
    for (int d = 0; d < contact.GetNumberOfContactDiagnostics(); ++d)
      PrintDiagnostic("          ", "contact", contact.ConstGetContactDiagnosticByIndex(d),
                      contacts);
  }
  for (int d = 0; d < iteration.GetNumberOfContactDiagnostics(); ++d)
    PrintDiagnostic("        ", "contact", iteration.ConstGetContactDiagnosticByIndex(d), contacts);
  dia_MetadataTable& elements = dia_ElementMetadataTable::Instance();
  for (int d = 0; d < iteration.GetNumberOfElementDiagnostics(); ++d)
    PrintDiagnostic("        ", "element", iteration.ConstGetElementDiagnosticByIndex(d), elements);
}

void JobReport::PrintWarnings() const {
  dia_MetadataTable& catalog = dia_WarningErrorMetadataTable::Instance();
  std::printf("warnings: %d\n", m_job.GetNumberOfAnalysisWarnings());
  for (int w = 0; w < m_job.GetNumberOfAnalysisWarnings(); ++w) {
    const dia_Warning& warning = m_job.ConstGetAnalysisWarningByIndex(w);
    std::printf("warning %d (0x%08X) at %s: %s\n", w + 1, static_cast<unsigned>(warning.GetType()),
                Position(warning).c_str(), report::Describe(catalog, warning.GetType()).c_str());
    report::PrintCatalogTable(warning, catalog);
    if ((w + 1) % kReleaseBatch == 0) report::Releasable(m_job).FlushAndReleaseWarnings();
  }
  report::Releasable(m_job).FlushAndReleaseWarnings();
}

void JobReport::PrintErrors() const {
  dia_MetadataTable& catalog = dia_WarningErrorMetadataTable::Instance();
  std::printf("errors: %d\n", m_job.GetNumberOfAnalysisErrors());
  for (int e = 0; e < m_job.GetNumberOfAnalysisErrors(); ++e) {
    const dia_Error& error = m_job.ConstGetAnalysisErrorByIndex(e);
    std::printf("error %d (0x%08X) at %s: %s\n", e + 1, static_cast<unsigned>(error.GetType()),
                Position(error).c_str(), report::Describe(catalog, error.GetType()).c_str());
    const cow_String internal = error.GetInternalErrorString();
    if (!internal.empty()) std::printf("  internal error: %s\n", internal.c_str());
    report::PrintCatalogTable(error, catalog);
    if ((e + 1) % kReleaseBatch == 0) report::Releasable(m_job).FlushAndReleaseErrors();
  }
  report::Releasable(m_job).FlushAndReleaseErrors();
}

void Report(const Options& options) {
  ddr_Root& root = ddr_Root::Instance();
  const rfm_FileHandle file = rfm_File::Open(options.path, rfm_Access::Read, true, kUtf8);
  const cow_String name = root.OpenDdb(file, "", kUtf8);
  const ddr_Ddb& ddb = root.ConstGet(name, kUtf8);
  const dia_DiagnosticData& job = ddb.ConstGetDiagnosticData();
  PrintHeader(ddb, job);
  JobReport report(options, job);
  report.PrintSteps();
  if (!options.summary) {
    report.PrintWarnings();
    report.PrintErrors();
  }
  std::fflush(stdout);
  root.CloseDdb(name, kUtf8);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fputs(kUsage, stderr);
    return 1;
  }
  if (options.help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  try {
    Report(options);
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "ddb_report: %s\n", e.what());
    return 1;
  }
  return 0;
}
