#include "ddb/diagnostics/dia_Enums.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ddb/platform/nex_Exception.h"

namespace {

struct ExpectedRow {
  std::string name;
  unsigned value;
};
using ExpectedTable = std::vector<ExpectedRow>;

// The string a value converts to: the first row carrying it.
std::string FirstNameOf(const ExpectedTable& table, unsigned value) {
  for (const ExpectedRow& row : table)
    if (row.value == value) return row.name;
  return "";
}

template <class E>
void ExpectTable(const ExpectedTable& expected) {
  using Wrapper = omu_PrimEnum<E, 1>;
  ASSERT_EQ(Wrapper::NumberOfValues(), static_cast<int>(expected.size()));
  for (int i = 0; i < Wrapper::NumberOfValues(); ++i) {
    const ExpectedRow& row = expected[i];
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Wrapper::Name(i), row.name);
    EXPECT_EQ(static_cast<unsigned>(Wrapper::Value(i)), row.value);
    Wrapper fromString{cow_String(row.name)};
    EXPECT_EQ(static_cast<unsigned>(fromString.GetValue()), row.value);
    EXPECT_EQ(fromString.AsString(0), row.name);
    Wrapper fromValue(static_cast<E>(row.value));
    EXPECT_EQ(fromValue.AsString(0), FirstNameOf(expected, row.value));
  }
}

// Categories count from 1 within each group; PORE_FLUID_DIFFUSION repeats PIEZOELECTRIC's value.
ExpectedTable WarningErrorCategories() {
  const std::vector<std::vector<const char*>> groups = {
      {"INTERNAL"},
      {"NODE", "ELEMENT", "REINFORCEMENT", "SURFACE", "MATERIAL", "SECTION", "ORIENTATION",
       "TRANSFORMATION"},
      {"INITIAL_CONDITION", "AMPLITUDE", "BOUNDARY_CONDITION", "LOAD", "LOAD_CASE", "ASSEMBLY_LOAD",
       "PREDEFINED_FIELD"},
      {"EQUATION", "MPC", "KINEMATIC_COUPLING", "DISTRIBUTING_COUPLING", "MESH_TIE",
       "SHELL_TO_SOLID_COUPLING", "FASTENER", "CONNECTOR", "EMBEDDED_ELEMENT", "END_RELEASE",
       "RIGID_BODY", "OVERCONSTRAINT"},
      {"MECHANICAL_CONTACT", "PRESSURE_PENETRATION", "THERMAL_CONTACT", "ELECTRICAL_CONTACT",
       "PORE_FLUID_CONTACT", "CAVITY_RADIATION"},
      {"MEMORY", "DISK", "PARALLEL"},
      {"OUTPUT"},
      {"STATIC",
       "STATIC_PERTURBATION",
       "RIKS",
       "EIGENVALUE_BUCKLING",
       "QUASI_STATIC",
       "DIRECT_CYCLIC",
       "IMPLICIT_DYNAMIC",
       "EXPLICIT_DYNAMIC",
       "SUBSPACE_DYNAMIC",
       "DIRECT_STEADY_STATE_DYNAMIC",
       "NATURAL_FREQUENCY_EXTRACTION",
       "MODE_BASED_DYNAMIC",
       "MODE_BASED_STEADY_STATE_DYNAMIC",
       "SUBSPACE_STEADY_STATE_DYNAMIC",
       "RESPONSE_SPECTRUM",
       "RANDOM_RESPONSE",
       "STEADY_STATE_TRANSPORT",
       "HEAT_TRANSFER",
       "SEQUENTIAL_THERMAL_STRESS",
       "COUPLED_THERMAL_STRESS",
       "COUPLED_THERMAL_ELECTRICAL",
       "PIEZOELECTRIC",
       "PORE_FLUID_DIFFUSION",
       "MASS_DIFFUSION",
       "ACOUSTICS",
       "TOLM"},
      {"RESTART", "SUBSTRUCTURING", "SUBMODELING", "INERTIA_RELIEF", "MODEL_CHANGE", "IMPERFECTION",
       "IMPORT", "SYMMETRIC_MODEL_GENERATION", "CYCLIC_SYMMETRY", "FRACTURE_MECHANICS", "ANNEALING",
       "HYDROSTATIC_FLUID_MODELING", "MESHED_BEAM_SECTION", "DESIGN_SENSITIVITY", "MASS_SCALING",
       "ADAPTIVE_MESHING"},
      {"NUMERICAL_PROBLEM", "SEPARATED_SOLUTION", "QUASI_NEWTON_METHOD", "LINE_SEARCH",
       "DIRECT_SOLVER", "ITERATIVE_SOLVER", "SUBSPACE_EIGENSOLVER", "LANCZOS_EIGENSOLVER",
       "COMPLEX_EIGENSOLVER", "INCREMENTATION", "CONVERGENCE", "STABILIZATION", "TIME_INTEGRATION"},
      {"USER_SUBROUTINE"},
  };
  ExpectedTable table;
  for (unsigned group = 1; group <= groups.size(); ++group) {
    unsigned category = 1;
    for (const char* name : groups[group - 1]) {
      unsigned value = group * 0x01000000u + category++ * 0x00010000u;
      if (std::string(name) == "PORE_FLUID_DIFFUSION") value = 0x08160000u;
      table.push_back({name, value});
    }
  }
  return table;
}

}  // namespace

