// dia_ContactDiagnostic: one report of the contact algorithm (overclosures, openings, points now
// sticking or slipping, ...): a coded diagnostic whose type code is a contact code of the catalog
// and whose data blocks carry each occurrence.
//
// It adds only an identity of its own to the diagnostic base; copies carry both identities.
// Value record, not thread-safe.
#pragma once

#include "ddb/diagnostics/dia_DiagnosticBase.h"

class dia_ContactDiagnostic : public dia_DiagnosticBase {
 public:
  static std::uint32_t TypeId();
  static cow_String TypeName();
  static void InitializeMetadata(cls_ClassRegistrar& registrar);
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* cowHandle);

  dia_ContactDiagnostic();
  explicit dia_ContactDiagnostic(int type);
  explicit dia_ContactDiagnostic(const cls_ReadVisitor& reader);
  dia_ContactDiagnostic(const dia_ContactDiagnostic&) = default;
  dia_ContactDiagnostic& operator=(const dia_ContactDiagnostic&) = default;
  ~dia_ContactDiagnostic() override = default;

  void DBWrite(const cls_WriteVisitor& writer) const override;
  std::uint32_t DynTypeId() const override { return TypeId(); }
  dia_DiagnosticBase* Copy() const override { return new dia_ContactDiagnostic(*this); }

  cls_Uid Uid() const { return m_uid; }

 private:
  template <class>
  friend struct cls_LayoutOf;
  cls_Uid m_uid;
};
