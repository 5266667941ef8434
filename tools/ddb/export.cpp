// ddb export FILE --format json|csv [--what tree|steps|increments|attempts|iterations|residuals|
// diagnostics]: the job as data for a spreadsheet, pandas or a database. JSON of the whole tree
// (the default) holds every value the records store, numbers printed so that they read back
// exactly; the flat tables hold one row per record of a level with its position (step,
// increment, attempt, iteration) first. Enumerations appear by name, codes with their titles.
#include <cstdio>
#include <functional>
#include <nlohmann/json.hpp>

#include "Command.h"
#include "ddb/catalog/dia_ContactMetadataTable.h"
#include "ddb/catalog/dia_ElementMetadataTable.h"
#include "ddb/catalog/dia_WarningErrorMetadataTable.h"

namespace ddbcli {
namespace {

using Json = nlohmann::ordered_json;
using Emit = std::function<void(const Json& row)>;

template <class T>
Json Array(const cow_List<T>& list) {
  Json array = Json::array();
  for (int i = 0; i < list.Length(); ++i) {
    if constexpr (std::is_same_v<T, cow_String>)
      array.push_back(list[i].str());
    else
      array.push_back(list[i]);
  }
  return array;
}

Json ResidualJson(const dia_Residual& r) {
  return {{"field", EnumName<dia_FieldVariableEnum>(static_cast<unsigned>(r.GetFieldVariable()))},
          {"residualCheck",
           EnumName<dia_ResidualCheckEnum>(static_cast<unsigned>(r.GetResidualCheck()))},
          {"correctionCheck",
           EnumName<dia_CorrectionCheckEnum>(static_cast<unsigned>(r.GetCorrectionCheck()))},
          {"estimatedCorrection", r.GetEstimatedCorrection()},
          {"isResponseLinear", r.IsResponseLinear()},
          {"averageFlux", r.GetAverageFlux()},
          {"timeAverageFlux", r.GetTimeAverageFlux()},
          {"hasUserDefinedNorm", r.HasUserDefinedNorm()},
          {"maxResidual", r.GetMaxResidual()},
          {"maxResidualNode", r.GetMaxResidualNodeLabel()},
          {"maxResidualInstance", r.GetMaxResidualInstanceName().str()},
          {"maxResidualDof", r.GetMaxResidualDof()},
          {"maxIncrement", r.GetMaxIncrement()},
          {"maxIncrementNode", r.GetMaxIncrementNodeLabel()},
          {"maxIncrementInstance", r.GetMaxIncrementInstanceName().str()},
          {"maxIncrementDof", r.GetMaxIncrementDof()},
          {"maxCorrection", r.GetMaxCorrection()},
          {"maxCorrectionNode", r.GetMaxCorrectionNodeLabel()},
          {"maxCorrectionInstance", r.GetMaxCorrectionInstanceName().str()},
          {"maxCorrectionDof", r.GetMaxCorrectionDof()}};
}

Json CompatibilityJson(const dia_CompatibilityError& c) {
  return {{"constraint",
           EnumName<dia_ConstraintVariableEnum>(static_cast<unsigned>(c.GetConstraintVariable()))},
          {"elementsExceedingTolerance", c.GetNumberOfElementsExceedingTolerance()},
          {"maxError", c.GetMaxError()},
          {"element", c.GetElementLabel()},
          {"instance", c.GetInstanceName().str()}};
}

Json OccurrenceJson(const dia_AuxiliaryData& d) {
  return {{"variation", d.GetVariation()},
          {"integers", Array(d.GetIntValues())},
          {"reals", Array(d.GetRealValues())},
          {"strings", Array(d.GetStringValues())},
          {"nodes", Array(d.GetNodeLabels())},
          {"nodeInstances", Array(d.GetNodeInstanceNames())},
          {"elements", Array(d.GetElementLabels())},
          {"elementInstances", Array(d.GetElementInstanceNames())}};
}

// A contact, element, warning or error diagnostic with its catalog title and every occurrence.
Json DiagnosticJson(const char* kind, const dia_DiagnosticBase& d, dia_MetadataTable& catalog) {
  const unsigned code = static_cast<unsigned>(d.GetType());
  Json json = {{"kind", kind},
               {"code", Hex(code)},
               {"title", catalog.GetDescription(code).str()},
               {"variations", Array(d.GetVariationNumbers())},
               {"occurrences", Json::array()}};
  for (int i = 0; i < d.GetData().size(); ++i)
    json["occurrences"].push_back(OccurrenceJson(d.GetData().ConstGet(i)));
  return json;
}

Json WarningErrorJson(const char* kind, const dia_WarningErrorBase& d) {
  Json json = {{"step", d.GetStepNumber()},
               {"increment", d.GetIncrementNumber()},
               {"attempt", d.GetAttemptNumber()},
               {"iteration", d.GetIterationNumber()}};
  json.update(DiagnosticJson(kind, d, dia_WarningErrorMetadataTable::Instance()));
  return json;
}

// The contact and element diagnostics of an iteration (contact iterations' ones included).
void IterationDiagnostics(const dia_Iteration& it, const std::function<void(Json)>& add) {
  dia_MetadataTable& contacts = dia_ContactMetadataTable::Instance();
  dia_MetadataTable& elements = dia_ElementMetadataTable::Instance();
  for (int c = 0; c < it.GetNumberOfContactIterations(); ++c) {
    const dia_ContactIteration& ci = it.ConstGetContactIterationByIndex(c);
    for (int d = 0; d < ci.GetNumberOfContactDiagnostics(); ++d) {
      Json json = DiagnosticJson("contact", ci.ConstGetContactDiagnosticByIndex(d), contacts);
      json["contactIteration"] = ci.GetIterationNumber();
      add(json);
    }
  }
  for (int d = 0; d < it.GetNumberOfContactDiagnostics(); ++d)
    add(DiagnosticJson("contact", it.ConstGetContactDiagnosticByIndex(d), contacts));
  for (int d = 0; d < it.GetNumberOfElementDiagnostics(); ++d)
    add(DiagnosticJson("element", it.ConstGetElementDiagnosticByIndex(d), elements));
}

Json IterationJson(const dia_Iteration& it) {
  return {{"iteration", it.GetIterationNumber()},
          {"converged", it.IsConverged()},
          {"severeDiscontinuity", it.IsSevereDiscontinuity()},
          {"separationToleranceTooLarge", it.IsSeparationToleranceTooLarge()},
          {"penetrationToleranceExceeded", it.IsPenetrationToleranceExceeded()},
          {"negativeEigenvalues", it.GetNumberOfNegativeEigenvalues()},
          {"numericalSingularities", it.GetNumberOfNumericalSingularities()},
          {"zeroPivots", it.GetNumberOfZeroPivots()}};
}

Json AttemptJson(const dia_Attempt& a) {
  Json reasons = Json::array();
  for (int c = 0; c < a.GetNumberOfCutbackDiagnostics(); ++c)
    reasons.push_back(
        EnumName<dia_CutbackDiagnosticEnum>(static_cast<unsigned>(a.GetCutbackDiagnostic(c))));
  return {{"attempt", a.GetAttemptNumber()},
          {"size", a.GetAttemptSize()},
          {"converged", a.IsConverged()},
          {"cutbackReasons", reasons},
          {"needsReordering", a.GetNeedsReordering()},
          {"autoStabilize", a.GetAutoStabilize()}};
}

Json IncrementJson(const dia_Increment& i) {
  return {{"increment", i.GetIncrementNumber()},
          {"initialSize", i.GetInitialIncrementSize()},
          {"size", i.GetIncrementSize()},
          {"stepTimeCompleted", i.GetStepTimeCompleted()},
          {"converged", i.IsConverged()}};
}

Json StepJson(const dia_Step& s) {
  return {{"step", s.GetStepNumber()},
          {"name", s.GetStepName().str()},
          {"procedure", s.GetProcedureCode()},
          {"isPerturbation", s.IsPerturbation()},
          {"isRiks", s.IsRiks()},
          {"stepTimeCompleted", s.m_stepTimeCompleted},
          {"incrementsCompleted", s.m_incrementsCompleted},
          {"incrementationScheme", EnumName<dia_IncrementationSchemeEnum>(
                                       static_cast<unsigned>(s.GetIncrementationScheme()))},
          {"timePeriod", s.GetTimePeriod()},
          {"initialTimeIncrement", s.GetInitialTimeIncrement()},
          {"minimumTimeIncrement", s.GetMinimumTimeIncrement()},
          {"maximumTimeIncrement", s.GetMaximumTimeIncrement()},
          {"maximumNumberOfIncrements", s.GetMaximumNumberOfIncrements()},
          {"isStabilized", s.m_isStabilized},
          {"stabilizeFactor", s.m_stabilizeFactor},
          {"isUnsymm", s.m_isUnsymm},
          {"isNlgeom", s.m_isNlgeom},
          {"solverCode", s.m_solverCode},
          {"extrapolationCode", s.m_extrapolationCode},
          {"characteristicElementLength", s.m_characteristicElementLength}};
}

// Walks the tree once, calling the level's function with the position so far; each record is
// released when its level is done.
struct Walk {
  std::function<void(const Json& at, const dia_Step&)> step;
  std::function<void(const Json& at, const dia_Increment&)> increment;
  std::function<void(const Json& at, const dia_Attempt&)> attempt;
  std::function<void(const Json& at, const dia_Iteration&)> iteration;

