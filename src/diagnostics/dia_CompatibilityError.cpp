#include "ddb/diagnostics/dia_CompatibilityError.h"

#include "ddb/platform/cow_COW.h"
#include "diagnostics/dia_FieldSupport.h"

namespace {

constexpr dia_Field kConstraintEquationType{"m_constraintEquationType", 0};
constexpr dia_Field kNumElementsExceeding{"m_numElementsExceedingTolerance", 1};
constexpr dia_Field kMaxError{"m_maxError", 2};
constexpr dia_Field kPartInstanceName{"m_partInstanceName", 3};
constexpr dia_Field kElementNumber{"m_elementNumber", 4};

// Indexed by constraint variable value minus 1.
constexpr const char* kConstraintNames[] = {"Pressure Stress", "Axial Force",
                                            "Transverse Shear Force", "Coupling Force",
                                            "Coupling Moment"};

}  // namespace

dia_CompatibilityError::dia_CompatibilityError() : m_uid(cls_Uid::AllocateUid()) {}

dia_CompatibilityError::dia_CompatibilityError(dia_ConstraintVariableEnum constraintVariable,
                                               int numElementsExceedingTolerance, double maxError,
                                               const cow_String& instanceName, int elementLabel)
    : m_constraintEquationType(constraintVariable),
      m_numElementsExceedingTolerance(numElementsExceedingTolerance),
      m_maxError(maxError),
      m_partInstanceName(instanceName),
      m_elementNumber(elementLabel),
      m_uid(cls_Uid::AllocateUid()) {}

dia_CompatibilityError::dia_CompatibilityError(const cls_ReadVisitor& reader)
    : m_constraintEquationType(
          dia_ReadEnum<dia_ConstraintVariableEnum>(reader, kConstraintEquationType)),
      m_numElementsExceedingTolerance(reader.ReadInt(kNumElementsExceeding, 0)),
      m_maxError(reader.ReadDouble(kMaxError, 0.0)),
      m_partInstanceName(reader.ReadString(kPartInstanceName, "")),
      m_elementNumber(reader.ReadInt(kElementNumber, 0)),
      m_uid(reader.GetUid()) {}

void dia_CompatibilityError::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  rom_MementoWrite& memento = writer.Memento();
  dia_WriteEnum(writer, kConstraintEquationType, m_constraintEquationType);
  memento.WriteInt(kNumElementsExceeding, m_numElementsExceedingTolerance);
  memento.WriteDouble(kMaxError, m_maxError);
  memento.WriteString(kPartInstanceName, m_partInstanceName);
  memento.WriteInt(kElementNumber, m_elementNumber);
}

cow_String dia_CompatibilityError::GetConstraintVariableName() const {
  unsigned value = static_cast<unsigned>(m_constraintEquationType);
  constexpr unsigned count = sizeof(kConstraintNames) / sizeof(kConstraintNames[0]);
  return value >= 1 && value <= count ? kConstraintNames[value - 1] : "";
}

void* dia_CompatibilityError::Ctor(cls_ReadVisitor& reader) {
  return new dia_CompatibilityError(reader);
}

void dia_CompatibilityError::CowDtor(void* cowHandle) {
  cow_COW<dia_CompatibilityError>::Destroy(
      static_cast<cow_COW<dia_CompatibilityError>*>(cowHandle));
}

void dia_CompatibilityError::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD(TypeName(), TypeId(), 1001, &Ctor, cls_NoBaseTypeId)
      .AddAttribute(kConstraintEquationType, cls_AttrEnum, 1, cls_CollNone)
      .AddAttribute(kNumElementsExceeding, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kMaxError, cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(kPartInstanceName, cls_AttrString, 1, cls_CollNone)
      .AddAttribute(kElementNumber, cls_AttrInt, 1, cls_CollNone)
      .AddDtor(&CowDtor);
}
