// ddr_DictionaryShortcut<Map, T, N>: the shortcut element naming the value under one key of the
// keyed collection that its parent handle names (a model of a database's models). Its path is
// the parent's path followed by ['<key>']; resolving a key the map lacks raises
// nex_CmdException with the key as its text. Immutable value sharing its parent's element; one
// thread. The persistence functions are defined, for the collections below, in
// src/database/ddr_Shortcut.cpp.
#pragma once

#include <cstdint>

#include "ddb/database/ddr_Shortcut.h"
#include "ddb/frame/ZunRomDdr.h"
#include "ddb/platform/cls_Uid.h"

// The persisted class of each keyed collection's dictionary element.
template <class Map, class T, int N>
struct ddr_DictionaryOf;

template <>
struct ddr_DictionaryOf<ddr_ModelMap, ddr_Model, 1> {
  static constexpr std::uint32_t kTypeId = ddr_TypeId_ModelInModelContainerShortcut;
  static constexpr const char* kClassName = "ddr_ModelInModelContainerShortcut";
};

template <class Map, class T, int N>
class ddr_DictionaryShortcut : public ddr_ShortcutImpl<T> {
 public:
  using Dictionary = ddr_DictionaryOf<Map, T, N>;
  using Base = ddr_ShortcutImpl<T>;

  static std::uint32_t TypeId() { return Dictionary::kTypeId; }
  static void* Ctor(cls_ReadVisitor& reader) {
    return static_cast<omu_ShortcutImpl*>(new ddr_DictionaryShortcut(reader));
  }
  static void InitializeMetadata(cls_ClassRegistrar& registrar);

  ddr_DictionaryShortcut(const cow_String& key, const ddr_Shortcut<Map>& parent)
      : m_name(key), m_parent(parent), m_uid(cls_Uid::AllocateUid()) {}
  explicit ddr_DictionaryShortcut(const cls_ReadVisitor& reader);
  ddr_DictionaryShortcut(const ddr_DictionaryShortcut&) = default;

  cow_String Name() const override { return m_name; }
  cow_String Path() const override { return m_parent.Path() + "['" + m_name + "']"; }
  omu_ShortcutImpl* Copy() const override { return new ddr_DictionaryShortcut(*this); }
  cow_String DdbName(ZunBasStringMode mode) const override { return m_parent.DdbName(mode); }
  const T& ConstGet(const ddr_DdbContainer& container) const override {
    const Map& map = m_parent.ConstGet(container);
    if (!map.IsMember(m_name)) ddr_ShortcutBaseImpl::ThrowMissingKey(m_name);
    return map.ConstGet(m_name);
  }
  T& Get(ddr_DdbContainer& container) const override {
    Map& map = m_parent.Get(container);
    if (!map.IsMember(m_name)) ddr_ShortcutBaseImpl::ThrowMissingKey(m_name);
    return map.Get(m_name);
  }
  void DBWrite(const cls_WriteVisitor& writer) const override;
  std::uint32_t DynTypeId() const override { return TypeId(); }

  const ddr_Shortcut<Map>& Parent() const { return m_parent; }
  cls_Uid Uid() const { return m_uid; }

 private:
  template <class>
  friend struct cls_LayoutOf;

  cow_String m_name;
  ddr_Shortcut<Map> m_parent;
  cls_Uid m_uid;
};

using ddr_ModelInModelContainerShortcut = ddr_DictionaryShortcut<ddr_ModelMap, ddr_Model, 1>;
