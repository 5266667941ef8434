// Shared copy-on-write holders.
//
// cow_COW<T, P> is a counted handle to one heap element (the handle's node carries the count and
// the element). Copies of a handle share the element; Get() first replaces a shared element by a
// private copy made by the policy P, so a change never shows through another handle. ConstGet()
// never copies. cow_Direct<T> copies with T's copy constructor; cow_Virtual<T> calls T's virtual
// Copy() and serves polymorphic element types. A handle may be empty (no element).
//
// cow_ArrayCOW<T, P> is a list of such handles: the element storage of persistent lists.
//
// Counts are not atomic: a handle and its copies belong to one thread at a time.
#pragma once

#include <utility>

#include "ddb/platform/cow_List.h"

template <class T>
struct cow_Direct {
  static T* Copy(const T& t) { return new T(t); }
};

template <class T>
struct cow_Virtual {
  static T* Copy(const T& t) { return static_cast<T*>(t.Copy()); }
};

template <class T, class P = cow_Direct<T>>
class cow_COW {
 public:
  struct Node {
    int count;
    T* object;
  };

  cow_COW() = default;
  // Adopts the element.
  explicit cow_COW(T* object) : m_node(object ? new Node{1, object} : nullptr) {}
  cow_COW(const cow_COW& other) : m_node(other.m_node) {
    if (m_node) ++m_node->count;
  }
  cow_COW(cow_COW&& other) noexcept : m_node(std::exchange(other.m_node, nullptr)) {}
  cow_COW& operator=(cow_COW other) noexcept {
    std::swap(m_node, other.m_node);
    return *this;
  }
  ~cow_COW() { Reset(); }

  bool IsNull() const { return m_node == nullptr; }
  explicit operator bool() const { return m_node != nullptr; }
  int RefCount() const { return m_node ? m_node->count : 0; }
  bool IsShared() const { return RefCount() > 1; }

  const T& ConstGet() const { return *m_node->object; }
  const T* operator->() const { return m_node->object; }
  T& Get() {
    if (m_node->count > 1) {
      T* copy = P::Copy(*m_node->object);
      --m_node->count;
      m_node = new Node{1, copy};
    }
    return *m_node->object;
  }
  void Reset() {
    if (m_node && --m_node->count == 0) {
      delete m_node->object;
      delete m_node;
    }
    m_node = nullptr;
  }

  friend bool operator==(const cow_COW& a, const cow_COW& b) { return a.m_node == b.m_node; }
  friend bool operator!=(const cow_COW& a, const cow_COW& b) { return a.m_node != b.m_node; }

  // Releases a heap-allocated handle the way the framework's destructor hooks do: drop one
  // reference (deleting the element with the last) and free the handle. Null is ignored.
  static void Destroy(cow_COW* handle) { delete handle; }

 private:
  Node* m_node = nullptr;
};

template <class T, class P = cow_Direct<T>>
class cow_ArrayCOW : public cow_List<cow_COW<T, P>> {
 public:
  using Element = T;
  using Policy = P;
  using Handle = cow_COW<T, P>;
};
