// dia_ElementDiagnostic: a problem found at elements (excessive distortion, unconverged
// material-point calculations, ...): a coded diagnostic whose type code is an element code of the
// catalog and each of whose data blocks names exactly one element.
//
// AddData keeps only the first block for any element; the set of elements seen is in memory only,
// so a diagnostic read back from a file starts with an empty set. Copies carry the set and both
// identities. Value record, not thread-safe.
#pragma once

#include "ddb/diagnostics/dia_DiagnosticBase.h"
#include "ddb/platform/cow_Map.h"

class dia_ElementDiagnostic : public dia_DiagnosticBase {
 public:
  static std::uint32_t TypeId();
  static cow_String TypeName();
  static void InitializeMetadata(cls_ClassRegistrar& registrar);
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* cowHandle);

  dia_ElementDiagnostic();
  explicit dia_ElementDiagnostic(int type);
  explicit dia_ElementDiagnostic(const cls_ReadVisitor& reader);
  dia_ElementDiagnostic(const dia_ElementDiagnostic&) = default;
  dia_ElementDiagnostic& operator=(const dia_ElementDiagnostic&) = default;
  ~dia_ElementDiagnostic() override = default;

  // Keeps the block only when it names exactly one element (one label, one instance name) not
  // reported before; the element's key is the label in decimal followed by the instance name.
  void AddData(const dia_AuxiliaryData& block) override;
  void DBWrite(const cls_WriteVisitor& writer) const override;
  std::uint32_t DynTypeId() const override { return TypeId(); }
  dia_DiagnosticBase* Copy() const override { return new dia_ElementDiagnostic(*this); }

  cls_Uid Uid() const { return m_uid; }

 private:
  template <class>
  friend struct cls_LayoutOf;
  cow_Map<cow_String, int> m_elements;
  cls_Uid m_uid;
};
