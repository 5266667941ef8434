// Test support for damaged files and the record-tree test: builders of records with every field
// set, a real job tree written through the database layer, and a walk of a whole tree through the
// public read API that prints every value it reaches, so that a tree read back can be compared
// with the one written.
#pragma once

#include <cstdio>
#include <string>
#include <type_traits>

#include "ddb/database/ddr_Root.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"
#include "ddb/diagnostics/dia_Error.h"
#include "ddb/diagnostics/dia_Warning.h"
#include "ddb/platform/nex_Exception.h"

namespace ddb_damage {

class Dump {
 public:
  // With `withIds`, the stored identity of every record is printed too.
  explicit Dump(bool withIds = false) : m_withIds(withIds) {}
  const std::string& Text() const { return m_text; }

  void Job(const dia_DiagnosticData& job) {
    Id(job.Uid());
    double user = 0, system = 0, wall = 0;
    job.GetJobCpuTimes(user, system, wall);
    Line("job", job.GetJobStatus(), job.isXplDoublePrecision(), job.GetNumDomains(), user, system,
         wall, job.GetJobHistoryDescription());
    for (int i = 0; i < job.GetNumberOfSteps(); ++i) Step(job.ConstGetStepByIndex(i));
    for (int i = 0; i < job.GetNumberOfAnalysisWarnings(); ++i)
      WarningError("warning", job.ConstGetAnalysisWarningByIndex(i));
    for (int i = 0; i < job.GetNumberOfAnalysisErrors(); ++i) {
      WarningError("error", job.ConstGetAnalysisErrorByIndex(i));
      Line("internal", job.ConstGetAnalysisErrorByIndex(i).GetInternalErrorString());
    }
  }

 private:
  void Step(const dia_Step& s) {
    Id(s.Uid());
    Line("step", s.GetStepNumber(), s.GetProcedureCode(), s.IsPerturbation(), s.IsRiks(),
         s.GetIncrementationScheme(), s.GetMaximumNumberOfIncrements(), s.m_incrementsCompleted,
         s.m_isStabilized, s.m_isUnsymm, s.m_isNlgeom, s.m_solverCode, s.m_extrapolationCode,
         s.GetStepName(), s.GetTimePeriod(), s.GetInitialTimeIncrement(),
         s.GetMinimumTimeIncrement(), s.GetMaximumTimeIncrement(), s.m_stepTimeCompleted,
         s.m_stabilizeFactor, s.m_characteristicElementLength, s.m_ActiveXplStatus.Values());
    for (int i = 0; i < s.GetNumberOfIncrements(); ++i) Increment(s.ConstGetIncrementByIndex(i));
    for (int i = 0; i < s.GetNumberOfContactDiagnostics(); ++i)
      Diagnostic("step contact", s.ConstGetContactDiagnosticByIndex(i));
    for (int i = 0; i < s.GetNumberOfXplStatus(); ++i) {
      const dia_XplStatus& x = s.ConstGetXplStatusByIndex(i);
      Line("xpl", x.GetIncrementNumber(), x.GetCritElementLabel(), x.GetCritElementInst(),
           x.GetRealValues());
    }
  }

  void Increment(const dia_Increment& inc) {
    Id(inc.Uid());
    Line("increment", inc.GetIncrementNumber(), inc.IsConverged(), inc.GetInitialIncrementSize(),
         inc.GetIncrementSize(), inc.GetStepTimeCompleted());
    for (int i = 0; i < inc.GetNumberOfAttempts(); ++i) Attempt(inc.ConstGetAttemptByIndex(i));
    for (int i = 0; i < inc.GetNumberOfElementDiagnostics(); ++i)
      Diagnostic("increment element", inc.ConstGetElementDiagnosticByIndex(i));
  }

  void Attempt(const dia_Attempt& a) {
    Id(a.Uid());
    Line("attempt", a.GetAttemptNumber(), a.IsConverged(), a.GetNeedsReordering(),
         a.GetAutoStabilize(), a.GetNumberOfCutbackDiagnostics(), a.GetAttemptSize());
    for (int c = 0; c < a.GetNumberOfCutbackDiagnostics(); ++c)
      Line("cutback", a.GetCutbackDiagnostic(c));
    for (int i = 0; i < a.GetNumberOfIterations(); ++i) Iteration(a.ConstGetIterationByIndex(i));
  }

