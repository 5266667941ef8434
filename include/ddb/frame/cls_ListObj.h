// cls_ListObj<T, A>: the persistent list that owns a record's child records.
//
// In memory it is a list of copy-on-write element handles (A::Handle). Once written to or read
// from a file it carries an agent and then loads elements on demand, writes new and changed
// elements on Flush, and drops safely stored elements on Release, so a long analysis can stream
// its tree to the file with bounded memory. Copies share elements (copy-on-write) and the agent;
// the last copy of an attached list flushes when it goes.
//
// Misuse is reported as the framework always has: a load without an agent and attaching a
// non-empty list to stored elements print a line on stderr. An index outside 0..Length()-1
// raises nex_PrimException ("cls_ListObj: index %d out of range (%d elements)"), and so does a
// load that cannot be done ("cls_ListObj: element %d could not be loaded"). A failed flush keeps
// the list modified and its elements marked, then rethrows. One thread at a time.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "ddb/platform/cls_AgentListObj.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_PC.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_COW.h"

// Copies of a list made before it was written share its identity; once one of them is written,
// the others may find elements stored under it.
struct cls_ListCopies {
  bool written = false;
};

namespace cls_ListDetail {
[[noreturn]] void ThrowIndex(int index, int length);
[[noreturn]] void ThrowNotLoaded(int index);
void ReportFailedFlush(const char* what);
}  // namespace cls_ListDetail

template <class T, class A = cow_ArrayCOW<T, cow_Direct<T>>>
class cls_ListObj : public cls_PC {
 public:
  using Handle = typename A::Handle;
  using Policy = typename A::Policy;

  static std::uint32_t TypeId() { return cls_ObjListTypeId; }
  static void* Ctor(cls_ReadVisitor& reader) { return new cls_ListObj(reader); }

  cls_ListObj() : m_uid(cls_Uid::AllocateUid()) {}
  explicit cls_ListObj(const cls_ReadVisitor& reader) : m_uid(reader.GetUid()) {
    m_agent = reader.NewListAgent();
    if (!m_agent) {
      if (m_uid.IsNull()) m_uid = cls_Uid::AllocateUid();
      return;
    }
    m_agent->AddRef();
    m_slots.Resize(m_agent->StoredCount());
    m_agent->Attach(this);
  }
  cls_ListObj(const cls_ListObj& other)
      : cls_PC(other),
        m_slots(other.m_slots),
        m_modified(other.m_modified),
        m_agent(other.m_agent),
        m_uid(other.m_uid),
        m_loaded(other.m_loaded),
        m_copies(other.UnattachedCopies()) {
    if (m_agent) {
      m_agent->AddRef();
      m_agent->Attach(this);
    }
  }
  cls_ListObj& operator=(const cls_ListObj& other) {
    if (this == &other) return *this;
    Unlink();
    DropAgent();
    Link();
    m_slots = other.m_slots;
    m_modified = other.m_modified;
    m_agent = other.m_agent;
    m_uid = other.m_uid;
    m_loaded = other.m_loaded;
    m_copies = other.UnattachedCopies();
    if (m_agent) {
      m_agent->AddRef();
      m_agent->Attach(this);
    }
    return *this;
  }
  ~cls_ListObj() override {
    try {
      DropAgent();
    } catch (const std::exception& e) {
      cls_ListDetail::ReportFailedFlush(e.what());
    }
  }

  int Length() const { return m_slots.Length(); }
  int size() const { return m_slots.Length(); }
  bool IsAttached() const { return m_agent != nullptr; }
  cls_Uid Uid() const { return m_uid; }

  void Append(const T& element) { AppendHandle(Handle(Policy::Copy(element))); }
  void Append(T* element) { AppendHandle(Handle(element)); }
  void Presize(int n) {
    if (m_agent) return;
    m_slots = A();
    m_slots.Presize(n);
    m_loaded.clear();
  }

  T& Get(int i) {
    Handle& handle = LoadSlot(i, "cls_ListObj::Get - no agent, can't load object.");
    if (m_agent) m_agent->NoteChanged(i);
    m_modified = 1;
    return handle.Get();
  }
  const T& ConstGet(int i) const { return ConstGetCOW(i).ConstGet(); }
  const Handle& ConstGetCOW(int i) const {
    return LoadSlot(i, "cls_ListObj::ConstGetCOW - no agent, can't load object.");
  }

