// cls_WriteVisitor: how a record writes itself (DBWrite).
//
// A record first calls StartWrite(typeId, uid); 0 means "already written in this pass" (copies
// share an identity and are stored once) and the record writes nothing more. Otherwise its
// fields go through Memento() by handle, member objects through WriteMember(field, member), and
// a derived class's base part through WriteBase(baseTypeId, ...). Each started object becomes
// one row of its class's table, stored by an explicit StoreRow() of whoever made its visitor
// and called DBWrite (WriteMember and WriteBase do so); the outermost visitor's StoreRow also
// commits the transaction, so a write is stored whole or not at all. A visitor that goes without
// StoreRow (its DBWrite raised) stores nothing, and an outermost one rolls the write back.
// Visitors are short-lived stack objects of one thread.
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/rom_Transporter.h"

class rom_MementoWrite;
class cls_AgentListObj;
class cls_AgentRequestListObj;
class cls_AgentRequestMapKey2Obj;
struct cls_InlineHost;
template <class K>
class cls_AgentMapKey2Obj;
namespace rom_detail {
class Store;
}

class cls_WriteVisitor {
 public:
  explicit cls_WriteVisitor(rom_MementoWrite& memento);
  cls_WriteVisitor(const cls_WriteVisitor& parent, const cls_FieldHandle& field, void*, void*);
  cls_WriteVisitor(const cls_WriteVisitor& derived, std::uint32_t baseTypeId);
  explicit cls_WriteVisitor(const cls_AgentRequestListObj& request);
  explicit cls_WriteVisitor(const cls_AgentRequestMapKey2Obj& request);
  ~cls_WriteVisitor();
  cls_WriteVisitor(const cls_WriteVisitor&) = delete;
  cls_WriteVisitor& operator=(const cls_WriteVisitor&) = delete;

  int StartWrite(std::uint32_t typeId, cls_Uid uid) const;
  // Stores the row of the started object (nothing when no object was started or it was already
  // written in this pass); the outermost visitor then commits. Raises when the row cannot be
  // stored, the outermost visitor after rolling the write back. Called once, after DBWrite.
  void StoreRow();

  // Writes `member` as the field `field` of the started object, storing its row.
  template <class M>
  void WriteMember(const cls_FieldHandle& field, const M& member) const {
    cls_WriteVisitor writer(*this, field, nullptr, nullptr);
    member.DBWrite(writer);
    writer.StoreRow();
  }
  // Writes the base part of the started object, `writeBase(baseWriter)` calling the base
  // class's DBWrite, and stores its row.
  template <class F>
  void WriteBase(std::uint32_t baseTypeId, const F& writeBase) const {
    cls_WriteVisitor writer(*this, baseTypeId);
    writeBase(writer);
    writer.StoreRow();
  }

  // The row memento of the started object.
  // Every field write goes through here: inline.
  rom_MementoWrite& Memento() const {
    if (m_kind == Kind::Top) return *m_top;
    if (!m_memento.m_row) NoObjectStarted();
    return m_memento;
  }
  // Whether the field this visitor writes was declared with that collection type.
  bool CheckCollectionType(int collectionType) const;
  // Whether the target table of the started object has the field.
  bool FieldIsPresent(const cls_FieldHandle& field) const;

  // Collections and primitive arrays, after StartWrite of the container's own identity.
  // `unwritten`: no copy of the list was written, so the file stores no element of it unless
  // its identity is older than the file's.
  std::unique_ptr<cls_AgentListObj> NewListAgent(bool unwritten) const;
  // Whether the file stores no element of the list: `unwritten`, and its identity is newer than
  // the file.
  bool ListIsNew(bool unwritten) const;
  std::unique_ptr<cls_AgentMapKey2Obj<cow_String>> NewMapAgent() const;
  void WriteArray(int collectionType, int count, const std::string& bytes) const;
  // From layout 4 on, a list or array written as a member field of a row being built may be
  // stored in that row: HostsInline names the row and column, StoreInline puts the entries there
  // (null: a reference to the list's runs).
  bool HostsInline(cls_InlineHost& host) const;
  void StoreInline(const std::string* entries) const;
  // Stores an empty array as no values in its member row (no "##Array" row); false when it
  // cannot be stored so.
  bool StoreEmptyArray() const;

  rom_detail::Store& GetStore() const { return *m_store; }
  std::shared_ptr<rom_detail::Store> StoreRef() const;
  cls_Uid StartedUid() const { return m_uid; }

 private:
  enum class Kind { Top, Member, Base, ListElement, MapElement };
  [[noreturn]] static void NoObjectStarted();
  void Link(std::uint32_t typeId, cls_Uid uid) const;
  void InsertRow();

  Kind m_kind;
  rom_detail::Store* m_store;
  const cls_WriteVisitor* m_parent = nullptr;
  cls_FieldHandle m_field{""};
  rom_MementoWrite* m_top = nullptr;
  const cls_AgentRequestListObj* m_listRequest = nullptr;
  const cls_AgentRequestMapKey2Obj* m_mapRequest = nullptr;
  // The memento of a started inner object; its row comes from the store's pool.
  mutable rom_MementoWrite m_memento;
  mutable std::uint32_t m_typeId = 0;
  mutable cls_Uid m_uid;
  mutable bool m_started = false;
  bool m_scopeOpen = false;  // the outermost visitor's transaction, until StoreRow
};
