// ddb print FILE [--code C] [--step N] [--diagnostics]: the job's warnings and errors as the
// solver prints them into its output files: a line saying where each was raised, then its
// catalog tables line by line, cut at the text channel's 120 characters (dia_TableText).
// --diagnostics adds the contact and element diagnostics of every increment and iteration.
#include <cstdio>

#include "Command.h"
#include "ddb/catalog/dia_ContactMetadataTable.h"
#include "ddb/catalog/dia_ElementMetadataTable.h"
#include "ddb/catalog/dia_PrintTable.h"
#include "ddb/catalog/dia_WarningErrorMetadataTable.h"

namespace ddbcli {
namespace {

struct Filter {
  bool byCode = false;
  unsigned code = 0;
  int step = -1;
  bool Wants(int code, int step) const {
    return (!byCode || (static_cast<unsigned>(code) & ~0x1Fu) == (this->code & ~0x1Fu)) &&
           (this->step < 0 || step == this->step);
  }
};

// Prints the tables; a diagnostic the catalog cannot lay out is reported and counted.
void PrintTables(const dia_DiagnosticBase& diagnostic, dia_MetadataTable& catalog,
                 const std::string& file, int& failures) {
  try {
    std::fputs(dia_TableText(diagnostic, catalog, true).c_str(), stdout);
  } catch (const std::exception& e) {
    ReportError(file, "cannot print the tables of code " +
                          Hex(static_cast<unsigned>(diagnostic.GetType())) + ": " + e.what());
    ++failures;
  }
}

void PrintWarningError(const char* kind, const dia_WarningErrorBase& d, const std::string& file,
                       int& failures) {
  dia_MetadataTable& catalog = dia_WarningErrorMetadataTable::Instance();
  const unsigned code = static_cast<unsigned>(d.GetType());
  std::printf("%s %s at step %d, increment %d, attempt %d, iteration %d: %s\n", kind,
              Hex(code).c_str(), d.GetStepNumber(), d.GetIncrementNumber(), d.GetAttemptNumber(),
              d.GetIterationNumber(), catalog.GetDescription(code).c_str());
  PrintTables(d, catalog, file, failures);
}

// The contact and element diagnostics of one increment of a step, in record order.
void PrintIncrementDiagnostics(const dia_Increment& increment, const Filter& filter, int step,
                               const std::string& file, int& failures) {
  dia_MetadataTable& contacts = dia_ContactMetadataTable::Instance();
  dia_MetadataTable& elements = dia_ElementMetadataTable::Instance();
  auto print = [&](const dia_DiagnosticBase& d, dia_MetadataTable& catalog, const char* kind,
                   const std::string& where) {
    if (!filter.Wants(d.GetType(), step)) return;
    std::printf("%s diagnostic %s at step %d, increment %d%s: %s\n", kind,
                Hex(static_cast<unsigned>(d.GetType())).c_str(), step,
                increment.GetIncrementNumber(), where.c_str(),
                catalog.GetDescription(static_cast<unsigned>(d.GetType())).c_str());
    PrintTables(d, catalog, file, failures);
  };
  for (int a = 0; a < increment.GetNumberOfAttempts(); ++a) {
    const dia_Attempt& attempt = increment.ConstGetAttemptByIndex(a);
    for (int k = 0; k < attempt.GetNumberOfIterations(); ++k) {
      const dia_Iteration& it = attempt.ConstGetIterationByIndex(k);
      const std::string where = ", attempt " + std::to_string(attempt.GetAttemptNumber()) +
                                ", iteration " + std::to_string(it.GetIterationNumber());
      for (int c = 0; c < it.GetNumberOfContactIterations(); ++c) {
        const dia_ContactIteration& ci = it.ConstGetContactIterationByIndex(c);
        for (int d = 0; d < ci.GetNumberOfContactDiagnostics(); ++d)
          print(ci.ConstGetContactDiagnosticByIndex(d), contacts, "contact", where);
      }
      for (int d = 0; d < it.GetNumberOfContactDiagnostics(); ++d)
        print(it.ConstGetContactDiagnosticByIndex(d), contacts, "contact", where);
      for (int d = 0; d < it.GetNumberOfElementDiagnostics(); ++d)
        print(it.ConstGetElementDiagnosticByIndex(d), elements, "element", where);
      attempt.ReleaseIteration(k);
    }
    increment.ReleaseAttempt(a);
  }
  for (int d = 0; d < increment.GetNumberOfElementDiagnostics(); ++d)
    print(increment.ConstGetElementDiagnosticByIndex(d), elements, "element", "");
}

int Run(const Arguments& args) {
  Filter filter;
  if (args.Has("--code")) {
    filter.byCode = true;
    if (!ParseCode(args.Text("--code", ""), filter.code))
      throw Failure("'" + args.Text("--code", "") + "' is not a code");
  }
  if (args.Has("--step")) filter.step = args.Int("--step");
  OpenedJob opened(args.positional);
  const dia_DiagnosticData& job = opened.Job();
  int failures = 0;
  for (int w = 0; w < job.GetNumberOfAnalysisWarnings(); ++w) {
    const dia_Warning& warning = job.ConstGetAnalysisWarningByIndex(w);
    if (filter.Wants(warning.GetType(), warning.GetStepNumber()))
      PrintWarningError("warning", warning, opened.Path(), failures);
    job.ReleaseAnalysisWarning(w);
  }
  for (int e = 0; e < job.GetNumberOfAnalysisErrors(); ++e) {
    const dia_Error& error = job.ConstGetAnalysisErrorByIndex(e);
    if (filter.Wants(error.GetType(), error.GetStepNumber())) {
      PrintWarningError("error", error, opened.Path(), failures);
      const cow_String internal = error.GetInternalErrorString();
      if (!internal.empty()) std::printf("internal error: %s\n", internal.c_str());
    }
    job.ReleaseAnalysisError(e);
  }
  for (int s = 0; args.Has("--diagnostics") && s < job.GetNumberOfSteps(); ++s) {
    const dia_Step& step = job.ConstGetStepByIndex(s);
    for (int i = 0; i < step.GetNumberOfIncrements(); ++i) {
      PrintIncrementDiagnostics(step.ConstGetIncrementByIndex(i), filter, step.GetStepNumber(),
                                opened.Path(), failures);
      step.ReleaseIncrement(i);
    }
    job.ReleaseStep(s);
  }
  return failures == 0 ? kOk : kError;
}

}  // namespace

Command PrintCommand() {
  return {"print",
          "The warnings and errors as catalog tables, as the solver prints them",
          "FILE",
          true,
          {{"--code", ArgKind::Text, "only this code (0x4A0A0040, a number or TOO_MANY_ATTEMPTS)"},
           {"--step", ArgKind::Integer, "only what was raised in this step"},
           {"--diagnostics", ArgKind::Flag, "also the contact and element diagnostics"}},
          Run};
}

}  // namespace ddbcli
