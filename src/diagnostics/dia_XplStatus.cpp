#include "ddb/diagnostics/dia_XplStatus.h"

#include <utility>

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_XplStatus> : cls_LayoutRows<dia_XplStatus> {
  static constexpr Row kRows[] = {
      {"m_incrementNumber", kInt, At<&T::m_incrementNumber>},
      {"m_critElementLabel", kInt, At<&T::m_critElementLabel>},
      {"m_critElementInst", kString, At<&T::m_critElementInst>},
      {"m_XplStatusRealv", kDoubleArray, At<&T::m_XplStatusRealv>},
  };
  static constexpr cls_Layout<T> kLayout{"dia_XplStatus", dia_TypeId_XplStatus, 434, &T::m_uid,
                                         kRows};
};

CLS_DEFINE_PERSISTENT(dia_XplStatus)

dia_XplStatus::dia_XplStatus() : m_uid(cls_Uid::AllocateUid()) {}

dia_XplStatus::dia_XplStatus(int incrementNumber, int critElementLabel,
                             cow_String critElementInstance, cow_List<double>& realValues)
    : m_incrementNumber(incrementNumber),
      m_critElementLabel(critElementLabel),
      m_critElementInst(std::move(critElementInstance)),
      m_XplStatusRealv(realValues),
      m_uid(cls_Uid::AllocateUid()) {}

bool dia_XplStatus::operator==(const dia_XplStatus& other) const {
  return m_incrementNumber == other.m_incrementNumber &&
         m_critElementLabel == other.m_critElementLabel &&
         m_critElementInst == other.m_critElementInst &&
         m_XplStatusRealv.Values() == other.m_XplStatusRealv.Values() &&
         m_XplStatusRealv.Uid() == other.m_XplStatusRealv.Uid() && m_uid == other.m_uid;
}
