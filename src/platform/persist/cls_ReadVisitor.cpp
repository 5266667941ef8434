#include "ddb/platform/cls_ReadVisitor.h"

#include <cstdlib>

#include "ddb/platform/nex_Exception.h"
#include "ddb/platform/rom_Transporter.h"
#include "platform/persist/Store.h"
#include "platform/persist/cls_AgentListObj.h"

using rom_detail::LoadedRow;
using rom_detail::Value;

namespace {

// The class id and OID of an object field, or false when the object is not stored.
bool ObjectReference(const LoadedRow& row, const cls_FieldHandle& field, std::int64_t& typeId,
                     std::int64_t& oid, const cls_Attribute** declared = nullptr,
                     const Value** inlineForm = nullptr) {
  const Value* cls = nullptr;
  const Value* id = nullptr;
  int column = row.table->Column(field);
  static const std::string suffix = "#ClassID";
  const std::string* name = column >= 0 ? &row.table->columns[column] : nullptr;
  if (name && name->size() > suffix.size() &&
      name->compare(name->size() - suffix.size(), suffix.size(), suffix) == 0) {
    cls = &row.values[column];
    id = &row.values[column + 1];
    if (declared) *declared = row.table->FieldAt(column);
  } else if (column < 0 && !row.added.empty()) {
    cls = row.Find(field.Name() + "#ClassID");
    id = row.Find(field.Name() + "#OID");
  }
  if (!cls || !id || cls->kind == Value::Null || id->kind == Value::Null) return false;
  if (inlineForm) *inlineForm = cls->blob ? cls : nullptr;
  typeId = cls->kind == Value::Int ? cls->i : std::strtoll(cls->s.c_str(), nullptr, 10);
  oid = id->kind == Value::Int ? id->i : std::strtoll(id->s.c_str(), nullptr, 10);
  return true;
}

// The class a stored reference of the field names: an array or a list (also a keyed one) for
// collections, else the declared class (or one derived from it).
std::uint32_t ReferenceClass(const cls_Attribute& field) {
  if (field.typeId == cls_PrimArrayTypeId) return cls_PrimArrayTypeId;
  switch (field.collectionType) {
    case cls_CollList:
    case cls_CollMap:
      return cls_ObjListTypeId;
    case cls_CollNone:
      return field.typeId;
    default:
      return cls_PrimArrayTypeId;
  }
}

bool OnPath(const cls_ReadPath* path, std::int64_t oid) {
  for (; path; path = path->outer.get())
    if (path->oid == oid) return true;
  return false;
}

std::shared_ptr<const cls_ReadPath> Nest(std::int64_t oid,
                                         const std::shared_ptr<const cls_ReadPath>& outer) {
  return std::make_shared<const cls_ReadPath>(cls_ReadPath{oid, outer});
}

}  // namespace

cls_ReadVisitor::cls_ReadVisitor() = default;
cls_ReadVisitor::~cls_ReadVisitor() = default;

cls_ReadVisitor::cls_ReadVisitor(const rom_MementoRead& memento)
    : m_store(memento.GetStore().shared_from_this()),
      m_typeId(memento.TypeId()),
      m_oid(memento.Oid()),
      m_uid(memento.Uid().IsNull() ? cls_Uid(memento.Oid()) : memento.Uid()),
      m_path(Nest(memento.Oid(), nullptr)) {}

cls_ReadVisitor::cls_ReadVisitor(std::shared_ptr<rom_detail::Store> store, std::uint32_t typeId,
                                 std::int64_t oid, std::shared_ptr<const cls_ReadPath> path)
    : m_store(std::move(store)),
      m_typeId(typeId),
      m_oid(oid),
      m_uid(oid),
      m_path(Nest(oid, path)) {}

// A stored reference must name what the stored layout declares for the field: a list for a list
// field, an array for an array field, the declared class or one derived from it otherwise. A
// list field must refer to a list (an empty list is stored as a reference to no runs).
cls_ReadVisitor::cls_ReadVisitor(const cls_ReadVisitor& parent, const cls_FieldHandle& field)
    : m_store(parent.m_store),
      m_path(parent.m_path),
      m_field(field),
      m_ownerType(parent.m_typeId),
      m_ownerOid(parent.m_oid) {
  const LoadedRow* row = parent.Row();
  std::int64_t typeId = 0, oid = 0;
  const cls_Attribute* declared = nullptr;
  const Value* inlineForm = nullptr;
  if (!row) return;
  if (!ObjectReference(*row, field, typeId, oid, &declared, &inlineForm)) {
    m_listMissing =
        declared && row->table->complete && ReferenceClass(*declared) == cls_ObjListTypeId;
    return;
  }
  if (inlineForm) {
    if (!declared) Damaged(Origin() + " holds stored bytes where a reference belongs");
    ReadInline(*row, *declared, *inlineForm, oid);
    return;
  }
  m_typeId = static_cast<std::uint32_t>(typeId);
  m_oid = oid;
  m_uid = cls_Uid(oid);
  if (!declared) return;
  std::uint32_t expected = ReferenceClass(*declared);
  bool pseudo = expected == cls_ObjListTypeId || expected == cls_PrimArrayTypeId;
  if (typeId < 0 || typeId > 0xffffffffLL ||
      (pseudo ? m_typeId != expected : !m_store->DerivesFrom(m_typeId, expected)))
    Damaged(Origin() + " refers to a " + m_store->ClassName(m_typeId) + " where a " +
            m_store->ClassName(expected) + " belongs");
  if (pseudo) return;
  if (OnPath(m_path.get(), oid)) Damaged(Origin() + " refers to an object that contains it");
  m_path = Nest(oid, m_path);
}

