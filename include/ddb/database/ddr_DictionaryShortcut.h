// ddr_DictionaryShortcut<Map, T, N>: the shortcut element naming the value under one key of the
// keyed collection that its parent handle names (a model of a database's models). Its path is
// the parent's path followed by ['<key>']; resolving a key the map lacks raises
// nex_CmdException with the key as its text. Immutable value sharing its parent's element; one
// thread.
#pragma once

#include <cstdint>

#include "ddb/database/ddr_Shortcut.h"
#include "ddb/platform/cls_Uid.h"

// The persisted class of each keyed collection's dictionary element.
template <class Map, class T, int N>
struct ddr_DictionaryOf;

template <>
struct ddr_DictionaryOf<ddr_ModelMap, ddr_Model, 1> {
  static constexpr std::uint32_t kTypeId = 0x220017;
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
  static void InitializeMetadata(cls_ClassRegistrar& registrar) {
    registrar.CreateClassMD(Dictionary::kClassName, TypeId(), 203, &Ctor, Base::TypeId())
        .AddDtor(&ddr_ShortcutBaseImpl::CowDtor)
        .AddAttribute(NameField(), cls_AttrString, 1, cls_CollNone)
        .AddAttribute(ParentField(), cls_AttrObject, ddr_Shortcut<Map>::TypeId(), cls_CollNone)
        .AddTableExtentQuantum(cls_ExtQuant::Instance().ExtentQuantumConstSmall());
  }

  ddr_DictionaryShortcut(const cow_String& key, const ddr_Shortcut<Map>& parent)
      : m_name(key), m_parent(parent), m_uid(cls_Uid::AllocateUid()) {}
  explicit ddr_DictionaryShortcut(const cls_ReadVisitor& reader)
      : m_name(reader.ReadString(NameField(), cow_String())),
        m_parent(cls_ReadVisitor(reader, ParentField())),
        m_uid(reader.GetUid()) {}
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
  void DBWrite(const cls_WriteVisitor& writer) const override {
    if (!writer.StartWrite(TypeId(), m_uid)) return;
    writer.WriteBase(Base::TypeId(), [&](const cls_WriteVisitor& base) { Base::DBWrite(base); });
    writer.Memento().WriteString(NameField(), m_name);
    writer.WriteMember(ParentField(), m_parent);
  }
  std::uint32_t DynTypeId() const override { return TypeId(); }

  const ddr_Shortcut<Map>& Parent() const { return m_parent; }
  cls_Uid Uid() const { return m_uid; }

 private:
  static cls_FieldHandle NameField() { return cls_FieldHandle("name", 0); }
  static cls_FieldHandle ParentField() { return cls_FieldHandle("parent", 1); }

  cow_String m_name;
  ddr_Shortcut<Map> m_parent;
  cls_Uid m_uid;
};

using ddr_ModelInModelContainerShortcut = ddr_DictionaryShortcut<ddr_ModelMap, ddr_Model, 1>;
