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

static constexpr const auto& kLayout = cls_LayoutOf<dia_XplStatus>::kLayout;

dia_XplStatus::dia_XplStatus() : m_uid(cls_Uid::AllocateUid()) {}

dia_XplStatus::dia_XplStatus(int incrementNumber, int critElementLabel,
                             cow_String critElementInstance, cow_List<double>& realValues)
    : m_incrementNumber(incrementNumber),
      m_critElementLabel(critElementLabel),
      m_critElementInst(std::move(critElementInstance)),
      m_XplStatusRealv(realValues),
      m_uid(cls_Uid::AllocateUid()) {}

dia_XplStatus::dia_XplStatus(const cls_ReadVisitor& reader) {
  kLayout.Read(reader, *this);
}

bool dia_XplStatus::operator==(const dia_XplStatus& other) const {
  return m_incrementNumber == other.m_incrementNumber &&
         m_critElementLabel == other.m_critElementLabel &&
         m_critElementInst == other.m_critElementInst &&
         m_XplStatusRealv.Values() == other.m_XplStatusRealv.Values() &&
         m_XplStatusRealv.Uid() == other.m_XplStatusRealv.Uid() && m_uid == other.m_uid;
}

cow_String dia_XplStatus::TypeName() {
  return kLayout.name;
}

std::uint32_t dia_XplStatus::TypeId() {
  return kLayout.typeId;
}

void* dia_XplStatus::Ctor(cls_ReadVisitor& reader) {
  return new dia_XplStatus(reader);
}

void dia_XplStatus::CowDtor(void* handle) {
  cls_DestroyHandle<dia_XplStatus>(handle);
}

void dia_XplStatus::InitializeMetadata(cls_ClassRegistrar& registrar) {
  kLayout.Declare(registrar, &Ctor, &CowDtor);
}

void dia_XplStatus::DBWrite(const cls_WriteVisitor& writer) const {
  kLayout.Write(writer, *this);
}
