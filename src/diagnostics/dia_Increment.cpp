#include "ddb/diagnostics/dia_Increment.h"

#include "ddb/platform/cow_COW.h"

namespace {

enum Field {
  kIncrementNumber,
  kInitialIncrementSize,
  kStepTimeCompleted,
  kAttemptList,
  kElementDiagnosticList,
};

constexpr const char* kNames[] = {
    "m_incrementNumber", "m_initialIncrementSize",  "m_stepTimeCompleted",
    "m_attemptList",     "m_elementDiagnosticList",
};

cls_FieldHandle F(Field f) {
  return cls_FieldHandle(kNames[f], f);
}

}  // namespace

dia_Increment::dia_Increment() : m_uid(cls_Uid::AllocateUid()) {}

dia_Increment::dia_Increment(int incrementNumber, double initialIncrementSize)
    : m_incrementNumber(incrementNumber),
      m_initialIncrementSize(initialIncrementSize),
      m_uid(cls_Uid::AllocateUid()) {}

dia_Increment::dia_Increment(const cls_ReadVisitor& r)
    : m_incrementNumber(r.ReadInt(F(kIncrementNumber), 0)),
      m_initialIncrementSize(r.ReadDouble(F(kInitialIncrementSize), 0.0)),
      m_stepTimeCompleted(r.ReadDouble(F(kStepTimeCompleted), 0.0)),
      m_attemptList(cls_ReadVisitor(r, F(kAttemptList))),
      m_uid(r.GetUid()),
      m_elementDiagnosticList(cls_ReadVisitor(r, F(kElementDiagnosticList))) {}

bool dia_Increment::IsConverged() const {
  int n = m_attemptList.Length();
  return n == 0 || m_attemptList.ConstGet(n - 1).IsConverged();
}

double dia_Increment::GetIncrementSize() const {
  int n = m_attemptList.Length();
  if (n == 0) return m_initialIncrementSize;
  const dia_Attempt& last = m_attemptList.ConstGet(n - 1);
  return last.IsConverged() ? last.GetAttemptSize() : 0.0;
}

void* dia_Increment::Ctor(cls_ReadVisitor& reader) {
  return new dia_Increment(reader);
}

void dia_Increment::CowDtor(void* handle) {
  cow_COW<dia_Increment>::Destroy(static_cast<cow_COW<dia_Increment>*>(handle));
}

void dia_Increment::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD(TypeName(), TypeId(), 1037, &Ctor, cls_NoBaseTypeId)
      .AddDtor(&CowDtor)
      .AddAttribute(F(kIncrementNumber), cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(F(kInitialIncrementSize), cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(F(kStepTimeCompleted), cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(F(kAttemptList), cls_AttrObject, cls_ObjListTypeId, cls_CollList)
      .AddAttribute(F(kElementDiagnosticList), cls_AttrObject, cls_ObjListTypeId, cls_CollList);
}

void dia_Increment::DBWrite(const cls_WriteVisitor& w) const {
  if (!w.StartWrite(TypeId(), m_uid)) return;
  rom_MementoWrite& m = w.Memento();
  m.WriteInt(F(kIncrementNumber), m_incrementNumber);
  m.WriteDouble(F(kInitialIncrementSize), m_initialIncrementSize);
  m.WriteDouble(F(kStepTimeCompleted), m_stepTimeCompleted);
  m_attemptList.DBWrite(cls_WriteVisitor(w, F(kAttemptList), nullptr, nullptr));
  m_elementDiagnosticList.DBWrite(cls_WriteVisitor(w, F(kElementDiagnosticList), nullptr, nullptr));
}
