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
#include <cstdio>
#include <map>
#include <vector>

#include "ddb/platform/cls_AgentListObj.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_PC.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_COW.h"
#include "ddb/platform/cow_String.h"

namespace cls_MapDetail {
[[noreturn]] void ThrowMissing(const cow_String& key);
void ReportFailedFlush(const char* what);
}  // namespace cls_MapDetail

template <class K, class T, class A = cow_ArrayCOW<T, cow_Virtual<T>>>
class cls_Map2Obj : public cls_PC {
 public:
  using Handle = typename A::Handle;
  using Policy = typename A::Policy;
  using Agent = cls_AgentMapKey2Obj<cow_String>;

  static std::uint32_t TypeId() { return cls_ObjListTypeId; }

  cls_Map2Obj() : m_uid(cls_Uid::AllocateUid()) {}
  explicit cls_Map2Obj(const cls_ReadVisitor& reader) : m_uid(reader.GetUid()) {
    m_agent = reader.NewMapAgent();
    if (!m_agent) {
      if (m_uid.IsNull()) m_uid = cls_Uid::AllocateUid();
      return;
    }
    m_agent->AddRef();
    m_agent->Attach(this);
    for (const cow_String& key : m_agent->StoredKeys()) m_items[key];
  }
  cls_Map2Obj(const cls_Map2Obj& other)
      : cls_PC(other),
        m_items(other.m_items),
        m_modified(other.m_modified),
        m_agent(other.m_agent),
        m_uid(other.m_uid) {
    if (m_agent) {
      m_agent->AddRef();
      m_agent->Attach(this);
    }
  }
  cls_Map2Obj& operator=(const cls_Map2Obj& other) {
    if (this == &other) return *this;
    Unlink();
    DropAgent();
    Link();
    m_items = other.m_items;
    m_modified = other.m_modified;
    m_agent = other.m_agent;
    m_uid = other.m_uid;
    if (m_agent) {
      m_agent->AddRef();
      m_agent->Attach(this);
    }
    return *this;
  }
  ~cls_Map2Obj() override {
    try {
      DropAgent();
    } catch (const std::exception& e) {
      cls_MapDetail::ReportFailedFlush(e.what());
    }
  }

  int Length() const { return static_cast<int>(m_items.size()); }
  int size() const { return Length(); }
  bool IsMember(const cow_String& key) const { return m_items.count(key) != 0; }
  std::vector<cow_String> Keys() const {
    std::vector<cow_String> keys;
    for (const auto& item : m_items) keys.push_back(item.first);
    return keys;
  }
  cls_Uid Uid() const { return m_uid; }
  bool IsAttached() const { return m_agent != nullptr; }

  void Insert(const cow_String& key, const T& value) { Put(key, Handle(Policy::Copy(value))); }
  void Insert(const cow_String& key, T* value) { Put(key, Handle(value)); }
  bool Remove(const cow_String& key) {
    if (!m_items.erase(key)) return false;
    if (m_agent) m_agent->NoteRemoved(key);
    m_modified = 1;
    return true;
  }

  T& Get(const cow_String& key) {
    Handle& handle = Load(key);
    if (m_agent) m_agent->NoteChanged(key);
    m_modified = 1;
    return handle.Get();
  }
  const T& ConstGet(const cow_String& key) const { return Load(key).ConstGet(); }

  void Flush() const override {
    if (!m_agent || (!m_modified && !m_agent->RetryPending()) || m_agent->FlushRefused()) return;
    m_modified = 0;
    m_agent->BeginFlush();
    try {
      m_agent->WriteRemovals();
      for (auto& item : m_items) {
        if (!m_agent->MustWrite(item.first)) continue;
        cls_AgentRequestMapKey2Obj request(m_agent, item.first);
        cls_WriteVisitor writer(request);
        Load(item.first).ConstGet().DBWrite(writer);
      }
      m_agent->FlushFinished();
    } catch (...) {
      m_modified = 1;
      m_agent->FlushFailed();
      throw;
    }
  }

  void Release(const cow_String& key) const {
    auto it = m_items.find(key);
    if (!m_agent || it == m_items.end() || it->second.IsNull() || m_agent->MustWrite(key)) return;
    it->second.Reset();
    m_agent->Released();
  }
  void Release() const {
    if (!m_agent) return;
    for (auto& item : m_items) Release(item.first);
  }

  virtual void DBWrite(const cls_WriteVisitor& writer) const {
    if (!writer.StartWrite(TypeId(), m_uid)) return;
    writer.CheckCollectionType(cls_CollMap);
    if (m_agent) return;
    m_agent = writer.NewMapAgent();
    m_agent->AddRef();
    m_agent->Attach(this);
    for (const cow_String& key : m_agent->StoredKeys()) {
      if (m_items.count(key))
        std::fputs("cls_Map2Obj::DBWrite - Duplicate key when loading collection from DDB", stderr);
      else
        m_items[key];
    }
    Flush();
  }

  virtual void Detach() {
    if (m_agent) {
      m_agent->Detach(this);
      if (m_agent->DropRef()) {
        Flush();
        delete m_agent;
        m_uid.NewUid();
      }
      m_agent = nullptr;
    }
    Unlink();
  }

  int Snap() const {
    int n = 0;
    for (const auto& item : m_items) n += item.second.IsNull() ? 0 : 1;
    return n;
  }

 private:
  void Put(const cow_String& key, Handle handle) {
    m_items[key] = std::move(handle);
    if (m_agent) m_agent->NoteChanged(key);
    m_modified = 1;
  }
  Handle& Load(const cow_String& key) const {
    auto it = m_items.find(key);
    if (it == m_items.end()) cls_MapDetail::ThrowMissing(key);
    if (it->second.IsNull()) {
      if (!m_agent) cls_MapDetail::ThrowMissing(key);
      it->second = Handle(static_cast<T*>(m_agent->Load(key, T::TypeId())));
    }
    return it->second;
  }
  void DropAgent() {
    if (!m_agent) return;
    Agent* agent = m_agent;
    m_agent = nullptr;
    agent->Detach(this);
    if (agent->DropRef()) {
      m_agent = agent;
      try {
        Flush();
      } catch (...) {
        m_agent = nullptr;
        delete agent;
        throw;
      }
      m_agent = nullptr;
      delete agent;
    }
  }

  mutable std::map<cow_String, Handle> m_items;
  mutable int m_modified = 0;
  mutable Agent* m_agent = nullptr;
  cls_Uid m_uid;
};

template <class K, class A, class Extra = void>
class cls_xcMap : public cls_Map2Obj<K, typename A::Element, A> {
 public:
  using cls_Map2Obj<K, typename A::Element, A>::cls_Map2Obj;
};