TEST(dia_EnumTables_RoundTrip, FieldVariable) {
  ExpectTable<dia_FieldVariableEnum>({{"DISPLACEMENT_FIELD", 1},
                                      {"ROTATION_FIELD", 2},
                                      {"TEMPERATURE_FIELD", 3},
                                      {"PORE_LIQUID_PRESSURE_FIELD", 4},
                                      {"NORMALIZED_CONCENTRATION_FIELD", 5},
                                      {"FLUID_PRESSURE_FIELD", 6},
                                      {"ELECTRICAL_POTENTIAL_FIELD", 7},
                                      {"PIEZO_ELECTRICAL_POTENTIAL_FIELD", 8},
                                      {"MATERIAL_FLOW_FIELD", 9},
                                      {"SHARED_LM_PRESSURE_FIELD", 10},
                                      {"SHARED_LM_VOLUME_FIELD", 11}});
}

TEST(dia_EnumTables_RoundTrip, ConstraintVariable) {
  ExpectTable<dia_ConstraintVariableEnum>({{"PRESSURE_STRESS_CONSTRAINT", 1},
                                           {"AXIAL_FORCE_CONSTRAINT", 2},
                                           {"TRANSVERSE_SHEAR_FORCE_CONSTRAINT", 3},
                                           {"COUPLING_FORCE_CONSTRAINT", 4},
                                           {"COUPLING_MOMENT_CONSTRAINT", 5}});
}

TEST(dia_EnumTables_RoundTrip, ChecksAndCriteria) {
  ExpectTable<dia_ResidualCheckEnum>({{"RESIDUAL_ACCEPTED", 1}, {"RESIDUAL_NOT_ACCEPTED", 2}});
  ExpectTable<dia_CorrectionCheckEnum>({{"CORRECTION_ACCEPTED", 1},
                                        {"CORRECTION_ACCEPTED_SMALL_INCREMENT", 2},
                                        {"CORRECTION_ACCEPTED_ESTIMATED_CORRECTION", 3},
                                        {"CORRECTION_NOT_ACCEPTED", 4}});
  ExpectTable<dia_EquationEnum>({{"FIELD", 0}, {"CONSTRAINT", 1}});
  ExpectTable<dia_FieldCriterionEnum>(
      {{"MAX_RESIDUAL", 0}, {"MAX_INCREMENT", 1}, {"MAX_CORRECTION", 2}, {"TIME_AVERAGE", 3}});
  ExpectTable<dia_ConstraintCriterionEnum>({{"MAX_ERROR", 0}, {"NUM_ELEMENTS_EXCEEDING", 1}});
  ExpectTable<dia_ContactCriterionEnum>({{"TOTAL_NUM", 0}, {"MAX_ABS_VALUE", 1}});
}

TEST(dia_EnumTables_RoundTrip, IncrementStatistics) {
  ExpectTable<dia_IncrementStatsEnum>({{"NUM_ATTEMPTS", 0},
                                       {"NUM_SDI", 1},
                                       {"NUM_EQI", 2},
                                       {"NUM_ITERS", 3},
                                       {"STEP_TIME", 4},
                                       {"INC_SIZE", 5}});
  ExpectTable<dia_IncrementXplStatsEnum>({{"STEP_TIME_XPL", 0},
                                          {"TOTAL_TIME_XPL", 1},
                                          {"CPU_TIME_XPL", 2},
                                          {"STABLE_INC_XPL", 3},
                                          {"MSPEI_XPL", 4},
                                          {"KINETIC_ENERGY_XPL", 5},
                                          {"ETOTAL_XPL", 6},
                                          {"TOTAL_MASS_XPL", 7},
                                          {"DMASS_XPL", 8}});
}

