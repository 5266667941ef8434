// ddr_Shortcut<T>: a persistent handle naming an object of type T inside an open database (the
// database record, one of its member collections, or a model), through an element chain
// (ddr_ShortcutImpl<T>) that resolves against the container of open databases.
//
// The handle holds its element through a counted copy-on-write holder: copies share the
// element (and carry the same identity); the element is never changed through a handle. An
// empty handle has no element: its texts are empty and resolving it raises nex_PrimException.
// Stored as a row of the handle's class with the element in "impl" (the persistence functions are
// defined, for the target types below, in src/database/ddr_Shortcut.cpp). Values of one thread.
#pragma once

#include <cstdint>

#include "ddb/database/ddr_ShortcutImpl.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cow_COW.h"

template <class T>
class ddr_Shortcut : public omu_ShortcutBase {
 public:
  using Element = ddr_ShortcutImpl<T>;
  using Types = ddr_ShortcutTypes<T>;

  static std::uint32_t TypeId() { return Types::kHandleId; }
  static void* Ctor(cls_ReadVisitor& reader) { return new ddr_Shortcut(reader); }
  // The destructor entry shared by every shortcut class.
  static constexpr cls_DtorFn CowDtor = &ddr_ShortcutBaseImpl::CowDtor;
  static void InitializeMetadata(cls_ClassRegistrar& registrar);

  ddr_Shortcut() : m_uid(cls_Uid::AllocateUid()) {}
  // Adopts the element (null makes an empty handle).
  explicit ddr_Shortcut(Element* element) : m_impl(element), m_uid(cls_Uid::AllocateUid()) {}
  explicit ddr_Shortcut(const Element& element)
      : ddr_Shortcut(static_cast<Element*>(element.Copy())) {}
  explicit ddr_Shortcut(const cls_ReadVisitor& reader);
  ddr_Shortcut(const ddr_Shortcut&) = default;
  ddr_Shortcut& operator=(const ddr_Shortcut&) = default;
  ~ddr_Shortcut() override = default;

  bool HasValue() const override { return !m_impl.IsNull(); }
  cow_String Name() const override { return HasValue() ? m_impl->Name() : cow_String(); }
  cow_String Path() const override { return HasValue() ? m_impl->Path() : cow_String(); }
  cow_String PythonPath() const override {
    return HasValue() ? m_impl->PythonPath() : cow_String();
  }

  const T& ConstGet(const ddr_DdbContainer& container) const {
    return Require().ConstGet(container);
  }
  T& Get(ddr_DdbContainer& container) const { return Require().Get(container); }

  // The persistent name of the target's database, converted to the locale in Locale mode.
  cow_String DdbName(ZunBasStringMode mode) const {
    return HasValue() ? m_impl->DdbName(mode) : cow_String();
  }

  // Handles are equal when their paths are (an empty handle's path is empty).
  bool operator==(const ddr_Shortcut& other) const { return Path() == other.Path(); }
  bool operator!=(const ddr_Shortcut& other) const { return !(*this == other); }

  void DBWrite(const cls_WriteVisitor& writer) const;
  std::uint32_t DynTypeId() const { return TypeId(); }

  // The shared element, null for an empty handle.
  const Element* GetElement() const { return HasValue() ? &m_impl.ConstGet() : nullptr; }
  cls_Uid Uid() const { return m_uid; }

 private:
  template <class>
  friend struct cls_LayoutOf;
  const Element& Require() const {
    if (!HasValue()) ddr_ShortcutBaseImpl::ThrowEmpty();
    return m_impl.ConstGet();
  }

  cow_COW<Element, cow_Virtual<Element>> m_impl;
  cls_Uid m_uid;
};

using ddr_DdbShortcut = ddr_Shortcut<ddr_Ddb>;
using ddr_ModelShortcut = ddr_Shortcut<ddr_Model>;
using ddr_ModelContainerShortcut = ddr_Shortcut<ddr_ModelMap>;
using ddr_ResultContainerShortcut = ddr_Shortcut<ddr_ResultMap>;
using ddr_UserDataContainerShortcut = ddr_Shortcut<ddr_UserDataMap>;
using ddr_CustomDataContainerShortcut = ddr_Shortcut<ddr_CustomDataMap>;
