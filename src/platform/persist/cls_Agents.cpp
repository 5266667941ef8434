#include <algorithm>

#include "ddb/platform/cls_AgentListObj.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/nex_Exception.h"
#include "platform/persist/Store.h"

cls_AgentBase::cls_AgentBase(std::shared_ptr<rom_detail::Store> store, cls_Uid uid)
    : m_store(std::move(store)), m_uid(uid) {
  m_store->Adopt(this);
}

cls_AgentBase::~cls_AgentBase() {
  m_store->Withdraw(this);
  m_store->Forget(this);
}

void cls_AgentBase::FlushHolders() const {
  std::vector<const cls_PC*> holders(m_holders.begin(), m_holders.end());
  for (const cls_PC* holder : holders)
    if (m_holders.count(holder)) holder->Flush();
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

namespace {

void* ConstructFrom(const std::shared_ptr<rom_detail::Store>& store, std::uint32_t storedType,
                    std::uint32_t expectedType, std::int64_t oid) {
  const cls_ClassRegistrar& registrar = store->Registrar();
  const cls_ClassMetadata* md = registrar.Find(storedType);
  if (!md || !md->Ctor()) md = registrar.Find(expectedType);
  if (!md || !md->Ctor())
    DDB_THROW(nex_PrimException, "'%s': no reader is registered for class %d", store->FileName(),
              static_cast<long>(storedType));
  cls_ReadVisitor reader(store, storedType, oid);
  void* object = md->Ctor()(reader);
  if (!object)
    DDB_THROW(nex_PrimException, "'%s': object %d of class %s could not be created",
              store->FileName(), static_cast<long long>(oid), md->Name());
  return object;
}

}  // namespace

cls_AgentListObj::cls_AgentListObj(std::shared_ptr<rom_detail::Store> store, cls_Uid listUid)
    : cls_AgentBase(std::move(store), listUid), m_stored(m_store->ListCount(listUid.Value())) {}

cls_AgentListObj::~cls_AgentListObj() = default;

// Elements are usually loaded in runs (a reader walking a list), so the run last read is kept.
void* cls_AgentListObj::Load(int i, std::uint32_t typeId) {
  if (m_runFirst < 0 || i < m_runFirst || i >= m_runFirst + static_cast<int>(m_run.size())) {
    std::vector<rom_detail::Store::ListEntry> entries;
    int first = 0;
    if (!m_store->ReadListRun(m_uid.Value(), i, first, entries))
      DDB_THROW(nex_PrimException, "'%s' stores no element %d of list %d", m_store->FileName(), i,
                static_cast<long long>(m_uid.Value()));
    m_run.clear();
    for (const auto& e : entries) m_run.emplace_back(e.typeId, e.oid);
    m_runFirst = first;
  }
  const auto& entry = m_run[i - m_runFirst];
  return ConstructFrom(m_store, entry.first, typeId, entry.second);
}

std::vector<int> cls_AgentListObj::IndicesToWrite(int n) const {
  std::vector<int> indices;
  for (int i : m_changed) {
    if (i >= std::min(n, m_stored)) break;
    indices.push_back(i);
  }
  for (int i = m_stored; i < n; ++i) indices.push_back(i);
  return indices;
}

void cls_AgentListObj::Written(int i, std::uint32_t typeId, cls_Uid uid) {
  m_pending.push_back({i, typeId, uid.Value()});
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
  m_pending.clear();
  cls_AgentBase::FlushFailed();
}

// New elements are appended as runs of at most kRun entries; a changed stored element is
// patched into the run that holds it.
void cls_AgentListObj::StorePending() {
  constexpr int kRun = 1024;
  std::sort(m_pending.begin(), m_pending.end(),
            [](const Entry& a, const Entry& b) { return a.index < b.index; });
  std::vector<rom_detail::Store::ListEntry> run;
  int runFirst = -1;
  auto flushRun = [&] {
    if (!run.empty()) m_store->WriteListRun(m_uid.Value(), runFirst, run);
    run.clear();
  };
  for (const Entry& e : m_pending) {
    m_written.push_back(e.index);
    if (e.index < m_stored) {
      std::vector<rom_detail::Store::ListEntry> stored;
      int first = 0;
      if (m_store->ReadListRun(m_uid.Value(), e.index, first, stored)) {
        stored[e.index - first] = {e.typeId, e.oid};
        m_store->WriteListRun(m_uid.Value(), first, stored);
      }
      continue;
    }
    bool extends = !run.empty() && e.index == runFirst + static_cast<int>(run.size());
    if (!extends || static_cast<int>(run.size()) >= kRun) {
      flushRun();
      runFirst = e.index;
    }
    run.push_back({e.typeId, e.oid});
  }
  flushRun();
  m_pending.clear();
  m_runFirst = -1;
}

void cls_AgentListObj::TransactionEnded(bool committed) {
  if (committed) {
    for (int i : m_written) {
      m_stored = std::max(m_stored, i + 1);
      m_changed.erase(i);
    }
    m_retry = false;
  } else {
    m_retry = true;
  }
  m_written.clear();
  m_pending.clear();
  m_runFirst = -1;
}

cls_AgentMapKey2Obj<cow_String>::cls_AgentMapKey2Obj(std::shared_ptr<rom_detail::Store> store,
                                                     cls_Uid mapUid)
    : cls_AgentBase(std::move(store), mapUid) {
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
  std::uint32_t stored = 0;
  std::int64_t oid = 0;
  if (!m_store->MapEntry(m_uid.Value(), key.str(), stored, oid))
    DDB_THROW(nex_PrimException, "'%s' stores no entry '%s' of map %d", m_store->FileName(), key,
              static_cast<long long>(m_uid.Value()));
  return ConstructFrom(m_store, stored, typeId, oid);
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
