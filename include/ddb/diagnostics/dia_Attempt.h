// dia_Attempt: one try at an increment size, with its equilibrium iterations, the reasons it
// was cut back (dia_CutbackDiagnosticEnum codes, each kept once in the order first added) and
// two flags that only ever get set.
//
// The attempt owns its iterations by value in a persistent list that streams: once attached to a
// file, FlushIterations writes new and changed iterations and ReleaseIteration drops stored ones
// from memory (they reload on access). A copy is the same persistent object. Not thread-safe.
#pragma once

#include <cstdint>

#include "ddb/diagnostics/dia_Iteration.h"
#include "ddb/frame/cls_ListObj.h"
#include "ddb/platform/cls_ArrayPrim.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

class dia_Attempt : public mem_AllocationOperators {
 public:
  using IterationList = cls_ListObj<dia_Iteration>;

  dia_Attempt();
  dia_Attempt(int attemptNumber, double attemptSize);
  explicit dia_Attempt(const cls_ReadVisitor& reader);
  dia_Attempt(const dia_Attempt&) = default;
  dia_Attempt& operator=(const dia_Attempt&) = default;
  virtual ~dia_Attempt() = default;

  int GetAttemptNumber() const { return m_attemptNumber; }
  double GetAttemptSize() const { return m_attemptSize; }
  // False without iterations; otherwise whether the last iteration converged.
  bool IsConverged() const;
  // Whether any cutback reason was recorded.
  bool IsCutback() const { return m_cutbackCodes.Length() > 0; }

  // Records a reason once; a code already present is ignored.
  void AddCutbackDiagnostic(int code);
  int GetNumberOfCutbackDiagnostics() const { return m_cutbackCodes.Length(); }
  // Raises the integer list's out-of-range error for an index outside 0..count-1.
  int GetCutbackDiagnostic(int index) const { return m_cutbackCodes.Values()[index]; }

  void SetNeedsReordering() { m_needsReordering = true; }
  void SetAutoStabilize() { m_autoStabilize = true; }
  bool GetNeedsReordering() const { return m_needsReordering; }
  bool GetAutoStabilize() const { return m_autoStabilize; }

  void AddIteration(const dia_Iteration& iteration) { m_iterationList.Append(iteration); }
  int GetNumberOfIterations() const { return m_iterationList.Length(); }
  dia_Iteration& GetIterationByIndex(int i) { return m_iterationList.Get(i); }
  const dia_Iteration& ConstGetIterationByIndex(int i) const { return m_iterationList.ConstGet(i); }
  void ReleaseIteration(int i) const { m_iterationList.Release(i); }
  void FlushIterations() { m_iterationList.Flush(); }
  // Iterations held in memory.
  int SnapIterations() const { return m_iterationList.Snap(); }
  // The list itself, for readers (see dia_DiagnosticData::GetSteps).
  const IterationList& GetIterations() const { return m_iterationList; }

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
  int m_attemptNumber = 0;
  double m_attemptSize = 0.0;
  cls_xp1DArrayListInt m_cutbackCodes;
  bool m_needsReordering = false;
  bool m_autoStabilize = false;
  IterationList m_iterationList;
  cls_Uid m_uid;
};
