#include "ddb/diagnostics/dia_XplStatus.h"

#include <utility>

#include "ddb/platform/cow_COW.h"
#include "diagnostics/dia_FieldSupport.h"

namespace {
constexpr dia_Field kIncrementNumber{"m_incrementNumber", 0};
constexpr dia_Field kCritElementLabel{"m_critElementLabel", 1};
constexpr dia_Field kCritElementInst{"m_critElementInst", 2};
constexpr dia_Field kRealValues{"m_XplStatusRealv", 3};
}  // namespace

dia_XplStatus::dia_XplStatus() : m_uid(cls_Uid::AllocateUid()) {}

dia_XplStatus::dia_XplStatus(int incrementNumber, int critElementLabel,
                             cow_String critElementInstance, cow_List<double>& realValues)
    : m_incrementNumber(incrementNumber),
      m_critElementLabel(critElementLabel),
      m_critElementInst(std::move(critElementInstance)),
      m_XplStatusRealv(realValues),
      m_uid(cls_Uid::AllocateUid()) {}

dia_XplStatus::dia_XplStatus(const cls_ReadVisitor& reader)
    : m_incrementNumber(reader.ReadInt(kIncrementNumber, 0)),
      m_critElementLabel(reader.ReadInt(kCritElementLabel, 0)),
      m_critElementInst(reader.ReadString(kCritElementInst, "")),
      m_uid(reader.GetUid()) {
  m_XplStatusRealv = cls_xp1DArrayListDouble(cls_ReadVisitor(reader, kRealValues));
}

void dia_XplStatus::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  writer.Memento().WriteInt(kIncrementNumber, m_incrementNumber);
  writer.Memento().WriteInt(kCritElementLabel, m_critElementLabel);
  writer.Memento().WriteString(kCritElementInst, m_critElementInst);
  m_XplStatusRealv.DBWrite(cls_WriteVisitor(writer, kRealValues, nullptr, nullptr));
}

bool dia_XplStatus::operator==(const dia_XplStatus& other) const {
  return m_incrementNumber == other.m_incrementNumber &&
         m_critElementLabel == other.m_critElementLabel &&
         m_critElementInst == other.m_critElementInst &&
         m_XplStatusRealv.Values() == other.m_XplStatusRealv.Values() &&
         m_XplStatusRealv.Uid() == other.m_XplStatusRealv.Uid() && m_uid == other.m_uid;
}

void* dia_XplStatus::Ctor(cls_ReadVisitor& reader) {
  return new dia_XplStatus(reader);
}

void dia_XplStatus::CowDtor(void* cowHandle) {
  cow_COW<dia_XplStatus>::Destroy(static_cast<cow_COW<dia_XplStatus>*>(cowHandle));
}

void dia_XplStatus::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD(TypeName(), TypeId(), 434, &Ctor, cls_NoBaseTypeId)
      .AddAttribute(kIncrementNumber, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kCritElementLabel, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kCritElementInst, cls_AttrString, 1, cls_CollNone)
      .AddAttribute(kRealValues, cls_AttrObject, cls_PrimArrayTypeId, cls_CollDoubles)
      .AddDtor(&CowDtor);
}
