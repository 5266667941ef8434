#include "ddb/frame/cls_ListObj.h"

#include <cstdio>

#include "ddb/platform/nex_Exception.h"
#include "frame/lists/AgentShare.h"
#include "platform/persist/cls_AgentListObj.h"

cls_ListCore::cls_ListCore() : m_uid(cls_Uid::AllocateUid()) {}

cls_ListCore::cls_ListCore(const cls_ReadVisitor& reader) : m_uid(reader.GetUid()) {
  m_agent.Take(reader.NewListAgent(), this);
  if (!m_agent && m_uid.IsNull()) m_uid = cls_Uid::AllocateUid();
}

cls_ListCore::cls_ListCore(const cls_ListCore& other)
    : cls_PC(other),
      m_modified(other.m_modified),
      m_uid(other.m_uid),
      m_loaded(other.m_loaded),
      m_appendedFrom(other.m_appendedFrom) {
  JoinCopies(other);
}

cls_ListCore::~cls_ListCore() {
  LeaveCopies();
}

void cls_ListCore::Assign(const cls_ListCore& other) {
  Unlink();
  DropAgent();
  Link();
  m_modified = other.m_modified;
  m_uid = other.m_uid;
  m_loaded = other.m_loaded;
  m_appendedFrom = other.m_appendedFrom;
  LeaveCopies();
  JoinCopies(other);
}

void cls_ListCore::JoinCopies(const cls_ListCore& other) {
  if (other.IsAttached()) {
    other.Agent();
    m_agent.Share(other.m_agent, this);
  }
  m_copyWritten = other.m_copyWritten;
  m_prevCopy = &other;
  m_nextCopy = other.m_nextCopy;
  other.m_nextCopy->m_prevCopy = this;
  other.m_nextCopy = this;
}

void cls_ListCore::LeaveCopies() {
  m_prevCopy->m_nextCopy = m_nextCopy;
  m_nextCopy->m_prevCopy = m_prevCopy;
  m_prevCopy = m_nextCopy = this;
  m_copyWritten = false;
}

void cls_ListCore::MarkCopiesWritten() const {
  const cls_ListCore* copy = this;
  do {
    copy->m_copyWritten = true;
    copy = copy->m_nextCopy;
  } while (copy != this);
}

void cls_ListCore::DropAgentOnDestruction() noexcept {
  cls_DropShareOnDestruction(m_agent, *this, "cls_ListObj", "list");
  m_emptyIn = nullptr;
}

void cls_ListCore::DropAgent() {
  m_emptyIn = nullptr;
  cls_DropShare(m_agent, *this);
}

cls_AgentListObj& cls_ListCore::Agent() const {
  if (m_emptyIn)
    m_agent.Take(std::make_unique<cls_AgentListObj>(std::move(m_emptyIn), m_uid, nullptr, true),
                 this);
  return static_cast<cls_AgentListObj&>(*m_agent.Get());
}

int cls_ListCore::StoredCount() const {
  return m_agent ? Agent().StoredCount() : 0;
}

void* cls_ListCore::LoadElement(int i, std::uint32_t typeId, const char* noAgentText) const {
  if (!IsAttached()) {
    std::fputs(noAgentText, stderr);
    DDB_THROW(nex_PrimException, "cls_ListObj: element %d could not be loaded", i);
  }
  void* element = Agent().Load(i, typeId);
  m_loaded.push_back(i);
  return element;
}

void cls_ListCore::NoteChanged(int i) {
  if (IsAttached()) Agent().NoteChanged(i);
  m_modified = 1;
}

void cls_ListCore::NoteAppended() {
  if (m_emptyIn) Agent();
  m_modified = 1;
}

void cls_ListCore::ThrowIndex(int index, int length) {
  DDB_THROW(nex_PrimException, "cls_ListObj: index %d out of range (%d elements)", index, length);
}

void cls_ListCore::CheckIndex(int i) const {
  if (i < 0 || i >= SlotCount()) ThrowIndex(i, SlotCount());
}

void cls_ListCore::Flush() const {
  if (!m_agent) return;
  cls_AgentListObj& agent = Agent();
  if ((!m_modified && !agent.RetryPending()) || agent.FlushRefused()) return;
  m_modified = 0;
  agent.BeginFlush();
  auto write = [&](int i) {
    cls_AgentRequestListObj request(&agent, i);
    cls_WriteVisitor writer(request);
    WriteSlot(i, writer);
    writer.StoreRow();
  };
  try {
    // The changed stored elements, then the new ones: in index order.
    const int n = SlotCount();
    for (int i : agent.ChangedStored(n)) write(i);
    for (int i = agent.StoredCount(); i < n; ++i) write(i);
    agent.FlushFinished();
  } catch (...) {
    m_modified = 1;
    agent.FlushFailed();
    throw;
  }
}

void cls_ListCore::Release(int i) const {
  CheckIndex(i);
  if (!m_agent || Agent().MustWrite(i) || SlotEmpty(i)) return;
  EmptySlot(i);
  Agent().Released();
}

void cls_ListCore::Release() const {
  if (!IsAttached()) return;
  cls_AgentListObj& agent = Agent();
  std::vector<int> keep;
  auto release = [&](int i) {
    if (i >= SlotCount() || SlotEmpty(i)) return;
    if (agent.MustWrite(i)) {
      keep.push_back(i);
      return;
    }
    EmptySlot(i);
    agent.Released();
  };
  for (int i : m_loaded) release(i);
  for (int i = m_appendedFrom, n = SlotCount(); i < n; ++i) release(i);
  m_loaded.swap(keep);
  m_appendedFrom = SlotCount();
  agent.Released();
}

void cls_ListCore::DBWrite(const cls_WriteVisitor& writer) const {
  const int started = writer.StartWrite(cls_ObjListTypeId, m_uid);
  // An attached list is written by its flushes; the row refers to it as it is stored.
  if (m_agent) {
    Agent().Relink(writer);
    return;
  }
  if (m_emptyIn || !started) return;
  writer.CheckCollectionType(cls_CollList);
  const bool unwritten = !m_copyWritten;
  MarkCopiesWritten();
  if (SlotCount() == 0 && !m_modified && writer.ListIsNew(unwritten)) {
    m_emptyIn = writer.StoreRef();
    return;
  }
  m_agent.Take(writer.NewListAgent(unwritten), this);
  cls_AgentListObj& agent = Agent();
  int stored = agent.StoredCount();
  if (SlotCount() == 0) {
    ResizeSlots(stored);
    m_appendedFrom = stored;
  } else if (stored != 0) {
    std::fputs("cls_ListObj::DBWrite: Index conflicts(s) in list.", stderr);
  }
  agent.BeginMemberWrite(writer);
  try {
    Flush();
  } catch (...) {
    agent.EndMemberWrite();
    throw;
  }
  agent.EndMemberWrite();
}

void cls_ListCore::Detach() {
  if (m_emptyIn || m_agent.IsLast()) {
    Flush();
    m_agent.Reset();
    m_emptyIn = nullptr;
    m_uid.NewUid();
    LeaveCopies();
  } else if (m_agent) {
    m_agent.Reset();
    MarkCopiesWritten();
  }
  Unlink();
}
