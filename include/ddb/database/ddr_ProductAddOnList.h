// ddr_ProductAddOnList: the add-on products that took part in an analysis, in the order they
// were added, persisted with the database record as one primitive array of their canonical
// strings under the list's own identity. A stored string outside ddr_ProductAddOnEnum's table
// raises nex_CmdException on read; Get outside 0..Size()-1 raises the list's range error.
// Value type; not thread-safe.
#pragma once

#include <cstdint>

#include "ddb/database/ddr_ProductAddOnEnum.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_List.h"

class ddr_ProductAddOnList {
 public:
  using AddOn = omu_PrimEnum<ddr_ProductAddOnEnum, 1>;

  static std::uint32_t TypeId() { return cls_PrimArrayTypeId; }

  ddr_ProductAddOnList() : m_uid(cls_Uid::AllocateUid()) {}
  explicit ddr_ProductAddOnList(const cls_ReadVisitor& reader);
  ddr_ProductAddOnList(const ddr_ProductAddOnList&) = default;
  ddr_ProductAddOnList& operator=(const ddr_ProductAddOnList&) = default;
  ~ddr_ProductAddOnList() = default;

  int Size() const { return m_list.Length(); }
  AddOn& Get(int index) { return m_list[index]; }
  const AddOn& Get(int index) const { return m_list[index]; }
  void Append(const AddOn& value) { m_list.Append(value); }
  cls_Uid Uid() const { return m_uid; }

  void DBWrite(const cls_WriteVisitor& writer) const;

 private:
  cow_List<AddOn> m_list;
  cls_Uid m_uid;
};
