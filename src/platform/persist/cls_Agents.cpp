#include <algorithm>
#include <utility>

#include "ddb/platform/cls_AgentRef.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/nex_Exception.h"
#include "platform/persist/Store.h"
#include "platform/persist/cls_AgentListObj.h"

cls_AgentBase::cls_AgentBase(std::shared_ptr<rom_detail::Store> store, cls_Uid uid,
                             std::shared_ptr<const cls_ReadPath> path)
    : m_store(std::move(store)), m_uid(uid), m_path(std::move(path)) {
  m_store->Adopt(this);
}

cls_AgentBase::~cls_AgentBase() {
  m_store->Withdraw(this);
  m_store->Forget(this);
}

void cls_AgentBase::Attach(const cls_PC* holder) {
  if (holder == m_holder ||
      std::find(m_otherHolders.begin(), m_otherHolders.end(), holder) != m_otherHolders.end())
    return;
  if (!m_holder)
    m_holder = holder;
  else
    m_otherHolders.push_back(holder);
}

void cls_AgentBase::Detach(const cls_PC* holder) {
  if (holder == m_holder) {
    m_holder = nullptr;
    if (m_otherHolders.empty()) return;
    m_holder = m_otherHolders.front();
    m_otherHolders.erase(m_otherHolders.begin());
    return;
  }
  auto it = std::find(m_otherHolders.begin(), m_otherHolders.end(), holder);
  if (it != m_otherHolders.end()) m_otherHolders.erase(it);
}

void cls_AgentRef::Take(std::unique_ptr<cls_AgentBase> agent, const cls_PC* holder) {
  Reset();
  if (!agent) return;
  agent->Attach(holder);
  m_agent = agent.release();
  m_holder = holder;
}

void cls_AgentRef::Share(const cls_AgentRef& other, const cls_PC* holder) {
  if (other.m_agent == m_agent && holder == m_holder) return;
  Reset();
  if (!other.m_agent) return;
  other.m_agent->Attach(holder);
  m_agent = other.m_agent;
  m_holder = holder;
}

void cls_AgentRef::Reset() {
  if (!m_agent) return;
  cls_AgentBase* agent = std::exchange(m_agent, nullptr);
  agent->Detach(std::exchange(m_holder, nullptr));
  if (agent->Holders() == 0) delete agent;
}

bool cls_AgentRef::IsLast() const {
  return m_agent && m_agent->Holders() == 1;
}

void cls_AgentBase::FlushHolders() const {
  if (m_otherHolders.empty()) {
    if (m_holder) m_holder->Flush();
    return;
  }
  // A flush may detach holders: each is flushed only while it still shares the agent.
  std::vector<const cls_PC*> holders(1, m_holder);
  holders.insert(holders.end(), m_otherHolders.begin(), m_otherHolders.end());
  auto attached = [this](const cls_PC* holder) {
    return holder == m_holder ||
           std::find(m_otherHolders.begin(), m_otherHolders.end(), holder) != m_otherHolders.end();
  };
  for (const cls_PC* holder : holders)
    if (attached(holder)) holder->Flush();
}

bool cls_AgentBase::FlushRefused() const {
  return m_store->ReadOnly();
}

void cls_AgentBase::JoinTransaction() {
  m_store->Enlist(this);
}

void cls_AgentBase::BeginFlush() {
  m_store->BeginScope();
  m_inFlush = true;
  JoinTransaction();
}

// A flush ends its scope once: a commit that fails has already ended it when the list then
// reports the failure.
void cls_AgentBase::FlushFinished() {
  m_inFlush = false;
  m_store->EndScope(true);
}

void cls_AgentBase::FlushFailed() {
  if (!m_inFlush) return;
  m_inFlush = false;
  m_store->EndScope(false);
}

