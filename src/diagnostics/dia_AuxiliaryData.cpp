#include "ddb/diagnostics/dia_AuxiliaryData.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_AuxiliaryData> : cls_LayoutRows<dia_AuxiliaryData> {
  static constexpr Row kRows[] = {
      {"m_intValues", kIntArray, IfAny<&T::m_intValues>},
      {"m_realValues", kDoubleArray, IfAny<&T::m_realValues>},
      {"m_stringValues", kStringArray, IfAny<&T::m_stringValues>},
      {"m_elementLabels", kIntArray, IfAny<&T::m_elementLabels>},
      {"m_elementInstanceNames", kStringArray, IfAny<&T::m_elementInstanceNames>},
      {"m_nodeLabels", kIntArray, IfAny<&T::m_nodeLabels>},
      {"m_nodeInstanceNames", kStringArray, IfAny<&T::m_nodeInstanceNames>},
      {"m_variation", kInt, At<&T::m_variation>},
  };
  static constexpr cls_Layout<T> kLayout{"dia_AuxiliaryData", dia_TypeId_AuxiliaryData, 418,
                                         &T::m_uid, kRows};
};

CLS_DEFINE_PERSISTENT(dia_AuxiliaryData)

dia_AuxiliaryData::dia_AuxiliaryData() : m_uid(cls_Uid::AllocateUid()) {}

dia_AuxiliaryData::dia_AuxiliaryData(const cow_List<int>& intValues,
                                     const cow_List<double>& realValues,
                                     const cow_List<cow_String>& stringValues,
                                     const cow_List<int>& elementLabels,
                                     const cow_List<cow_String>& elementInstanceNames,
                                     const cow_List<int>& nodeLabels,
                                     const cow_List<cow_String>& nodeInstanceNames, int variation)
    : m_intValues(intValues),
      m_realValues(realValues),
      m_stringValues(stringValues),
      m_elementLabels(elementLabels),
      m_elementInstanceNames(elementInstanceNames),
      m_nodeLabels(nodeLabels),
      m_nodeInstanceNames(nodeInstanceNames),
      m_variation(variation),
      m_uid(cls_Uid::AllocateUid()) {}

bool dia_AuxiliaryData::HasValues() const {
  return !GetIntValues().IsEmpty() || !GetRealValues().IsEmpty() || !GetStringValues().IsEmpty() ||
         !GetElementLabels().IsEmpty() || !GetNodeLabels().IsEmpty();
}
