#include "ddb/database/ddr_Result.h"

#include "ddb/platform/cow_COW.h"

ddr_Result::ddr_Result(const cls_ReadVisitor& baseReader) : m_uid(baseReader.GetUid()) {
  if (m_uid.IsNull()) m_uid = cls_Uid::AllocateUid();
}

void* ddr_Result::Ctor(cls_ReadVisitor&) {
  return nullptr;
}

void ddr_Result::CowDtor(void* handle) {
  using Handle = cow_COW<ddr_Result, cow_Virtual<ddr_Result>>;
  Handle::Destroy(static_cast<Handle*>(handle));
}

void ddr_Result::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD("ddr_Result", TypeId(), 203, &Ctor, cls_NoBaseTypeId).AddDtor(&CowDtor);
}

void ddr_Result::DBWrite(const cls_WriteVisitor& writer) const {
  writer.StartWrite(TypeId(), m_uid);
}
