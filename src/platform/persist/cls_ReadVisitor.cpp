#include "ddb/platform/cls_ReadVisitor.h"

#include "ddb/platform/cls_AgentListObj.h"
#include "ddb/platform/nex_Exception.h"
#include "ddb/platform/rom_Transporter.h"
#include "platform/persist/Store.h"

using rom_detail::LoadedRow;
using rom_detail::Value;

namespace {
// The "#ClassID" column of an object field in the stored layout ("#OID" follows), or -1.
int ObjectColumn(const rom_detail::ClassTable& table, const cls_FieldHandle& field) {
  int column = table.Column(field);
  if (column < 0) return -1;
  const std::string& name = table.columns[column];
  static const std::string suffix = "#ClassID";
  bool isObject = name.size() > suffix.size() &&
                  name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
  return isObject ? column : -1;
}
}  // namespace

cls_ReadVisitor::cls_ReadVisitor() = default;
cls_ReadVisitor::~cls_ReadVisitor() = default;

cls_ReadVisitor::cls_ReadVisitor(const rom_MementoRead& memento)
    : m_store(memento.GetStore().shared_from_this()), m_typeId(memento.TypeId()),
      m_oid(memento.Oid()), m_uid(memento.Uid().IsNull() ? cls_Uid(memento.Oid()) : memento.Uid()) {}

cls_ReadVisitor::cls_ReadVisitor(std::shared_ptr<rom_detail::Store> store, std::uint32_t typeId,
                                 std::int64_t oid)
    : m_store(std::move(store)), m_typeId(typeId), m_oid(oid), m_uid(oid) {}

cls_ReadVisitor::cls_ReadVisitor(const cls_ReadVisitor& parent, const cls_FieldHandle& field)
    : m_store(parent.m_store) {
  const LoadedRow* row = parent.Row();
  if (!row) return;
  int classColumn = ObjectColumn(*row->table, field);
  if (classColumn < 0) return;
  int oidColumn = classColumn + 1;
  const Value& cls = row->values[classColumn];
  const Value& oid = row->values[oidColumn];
  if (cls.kind != Value::Int || oid.kind != Value::Int) return;
  m_typeId = static_cast<std::uint32_t>(cls.i);
  m_oid = oid.i;
  m_uid = cls_Uid(oid.i);
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

int cls_ReadVisitor::Column(const cls_FieldHandle& field) const {
  const LoadedRow* row = Row();
  return row ? row->table->Column(field) : -1;
}

namespace {
const Value* Field(const LoadedRow* row, int column) {
  if (!row || column < 0) return nullptr;
  const Value& v = row->values[column];
  return v.kind == Value::Null ? nullptr : &v;
}
}  // namespace

int cls_ReadVisitor::ReadInt(const cls_FieldHandle& field, int defaultValue) const {
  return static_cast<int>(ReadInt64(field, defaultValue));
}

std::int64_t cls_ReadVisitor::ReadInt64(const cls_FieldHandle& field,
                                        std::int64_t defaultValue) const {
  const Value* v = Field(Row(), Column(field));
  if (!v) return defaultValue;
  if (v->kind == Value::Real) return static_cast<std::int64_t>(v->d);
  return v->kind == Value::Int ? v->i : defaultValue;
}

double cls_ReadVisitor::ReadDouble(const cls_FieldHandle& field, double defaultValue) const {
  const Value* v = Field(Row(), Column(field));
  if (!v) return defaultValue;
  if (v->kind == Value::Int) return static_cast<double>(v->i);
  return v->kind == Value::Real ? v->d : defaultValue;
}

bool cls_ReadVisitor::ReadBool(const cls_FieldHandle& field, bool defaultValue) const {
  const Value* v = Field(Row(), Column(field));
  return v && v->kind == Value::Int ? v->i != 0 : defaultValue;
}

cow_String cls_ReadVisitor::ReadString(const cls_FieldHandle& field,
                                       const cow_String& defaultValue) const {
  const Value* v = Field(Row(), Column(field));
  return v && v->kind == Value::Text ? cow_String(v->s) : defaultValue;
}

bool cls_ReadVisitor::DataIsPresent(const cls_FieldHandle& field) const {
  return Field(Row(), Column(field)) != nullptr;
}

bool cls_ReadVisitor::ObjIsPresent(const cow_String& field) const {
  const LoadedRow* row = Row();
  if (!row) return false;
  int column = ObjectColumn(*row->table, cls_FieldHandle(field.c_str()));
  return column >= 0 && Field(row, column + 1) != nullptr;
}

cls_Uid cls_ReadVisitor::GetUid() const { return m_uid; }

cow_String cls_ReadVisitor::DbId() const { return m_store ? m_store->FileName() : ""; }

cls_AgentListObj* cls_ReadVisitor::NewListAgent() const {
  if (!m_store || m_oid == 0) return nullptr;
  return new cls_AgentListObj(m_store, m_uid);
}

cls_AgentMapKey2Obj<cow_String>* cls_ReadVisitor::NewMapAgent() const {
  if (!m_store || m_oid == 0) return nullptr;
  return new cls_AgentMapKey2Obj<cow_String>(m_store, m_uid);
}

bool cls_ReadVisitor::ReadArray(int& collectionType, std::string& bytes) const {
  if (!m_store || m_oid == 0) return false;
  return m_store->ReadArray(m_oid, collectionType, bytes);
}
