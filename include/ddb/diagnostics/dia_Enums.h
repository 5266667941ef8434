// The enumerations the diagnostics records and their clients exchange, each with the string
// table of its omu_PrimEnum<E, 1> wrapper (canonical upper-case strings; the tables are constant
// data of the library, see omu_PrimEnum.h).
//
// Enumerators are spelled as their canonical strings; the enumerations are scoped because some
// strings belong to two of them ("NEW_CONTACT_PATCH", "DIRECT_SOLVER", "ITERATIVE_SOLVER").
// Records that hold a value as a plain integer convert with static_cast. The values of the
// contact-type, element-type and warning/error-category enumerations are also type codes of the
// diagnostic catalog. Constant data only; thread-safe.
#pragma once

#include "ddb/platform/omu_PrimEnum.h"

// Solution field of a residual record.
enum class dia_FieldVariableEnum : unsigned {
  DISPLACEMENT_FIELD = 1,
  ROTATION_FIELD = 2,
  TEMPERATURE_FIELD = 3,
  PORE_LIQUID_PRESSURE_FIELD = 4,
  NORMALIZED_CONCENTRATION_FIELD = 5,
  FLUID_PRESSURE_FIELD = 6,
  ELECTRICAL_POTENTIAL_FIELD = 7,
  PIEZO_ELECTRICAL_POTENTIAL_FIELD = 8,
  MATERIAL_FLOW_FIELD = 9,
  SHARED_LM_PRESSURE_FIELD = 10,
  SHARED_LM_VOLUME_FIELD = 11,
};

// Constraint variable of a compatibility error.
enum class dia_ConstraintVariableEnum : unsigned {
  PRESSURE_STRESS_CONSTRAINT = 1,
  AXIAL_FORCE_CONSTRAINT = 2,
  TRANSVERSE_SHEAR_FORCE_CONSTRAINT = 3,
  COUPLING_FORCE_CONSTRAINT = 4,
  COUPLING_MOMENT_CONSTRAINT = 5,
};

enum class dia_ResidualCheckEnum : unsigned {
  RESIDUAL_ACCEPTED = 1,
  RESIDUAL_NOT_ACCEPTED = 2,
};

enum class dia_CorrectionCheckEnum : unsigned {
  CORRECTION_ACCEPTED = 1,
  CORRECTION_ACCEPTED_SMALL_INCREMENT = 2,
  CORRECTION_ACCEPTED_ESTIMATED_CORRECTION = 3,
  CORRECTION_NOT_ACCEPTED = 4,
};

enum class dia_EquationEnum : unsigned {
  FIELD = 0,
  CONSTRAINT = 1,
};

enum class dia_FieldCriterionEnum : unsigned {
  MAX_RESIDUAL = 0,
  MAX_INCREMENT = 1,
  MAX_CORRECTION = 2,
  TIME_AVERAGE = 3,
};

enum class dia_ConstraintCriterionEnum : unsigned {
  MAX_ERROR = 0,
  NUM_ELEMENTS_EXCEEDING = 1,
};

enum class dia_ContactCriterionEnum : unsigned {
  TOTAL_NUM = 0,
  MAX_ABS_VALUE = 1,
};

enum class dia_IncrementStatsEnum : unsigned {
  NUM_ATTEMPTS = 0,
  NUM_SDI = 1,
  NUM_EQI = 2,
  NUM_ITERS = 3,
  STEP_TIME = 4,
  INC_SIZE = 5,
};

enum class dia_IncrementXplStatsEnum : unsigned {
  STEP_TIME_XPL = 0,
  TOTAL_TIME_XPL = 1,
  CPU_TIME_XPL = 2,
  STABLE_INC_XPL = 3,
  MSPEI_XPL = 4,
  KINETIC_ENERGY_XPL = 5,
  ETOTAL_XPL = 6,
  TOTAL_MASS_XPL = 7,
  DMASS_XPL = 8,
};

