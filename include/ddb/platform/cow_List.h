// cow_List<T>: the zero-based, range-checked sequence of the records' interfaces.
//
// A thin layer over std::vector: an index outside 0..Length()-1 raises nex_PrimException
// ("cow_List: index %d out of range (length %d)") instead of reading stray memory. Value type;
// not thread-safe.
#pragma once

#include <initializer_list>
#include <vector>

namespace cow_detail {
[[noreturn]] void ThrowIndexOutOfRange(long index, long length);
}

template <class T>
class cow_List {
 public:
  using value_type = T;
  using iterator = typename std::vector<T>::iterator;
  using const_iterator = typename std::vector<T>::const_iterator;

  cow_List() = default;
  cow_List(std::initializer_list<T> items) : m_items(items) {}
  explicit cow_List(std::vector<T> items) : m_items(std::move(items)) {}

  int Length() const { return static_cast<int>(m_items.size()); }
  std::size_t size() const { return m_items.size(); }
  bool empty() const { return m_items.empty(); }
  bool IsEmpty() const { return m_items.empty(); }

  T& operator[](int i) { return m_items[Check(i)]; }
  const T& operator[](int i) const { return m_items[Check(i)]; }
  T& Last() { return m_items[Check(Length() - 1)]; }
  const T& Last() const { return m_items[Check(Length() - 1)]; }

  void Append(const T& item) { m_items.push_back(item); }
  void Append(T&& item) { m_items.push_back(std::move(item)); }
  void Remove(int i) { m_items.erase(m_items.begin() + Check(i)); }
  void Clear() { m_items.clear(); }
  void Presize(int n) { m_items.reserve(n > 0 ? n : 0); }
  void Resize(int n) { m_items.resize(n > 0 ? n : 0); }
  bool Contains(const T& item) const {
    for (const T& x : m_items)
      if (x == item) return true;
    return false;
  }

  iterator begin() { return m_items.begin(); }
  iterator end() { return m_items.end(); }
  const_iterator begin() const { return m_items.begin(); }
  const_iterator end() const { return m_items.end(); }

  const std::vector<T>& vector() const { return m_items; }
  std::vector<T>& vector() { return m_items; }

  friend bool operator==(const cow_List& a, const cow_List& b) { return a.m_items == b.m_items; }
  friend bool operator!=(const cow_List& a, const cow_List& b) { return a.m_items != b.m_items; }

 private:
  std::size_t Check(int i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= m_items.size())
      cow_detail::ThrowIndexOutOfRange(i, static_cast<long>(m_items.size()));
    return static_cast<std::size_t>(i);
  }

  std::vector<T> m_items;
};