// An element's stored class must be the element type or derive from it: the object is handed
// out as the element type (an element type that is not a registered class, an abstract base,
// cannot be judged). A class the file stores but the process does not register (one
// deleted from the schema) is read as the element type.
void* cls_AgentBase::Construct(std::uint32_t storedType, std::uint32_t expected, std::int64_t oid,
                               const std::string& what) const {
  const cls_ClassRegistrar& registrar = m_store->Registrar();
  const cls_ClassMetadata* md = registrar.Find(storedType);
  bool judged = m_store->Knows(expected);
  if (md ? judged && !m_store->DerivesFrom(storedType, expected) : !m_store->Knows(storedType))
    m_store->Damaged(what + " is a " + m_store->ClassName(storedType) + " where a " +
                     m_store->ClassName(expected) + " belongs");
  if (!md || !md->Ctor()) md = registrar.Find(expected);
  if (!md || !md->Ctor())
    DDB_THROW(nex_PrimException, "'%s': no reader is registered for class %s", m_store->FileName(),
              m_store->ClassName(storedType));
  cls_ReadVisitor reader(m_store, storedType, oid, m_path);
  void* object = nullptr;
  try {
    object = md->Ctor()(reader);
  } catch (const nex_Exception& e) {
    // A record refusing what it read (an enumeration text outside its table, say) is damage too.
    const std::string quoted = "'" + m_store->FileName() + "'";
    if (std::string(e.what()).rfind(quoted, 0) == 0) throw;
    m_store->Damaged(m_store->ObjectName(storedType, oid) + ": " + e.what());
  }
  if (!object)
    DDB_THROW(nex_PrimException, "'%s': object %d of class %s could not be created",
              m_store->FileName(), static_cast<long long>(oid), md->Name());
  return object;
}

cls_AgentListObj::cls_AgentListObj(std::shared_ptr<rom_detail::Store> store, cls_Uid listUid,
                                   std::shared_ptr<const cls_ReadPath> path, bool empty)
    : cls_AgentBase(std::move(store), listUid, std::move(path)),
      m_stored(empty ? 0 : m_store->ListCount(listUid.Value())) {}

cls_AgentListObj::cls_AgentListObj(std::shared_ptr<rom_detail::Store> store, cls_Uid listUid,
                                   std::shared_ptr<const cls_ReadPath> path, cls_InlineHost host,
                                   std::vector<cls_ListEntry> entries)
    : cls_AgentBase(std::move(store), listUid, std::move(path)),
      m_stored(static_cast<int>(entries.size())),
      m_host(std::move(host)),
      m_entries(std::move(entries)) {}

cls_AgentListObj::~cls_AgentListObj() {
  DropPending();
}

// Elements are usually loaded in runs (a reader walking a list), so the run last read is kept.
void* cls_AgentListObj::Load(int i, std::uint32_t typeId) {
  const std::string what =
      "element " + std::to_string(i) + " of list " + std::to_string(m_uid.Value());
  if (IsInline()) {
    if (i < 0 || i >= static_cast<int>(m_entries.size())) m_store->Damaged(what + " is missing");
    return Construct(m_entries[i].typeId, typeId, m_entries[i].oid, what);
  }
  rom_detail::ReadScope snapshot(*m_store);
  if (m_runFirst < 0 || i < m_runFirst || i >= m_runFirst + static_cast<int>(m_run.size())) {
    std::vector<rom_detail::Store::ListEntry> entries;
    int first = 0;
    if (!m_store->ReadListRun(m_uid.Value(), i, first, entries))
      m_store->Damaged(what + " is missing");
    m_run.clear();
    for (const auto& e : entries) m_run.emplace_back(e.typeId, e.oid);
    m_runFirst = first;
  }
  const auto& entry = m_run[i - m_runFirst];
  return Construct(entry.first, typeId, entry.second, what);
}

void cls_AgentListObj::BeginMemberWrite(const cls_WriteVisitor& writer) {
  cls_InlineHost host;
  if (!writer.HostsInline(host)) return;
  if (IsInline() ? !(host == m_host) : m_stored != 0) return;
  m_building = &writer;
  m_buildingHost = std::move(host);
  if (!IsInline()) return;
  const std::string entries = rom_detail::Store::EncodeEntries(m_entries);
  writer.StoreInline(&entries);
}

// A row other than its host referring to an inline list would not see it change: the list
// moves to runs, which every row refers to alike.
void cls_AgentListObj::Relink(const cls_WriteVisitor& writer) {
  if (!IsInline()) return;
  cls_InlineHost host;
  if (writer.HostsInline(host) && host == m_host) {
    const std::string entries = rom_detail::Store::EncodeEntries(m_entries);
    writer.StoreInline(&entries);
    return;
  }
  KeepForRollback();
  MoveToRuns(m_entries);
}

