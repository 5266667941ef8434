// cow_Map<K, V> and cow_Btree<K, V>: ordered maps keyed by K's operator< (for cow_String keys,
// byte-wise or natural order, see cow_String). Iteration yields (key, value) pairs in key order.
// Get of an absent key raises nex_PrimException. Value types; not thread-safe.
#pragma once

#include <map>

namespace cow_detail {
[[noreturn]] void ThrowMissingKey();
}

template <class K, class V>
class cow_Map {
 public:
  using iterator = typename std::map<K, V>::iterator;
  using const_iterator = typename std::map<K, V>::const_iterator;

  std::size_t size() const { return m_items.size(); }
  int Length() const { return static_cast<int>(m_items.size()); }
  bool empty() const { return m_items.empty(); }
  bool IsMember(const K& key) const { return m_items.count(key) != 0; }

  V& Get(const K& key) {
    auto it = m_items.find(key);
    if (it == m_items.end()) cow_detail::ThrowMissingKey();
    return it->second;
  }
  const V& Get(const K& key) const {
    auto it = m_items.find(key);
    if (it == m_items.end()) cow_detail::ThrowMissingKey();
    return it->second;
  }
  // Inserts or replaces.
  void Insert(const K& key, const V& value) { m_items[key] = value; }
  bool Remove(const K& key) { return m_items.erase(key) != 0; }
  void Clear() { m_items.clear(); }

  iterator begin() { return m_items.begin(); }
  iterator end() { return m_items.end(); }
  const_iterator begin() const { return m_items.begin(); }
  const_iterator end() const { return m_items.end(); }

 private:
  std::map<K, V> m_items;
};

template <class K, class V>
class cow_Btree : public cow_Map<K, V> {};
