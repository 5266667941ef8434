// mdl_MapString2Obj<T>: a database's named results, user data or custom data: a map from name
// to polymorphic elements held in shared copy-on-write handles, with an identity of its own.
//
// Unlike the models map it keeps no agent: every DBWrite writes the whole map (each element
// through its own virtual DBWrite, and the removal of stored names no longer present), and the
// read constructor loads every stored element at once. Keys are ordered by cow_String
// comparison. Get/ConstGet of an absent name raise nex_PrimException
// ("mdl_MapString2Obj: no entry '%s'"). Copies share elements until one side changes one.
// Defined for the element types of ddr_Ddb (src/database/mdl_MapString2Obj.cpp). Not
// thread-safe.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_COW.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

namespace mdl_detail {
[[noreturn]] void ThrowNoEntry(const cow_String& name);
}

template <class T>
class mdl_MapString2ObjIT;

template <class T>
class mdl_MapString2Obj : public mem_AllocationOperators {
 public:
  using Handle = cow_COW<T, cow_Virtual<T>>;
  using Map = std::map<cow_String, Handle>;

  static std::uint32_t TypeId() { return cls_ObjListTypeId; }

  mdl_MapString2Obj() : m_uid(cls_Uid::AllocateUid()) {}
  explicit mdl_MapString2Obj(const cls_ReadVisitor& reader);
  mdl_MapString2Obj(const mdl_MapString2Obj&) = default;
  mdl_MapString2Obj& operator=(const mdl_MapString2Obj&) = default;

  int Length() const { return static_cast<int>(m_items.size()); }
  bool IsMember(const cow_String& name) const { return m_items.count(name) != 0; }
  std::vector<cow_String> Keys() const {
    std::vector<cow_String> keys;
    for (const auto& item : m_items) keys.push_back(item.first);
    return keys;
  }
  // Stores a copy (or adopts the object), replacing an earlier element of that name.
  void Insert(const cow_String& name, const T& value) { m_items[name] = Handle(value.Copy()); }
  void Insert(const cow_String& name, T* value) { m_items[name] = Handle(value); }
  bool Remove(const cow_String& name) { return m_items.erase(name) != 0; }
  T& Get(const cow_String& name) { return Find(name).Get(); }
  const T& ConstGet(const cow_String& name) const {
    auto it = m_items.find(name);
    if (it == m_items.end()) mdl_detail::ThrowNoEntry(name);
    return it->second.ConstGet();
  }
  const Map& GetMap() const { return m_items; }
  cls_Uid Uid() const { return m_uid; }

  void DBWrite(const cls_WriteVisitor& writer) const;

 private:
  Handle& Find(const cow_String& name) {
    auto it = m_items.find(name);
    if (it == m_items.end()) mdl_detail::ThrowNoEntry(name);
    return it->second;
  }

  Map m_items;
  cls_Uid m_uid;
};

// Walks a map in key order: for (mdl_MapString2ObjIT<T> it(map); !it.IsDone(); it.Next()).
template <class T>
class mdl_MapString2ObjIT {
 public:
  explicit mdl_MapString2ObjIT(const mdl_MapString2Obj<T>& map)
      : m_it(map.GetMap().begin()), m_end(map.GetMap().end()) {}
  bool IsDone() const { return m_it == m_end; }
  void Next() { ++m_it; }
  const cow_String& CurrentKey() const { return m_it->first; }
  const T& CurrentValue() const { return m_it->second.ConstGet(); }

 private:
  typename mdl_MapString2Obj<T>::Map::const_iterator m_it, m_end;
};