enum class dia_IncrementationSchemeEnum : unsigned {
  AUTO_INCREMENTATION = 1,
  DIRECT_INCREMENTATION = 2,
  DIRECT_NO_STOP_INCREMENTATION = 3,
  ELEMENT_BY_ELEMENT_INCREMENTATION = 4,
  FIXED_INCREMENTATION = 5,
};

enum class dia_JobStatusEnum : unsigned {
  JOB_STATUS_UNKNOWN = 0,
  JOB_STATUS_COMPLETED_SUCCESSFULLY = 1,
  JOB_STATUS_EXITED_WITH_ERROR = 2,
  JOB_STATUS_TERMINATED_BY_EXTERNAL_REQUEST = 3,
};

enum class dia_MatrixSolverEnum : unsigned {
  DIRECT_SOLVER = 0,
  ITERATIVE_SOLVER = 1,
};

enum class dia_StepExtrapolationEnum : unsigned {
  NO_EXTRAPOLATION = 0,
  LINEAR_EXTRAPOLATION = 1,
  PARABOLIC_EXTRAPOLATION = 2,
};

// Reason for an increment cutback.
enum class dia_CutbackDiagnosticEnum : unsigned {
  RATE_OF_CONVERGENCE_IS_SLOW = 1,
  SOLUTION_APPEARS_TO_BE_DIVERGING = 2,
  MAXIMUM_NUMBER_OF_EQUILIBRIUM_ITERATIONS = 3,
  MAXIMUM_NUMBER_OF_SEVERE_DISCONTINUITY_ITERATIONS = 4,
  MAXIMUM_NUMBER_OF_CONTACT_STRESS_AUGMENTATIONS = 5,
  TEMPERATURE_FALLEN_BELOW_ABSOLUTE_ZERO = 6,
  EXCESSIVE_ELEMENT_DISTORTION = 7,
  MATERIAL_POINT_CALCULATIONS = 8,
  TIME_INTEGRATION_STABILITY_LIMIT_EXCEEDED = 9,
  TIME_INTEGRATION_ACCURACY_LIMIT_EXCEEDED = 10,
  SEVERE_CONTACT_OVERCLOSURES = 11,
  MAXIMUM_SLIDE_DISTANCE_EXCEEDED = 12,
  NEW_CONTACT_PATCH = 13,
  CAVITY_RADIATION_EMMISIVITY_TOO_LARGE = 14,
  ADAPTIVE_MESH_SMOOTHING_FAILED = 15,
  DEBONDING = 16,
  USER_SUBROUTINE_REQUEST = 17,
  REPETITIVE_SDI_PATTERN = 18,
};

// Named contact diagnostic type ids (group 1 or 2, category 0, variation 0).
enum class dia_ContactDiagnosticTypeEnum : unsigned {
  OVERCLOSURES = 0x01000020,
  SEVERE_OVERCLOSURES = 0x01000040,
  OPENINGS = 0x01000060,
  POINTS_NOW_STICKING = 0x01000080,
  POINTS_NOW_SLIPPING = 0x010000A0,
  SOFT_CONTACT_INCOMPATIBILITIES = 0x010000C0,
  AUGMENTED_LAGRANGE_INCOMPATIBILITIES = 0x010000E0,
  PENETRATION_TOLERANCE_EXCEEDED = 0x01000100,
  KINEMATIC_VIOLATIONS = 0x01000120,
  SLIDE_DISTANCE_EXCEEDED = 0x01000140,
  NEW_CONTACT_PATCH = 0x01000160,
  SLIPPED_OFF_PATCH = 0x01000180,
  NO_INITIAL_INTERSECTION = 0x010001A0,
  INITIAL_OPENINGS = 0x010001C0,
  INITIAL_OVERCLOSURES = 0x010001E0,
  INITIAL_OVERCLOSURES_EXPLICIT = 0x02000020,
  STRAIN_FREE_CORRECTIONS = 0x02000040,
  UNRESOLVED_INITIAL_OVERCLOSURES = 0x02000060,
  CROSSED_SURFACES = 0x02000080,
};

