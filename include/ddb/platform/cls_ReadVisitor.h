// cls_ReadVisitor: how a record reads itself (its read constructor).
//
// A reader is positioned on one stored object. Fields are read by handle with a default that a
// stored object lacking the field yields, so rows of older layouts read cleanly. A sub-reader
// cls_ReadVisitor(parent, field) is positioned on the object a member field refers to; a copy
// of a reader is positioned on the base part of the object (each level of a derived object is
// a row of its own class, with an identity of its own). A default-constructed reader has no
// backing store: every field is absent. Readers share the store of their transporter and belong
// to one thread.
//
// A reader trusts nothing it reads: a stored reference to an object of the wrong class, a list
// that the layout declares but the row does not refer to, a reference to a list or object that
// the reader is already inside, a missing row or array and a value of the wrong storage class
// raise nex_PrimException "'<file>' is damaged: ..." naming the class and the object.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cow_String.h"

class rom_MementoRead;
class cls_AgentListObj;
template <class K>
class cls_AgentMapKey2Obj;
namespace rom_detail {
class Store;
struct LoadedRow;
struct Value;
}  // namespace rom_detail

// The lists and objects a reader is nested in, innermost first.
struct cls_ReadPath {
  std::int64_t oid;
  std::shared_ptr<const cls_ReadPath> outer;
};

class cls_ReadVisitor {
 public:
  cls_ReadVisitor();
  explicit cls_ReadVisitor(const rom_MementoRead& memento);
  cls_ReadVisitor(const cls_ReadVisitor& parent, const cls_FieldHandle& field);
  // Base-part reader.
  cls_ReadVisitor(const cls_ReadVisitor& derived);
  // A reader on the stored object (typeId, oid), nested in `path`; used by the collection agents.
  cls_ReadVisitor(std::shared_ptr<rom_detail::Store> store, std::uint32_t typeId, std::int64_t oid,
                  std::shared_ptr<const cls_ReadPath> path = nullptr);
  ~cls_ReadVisitor();
  cls_ReadVisitor& operator=(const cls_ReadVisitor&) = delete;

  int ReadInt(const cls_FieldHandle& field, int defaultValue) const;
  std::int64_t ReadInt64(const cls_FieldHandle& field, std::int64_t defaultValue) const;
  double ReadDouble(const cls_FieldHandle& field, double defaultValue) const;
  bool ReadBool(const cls_FieldHandle& field, bool defaultValue) const;
  cow_String ReadString(const cls_FieldHandle& field, const cow_String& defaultValue) const;

  bool DataIsPresent(const cls_FieldHandle& field) const;
  bool ObjIsPresent(const cow_String& field) const;
  cls_Uid GetUid() const;
  // The file name of the database being read ("" without a store).
  cow_String DbId() const;
  bool HasStore() const { return m_store != nullptr; }
  // The stored class and identity of the object (0 when nothing is stored).
  std::uint32_t StoredTypeId() const { return m_typeId; }
  std::int64_t Oid() const { return m_oid; }

  // Collections and primitive arrays. Null / false when nothing is stored for the object.
  std::unique_ptr<cls_AgentListObj> NewListAgent() const;
  std::unique_ptr<cls_AgentMapKey2Obj<cow_String>> NewMapAgent() const;
  bool ReadArray(int& collectionType, std::string& bytes) const;
  // The list or array read is stored in its owner's row (layout 4).
  bool IsInline() const { return m_inline; }

  const std::shared_ptr<rom_detail::Store>& StoreRef() const { return m_store; }
  // Raises "'<file>' is damaged: <what>".
  [[noreturn]] void Damaged(const std::string& what) const;

 private:
  // "field 'm_stepList' of dia_DiagnosticData 12": where a sub-reader's reference is stored.
  std::string Origin() const;
  const rom_detail::LoadedRow* Row() const;
  void ReadInline(const rom_detail::LoadedRow& row, const cls_Attribute& declared,
                  const rom_detail::Value& bytes, std::int64_t oid);
  const rom_detail::Value* Lookup(const cls_FieldHandle& field) const;

  std::shared_ptr<rom_detail::Store> m_store;
  std::uint32_t m_typeId = 0;
  std::int64_t m_oid = 0;
  cls_Uid m_uid;
  mutable std::shared_ptr<rom_detail::LoadedRow> m_row;
  std::shared_ptr<const cls_ReadPath> m_path;
  // A sub-reader's field and the object holding it, for messages.
  cls_FieldHandle m_field{""};
  std::uint32_t m_ownerType = 0;
  std::int64_t m_ownerOid = 0;
  // The stored layout declares a list here but the row refers to none.
  bool m_listMissing = false;
  // An inline list or array: its entries (12 bytes each; none for an array), the column holding
  // them and the array's collection type.
  bool m_inline = false;
  std::string m_inlineBytes;
  int m_inlineColumn = -1;
  int m_inlineCollection = 0;
};
