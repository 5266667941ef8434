#include "ddb/diagnostics/dia_ContactIteration.h"

#include "ddb/platform/cow_COW.h"
#include "diagnostics/dia_FieldSupport.h"

namespace {
constexpr dia_Field kIterationNumber{"m_iterationNumber", 0};
constexpr dia_Field kIsConverged{"m_isConverged", 1};
constexpr dia_Field kContactDiagnosticList{"m_contactDiagnosticList", 2};
}  // namespace

dia_ContactIteration::dia_ContactIteration() : m_uid(cls_Uid::AllocateUid()) {}

dia_ContactIteration::dia_ContactIteration(int iterationNumber)
    : m_iterationNumber(iterationNumber), m_uid(cls_Uid::AllocateUid()) {}

dia_ContactIteration::dia_ContactIteration(const cls_ReadVisitor& reader)
    : m_iterationNumber(reader.ReadInt(kIterationNumber, 0)),
      m_isConverged(reader.ReadBool(kIsConverged, false)),
      m_contactDiagnosticList(cls_ReadVisitor(reader, kContactDiagnosticList)),
      m_uid(reader.GetUid()) {}

void dia_ContactIteration::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  writer.Memento().WriteInt(kIterationNumber, m_iterationNumber);
  writer.Memento().WriteBool(kIsConverged, m_isConverged);
  m_contactDiagnosticList.DBWrite(
      cls_WriteVisitor(writer, kContactDiagnosticList, nullptr, nullptr));
}

void dia_ContactIteration::AddContactDiagnostic(const dia_ContactDiagnostic& diagnostic) {
  m_contactDiagnosticList.Append(diagnostic);
}

dia_ContactDiagnostic& dia_ContactIteration::GetContactDiagnosticByIndex(int index) {
  return m_contactDiagnosticList.Get(index);
}

const dia_ContactDiagnostic& dia_ContactIteration::ConstGetContactDiagnosticByIndex(
    int index) const {
  return m_contactDiagnosticList.ConstGet(index);
}

void* dia_ContactIteration::Ctor(cls_ReadVisitor& reader) {
  return new dia_ContactIteration(reader);
}

void dia_ContactIteration::CowDtor(void* cowHandle) {
  cow_COW<dia_ContactIteration>::Destroy(static_cast<cow_COW<dia_ContactIteration>*>(cowHandle));
}

void dia_ContactIteration::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD(TypeName(), TypeId(), 434, &Ctor, cls_NoBaseTypeId)
      .AddAttribute(kIterationNumber, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kIsConverged, cls_AttrBool, 1, cls_CollNone)
      .AddAttribute(kContactDiagnosticList, cls_AttrObject, cls_ObjListTypeId, cls_CollList)
      .AddDtor(&CowDtor);
}
