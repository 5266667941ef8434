// ddr_DdbShortcutImpl: the shortcut element naming an open database by its persistent name; the
// root of every shortcut chain. Its path is ddbCont['<name>'] and it resolves through
// ddr_DdbContainer::Get, so a database that is not open raises the container's
// nex_CmdException. The name is kept in UTF-8 and stored marked as the database record stores
// its own (a name with a byte of 0x80 or above gets the prefix "[UTF8]"). Immutable value; one
// thread.
#pragma once

#include <cstdint>

#include "ddb/database/ddr_ShortcutImpl.h"
#include "ddb/platform/cls_Uid.h"

class ddr_DdbShortcutImpl : public ddr_ShortcutImpl<ddr_Ddb> {
 public:
  static std::uint32_t TypeId();
  static void* Ctor(cls_ReadVisitor& reader);
  static void InitializeMetadata(cls_ClassRegistrar& registrar);

  // A new identity for the database of that persistent name (given in the locale encoding when
  // mode is Locale).
  explicit ddr_DdbShortcutImpl(const cow_String& persistentName,
                               ZunBasStringMode mode = ZunBasStringMode::UTF8);
  explicit ddr_DdbShortcutImpl(const cls_ReadVisitor& reader);
  ddr_DdbShortcutImpl(const ddr_DdbShortcutImpl&) = default;

  cow_String Name() const override { return m_name; }
  cow_String Path() const override;
  omu_ShortcutImpl* Copy() const override { return new ddr_DdbShortcutImpl(*this); }
  cow_String DdbName(ZunBasStringMode mode) const override;
  const ddr_Ddb& ConstGet(const ddr_DdbContainer& container) const override;
  ddr_Ddb& Get(ddr_DdbContainer& container) const override;
  void DBWrite(const cls_WriteVisitor& writer) const override;
  std::uint32_t DynTypeId() const override { return TypeId(); }

  cls_Uid Uid() const { return m_uid; }

 private:
  template <class>
  friend struct cls_LayoutOf;
  cow_String m_name;
  cls_Uid m_uid;
};
