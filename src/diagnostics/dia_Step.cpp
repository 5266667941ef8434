#include "ddb/diagnostics/dia_Step.h"

#include "ddb/platform/cow_COW.h"

namespace {

enum Field {
  kStepNumber,
  kStepName,
  kLproc,
  kIsPerturbation,
  kIsRiks,
  kIncrementList,
  kStepTimeCompleted,
  kIncrementsCompleted,
  kIncrementationScheme,
  kTimePeriod,
  kInitialTimeIncrement,
  kMinimumTimeIncrement,
  kMaximumTimeIncrement,
  kMaximumNumberOfIncrements,
  kIsStabilized,
  kStabilizeFactor,
  kIsUnsymm,
  kIsNlgeom,
  kSolverCode,
  kExtrapolationCode,
  kCharacteristicElementLength,
  kContactDiagnosticList,
  kXplStatusList,
  kActiveXplStatus,
};

constexpr const char* kNames[] = {
    "m_stepNumber",
    "m_stepName",
    "m_lproc",
    "m_isPerturbation",
    "m_isRiks",
    "m_incrementList",
    "m_stepTimeCompleted",
    "m_incrementsCompleted",
    "m_incrementationScheme",
    "m_timePeriod",
    "m_initialTimeIncrement",
    "m_minimumTimeIncrement",
    "m_maximumTimeIncrement",
    "m_maximumNumberOfIncrements",
    "m_isStabilized",
    "m_stabilizeFactor",
    "m_isUnsymm",
    "m_isNlgeom",
    "m_solverCode",
    "m_extrapolationCode",
    "m_characteristicElementLength",
    "m_contactDiagnosticList",
    "m_XplStatusList",
    "m_ActiveXplStatus",
};

using SchemeEnum = omu_PrimEnum<dia_IncrementationSchemeEnum, 1>;

cls_FieldHandle F(Field f) {
  return cls_FieldHandle(kNames[f], f);
}

cls_ReadVisitor Sub(const cls_ReadVisitor& r, Field f) {
  return cls_ReadVisitor(r, F(f));
}

// The scheme is stored by name and found by name, so a stored layout may place it anywhere.
// Layouts older than 317 have none: such a step reads with the first value of the enumeration.
dia_IncrementationSchemeEnum ReadScheme(const cls_ReadVisitor& r) {
  const cls_FieldHandle field(kNames[kIncrementationScheme], -1);
  if (!r.DataIsPresent(field)) return SchemeEnum::Value(0);
  return SchemeEnum(r.ReadString(field, "")).GetValue();
}

}  // namespace

dia_Step::dia_Step() : m_uid(cls_Uid::AllocateUid()) {}

dia_Step::dia_Step(int stepNumber, const cow_String& name, int procedureCode, bool isPerturbation,
                   bool isRiks)
    : m_stepNumber(stepNumber),
      m_stepName(name),
      m_lproc(procedureCode),
      m_isPerturbation(isPerturbation),
      m_isRiks(isRiks),
      m_uid(cls_Uid::AllocateUid()) {}

dia_Step::dia_Step(const cls_ReadVisitor& r)
    : m_stepNumber(r.ReadInt(F(kStepNumber), 0)),
      m_stepName(r.ReadString(F(kStepName), "")),
      m_lproc(r.ReadInt(F(kLproc), 0)),
      m_isPerturbation(r.ReadBool(F(kIsPerturbation), false)),
      m_isRiks(r.ReadBool(F(kIsRiks), false)),
      m_incrementList(Sub(r, kIncrementList)),
      m_stepTimeCompleted(r.ReadDouble(F(kStepTimeCompleted), 0.0)),
      m_incrementsCompleted(r.ReadInt(F(kIncrementsCompleted), 0)),
      m_incrementationScheme(ReadScheme(r)),
      m_timePeriod(r.ReadDouble(F(kTimePeriod), 0.0)),
      m_initialTimeIncrement(r.ReadDouble(F(kInitialTimeIncrement), 0.0)),
      m_minimumTimeIncrement(r.ReadDouble(F(kMinimumTimeIncrement), 0.0)),
      m_maximumTimeIncrement(r.ReadDouble(F(kMaximumTimeIncrement), 0.0)),
      m_maximumNumberOfIncrements(r.ReadInt(F(kMaximumNumberOfIncrements), 0)),
      m_isStabilized(r.ReadBool(F(kIsStabilized), false)),
      m_stabilizeFactor(r.ReadDouble(F(kStabilizeFactor), 0.0)),
      m_isUnsymm(r.ReadBool(F(kIsUnsymm), false)),
      m_isNlgeom(r.ReadBool(F(kIsNlgeom), false)),
      m_solverCode(r.ReadInt(F(kSolverCode), 0)),
      m_extrapolationCode(r.ReadInt(F(kExtrapolationCode), 0)),
      m_characteristicElementLength(r.ReadDouble(F(kCharacteristicElementLength), 0.0)),
      m_contactDiagnosticList(Sub(r, kContactDiagnosticList)),
      m_XplStatusList(Sub(r, kXplStatusList)),
      m_ActiveXplStatus(Sub(r, kActiveXplStatus)),
      m_uid(r.GetUid()) {}

void dia_Step::SetIncrementationControls(dia_IncrementationSchemeEnum scheme, double timePeriod,
                                         double initialTimeIncrement, double minimumTimeIncrement,
                                         double maximumTimeIncrement,
                                         int maximumNumberOfIncrements) {
  m_incrementationScheme = scheme;
  m_timePeriod = timePeriod;
  m_initialTimeIncrement = initialTimeIncrement;
  m_minimumTimeIncrement = minimumTimeIncrement;
  m_maximumTimeIncrement = maximumTimeIncrement;
  m_maximumNumberOfIncrements = maximumNumberOfIncrements;
}

