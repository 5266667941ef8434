#include "ddb/diagnostics/dia_Iteration.h"

#include "ddb/platform/cow_COW.h"

namespace {

enum Field {
  kIterationNumber,
  kIsConverged,
  kResidualList,
  kCompatibilityErrorList,
  kIsSevereDiscontinuity,
  kIsSeparationToleranceTooLarge,
  kIsPenetrationToleranceExceeded,
  kContactDiagnosticList,
  kContactIterationList,
  kElementDiagnosticList,
  kNumberOfNegativeEigenvalues,
  kNumberOfNumericalSingularities,
  kNumberOfZeroPivots,
};

constexpr const char* kNames[] = {
    "m_iterationNumber",
    "m_isConverged",
    "m_residualList",
    "m_compatibiltyErrorList",
    "m_isSevereDiscontinuity",
    "m_isSeparationToleranceTooLarge",
    "m_isPenetrationToleranceExceeded",
    "m_contactDiagnosticList",
    "m_contactIterationList",
    "m_elementDiagnosticList",
    "m_numberOfNegativeEigenvalues",
    "m_numberOfNumericalSingularities",
    "m_numberOfZeroPivots",
};

cls_FieldHandle F(Field f) {
  return cls_FieldHandle(kNames[f], f);
}

cls_ReadVisitor Sub(const cls_ReadVisitor& r, Field f) {
  return cls_ReadVisitor(r, F(f));
}

}  // namespace

dia_Iteration::dia_Iteration() : m_uid(cls_Uid::AllocateUid()) {}

dia_Iteration::dia_Iteration(int iterationNumber)
    : m_iterationNumber(iterationNumber), m_uid(cls_Uid::AllocateUid()) {}

dia_Iteration::dia_Iteration(const cls_ReadVisitor& r)
    : m_iterationNumber(r.ReadInt(F(kIterationNumber), 0)),
      m_isConverged(r.ReadBool(F(kIsConverged), false)),
      m_residualList(Sub(r, kResidualList)),
      m_compatibiltyErrorList(Sub(r, kCompatibilityErrorList)),
      m_isSevereDiscontinuity(r.ReadBool(F(kIsSevereDiscontinuity), false)),
      m_isSeparationToleranceTooLarge(r.ReadBool(F(kIsSeparationToleranceTooLarge), false)),
      m_isPenetrationToleranceExceeded(r.ReadBool(F(kIsPenetrationToleranceExceeded), false)),
      m_contactDiagnosticList(Sub(r, kContactDiagnosticList)),
      m_contactIterationList(Sub(r, kContactIterationList)),
      m_elementDiagnosticList(Sub(r, kElementDiagnosticList)),
      m_numberOfNegativeEigenvalues(r.ReadInt(F(kNumberOfNegativeEigenvalues), 0)),
      m_numberOfNumericalSingularities(r.ReadInt(F(kNumberOfNumericalSingularities), 0)),
      m_numberOfZeroPivots(r.ReadInt(F(kNumberOfZeroPivots), 0)),
      m_uid(r.GetUid()) {}

bool dia_Iteration::IsResidualCriteriaAccepted() const {
  if (m_residualList.Length() == 0) return false;
  for (int i = 0; i < m_residualList.Length(); ++i)
    if (!m_residualList.ConstGet(i).IsAccepted()) return false;
  return true;
}

bool dia_Iteration::IsCompatibilityErrorCriteriaAccepted() const {
  if (m_compatibiltyErrorList.Length() == 0) return false;
  for (int i = 0; i < m_compatibiltyErrorList.Length(); ++i)
    if (m_compatibiltyErrorList.ConstGet(i).GetNumberOfElementsExceedingTolerance() != 0)
      return false;
  return true;
}

void* dia_Iteration::Ctor(cls_ReadVisitor& reader) {
  return new dia_Iteration(reader);
}

void dia_Iteration::CowDtor(void* handle) {
  cow_COW<dia_Iteration>::Destroy(static_cast<cow_COW<dia_Iteration>*>(handle));
}

void dia_Iteration::InitializeMetadata(cls_ClassRegistrar& registrar) {
  cls_ClassMetadata& md =
      registrar.CreateClassMD(TypeName(), TypeId(), 434, &Ctor, cls_NoBaseTypeId);
  md.AddDtor(&CowDtor)
      .AddAttribute(F(kIterationNumber), cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(F(kIsConverged), cls_AttrBool, 1, cls_CollNone)
      .AddAttribute(F(kResidualList), cls_AttrObject, cls_ObjListTypeId, cls_CollList)
      .AddAttribute(F(kCompatibilityErrorList), cls_AttrObject, cls_ObjListTypeId, cls_CollList)
      .AddAttribute(F(kIsSevereDiscontinuity), cls_AttrBool, 1, cls_CollNone)
      .AddAttribute(F(kIsSeparationToleranceTooLarge), cls_AttrBool, 1, cls_CollNone)
      .AddAttribute(F(kIsPenetrationToleranceExceeded), cls_AttrBool, 1, cls_CollNone)
      .AddAttribute(F(kContactDiagnosticList), cls_AttrObject, cls_ObjListTypeId, cls_CollList)
      .AddAttribute(F(kContactIterationList), cls_AttrObject, cls_ObjListTypeId, cls_CollList)
      .AddAttribute(F(kElementDiagnosticList), cls_AttrObject, cls_ObjListTypeId, cls_CollList)
      .AddAttribute(F(kNumberOfNegativeEigenvalues), cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(F(kNumberOfNumericalSingularities), cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(F(kNumberOfZeroPivots), cls_AttrInt, 1, cls_CollNone);
}

void dia_Iteration::DBWrite(const cls_WriteVisitor& w) const {
  if (!w.StartWrite(TypeId(), m_uid)) return;
  rom_MementoWrite& m = w.Memento();
  m.WriteInt(F(kIterationNumber), m_iterationNumber);
  m.WriteBool(F(kIsConverged), m_isConverged);
  m_residualList.DBWrite(cls_WriteVisitor(w, F(kResidualList), nullptr, nullptr));
  m_compatibiltyErrorList.DBWrite(
      cls_WriteVisitor(w, F(kCompatibilityErrorList), nullptr, nullptr));
  m.WriteBool(F(kIsSevereDiscontinuity), m_isSevereDiscontinuity);
  m.WriteBool(F(kIsSeparationToleranceTooLarge), m_isSeparationToleranceTooLarge);
  m.WriteBool(F(kIsPenetrationToleranceExceeded), m_isPenetrationToleranceExceeded);
  m_contactDiagnosticList.DBWrite(cls_WriteVisitor(w, F(kContactDiagnosticList), nullptr, nullptr));
  m_contactIterationList.DBWrite(cls_WriteVisitor(w, F(kContactIterationList), nullptr, nullptr));
  m_elementDiagnosticList.DBWrite(cls_WriteVisitor(w, F(kElementDiagnosticList), nullptr, nullptr));
  m.WriteInt(F(kNumberOfNegativeEigenvalues), m_numberOfNegativeEigenvalues);
  m.WriteInt(F(kNumberOfNumericalSingularities), m_numberOfNumericalSingularities);
  m.WriteInt(F(kNumberOfZeroPivots), m_numberOfZeroPivots);
}