  void Iteration(const dia_Iteration& it) {
    Id(it.Uid());
    Line("iteration", it.GetIterationNumber(), it.IsConverged(), it.IsSevereDiscontinuity(),
         it.IsSeparationToleranceTooLarge(), it.IsPenetrationToleranceExceeded(),
         it.GetNumberOfNegativeEigenvalues(), it.GetNumberOfNumericalSingularities(),
         it.GetNumberOfZeroPivots());
    for (int i = 0; i < it.GetNumberOfResiduals(); ++i) Residual(it.ConstGetResidualByIndex(i));
    for (int i = 0; i < it.GetNumberOfCompatibilityErrors(); ++i) {
      const dia_CompatibilityError& e = it.ConstGetCompatibilityErrorByIndex(i);
      Id(e.Uid());
      Line("compatibility", e.GetConstraintVariable(), e.GetNumberOfElementsExceedingTolerance(),
           e.GetElementLabel(), e.GetMaxError(), e.GetInstanceName());
    }
    for (int i = 0; i < it.GetNumberOfContactIterations(); ++i) {
      const dia_ContactIteration& c = it.ConstGetContactIterationByIndex(i);
      Id(c.Uid());
      Line("contact iteration", c.GetIterationNumber(), c.IsConverged());
      for (int k = 0; k < c.GetNumberOfContactDiagnostics(); ++k)
        Diagnostic("contact iteration contact", c.ConstGetContactDiagnosticByIndex(k));
    }
    for (int i = 0; i < it.GetNumberOfContactDiagnostics(); ++i)
      Diagnostic("contact", it.ConstGetContactDiagnosticByIndex(i));
    for (int i = 0; i < it.GetNumberOfElementDiagnostics(); ++i)
      Diagnostic("element", it.ConstGetElementDiagnosticByIndex(i));
  }

  void Residual(const dia_Residual& r) {
    Id(r.Uid());
    Line("residual", r.GetFieldVariable(), r.GetResidualCheck(), r.GetCorrectionCheck(),
         r.IsResponseLinear(), r.HasUserDefinedNorm(), r.GetMaxResidualNodeLabel(),
         r.GetMaxResidualDof(), r.GetMaxIncrementNodeLabel(), r.GetMaxIncrementDof(),
         r.GetMaxCorrectionNodeLabel(), r.GetMaxCorrectionDof(), r.GetEstimatedCorrection(),
         r.GetAverageFlux(), r.GetTimeAverageFlux(), r.GetMaxResidual(), r.GetMaxIncrement(),
         r.GetMaxCorrection(), r.GetMaxResidualInstanceName(), r.GetMaxIncrementInstanceName(),
         r.GetMaxCorrectionInstanceName());
  }

  // A warning or an error: the identity of its own part, then of its base parts.
  template <class W>
  void WarningError(const char* what, const W& record) {
    Id(record.Uid());
    const dia_WarningErrorBase& w = record;
    Id(w.Uid());
    Line(what, w.GetStepNumber(), w.GetIncrementNumber(), w.GetAttemptNumber(),
         w.GetIterationNumber());
    Diagnostic(what, w);
  }

  void Diagnostic(const char* what, const dia_DiagnosticBase& d) {
    Id(d.Uid());
    if (auto* contact = dynamic_cast<const dia_ContactDiagnostic*>(&d)) Id(contact->Uid());
    if (auto* element = dynamic_cast<const dia_ElementDiagnostic*>(&d)) Id(element->Uid());
    Line(what, d.GetType(), d.DynTypeId(), d.GetVariationNumbers());
    for (int i = 0; i < d.GetData().Length(); ++i) {
      const dia_AuxiliaryData& a = d.GetData().ConstGet(i);
      Id(a.Uid());
      Line("data", a.GetVariation(), a.GetIntValues(), a.GetRealValues(), a.GetStringValues(),
           a.GetElementLabels(), a.GetElementInstanceNames(), a.GetNodeLabels(),
           a.GetNodeInstanceNames());
    }
  }