TEST(dia_EnumTables_RoundTrip, StepAndJob) {
  ExpectTable<dia_IncrementationSchemeEnum>({{"AUTO_INCREMENTATION", 1},
                                             {"DIRECT_INCREMENTATION", 2},
                                             {"DIRECT_NO_STOP_INCREMENTATION", 3},
                                             {"ELEMENT_BY_ELEMENT_INCREMENTATION", 4},
                                             {"FIXED_INCREMENTATION", 5}});
  ExpectTable<dia_JobStatusEnum>({{"JOB_STATUS_UNKNOWN", 0},
                                  {"JOB_STATUS_COMPLETED_SUCCESSFULLY", 1},
                                  {"JOB_STATUS_EXITED_WITH_ERROR", 2},
                                  {"JOB_STATUS_TERMINATED_BY_EXTERNAL_REQUEST", 3}});
  ExpectTable<dia_MatrixSolverEnum>({{"DIRECT_SOLVER", 0}, {"ITERATIVE_SOLVER", 1}});
  ExpectTable<dia_StepExtrapolationEnum>(
      {{"NO_EXTRAPOLATION", 0}, {"LINEAR_EXTRAPOLATION", 1}, {"PARABOLIC_EXTRAPOLATION", 2}});
}

TEST(dia_EnumTables_RoundTrip, CutbackDiagnostic) {
  ExpectTable<dia_CutbackDiagnosticEnum>({{"RATE_OF_CONVERGENCE_IS_SLOW", 1},
                                          {"SOLUTION_APPEARS_TO_BE_DIVERGING", 2},
                                          {"MAXIMUM_NUMBER_OF_EQUILIBRIUM_ITERATIONS", 3},
                                          {"MAXIMUM_NUMBER_OF_SEVERE_DISCONTINUITY_ITERATIONS", 4},
                                          {"MAXIMUM_NUMBER_OF_CONTACT_STRESS_AUGMENTATIONS", 5},
                                          {"TEMPERATURE_FALLEN_BELOW_ABSOLUTE_ZERO", 6},
                                          {"EXCESSIVE_ELEMENT_DISTORTION", 7},
                                          {"MATERIAL_POINT_CALCULATIONS", 8},
                                          {"TIME_INTEGRATION_STABILITY_LIMIT_EXCEEDED", 9},
                                          {"TIME_INTEGRATION_ACCURACY_LIMIT_EXCEEDED", 10},
                                          {"SEVERE_CONTACT_OVERCLOSURES", 11},
                                          {"MAXIMUM_SLIDE_DISTANCE_EXCEEDED", 12},
                                          {"NEW_CONTACT_PATCH", 13},
                                          {"CAVITY_RADIATION_EMMISIVITY_TOO_LARGE", 14},
                                          {"ADAPTIVE_MESH_SMOOTHING_FAILED", 15},
                                          {"DEBONDING", 16},
                                          {"USER_SUBROUTINE_REQUEST", 17},
                                          {"REPETITIVE_SDI_PATTERN", 18}});
}

TEST(dia_EnumTables_RoundTrip, ContactDiagnosticType) {
  ExpectTable<dia_ContactDiagnosticTypeEnum>({{"OVERCLOSURES", 0x01000020},
                                              {"SEVERE_OVERCLOSURES", 0x01000040},
                                              {"OPENINGS", 0x01000060},
                                              {"POINTS_NOW_STICKING", 0x01000080},
                                              {"POINTS_NOW_SLIPPING", 0x010000A0},
                                              {"SOFT_CONTACT_INCOMPATIBILITIES", 0x010000C0},
                                              {"AUGMENTED_LAGRANGE_INCOMPATIBILITIES", 0x010000E0},
                                              {"PENETRATION_TOLERANCE_EXCEEDED", 0x01000100},
                                              {"KINEMATIC_VIOLATIONS", 0x01000120},
                                              {"SLIDE_DISTANCE_EXCEEDED", 0x01000140},
                                              {"NEW_CONTACT_PATCH", 0x01000160},
                                              {"SLIPPED_OFF_PATCH", 0x01000180},
                                              {"NO_INITIAL_INTERSECTION", 0x010001A0},
                                              {"INITIAL_OPENINGS", 0x010001C0},
                                              {"INITIAL_OVERCLOSURES", 0x010001E0},
                                              {"INITIAL_OVERCLOSURES_EXPLICIT", 0x02000020},
                                              {"STRAIN_FREE_CORRECTIONS", 0x02000040},
                                              {"UNRESOLVED_INITIAL_OVERCLOSURES", 0x02000060},
                                              {"CROSSED_SURFACES", 0x02000080}});
}

