#include "ddb/diagnostics/dia_Warning.h"

#include "ddb/platform/cow_COW.h"

dia_Warning::dia_Warning() : m_uid(cls_Uid::AllocateUid()) {}

dia_Warning::dia_Warning(int type, int stepNumber, int incrementNumber, int attemptNumber,
                         int iterationNumber)
    : dia_WarningErrorBase(type, stepNumber, incrementNumber, attemptNumber, iterationNumber),
      m_uid(cls_Uid::AllocateUid()) {}

dia_Warning::dia_Warning(const cls_ReadVisitor& reader)
    : dia_WarningErrorBase(cls_ReadVisitor(reader)), m_uid(reader.GetUid()) {}

void dia_Warning::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  dia_WarningErrorBase::DBWrite(cls_WriteVisitor(writer, dia_WarningErrorBase::TypeId()));
}

void* dia_Warning::Ctor(cls_ReadVisitor& reader) {
  return new dia_Warning(reader);
}

void dia_Warning::CowDtor(void* cowHandle) {
  cow_COW<dia_Warning>::Destroy(static_cast<cow_COW<dia_Warning>*>(cowHandle));
}

void dia_Warning::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD(TypeName(), TypeId(), 410, &Ctor, dia_WarningErrorBase::TypeId());
}