void cls_AgentListObj::KeepForRollback() {
  JoinTransaction();
  if (m_kept) return;
  m_kept = true;
  m_keptHost = m_host;
  m_keptEntries = m_entries;
}

void cls_AgentListObj::SetHostColumn(const std::string* entries) {
  if (m_building && m_buildingHost == m_host) {
    m_building->StoreInline(entries);
    return;
  }
  rom_detail::Value value;
  if (entries) {
    value.kind = rom_detail::Value::Text;
    value.blob = true;
    value.s = *entries;
  } else {
    value.kind = rom_detail::Value::Int;
    value.i = cls_ObjListTypeId;
  }
  m_store->UpdateHost(m_host, value);
}

void cls_AgentListObj::MoveToRuns(const std::vector<cls_ListEntry>& entries) {
  constexpr std::size_t kRun = rom_detail::Store::kListRun;
  for (std::size_t first = 0; first < entries.size(); first += kRun) {
    std::vector<cls_ListEntry> run(entries.begin() + first,
                                   entries.begin() + std::min(entries.size(), first + kRun));
    m_store->WriteListRun(m_uid.Value(), static_cast<int>(first), run);
  }
  if (!entries.empty()) m_store->WriteListLength(m_uid.Value(), entries.size());
  SetHostColumn(nullptr);
  m_host = cls_InlineHost();
  m_entries.clear();
}

bool cls_AgentListObj::StoreInline(const cls_PendingWrite* first, const cls_PendingWrite* last) {
  if (!m_building && !IsInline()) return false;
  std::size_t size = m_entries.size();
  for (const cls_PendingWrite* e = first; e != last; ++e)
    size = std::max(size, static_cast<std::size_t>(e->index) + 1);
  const bool fits = size <= static_cast<std::size_t>(rom_detail::Store::kInlineListMax);
  if (!IsInline() && !fits) return false;
  std::vector<cls_ListEntry>& entries = m_store->EntryBuffer();
  entries.assign(m_entries.begin(), m_entries.end());
  entries.resize(size, {0, 0});
  for (const cls_PendingWrite* e = first; e != last; ++e) {
    entries[e->index] = {e->typeId, e->oid};
    NoteWritten(e->index);
  }
  if (IsInline() && entries == m_entries) return true;  // elements rewritten in place
  KeepForRollback();
  if (!fits) {
    MoveToRuns(entries);
    return true;
  }
  if (!IsInline()) m_host = m_buildingHost;
  std::string& bytes = m_store->ByteBuffer();
  rom_detail::Store::EncodeEntries(entries, bytes);
  SetHostColumn(&bytes);
  if (m_building) m_store->NoteInline(m_uid.Value(), bytes);
  m_entries.assign(entries.begin(), entries.end());
  return true;
}

std::vector<int> cls_AgentListObj::ChangedStored(int n) const {
  std::vector<int> indices;
  for (int i : m_changed) {
    if (i >= std::min(n, m_stored)) break;
    indices.push_back(i);
  }
  return indices;
}

void cls_AgentListObj::Written(int i, std::uint32_t typeId, cls_Uid uid) {
  std::vector<cls_PendingWrite>& pending = m_store->PendingWrites();
  if (!m_pendingOpen) {
    m_pendingFrom = pending.size();
    m_pendingOpen = true;
  }
  pending.push_back({i, typeId, uid.Value()});
}

void cls_AgentListObj::DropPending() {
  if (!m_pendingOpen) return;
  std::vector<cls_PendingWrite>& pending = m_store->PendingWrites();
  if (pending.size() > m_pendingFrom) pending.resize(m_pendingFrom);
  m_pendingOpen = false;
}

void cls_AgentListObj::FlushFinished() {
  try {
    StorePending();
  } catch (...) {
    FlushFailed();
    throw;
  }
  cls_AgentBase::FlushFinished();
}

void cls_AgentListObj::FlushFailed() {
  DropPending();
  cls_AgentBase::FlushFailed();
}