  void Run(const dia_DiagnosticData& job) const {
    for (int s = 0; s < job.GetNumberOfSteps(); ++s) {
      const dia_Step& st = job.ConstGetStepByIndex(s);
      Json at = {{"step", st.GetStepNumber()}};
      if (step) step(at, st);
      if (increment || attempt || iteration) Increments(at, st);
      job.ReleaseStep(s);
    }
  }
  void Increments(const Json& stepAt, const dia_Step& st) const {
    for (int i = 0; i < st.GetNumberOfIncrements(); ++i) {
      const dia_Increment& inc = st.ConstGetIncrementByIndex(i);
      Json at = stepAt;
      at["increment"] = inc.GetIncrementNumber();
      if (increment) increment(at, inc);
      for (int a = 0; (attempt || iteration) && a < inc.GetNumberOfAttempts(); ++a) {
        const dia_Attempt& att = inc.ConstGetAttemptByIndex(a);
        Json attAt = at;
        attAt["attempt"] = att.GetAttemptNumber();
        if (attempt) attempt(attAt, att);
        for (int k = 0; iteration && k < att.GetNumberOfIterations(); ++k) {
          const dia_Iteration& it = att.ConstGetIterationByIndex(k);
          Json itAt = attAt;
          itAt["iteration"] = it.GetIterationNumber();
          iteration(itAt, it);
          att.ReleaseIteration(k);
        }
        inc.ReleaseAttempt(a);
      }
      st.ReleaseIncrement(i);
    }
  }
};

Json Merge(Json at, const Json& fields) {
  for (const auto& [key, value] : fields.items())
    if (!at.contains(key)) at[key] = value;
  return at;
}

// One flat table; each row goes to emit.
void Rows(const dia_DiagnosticData& job, const std::string& what, const Emit& emit) {
  Walk walk;
  // A row of a level: the record's values after its position, then how many children it has.
  auto level = [&](const Json& at, const Json& fields, const char* children, int count) {
    Json row = Merge(at, fields);
    row[children] = count;
    return row;
  };
  if (what == "steps") {
    walk.step = [&](const Json& at, const dia_Step& s) {
      emit(level(at, StepJson(s), "increments", s.GetNumberOfIncrements()));
    };
  } else if (what == "increments") {
    walk.increment = [&](const Json& at, const dia_Increment& i) {
      emit(level(at, IncrementJson(i), "attempts", i.GetNumberOfAttempts()));
    };
  } else if (what == "attempts") {
    walk.attempt = [&](const Json& at, const dia_Attempt& a) {
      emit(level(at, AttemptJson(a), "iterations", a.GetNumberOfIterations()));
    };
  } else if (what == "iterations") {
    walk.iteration = [&](const Json& at, const dia_Iteration& it) {
      Json row = level(at, IterationJson(it), "residuals", it.GetNumberOfResiduals());
      row["contactIterations"] = it.GetNumberOfContactIterations();
      row["contactDiagnostics"] = it.GetNumberOfContactDiagnostics();
      row["elementDiagnostics"] = it.GetNumberOfElementDiagnostics();
      emit(row);
    };
  } else if (what == "residuals") {
    walk.iteration = [&](const Json& at, const dia_Iteration& it) {
      for (int r = 0; r < it.GetNumberOfResiduals(); ++r)
        emit(Merge(at, ResidualJson(it.ConstGetResidualByIndex(r))));
    };
  } else {  // diagnostics: every occurrence of every diagnostic, one row each
    auto occurrences = [&](Json at, const Json& d) {
      for (const Json& occurrence : d["occurrences"]) {
        Json row = at;
        for (const char* key : {"kind", "code", "title"}) row[key] = d[key];
        emit(Merge(row, occurrence));
      }
    };
    walk.iteration = [&](const Json& at, const dia_Iteration& it) {
      IterationDiagnostics(it, [&](const Json& d) { occurrences(at, d); });
    };
    // A warning or error is placed by the position it records.
    auto coded = [&](const Json& d) {
      Json at;
      for (const char* key : {"step", "increment", "attempt", "iteration"}) at[key] = d[key];
      occurrences(at, d);
    };
    walk.Run(job);
    for (int w = 0; w < job.GetNumberOfAnalysisWarnings(); ++w) {
      coded(WarningErrorJson("warning", job.ConstGetAnalysisWarningByIndex(w)));
      job.ReleaseAnalysisWarning(w);
    }
    for (int e = 0; e < job.GetNumberOfAnalysisErrors(); ++e) {
      coded(WarningErrorJson("error", job.ConstGetAnalysisErrorByIndex(e)));
      job.ReleaseAnalysisError(e);
    }
    return;
  }
  walk.Run(job);
}

// The whole job as one nested document.
Json Tree(const OpenedJob& opened) {
  const ddr_Ddb& ddb = opened.Ddb();
  const dia_DiagnosticData& job = opened.Job();
  double user = 0, system = 0, wall = 0;
  job.GetJobCpuTimes(user, system, wall);
  Json json = {
      {"file", opened.Path()},
      {"description", ddb.Description().str()},
      {"created", ddb.CreateTime().str()},
      {"modified", ddb.ModifyTime().str()},
      {"analysisVersion", ddb.AnalysisVersion().str()},
      {"ddbVersion", ddb.DdbVersion()},
      {"jobStatus", EnumName<dia_JobStatusEnum>(static_cast<unsigned>(job.GetJobStatus()))},
      {"doublePrecision", job.isXplDoublePrecision()},
      {"domains", job.GetNumDomains()},
      {"cpuTimes", {{"user", user}, {"system", system}, {"wallclock", wall}}},
      {"jobHistoryDescription", Array(job.GetJobHistoryDescription())},
      {"steps", Json::array()},
      {"warnings", Json::array()},
      {"errors", Json::array()}};
  Json* step = nullptr;
  Json* increment = nullptr;
  Json* attempt = nullptr;
  Walk walk;
  walk.step = [&](const Json&, const dia_Step& s) {
    json["steps"].push_back(StepJson(s));
    step = &json["steps"].back();
    (*step)["increments"] = Json::array();
  };
  walk.increment = [&](const Json&, const dia_Increment& i) {
    (*step)["increments"].push_back(IncrementJson(i));
    increment = &(*step)["increments"].back();
    (*increment)["elementDiagnostics"] = Json::array();
    for (int d = 0; d < i.GetNumberOfElementDiagnostics(); ++d)
      (*increment)["elementDiagnostics"].push_back(DiagnosticJson(
          "element", i.ConstGetElementDiagnosticByIndex(d), dia_ElementMetadataTable::Instance()));
    (*increment)["attempts"] = Json::array();
  };
  walk.attempt = [&](const Json&, const dia_Attempt& a) {
    (*increment)["attempts"].push_back(AttemptJson(a));
    attempt = &(*increment)["attempts"].back();
    (*attempt)["iterations"] = Json::array();
  };
  walk.iteration = [&](const Json&, const dia_Iteration& it) {
    Json json = IterationJson(it);
    json["residuals"] = Json::array();
    for (int r = 0; r < it.GetNumberOfResiduals(); ++r)
      json["residuals"].push_back(ResidualJson(it.ConstGetResidualByIndex(r)));
    json["compatibilityErrors"] = Json::array();
    for (int c = 0; c < it.GetNumberOfCompatibilityErrors(); ++c)
      json["compatibilityErrors"].push_back(
          CompatibilityJson(it.ConstGetCompatibilityErrorByIndex(c)));
    json["diagnostics"] = Json::array();
    IterationDiagnostics(it, [&](const Json& d) { json["diagnostics"].push_back(d); });
    (*attempt)["iterations"].push_back(std::move(json));
  };
  walk.Run(job);
  for (int w = 0; w < job.GetNumberOfAnalysisWarnings(); ++w) {
    json["warnings"].push_back(WarningErrorJson("warning", job.ConstGetAnalysisWarningByIndex(w)));
    job.ReleaseAnalysisWarning(w);
  }
  for (int e = 0; e < job.GetNumberOfAnalysisErrors(); ++e) {
    const dia_Error& error = job.ConstGetAnalysisErrorByIndex(e);
    Json d = WarningErrorJson("error", error);
    d["internalError"] = error.GetInternalErrorString().str();
    json["errors"].push_back(std::move(d));
    job.ReleaseAnalysisError(e);
  }
  return json;
}

// A CSV field: lists joined with ";", texts quoted when they must be.
std::string CsvField(const Json& value) {
  std::string text;
  if (value.is_string()) {
    text = value.get<std::string>();
  } else if (value.is_array()) {
    for (const Json& item : value)
      text +=
          (text.empty() ? "" : ";") + (item.is_string() ? item.get<std::string>() : item.dump());
  } else {
    text = value.dump();
  }
  if (text.find_first_of(",\"\n;") == std::string::npos && !value.is_array()) return text;
  std::string quoted = "\"";
  for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

int Run(const Arguments& args) {
  const std::string format = args.Text("--format", "json");
  const std::string what = args.Text("--what", format == "json" ? "tree" : "increments");
  if (format == "csv" && what == "tree")
    throw Failure("a CSV export is one flat table: choose it with --what");
  OpenedJob opened(args.positional);
  if (what == "tree") {
    std::printf("%s\n", Tree(opened).dump(1).c_str());
    return kOk;
  }
  if (format == "json") {
    Json rows = Json::array();
    Rows(opened.Job(), what, [&](const Json& row) { rows.push_back(row); });
    std::printf("%s\n", rows.dump(1).c_str());
    return kOk;
  }
  std::vector<std::string> columns;
  Rows(opened.Job(), what, [&](const Json& row) {
    if (columns.empty()) {
      std::string header;
      for (const auto& [key, value] : row.items()) {
        columns.push_back(key);
        header += (header.empty() ? "" : ",") + key;
      }
      std::printf("%s\n", header.c_str());
    }
    std::string line;
    for (std::size_t c = 0; c < columns.size(); ++c)
      line += (c ? "," : "") + (row.contains(columns[c]) ? CsvField(row[columns[c]]) : "");
    std::printf("%s\n", line.c_str());
  });
  return kOk;
}

}  // namespace

Command ExportCommand() {
  return {"export",
          "The job as JSON (the whole tree, every stored value) or flat CSV/JSON tables",
          "FILE",
          true,
          {{"--format", ArgKind::Text, "json (default) or csv", {"json", "csv"}},
           {"--what",
            ArgKind::Text,
            "tree (JSON only, the default), steps, increments, attempts, iterations, residuals "
            "or diagnostics",
            {"tree", "steps", "increments", "attempts", "iterations", "residuals", "diagnostics"}}},
          Run};
}

}  // namespace ddbcli
