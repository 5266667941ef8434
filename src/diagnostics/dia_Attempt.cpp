#include "ddb/diagnostics/dia_Attempt.h"

#include "ddb/platform/cow_COW.h"

namespace {

enum Field {
  kAttemptNumber,
  kAttemptSize,
  kIterationList,
  kCutbackCodes,
  kNeedsReordering,
  kAutoStabilize,
};

constexpr const char* kNames[] = {
    "m_attemptNumber", "m_attemptSize",     "m_iterationList",
    "m_cutbackCodes",  "m_needsReordering", "m_autoStabilize",
};

cls_FieldHandle F(Field f) {
  return cls_FieldHandle(kNames[f], f);
}

}  // namespace

dia_Attempt::dia_Attempt() : m_uid(cls_Uid::AllocateUid()) {}

dia_Attempt::dia_Attempt(int attemptNumber, double attemptSize)
    : m_attemptNumber(attemptNumber), m_attemptSize(attemptSize), m_uid(cls_Uid::AllocateUid()) {}

dia_Attempt::dia_Attempt(const cls_ReadVisitor& r)
    : m_attemptNumber(r.ReadInt(F(kAttemptNumber), 0)),
      m_attemptSize(r.ReadDouble(F(kAttemptSize), 0.0)),
      m_cutbackCodes(cls_ReadVisitor(r, F(kCutbackCodes))),
      m_needsReordering(r.ReadBool(F(kNeedsReordering), false)),
      m_autoStabilize(r.ReadBool(F(kAutoStabilize), false)),
      m_iterationList(cls_ReadVisitor(r, F(kIterationList))),
      m_uid(r.GetUid()) {}

bool dia_Attempt::IsConverged() const {
  int n = m_iterationList.Length();
  return n > 0 && m_iterationList.ConstGet(n - 1).IsConverged();
}

void dia_Attempt::AddCutbackDiagnostic(int code) {
  cow_List<int>& codes = m_cutbackCodes.Values();
  for (int c : codes)
    if (c == code) return;
  codes.Append(code);
}

void* dia_Attempt::Ctor(cls_ReadVisitor& reader) {
  return new dia_Attempt(reader);
}

void dia_Attempt::CowDtor(void* handle) {
  cow_COW<dia_Attempt>::Destroy(static_cast<cow_COW<dia_Attempt>*>(handle));
}

void dia_Attempt::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD(TypeName(), TypeId(), 410, &Ctor, cls_NoBaseTypeId)
      .AddDtor(&CowDtor)
      .AddAttribute(F(kAttemptNumber), cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(F(kAttemptSize), cls_AttrDouble, 1, cls_CollNone)
      .AddAttribute(F(kIterationList), cls_AttrObject, cls_ObjListTypeId, cls_CollList)
      .AddAttribute(F(kCutbackCodes), cls_AttrObject, cls_PrimArrayTypeId, cls_CollInts)
      .AddAttribute(F(kNeedsReordering), cls_AttrBool, 1, cls_CollNone)
      .AddAttribute(F(kAutoStabilize), cls_AttrBool, 1, cls_CollNone);
}

void dia_Attempt::DBWrite(const cls_WriteVisitor& w) const {
  if (!w.StartWrite(TypeId(), m_uid)) return;
  rom_MementoWrite& m = w.Memento();
  m.WriteInt(F(kAttemptNumber), m_attemptNumber);
  m.WriteDouble(F(kAttemptSize), m_attemptSize);
  m_iterationList.DBWrite(cls_WriteVisitor(w, F(kIterationList), nullptr, nullptr));
  m_cutbackCodes.DBWrite(cls_WriteVisitor(w, F(kCutbackCodes), nullptr, nullptr));
  m.WriteBool(F(kNeedsReordering), m_needsReordering);
  m.WriteBool(F(kAutoStabilize), m_autoStabilize);
}