// Named element diagnostic type ids (same layout).
enum class dia_ElementDiagnosticTypeEnum : unsigned {
  EXCESSIVE_DISTORTION = 0x01000020,
  LARGE_STRAIN_INCREMENT = 0x01000040,
  EXCESSIVE_STRAIN_INCREMENT = 0x01000060,
  UNCONVERGED_METAL_PLASTICITY = 0x02000020,
  UNCONVERGED_CREEP_PLASTICITY = 0x02000040,
  UNCONVERGED_HYPERELASTICITY = 0x02000060,
  MATERIAL_INSTABILITY = 0x02000080,
  HYSTERESIS_INITIAL_GUESSES_EXHAUSTED = 0x020000A0,
  HYSTERESIS_JACOBIAN_CANNOT_BE_INVERTED = 0x020000C0,
  OUT_OF_PLANE_EXTENSION_RATIO_NOT_FOUND = 0x020000E0,
  LATERAL_EXTENSION_RATIO_NOT_FOUND = 0x02000100,
  VAN_DER_WALLS_STRETCHES_LOCKING = 0x02000120,
  UNCONVERGED_CAP_PLASTICITY = 0x02000140,
  UNCONVERGED_DRUCKER_PRAGER_PLASTICITY = 0x02000160,
  UNCONVERGED_CLAY_PLASTICITY = 0x02000180,
  UNCONVERGED_MOHR_COULOMB_PLASTICITY = 0x020001A0,
  UNCONVERGED_CONCRETE_PLASTICITY = 0x020001C0,
  UNCONVERGED_FOAM_PLASTICITY = 0x020001E0,
};

