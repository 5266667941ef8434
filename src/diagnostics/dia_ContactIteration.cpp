#include "ddb/diagnostics/dia_ContactIteration.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_ContactIteration> : cls_LayoutRows<dia_ContactIteration> {
  static constexpr Row kRows[] = {
      {"m_iterationNumber", kInt, At<&T::m_iterationNumber>},
      {"m_isConverged", kBool, At<&T::m_isConverged>},
      {"m_contactDiagnosticList", kObjectList, At<&T::m_contactDiagnosticList>},
  };
  static constexpr cls_Layout<T> kLayout{"dia_ContactIteration", dia_TypeId_ContactIteration, 434,
                                         &T::m_uid, kRows};
};

CLS_DEFINE_PERSISTENT(dia_ContactIteration)

dia_ContactIteration::dia_ContactIteration() : m_uid(cls_Uid::AllocateUid()) {}

dia_ContactIteration::dia_ContactIteration(int iterationNumber)
    : m_iterationNumber(iterationNumber), m_uid(cls_Uid::AllocateUid()) {}

void dia_ContactIteration::AddContactDiagnostic(const dia_ContactDiagnostic& diagnostic) {
  m_contactDiagnosticList.Append(diagnostic);
}

dia_ContactDiagnostic& dia_ContactIteration::GetContactDiagnosticByIndex(int index) {
  return m_contactDiagnosticList.Get(index);
}

const dia_ContactDiagnostic& dia_ContactIteration::ConstGetContactDiagnosticByIndex(
    int index) const {
  return m_contactDiagnosticList.ConstGet(index);
}
