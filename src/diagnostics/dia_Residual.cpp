#include "ddb/diagnostics/dia_Residual.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_Residual> : cls_LayoutRows<dia_Residual> {
  static constexpr Row kRows[] = {
      {"m_fieldEquationType", kEnum, At<&T::m_fieldEquationType>},
      {"m_isResponseLinear", kBool, At<&T::m_isResponseLinear>},
      {"m_averageFlux", kDouble, At<&T::m_averageFlux>},
      {"m_timeAverageFlux", kDouble, At<&T::m_timeAverageFlux>},
      {"m_hasUserDefinedNorm", kBool, At<&T::m_hasUserDefinedNorm>},
      {"m_maxResidual", kDouble, At<&T::m_maxResidual>},
      {"m_maxResidualNode", kInt, At<&T::m_maxResidualNode>},
      {"m_maxResidualPartInstanceName", kString, At<&T::m_maxResidualPartInstanceName>},
      {"m_maxResidualDOF", kInt, At<&T::m_maxResidualDOF>},
      {"m_maxIncrement", kDouble, At<&T::m_maxIncrement>},
      {"m_maxIncrementNode", kInt, At<&T::m_maxIncrementNode>},
      {"m_maxIncrementPartInstanceName", kString, At<&T::m_maxIncrementPartInstanceName>},
      {"m_maxIncrementDOF", kInt, At<&T::m_maxIncrementDOF>},
      {"m_maxCorrection", kDouble, At<&T::m_maxCorrection>},
      {"m_maxCorrectionNode", kInt, At<&T::m_maxCorrectionNode>},
      {"m_maxCorrectionPartInstanceName", kString, At<&T::m_maxCorrectionPartInstanceName>},
      {"m_maxCorrectionDOF", kInt, At<&T::m_maxCorrectionDOF>},
      {"m_residualCheck", kEnum, At<&T::m_residualCheck>},
      {"m_correctionCheck", kEnum, At<&T::m_correctionCheck>},
      {"m_estimatedCorrection", kDouble, At<&T::m_estimatedCorrection>},
  };
  static constexpr cls_Layout<T> kLayout{"dia_Residual", dia_TypeId_Residual, 1001, &T::m_uid,
                                         kRows};
};

CLS_DEFINE_PERSISTENT(dia_Residual)

namespace {

struct FieldNames {
  const char* field;
  const char* flux;
};

// Indexed by field variable value minus 1.
constexpr FieldNames kFieldNames[] = {
    {"Displacement", "Force"},
    {"Rotation", "Moment"},
    {"Temperature", "Heat flux"},
    {"Pore Liquid Pressure", "Volumetric flux"},
    {"Normalized Concentration", "Volumetric flux"},
    {"Fluid Pressure", "Fluid volume"},
    {"Electrical Potential", "Electrical current"},
    {"Piezo-electrical Potential", "Electrical charge"},
    {"Material Flow", "Material flux"},
    {"Pressure Lag. Mult.", "Volumetric flux"},
    {"Volumetric Lag. Mult.", "Pressure flux"},
};

const FieldNames* NamesOf(dia_FieldVariableEnum field) {
  unsigned value = static_cast<unsigned>(field);
  constexpr unsigned count = sizeof(kFieldNames) / sizeof(kFieldNames[0]);
  return value >= 1 && value <= count ? &kFieldNames[value - 1] : nullptr;
}

}  // namespace

dia_Residual::dia_Residual() : m_uid(cls_Uid::AllocateUid()) {}

dia_Residual::dia_Residual(dia_FieldVariableEnum fieldVariable, dia_ResidualCheckEnum residualCheck,
                           dia_CorrectionCheckEnum correctionCheck, double estimatedCorrection,
                           bool isResponseLinear, double averageFlux, double timeAverageFlux,
                           bool hasUserDefinedNorm, double maxResidual, int maxResidualNode,
                           const cow_String& maxResidualInstance, int maxResidualDof,
                           double maxIncrement, int maxIncrementNode,
                           const cow_String& maxIncrementInstance, int maxIncrementDof,
                           double maxCorrection, int maxCorrectionNode,
                           const cow_String& maxCorrectionInstance, int maxCorrectionDof)
    : m_fieldEquationType(fieldVariable),
      m_residualCheck(residualCheck),
      m_correctionCheck(correctionCheck),
      m_estimatedCorrection(estimatedCorrection),
      m_isResponseLinear(isResponseLinear),
      m_averageFlux(averageFlux),
      m_timeAverageFlux(timeAverageFlux),
      m_hasUserDefinedNorm(hasUserDefinedNorm),
      m_maxResidual(maxResidual),
      m_maxResidualNode(maxResidualNode),
      m_maxResidualPartInstanceName(maxResidualInstance),
      m_maxResidualDOF(maxResidualDof),
      m_maxIncrement(maxIncrement),
      m_maxIncrementNode(maxIncrementNode),
      m_maxIncrementPartInstanceName(maxIncrementInstance),
      m_maxIncrementDOF(maxIncrementDof),
      m_maxCorrection(maxCorrection),
      m_maxCorrectionNode(maxCorrectionNode),
      m_maxCorrectionPartInstanceName(maxCorrectionInstance),
      m_maxCorrectionDOF(maxCorrectionDof),
      m_uid(cls_Uid::AllocateUid()) {}

bool dia_Residual::IsAccepted() const {
  if (m_residualCheck != dia_ResidualCheckEnum::RESIDUAL_ACCEPTED) return false;
  switch (m_correctionCheck) {
    case dia_CorrectionCheckEnum::CORRECTION_ACCEPTED:
    case dia_CorrectionCheckEnum::CORRECTION_ACCEPTED_SMALL_INCREMENT:
    case dia_CorrectionCheckEnum::CORRECTION_ACCEPTED_ESTIMATED_CORRECTION:
      return true;
    default:
      return false;
  }
}

cow_String dia_Residual::GetFieldVariableName() const {
  const FieldNames* names = NamesOf(m_fieldEquationType);
  return names ? names->field : "";
}

cow_String dia_Residual::GetConjugateFluxName() const {
  const FieldNames* names = NamesOf(m_fieldEquationType);
  return names ? names->flux : "";
}
