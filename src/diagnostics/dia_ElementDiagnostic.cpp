#include "ddb/diagnostics/dia_ElementDiagnostic.h"

#include <string>

#include "ddb/platform/cow_COW.h"

dia_ElementDiagnostic::dia_ElementDiagnostic() : m_uid(cls_Uid::AllocateUid()) {}

dia_ElementDiagnostic::dia_ElementDiagnostic(int type)
    : dia_DiagnosticBase(type), m_uid(cls_Uid::AllocateUid()) {}

dia_ElementDiagnostic::dia_ElementDiagnostic(const cls_ReadVisitor& reader)
    : dia_DiagnosticBase(cls_ReadVisitor(reader)), m_uid(reader.GetUid()) {}

void dia_ElementDiagnostic::AddData(const dia_AuxiliaryData& block) {
  const cow_List<int>& labels = block.GetElementLabels();
  const cow_List<cow_String>& instances = block.GetElementInstanceNames();
  if (labels.Length() != 1 || instances.Length() != 1) return;
  cow_String key = std::to_string(labels[0]) + instances[0].str();
  if (m_elements.IsMember(key)) return;
  dia_DiagnosticBase::AddData(block);
  m_elements.Insert(key, 0);
}

void dia_ElementDiagnostic::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  dia_DiagnosticBase::DBWrite(cls_WriteVisitor(writer, dia_DiagnosticBase::TypeId()));
}

void* dia_ElementDiagnostic::Ctor(cls_ReadVisitor& reader) {
  return new dia_ElementDiagnostic(reader);
}

void dia_ElementDiagnostic::CowDtor(void* cowHandle) {
  cow_COW<dia_ElementDiagnostic>::Destroy(static_cast<cow_COW<dia_ElementDiagnostic>*>(cowHandle));
}

void dia_ElementDiagnostic::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD(TypeName(), TypeId(), 418, &Ctor, dia_DiagnosticBase::TypeId());
}
