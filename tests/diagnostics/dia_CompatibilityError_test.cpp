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

TEST(dia_CompatibilityError, CompatibilityError_CopiesShareIdentity) {
  dia_CompatibilityError a(Constraint::AXIAL_FORCE_CONSTRAINT, 2, 0.5, "P", 7);
  dia_CompatibilityError b = a;
  EXPECT_EQ(b.Uid(), a.Uid());
  EXPECT_NE(dia_CompatibilityError().Uid(), a.Uid());
}

TEST_F(RoundTrip, CompatibilityError_ReadsBackInFreshProcess) {
  dia_CompatibilityError written(Constraint::TRANSVERSE_SHEAR_FORCE_CONSTRAINT, 4, 1.5e-2, "PART-1",
                                 42);
  Write(std::vector<dia_CompatibilityError>{written});
  EXPECT_EQ(Value("SELECT COUNT(*) FROM dia_CompatibilityError WHERE m_constraintEquationType = "
                  "'TRANSVERSE_SHEAR_FORCE_CONSTRAINT'"),
            1);
  CheckInFreshProcess<dia_CompatibilityError>([&](const std::vector<dia_CompatibilityError>& read) {
    ASSERT_EQ(read.size(), 1u);
    const dia_CompatibilityError& e = read[0];
    EXPECT_EQ(e.Uid(), written.Uid());
    EXPECT_EQ(e.GetConstraintVariable(), Constraint::TRANSVERSE_SHEAR_FORCE_CONSTRAINT);
    EXPECT_EQ(e.GetConstraintVariableName(), "Transverse Shear Force");
    EXPECT_EQ(e.GetNumberOfElementsExceedingTolerance(), 4);
    EXPECT_EQ(e.GetMaxError(), 1.5e-2);
    EXPECT_EQ(e.GetInstanceName(), "PART-1");
    EXPECT_EQ(e.GetElementLabel(), 42);
  });
}

TEST_F(RoundTrip, CompatibilityError_WritingConstraintZeroRaises) {
  dia_CompatibilityError bad(static_cast<Constraint>(0), 1, 1.0, "P", 1);
  EXPECT_EQ(bad.GetConstraintVariableName(), "");
  cow_String permissible =
      omu_PrimEnum<Constraint, 1>(Constraint::AXIAL_FORCE_CONSTRAINT).PermissibleValuesAsString();
  try {
    Write(std::vector<dia_CompatibilityError>{bad});
    FAIL() << "no exception";
  } catch (const nex_CmdException& e) {
    EXPECT_EQ(std::string(e.what()),
              "omu_PrimEnum(Enum) - Enum value not allowed: 0  Permissible: " + permissible.str());
  }
}
