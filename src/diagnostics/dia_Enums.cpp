// String tables of the record and client enumerations; each is closed by a null row.
#include "ddb/diagnostics/dia_Enums.h"

namespace {

template <class E>
constexpr unsigned Row(E value) {
  return static_cast<unsigned>(value);
}

const omu_PrimEnumRow kFieldVariableEnumRows[] = {
    {"DISPLACEMENT_FIELD", Row(dia_FieldVariableEnum::DISPLACEMENT_FIELD)},
    {"ROTATION_FIELD", Row(dia_FieldVariableEnum::ROTATION_FIELD)},
    {"TEMPERATURE_FIELD", Row(dia_FieldVariableEnum::TEMPERATURE_FIELD)},
    {"PORE_LIQUID_PRESSURE_FIELD", Row(dia_FieldVariableEnum::PORE_LIQUID_PRESSURE_FIELD)},
    {"NORMALIZED_CONCENTRATION_FIELD", Row(dia_FieldVariableEnum::NORMALIZED_CONCENTRATION_FIELD)},
    {"FLUID_PRESSURE_FIELD", Row(dia_FieldVariableEnum::FLUID_PRESSURE_FIELD)},
    {"ELECTRICAL_POTENTIAL_FIELD", Row(dia_FieldVariableEnum::ELECTRICAL_POTENTIAL_FIELD)},
    {"PIEZO_ELECTRICAL_POTENTIAL_FIELD",
     Row(dia_FieldVariableEnum::PIEZO_ELECTRICAL_POTENTIAL_FIELD)},
    {"MATERIAL_FLOW_FIELD", Row(dia_FieldVariableEnum::MATERIAL_FLOW_FIELD)},
    {"SHARED_LM_PRESSURE_FIELD", Row(dia_FieldVariableEnum::SHARED_LM_PRESSURE_FIELD)},
    {"SHARED_LM_VOLUME_FIELD", Row(dia_FieldVariableEnum::SHARED_LM_VOLUME_FIELD)},
    {nullptr, 0},
};

const omu_PrimEnumRow kConstraintVariableEnumRows[] = {
    {"PRESSURE_STRESS_CONSTRAINT", Row(dia_ConstraintVariableEnum::PRESSURE_STRESS_CONSTRAINT)},
    {"AXIAL_FORCE_CONSTRAINT", Row(dia_ConstraintVariableEnum::AXIAL_FORCE_CONSTRAINT)},
    {"TRANSVERSE_SHEAR_FORCE_CONSTRAINT",
     Row(dia_ConstraintVariableEnum::TRANSVERSE_SHEAR_FORCE_CONSTRAINT)},
    {"COUPLING_FORCE_CONSTRAINT", Row(dia_ConstraintVariableEnum::COUPLING_FORCE_CONSTRAINT)},
    {"COUPLING_MOMENT_CONSTRAINT", Row(dia_ConstraintVariableEnum::COUPLING_MOMENT_CONSTRAINT)},
    {nullptr, 0},
};

const omu_PrimEnumRow kResidualCheckEnumRows[] = {
    {"RESIDUAL_ACCEPTED", Row(dia_ResidualCheckEnum::RESIDUAL_ACCEPTED)},
    {"RESIDUAL_NOT_ACCEPTED", Row(dia_ResidualCheckEnum::RESIDUAL_NOT_ACCEPTED)},
    {nullptr, 0},
};

const omu_PrimEnumRow kCorrectionCheckEnumRows[] = {
    {"CORRECTION_ACCEPTED", Row(dia_CorrectionCheckEnum::CORRECTION_ACCEPTED)},
    {"CORRECTION_ACCEPTED_SMALL_INCREMENT",
     Row(dia_CorrectionCheckEnum::CORRECTION_ACCEPTED_SMALL_INCREMENT)},
    {"CORRECTION_ACCEPTED_ESTIMATED_CORRECTION",
     Row(dia_CorrectionCheckEnum::CORRECTION_ACCEPTED_ESTIMATED_CORRECTION)},
    {"CORRECTION_NOT_ACCEPTED", Row(dia_CorrectionCheckEnum::CORRECTION_NOT_ACCEPTED)},
    {nullptr, 0},
};

const omu_PrimEnumRow kEquationEnumRows[] = {
    {"FIELD", Row(dia_EquationEnum::FIELD)},
    {"CONSTRAINT", Row(dia_EquationEnum::CONSTRAINT)},
    {nullptr, 0},
};

const omu_PrimEnumRow kFieldCriterionEnumRows[] = {
    {"MAX_RESIDUAL", Row(dia_FieldCriterionEnum::MAX_RESIDUAL)},
    {"MAX_INCREMENT", Row(dia_FieldCriterionEnum::MAX_INCREMENT)},
    {"MAX_CORRECTION", Row(dia_FieldCriterionEnum::MAX_CORRECTION)},
    {"TIME_AVERAGE", Row(dia_FieldCriterionEnum::TIME_AVERAGE)},
    {nullptr, 0},
};

const omu_PrimEnumRow kConstraintCriterionEnumRows[] = {
    {"MAX_ERROR", Row(dia_ConstraintCriterionEnum::MAX_ERROR)},
    {"NUM_ELEMENTS_EXCEEDING", Row(dia_ConstraintCriterionEnum::NUM_ELEMENTS_EXCEEDING)},
    {nullptr, 0},
};

const omu_PrimEnumRow kContactCriterionEnumRows[] = {
    {"TOTAL_NUM", Row(dia_ContactCriterionEnum::TOTAL_NUM)},
    {"MAX_ABS_VALUE", Row(dia_ContactCriterionEnum::MAX_ABS_VALUE)},
    {nullptr, 0},
};

const omu_PrimEnumRow kIncrementStatsEnumRows[] = {
    {"NUM_ATTEMPTS", Row(dia_IncrementStatsEnum::NUM_ATTEMPTS)},
    {"NUM_SDI", Row(dia_IncrementStatsEnum::NUM_SDI)},
    {"NUM_EQI", Row(dia_IncrementStatsEnum::NUM_EQI)},
    {"NUM_ITERS", Row(dia_IncrementStatsEnum::NUM_ITERS)},
    {"STEP_TIME", Row(dia_IncrementStatsEnum::STEP_TIME)},
    {"INC_SIZE", Row(dia_IncrementStatsEnum::INC_SIZE)},
    {nullptr, 0},
};

const omu_PrimEnumRow kIncrementXplStatsEnumRows[] = {
    {"STEP_TIME_XPL", Row(dia_IncrementXplStatsEnum::STEP_TIME_XPL)},
    {"TOTAL_TIME_XPL", Row(dia_IncrementXplStatsEnum::TOTAL_TIME_XPL)},
    {"CPU_TIME_XPL", Row(dia_IncrementXplStatsEnum::CPU_TIME_XPL)},
    {"STABLE_INC_XPL", Row(dia_IncrementXplStatsEnum::STABLE_INC_XPL)},
    {"MSPEI_XPL", Row(dia_IncrementXplStatsEnum::MSPEI_XPL)},
    {"KINETIC_ENERGY_XPL", Row(dia_IncrementXplStatsEnum::KINETIC_ENERGY_XPL)},
    {"ETOTAL_XPL", Row(dia_IncrementXplStatsEnum::ETOTAL_XPL)},
    {"TOTAL_MASS_XPL", Row(dia_IncrementXplStatsEnum::TOTAL_MASS_XPL)},
    {"DMASS_XPL", Row(dia_IncrementXplStatsEnum::DMASS_XPL)},
    {nullptr, 0},
};

const omu_PrimEnumRow kIncrementationSchemeEnumRows[] = {
    {"AUTO_INCREMENTATION", Row(dia_IncrementationSchemeEnum::AUTO_INCREMENTATION)},
    {"DIRECT_INCREMENTATION", Row(dia_IncrementationSchemeEnum::DIRECT_INCREMENTATION)},
    {"DIRECT_NO_STOP_INCREMENTATION",
     Row(dia_IncrementationSchemeEnum::DIRECT_NO_STOP_INCREMENTATION)},
    {"ELEMENT_BY_ELEMENT_INCREMENTATION",
     Row(dia_IncrementationSchemeEnum::ELEMENT_BY_ELEMENT_INCREMENTATION)},
    {"FIXED_INCREMENTATION", Row(dia_IncrementationSchemeEnum::FIXED_INCREMENTATION)},
    {nullptr, 0},
};

const omu_PrimEnumRow kJobStatusEnumRows[] = {
    {"JOB_STATUS_UNKNOWN", Row(dia_JobStatusEnum::JOB_STATUS_UNKNOWN)},
    {"JOB_STATUS_COMPLETED_SUCCESSFULLY",
     Row(dia_JobStatusEnum::JOB_STATUS_COMPLETED_SUCCESSFULLY)},
    {"JOB_STATUS_EXITED_WITH_ERROR", Row(dia_JobStatusEnum::JOB_STATUS_EXITED_WITH_ERROR)},
    {"JOB_STATUS_TERMINATED_BY_EXTERNAL_REQUEST",
     Row(dia_JobStatusEnum::JOB_STATUS_TERMINATED_BY_EXTERNAL_REQUEST)},
    {nullptr, 0},
};

const omu_PrimEnumRow kMatrixSolverEnumRows[] = {
    {"DIRECT_SOLVER", Row(dia_MatrixSolverEnum::DIRECT_SOLVER)},
    {"ITERATIVE_SOLVER", Row(dia_MatrixSolverEnum::ITERATIVE_SOLVER)},
    {nullptr, 0},
};

const omu_PrimEnumRow kStepExtrapolationEnumRows[] = {
    {"NO_EXTRAPOLATION", Row(dia_StepExtrapolationEnum::NO_EXTRAPOLATION)},
    {"LINEAR_EXTRAPOLATION", Row(dia_StepExtrapolationEnum::LINEAR_EXTRAPOLATION)},
    {"PARABOLIC_EXTRAPOLATION", Row(dia_StepExtrapolationEnum::PARABOLIC_EXTRAPOLATION)},
    {nullptr, 0},
};

}  // namespace

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_FieldVariableEnum, 1>::s_table = {"dia_FieldVariableEnum",
                                                                           kFieldVariableEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_ConstraintVariableEnum, 1>::s_table = {
    "dia_ConstraintVariableEnum", kConstraintVariableEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_ResidualCheckEnum, 1>::s_table = {"dia_ResidualCheckEnum",
                                                                           kResidualCheckEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_CorrectionCheckEnum, 1>::s_table = {
    "dia_CorrectionCheckEnum", kCorrectionCheckEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_EquationEnum, 1>::s_table = {"dia_EquationEnum",
                                                                      kEquationEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_FieldCriterionEnum, 1>::s_table = {
    "dia_FieldCriterionEnum", kFieldCriterionEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_ConstraintCriterionEnum, 1>::s_table = {
    "dia_ConstraintCriterionEnum", kConstraintCriterionEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_ContactCriterionEnum, 1>::s_table = {
    "dia_ContactCriterionEnum", kContactCriterionEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_IncrementStatsEnum, 1>::s_table = {
    "dia_IncrementStatsEnum", kIncrementStatsEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_IncrementXplStatsEnum, 1>::s_table = {
    "dia_IncrementXplStatsEnum", kIncrementXplStatsEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_IncrementationSchemeEnum, 1>::s_table = {
    "dia_IncrementationSchemeEnum", kIncrementationSchemeEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_JobStatusEnum, 1>::s_table = {"dia_JobStatusEnum",
                                                                       kJobStatusEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_MatrixSolverEnum, 1>::s_table = {"dia_MatrixSolverEnum",
                                                                          kMatrixSolverEnumRows};

template <>
const omu_PrimEnumTable omu_PrimEnum<dia_StepExtrapolationEnum, 1>::s_table = {
    "dia_StepExtrapolationEnum", kStepExtrapolationEnumRows};
