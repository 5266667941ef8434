#include "ddb/frame/cls_Map2Obj.h"

#include "ddb/platform/nex_Exception.h"
#include "frame/lists/AgentShare.h"
#include "platform/persist/cls_AgentListObj.h"

cls_MapCore::cls_MapCore() : m_uid(cls_Uid::AllocateUid()) {}

cls_MapCore::cls_MapCore(const cls_ReadVisitor& reader) : m_uid(reader.GetUid()) {
  m_agent.Take(reader.NewMapAgent(), this);
  if (!m_agent && m_uid.IsNull()) m_uid = cls_Uid::AllocateUid();
}

cls_MapCore::cls_MapCore(const cls_MapCore& other)
    : cls_PC(other), m_modified(other.m_modified), m_uid(other.m_uid) {
  m_agent.Share(other.m_agent, this);
}

cls_MapCore::~cls_MapCore() = default;

void cls_MapCore::Assign(const cls_MapCore& other) {
  Unlink();
  DropAgent();
  Link();
  m_modified = other.m_modified;
  m_uid = other.m_uid;
  m_agent.Share(other.m_agent, this);
}

void cls_MapCore::DropAgentOnDestruction() noexcept {
  cls_DropShareOnDestruction(m_agent, *this, "cls_Map2Obj", "map");
}

void cls_MapCore::DropAgent() {
  cls_DropShare(m_agent, *this);
}

cls_AgentMapKey2Obj<cow_String>& cls_MapCore::Agent() const {
  return static_cast<cls_AgentMapKey2Obj<cow_String>&>(*m_agent.Get());
}

const std::vector<cow_String>& cls_MapCore::StoredKeys() const {
  static const std::vector<cow_String> kNone;
  return m_agent ? Agent().StoredKeys() : kNone;
}

void* cls_MapCore::LoadValue(const cow_String& key, std::uint32_t typeId) const {
  if (!m_agent) ThrowMissing(key);
  return Agent().Load(key, typeId);
}

bool cls_MapCore::MayRelease(const cow_String& key) const {
  return m_agent && !Agent().MustWrite(key);
}

void cls_MapCore::NoteReleased() const {
  Agent().Released();
}

void cls_MapCore::NoteChanged(const cow_String& key) {
  if (m_agent) Agent().NoteChanged(key);
  m_modified = 1;
}

void cls_MapCore::NoteRemoved(const cow_String& key) {
  if (m_agent) Agent().NoteRemoved(key);
  m_modified = 1;
}

void cls_MapCore::ThrowMissing(const cow_String& key) {
  DDB_THROW(nex_PrimException, "cls_Map2Obj: no entry '%s'", key);
}

void cls_MapCore::WriteIfChanged(const cow_String& key) const {
  cls_AgentMapKey2Obj<cow_String>& agent = Agent();
  if (!agent.MustWrite(key)) return;
  cls_AgentRequestMapKey2Obj request(&agent, key);
  cls_WriteVisitor writer(request);
  WriteValue(key, writer);
  writer.StoreRow();
}

void cls_MapCore::Flush() const {
  if (!m_agent) return;
  cls_AgentMapKey2Obj<cow_String>& agent = Agent();
  if ((!m_modified && !agent.RetryPending()) || agent.FlushRefused()) return;
  m_modified = 0;
  agent.BeginFlush();
  try {
    agent.WriteRemovals();
    WriteChanged();
    agent.FlushFinished();
  } catch (...) {
    m_modified = 1;
    agent.FlushFailed();
    throw;
  }
}

void cls_MapCore::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(cls_ObjListTypeId, m_uid)) return;
  writer.CheckCollectionType(cls_CollMap);
  if (m_agent) return;
  m_agent.Take(writer.NewMapAgent(), this);
  for (const cow_String& key : Agent().StoredKeys()) {
    if (!AddStoredKey(key))
      std::fputs("cls_Map2Obj::DBWrite - Duplicate key when loading collection from DDB", stderr);
  }
  Flush();
}

void cls_MapCore::Detach() {
  if (m_agent.IsLast()) {
    Flush();
    m_agent.Reset();
    m_uid.NewUid();
  } else {
    m_agent.Reset();
  }
  Unlink();
}
