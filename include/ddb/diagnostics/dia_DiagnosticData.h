// dia_DiagnosticData: the root of one analysis job's diagnostics: job status and timings, the
// steps, the job-level warnings and errors, and the job history description, a flat integer
// summary of the job that a reader can scan without loading any step.
//
// History layout: a 12-entry header (entry 0 the number of steps added, 1-3 job-wide sums of
// the three integers passed to UpdateJobHistoryDescription, 4-6 job-wide flags that are never
// cleared, 7-11 zero), then per step a 12-entry block (number, increment blocks so far,
// procedure code, perturbation flag, 4-6 the step's sums, 7-11 zero) followed by the increment
// blocks the caller passed for that step. The history grows with the job: it is held and
// written in pages (cls_PagedArrayInt), of which memory keeps the header's, the last step block's
// and the last.
//
// The record owns its child records by value in persistent lists that stream (Flush…, Release…).
// The database record owns the job record; until it is attached to a file everything is in
// memory. A copy is the same persistent object. Not thread-safe.
#pragma once

#include <cstdint>

#include "ddb/diagnostics/dia_Error.h"
#include "ddb/diagnostics/dia_Step.h"
#include "ddb/diagnostics/dia_Warning.h"
#include "ddb/frame/cls_ListObj.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_PagedArray.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_List.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

class dia_DiagnosticData : public mem_AllocationOperators {
 public:
  using StepList = cls_ListObj<dia_Step>;
  using WarningList = cls_ListObj<dia_Warning>;
  using ErrorList = cls_ListObj<dia_Error>;

  static constexpr int kHeaderSize = 12;
  static constexpr int kStepBlockSize = 12;

  dia_DiagnosticData();
  explicit dia_DiagnosticData(const cls_ReadVisitor& reader);
  dia_DiagnosticData(const dia_DiagnosticData&) = default;
  dia_DiagnosticData& operator=(const dia_DiagnosticData&) = default;
  virtual ~dia_DiagnosticData() = default;

  // Appends a copy of the step and its block to the history.
  void AddStep(const dia_Step& step);
  int GetNumberOfSteps() const { return m_stepList.Length(); }
  dia_Step& GetStepByIndex(int i) { return m_stepList.Get(i); }
  const dia_Step& ConstGetStepByIndex(int i) const { return m_stepList.ConstGet(i); }
  // The first step with that number, else the last step.
  dia_Step& GetStepByNumber(int number);

  void SetJobStatus(int status) { m_jobStatus = status; }
  int GetJobStatus() const { return m_jobStatus; }
  void SetXplDoublePrecision(bool on) { m_doublePrecision = on; }
  bool isXplDoublePrecision() const { return m_doublePrecision; }
  void SetNumDomains(int n) { m_numDomains = n; }
  int GetNumDomains() const { return m_numDomains; }
  void SetJobCpuTimes(double user, double system, double wallclock);
  void GetJobCpuTimes(double& user, double& system, double& wallclock) const;

  void AddAnalysisWarning(const dia_Warning& warning) { m_warningList.Append(warning); }
  int GetNumberOfAnalysisWarnings() const { return m_warningList.Length(); }
  dia_Warning& GetAnalysisWarningByIndex(int i) { return m_warningList.Get(i); }
  const dia_Warning& ConstGetAnalysisWarningByIndex(int i) const {
    return m_warningList.ConstGet(i);
  }
  void AddAnalysisError(const dia_Error& error) { m_errorList.Append(error); }
  int GetNumberOfAnalysisErrors() const { return m_errorList.Length(); }
  dia_Error& GetAnalysisErrorByIndex(int i) { return m_errorList.Get(i); }
  const dia_Error& ConstGetAnalysisErrorByIndex(int i) const { return m_errorList.ConstGet(i); }

  // Adds a, b, c to the job's and the last step's sums, sets the job flags that are true, and
  // appends `incrementBlock` only when the last step has gained exactly one increment since its
  // last block. Raises nex_PrimException when the last step's block cannot be located (a record
  // read back whose history does not parse, see LastStepOffset).
  void UpdateJobHistoryDescription(int a, int b, int c, bool f1, bool f2, bool f3,
                                   const cow_List<int>& incrementBlock);
  cow_List<int> GetJobHistoryDescription() const { return m_jobHistoryDescription.Values(); }
  // Index of the last step's block in the history, -1 when there is none or it is unknown.
  int LastStepOffset() const;

  // Releasing drops only the in-memory copy of a stored record, so readers holding the record
  // const release what they have read, too.
  void ReleaseStep(int index) const { m_stepList.Release(index); }
  void ReleaseAnalysisWarning(int i) const { m_warningList.Release(i); }
  void ReleaseAnalysisError(int i) const { m_errorList.Release(i); }
  void FlushSteps() { m_stepList.Flush(); }
  void FlushAndReleaseWarnings();
  void FlushAndReleaseErrors();
  void FlushJobHistoryDescription() { m_jobHistoryDescription.Flush(); }
  // Steps held in memory.
  int SnapSteps() const { return m_stepList.Snap(); }
  // The lists themselves, for readers: they keep elements through shared handles (ConstGetCOW)
  // and drop the ones they have passed with the list's Release, which never writes.
  const StepList& GetSteps() const { return m_stepList; }
  const WarningList& GetAnalysisWarnings() const { return m_warningList; }
  const ErrorList& GetAnalysisErrors() const { return m_errorList; }

  cls_Uid Uid() const { return m_uid; }

  static cow_String TypeName();
  static std::uint32_t TypeId();
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* handle);
  static void InitializeMetadata(cls_ClassRegistrar& registrar);
  virtual void DBWrite(const cls_WriteVisitor& writer) const;
  virtual std::uint32_t DynTypeId() const { return TypeId(); }

 private:
  template <class>
  friend struct cls_LayoutOf;
  void CheckHeaderAfterRead();
  int FindLastStepBlock() const;
  void KeepChangingHistory();

  int m_jobStatus = 0;
  bool m_doublePrecision = false;
  int m_numDomains = 1;
  double m_jobUserTime = 0.0;
  double m_jobSystemTime = 0.0;
  double m_jobWallclockTime = 0.0;
  WarningList m_warningList;
  ErrorList m_errorList;
  StepList m_stepList;
  cls_PagedArrayInt m_jobHistoryDescription;
  static constexpr int kOffsetUnknown = -2;  // read, not yet recomputed
  mutable int m_lastStepOffset = -1;
  cls_Uid m_uid;
};
