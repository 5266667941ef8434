#include "ddb/platform/cls_ReadVisitor.h"

#include <cstdlib>

#include "ddb/platform/cls_AgentListObj.h"
#include "ddb/platform/nex_Exception.h"
#include "ddb/platform/rom_Transporter.h"
#include "platform/persist/Store.h"

using rom_detail::LoadedRow;
using rom_detail::Value;

namespace {

// The class id and OID of an object field, or false when the object is not stored.
bool ObjectReference(const LoadedRow& row, const cls_FieldHandle& field, std::int64_t& typeId,
                     std::int64_t& oid) {
  const Value* cls = nullptr;
  const Value* id = nullptr;
  int column = row.table->Column(field);
  static const std::string suffix = "#ClassID";
  const std::string* name = column >= 0 ? &row.table->columns[column] : nullptr;
  if (name && name->size() > suffix.size() &&
      name->compare(name->size() - suffix.size(), suffix.size(), suffix) == 0) {
    cls = &row.values[column];
    id = &row.values[column + 1];
  } else if (column < 0 && !row.added.empty()) {
    cls = row.Find(field.Name() + "#ClassID");
    id = row.Find(field.Name() + "#OID");
  }
  if (!cls || !id || cls->kind == Value::Null || id->kind == Value::Null) return false;
  typeId = cls->kind == Value::Int ? cls->i : std::strtoll(cls->s.c_str(), nullptr, 10);
  oid = id->kind == Value::Int ? id->i : std::strtoll(id->s.c_str(), nullptr, 10);
  return true;
}

}  // namespace

cls_ReadVisitor::cls_ReadVisitor() = default;
cls_ReadVisitor::~cls_ReadVisitor() = default;

cls_ReadVisitor::cls_ReadVisitor(const rom_MementoRead& memento)
    : m_store(memento.GetStore().shared_from_this()),
      m_typeId(memento.TypeId()),
      m_oid(memento.Oid()),
      m_uid(memento.Uid().IsNull() ? cls_Uid(memento.Oid()) : memento.Uid()) {}

cls_ReadVisitor::cls_ReadVisitor(std::shared_ptr<rom_detail::Store> store, std::uint32_t typeId,
                                 std::int64_t oid)
    : m_store(std::move(store)), m_typeId(typeId), m_oid(oid), m_uid(oid) {}

cls_ReadVisitor::cls_ReadVisitor(const cls_ReadVisitor& parent, const cls_FieldHandle& field)
    : m_store(parent.m_store) {
  const LoadedRow* row = parent.Row();
  std::int64_t typeId = 0, oid = 0;
  if (!row || !ObjectReference(*row, field, typeId, oid)) return;
  m_typeId = static_cast<std::uint32_t>(typeId);
  m_oid = oid;
  m_uid = cls_Uid(oid);
}

// A copy addresses the base part: the row of the base class that the object's own row links.
cls_ReadVisitor::cls_ReadVisitor(const cls_ReadVisitor& derived) : m_store(derived.m_store) {
  const LoadedRow* row = derived.Row();
  if (!row || !row->table || row->table->baseTypeId == cls_NoBaseTypeId ||
      row->table->baseTypeId == 0) {
    m_typeId = derived.m_typeId;
    m_oid = derived.m_oid;
    m_uid = derived.m_uid;
    m_row = derived.m_row;
    return;
  }
  const Value& base = row->values[1];
  if (base.kind != Value::Int) return;
  m_typeId = row->table->baseTypeId;
  m_oid = base.i;
  m_uid = cls_Uid(base.i);
}

const LoadedRow* cls_ReadVisitor::Row() const {
  if (!m_store || m_oid == 0) return nullptr;
  if (m_typeId == cls_ObjListTypeId || m_typeId == cls_PrimArrayTypeId) return nullptr;
  if (!m_row) {
    auto row = std::make_shared<LoadedRow>();
    if (!m_store->LoadRow(m_typeId, m_oid, *row))
      DDB_THROW(nex_PrimException, "'%s' is damaged: object %d of class %d is missing",
                m_store->FileName(), static_cast<long long>(m_oid), static_cast<long>(m_typeId));
    m_row = std::move(row);
  }
  return m_row.get();
}

const Value* cls_ReadVisitor::Lookup(const cls_FieldHandle& field) const {
  const LoadedRow* row = Row();
  return row ? row->Find(field) : nullptr;
}

int cls_ReadVisitor::ReadInt(const cls_FieldHandle& field, int defaultValue) const {
  return static_cast<int>(ReadInt64(field, defaultValue));
}

std::int64_t cls_ReadVisitor::ReadInt64(const cls_FieldHandle& field,
                                        std::int64_t defaultValue) const {
  const Value* v = Lookup(field);
  if (!v) return defaultValue;
  if (v->kind == Value::Real) return static_cast<std::int64_t>(v->d);
  if (v->kind == Value::Text) return std::strtoll(v->s.c_str(), nullptr, 10);
  return v->i;
}

double cls_ReadVisitor::ReadDouble(const cls_FieldHandle& field, double defaultValue) const {
  const Value* v = Lookup(field);
  if (!v) return defaultValue;
  if (v->kind == Value::Int) return static_cast<double>(v->i);
  if (v->kind == Value::Text) return std::strtod(v->s.c_str(), nullptr);
  return v->d;
}

bool cls_ReadVisitor::ReadBool(const cls_FieldHandle& field, bool defaultValue) const {
  const Value* v = Lookup(field);
  if (!v) return defaultValue;
  if (v->kind == Value::Text) return std::strtoll(v->s.c_str(), nullptr, 10) != 0;
  return v->kind == Value::Int ? v->i != 0 : defaultValue;
}

cow_String cls_ReadVisitor::ReadString(const cls_FieldHandle& field,
                                       const cow_String& defaultValue) const {
  const Value* v = Lookup(field);
  return v && v->kind == Value::Text ? cow_String(v->s) : defaultValue;
}

bool cls_ReadVisitor::DataIsPresent(const cls_FieldHandle& field) const {
  return Lookup(field) != nullptr;
}

bool cls_ReadVisitor::ObjIsPresent(const cow_String& field) const {
  const LoadedRow* row = Row();
  std::int64_t typeId = 0, oid = 0;
  return row && ObjectReference(*row, cls_FieldHandle(field.c_str()), typeId, oid);
}

cls_Uid cls_ReadVisitor::GetUid() const {
  return m_uid;
}

cow_String cls_ReadVisitor::DbId() const {
  return m_store ? m_store->FileName() : "";
}

cls_AgentListObj* cls_ReadVisitor::NewListAgent() const {
  if (!m_store || m_oid == 0) return nullptr;
  return new cls_AgentListObj(m_store, m_uid);
}

cls_AgentMapKey2Obj<cow_String>* cls_ReadVisitor::NewMapAgent() const {
  if (!m_store || m_oid == 0) return nullptr;
  return new cls_AgentMapKey2Obj<cow_String>(m_store, m_uid);
}

// An array that a row references must be stored: a missing one is damage, not an empty array.
bool cls_ReadVisitor::ReadArray(int& collectionType, std::string& bytes) const {
  if (!m_store || m_oid == 0) return false;
  if (!m_store->ReadArray(m_oid, collectionType, bytes))
    DDB_THROW(nex_PrimException, "'%s' is damaged: array %d is missing", m_store->FileName(),
              static_cast<long long>(m_oid));
  return true;
}
