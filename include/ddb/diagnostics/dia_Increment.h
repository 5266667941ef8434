// dia_Increment: one increment of a step, with the size it started with, the step time reached,
// the attempts made at it and the element diagnostics reported for the increment as a whole.
//
// The increment owns its attempts by value in a persistent list that streams: once attached to
// a file, FlushAttempts writes new and changed attempts and ReleaseAttempt drops stored ones from
// memory (they reload on access). A copy is the same persistent object. Not thread-safe.
#pragma once

#include <cstdint>

#include "ddb/diagnostics/dia_Attempt.h"
#include "ddb/diagnostics/dia_ElementDiagnostic.h"
#include "ddb/frame/cls_ListObj.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

// Final: the destructor is not virtual, and holders delete increments through this type.
class dia_Increment final : public mem_AllocationOperators {
 public:
  using AttemptList = cls_ListObj<dia_Attempt>;
  using ElementDiagnosticList = cls_ListObj<dia_ElementDiagnostic>;

  dia_Increment();
  dia_Increment(int incrementNumber, double initialIncrementSize);
  explicit dia_Increment(const cls_ReadVisitor& reader);
  dia_Increment(const dia_Increment&) = default;
  dia_Increment& operator=(const dia_Increment&) = default;
  ~dia_Increment() = default;

  int GetIncrementNumber() const { return m_incrementNumber; }
  double GetInitialIncrementSize() const { return m_initialIncrementSize; }
  // 0.0 when the last attempt did not converge, else its size; the initial size without
  // attempts.
  double GetIncrementSize() const;
  // True without attempts (nothing failed); otherwise whether the last attempt converged.
  bool IsConverged() const;
  void SetStepTimeCompleted(double t) { m_stepTimeCompleted = t; }
  double GetStepTimeCompleted() const { return m_stepTimeCompleted; }

  void AddAttempt(const dia_Attempt& attempt) { m_attemptList.Append(attempt); }
  int GetNumberOfAttempts() const { return m_attemptList.Length(); }
  dia_Attempt& GetAttemptByIndex(int i) { return m_attemptList.Get(i); }
  const dia_Attempt& ConstGetAttemptByIndex(int i) const { return m_attemptList.ConstGet(i); }
  void ReleaseAttempt(int i) const { m_attemptList.Release(i); }
  void FlushAttempts() { m_attemptList.Flush(); }
  // Attempts held in memory.
  int SnapAttempts() const { return m_attemptList.Snap(); }
  // The list itself, for readers (see dia_DiagnosticData::GetSteps).
  const AttemptList& GetAttempts() const { return m_attemptList; }

  void AddElementDiagnostic(const dia_ElementDiagnostic& d) { m_elementDiagnosticList.Append(d); }
  int GetNumberOfElementDiagnostics() const { return m_elementDiagnosticList.Length(); }
  dia_ElementDiagnostic& GetElementDiagnosticByIndex(int i) {
    return m_elementDiagnosticList.Get(i);
  }
  const dia_ElementDiagnostic& ConstGetElementDiagnosticByIndex(int i) const {
    return m_elementDiagnosticList.ConstGet(i);
  }
  const ElementDiagnosticList& GetElementDiagnostics() const { return m_elementDiagnosticList; }

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
  int m_incrementNumber = 0;
  double m_initialIncrementSize = 0.0;
  double m_stepTimeCompleted = 0.0;
  AttemptList m_attemptList;
  cls_Uid m_uid;
  ElementDiagnosticList m_elementDiagnosticList;
};
