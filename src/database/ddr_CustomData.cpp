#include "ddb/database/ddr_CustomData.h"

ddr_CustomData::ddr_CustomData(const cls_ReadVisitor& baseReader) : m_uid(baseReader.GetUid()) {
  if (m_uid.IsNull()) m_uid = cls_Uid::AllocateUid();
}

void* ddr_CustomData::Ctor(cls_ReadVisitor&) {
  return nullptr;
}

void ddr_CustomData::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD("ddr_CustomData", TypeId(), 1307, &Ctor, cls_NoBaseTypeId);
}

void ddr_CustomData::DBWrite(const cls_WriteVisitor& writer) const {
  writer.StartWrite(TypeId(), m_uid);
}