  void Id(const cls_Uid& uid) {
    if (m_withIds) m_text += "#" + std::to_string(uid.Value()) + "\n";
  }
  // A line of `what` and its values: numbers (enumerations as theirs), texts in quotes, lists in
  // brackets.
  template <class... V>
  void Line(const char* what, const V&... values) {
    m_text += what;
    (Add(values), ...);
    m_text += "\n";
  }
  template <class T>
  void Add(const T& value) {
    char text[40];
    if constexpr (std::is_floating_point_v<T>)
      std::snprintf(text, sizeof text, " %.17g", value);
    else
      std::snprintf(text, sizeof text, " %lld", static_cast<long long>(value));
    m_text += text;
  }
  void Add(const cow_String& s) { m_text += " '" + s.str() + "'"; }
  template <class T>
  void Add(const cow_List<T>& values) {
    m_text += " [";
    for (const T& v : values) Add(v);
    m_text += " ]";
  }

  bool m_withIds;
  std::string m_text;
};

// A block of diagnostic data whose every value derives from `k`.
inline dia_AuxiliaryData Data(int k) {
  return dia_AuxiliaryData({k, k + 1}, {0.5 * k, -1.0}, {"s" + std::to_string(k)}, {10 + k},
                           {"E-" + std::to_string(k)}, {20 + k, 21 + k},
                           {"N-" + std::to_string(k), "M"}, k);
}

// A diagnostic of `type` with the blocks of k and k + 1.
template <class D>
D Diagnostic(int type, int k) {
  D d(type);
  d.AddData(Data(k));
  d.AddData(Data(k + 1));
  return d;
}

// An iteration with every field and every kind of record it holds set, each to a value of its
// own.
inline dia_Iteration FullIteration(int k) {
  dia_Iteration it(k);
  it.AddResidual(dia_Residual(
      dia_FieldVariableEnum::SHARED_LM_VOLUME_FIELD, dia_ResidualCheckEnum::RESIDUAL_ACCEPTED,
      dia_CorrectionCheckEnum::CORRECTION_ACCEPTED_ESTIMATED_CORRECTION, 0.25, true, 10.5, 9.75,
      true, 1e-3, 101, "PART-1", 2, 0.5, 202, "PART-2", 3, 0.125, 303, "PART-3", 6));
  it.AddResidual(dia_Residual(
      dia_FieldVariableEnum::ROTATION_FIELD, dia_ResidualCheckEnum::RESIDUAL_NOT_ACCEPTED,
      dia_CorrectionCheckEnum::CORRECTION_NOT_ACCEPTED, 0.0, false, 1.0, 1.0, false, 2.5, 11,
      "PART-1", 2, 0.5, 12, "PART-1", 1, 0.01, 13, "PART-1", 3));
  it.AddCompatibilityError(dia_CompatibilityError(
      dia_ConstraintVariableEnum::TRANSVERSE_SHEAR_FORCE_CONSTRAINT, 4, 1.5e-2, "PART-4", 42));
  dia_ContactIteration contact(k + 7);
  contact.SetConverged();
  contact.AddContactDiagnostic(Diagnostic<dia_ContactDiagnostic>(0x01000060, 1));
  it.AddContactIteration(contact);
  it.AddContactDiagnostic(Diagnostic<dia_ContactDiagnostic>(0x01000020, 3));
  it.AddElementDiagnostic(Diagnostic<dia_ElementDiagnostic>(0x02000020, 5));
  it.SetSevereDiscontinuity();
  it.SetSeparationToleranceTooLarge();
  it.SetPenetrationToleranceExceeded();
  it.SetNumberOfNegativeEigenvalues(11);
  it.SetNumberOfNumericalSingularities(12);
  it.SetNumberOfZeroPivots(13);
  it.SetConverged();
  return it;
}

// The job of a small nonlinear run: two steps of four increments, every third increment cut
// back once, each attempt of two full iterations, explicit status records, a warning per step
// and an error. Written and flushed as the solver does, through the database layer.
inline void WriteJob(const std::string& path) {
  ddr_Root& root = ddr_Root::Instance();
  const cow_String name = root.CreateDdb(path, "damaged-file test", ZunBasStringMode::UTF8);
  root.SaveDdb(name, true, ZunBasStringMode::UTF8);
  dia_DiagnosticData& job = root.Get(name, ZunBasStringMode::UTF8).GetDiagnosticData();
  for (int s = 1; s <= 2; ++s) {
    dia_Step step(s, "Step-" + std::to_string(s), 1, false, s == 2);
    step.SetIncrementationControls(dia_IncrementationSchemeEnum::AUTO_INCREMENTATION, 1.0, 0.25,
                                   1e-5, 0.25, 100);
    step.m_isNlgeom = true;
    cow_List<double> realv = {0.5 * s, 1e-3};
    step.AddXplStatus(dia_XplStatus(s, 40 + s, "PART-1", realv));
    step.m_ActiveXplStatus.Values() = {s, 0, 1};
    job.AddStep(step);
    job.FlushSteps();
    dia_Step& current = job.GetStepByIndex(s - 1);
    for (int i = 1; i <= 4; ++i) {
      current.AddIncrement(dia_Increment(i, 0.25));
      current.FlushIncrements();
      dia_Increment& inc = current.GetIncrementByIndex(i - 1);
      bool cut = i % 3 == 0;
      for (int a = 1; a <= (cut ? 2 : 1); ++a) {
        dia_Attempt attempt(a, cut && a == 1 ? 0.25 : 0.0625 * a);
        if (cut && a == 1) attempt.AddCutbackDiagnostic(3);
        for (int k = 1; k <= 2; ++k) attempt.AddIteration(FullIteration(k));
        inc.AddAttempt(attempt);
      }
      inc.SetStepTimeCompleted(0.25 * i);
      job.UpdateJobHistoryDescription(inc.GetNumberOfAttempts(), cut ? 8 : 3, 0, false, cut, false,
                                      {i, inc.GetNumberOfAttempts()});
      current.FlushIncrements();
      current.ReleaseIncrement(i - 1);
    }
    current.m_stepTimeCompleted = 1.0;
    current.m_incrementsCompleted = 4;
    dia_Warning warning(0x02020020, s, 3, 1, 5);
    warning.AddData(dia_AuxiliaryData({2}, {0.05}, {}, {101 + s}, {"PART-1"}, {}, {}, 1));
    job.AddAnalysisWarning(warning);
    job.FlushAndReleaseWarnings();
    job.FlushSteps();
    job.ReleaseStep(s - 1);
  }
  dia_Error error(0x42020020, 2, 4, 1, 3);
  error.AddData(dia_AuxiliaryData({4}, {-0.5}, {}, {205}, {"PART-1"}, {}, {}, 2));
  error.SetInternalErrorString("material point did not converge");
  job.AddAnalysisError(error);
  job.FlushAndReleaseErrors();
  job.SetJobStatus(static_cast<int>(dia_JobStatusEnum::JOB_STATUS_COMPLETED_SUCCESSFULLY));
  job.SetJobCpuTimes(12.5, 0.75, 14.0);
  job.FlushJobHistoryDescription();
  root.SaveDdb(name, true, ZunBasStringMode::UTF8);
  root.CloseDdb(name, ZunBasStringMode::UTF8);
}

// Opens the file read-only, walks the whole job and returns its dump. Raises what the library
// raises.
inline std::string ReadJob(const std::string& path) {
  ddr_Root& root = ddr_Root::Instance();
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Read, true, ZunBasStringMode::UTF8);
  const cow_String name = root.OpenDdb(file, "", ZunBasStringMode::UTF8);
  Dump dump;
  try {
    dump.Job(root.ConstGet(name, ZunBasStringMode::UTF8).ConstGetDiagnosticData());
  } catch (...) {
    root.CloseDdb(name, ZunBasStringMode::UTF8);
    throw;
  }
  root.CloseDdb(name, ZunBasStringMode::UTF8);
  return dump.Text();
}

}  // namespace ddb_damage
