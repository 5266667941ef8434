#include "ddb/database/mdl_MapString2Obj.h"

#include <memory>

#include "ddb/database/ddr_CustomData.h"
#include "ddb/database/ddr_Result.h"
#include "ddb/database/ddr_UserData.h"
#include "ddb/platform/nex_Exception.h"
#include "platform/persist/cls_AgentListObj.h"

namespace mdl_detail {
void ThrowNoEntry(const cow_String& name) {
  DDB_THROW(nex_PrimException, "mdl_MapString2Obj: no entry '%s'", name);
}
}  // namespace mdl_detail

template <class T>
mdl_MapString2Obj<T>::mdl_MapString2Obj(const cls_ReadVisitor& reader) : m_uid(reader.GetUid()) {
  std::unique_ptr<cls_AgentMapKey2Obj<cow_String>> agent = reader.NewMapAgent();
  if (m_uid.IsNull()) m_uid = cls_Uid::AllocateUid();
  if (!agent) return;
  for (const cow_String& key : agent->StoredKeys())
    m_items[key] = Handle(static_cast<T*>(agent->Load(key, T::TypeId())));
}

template <class T>
void mdl_MapString2Obj<T>::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  writer.CheckCollectionType(cls_CollMap);
  std::unique_ptr<cls_AgentMapKey2Obj<cow_String>> agent = writer.NewMapAgent();
  for (const cow_String& stored : agent->StoredKeys())
    if (!m_items.count(stored)) agent->NoteRemoved(stored);
  agent->WriteRemovals();
  for (const auto& item : m_items) {
    cls_AgentRequestMapKey2Obj request(agent.get(), item.first);
    cls_WriteVisitor element(request);
    item.second.ConstGet().DBWrite(element);
    element.StoreRow();
  }
}

template class mdl_MapString2Obj<ddr_Result>;
template class mdl_MapString2Obj<ddr_UserData>;
template class mdl_MapString2Obj<ddr_CustomData>;
