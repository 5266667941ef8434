// cls_Map2Obj<K, T, A>: the persistent map keyed by string that owns named records (the models
// of a database, the extensions of a model). cls_xcMap is the same map under the name the
// extension table uses.
//
// It behaves like cls_ListObj keyed by name instead of position: in memory an ordered map of
// copy-on-write handles; once written or read it carries a keyed agent, loads values on demand,
// writes new and changed values (and deletes removed keys) on Flush, and drops stored values on
// Release. Its first DBWrite takes the keys the file stores into the in-memory map; a stored key
// that is already present in memory is reported on stderr and the in-memory value kept. Get of an
// absent key raises nex_PrimException ("cls_Map2Obj: no entry '%s'"). One thread at a time.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "ddb/platform/cls_AgentRef.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_PC.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_COW.h"
#include "ddb/platform/cow_String.h"

template <class K>
class cls_AgentMapKey2Obj;

// What a persistent map does whatever its value type: its identity, its share of the agent,
// writing and flushing. The entries are cls_Map2Obj's, reached through the hooks at the end.
// Compiled once (src/frame/lists/).
class cls_MapCore : public cls_PC {
 public:
  cls_Uid Uid() const { return m_uid; }
  bool IsAttached() const { return static_cast<bool>(m_agent); }

  void Flush() const override;
  // Writes the map's identity; the first write attaches the map to the file, takes the keys the
  // file stores and flushes.
  void DBWrite(const cls_WriteVisitor& writer) const;
  // Leaves the file; the last copy sharing the agent flushes first and takes a new identity.
  void Detach();

 protected:
  cls_MapCore();
  explicit cls_MapCore(const cls_ReadVisitor& reader);
  cls_MapCore(const cls_MapCore& other);
  ~cls_MapCore() override;
  // Drops this map's agent (flushing when it is the last share) and takes other's identity and
  // agent; the caller copies the entries.
  void Assign(const cls_MapCore& other);
  // For the destructor of cls_Map2Obj, while the entries still exist: drops the agent, flushing
  // when it is the last share; a failed flush is reported on stderr.
  void DropAgentOnDestruction() noexcept;

  // The keys the file stores, in key order (none without an agent).
  const std::vector<cow_String>& StoredKeys() const;
  // Creates the value of `key` from the file (the caller owns it); raises without an agent.
  void* LoadValue(const cow_String& key, std::uint32_t typeId) const;
  // The value of `key` is safely stored: its entry may be emptied.
  bool MayRelease(const cow_String& key) const;
  void NoteReleased() const;
  void NoteChanged(const cow_String& key);
  void NoteRemoved(const cow_String& key);
  // Writes the value of `key` (through WriteValue) if it is new or changed; part of a flush.
  void WriteIfChanged(const cow_String& key) const;
  [[noreturn]] static void ThrowMissing(const cow_String& key);

  // Writes every new and changed value (WriteIfChanged for each key).
  virtual void WriteChanged() const = 0;
  virtual void WriteValue(const cow_String& key, const cls_WriteVisitor& writer) const = 0;
  // Adds an empty entry for a key the file stores; false when the key is already present.
  virtual bool AddStoredKey(const cow_String& key) const = 0;

 private:
  cls_AgentMapKey2Obj<cow_String>& Agent() const;
  void DropAgent();

  mutable int m_modified = 0;
  mutable cls_AgentRef m_agent;
  cls_Uid m_uid;
};

template <class K, class T, class A = cow_ArrayCOW<T, cow_Virtual<T>>>
class cls_Map2Obj : public cls_MapCore {
 public:
  using Handle = typename A::Handle;
  using Policy = typename A::Policy;

  static std::uint32_t TypeId() { return cls_ObjListTypeId; }

  cls_Map2Obj() = default;
  explicit cls_Map2Obj(const cls_ReadVisitor& reader) : cls_MapCore(reader) {
    for (const cow_String& key : StoredKeys()) m_items[key];
  }
  cls_Map2Obj(const cls_Map2Obj& other) : cls_MapCore(other), m_items(other.m_items) {}
  cls_Map2Obj& operator=(const cls_Map2Obj& other) {
    if (this == &other) return *this;
    Assign(other);
    m_items = other.m_items;
    return *this;
  }
  ~cls_Map2Obj() override { DropAgentOnDestruction(); }

  int Length() const { return static_cast<int>(m_items.size()); }
  int size() const { return Length(); }
  bool IsMember(const cow_String& key) const { return m_items.count(key) != 0; }
  std::vector<cow_String> Keys() const {
    std::vector<cow_String> keys;
    for (const auto& item : m_items) keys.push_back(item.first);
    return keys;
  }

  void Insert(const cow_String& key, const T& value) { Put(key, Handle(Policy::Copy(value))); }
  void Insert(const cow_String& key, T* value) { Put(key, Handle(value)); }
  bool Remove(const cow_String& key) {
    if (!m_items.erase(key)) return false;
    NoteRemoved(key);
    return true;
  }

  T& Get(const cow_String& key) {
    Handle& handle = Load(key);
    NoteChanged(key);
    return handle.Get();
  }
  const T& ConstGet(const cow_String& key) const { return Load(key).ConstGet(); }

  void Release(const cow_String& key) const {
    auto it = m_items.find(key);
    if (it == m_items.end() || it->second.IsNull() || !MayRelease(key)) return;
    it->second.Reset();
    NoteReleased();
  }
  void Release() const {
    if (!IsAttached()) return;
    for (auto& item : m_items) Release(item.first);
  }

  int Snap() const {
    int n = 0;
    for (const auto& item : m_items) n += item.second.IsNull() ? 0 : 1;
    return n;
  }

 private:
  void Put(const cow_String& key, Handle handle) {
    m_items[key] = std::move(handle);
    NoteChanged(key);
  }
  Handle& Load(const cow_String& key) const {
    auto it = m_items.find(key);
    if (it == m_items.end()) ThrowMissing(key);
    if (it->second.IsNull()) it->second = Handle(static_cast<T*>(LoadValue(key, T::TypeId())));
    return it->second;
  }

  void WriteChanged() const override {
    for (const auto& item : m_items) WriteIfChanged(item.first);
  }
  void WriteValue(const cow_String& key, const cls_WriteVisitor& writer) const override {
    Load(key).ConstGet().DBWrite(writer);
  }
  bool AddStoredKey(const cow_String& key) const override {
    return m_items.emplace(key, Handle()).second;
  }

  mutable std::map<cow_String, Handle> m_items;
};

template <class K, class A, class Extra = void>
class cls_xcMap : public cls_Map2Obj<K, typename A::Element, A> {
 public:
  using cls_Map2Obj<K, typename A::Element, A>::cls_Map2Obj;
};
