// String tables of the cutback reasons and of the named contact and element diagnostic types.
#include "ddb/diagnostics/dia_Enums.h"

namespace {

template <class E>
constexpr unsigned Row(E value) {
  return static_cast<unsigned>(value);
}

const omu_PrimEnumRow kCutbackDiagnosticEnumRows[] = {
    {"RATE_OF_CONVERGENCE_IS_SLOW", Row(dia_CutbackDiagnosticEnum::RATE_OF_CONVERGENCE_IS_SLOW)},
    {"SOLUTION_APPEARS_TO_BE_DIVERGING",
     Row(dia_CutbackDiagnosticEnum::SOLUTION_APPEARS_TO_BE_DIVERGING)},
    {"MAXIMUM_NUMBER_OF_EQUILIBRIUM_ITERATIONS",
     Row(dia_CutbackDiagnosticEnum::MAXIMUM_NUMBER_OF_EQUILIBRIUM_ITERATIONS)},
    {"MAXIMUM_NUMBER_OF_SEVERE_DISCONTINUITY_ITERATIONS",
     Row(dia_CutbackDiagnosticEnum::MAXIMUM_NUMBER_OF_SEVERE_DISCONTINUITY_ITERATIONS)},
    {"MAXIMUM_NUMBER_OF_CONTACT_STRESS_AUGMENTATIONS",
     Row(dia_CutbackDiagnosticEnum::MAXIMUM_NUMBER_OF_CONTACT_STRESS_AUGMENTATIONS)},
    {"TEMPERATURE_FALLEN_BELOW_ABSOLUTE_ZERO",
     Row(dia_CutbackDiagnosticEnum::TEMPERATURE_FALLEN_BELOW_ABSOLUTE_ZERO)},
    {"EXCESSIVE_ELEMENT_DISTORTION", Row(dia_CutbackDiagnosticEnum::EXCESSIVE_ELEMENT_DISTORTION)},
    {"MATERIAL_POINT_CALCULATIONS", Row(dia_CutbackDiagnosticEnum::MATERIAL_POINT_CALCULATIONS)},
    {"TIME_INTEGRATION_STABILITY_LIMIT_EXCEEDED",
     Row(dia_CutbackDiagnosticEnum::TIME_INTEGRATION_STABILITY_LIMIT_EXCEEDED)},
    {"TIME_INTEGRATION_ACCURACY_LIMIT_EXCEEDED",
     Row(dia_CutbackDiagnosticEnum::TIME_INTEGRATION_ACCURACY_LIMIT_EXCEEDED)},
    {"SEVERE_CONTACT_OVERCLOSURES", Row(dia_CutbackDiagnosticEnum::SEVERE_CONTACT_OVERCLOSURES)},
    {"MAXIMUM_SLIDE_DISTANCE_EXCEEDED",
     Row(dia_CutbackDiagnosticEnum::MAXIMUM_SLIDE_DISTANCE_EXCEEDED)},
    {"NEW_CONTACT_PATCH", Row(dia_CutbackDiagnosticEnum::NEW_CONTACT_PATCH)},
    {"CAVITY_RADIATION_EMMISIVITY_TOO_LARGE",
     Row(dia_CutbackDiagnosticEnum::CAVITY_RADIATION_EMMISIVITY_TOO_LARGE)},
    {"ADAPTIVE_MESH_SMOOTHING_FAILED",
     Row(dia_CutbackDiagnosticEnum::ADAPTIVE_MESH_SMOOTHING_FAILED)},
    {"DEBONDING", Row(dia_CutbackDiagnosticEnum::DEBONDING)},
    {"USER_SUBROUTINE_REQUEST", Row(dia_CutbackDiagnosticEnum::USER_SUBROUTINE_REQUEST)},
    {"REPETITIVE_SDI_PATTERN", Row(dia_CutbackDiagnosticEnum::REPETITIVE_SDI_PATTERN)},
    {nullptr, 0},
};

const omu_PrimEnumRow kContactDiagnosticTypeEnumRows[] = {
    {"OVERCLOSURES", Row(dia_ContactDiagnosticTypeEnum::OVERCLOSURES)},
    {"SEVERE_OVERCLOSURES", Row(dia_ContactDiagnosticTypeEnum::SEVERE_OVERCLOSURES)},
    {"OPENINGS", Row(dia_ContactDiagnosticTypeEnum::OPENINGS)},
    {"POINTS_NOW_STICKING", Row(dia_ContactDiagnosticTypeEnum::POINTS_NOW_STICKING)},
    {"POINTS_NOW_SLIPPING", Row(dia_ContactDiagnosticTypeEnum::POINTS_NOW_SLIPPING)},
    {"SOFT_CONTACT_INCOMPATIBILITIES",
     Row(dia_ContactDiagnosticTypeEnum::SOFT_CONTACT_INCOMPATIBILITIES)},
    {"AUGMENTED_LAGRANGE_INCOMPATIBILITIES",
     Row(dia_ContactDiagnosticTypeEnum::AUGMENTED_LAGRANGE_INCOMPATIBILITIES)},
    {"PENETRATION_TOLERANCE_EXCEEDED",
     Row(dia_ContactDiagnosticTypeEnum::PENETRATION_TOLERANCE_EXCEEDED)},
    {"KINEMATIC_VIOLATIONS", Row(dia_ContactDiagnosticTypeEnum::KINEMATIC_VIOLATIONS)},
    {"SLIDE_DISTANCE_EXCEEDED", Row(dia_ContactDiagnosticTypeEnum::SLIDE_DISTANCE_EXCEEDED)},
    {"NEW_CONTACT_PATCH", Row(dia_ContactDiagnosticTypeEnum::NEW_CONTACT_PATCH)},
    {"SLIPPED_OFF_PATCH", Row(dia_ContactDiagnosticTypeEnum::SLIPPED_OFF_PATCH)},
    {"NO_INITIAL_INTERSECTION", Row(dia_ContactDiagnosticTypeEnum::NO_INITIAL_INTERSECTION)},
    {"INITIAL_OPENINGS", Row(dia_ContactDiagnosticTypeEnum::INITIAL_OPENINGS)},
    {"INITIAL_OVERCLOSURES", Row(dia_ContactDiagnosticTypeEnum::INITIAL_OVERCLOSURES)},
    {"INITIAL_OVERCLOSURES_EXPLICIT",
     Row(dia_ContactDiagnosticTypeEnum::INITIAL_OVERCLOSURES_EXPLICIT)},
    {"STRAIN_FREE_CORRECTIONS", Row(dia_ContactDiagnosticTypeEnum::STRAIN_FREE_CORRECTIONS)},
    {"UNRESOLVED_INITIAL_OVERCLOSURES",
     Row(dia_ContactDiagnosticTypeEnum::UNRESOLVED_INITIAL_OVERCLOSURES)},
    {"CROSSED_SURFACES", Row(dia_ContactDiagnosticTypeEnum::CROSSED_SURFACES)},
    {nullptr, 0},
};

const omu_PrimEnumRow kElementDiagnosticTypeEnumRows[] = {
    {"EXCESSIVE_DISTORTION", Row(dia_ElementDiagnosticTypeEnum::EXCESSIVE_DISTORTION)},
    {"LARGE_STRAIN_INCREMENT", Row(dia_ElementDiagnosticTypeEnum::LARGE_STRAIN_INCREMENT)},
    {"EXCESSIVE_STRAIN_INCREMENT", Row(dia_ElementDiagnosticTypeEnum::EXCESSIVE_STRAIN_INCREMENT)},
    {"UNCONVERGED_METAL_PLASTICITY",
     Row(dia_ElementDiagnosticTypeEnum::UNCONVERGED_METAL_PLASTICITY)},
    {"UNCONVERGED_CREEP_PLASTICITY",
     Row(dia_ElementDiagnosticTypeEnum::UNCONVERGED_CREEP_PLASTICITY)},
    {"UNCONVERGED_HYPERELASTICITY",
     Row(dia_ElementDiagnosticTypeEnum::UNCONVERGED_HYPERELASTICITY)},
    {"MATERIAL_INSTABILITY", Row(dia_ElementDiagnosticTypeEnum::MATERIAL_INSTABILITY)},
    {"HYSTERESIS_INITIAL_GUESSES_EXHAUSTED",
     Row(dia_ElementDiagnosticTypeEnum::HYSTERESIS_INITIAL_GUESSES_EXHAUSTED)},
    {"HYSTERESIS_JACOBIAN_CANNOT_BE_INVERTED",
     Row(dia_ElementDiagnosticTypeEnum::HYSTERESIS_JACOBIAN_CANNOT_BE_INVERTED)},
    {"OUT_OF_PLANE_EXTENSION_RATIO_NOT_FOUND",
     Row(dia_ElementDiagnosticTypeEnum::OUT_OF_PLANE_EXTENSION_RATIO_NOT_FOUND)},
    {"LATERAL_EXTENSION_RATIO_NOT_FOUND",
     Row(dia_ElementDiagnosticTypeEnum::LATERAL_EXTENSION_RATIO_NOT_FOUND)},
    {"VAN_DER_WALLS_STRETCHES_LOCKING",
     Row(dia_ElementDiagnosticTypeEnum::VAN_DER_WALLS_STRETCHES_LOCKING)},
    {"UNCONVERGED_CAP_PLASTICITY", Row(dia_ElementDiagnosticTypeEnum::UNCONVERGED_CAP_PLASTICITY)},
    {"UNCONVERGED_DRUCKER_PRAGER_PLASTICITY",
     Row(dia_ElementDiagnosticTypeEnum::UNCONVERGED_DRUCKER_PRAGER_PLASTICITY)},
    {"UNCONVERGED_CLAY_PLASTICITY",
     Row(dia_ElementDiagnosticTypeEnum::UNCONVERGED_CLAY_PLASTICITY)},
    {"UNCONVERGED_MOHR_COULOMB_PLASTICITY",
     Row(dia_ElementDiagnosticTypeEnum::UNCONVERGED_MOHR_COULOMB_PLASTICITY)},
    {"UNCONVERGED_CONCRETE_PLASTICITY",
     Row(dia_ElementDiagnosticTypeEnum::UNCONVERGED_CONCRETE_PLASTICITY)},
    {"UNCONVERGED_FOAM_PLASTICITY",
     Row(dia_ElementDiagnosticTypeEnum::UNCONVERGED_FOAM_PLASTICITY)},
    {nullptr, 0},
};

}  // namespace

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_CutbackDiagnosticEnum, 1>::s_table = {
    "dia_CutbackDiagnosticEnum", kCutbackDiagnosticEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_ContactDiagnosticTypeEnum, 1>::s_table = {
    "dia_ContactDiagnosticTypeEnum", kContactDiagnosticTypeEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_ElementDiagnosticTypeEnum, 1>::s_table = {
    "dia_ElementDiagnosticTypeEnum", kElementDiagnosticTypeEnumRows};