TEST(dia_EnumTables_RoundTrip, ElementDiagnosticType) {
  ExpectTable<dia_ElementDiagnosticTypeEnum>(
      {{"EXCESSIVE_DISTORTION", 0x01000020},
       {"LARGE_STRAIN_INCREMENT", 0x01000040},
       {"EXCESSIVE_STRAIN_INCREMENT", 0x01000060},
       {"UNCONVERGED_METAL_PLASTICITY", 0x02000020},
       {"UNCONVERGED_CREEP_PLASTICITY", 0x02000040},
       {"UNCONVERGED_HYPERELASTICITY", 0x02000060},
       {"MATERIAL_INSTABILITY", 0x02000080},
       {"HYSTERESIS_INITIAL_GUESSES_EXHAUSTED", 0x020000A0},
       {"HYSTERESIS_JACOBIAN_CANNOT_BE_INVERTED", 0x020000C0},
       {"OUT_OF_PLANE_EXTENSION_RATIO_NOT_FOUND", 0x020000E0},
       {"LATERAL_EXTENSION_RATIO_NOT_FOUND", 0x02000100},
       {"VAN_DER_WALLS_STRETCHES_LOCKING", 0x02000120},
       {"UNCONVERGED_CAP_PLASTICITY", 0x02000140},
       {"UNCONVERGED_DRUCKER_PRAGER_PLASTICITY", 0x02000160},
       {"UNCONVERGED_CLAY_PLASTICITY", 0x02000180},
       {"UNCONVERGED_MOHR_COULOMB_PLASTICITY", 0x020001A0},
       {"UNCONVERGED_CONCRETE_PLASTICITY", 0x020001C0},
       {"UNCONVERGED_FOAM_PLASTICITY", 0x020001E0}});
}

TEST(dia_EnumTables_RoundTrip, WarningErrorCategory) {
  ExpectedTable expected = WarningErrorCategories();
  ASSERT_EQ(expected.size(), 94u);
  ExpectTable<dia_WarningErrorCategoryEnum>(expected);
}

TEST(dia_EnumTables_WarningErrorCategory, DocumentedCodes) {
  using W = omu_PrimEnum<dia_WarningErrorCategoryEnum, 1>;
  const ExpectedTable codes = {{"INTERNAL", 0x01010000},
                               {"TRANSFORMATION", 0x02080000},
                               {"OVERCONSTRAINT", 0x040C0000},
                               {"MASS_DIFFUSION", 0x08180000},
                               {"TOLM", 0x081A0000},
                               {"INCREMENTATION", 0x0A0A0000},
                               {"TIME_INTEGRATION", 0x0A0D0000},
                               {"USER_SUBROUTINE", 0x0B010000}};
  for (const ExpectedRow& code : codes) {
    SCOPED_TRACE(code.name);
    EXPECT_EQ(static_cast<unsigned>(W(cow_String(code.name)).GetValue()), code.value);
  }
}

TEST(dia_EnumTables_WarningErrorCategory, SharedValueConvertsToFirstRow) {
  using W = omu_PrimEnum<dia_WarningErrorCategoryEnum, 1>;
  W byValue(static_cast<dia_WarningErrorCategoryEnum>(0x08160000));
  EXPECT_EQ(byValue.GetString(), "PIEZOELECTRIC");
  W byName(cow_String("PORE_FLUID_DIFFUSION"));
  EXPECT_EQ(static_cast<unsigned>(byName.GetValue()), 0x08160000u);
  EXPECT_EQ(byName.GetString(), "PORE_FLUID_DIFFUSION");
  EXPECT_THROW(W(static_cast<dia_WarningErrorCategoryEnum>(0x08170000)), nex_CmdException);
}

TEST(dia_EnumTables_WarningErrorCategory, PermissibleValuesKeepBothSharedRows) {
  cow_Map<cow_String, unsigned> values =
      omu_PrimEnum<dia_WarningErrorCategoryEnum, 1>(dia_WarningErrorCategoryEnum::TOLM)
          .PermissibleValues();
  EXPECT_EQ(values.Length(), 94);
  EXPECT_EQ(values.Get("PIEZOELECTRIC"), 0x08160000u);
  EXPECT_EQ(values.Get("PORE_FLUID_DIFFUSION"), 0x08160000u);
}

TEST(dia_EnumTables_SharedStrings, ConvertAcrossEnumerationsByString) {
  omu_PrimEnum<dia_MatrixSolverEnum, 1> direct(dia_MatrixSolverEnum::DIRECT_SOLVER);
  omu_PrimEnum<dia_WarningErrorCategoryEnum, 1> category(direct);
  EXPECT_EQ(static_cast<unsigned>(category.GetValue()), 0x0A050000u);
  omu_PrimEnum<dia_MatrixSolverEnum, 1> iterative(
      omu_PrimEnum<dia_WarningErrorCategoryEnum, 1>(cow_String("ITERATIVE_SOLVER")));
  EXPECT_EQ(iterative.GetValue(), dia_MatrixSolverEnum::ITERATIVE_SOLVER);

  omu_PrimEnum<dia_CutbackDiagnosticEnum, 1> cutback(dia_CutbackDiagnosticEnum::NEW_CONTACT_PATCH);
  omu_PrimEnum<dia_ContactDiagnosticTypeEnum, 1> contact(cutback);
  EXPECT_EQ(static_cast<unsigned>(contact.GetValue()), 0x01000160u);
}
