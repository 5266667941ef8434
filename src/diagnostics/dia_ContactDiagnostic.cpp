#include "ddb/diagnostics/dia_ContactDiagnostic.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_ContactDiagnostic> : cls_LayoutRows<dia_ContactDiagnostic> {
  static constexpr cls_Layout<T> kLayout{"dia_ContactDiagnostic", dia_TypeId_ContactDiagnostic, 418,
                                         &T::m_uid, Base<dia_DiagnosticBase>};
};

CLS_DEFINE_PERSISTENT_DERIVED(dia_ContactDiagnostic, dia_DiagnosticBase)

dia_ContactDiagnostic::dia_ContactDiagnostic() : m_uid(cls_Uid::AllocateUid()) {}

dia_ContactDiagnostic::dia_ContactDiagnostic(int type)
    : dia_DiagnosticBase(type), m_uid(cls_Uid::AllocateUid()) {}
