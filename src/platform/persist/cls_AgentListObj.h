// Collection agents: what ties an in-memory persistent list or map to its stored elements.
//
// An agent knows how many elements (or which keys) the file stores for one collection, loads
// an element on demand, remembers which elements were handed out for change, says which ones a
// flush must write, and applies a flush's bookkeeping only once its transaction has committed:
// a flush whose commit fails leaves every element marked, so a retry writes them again. The
// containers that share an agent hold it through cls_AgentRef, and the last of them deletes it.
// One thread at a time.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ddb/platform/cls_PC.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cow_String.h"

namespace rom_detail {
class Store;
}
struct cls_ReadPath;

class cls_AgentBase {
 public:
  // `path`: the collection itself and what a reader found it in; the readers of its elements are
  // nested there, so an element that refers back to it is refused.
  cls_AgentBase(std::shared_ptr<rom_detail::Store> store, cls_Uid uid,
                std::shared_ptr<const cls_ReadPath> path);
  virtual ~cls_AgentBase();
  cls_AgentBase(const cls_AgentBase&) = delete;
  cls_AgentBase& operator=(const cls_AgentBase&) = delete;

  cls_Uid Uid() const { return m_uid; }
  // A read-only file never takes writes.
  bool FlushRefused() const;
  // A flush's writes failed or its commit did: the next flush must run even if nothing changed.
  bool RetryPending() const { return m_retry; }
  void BeginFlush();
  virtual void FlushFinished();
  virtual void FlushFailed();
  rom_detail::Store& GetStore() const { return *m_store; }
  const std::shared_ptr<rom_detail::Store>& StoreRef() const { return m_store; }

  // Called by the store when the transaction holding this agent's writes ends.
  virtual void TransactionEnded(bool committed) = 0;

  // Flushes each container sharing this agent.
  void FlushHolders() const;

 protected:
  void JoinTransaction();

  // Creates the stored element (storedType, oid) as an object of class `expected`; the element is
  // described as `what` in messages.
  void* Construct(std::uint32_t storedType, std::uint32_t expected, std::int64_t oid,
                  const std::string& what) const;

  std::shared_ptr<rom_detail::Store> m_store;
  cls_Uid m_uid;
  std::shared_ptr<const cls_ReadPath> m_path;
  bool m_retry = false;
  bool m_inFlush = false;
  // The containers sharing the agent: usually one, held without a heap node; the others (copies
  // sharing it) follow in the order they attached.
  const cls_PC* m_holder = nullptr;
  std::vector<const cls_PC*> m_otherHolders;

 private:
  friend class rom_detail::Store;
  friend class cls_AgentRef;
  // Called by cls_AgentRef only: the holders are the agent's reference count.
  void Attach(const cls_PC* holder);
  void Detach(const cls_PC* holder);
  std::size_t Holders() const { return (m_holder ? 1 : 0) + m_otherHolders.size(); }
  std::size_t m_agentSlot = 0;
  bool m_enlisted = false;
};

// One stored element of a list: its class id and OID.
struct cls_ListEntry {
  std::uint32_t typeId;
  std::int64_t oid;
  bool operator==(const cls_ListEntry& o) const { return typeId == o.typeId && oid == o.oid; }
};

// The row and column ("<field>#ClassID") that store a short list inline; typeId 0 for none. The
// column is its index in the file's table of the class.
struct cls_InlineHost {
  std::uint32_t typeId = 0;
  std::int64_t oid = 0;
  int column = -1;
  bool operator==(const cls_InlineHost& o) const {
    return typeId == o.typeId && oid == o.oid && column == o.column;
  }
};

// An element write of a flush, stored when the flush finishes.
struct cls_PendingWrite {
  int index;
  std::uint32_t typeId;
  std::int64_t oid;
};

class cls_WriteVisitor;

// A list's elements are stored as runs (rows of "##List") or, from layout 4 on, inline: as the
// entries of at most rom_detail::Store::kInlineListMax elements in the row that refers to the
// list. A list is stored inline when its first write finds it with elements and few enough of
// them; it moves to runs when it outgrows that, or when another row refers to it.
class cls_AgentListObj : public cls_AgentBase {
 public:
  // `empty`: the file is known to store no element of the list, so its count is not read.
  cls_AgentListObj(std::shared_ptr<rom_detail::Store> store, cls_Uid listUid,
                   std::shared_ptr<const cls_ReadPath> path = nullptr, bool empty = false);
  // A list stored inline in `host` with these entries.
  cls_AgentListObj(std::shared_ptr<rom_detail::Store> store, cls_Uid listUid,
                   std::shared_ptr<const cls_ReadPath> path, cls_InlineHost host,
                   std::vector<cls_ListEntry> entries);
  ~cls_AgentListObj() override;

  // The first write of the list as a member of a row being built: when the file stores no
  // element yet, or stores the list inline in that row, the flush that follows stores the
  // elements in that row while they fit. EndMemberWrite after the flush.
  void BeginMemberWrite(const cls_WriteVisitor& writer);
  void EndMemberWrite() { m_building = nullptr; }
  // The list is written again as a member of a row: the row refers to the list as it is stored
  // (its entries, when they are stored inline in that very row).
  void Relink(const cls_WriteVisitor& writer);
  bool IsInline() const { return m_host.typeId != 0; }

