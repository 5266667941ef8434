// Test support for damaged files and the record-tree test: builders of records with every field
// set, a real job tree written through the database layer, and a walk of a whole tree through the
// public read API that prints every value it reaches, so that a tree read back can be compared
// with the one written.
#pragma once

#include <cstdio>
#include <string>

#include "ddb/database/ddr_Root.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"
#include "ddb/diagnostics/dia_Error.h"
#include "ddb/diagnostics/dia_Warning.h"

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
    Put("job", {job.GetJobStatus(), job.isXplDoublePrecision(), job.GetNumDomains()});
    Real({user, system, wall});
    Ints(job.GetJobHistoryDescription());
    for (int i = 0; i < job.GetNumberOfSteps(); ++i) Step(job.ConstGetStepByIndex(i));
    for (int i = 0; i < job.GetNumberOfAnalysisWarnings(); ++i)
      WarningError("warning", job.ConstGetAnalysisWarningByIndex(i));
    for (int i = 0; i < job.GetNumberOfAnalysisErrors(); ++i) {
      WarningError("error", job.ConstGetAnalysisErrorByIndex(i));
      Text(job.ConstGetAnalysisErrorByIndex(i).GetInternalErrorString());
    }
  }

 private:
  void Step(const dia_Step& s) {
    Id(s.Uid());
    Put("step", {s.GetStepNumber(), s.GetProcedureCode(), s.IsPerturbation(), s.IsRiks(),
                 static_cast<long long>(s.GetIncrementationScheme()),
                 s.GetMaximumNumberOfIncrements(), s.m_incrementsCompleted, s.m_isStabilized,
                 s.m_isUnsymm, s.m_isNlgeom, s.m_solverCode, s.m_extrapolationCode});
    Text(s.GetStepName());
    Real({s.GetTimePeriod(), s.GetInitialTimeIncrement(), s.GetMinimumTimeIncrement(),
          s.GetMaximumTimeIncrement(), s.m_stepTimeCompleted, s.m_stabilizeFactor,
          s.m_characteristicElementLength});
    Ints(s.m_ActiveXplStatus.Values());
    for (int i = 0; i < s.GetNumberOfIncrements(); ++i) Increment(s.ConstGetIncrementByIndex(i));
    for (int i = 0; i < s.GetNumberOfContactDiagnostics(); ++i)
      Diagnostic("step contact", s.ConstGetContactDiagnosticByIndex(i));
    for (int i = 0; i < s.GetNumberOfXplStatus(); ++i) {
      const dia_XplStatus& x = s.ConstGetXplStatusByIndex(i);
      Put("xpl", {x.GetIncrementNumber(), x.GetCritElementLabel()});
      Text(x.GetCritElementInst());
      Doubles(x.GetRealValues());
    }
  }

  void Increment(const dia_Increment& inc) {
    Id(inc.Uid());
    Put("increment", {inc.GetIncrementNumber(), inc.IsConverged()});
    Real({inc.GetInitialIncrementSize(), inc.GetIncrementSize(), inc.GetStepTimeCompleted()});
    for (int i = 0; i < inc.GetNumberOfAttempts(); ++i) Attempt(inc.ConstGetAttemptByIndex(i));
    for (int i = 0; i < inc.GetNumberOfElementDiagnostics(); ++i)
      Diagnostic("increment element", inc.ConstGetElementDiagnosticByIndex(i));
  }

  void Attempt(const dia_Attempt& a) {
    Id(a.Uid());
    Put("attempt", {a.GetAttemptNumber(), a.IsConverged(), a.GetNeedsReordering(),
                    a.GetAutoStabilize(), a.GetNumberOfCutbackDiagnostics()});
    Real({a.GetAttemptSize()});
    for (int c = 0; c < a.GetNumberOfCutbackDiagnostics(); ++c)
      Put("cutback", {a.GetCutbackDiagnostic(c)});
    for (int i = 0; i < a.GetNumberOfIterations(); ++i) Iteration(a.ConstGetIterationByIndex(i));
  }

  void Iteration(const dia_Iteration& it) {
    Id(it.Uid());
    Put("iteration", {it.GetIterationNumber(), it.IsConverged(), it.IsSevereDiscontinuity(),
                      it.IsSeparationToleranceTooLarge(), it.IsPenetrationToleranceExceeded(),
                      it.GetNumberOfNegativeEigenvalues(), it.GetNumberOfNumericalSingularities(),
                      it.GetNumberOfZeroPivots()});
    for (int i = 0; i < it.GetNumberOfResiduals(); ++i) Residual(it.ConstGetResidualByIndex(i));
    for (int i = 0; i < it.GetNumberOfCompatibilityErrors(); ++i) {
      const dia_CompatibilityError& e = it.ConstGetCompatibilityErrorByIndex(i);
      Id(e.Uid());
      Put("compatibility", {static_cast<long long>(e.GetConstraintVariable()),
                            e.GetNumberOfElementsExceedingTolerance(), e.GetElementLabel()});
      Real({e.GetMaxError()});
      Text(e.GetInstanceName());
    }
    for (int i = 0; i < it.GetNumberOfContactIterations(); ++i) {
      const dia_ContactIteration& c = it.ConstGetContactIterationByIndex(i);
      Id(c.Uid());
      Put("contact iteration", {c.GetIterationNumber(), c.IsConverged()});
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
    Put("residual",
        {static_cast<long long>(r.GetFieldVariable()), static_cast<long long>(r.GetResidualCheck()),
         static_cast<long long>(r.GetCorrectionCheck()), r.IsResponseLinear(),
         r.HasUserDefinedNorm(), r.GetMaxResidualNodeLabel(), r.GetMaxResidualDof(),
         r.GetMaxIncrementNodeLabel(), r.GetMaxIncrementDof(), r.GetMaxCorrectionNodeLabel(),
         r.GetMaxCorrectionDof()});
    Real({r.GetEstimatedCorrection(), r.GetAverageFlux(), r.GetTimeAverageFlux(),
          r.GetMaxResidual(), r.GetMaxIncrement(), r.GetMaxCorrection()});
    Text(r.GetMaxResidualInstanceName());
    Text(r.GetMaxIncrementInstanceName());
    Text(r.GetMaxCorrectionInstanceName());
  }

  // A warning or an error: the identity of its own part, then of its base parts.
  template <class W>
  void WarningError(const char* what, const W& record) {
    Id(record.Uid());
    const dia_WarningErrorBase& w = record;
    Id(w.Uid());
    Put(what,
        {w.GetStepNumber(), w.GetIncrementNumber(), w.GetAttemptNumber(), w.GetIterationNumber()});
    Diagnostic(what, w);
  }

  void Diagnostic(const char* what, const dia_DiagnosticBase& d) {
    Id(d.Uid());
    if (auto* contact = dynamic_cast<const dia_ContactDiagnostic*>(&d)) Id(contact->Uid());
    if (auto* element = dynamic_cast<const dia_ElementDiagnostic*>(&d)) Id(element->Uid());
    Put(what, {d.GetType(), static_cast<long long>(d.DynTypeId())});
    Ints(d.GetVariationNumbers());
    for (int i = 0; i < d.GetData().Length(); ++i) {
      const dia_AuxiliaryData& a = d.GetData().ConstGet(i);
      Id(a.Uid());
      Put("data", {a.GetVariation()});
      Ints(a.GetIntValues());
      Doubles(a.GetRealValues());
      Texts(a.GetStringValues());
      Ints(a.GetElementLabels());
      Texts(a.GetElementInstanceNames());
      Ints(a.GetNodeLabels());
      Texts(a.GetNodeInstanceNames());
    }
  }

  void Id(const cls_Uid& uid) {
    if (m_withIds) m_text += "#" + std::to_string(uid.Value()) + "\n";
  }
  void Put(const char* what, std::initializer_list<long long> values) {
    m_text += what;
    for (long long v : values) m_text += " " + std::to_string(v);
    m_text += "\n";
  }
  void Real(std::initializer_list<double> values) {
    for (double v : values) {
      char text[40];
      std::snprintf(text, sizeof text, " %.17g", v);
      m_text += text;
    }
    m_text += "\n";
  }
  void Text(const cow_String& s) { m_text += "'" + s.str() + "'\n"; }
  void Ints(const cow_List<int>& values) {
    m_text += "[";
    for (int v : values) m_text += " " + std::to_string(v);
    m_text += " ]\n";
  }
  void Doubles(const cow_List<double>& values) {
    m_text += "[";
    for (double v : values) Real({v});
    m_text += "]\n";
  }
  void Texts(const cow_List<cow_String>& values) {
    for (const cow_String& s : values) Text(s);
    m_text += "-\n";
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
