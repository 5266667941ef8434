#include "ddb/diagnostics/dia_WarningErrorBase.h"

#include "ddb/platform/cow_COW.h"
#include "diagnostics/dia_FieldSupport.h"

namespace {
constexpr dia_Field kStepNumber{"m_stepNumber", 0};
constexpr dia_Field kIncrementNumber{"m_incrementNumber", 1};
constexpr dia_Field kAttemptNumber{"m_attemptNumber", 2};
constexpr dia_Field kIterationNumber{"m_iterationNumber", 3};
}  // namespace

dia_WarningErrorBase::dia_WarningErrorBase() : m_uid(cls_Uid::AllocateUid()) {}

dia_WarningErrorBase::dia_WarningErrorBase(int type, int stepNumber, int incrementNumber,
                                           int attemptNumber, int iterationNumber)
    : dia_DiagnosticBase(type),
      m_stepNumber(stepNumber),
      m_incrementNumber(incrementNumber),
      m_attemptNumber(attemptNumber),
      m_iterationNumber(iterationNumber),
      m_uid(cls_Uid::AllocateUid()) {}

dia_WarningErrorBase::dia_WarningErrorBase(const cls_ReadVisitor& reader)
    : dia_DiagnosticBase(cls_ReadVisitor(reader)),
      m_stepNumber(reader.ReadInt(kStepNumber, 0)),
      m_incrementNumber(reader.ReadInt(kIncrementNumber, 0)),
      m_attemptNumber(reader.ReadInt(kAttemptNumber, 0)),
      m_iterationNumber(reader.ReadInt(kIterationNumber, 0)),
      m_uid(reader.GetUid()) {}

void dia_WarningErrorBase::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  dia_DiagnosticBase::DBWrite(cls_WriteVisitor(writer, dia_DiagnosticBase::TypeId()));
  rom_MementoWrite& memento = writer.Memento();
  memento.WriteInt(kStepNumber, m_stepNumber);
  memento.WriteInt(kIncrementNumber, m_incrementNumber);
  memento.WriteInt(kAttemptNumber, m_attemptNumber);
  memento.WriteInt(kIterationNumber, m_iterationNumber);
}

void* dia_WarningErrorBase::Ctor(cls_ReadVisitor& reader) {
  return new dia_WarningErrorBase(reader);
}

void dia_WarningErrorBase::CowDtor(void* cowHandle) {
  cow_COW<dia_WarningErrorBase>::Destroy(static_cast<cow_COW<dia_WarningErrorBase>*>(cowHandle));
}

void dia_WarningErrorBase::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD(TypeName(), TypeId(), 418, &Ctor, dia_DiagnosticBase::TypeId())
      .AddAttribute(kStepNumber, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kIncrementNumber, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kAttemptNumber, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kIterationNumber, cls_AttrInt, 1, cls_CollNone);
}
