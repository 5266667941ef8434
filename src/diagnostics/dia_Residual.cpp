#include "ddb/diagnostics/dia_Residual.h"

#include "ddb/platform/cow_COW.h"
#include "diagnostics/dia_FieldSupport.h"

namespace {

constexpr dia_Field kFieldEquationType{"m_fieldEquationType", 0};
constexpr dia_Field kIsResponseLinear{"m_isResponseLinear", 1};
constexpr dia_Field kAverageFlux{"m_averageFlux", 2};
constexpr dia_Field kTimeAverageFlux{"m_timeAverageFlux", 3};
constexpr dia_Field kHasUserDefinedNorm{"m_hasUserDefinedNorm", 4};
constexpr dia_Field kMaxResidual{"m_maxResidual", 5};
constexpr dia_Field kMaxResidualNode{"m_maxResidualNode", 6};
constexpr dia_Field kMaxResidualInstance{"m_maxResidualPartInstanceName", 7};
constexpr dia_Field kMaxResidualDof{"m_maxResidualDOF", 8};
constexpr dia_Field kMaxIncrement{"m_maxIncrement", 9};
constexpr dia_Field kMaxIncrementNode{"m_maxIncrementNode", 10};
constexpr dia_Field kMaxIncrementInstance{"m_maxIncrementPartInstanceName", 11};
constexpr dia_Field kMaxIncrementDof{"m_maxIncrementDOF", 12};
constexpr dia_Field kMaxCorrection{"m_maxCorrection", 13};
constexpr dia_Field kMaxCorrectionNode{"m_maxCorrectionNode", 14};
constexpr dia_Field kMaxCorrectionInstance{"m_maxCorrectionPartInstanceName", 15};
constexpr dia_Field kMaxCorrectionDof{"m_maxCorrectionDOF", 16};
constexpr dia_Field kResidualCheck{"m_residualCheck", 17};
constexpr dia_Field kCorrectionCheck{"m_correctionCheck", 18};
constexpr dia_Field kEstimatedCorrection{"m_estimatedCorrection", 19};

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

dia_Residual::dia_Residual(const cls_ReadVisitor& reader)
    : m_fieldEquationType(dia_ReadEnum<dia_FieldVariableEnum>(reader, kFieldEquationType)),
      m_residualCheck(dia_ReadEnum<dia_ResidualCheckEnum>(reader, kResidualCheck)),
      m_correctionCheck(dia_ReadEnum<dia_CorrectionCheckEnum>(reader, kCorrectionCheck)),
      m_estimatedCorrection(reader.ReadDouble(kEstimatedCorrection, 0.0)),
      m_isResponseLinear(reader.ReadBool(kIsResponseLinear, false)),
      m_averageFlux(reader.ReadDouble(kAverageFlux, 0.0)),
      m_timeAverageFlux(reader.ReadDouble(kTimeAverageFlux, 0.0)),
      m_hasUserDefinedNorm(reader.ReadBool(kHasUserDefinedNorm, false)),
      m_maxResidual(reader.ReadDouble(kMaxResidual, 0.0)),
      m_maxResidualNode(reader.ReadInt(kMaxResidualNode, 0)),
      m_maxResidualPartInstanceName(reader.ReadString(kMaxResidualInstance, "")),
      m_maxResidualDOF(reader.ReadInt(kMaxResidualDof, 0)),
      m_maxIncrement(reader.ReadDouble(kMaxIncrement, 0.0)),
      m_maxIncrementNode(reader.ReadInt(kMaxIncrementNode, 0)),
      m_maxIncrementPartInstanceName(reader.ReadString(kMaxIncrementInstance, "")),
      m_maxIncrementDOF(reader.ReadInt(kMaxIncrementDof, 0)),
      m_maxCorrection(reader.ReadDouble(kMaxCorrection, 0.0)),
      m_maxCorrectionNode(reader.ReadInt(kMaxCorrectionNode, 0)),
      m_maxCorrectionPartInstanceName(reader.ReadString(kMaxCorrectionInstance, "")),
      m_maxCorrectionDOF(reader.ReadInt(kMaxCorrectionDof, 0)),
      m_uid(reader.GetUid()) {}

void dia_Residual::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  rom_MementoWrite& memento = writer.Memento();
  dia_WriteEnum(writer, kFieldEquationType, m_fieldEquationType);
  memento.WriteBool(kIsResponseLinear, m_isResponseLinear);
  memento.WriteDouble(kAverageFlux, m_averageFlux);
  memento.WriteDouble(kTimeAverageFlux, m_timeAverageFlux);
  memento.WriteBool(kHasUserDefinedNorm, m_hasUserDefinedNorm);
  memento.WriteDouble(kMaxResidual, m_maxResidual);
  memento.WriteInt(kMaxResidualNode, m_maxResidualNode);
  memento.WriteString(kMaxResidualInstance, m_maxResidualPartInstanceName);
  memento.WriteInt(kMaxResidualDof, m_maxResidualDOF);
  memento.WriteDouble(kMaxIncrement, m_maxIncrement);
  memento.WriteInt(kMaxIncrementNode, m_maxIncrementNode);
  memento.WriteString(kMaxIncrementInstance, m_maxIncrementPartInstanceName);
  memento.WriteInt(kMaxIncrementDof, m_maxIncrementDOF);
  memento.WriteDouble(kMaxCorrection, m_maxCorrection);
  memento.WriteInt(kMaxCorrectionNode, m_maxCorrectionNode);
  memento.WriteString(kMaxCorrectionInstance, m_maxCorrectionPartInstanceName);
  memento.WriteInt(kMaxCorrectionDof, m_maxCorrectionDOF);
  dia_WriteEnum(writer, kResidualCheck, m_residualCheck);
  dia_WriteEnum(writer, kCorrectionCheck, m_correctionCheck);
  memento.WriteDouble(kEstimatedCorrection, m_estimatedCorrection);
}

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

void* dia_Residual::Ctor(cls_ReadVisitor& reader) {
  return new dia_Residual(reader);
}

void dia_Residual::CowDtor(void* cowHandle) {
  cow_COW<dia_Residual>::Destroy(static_cast<cow_COW<dia_Residual>*>(cowHandle));
}

void dia_Residual::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD(TypeName(), TypeId(), 1001, &Ctor, cls_NoBaseTypeId)
      .AddAttribute(kFieldEquationType, cls_AttrEnum, 1, cls_CollNone)
      .AddAttribute(kIsResponseLinear, cls_AttrBool, 1, cls_CollNone)
      .AddAttribute(kAverageFlux, cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(kTimeAverageFlux, cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(kHasUserDefinedNorm, cls_AttrBool, 1, cls_CollNone)
      .AddAttribute(kMaxResidual, cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(kMaxResidualNode, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kMaxResidualInstance, cls_AttrString, 1, cls_CollNone)
      .AddAttribute(kMaxResidualDof, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kMaxIncrement, cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(kMaxIncrementNode, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kMaxIncrementInstance, cls_AttrString, 1, cls_CollNone)
      .AddAttribute(kMaxIncrementDof, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kMaxCorrection, cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(kMaxCorrectionNode, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kMaxCorrectionInstance, cls_AttrString, 1, cls_CollNone)
      .AddAttribute(kMaxCorrectionDof, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kResidualCheck, cls_AttrEnum, 1, cls_CollNone)
      .AddAttribute(kCorrectionCheck, cls_AttrEnum, 1, cls_CollNone)
      .AddAttribute(kEstimatedCorrection, cls_AttrDouble, 1, cls_CollNone)
      .AddDtor(&CowDtor);
}
