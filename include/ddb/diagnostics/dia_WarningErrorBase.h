// dia_WarningErrorBase: the shared part of analysis warnings and errors: a coded diagnostic
// (type code, data blocks) that remembers where in the analysis it arose (step, increment,
// attempt and iteration numbers).
//
// Each level of the class tree has an identity of its own; copies carry all of them. Value
// record, not thread-safe.
#pragma once

#include "ddb/diagnostics/dia_DiagnosticBase.h"

class dia_WarningErrorBase : public dia_DiagnosticBase {
 public:
  static std::uint32_t TypeId();
  static cow_String TypeName();
  static void InitializeMetadata(cls_ClassRegistrar& registrar);
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* cowHandle);

  dia_WarningErrorBase();
  dia_WarningErrorBase(int type, int stepNumber, int incrementNumber, int attemptNumber,
                       int iterationNumber);
  explicit dia_WarningErrorBase(const cls_ReadVisitor& reader);
  dia_WarningErrorBase(const dia_WarningErrorBase&) = default;
  dia_WarningErrorBase& operator=(const dia_WarningErrorBase&) = default;
  ~dia_WarningErrorBase() override = default;

  void DBWrite(const cls_WriteVisitor& writer) const override;
  std::uint32_t DynTypeId() const override { return TypeId(); }
  dia_DiagnosticBase* Copy() const override { return new dia_WarningErrorBase(*this); }

  int GetStepNumber() const { return m_stepNumber; }
  int GetIncrementNumber() const { return m_incrementNumber; }
  int GetAttemptNumber() const { return m_attemptNumber; }
  int GetIterationNumber() const { return m_iterationNumber; }
  // The identity of this level; a derived class's own identity hides it.
  cls_Uid Uid() const { return m_uid; }

 private:
  template <class>
  friend struct cls_LayoutOf;
  int m_stepNumber = 0;
  int m_incrementNumber = 0;
  int m_attemptNumber = 0;
  int m_iterationNumber = 0;
  cls_Uid m_uid;
};
