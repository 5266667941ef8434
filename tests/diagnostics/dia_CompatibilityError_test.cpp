#include "ddb/diagnostics/dia_CompatibilityError.h"

#include <gtest/gtest.h>

#include <utility>

using Constraint = dia_ConstraintVariableEnum;

// Display names come from the table for its first and last rows, and are empty outside it.
TEST(dia_CompatibilityError, CompatibilityError_DefaultAndDisplayNamesInsideTheTableOnly) {
  dia_CompatibilityError d;
  EXPECT_EQ(d.GetConstraintVariable(), Constraint::PRESSURE_STRESS_CONSTRAINT);
  EXPECT_EQ(d.GetNumberOfElementsExceedingTolerance(), 0);
  EXPECT_EQ(d.GetInstanceName(), "");
  const std::pair<unsigned, const char*> names[] = {
      {0, ""}, {1, "Pressure Stress"}, {5, "Coupling Moment"}, {6, ""}};
  for (const auto& [value, name] : names)
    EXPECT_EQ(dia_CompatibilityError(static_cast<Constraint>(value), 0, 0, "", 0)
                  .GetConstraintVariableName(),
              name)
        << value;
}
