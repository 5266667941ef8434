#include "ddb/database/ddr_UserData.h"

ddr_UserData::ddr_UserData(const cls_ReadVisitor& baseReader) : m_uid(baseReader.GetUid()) {
  if (m_uid.IsNull()) m_uid = cls_Uid::AllocateUid();
}

void* ddr_UserData::Ctor(cls_ReadVisitor&) {
  return nullptr;
}

void ddr_UserData::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD("ddr_UserData", TypeId(), 203, &Ctor, cls_NoBaseTypeId);
}

void ddr_UserData::DBWrite(const cls_WriteVisitor& writer) const {
  writer.StartWrite(TypeId(), m_uid);
}