// A list or array stored in the row that refers to it: 1 to Store::kInlineListMax entries of a
// list, no values of an array. The row's checksum covers the bytes; the entries' classes are
// judged as each element is loaded.
void cls_ReadVisitor::ReadInline(const LoadedRow& row, const cls_Attribute& declared,
                                 const Value& bytes, std::int64_t oid) {
  const std::uint32_t expected = ReferenceClass(declared);
  const std::size_t size = bytes.s.size();
  const bool list = expected == cls_ObjListTypeId;
  if (!rom_detail::InlineField(declared))
    Damaged(Origin() + " holds stored bytes where a reference belongs");
  if (list ? size == 0 || size % rom_detail::Store::kListEntryBytes != 0 ||
                 size > rom_detail::Store::kInlineListMax * rom_detail::Store::kListEntryBytes
           : size != 0)
    Damaged(Origin() + " holds an inline " + (list ? "list" : "array") + " of " +
            std::to_string(size) + " bytes");
  m_typeId = expected;
  m_oid = oid;
  m_uid = cls_Uid(oid);
  m_inline = true;
  m_inlineBytes = bytes.s;
  m_inlineColumn = row.table->Column(m_field);
  m_inlineCollection = declared.collectionType;
}

// A copy addresses the base part: the row of the base class that the object's own row links.
cls_ReadVisitor::cls_ReadVisitor(const cls_ReadVisitor& derived)
    : m_store(derived.m_store), m_path(derived.m_path) {
  const LoadedRow* row = derived.Row();
  if (!row || !row->table || !row->table->HasBase()) {
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
      Damaged(m_store->ObjectName(m_typeId, m_oid) + " is missing");
    m_row = std::move(row);
  }
  return m_row.get();
}

void cls_ReadVisitor::Damaged(const std::string& what) const {
  if (!m_store) DDB_THROW(nex_PrimException, "a stored object is damaged: %s", what);
  m_store->Damaged(what);
}

std::string cls_ReadVisitor::Origin() const {
  if (m_ownerOid == 0) return "the object read";
  return "field '" + m_field.Name() + "' of " + m_store->ObjectName(m_ownerType, m_ownerOid);
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

std::unique_ptr<cls_AgentListObj> cls_ReadVisitor::NewListAgent() const {
  if (m_listMissing) Damaged(Origin() + " refers to no list");
  if (!m_store || m_oid == 0) return nullptr;
  if (OnPath(m_path.get(), m_oid))
    Damaged("list " + std::to_string(m_oid) + " in " + Origin() + " contains itself");
  if (m_inline) {
    std::vector<cls_ListEntry> entries;
    rom_detail::Store::DecodeEntries(m_inlineBytes.data(), m_inlineBytes.size(), entries);
    return std::make_unique<cls_AgentListObj>(
        m_store, m_uid, Nest(m_oid, m_path),
        cls_InlineHost{m_ownerType, m_ownerOid, m_inlineColumn}, std::move(entries));
  }
  return std::make_unique<cls_AgentListObj>(m_store, m_uid, Nest(m_oid, m_path));
}

std::unique_ptr<cls_AgentMapKey2Obj<cow_String>> cls_ReadVisitor::NewMapAgent() const {
  if (m_listMissing) Damaged(Origin() + " refers to no map");
  if (!m_store || m_oid == 0) return nullptr;
  if (OnPath(m_path.get(), m_oid))
    Damaged("map " + std::to_string(m_oid) + " in " + Origin() + " contains itself");
  return std::make_unique<cls_AgentMapKey2Obj<cow_String>>(m_store, m_uid, Nest(m_oid, m_path));
}

// Arrays with no values may be left unwritten, so an absent reference reads as no array; a
// reference to an array the file does not hold is damage.
bool cls_ReadVisitor::ReadArray(int& collectionType, std::string& bytes) const {
  if (!m_store || m_oid == 0) return false;
  if (m_inline) {
    collectionType = m_inlineCollection;
    bytes.clear();
    return true;
  }
  if (!m_store->ReadArray(m_oid, collectionType, bytes))
    Damaged("array " + std::to_string(m_oid) + " in " + Origin() + " is missing");
  return true;
}
