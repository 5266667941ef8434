#include "ddb/diagnostics/dia_CompatibilityError.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_CompatibilityError> : cls_LayoutRows<dia_CompatibilityError> {
  static constexpr Row kRows[] = {
      {"m_constraintEquationType", kEnum, At<&T::m_constraintEquationType>},
      {"m_numElementsExceedingTolerance", kInt, At<&T::m_numElementsExceedingTolerance>},
      {"m_maxError", kDouble, At<&T::m_maxError>},
      {"m_partInstanceName", kString, At<&T::m_partInstanceName>},
      {"m_elementNumber", kInt, At<&T::m_elementNumber>},
  };
  static constexpr cls_Layout<T> kLayout{"dia_CompatibilityError", dia_TypeId_CompatibilityError,
                                         1001, &T::m_uid, kRows};
};

CLS_DEFINE_PERSISTENT(dia_CompatibilityError)

// Indexed by constraint variable value minus 1.
static constexpr const char* kConstraintNames[] = {"Pressure Stress", "Axial Force",
                                                   "Transverse Shear Force", "Coupling Force",
                                                   "Coupling Moment"};

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

cow_String dia_CompatibilityError::GetConstraintVariableName() const {
  unsigned value = static_cast<unsigned>(m_constraintEquationType);
  constexpr unsigned count = sizeof(kConstraintNames) / sizeof(kConstraintNames[0]);
  return value >= 1 && value <= count ? kConstraintNames[value - 1] : "";
}
