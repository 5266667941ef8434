// dia_Step: one analysis step of a job: its number, name and procedure, how it was incremented,
// its solution options, how far it got, and three lists: increments, step-level contact
// diagnostics and explicit-status records.
//
// The step owns its child records by value in persistent lists. The increment list streams:
// once attached to a file, FlushIncrements writes new and changed increments and
// ReleaseIncrement drops stored ones from memory (they reload on access). The progress and
// solution-option fields without accessors are public: the analysis sets them directly. A copy
// is the same persistent object. Not thread-safe.
#pragma once

#include <cstdint>

#include "ddb/diagnostics/dia_ContactDiagnostic.h"
#include "ddb/diagnostics/dia_Enums.h"
#include "ddb/diagnostics/dia_Increment.h"
#include "ddb/diagnostics/dia_XplStatus.h"
#include "ddb/frame/cls_ListObj.h"
#include "ddb/platform/cls_ArrayPrim.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

class dia_Step : public mem_AllocationOperators {
 public:
  using IncrementList = cls_ListObj<dia_Increment>;
  using ContactDiagnosticList = cls_ListObj<dia_ContactDiagnostic>;
  using XplStatusList = cls_ListObj<dia_XplStatus>;

  dia_Step();
  dia_Step(int stepNumber, const cow_String& name, int procedureCode, bool isPerturbation,
           bool isRiks);
  explicit dia_Step(const cls_ReadVisitor& reader);
  dia_Step(const dia_Step&) = default;
  dia_Step& operator=(const dia_Step&) = default;
  virtual ~dia_Step() = default;

  int GetStepNumber() const { return m_stepNumber; }
  const cow_String& GetStepName() const { return m_stepName; }
  int GetProcedureCode() const { return m_lproc; }
  bool IsPerturbation() const { return m_isPerturbation; }
  bool IsRiks() const { return m_isRiks; }

  void SetIncrementationControls(dia_IncrementationSchemeEnum scheme, double timePeriod,
                                 double initialTimeIncrement, double minimumTimeIncrement,
                                 double maximumTimeIncrement, int maximumNumberOfIncrements);
  dia_IncrementationSchemeEnum GetIncrementationScheme() const { return m_incrementationScheme; }
  double GetTimePeriod() const { return m_timePeriod; }
  double GetInitialTimeIncrement() const { return m_initialTimeIncrement; }
  double GetMinimumTimeIncrement() const { return m_minimumTimeIncrement; }
  double GetMaximumTimeIncrement() const { return m_maximumTimeIncrement; }
  int GetMaximumNumberOfIncrements() const { return m_maximumNumberOfIncrements; }

  void AddIncrement(const dia_Increment& increment) { m_incrementList.Append(increment); }
  int GetNumberOfIncrements() const { return m_incrementList.Length(); }
  dia_Increment& GetIncrementByIndex(int i) { return m_incrementList.Get(i); }
  const dia_Increment& ConstGetIncrementByIndex(int i) const { return m_incrementList.ConstGet(i); }
  void ReleaseIncrement(int i) const { m_incrementList.Release(i); }
  void FlushIncrements() { m_incrementList.Flush(); }
  // Increments held in memory.
  int SnapIncrements() const { return m_incrementList.Snap(); }
  // The lists themselves, for readers (see dia_DiagnosticData::GetSteps).
  const IncrementList& GetIncrements() const { return m_incrementList; }
  const ContactDiagnosticList& GetContactDiagnostics() const { return m_contactDiagnosticList; }
  const XplStatusList& GetXplStatuses() const { return m_XplStatusList; }

  void AddContactDiagnostic(const dia_ContactDiagnostic& d) { m_contactDiagnosticList.Append(d); }
  int GetNumberOfContactDiagnostics() const { return m_contactDiagnosticList.Length(); }
  dia_ContactDiagnostic& GetContactDiagnosticByIndex(int i) {
    return m_contactDiagnosticList.Get(i);
  }
  const dia_ContactDiagnostic& ConstGetContactDiagnosticByIndex(int i) const {
    return m_contactDiagnosticList.ConstGet(i);
  }

  void AddXplStatus(const dia_XplStatus& status) { m_XplStatusList.Append(status); }
  int GetNumberOfXplStatus() const { return m_XplStatusList.Length(); }
  dia_XplStatus& GetXplStatusByIndex(int i) { return m_XplStatusList.Get(i); }
  const dia_XplStatus& ConstGetXplStatusByIndex(int i) const { return m_XplStatusList.ConstGet(i); }

  // Cuts the step back to its state before increment `incrementNumber`: keeps the increments
  // and explicit-status records numbered below it and records the step time reached.
  void TruncateStep(int incrementNumber, double stepTime);

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
  int m_stepNumber = 0;
  cow_String m_stepName;
  int m_lproc = 0;
  bool m_isPerturbation = false;
  bool m_isRiks = false;
  IncrementList m_incrementList;

 public:
  double m_stepTimeCompleted = 0.0;
  int m_incrementsCompleted = 0;

 private:
  dia_IncrementationSchemeEnum m_incrementationScheme =
      dia_IncrementationSchemeEnum::AUTO_INCREMENTATION;
  double m_timePeriod = 0.0;
  double m_initialTimeIncrement = 0.0;
  double m_minimumTimeIncrement = 0.0;
  double m_maximumTimeIncrement = 0.0;
  int m_maximumNumberOfIncrements = 0;

 public:
  bool m_isStabilized = false;
  double m_stabilizeFactor = 0.0;
  bool m_isUnsymm = false;
  bool m_isNlgeom = false;
  int m_solverCode = 0;
  int m_extrapolationCode = 0;
  double m_characteristicElementLength = 0.0;

 private:
  ContactDiagnosticList m_contactDiagnosticList;
  XplStatusList m_XplStatusList;

 public:
  cls_xp1DArrayListInt m_ActiveXplStatus;

 private:
  cls_Uid m_uid;
};
