// ddb explain FILE: why a run ended as it did. A headline first ("Step 2, increment 4 did not
// converge after 5 cut-backs: Too many attempts"), then the last increment's attempts with their
// cut-back reasons, the worst residuals and where they sit, the elements and contact pairs
// reported most often with their catalog titles and explanatory texts, the numerical problems,
// and a count of every warning and error code per step.
#include <algorithm>
#include <cstdio>
#include <map>

#include "Command.h"
#include "ddb/catalog/dia_ContactMetadataTable.h"
#include "ddb/catalog/dia_ElementMetadataTable.h"
#include "ddb/catalog/dia_WarningErrorMetadataTable.h"

namespace ddbcli {
namespace {

constexpr int kMostReported = 5;

struct Place {
  int step = 0, increment = 0;
};

// Occurrences counted by (catalog code, where: "PLATE-1.7" or "SLAVE / MASTER").
using Tally = std::map<std::pair<unsigned, std::string>, int>;

struct LastIncrementFacts {
  Tally elements, contactPairs;
  int negativeEigenvalues = 0, singularities = 0, zeroPivots = 0;
};

std::string Title(dia_MetadataTable& catalog, unsigned code) {
  const cow_String title = catalog.GetDescription(code);
  return title.empty() ? Hex(code) + " (not in the catalog)" : title.str();
}

void TallyElements(const dia_DiagnosticBase& diagnostic, Tally& tally) {
  const auto& data = diagnostic.GetData();
  for (int i = 0; i < data.size(); ++i) {
    const dia_AuxiliaryData& block = data.ConstGet(i);
    const auto& labels = block.GetElementLabels();
    const auto& instances = block.GetElementInstanceNames();
    for (int k = 0; k < labels.Length(); ++k) {
      std::string where = k < instances.Length() && !instances[k].empty() ? instances[k].str() + "."
                                                                          : std::string();
      ++tally[{static_cast<unsigned>(diagnostic.GetType()) & ~0x1Fu,
               where + std::to_string(labels[k])}];
    }
  }
}

void TallyContacts(const dia_DiagnosticBase& diagnostic, Tally& tally) {
  const auto& data = diagnostic.GetData();
  for (int i = 0; i < data.size(); ++i) {
    const auto& surfaces = data.ConstGet(i).GetStringValues();
    std::string pair;
    for (int k = 0; k < surfaces.Length(); ++k) pair += (k ? " / " : "") + surfaces[k].str();
    if (pair.empty()) pair = "(no surfaces named)";
    ++tally[{static_cast<unsigned>(diagnostic.GetType()) & ~0x1Fu, pair}];
  }
}

void Gather(const dia_Iteration& it, LastIncrementFacts& facts) {
  facts.negativeEigenvalues += it.GetNumberOfNegativeEigenvalues();
  facts.singularities += it.GetNumberOfNumericalSingularities();
  facts.zeroPivots += it.GetNumberOfZeroPivots();
  for (int d = 0; d < it.GetNumberOfElementDiagnostics(); ++d)
    TallyElements(it.ConstGetElementDiagnosticByIndex(d), facts.elements);
  for (int d = 0; d < it.GetNumberOfContactDiagnostics(); ++d)
    TallyContacts(it.ConstGetContactDiagnosticByIndex(d), facts.contactPairs);
  for (int c = 0; c < it.GetNumberOfContactIterations(); ++c) {
    const dia_ContactIteration& contact = it.ConstGetContactIterationByIndex(c);
    for (int d = 0; d < contact.GetNumberOfContactDiagnostics(); ++d)
      TallyContacts(contact.ConstGetContactDiagnosticByIndex(d), facts.contactPairs);
  }
}

// The attempts of the increment, with the worst residual of each attempt's last iteration.
LastIncrementFacts PrintAttempts(const dia_Increment& increment) {
  LastIncrementFacts facts;
  std::printf("\nAttempts:\n");
  for (int a = 0; a < increment.GetNumberOfAttempts(); ++a) {
    const dia_Attempt& attempt = increment.ConstGetAttemptByIndex(a);
    const std::string reasons = CutbackReasons(attempt);
    std::printf("  attempt %d: size %g, %s, %s\n", attempt.GetAttemptNumber(),
                attempt.GetAttemptSize(),
                Plural(attempt.GetNumberOfIterations(), "iteration").c_str(),
                reasons.empty() ? (attempt.IsConverged() ? "converged" : "not converged")
                                : ("cut back: " + reasons).c_str());
    for (int k = 0; k < attempt.GetNumberOfIterations(); ++k) {
      const dia_Iteration& it = attempt.ConstGetIterationByIndex(k);
      Gather(it, facts);
      const dia_Residual* worst = WorstResidual(it);
      if (k + 1 == attempt.GetNumberOfIterations() && worst)
        std::printf("    worst residual in iteration %d: %s %g at %s\n", it.GetIterationNumber(),
                    worst->GetFieldVariableName().c_str(), worst->GetMaxResidual(),
                    NodeDof(worst->GetMaxResidualInstanceName(), worst->GetMaxResidualNodeLabel(),
                            worst->GetMaxResidualDof())
                        .c_str());
      attempt.ReleaseIteration(k);
    }
    increment.ReleaseAttempt(a);
  }
  for (int d = 0; d < increment.GetNumberOfElementDiagnostics(); ++d)
    TallyElements(increment.ConstGetElementDiagnosticByIndex(d), facts.elements);
  return facts;
}

void PrintMostReported(const char* heading, const Tally& tally, dia_MetadataTable& catalog) {
  if (tally.empty()) return;
  std::vector<std::pair<int, std::pair<unsigned, std::string>>> ranked;
  for (const auto& [key, count] : tally) ranked.push_back({count, key});
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  if (ranked.size() > kMostReported) ranked.resize(kMostReported);
  std::printf("\n%s:\n", heading);
  std::map<unsigned, bool> codes;
  for (const auto& [count, key] : ranked) {
    std::printf("  %s: %s, %s\n", key.second.c_str(), Title(catalog, key.first).c_str(),
                Plural(count, "time").c_str());
    codes[key.first] = true;
  }
  for (const auto& [code, unused] : codes) {
    const cow_String text = catalog.GetKnowledgeItem(code);
    if (!text.empty()) std::printf("  %s: %s\n", Title(catalog, code).c_str(), text.c_str());
  }
}

// Warning and error codes counted per step.
void PrintCodesPerStep(const dia_DiagnosticData& job) {
  std::map<int, std::map<unsigned, int>> perStep;
  for (int w = 0; w < job.GetNumberOfAnalysisWarnings(); ++w) {
    const dia_Warning& warning = job.ConstGetAnalysisWarningByIndex(w);
    ++perStep[warning.GetStepNumber()][static_cast<unsigned>(warning.GetType()) & ~0x1Fu];
    job.ReleaseAnalysisWarning(w);
  }
  for (int e = 0; e < job.GetNumberOfAnalysisErrors(); ++e) {
    const dia_Error& error = job.ConstGetAnalysisErrorByIndex(e);
    ++perStep[error.GetStepNumber()][static_cast<unsigned>(error.GetType()) & ~0x1Fu];
    job.ReleaseAnalysisError(e);
  }
  if (perStep.empty()) return;
  dia_MetadataTable& catalog = dia_WarningErrorMetadataTable::Instance();
  std::printf("\nWarnings and errors per step:\n");
  for (const auto& [step, codes] : perStep) {
    std::printf("  step %d:\n", step);
    for (const auto& [code, count] : codes)
      std::printf("    %s %s %s: %d\n", code & 0x40000000u ? "error  " : "warning",
                  Hex(code).c_str(), Title(catalog, code).c_str(), count);
  }
}

// The title of the last error raised at a place, or "".
std::string ErrorAt(const dia_DiagnosticData& job, const Place& place) {
  std::string title;
  for (int e = 0; e < job.GetNumberOfAnalysisErrors(); ++e) {
    const dia_Error& error = job.ConstGetAnalysisErrorByIndex(e);
    if (error.GetStepNumber() == place.step && error.GetIncrementNumber() == place.increment)
      title =
          Title(dia_WarningErrorMetadataTable::Instance(), static_cast<unsigned>(error.GetType()));
    job.ReleaseAnalysisError(e);
  }
  return title;
}

std::string Headline(const dia_DiagnosticData& job, const TreeCounts& n, const dia_Step& step,
                     const dia_Increment& increment) {
  const Place place{step.GetStepNumber(), increment.GetIncrementNumber()};
  std::string where =
      "Step " + std::to_string(place.step) + ", increment " + std::to_string(place.increment);
  if (increment.IsConverged()) {
    if (n.errors > 0) {
      const dia_Error& error = job.ConstGetAnalysisErrorByIndex(n.errors - 1);
      return "The job stopped with an error at step " + std::to_string(error.GetStepNumber()) +
             ", increment " + std::to_string(error.GetIncrementNumber()) + ": " +
             Title(dia_WarningErrorMetadataTable::Instance(),
                   static_cast<unsigned>(error.GetType()));
    }
    return "The job's last increment converged: " + Plural(n.steps, "step") + ", " +
           Plural(n.increments, "increment") + ", " + Plural(n.cutbacks, "cut-back") + ".";
  }
  int cutbacks = 0;
  std::string reasons;
  for (int a = 0; a < increment.GetNumberOfAttempts(); ++a) {
    const dia_Attempt& attempt = increment.ConstGetAttemptByIndex(a);
    if (attempt.IsCutback()) ++cutbacks, reasons = CutbackReasons(attempt);
    increment.ReleaseAttempt(a);
  }
  const std::string error = ErrorAt(job, place);
  return where + " did not converge after " + Plural(cutbacks, "cut-back") + ": " +
         (error.empty() ? (reasons.empty() ? "no cut-back reason recorded" : reasons) : error);
}

int Run(const Arguments& args) {
  OpenedJob opened(args.positional);
  const dia_DiagnosticData& job = opened.Job();
  const TreeCounts counts = CountTree(job);
  const int steps = job.GetNumberOfSteps();
  if (steps == 0) {
    std::printf("The job recorded no step.\n");
    PrintCodesPerStep(job);
    return kOk;
  }
  const dia_Step& step = job.ConstGetStepByIndex(steps - 1);
  const int increments = step.GetNumberOfIncrements();
  if (increments == 0) {
    std::printf("Step %d recorded no increment.\n", step.GetStepNumber());
    PrintCodesPerStep(job);
    return kOk;
  }
  const dia_Increment& increment = step.ConstGetIncrementByIndex(increments - 1);
  std::printf("%s\n", Headline(job, counts, step, increment).c_str());
  std::printf("\nLast increment: step %d, increment %d, size %g, %s\n", step.GetStepNumber(),
              increment.GetIncrementNumber(), increment.GetIncrementSize(),
              Plural(increment.GetNumberOfAttempts(), "attempt").c_str());
  const LastIncrementFacts facts = PrintAttempts(increment);
  PrintMostReported("Elements reported most often", facts.elements,
                    dia_ElementMetadataTable::Instance());
  PrintMostReported("Contact pairs reported most often", facts.contactPairs,
                    dia_ContactMetadataTable::Instance());
  std::printf(
      "\nNumerical problems in the last increment: negative eigenvalues %d, numerical "
      "singularities %d, zero pivots %d\n",
      facts.negativeEigenvalues, facts.singularities, facts.zeroPivots);
  PrintCodesPerStep(job);
  return kOk;
}

}  // namespace

Command ExplainCommand() {
  return {"explain", "Why the run ended as it did: where it failed, the cut-backs and their causes",
          "FILE",    true,
          {},        Run};
}

}  // namespace ddbcli
