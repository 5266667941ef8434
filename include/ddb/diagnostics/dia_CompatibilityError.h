// dia_CompatibilityError: one constraint-compatibility check of an equilibrium iteration: the
// constraint variable, the element with the largest error, that error, and how many elements
// exceed the tolerance.
//
// A value record; copies share its identity (and so are the same persistent object). The
// constraint variable is a plain value, validated only when the record is written or read.
// Not thread-safe.
#pragma once

#include <cstdint>

#include "ddb/diagnostics/dia_Enums.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

class dia_CompatibilityError : public mem_AllocationOperators {
 public:
  static std::uint32_t TypeId();
  static cow_String TypeName();
  static void InitializeMetadata(cls_ClassRegistrar& registrar);
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* cowHandle);

  dia_CompatibilityError();
  dia_CompatibilityError(dia_ConstraintVariableEnum constraintVariable,
                         int numElementsExceedingTolerance, double maxError,
                         const cow_String& instanceName, int elementLabel);
  explicit dia_CompatibilityError(const cls_ReadVisitor& reader);
  dia_CompatibilityError(const dia_CompatibilityError&) = default;
  dia_CompatibilityError& operator=(const dia_CompatibilityError&) = default;
  virtual ~dia_CompatibilityError() = default;

  // Raises when the constraint variable is outside its table.
  virtual void DBWrite(const cls_WriteVisitor& writer) const;
  virtual std::uint32_t DynTypeId() const { return TypeId(); }

  dia_ConstraintVariableEnum GetConstraintVariable() const { return m_constraintEquationType; }
  int GetNumberOfElementsExceedingTolerance() const { return m_numElementsExceedingTolerance; }
  double GetMaxError() const { return m_maxError; }
  const cow_String& GetInstanceName() const { return m_partInstanceName; }
  int GetElementLabel() const { return m_elementNumber; }
  cls_Uid Uid() const { return m_uid; }

  // "Pressure Stress", "Axial Force", ...; empty for a value outside the table.
  cow_String GetConstraintVariableName() const;

 private:
  template <class>
  friend struct cls_LayoutOf;
  dia_ConstraintVariableEnum m_constraintEquationType =
      dia_ConstraintVariableEnum::PRESSURE_STRESS_CONSTRAINT;
  int m_numElementsExceedingTolerance = 0;
  double m_maxError = 0;
  cow_String m_partInstanceName;
  int m_elementNumber = 0;
  cls_Uid m_uid;
};