// Elements are fetched with Get so that released ones come back. The kept records go into new
// in-memory lists: the next write of the step stores them as fresh lists, and the rows of the
// cut records stay in the file, no longer referenced.
void dia_Step::TruncateStep(int incrementNumber, double stepTime) {
  m_incrementsCompleted = incrementNumber;
  m_stepTimeCompleted = stepTime;
  IncrementList increments;
  for (int i = 0; i < m_incrementList.Length(); ++i) {
    const dia_Increment& increment = m_incrementList.Get(i);
    if (increment.GetIncrementNumber() < incrementNumber) increments.Append(increment);
  }
  m_incrementList = increments;
  XplStatusList statuses;
  for (int i = 0; i < m_XplStatusList.Length(); ++i) {
    const dia_XplStatus& status = m_XplStatusList.Get(i);
    if (status.GetIncrementNumber() < incrementNumber) statuses.Append(status);
  }
  m_XplStatusList = statuses;
}

void* dia_Step::Ctor(cls_ReadVisitor& reader) {
  return new dia_Step(reader);
}

void dia_Step::CowDtor(void* handle) {
  cow_COW<dia_Step>::Destroy(static_cast<cow_COW<dia_Step>*>(handle));
}

void dia_Step::InitializeMetadata(cls_ClassRegistrar& registrar) {
  const std::uint32_t list = cls_ObjListTypeId;
  registrar.CreateClassMD(TypeName(), TypeId(), 1037, &Ctor, cls_NoBaseTypeId)
      .AddDtor(&CowDtor)
      .AddAttribute(F(kStepNumber), cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(F(kStepName), cls_AttrString, 1, cls_CollNone)
      .AddAttribute(F(kLproc), cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(F(kIsPerturbation), cls_AttrBool, 1, cls_CollNone)
      .AddAttribute(F(kIsRiks), cls_AttrBool, 1, cls_CollNone)
      .AddAttribute(F(kIncrementList), cls_AttrObject, list, cls_CollList)
      .AddAttribute(F(kStepTimeCompleted), cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(F(kIncrementsCompleted), cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(F(kIncrementationScheme), cls_AttrEnum, 1, cls_CollNone)
      .AddAttribute(F(kTimePeriod), cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(F(kInitialTimeIncrement), cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(F(kMinimumTimeIncrement), cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(F(kMaximumTimeIncrement), cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(F(kMaximumNumberOfIncrements), cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(F(kIsStabilized), cls_AttrBool, 1, cls_CollNone)
      .AddAttribute(F(kStabilizeFactor), cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(F(kIsUnsymm), cls_AttrBool, 1, cls_CollNone)
      .AddAttribute(F(kIsNlgeom), cls_AttrBool, 1, cls_CollNone)
      .AddAttribute(F(kSolverCode), cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(F(kExtrapolationCode), cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(F(kCharacteristicElementLength), cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(F(kContactDiagnosticList), cls_AttrObject, list, cls_CollList)
      .AddAttribute(F(kXplStatusList), cls_AttrObject, list, cls_CollList)
      .AddAttribute(F(kActiveXplStatus), cls_AttrObject, cls_PrimArrayTypeId, cls_CollInts);
}

void dia_Step::DBWrite(const cls_WriteVisitor& w) const {
  if (!w.StartWrite(TypeId(), m_uid)) return;
  rom_MementoWrite& m = w.Memento();
  m.WriteInt(F(kStepNumber), m_stepNumber);
  m.WriteString(F(kStepName), m_stepName);
  m.WriteInt(F(kLproc), m_lproc);
  m.WriteBool(F(kIsPerturbation), m_isPerturbation);
  m.WriteBool(F(kIsRiks), m_isRiks);
  m_incrementList.DBWrite(cls_WriteVisitor(w, F(kIncrementList), nullptr, nullptr));
  m.WriteDouble(F(kStepTimeCompleted), m_stepTimeCompleted);
  m.WriteInt(F(kIncrementsCompleted), m_incrementsCompleted);
  m.WriteString(F(kIncrementationScheme), SchemeEnum(m_incrementationScheme).AsString());
  m.WriteDouble(F(kTimePeriod), m_timePeriod);
  m.WriteDouble(F(kInitialTimeIncrement), m_initialTimeIncrement);
  m.WriteDouble(F(kMinimumTimeIncrement), m_minimumTimeIncrement);
  m.WriteDouble(F(kMaximumTimeIncrement), m_maximumTimeIncrement);
  m.WriteInt(F(kMaximumNumberOfIncrements), m_maximumNumberOfIncrements);
  m.WriteBool(F(kIsStabilized), m_isStabilized);
  m.WriteDouble(F(kStabilizeFactor), m_stabilizeFactor);
  m.WriteBool(F(kIsUnsymm), m_isUnsymm);
  m.WriteBool(F(kIsNlgeom), m_isNlgeom);
  m.WriteInt(F(kSolverCode), m_solverCode);
  m.WriteInt(F(kExtrapolationCode), m_extrapolationCode);
  m.WriteDouble(F(kCharacteristicElementLength), m_characteristicElementLength);
  m_contactDiagnosticList.DBWrite(cls_WriteVisitor(w, F(kContactDiagnosticList), nullptr, nullptr));
  m_XplStatusList.DBWrite(cls_WriteVisitor(w, F(kXplStatusList), nullptr, nullptr));
  m_ActiveXplStatus.DBWrite(cls_WriteVisitor(w, F(kActiveXplStatus), nullptr, nullptr));
}
