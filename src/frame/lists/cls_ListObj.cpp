#include "ddb/frame/cls_ListObj.h"

#include <cstdio>

#include "ddb/platform/nex_Exception.h"
#include "frame/lists/AgentShare.h"
#include "platform/persist/cls_AgentListObj.h"

// Copies of a list made before it was written share its identity; once one of them is written,
// the others may find elements stored under it.
struct cls_ListCopies {
  bool written = false;
};

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
      m_copies(other.UnattachedCopies()) {
  m_agent.Share(other.m_agent, this);
}

cls_ListCore::~cls_ListCore() = default;

void cls_ListCore::Assign(const cls_ListCore& other) {
  Unlink();
  DropAgent();
  Link();
  m_modified = other.m_modified;
  m_uid = other.m_uid;
  m_loaded = other.m_loaded;
  m_copies = other.UnattachedCopies();
  m_agent.Share(other.m_agent, this);
}

void cls_ListCore::DropAgentOnDestruction() noexcept {
  cls_DropShareOnDestruction(m_agent, *this, "cls_ListObj", "list");
}

void cls_ListCore::DropAgent() {
  cls_DropShare(m_agent, *this);
}

cls_AgentListObj& cls_ListCore::Agent() const {
  return static_cast<cls_AgentListObj&>(*m_agent.Get());
}

std::shared_ptr<cls_ListCopies> cls_ListCore::UnattachedCopies() const {
  if (!m_agent && !m_copies) m_copies = std::make_shared<cls_ListCopies>();
  return m_copies;
}

int cls_ListCore::StoredCount() const {
  return m_agent ? Agent().StoredCount() : 0;
}

void* cls_ListCore::LoadElement(int i, std::uint32_t typeId, const char* noAgentText) const {
  if (!m_agent) {
    std::fputs(noAgentText, stderr);
    DDB_THROW(nex_PrimException, "cls_ListObj: element %d could not be loaded", i);
  }
  void* element = Agent().Load(i, typeId);
  m_loaded.push_back(i);
  return element;
}

void cls_ListCore::NoteChanged(int i) {
  if (m_agent) Agent().NoteChanged(i);
  m_modified = 1;
}

void cls_ListCore::NoteAppended(int i) {
  m_loaded.push_back(i);
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
  if (!m_agent) return;
  cls_AgentListObj& agent = Agent();
  std::vector<int> keep;
  for (int i : m_loaded) {
    if (i >= SlotCount() || SlotEmpty(i)) continue;
    if (agent.MustWrite(i)) {
      keep.push_back(i);
      continue;
    }
    EmptySlot(i);
    agent.Released();
  }
  m_loaded.swap(keep);
  agent.Released();
}

void cls_ListCore::DBWrite(const cls_WriteVisitor& writer) const {
  const int started = writer.StartWrite(cls_ObjListTypeId, m_uid);
  // An attached list is written by its flushes; the row refers to it as it is stored.
  if (m_agent) {
    Agent().Relink(writer);
    return;
  }
  if (!started) return;
  writer.CheckCollectionType(cls_CollList);
  // A list no copy of which was ever written stores nothing yet: its stored count is known.
  m_agent.Take(writer.NewListAgent(!m_copies || !m_copies->written), this);
  if (m_copies) m_copies->written = true;
  cls_AgentListObj& agent = Agent();
  int stored = agent.StoredCount();
  if (SlotCount() == 0) {
    ResizeSlots(stored);
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
  if (m_agent.IsLast()) {
    Flush();
    m_agent.Reset();
    m_uid.NewUid();
    m_copies = nullptr;
  } else if (m_agent) {
    m_agent.Reset();
    if (!m_copies) m_copies = std::make_shared<cls_ListCopies>();
    m_copies->written = true;
  }
  Unlink();
}
