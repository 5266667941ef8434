// mdl_DdbExtensionTable<E>: a model's named extensions (and, as the prototype table, the
// extensions the supplying libraries registered), persisted as "ddr_ExtensionTable".
//
// The table owns its extensions in a persistent map keyed by name; a table read from a file
// loads an extension when it is first asked for. Get(name, prototypes) creates the model's own
// entry from the prototype on first use; ConstGet(name, prototypes) falls back to the prototype
// and inserts nothing. A name that is neither in the table nor among the prototypes raises
// nex_PrimException ("No model extension registered under '%s'"). Copies share their entries
// until one side changes one. The persistence functions are defined, for mdl_Extension, in
// src/database/mdl_Extension.cpp. Not thread-safe.
#pragma once

#include <cstdint>
#include <vector>

#include "ddb/frame/ZunRomDdr.h"
#include "ddb/frame/cls_Map2Obj.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_COW.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

namespace mdl_detail {
[[noreturn]] void ThrowUnregistered(const cow_String& name);
}

template <class E>
class mdl_DdbExtensionTable : public mem_AllocationOperators {
 public:
  using Map = cls_xcMap<cow_String, cow_ArrayCOW<E, cow_Virtual<E>>>;

  static std::uint32_t TypeId() { return ddr_TypeId_ExtensionTable; }
  static void* Ctor(cls_ReadVisitor& reader) { return new mdl_DdbExtensionTable(reader); }
  static void InitializeMetadata(cls_ClassRegistrar& registrar);

  mdl_DdbExtensionTable() : m_uid(cls_Uid::AllocateUid()) {}
  explicit mdl_DdbExtensionTable(const cls_ReadVisitor& reader);
  mdl_DdbExtensionTable(const mdl_DdbExtensionTable&) = default;
  mdl_DdbExtensionTable& operator=(const mdl_DdbExtensionTable&) = default;
  virtual ~mdl_DdbExtensionTable() = default;

  virtual void DBWrite(const cls_WriteVisitor& writer) const;
  virtual std::uint32_t DynTypeId() const { return TypeId(); }

  E& Get(const cow_String& name, const mdl_DdbExtensionTable& prototypes) {
    if (!m_map.IsMember(name)) {
      E* fresh = prototypes.ConstGet(name).Copy();
      fresh->PrepareForModel();
      m_map.Insert(name, fresh);
    }
    return m_map.Get(name);
  }
  const E& ConstGet(const cow_String& name) const {
    if (!m_map.IsMember(name)) mdl_detail::ThrowUnregistered(name);
    return m_map.ConstGet(name);
  }
  const E& ConstGet(const cow_String& name, const mdl_DdbExtensionTable& prototypes) const {
    return m_map.IsMember(name) ? m_map.ConstGet(name) : prototypes.ConstGet(name);
  }
  // Stores a copy under the name, replacing an earlier entry.
  void Insert(const cow_String& name, const E& extension) { m_map.Insert(name, extension); }
  bool Remove(const cow_String& name) { return m_map.Remove(name); }
  bool IsMember(const cow_String& name) const { return m_map.IsMember(name); }
  std::vector<cow_String> Keys() const { return m_map.Keys(); }
  int Length() const { return m_map.Length(); }

  const Map& GetMap() const { return m_map; }
  cls_Uid Uid() const { return m_uid; }
  // Takes the entries and identity of a table read from a file.
  void TakeOver(const mdl_DdbExtensionTable& other) {
    m_map = other.m_map;
    m_uid = other.m_uid;
  }

 private:
  template <class>
  friend struct cls_LayoutOf;
  Map m_map;
  cls_Uid m_uid;
};
