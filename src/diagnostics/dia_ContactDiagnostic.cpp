#include "ddb/diagnostics/dia_ContactDiagnostic.h"

#include "ddb/platform/cow_COW.h"

dia_ContactDiagnostic::dia_ContactDiagnostic() : m_uid(cls_Uid::AllocateUid()) {}

dia_ContactDiagnostic::dia_ContactDiagnostic(int type)
    : dia_DiagnosticBase(type), m_uid(cls_Uid::AllocateUid()) {}

dia_ContactDiagnostic::dia_ContactDiagnostic(const cls_ReadVisitor& reader)
    : dia_DiagnosticBase(cls_ReadVisitor(reader)), m_uid(reader.GetUid()) {}

void dia_ContactDiagnostic::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  dia_DiagnosticBase::DBWrite(cls_WriteVisitor(writer, dia_DiagnosticBase::TypeId()));
}

void* dia_ContactDiagnostic::Ctor(cls_ReadVisitor& reader) {
  return new dia_ContactDiagnostic(reader);
}

void dia_ContactDiagnostic::CowDtor(void* cowHandle) {
  cow_COW<dia_ContactDiagnostic>::Destroy(static_cast<cow_COW<dia_ContactDiagnostic>*>(cowHandle));
}

void dia_ContactDiagnostic::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD(TypeName(), TypeId(), 418, &Ctor, dia_DiagnosticBase::TypeId());
}
