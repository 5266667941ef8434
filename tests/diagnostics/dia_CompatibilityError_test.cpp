#include "ddb/diagnostics/dia_CompatibilityError.h"

#include <gtest/gtest.h>

#include "RoundTrip.h"
#include "ddb/platform/nex_Exception.h"

using dia_test::RoundTrip;
using Constraint = dia_ConstraintVariableEnum;

TEST(dia_CompatibilityError, CompatibilityError_DefaultAndDisplayNames) {
  dia_CompatibilityError d;
  EXPECT_EQ(d.GetConstraintVariable(), Constraint::PRESSURE_STRESS_CONSTRAINT);
  EXPECT_EQ(d.GetNumberOfElementsExceedingTolerance(), 0);
  EXPECT_EQ(d.GetInstanceName(), "");
  const char* names[] = {"",
                         "Pressure Stress",
                         "Axial Force",
                         "Transverse Shear Force",
                         "Coupling Force",
                         "Coupling Moment",
                         ""};
  for (unsigned v = 0; v <= 6; ++v)
    EXPECT_EQ(
        dia_CompatibilityError(static_cast<Constraint>(v), 0, 0, "", 0).GetConstraintVariableName(),
        names[v])
        << v;
}

TEST_F(RoundTrip, CompatibilityError_WritingConstraintZeroRaises) {
  dia_CompatibilityError bad(static_cast<Constraint>(0), 1, 1.0, "P", 1);
  EXPECT_EQ(bad.GetConstraintVariableName(), "");
  cow_String permissible =
      omu_PrimEnum<Constraint, 1>(Constraint::AXIAL_FORCE_CONSTRAINT).PermissibleValuesAsString();
  EXPECT_EQ(
      ddb_test::Message<nex_CmdException>([&] { Write(std::vector<dia_CompatibilityError>{bad}); }),
      "omu_PrimEnum(Enum) - Enum value not allowed: 0  Permissible: " + permissible.str());
}
