// dia_Warning: an analysis warning: a warning code of the catalog with its data blocks and the
// analysis position where it arose. Adds only an identity of its own to dia_WarningErrorBase.
// Value record, not thread-safe.
#pragma once

#include "ddb/diagnostics/dia_WarningErrorBase.h"

class dia_Warning : public dia_WarningErrorBase {
 public:
  static std::uint32_t TypeId();
  static cow_String TypeName();
  static void InitializeMetadata(cls_ClassRegistrar& registrar);
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* cowHandle);

  dia_Warning();
  dia_Warning(int type, int stepNumber, int incrementNumber, int attemptNumber,
              int iterationNumber);
  explicit dia_Warning(const cls_ReadVisitor& reader);
  dia_Warning(const dia_Warning&) = default;
  dia_Warning& operator=(const dia_Warning&) = default;
  ~dia_Warning() override = default;

  void DBWrite(const cls_WriteVisitor& writer) const override;
  std::uint32_t DynTypeId() const override { return TypeId(); }
  dia_DiagnosticBase* Copy() const override { return new dia_Warning(*this); }

  cls_Uid Uid() const { return m_uid; }

 private:
  template <class>
  friend struct cls_LayoutOf;
  cls_Uid m_uid;
};
