#include "ddb/diagnostics/dia_Error.h"

#include "ddb/platform/cow_COW.h"
#include "diagnostics/dia_FieldSupport.h"

namespace {
constexpr dia_Field kInternalErrorString{"m_internalErrorString", 0};
}  // namespace

dia_Error::dia_Error() : m_uid(cls_Uid::AllocateUid()) {}

dia_Error::dia_Error(int type, int stepNumber, int incrementNumber, int attemptNumber,
                     int iterationNumber)
    : dia_WarningErrorBase(type, stepNumber, incrementNumber, attemptNumber, iterationNumber),
      m_uid(cls_Uid::AllocateUid()) {}

dia_Error::dia_Error(const cls_ReadVisitor& reader)
    : dia_WarningErrorBase(cls_ReadVisitor(reader)),
      m_internalErrorString(reader.ReadString(kInternalErrorString, "")),
      m_uid(reader.GetUid()) {}

void dia_Error::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  dia_WarningErrorBase::DBWrite(cls_WriteVisitor(writer, dia_WarningErrorBase::TypeId()));
  writer.Memento().WriteString(kInternalErrorString, m_internalErrorString);
}

void* dia_Error::Ctor(cls_ReadVisitor& reader) {
  return new dia_Error(reader);
}

void dia_Error::CowDtor(void* cowHandle) {
  cow_COW<dia_Error>::Destroy(static_cast<cow_COW<dia_Error>*>(cowHandle));
}

void dia_Error::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD(TypeName(), TypeId(), 410, &Ctor, dia_WarningErrorBase::TypeId())
      .AddAttribute(kInternalErrorString, cls_AttrString, 1, cls_CollNone);
}
