#include "ddb/platform/cls_WriteVisitor.h"

#include <cstdio>
#include <exception>

#include "ddb/platform/nex_Exception.h"
#include "ddb/platform/rom_Transporter.h"
#include "platform/persist/Store.h"
#include "platform/persist/cls_AgentListObj.h"

using rom_detail::PendingRow;
using rom_detail::Store;
using rom_detail::Value;

namespace {

bool IsPseudoClass(std::uint32_t typeId) {
  return typeId == cls_ObjListTypeId || typeId == cls_PrimArrayTypeId;
}

}  // namespace

cls_WriteVisitor::cls_WriteVisitor(rom_MementoWrite& memento)
    : m_kind(Kind::Top), m_store(&memento.GetStore()), m_top(&memento), m_memento(*m_store) {
  m_store->BeginScope();
  m_scopeOpen = true;
}

cls_WriteVisitor::cls_WriteVisitor(const cls_WriteVisitor& parent, const cls_FieldHandle& field,
                                   void*, void*)
    : m_kind(Kind::Member),
      m_store(parent.m_store),
      m_parent(&parent),
      m_field(field),
      m_memento(*m_store) {}

cls_WriteVisitor::cls_WriteVisitor(const cls_WriteVisitor& derived, std::uint32_t)
    : m_kind(Kind::Base), m_store(derived.m_store), m_parent(&derived), m_memento(*m_store) {}

cls_WriteVisitor::cls_WriteVisitor(const cls_AgentRequestListObj& request)
    : m_kind(Kind::ListElement),
      m_store(&request.Agent().GetStore()),
      m_listRequest(&request),
      m_memento(*m_store) {}

cls_WriteVisitor::cls_WriteVisitor(const cls_AgentRequestMapKey2Obj& request)
    : m_kind(Kind::MapElement),
      m_store(&request.Agent().GetStore()),
      m_mapRequest(&request),
      m_memento(*m_store) {}

// An outermost visitor that goes without StoreRow (its DBWrite raised) rolls the write back.
cls_WriteVisitor::~cls_WriteVisitor() {
  if (!m_scopeOpen) return;
  try {
    m_store->EndScope(false);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "'%s': a write could not be rolled back: %s\n",
                 m_store->FileName().c_str(), e.what());
  }
}

void cls_WriteVisitor::StoreRow() {
  if (m_kind != Kind::Top) {
    InsertRow();
    return;
  }
  if (!m_scopeOpen) DDB_THROW(nex_PrimException, "cls_WriteVisitor: the row was already stored");
  m_scopeOpen = false;
  try {
    if (m_started) InsertRow();
  } catch (...) {
    m_store->EndScope(false);
    throw;
  }
  m_store->EndScope(true);
}

void cls_WriteVisitor::InsertRow() {
  rom_MementoWrite& memento = m_kind == Kind::Top ? *m_top : m_memento;
  if (memento.m_row) m_store->InsertRow(*memento.m_row);
}

void cls_WriteVisitor::Link(std::uint32_t typeId, cls_Uid uid) const {
  switch (m_kind) {
    case Kind::Member: {
      PendingRow& row = m_parent->Memento().Row();
      int column = row.Table().Column(m_field);
      if (column < 0) break;
      // An unattached copy of a list stored inline earlier in this transaction stores the same.
      const std::string* entries =
          typeId == cls_ObjListTypeId ? m_store->InlineInPass(uid.Value()) : nullptr;
      if (entries)
        row.SetBlob(column, *entries);
      else
        row.SetInt(column, typeId);
      row.SetInt(column + 1, uid.Value());
      break;
    }
    case Kind::Base:
      m_parent->Memento().Row().SetInt(1, uid.Value());
      break;
    case Kind::ListElement: {
      cls_AgentListObj& agent = m_listRequest->Agent();
      agent.Written(m_listRequest->Index(), typeId, uid);
      break;
    }
    case Kind::MapElement: {
      auto& agent = m_mapRequest->Agent();
      m_store->WriteMapEntry(agent.Uid().Value(), m_mapRequest->Key().str(), typeId, uid.Value());
      agent.Written(m_mapRequest->Key());
      break;
    }
    case Kind::Top:
      break;
  }
}