// New elements are appended as runs of at most kListRun entries; a changed stored element is
// patched into the run that holds it.
void cls_AgentListObj::StorePending() {
  constexpr int kRun = rom_detail::Store::kListRun;
  std::vector<cls_PendingWrite>& pending = m_store->PendingWrites();
  cls_PendingWrite* first = pending.data() + (m_pendingOpen ? m_pendingFrom : pending.size());
  cls_PendingWrite* last = pending.data() + pending.size();
  std::sort(first, last,
            [](const cls_PendingWrite& a, const cls_PendingWrite& b) { return a.index < b.index; });
  m_runFirst = -1;
  if (StoreInline(first, last)) {
    DropPending();
    return;
  }
  std::vector<rom_detail::Store::ListEntry>& run = m_store->EntryBuffer();
  run.clear();
  int runFirst = -1;
  auto flushRun = [&] {
    if (!run.empty()) m_store->WriteListRun(m_uid.Value(), runFirst, run);
    run.clear();
  };
  int length = m_stored;
  for (const cls_PendingWrite* e = first; e != last; ++e) {
    NoteWritten(e->index);
    length = std::max(length, e->index + 1);
    if (e->index < m_stored) {
      std::vector<rom_detail::Store::ListEntry> stored;
      int at = 0;
      if (m_store->ReadListRun(m_uid.Value(), e->index, at, stored)) {
        stored[e->index - at] = {e->typeId, e->oid};
        m_store->WriteListRun(m_uid.Value(), at, stored);
      }
      continue;
    }
    bool extends = !run.empty() && e->index == runFirst + static_cast<int>(run.size());
    if (!extends || static_cast<int>(run.size()) >= kRun) {
      flushRun();
      runFirst = e->index;
    }
    run.push_back({e->typeId, e->oid});
  }
  flushRun();
  if (first != last) m_store->WriteListLength(m_uid.Value(), length);
  DropPending();
}

void cls_AgentListObj::TransactionEnded(bool committed) {
  if (m_kept && !committed) {
    m_host = std::move(m_keptHost);
    m_entries = std::move(m_keptEntries);
  }
  m_kept = false;
  if (committed) {
    m_stored = std::max(m_stored, m_writtenEnd);
    for (int i : m_written) m_changed.erase(i);
    m_retry = false;
  } else {
    m_retry = true;
  }
  m_writtenEnd = 0;
  m_written.clear();
  DropPending();
  m_runFirst = -1;
}

cls_AgentMapKey2Obj<cow_String>::cls_AgentMapKey2Obj(std::shared_ptr<rom_detail::Store> store,
                                                     cls_Uid mapUid,
                                                     std::shared_ptr<const cls_ReadPath> path)
    : cls_AgentBase(std::move(store), mapUid, std::move(path)) {
  for (std::string& key : m_store->MapKeys(mapUid.Value())) {
    m_stored.insert(key);
    m_keys.emplace_back(std::move(key));
  }
}

cls_AgentMapKey2Obj<cow_String>::~cls_AgentMapKey2Obj() = default;

bool cls_AgentMapKey2Obj<cow_String>::IsStored(const cow_String& key) const {
  return m_stored.count(key.str()) != 0;
}

void* cls_AgentMapKey2Obj<cow_String>::Load(const cow_String& key, std::uint32_t typeId) {
  rom_detail::ReadScope snapshot(*m_store);
  std::uint32_t stored = 0;
  std::int64_t oid = 0;
  if (!m_store->MapEntry(m_uid.Value(), key.str(), stored, oid))
    m_store->Damaged("entry '" + key.str() + "' of map " + std::to_string(m_uid.Value()) +
                     " is missing");
  return Construct(stored, typeId, oid,
                   "entry '" + key.str() + "' of map " + std::to_string(m_uid.Value()));
}

void cls_AgentMapKey2Obj<cow_String>::NoteRemoved(const cow_String& key) {
  m_changed.erase(key.str());
  if (m_stored.count(key.str())) m_removed.insert(key.str());
}

bool cls_AgentMapKey2Obj<cow_String>::MustWrite(const cow_String& key) const {
  return !m_stored.count(key.str()) || m_changed.count(key.str());
}

void cls_AgentMapKey2Obj<cow_String>::WriteRemovals() {
  for (const std::string& key : m_removed) m_store->DeleteMapEntry(m_uid.Value(), key);
}

void cls_AgentMapKey2Obj<cow_String>::TransactionEnded(bool committed) {
  if (committed) {
    for (const std::string& key : m_removed) m_stored.erase(key);
    m_removed.clear();
    for (const std::string& key : m_pending) {
      m_stored.insert(key);
      m_changed.erase(key);
    }
    m_retry = false;
  } else {
    m_retry = true;
  }
  m_pending.clear();
}