  int StoredCount() const { return m_stored; }
  // Creates element i from the file; the caller owns the object. Raises when it cannot.
  void* Load(int i, std::uint32_t typeId);
  void NoteChanged(int i) { m_changed.insert(i); }
  bool MustWrite(int i) const { return i >= m_stored || m_changed.count(i) != 0; }
  // The stored indices below n handed out for change since they were last written, in
  // increasing order (MustWrite also holds for every index from StoredCount() on).
  std::vector<int> ChangedStored(int n) const;
  void Released() { ++m_releases; }
  long Releases() const { return m_releases; }

  // Element writes of the current flush, recorded by the write requests and stored as runs
  // when the flush finishes.
  void Written(int i, std::uint32_t typeId, cls_Uid uid);
  void FlushFinished() override;
  void FlushFailed() override;
  void TransactionEnded(bool committed) override;

 private:
  void StorePending();
  // Stores the pending writes of a list that is or becomes inline; false when the list is
  // stored as runs.
  bool StoreInline(const cls_PendingWrite* first, const cls_PendingWrite* last);
  // Takes this flush's writes off the store's pending writes.
  void DropPending();
  // Element i is stored by the transaction once it commits.
  void NoteWritten(int i) {
    m_writtenEnd = std::max(m_writtenEnd, i + 1);
    if (!m_changed.empty() && m_changed.count(i)) m_written.push_back(i);
  }
  // Writes every entry as runs and makes the host row refer to them.
  void MoveToRuns(const std::vector<cls_ListEntry>& entries);
  // Keeps the inline state as it was before the transaction, for a rollback.
  void KeepForRollback();

  int m_stored = 0;
  cls_InlineHost m_host;
  std::vector<cls_ListEntry> m_entries;
  bool m_kept = false;
  cls_InlineHost m_keptHost;
  std::vector<cls_ListEntry> m_keptEntries;
  // Sets the host column: in the row being built when it is the host, else in the file.
  void SetHostColumn(const std::string* entries);

  // The writer of the row being built that hosts (or may host) the list, during a member write.
  const cls_WriteVisitor* m_building = nullptr;
  cls_InlineHost m_buildingHost;
  std::set<int> m_changed;
  // This flush's writes are the store's PendingWrites() from m_pendingFrom on while open.
  std::size_t m_pendingFrom = 0;
  bool m_pendingOpen = false;
  // What the transaction stores: the elements up to m_writtenEnd, and these handed out for change.
  int m_writtenEnd = 0;
  std::vector<int> m_written;
  int m_runFirst = -1;
  std::vector<std::pair<std::uint32_t, std::int64_t>> m_run;
  long m_releases = 0;
};

// A write request for element i of a list: wrap it in a cls_WriteVisitor and call the
// element's DBWrite.
class cls_AgentRequestListObj {
 public:
  cls_AgentRequestListObj(cls_AgentListObj* agent, int index) : m_agent(agent), m_index(index) {}
  cls_AgentListObj& Agent() const { return *m_agent; }
  int Index() const { return m_index; }

 private:
  cls_AgentListObj* m_agent;
  int m_index;
};

template <class K>
class cls_AgentMapKey2Obj;

// The keyed agent of maps with string keys.
template <>
class cls_AgentMapKey2Obj<cow_String> : public cls_AgentBase {
 public:
  cls_AgentMapKey2Obj(std::shared_ptr<rom_detail::Store> store, cls_Uid mapUid,
                      std::shared_ptr<const cls_ReadPath> path = nullptr);
  ~cls_AgentMapKey2Obj() override;

  // The stored keys in key order.
  const std::vector<cow_String>& StoredKeys() const { return m_keys; }
  bool IsStored(const cow_String& key) const;
  void* Load(const cow_String& key, std::uint32_t typeId);
  void NoteChanged(const cow_String& key) { m_changed.insert(key.str()); }
  void NoteRemoved(const cow_String& key);
  bool MustWrite(const cow_String& key) const;
  void Released() { ++m_releases; }
  // Deletes the stored rows of removed keys; part of a flush.
  void WriteRemovals();

  void Written(const cow_String& key) { m_pending.push_back(key.str()); }
  void TransactionEnded(bool committed) override;

 private:
  std::vector<cow_String> m_keys;
  std::set<std::string> m_stored;
  std::set<std::string> m_changed;
  std::set<std::string> m_removed;
  std::vector<std::string> m_pending;
  long m_releases = 0;
};

class cls_AgentRequestMapKey2Obj {
 public:
  cls_AgentRequestMapKey2Obj(cls_AgentMapKey2Obj<cow_String>* agent, cow_String key)
      : m_agent(agent), m_key(std::move(key)) {}
  cls_AgentMapKey2Obj<cow_String>& Agent() const { return *m_agent; }
  const cow_String& Key() const { return m_key; }

 private:
  cls_AgentMapKey2Obj<cow_String>* m_agent;
  cow_String m_key;
};

using cls_WriteRequestMapString2Obj = cls_AgentRequestMapKey2Obj;
