#include "ddb/platform/omu_Primitive.h"

#include <typeinfo>

#include "ddb/platform/cls_ReadVisitor.h"

void omu_PrimVisitor::VisitEnum(const omu_PrimEnumBase&) {}

omu_PrimEnumBase::omu_PrimEnumBase() : m_uid(cls_Uid::AllocateUid()) {}

omu_PrimEnumBase::omu_PrimEnumBase(const cls_ReadVisitor& reader)
    : m_string(reader.ReadString(cls_FieldHandle(kStringField), cow_String())),
      m_uid(reader.GetUid()) {}

void omu_PrimEnumBase::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(kTypeId, m_uid)) return;
  writer.Memento().WriteString(cls_FieldHandle(kStringField, 0), m_string);
}

void omu_PrimEnumBase::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD("omu_PrimEnum", kTypeId, 1, nullptr, cls_NoBaseTypeId)
      .AddAttribute(cls_FieldHandle(kStringField, 0), cls_AttrString, 1, cls_CollNone);
}

cow_String omu_PrimEnumBase::AsString(int) const {
  return m_string;
}

cow_String omu_PrimEnumBase::AsRepr() const {
  return TypeString() + "(" + m_string + ")";
}

void omu_PrimEnumBase::Accept(omu_PrimVisitor* visitor) const {
  if (visitor) visitor->VisitEnum(*this);
}

cow_String omu_PrimEnumBase::PermissibleValuesAsString() const {
  std::string text;
  for (const auto& entry : PermissibleValues()) {
    if (!text.empty()) text += ", ";
    text += entry.first.str();
  }
  return cow_String(std::move(text));
}

bool omu_PrimEnumBase::IsEqual(const omu_Primitive& other) const {
  if (typeid(*this) != typeid(other)) return false;
  return m_string == static_cast<const omu_PrimEnumBase&>(other).m_string;
}
