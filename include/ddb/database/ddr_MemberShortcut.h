// ddr_MemberShortcut<P, M, N>: the shortcut element naming member collection M of the parent
// object P (the database record) that its parent handle names; N selects the member. Its path
// is the parent's path, ".", and the member word ("models", "result", "userData",
// "customData"). Immutable value sharing its parent's element; one thread. The persistence
// functions are defined, for the members below, in src/database/ddr_Shortcut.cpp.
#pragma once

#include <cstdint>

#include "ddb/database/ddr_Shortcut.h"
#include "ddb/frame/ZunRomDdr.h"
#include "ddb/platform/cls_Uid.h"

// The member selected by N: persisted class, path word and accessors.
template <class P, class M, int N>
struct ddr_MemberOf;

template <>
struct ddr_MemberOf<ddr_Ddb, ddr_ModelMap, 1> {
  static constexpr std::uint32_t kTypeId = ddr_TypeId_ModelContainerInDdbShortcut;
  static constexpr const char* kClassName = "ddr_ModelContainerInDdbShortcut";
  static constexpr const char* kWord = "models";
  static ddr_ModelMap& Get(ddr_Ddb& ddb) { return ddb.GetModels(); }
  static const ddr_ModelMap& ConstGet(const ddr_Ddb& ddb) { return ddb.ConstGetModels(); }
};

template <>
struct ddr_MemberOf<ddr_Ddb, ddr_ResultMap, 1> {
  static constexpr std::uint32_t kTypeId = ddr_TypeId_ResultContainerInDdbShortcut;
  static constexpr const char* kClassName = "ddr_ResultContainerInDdbShortcut";
  static constexpr const char* kWord = "result";
  static ddr_ResultMap& Get(ddr_Ddb& ddb) { return ddb.GetResults(); }
  static const ddr_ResultMap& ConstGet(const ddr_Ddb& ddb) { return ddb.ConstGetResults(); }
};

template <>
struct ddr_MemberOf<ddr_Ddb, ddr_UserDataMap, 1> {
  static constexpr std::uint32_t kTypeId = ddr_TypeId_UserDataContainerInDdbShortcut;
  static constexpr const char* kClassName = "ddr_UserDataContainerInDdbShortcut";
  static constexpr const char* kWord = "userData";
  static ddr_UserDataMap& Get(ddr_Ddb& ddb) { return ddb.GetUserData(); }
  static const ddr_UserDataMap& ConstGet(const ddr_Ddb& ddb) { return ddb.ConstGetUserData(); }
};

template <>
struct ddr_MemberOf<ddr_Ddb, ddr_CustomDataMap, 1> {
  static constexpr std::uint32_t kTypeId = ddr_TypeId_CustomDataContainerInDdbShortcut;
  static constexpr const char* kClassName = "ddr_CustomDataContainerInDdbShortcut";
  static constexpr const char* kWord = "customData";
  static ddr_CustomDataMap& Get(ddr_Ddb& ddb) { return ddb.GetCustomData(); }
  static const ddr_CustomDataMap& ConstGet(const ddr_Ddb& ddb) { return ddb.ConstGetCustomData(); }
};

template <class P, class M, int N>
class ddr_MemberShortcut : public ddr_ShortcutImpl<M> {
 public:
  using Member = ddr_MemberOf<P, M, N>;
  using Base = ddr_ShortcutImpl<M>;

  static std::uint32_t TypeId() { return Member::kTypeId; }
  static void* Ctor(cls_ReadVisitor& reader) {
    return static_cast<omu_ShortcutImpl*>(new ddr_MemberShortcut(reader));
  }
  static void InitializeMetadata(cls_ClassRegistrar& registrar);

  explicit ddr_MemberShortcut(const ddr_Shortcut<P>& parent)
      : m_parent(parent), m_uid(cls_Uid::AllocateUid()) {}
  explicit ddr_MemberShortcut(const cls_ReadVisitor& reader);
  ddr_MemberShortcut(const ddr_MemberShortcut&) = default;

  cow_String Name() const override { return Member::kWord; }
  cow_String Path() const override { return m_parent.Path() + "." + Name(); }
  omu_ShortcutImpl* Copy() const override { return new ddr_MemberShortcut(*this); }
  cow_String DdbName(ZunBasStringMode mode) const override { return m_parent.DdbName(mode); }
  const M& ConstGet(const ddr_DdbContainer& container) const override {
    return Member::ConstGet(ConstGetParent(container));
  }
  M& Get(ddr_DdbContainer& container) const override { return Member::Get(GetParent(container)); }
  void DBWrite(const cls_WriteVisitor& writer) const override;
  std::uint32_t DynTypeId() const override { return TypeId(); }

  // The object the parent handle resolves to.
  P& GetParent(ddr_DdbContainer& container) const { return m_parent.Get(container); }
  const P& ConstGetParent(const ddr_DdbContainer& container) const {
    return m_parent.ConstGet(container);
  }
  const ddr_Shortcut<P>& Parent() const { return m_parent; }
  cls_Uid Uid() const { return m_uid; }

 private:
  template <class>
  friend struct cls_LayoutOf;

  ddr_Shortcut<P> m_parent;
  cls_Uid m_uid;
};

using ddr_ModelContainerInDdbShortcut = ddr_MemberShortcut<ddr_Ddb, ddr_ModelMap, 1>;
using ddr_ResultContainerInDdbShortcut = ddr_MemberShortcut<ddr_Ddb, ddr_ResultMap, 1>;
using ddr_UserDataContainerInDdbShortcut = ddr_MemberShortcut<ddr_Ddb, ddr_UserDataMap, 1>;
using ddr_CustomDataContainerInDdbShortcut = ddr_MemberShortcut<ddr_Ddb, ddr_CustomDataMap, 1>;