int cls_WriteVisitor::StartWrite(std::uint32_t typeId, cls_Uid uid) const {
  if (m_started) DDB_THROW(nex_PrimException, "cls_WriteVisitor: an object was already started");
  if (m_kind == Kind::Top && typeId != m_top->TypeId())
    DDB_THROW(nex_PrimException, "cls_WriteVisitor: class %d written where %d was expected",
              static_cast<long>(typeId), static_cast<long>(m_top->TypeId()));
  Link(typeId, uid);
  if (!m_store->Barn().MarkWritten(typeId, uid)) return 0;
  m_typeId = typeId;
  m_uid = uid;
  m_started = true;
  if (IsPseudoClass(typeId)) return 1;
  rom_detail::ClassTable& table = m_store->ForWrite(typeId);
  if (m_kind == Kind::Top) {
    std::int64_t oid = m_top->RowIndex() < 0 ? cls_Uid::AllocateUid().Value()
                                             : m_store->RowOid(typeId, m_top->RowIndex());
    m_top->StartRow(typeId, table, oid);
  } else {
    m_memento.StartRow(typeId, table, uid.Value());
  }
  return 1;
}

void cls_WriteVisitor::NoObjectStarted() {
  DDB_THROW(nex_PrimException, "cls_WriteVisitor: no object was started");
}

bool cls_WriteVisitor::CheckCollectionType(int collectionType) const {
  if (m_kind != Kind::Member) return true;
  const rom_detail::ClassTable& table = m_parent->Memento().Row().Table();
  const cls_Attribute* field = table.FieldAt(table.Column(m_field));
  return field && field->collectionType == collectionType;
}

bool cls_WriteVisitor::FieldIsPresent(const cls_FieldHandle& field) const {
  if (!m_started || IsPseudoClass(m_typeId)) return false;
  return Memento().Row().Table().Column(field) >= 0;
}

bool cls_WriteVisitor::ListIsNew(bool unwritten) const {
  return unwritten && m_store->NewerThanFile(m_uid.Value());
}

std::unique_ptr<cls_AgentListObj> cls_WriteVisitor::NewListAgent(bool unwritten) const {
  bool empty = ListIsNew(unwritten);
  cls_InlineHost host;
  std::vector<cls_ListEntry> entries;
  // A list the file may store already, inline in the row this one replaces.
  if (!empty && HostsInline(host) && m_store->StoredInline(host, m_uid.Value(), entries))
    return std::make_unique<cls_AgentListObj>(StoreRef(), m_uid, nullptr, std::move(host),
                                              std::move(entries));
  return std::make_unique<cls_AgentListObj>(StoreRef(), m_uid, nullptr, empty);
}

std::unique_ptr<cls_AgentMapKey2Obj<cow_String>> cls_WriteVisitor::NewMapAgent() const {
  return std::make_unique<cls_AgentMapKey2Obj<cow_String>>(StoreRef(), m_uid);
}

void cls_WriteVisitor::WriteArray(int collectionType, int count, const std::string& bytes) const {
  m_store->WriteArray(m_uid.Value(), collectionType, count, bytes);
}

std::shared_ptr<rom_detail::Store> cls_WriteVisitor::StoreRef() const {
  return m_store->shared_from_this();
}

// Not a top record's row: every save of the record appends a new row.
bool cls_WriteVisitor::HostsInline(cls_InlineHost& host) const {
  if (m_kind != Kind::Member || m_parent->m_kind == Kind::Top || !m_store->StoresInline() ||
      !m_parent->m_started || IsPseudoClass(m_parent->m_typeId))
    return false;
  const rom_detail::ClassTable& table = m_parent->Memento().Row().Table();
  const int column = table.Column(m_field);
  const cls_Attribute* field = table.FieldAt(column);
  if (!field || !rom_detail::InlineField(*field)) return false;
  host.typeId = m_parent->m_typeId;
  host.oid = m_parent->Memento().Row().Values()[0].i;
  host.column = column;
  return true;
}

void cls_WriteVisitor::StoreInline(const std::string* entries) const {
  PendingRow& row = m_parent->Memento().Row();
  const int column = row.Table().Column(m_field);
  if (entries)
    row.SetBlob(column, *entries);
  else
    row.SetInt(column, cls_ObjListTypeId);
}

bool cls_WriteVisitor::StoreEmptyArray() const {
  cls_InlineHost host;
  if (!HostsInline(host)) return false;
  const std::string none;
  StoreInline(&none);
  return true;
}