// Group and category bits of warning and error codes: group << 24 | category << 16, categories
// counted from 1 within a group. PORE_FLUID_DIFFUSION shares its value with PIEZOELECTRIC (and
// no category has 0x08170000), so converting that value yields "PIEZOELECTRIC".
enum class dia_WarningErrorCategoryEnum : unsigned {
  INTERNAL = 0x01010000,
  NODE = 0x02010000,
  ELEMENT = 0x02020000,
  REINFORCEMENT = 0x02030000,
  SURFACE = 0x02040000,
  MATERIAL = 0x02050000,
  SECTION = 0x02060000,
  ORIENTATION = 0x02070000,
  TRANSFORMATION = 0x02080000,
  INITIAL_CONDITION = 0x03010000,
  AMPLITUDE = 0x03020000,
  BOUNDARY_CONDITION = 0x03030000,
  LOAD = 0x03040000,
  LOAD_CASE = 0x03050000,
  ASSEMBLY_LOAD = 0x03060000,
  PREDEFINED_FIELD = 0x03070000,
  EQUATION = 0x04010000,
  MPC = 0x04020000,
  KINEMATIC_COUPLING = 0x04030000,
  DISTRIBUTING_COUPLING = 0x04040000,
  MESH_TIE = 0x04050000,
  SHELL_TO_SOLID_COUPLING = 0x04060000,
  FASTENER = 0x04070000,
  CONNECTOR = 0x04080000,
  EMBEDDED_ELEMENT = 0x04090000,
  END_RELEASE = 0x040A0000,
  RIGID_BODY = 0x040B0000,
  OVERCONSTRAINT = 0x040C0000,
  MECHANICAL_CONTACT = 0x05010000,
  PRESSURE_PENETRATION = 0x05020000,
  THERMAL_CONTACT = 0x05030000,
  ELECTRICAL_CONTACT = 0x05040000,
  PORE_FLUID_CONTACT = 0x05050000,
  CAVITY_RADIATION = 0x05060000,
  MEMORY = 0x06010000,
  DISK = 0x06020000,
  PARALLEL = 0x06030000,
  OUTPUT = 0x07010000,
  STATIC = 0x08010000,
  STATIC_PERTURBATION = 0x08020000,
  RIKS = 0x08030000,
  EIGENVALUE_BUCKLING = 0x08040000,
  QUASI_STATIC = 0x08050000,
  DIRECT_CYCLIC = 0x08060000,
  IMPLICIT_DYNAMIC = 0x08070000,
  EXPLICIT_DYNAMIC = 0x08080000,
  SUBSPACE_DYNAMIC = 0x08090000,
  DIRECT_STEADY_STATE_DYNAMIC = 0x080A0000,
  NATURAL_FREQUENCY_EXTRACTION = 0x080B0000,
  MODE_BASED_DYNAMIC = 0x080C0000,
  MODE_BASED_STEADY_STATE_DYNAMIC = 0x080D0000,
  SUBSPACE_STEADY_STATE_DYNAMIC = 0x080E0000,
  RESPONSE_SPECTRUM = 0x080F0000,
  RANDOM_RESPONSE = 0x08100000,
  STEADY_STATE_TRANSPORT = 0x08110000,
  HEAT_TRANSFER = 0x08120000,
  SEQUENTIAL_THERMAL_STRESS = 0x08130000,
  COUPLED_THERMAL_STRESS = 0x08140000,
  COUPLED_THERMAL_ELECTRICAL = 0x08150000,
  PIEZOELECTRIC = 0x08160000,
  PORE_FLUID_DIFFUSION = 0x08160000,
  MASS_DIFFUSION = 0x08180000,
  ACOUSTICS = 0x08190000,
  TOLM = 0x081A0000,
  RESTART = 0x09010000,
  SUBSTRUCTURING = 0x09020000,
  SUBMODELING = 0x09030000,
  INERTIA_RELIEF = 0x09040000,
  MODEL_CHANGE = 0x09050000,
  IMPERFECTION = 0x09060000,
  IMPORT = 0x09070000,
  SYMMETRIC_MODEL_GENERATION = 0x09080000,
  CYCLIC_SYMMETRY = 0x09090000,
  FRACTURE_MECHANICS = 0x090A0000,
  ANNEALING = 0x090B0000,
  HYDROSTATIC_FLUID_MODELING = 0x090C0000,
  MESHED_BEAM_SECTION = 0x090D0000,
  DESIGN_SENSITIVITY = 0x090E0000,
  MASS_SCALING = 0x090F0000,
  ADAPTIVE_MESHING = 0x09100000,
  NUMERICAL_PROBLEM = 0x0A010000,
  SEPARATED_SOLUTION = 0x0A020000,
  QUASI_NEWTON_METHOD = 0x0A030000,
  LINE_SEARCH = 0x0A040000,
  DIRECT_SOLVER = 0x0A050000,
  ITERATIVE_SOLVER = 0x0A060000,
  SUBSPACE_EIGENSOLVER = 0x0A070000,
  LANCZOS_EIGENSOLVER = 0x0A080000,
  COMPLEX_EIGENSOLVER = 0x0A090000,
  INCREMENTATION = 0x0A0A0000,
  CONVERGENCE = 0x0A0B0000,
  STABILIZATION = 0x0A0C0000,
  TIME_INTEGRATION = 0x0A0D0000,
  USER_SUBROUTINE = 0x0B010000,
};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_FieldVariableEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_ConstraintVariableEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_ResidualCheckEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_CorrectionCheckEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_EquationEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_FieldCriterionEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_ConstraintCriterionEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_ContactCriterionEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_IncrementStatsEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_IncrementXplStatsEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_IncrementationSchemeEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_JobStatusEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_MatrixSolverEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_StepExtrapolationEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_CutbackDiagnosticEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_ContactDiagnosticTypeEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_ElementDiagnosticTypeEnum, 1>::s_table;
template <>
const omu_PrimEnumTable omu_PrimEnum<dia_WarningErrorCategoryEnum, 1>::s_table;
