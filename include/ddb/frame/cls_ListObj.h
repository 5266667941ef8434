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
#include <memory>
#include <vector>

#include "ddb/platform/cls_AgentRef.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_PC.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_COW.h"

class cls_AgentListObj;
namespace rom_detail {
class Store;
}

// What a persistent list does whatever its element type: its identity, its share of the agent,
// writing, flushing and releasing. The element slots are cls_ListObj's, reached through the
// hooks at the end. Compiled once (src/frame/lists/).
class cls_ListCore : public cls_PC {
 public:
  bool IsAttached() const { return m_agent || m_emptyIn; }
  cls_Uid Uid() const { return m_uid; }

  void Flush() const override;
  // Empties slot i if its element is safely stored.
  void Release(int i) const;
  // Empties every slot whose element is safely stored. Only slots that were filled since the
  // last full release are visited: all others are empty already.
  void Release() const;
  // Writes the list's identity; the first write attaches the list to the file and flushes it.
  void DBWrite(const cls_WriteVisitor& writer) const;
  // Leaves the file. The last copy sharing the agent flushes first and takes a new identity;
  // the others keep the identity under which their copies still store elements.
  void Detach();

 protected:
  cls_ListCore();
  explicit cls_ListCore(const cls_ReadVisitor& reader);
  cls_ListCore(const cls_ListCore& other);
  ~cls_ListCore() override;
  // Drops this list's agent (flushing when it is the last share) and takes other's identity and
  // agent; the caller copies the slots.
  void Assign(const cls_ListCore& other);
  // For the destructor of cls_ListObj, while the slots still exist: drops the agent, flushing
  // when it is the last share; a failed flush is reported on stderr.
  void DropAgentOnDestruction() noexcept;

  // The number of elements the file stores (0 without an agent).
  int StoredCount() const;
  // Creates element i from the file (the caller owns it). Without an agent it prints
  // `noAgentText` on stderr and raises.
  void* LoadElement(int i, std::uint32_t typeId, const char* noAgentText) const;
  // Element i was handed out for change.
  void NoteChanged(int i);
  void NoteAppended();
  // Forgets which slots were filled; the slots from `filledFrom` on count as appended.
  void ForgetLoaded(int filledFrom = 0) {
    m_loaded.clear();
    m_appendedFrom = filledFrom;
  }
  [[noreturn]] static void ThrowIndex(int index, int length);

  virtual int SlotCount() const = 0;
  virtual bool SlotEmpty(int i) const = 0;
  virtual void EmptySlot(int i) const = 0;
  virtual void ResizeSlots(int n) const = 0;
  virtual void WriteSlot(int i, const cls_WriteVisitor& writer) const = 0;

 private:
  // The agent, made first if the list is attached without one.
  cls_AgentListObj& Agent() const;
  void CheckIndex(int i) const;
  void DropAgent();
  // Copies share an identity and the agent (made first if the list is attached without one).
  // They are linked in a ring, so that when one of them is written the others know that
  // elements may be stored under it.
  void JoinCopies(const cls_ListCore& other);
  void LeaveCopies();
  void MarkCopiesWritten() const;

  mutable int m_modified = 0;
  mutable cls_AgentRef m_agent;
  // An attached list that has no element and whose file stores none holds the file instead of
  // an agent until it needs one (an element, a copy): most records' lists stay empty.
  mutable std::shared_ptr<rom_detail::Store> m_emptyIn;
  cls_Uid m_uid;
  // The slots filled since the last full release: the loaded ones, and the appended ones from
  // m_appendedFrom on. Release() visits only these.
  mutable std::vector<int> m_loaded;
  mutable int m_appendedFrom = 0;
  mutable const cls_ListCore* m_prevCopy = this;
  mutable const cls_ListCore* m_nextCopy = this;
  // A copy sharing the identity was written (or this list left a file that stores elements
  // under it).
  mutable bool m_copyWritten = false;
};

template <class T, class A = cow_ArrayCOW<T, cow_Direct<T>>>
class cls_ListObj : public cls_ListCore {
 public:
  using Handle = typename A::Handle;
  using Policy = typename A::Policy;

  static std::uint32_t TypeId() { return cls_ObjListTypeId; }
  static void* Ctor(cls_ReadVisitor& reader) { return new cls_ListObj(reader); }

  cls_ListObj() = default;
  explicit cls_ListObj(const cls_ReadVisitor& reader) : cls_ListCore(reader) {
    m_slots.Resize(StoredCount());
    ForgetLoaded(m_slots.Length());
  }
  cls_ListObj(const cls_ListObj& other) : cls_ListCore(other), m_slots(other.m_slots) {}
  cls_ListObj& operator=(const cls_ListObj& other) {
    if (this == &other) return *this;
    Assign(other);
    m_slots = other.m_slots;
    return *this;
  }
  ~cls_ListObj() override { DropAgentOnDestruction(); }

  int Length() const { return m_slots.Length(); }
  int size() const { return m_slots.Length(); }

  void Append(const T& element) { AppendHandle(Handle(Policy::Copy(element))); }
  void Append(T* element) { AppendHandle(Handle(element)); }
  void Presize(int n) {
    if (IsAttached()) return;
    m_slots = A();
    m_slots.Presize(n);
    ForgetLoaded();
  }

  T& Get(int i) {
    Handle& handle = LoadSlot(i, "cls_ListObj::Get - no agent, can't load object.");
    NoteChanged(i);
    return handle.Get();
  }
  const T& ConstGet(int i) const { return ConstGetCOW(i).ConstGet(); }
  const Handle& ConstGetCOW(int i) const {
    return LoadSlot(i, "cls_ListObj::ConstGetCOW - no agent, can't load object.");
  }

  // Number of elements held in memory.
  int Snap() const {
    int n = 0;
    for (const Handle& h : m_slots) n += h.IsNull() ? 0 : 1;
    return n;
  }

 private:
  // A record's lists are mostly short: the first element makes room for a few.
  static constexpr int kFirstCapacity = 4;
  void AppendHandle(Handle handle) {
    NoteAppended();
    if (m_slots.vector().capacity() == 0) m_slots.Presize(kFirstCapacity);
    m_slots.Append(std::move(handle));
  }
  Handle& LoadSlot(int i, const char* noAgentText) const {
    if (i < 0 || i >= m_slots.Length()) ThrowIndex(i, m_slots.Length());
    Handle& slot = m_slots[i];
    if (slot.IsNull()) slot = Handle(static_cast<T*>(LoadElement(i, T::TypeId(), noAgentText)));
    return slot;
  }

  int SlotCount() const override { return m_slots.Length(); }
  bool SlotEmpty(int i) const override { return m_slots[i].IsNull(); }
  void EmptySlot(int i) const override { m_slots[i].Reset(); }
  void ResizeSlots(int n) const override { m_slots.Resize(n); }
  void WriteSlot(int i, const cls_WriteVisitor& writer) const override {
    LoadSlot(i, "cls_ListObj::Flush - no agent, can't load object.").ConstGet().DBWrite(writer);
  }

  mutable A m_slots;
};
