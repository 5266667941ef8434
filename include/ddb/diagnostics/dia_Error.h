// dia_Error: an analysis error: an error code of the catalog with its data blocks, the analysis
// position where it arose, and a free-text internal error string. Adds the string and an
// identity of its own to dia_WarningErrorBase, so an error carries three identities.
// Value record, not thread-safe.
#pragma once

#include "ddb/diagnostics/dia_WarningErrorBase.h"

class dia_Error : public dia_WarningErrorBase {
 public:
  static std::uint32_t TypeId();
  static cow_String TypeName();
  static void InitializeMetadata(cls_ClassRegistrar& registrar);
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* cowHandle);

  dia_Error();
  dia_Error(int type, int stepNumber, int incrementNumber, int attemptNumber, int iterationNumber);
  explicit dia_Error(const cls_ReadVisitor& reader);
  dia_Error(const dia_Error&) = default;
  dia_Error& operator=(const dia_Error&) = default;
  ~dia_Error() override = default;

  void DBWrite(const cls_WriteVisitor& writer) const override;
  std::uint32_t DynTypeId() const override { return TypeId(); }
  dia_DiagnosticBase* Copy() const override { return new dia_Error(*this); }

  void SetInternalErrorString(const cow_String& text) { m_internalErrorString = text; }
  cow_String GetInternalErrorString() const { return m_internalErrorString; }
  cls_Uid Uid() const { return m_uid; }

 private:
  template <class>
  friend struct cls_LayoutOf;
  cow_String m_internalErrorString;
  cls_Uid m_uid;
};
