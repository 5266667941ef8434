#include "ddb/diagnostics/dia_ElementDiagnostic.h"

#include <string>

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_ElementDiagnostic> : cls_LayoutRows<dia_ElementDiagnostic> {
  static constexpr cls_Layout<T> kLayout{"dia_ElementDiagnostic", dia_TypeId_ElementDiagnostic, 418,
                                         &T::m_uid, Base<dia_DiagnosticBase>};
};

CLS_DEFINE_PERSISTENT_DERIVED(dia_ElementDiagnostic, dia_DiagnosticBase)

dia_ElementDiagnostic::dia_ElementDiagnostic() : m_uid(cls_Uid::AllocateUid()) {}

dia_ElementDiagnostic::dia_ElementDiagnostic(int type)
    : dia_DiagnosticBase(type), m_uid(cls_Uid::AllocateUid()) {}

void dia_ElementDiagnostic::AddData(const dia_AuxiliaryData& block) {
  const cow_List<int>& labels = block.GetElementLabels();
  const cow_List<cow_String>& instances = block.GetElementInstanceNames();
  if (labels.Length() != 1 || instances.Length() != 1) return;
  cow_String key = std::to_string(labels[0]) + instances[0].str();
  if (m_elements.IsMember(key)) return;
  dia_DiagnosticBase::AddData(block);
  m_elements.Insert(key, 0);
}