  void Flush() const override {
    if (!m_agent || (!m_modified && !m_agent->RetryPending()) || m_agent->FlushRefused()) return;
    m_modified = 0;
    m_agent->BeginFlush();
    try {
      for (int i : m_agent->IndicesToWrite(Length())) {
        cls_AgentRequestListObj request(m_agent, i);
        cls_WriteVisitor writer(request);
        LoadSlot(i, "cls_ListObj::Flush - no agent, can't load object.").ConstGet().DBWrite(writer);
      }
      m_agent->FlushFinished();
    } catch (...) {
      m_modified = 1;
      m_agent->FlushFailed();
      throw;
    }
  }

  void Release(int i) const {
    CheckIndex(i);
    if (!m_agent || m_agent->MustWrite(i) || m_slots[i].IsNull()) return;
    m_slots[i].Reset();
    m_agent->Released();
  }
  // Empties every slot whose element is safely stored. Only slots that were filled since the
  // last full release are visited: all others are empty already.
  void Release() const {
    if (!m_agent) return;
    std::vector<int> keep;
    for (int i : m_loaded) {
      if (i >= Length() || m_slots[i].IsNull()) continue;
      if (m_agent->MustWrite(i)) {
        keep.push_back(i);
        continue;
      }
      m_slots[i].Reset();
      m_agent->Released();
    }
    m_loaded.swap(keep);
    m_agent->Released();
  }

  virtual void DBWrite(const cls_WriteVisitor& writer) const {
    if (!writer.StartWrite(TypeId(), m_uid)) return;
    writer.CheckCollectionType(cls_CollList);
    if (m_agent) return;
    // A list no copy of which was ever written stores nothing yet: its stored count is known.
    m_agent = writer.NewListAgent(!m_copies || !m_copies->written);
    if (m_copies) m_copies->written = true;
    m_agent->AddRef();
    m_agent->Attach(this);
    int stored = m_agent->StoredCount();
    if (m_slots.Length() == 0) {
      m_slots.Resize(stored);
    } else if (stored != 0) {
      std::fputs("cls_ListObj::DBWrite: Index conflicts(s) in list.", stderr);
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
        m_copies = nullptr;
      } else {
        // The list keeps the identity under which its copies still store elements.
        if (!m_copies) m_copies = std::make_shared<cls_ListCopies>();
        m_copies->written = true;
      }
      m_agent = nullptr;
    }
    Unlink();
  }

  // Number of elements held in memory.
  int Snap() const {
    int n = 0;
    for (const Handle& h : m_slots) n += h.IsNull() ? 0 : 1;
    return n;
  }

 private:
  void AppendHandle(Handle handle) {
    m_loaded.push_back(m_slots.Length());
    m_slots.Append(std::move(handle));
    m_modified = 1;
  }
  // The state shared by copies made while no file was attached, made on the first such copy.
  std::shared_ptr<cls_ListCopies> UnattachedCopies() const {
    if (!m_agent && !m_copies) m_copies = std::make_shared<cls_ListCopies>();
    return m_copies;
  }
  void CheckIndex(int i) const {
    if (i < 0 || i >= m_slots.Length()) cls_ListDetail::ThrowIndex(i, m_slots.Length());
  }
  Handle& LoadSlot(int i, const char* noAgentText) const {
    CheckIndex(i);
    Handle& slot = m_slots[i];
    if (!slot.IsNull()) return slot;
    if (!m_agent) {
      std::fputs(noAgentText, stderr);
      cls_ListDetail::ThrowNotLoaded(i);
    }
    Handle loaded(static_cast<T*>(m_agent->Load(i, T::TypeId())));
    if (loaded != slot) slot = loaded;
    m_loaded.push_back(i);
    return slot;
  }
  void DropAgent() {
    if (!m_agent) return;
    cls_AgentListObj* agent = m_agent;
    agent->Detach(this);
    if (agent->DropRef()) {
      try {
        Flush();
      } catch (...) {
        m_agent = nullptr;
        delete agent;
        throw;
      }
      delete agent;
    }
    m_agent = nullptr;
  }

  mutable A m_slots;
  mutable int m_modified = 0;
  mutable cls_AgentListObj* m_agent = nullptr;
  cls_Uid m_uid;
  mutable std::vector<int> m_loaded;
  mutable std::shared_ptr<cls_ListCopies> m_copies;
};
