#include "ddb/diagnostics/dia_DiagnosticBase.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_DiagnosticBase> : cls_LayoutRows<dia_DiagnosticBase> {
  static constexpr Row kRows[] = {
      {"m_type", kInt, At<&T::m_type>},
      {"m_data", kObjectList, At<&T::m_data>},
      {"m_variationNumbers", kIntArray, At<&T::m_variationNumbers>},
  };
  static constexpr cls_Layout<T> kLayout{"dia_DiagnosticBase", dia_TypeId_DiagnosticBase, 418,
                                         &T::m_uid, kRows};
};

CLS_DEFINE_PROTOCOL(dia_DiagnosticBase)

static constexpr const auto& kLayout = cls_LayoutOf<dia_DiagnosticBase>::kLayout;

dia_DiagnosticBase::dia_DiagnosticBase() : m_uid(cls_Uid::AllocateUid()) {}

dia_DiagnosticBase::dia_DiagnosticBase(int type) : m_type(type), m_uid(cls_Uid::AllocateUid()) {}

dia_DiagnosticBase::dia_DiagnosticBase(const cls_ReadVisitor& reader) {
  kLayout.Read(reader, *this);
  // A base part converted from an older layout holds its data blocks but not their variations.
  if (reader.ObjIsPresent("m_variationNumbers")) return;
  for (int i = 0; i < m_data.Length(); ++i) {
    const int variation = m_data.ConstGet(i).GetVariation();
    if (!m_variationNumbers.Values().Contains(variation))
      m_variationNumbers.Values().Append(variation);
  }
}

void dia_DiagnosticBase::AddData(const dia_AuxiliaryData& block) {
  int variation = block.GetVariation();
  if (!m_variationNumbers.Values().Contains(variation))
    m_variationNumbers.Values().Append(variation);
  m_data.Append(block);
}
