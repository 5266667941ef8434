#include "ddb/diagnostics/dia_ContactDiagnostic.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_ContactDiagnostic> : cls_LayoutRows<dia_ContactDiagnostic> {
  static constexpr cls_Layout<T> kLayout{"dia_ContactDiagnostic", dia_TypeId_ContactDiagnostic, 418,
                                         &T::m_uid, Base<dia_DiagnosticBase>};
};

static constexpr const auto& kLayout = cls_LayoutOf<dia_ContactDiagnostic>::kLayout;

dia_ContactDiagnostic::dia_ContactDiagnostic() : m_uid(cls_Uid::AllocateUid()) {}

dia_ContactDiagnostic::dia_ContactDiagnostic(int type)
    : dia_DiagnosticBase(type), m_uid(cls_Uid::AllocateUid()) {}

dia_ContactDiagnostic::dia_ContactDiagnostic(const cls_ReadVisitor& reader)
    : dia_DiagnosticBase(cls_ReadVisitor(reader)) {
  kLayout.Read(reader, *this);
}

cow_String dia_ContactDiagnostic::TypeName() {
  return kLayout.name;
}

std::uint32_t dia_ContactDiagnostic::TypeId() {
  return kLayout.typeId;
}

void* dia_ContactDiagnostic::Ctor(cls_ReadVisitor& reader) {
  return new dia_ContactDiagnostic(reader);
}

void dia_ContactDiagnostic::CowDtor(void* handle) {
  cls_DestroyHandle<dia_ContactDiagnostic>(handle);
}

void dia_ContactDiagnostic::InitializeMetadata(cls_ClassRegistrar& registrar) {
  kLayout.Declare(registrar, &Ctor, &CowDtor);
}

void dia_ContactDiagnostic::DBWrite(const cls_WriteVisitor& writer) const {
  kLayout.Write(writer, *this);
}
