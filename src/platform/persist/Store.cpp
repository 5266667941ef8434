#include "platform/persist/Store.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/nex_Exception.h"
#include "platform/persist/Checksum.h"
#include "platform/persist/Conversion.h"
#include "platform/persist/cls_AgentListObj.h"
#include "platform/persist/rfm_FileEngine.h"

namespace rom_detail {

namespace {

// The kinds of value (bits 1 << Value::Kind) that a column of the attribute type stores as they
// stand; Store::StoredForm converts the others.
unsigned char StoredAsIs(int attributeType) {
  constexpr unsigned char kNull = 1 << Value::Null, kInt = 1 << Value::Int;
  constexpr unsigned char kReal = 1 << Value::Real, kText = 1 << Value::Text;
  if (attributeType < 0) return kNull | kInt | kReal | kText;  // "OID", "##BaseClassOID"
  if (attributeType == cls_AttrDouble) return kNull | kReal | kText;
  if (attributeType == cls_AttrString || attributeType == cls_AttrEnum) return kNull | kText;
  return kNull | kInt | kText;  // a whole real is stored as an integer
}

// Binds a text or blob as parameter i from its bytes, wherever they are held; they stay
// unchanged until the statement runs.
void BindText(SqlStmt& stmt, int i, bool blob, std::pair<const char*, std::size_t> text) {
  if (blob)
    stmt.BindStaticBlob(i, text.first, text.second);
  else
    stmt.BindStatic(i, text.first, text.second);
}

// The value stays unchanged until the statement runs. Every column of every row is bound here:
// inline.
inline void BindValue(SqlStmt& stmt, int i, const Value& v) {
  switch (v.kind) {
    case Value::Int:
      stmt.Bind(i, v.i);
      break;
    case Value::Real:
      stmt.Bind(i, v.d);
      break;
    case Value::Text:
      BindText(stmt, i, v.blob, {v.s.data(), v.s.size()});
      break;
    default:
      stmt.BindNull(i);
  }
}

}  // namespace

Value ColumnValue(const SqlStmt& stmt, int col) {
  Value v;
  switch (stmt.Type(col)) {
    case SQLITE_INTEGER:
      v.kind = Value::Int;
      v.i = stmt.Int(col);
      break;
    case SQLITE_FLOAT:
      v.kind = Value::Real;
      v.d = stmt.Real(col);
      break;
    case SQLITE_TEXT:
      v.kind = Value::Text;
      v.s = stmt.Text(col);
      break;
    case SQLITE_BLOB:
      v.kind = Value::Text;
      v.s = stmt.Blob(col);
      v.blob = true;
      break;
    default:
      break;
  }
  return v;
}

int ClassTable::MatchColumn(const cls_FieldHandle& field) const {
  int index = field.Index();
  if (index >= 0 && index < static_cast<int>(fields.size())) {
    if (fields[index].name == field.CName()) {
      if (!field.OwnsName()) {
        m_matchedNames.resize(fields.size(), nullptr);
        m_matchedNames[index] = field.CName();
      }
      return fieldColumn[index];
    }
  }
  return Column(std::string(field.CName()));
}

int ClassTable::Column(const std::string& name) const {
  auto it = columnIndex.find(name);
  return it == columnIndex.end() ? -1 : it->second;
}

const cls_Attribute* ClassTable::FieldAt(int column) const {
  if (column < 0 || column >= static_cast<int>(columnField.size()) || columnField[column] < 0)
    return nullptr;
  return &fields[columnField[column]];
}

const Value* LoadedRow::Find(const cls_FieldHandle& field) const {
  int column = table->Column(field);
  if (column >= 0) return values[column].kind == Value::Null ? nullptr : &values[column];
  return added.empty() ? nullptr : Find(std::string(field.CName()));
}

const Value* LoadedRow::Find(const std::string& name) const {
  int column = table->Column(name);
  if (column >= 0) return values[column].kind == Value::Null ? nullptr : &values[column];
  auto it = added.find(name);
  return it == added.end() || it->second.kind == Value::Null ? nullptr : &it->second;
}

void BuildColumns(ClassTable& table) {
  table.columns = {"OID", "##BaseClassOID"};
  table.columnField = {-1, -1};
  table.fieldColumn.clear();
  for (const cls_Attribute& a : table.fields) {
    int f = static_cast<int>(table.fieldColumn.size());
    table.fieldColumn.push_back(static_cast<int>(table.columns.size()));
    if (a.attributeType == cls_AttrObject) {
      table.columns.push_back(a.name + "#ClassID");
      table.columns.push_back(a.name + "#OID");
      table.columnField.push_back(f);
    } else {
      table.columns.push_back(a.name);
    }
    table.columnField.push_back(f);
  }
  table.columnAttribute.assign(table.columns.size(), -1);
  table.storedAsIs.assign(table.columns.size(), 0);
  for (std::size_t c = 0; c < table.columns.size(); ++c) {
    if (table.columnField[c] >= 0)
      table.columnAttribute[c] = table.fields[table.columnField[c]].attributeType;
    table.storedAsIs[c] = StoredAsIs(table.columnAttribute[c]);
  }
  table.columnIndex.clear();
  for (std::size_t i = 0; i < table.columns.size(); ++i)
    table.columnIndex.emplace(table.columns[i], static_cast<int>(i));
  // An object field's plain name finds its first column ("#ClassID"; "#OID" follows).
  for (std::size_t f = 0; f < table.fields.size(); ++f)
    table.columnIndex.emplace(table.fields[f].name, table.fieldColumn[f]);
}

PendingRow::PendingRow(ClassTable& table, std::int64_t oid)
    : m_table(&table), m_values(table.columns.size()), m_texts(table.columns.size(), {nullptr, 0}) {
  m_values[0].kind = Value::Int;
  m_values[0].i = oid;
}

// A column's text pointer is set by whatever makes its value a text, so it needs no clearing.
void PendingRow::Restart(ClassTable& table, std::int64_t oid) {
  m_table = &table;
  m_values.resize(table.columns.size());
  m_texts.resize(table.columns.size());
  for (Value& v : m_values) v.kind = Value::Null;
  m_values[0].kind = Value::Int;
  m_values[0].i = oid;
}

void PendingRow::SetText(int column, const char* text, std::size_t size) {
  if (column <= 0 || column >= static_cast<int>(m_values.size())) return;
  m_values[column].kind = Value::Text;
  m_values[column].s.assign(text, size);
  m_values[column].blob = false;
  m_texts[column].first = nullptr;
}

void PendingRow::SetBlob(int column, const std::string& bytes) {
  if (column <= 0 || column >= static_cast<int>(m_values.size())) return;
  m_values[column].kind = Value::Text;
  m_values[column].s = bytes;
  m_values[column].blob = true;
  m_texts[column].first = nullptr;
}

void PendingRow::Set(int column, Value value) {
  if (column <= 0 || column >= static_cast<int>(m_values.size())) return;
  m_values[column] = std::move(value);
  m_texts[column].first = nullptr;
}

void PendingRow::Set(const cls_FieldHandle& field, Value value) {
  Set(m_table->Column(field), std::move(value));
}

void PendingRow::Set(const std::string& column, Value value) {
  Set(m_table->Column(column), std::move(value));
}

Store::Store(rfm_FileHandle file, const cls_ClassRegistrar* registrar)
    : m_file(std::move(file)),
      m_registrar(registrar),
      m_db(rfm_Connection(*m_file), m_file->FileName().str()) {
  // SQLite then checks every b-tree page's cells as it reads the page, so that a damaged page
  // header (a cell count, a cell offset) raises instead of hiding rows.
  m_db.Exec("PRAGMA cell_size_check = ON");
}

Store::~Store() {
  if (m_depth > 0) {
    try {
      m_db.Exec("ROLLBACK");
    } catch (...) {
    }
  }
}

const cls_ClassRegistrar& Store::Registrar() const {
  return m_registrar ? *m_registrar : cls_MetadataRegistrar::Instance().ProcessRegistrar();
}

void Store::OpenDatabase(const std::string& dbName) {
  VerifyTables(TableKind::Framework);
  std::string stored = MetaValue("database");
  if (stored != dbName)
    DDB_THROW(nex_PrimException, "'%s' holds no database named '%s'", FileName(), dbName);
  LoadCatalog();
  VerifyTables(TableKind::Classes);
  PrepareConversions();
  if (!ReadOnly()) ReserveStoredIdentities();
}

int Store::Layout() {
  if (m_layout < 0) {
    SqlStmt s(m_db, "PRAGMA user_version");
    m_layout = s.Step() ? static_cast<int>(s.Int(0)) : 0;
  }
  return m_layout;
}

std::string Store::MetaValue(const std::string& key) {
  SqlStmt& get = Cached("SELECT value FROM \"##Meta\" WHERE key = ?");
  get.Reset().Bind(1, key);
  std::string value = get.Step() ? get.Text(0) : std::string();
  get.Reset();
  return value;
}

void Store::Damaged(const std::string& what) const {
  DDB_THROW(nex_PrimException, "'%s' is damaged: %s", FileName(), what);
}

std::string Store::ClassName(std::uint32_t typeId) const {
  auto it = m_tables.find(typeId);
  if (it != m_tables.end()) return it->second->name;
  if (const cls_ClassMetadata* md = Registrar().Find(typeId)) return md->Name().str();
  if (typeId == cls_ObjListTypeId) return "list";
  if (typeId == cls_PrimArrayTypeId) return "array";
  char text[32];
  std::snprintf(text, sizeof text, "0x%06x", static_cast<unsigned>(typeId));
  return std::string("class ") + text;
}

std::string Store::ObjectName(std::uint32_t typeId, std::int64_t oid) const {
  return ClassName(typeId) + " " + std::to_string(oid);
}

bool Store::Knows(std::uint32_t typeId) const {
  return Registrar().Find(typeId) || m_tables.count(typeId);
}

bool Store::DerivesFrom(std::uint32_t typeId, std::uint32_t expected) const {
  for (int depth = 0; depth < 64; ++depth) {
    if (typeId == expected) return true;
    std::uint32_t base = 0;
    if (const cls_ClassMetadata* md = Registrar().Find(typeId))
      base = md->BaseTypeId();
    else if (auto it = m_tables.find(typeId); it != m_tables.end())
      base = it->second->baseTypeId;
    if (base == 0 || base == cls_NoBaseTypeId) return false;
    typeId = base;
  }
  return false;
}

void Store::PrepareConversions() {
  const bool converted = !MetaValue("converted").empty();
  for (auto& entry : m_tables) {
    ClassTable& t = *entry.second;
    const cls_ClassMetadata* md = Registrar().Find(t.typeId);
    t.complete = Checked() && md && t.version == md->Version() && !converted;
    if (!md || t.version >= md->Version()) continue;
    const std::vector<dbc_ConversionFn>& functions = ConversionsFor(t.typeId, t.version);
    if (!functions.empty()) t.conversions = &functions;
  }
}

void Store::ReserveStoredIdentities() {
  m_storedAtOpen = HighestStoredOid();
  cls_Uid::ReserveAbove(m_storedAtOpen);
}

std::int64_t Store::HighestStoredOid() {
  std::int64_t highest = 0;
  auto take = [&](const std::string& sql) {
    SqlStmt s(m_db, sql);
    if (s.Step() && s.Type(0) == SQLITE_INTEGER) highest = std::max(highest, s.Int(0));
  };
  for (auto& entry : m_tables) {
    const ClassTable& t = *entry.second;
    std::string maxima = "MAX(OID)";
    // From layout 4 on the identity of an inline list or array is found in its owner's row only.
    if (StoresInline())
      for (std::size_t f = 0; f < t.fields.size(); ++f)
        if (InlineField(t.fields[f]))
          maxima += ", MAX(" + SqlQuote(t.columns[t.fieldColumn[f] + 1]) + ")";
    SqlStmt s(m_db, "SELECT " + maxima + " FROM " + SqlQuote(t.table));
    if (s.Step())
      for (int c = 0; c < s.Columns(); ++c)
        if (s.Type(c) == SQLITE_INTEGER) highest = std::max(highest, s.Int(c));
  }
  take("SELECT MAX(list) FROM \"##List\"");
  take("SELECT MAX(map) FROM \"##Map\"");
  take("SELECT MAX(oid) FROM \"##Map\"");
  take("SELECT MAX(oid) FROM \"##Array\"");
  return highest;
}

ClassTable* Store::Find(std::uint32_t typeId) {
  auto it = m_tables.find(typeId);
  return it == m_tables.end() ? nullptr : it->second.get();
}

ClassTable& Store::ForWrite(std::uint32_t typeId) {
  if (ClassTable* t = Find(typeId)) return *t;
  const cls_ClassMetadata& md = Registrar().Get(typeId);
  auto table = CreateTable(md);
  ClassTable& ref = *table;
  m_tables[typeId] = std::move(table);
  m_createdInTransaction.insert(typeId);
  return ref;
}

ClassTable& Store::AddTable(const cls_ClassMetadata& layout) {
  if (ClassTable* t = Find(layout.TypeId())) return *t;
  ClassTable& ref = *(m_tables[layout.TypeId()] = CreateTable(layout));
  m_createdInTransaction.insert(layout.TypeId());
  return ref;
}

PendingRow& Store::AcquireRow(ClassTable& table, std::int64_t oid) {
  if (m_freeRows.empty()) {
    m_rows.push_back(std::make_unique<PendingRow>(table, oid));
    return *m_rows.back();
  }
  PendingRow& row = *m_freeRows.back();
  m_freeRows.pop_back();
  row.Restart(table, oid);
  return row;
}

// A row is inserted; only when its identity is stored already is it written again in place of
// the stored one (an object rewritten, or written again through a copy).
// One pass over the row: each value takes its stored form, enters the checksum and is bound.
void Store::InsertRow(PendingRow& row) {
  ClassTable& t = row.Table();
  auto prepare = [&](SqlStmt& stmt, const char* verb) {
    std::string sql = verb + SqlQuote(t.table) + " VALUES(?";
    std::size_t n = t.columns.size() + (Checked() ? 1 : 0);
    for (std::size_t i = 1; i < n; ++i) sql += ", ?";
    stmt = SqlStmt(m_db, sql + ")");
  };
  if (!t.insert.IsPrepared()) prepare(t.insert, "INSERT INTO ");
  std::vector<Value>& values = row.Values();
  const int n = static_cast<int>(values.size());
  const bool checked = Checked();
  // Each value is bound as it stands: texts and blobs are read in place until the step.
  auto bind = [&](SqlStmt& stmt, int i) {
    if (values[i].kind == Value::Text)
      BindText(stmt, i + 1, values[i].blob, row.TextAt(i));
    else
      BindValue(stmt, i + 1, values[i]);
  };
  // The statements were left reset by their last run (TryInsert, Run), and every parameter is
  // bound again.
  Checksum sum(t.typeId);
  for (int i = 0; i < n; ++i) {
    Value& v = values[i];
    if (!(t.storedAsIs[i] & (1u << v.kind))) {
      StoredForm(t.columnAttribute[i], v);
      row.OwnText(i);
    }
    if (checked) {
      if (v.kind == Value::Text) {
        const auto [text, size] = row.TextAt(i);
        sum.Add(text, size);
      } else {
        sum.Add(v);
      }
    }
    bind(t.insert, i);
  }
  const std::int64_t check = checked ? sum.Sum() : 0;
  if (checked) t.insert.Bind(n + 1, check);
  if (t.insert.TryInsert()) return;
  // The row replaces one stored before (a top record saved again under the same identity).
  if (!t.replace.IsPrepared()) prepare(t.replace, "INSERT OR REPLACE INTO ");
  for (int i = 0; i < n; ++i) bind(t.replace, i);
  if (checked) t.replace.Bind(n + 1, check);
  t.replace.Run();
}

void Store::StoredForm(int attributeType, Value& v) {
  if (attributeType < 0 || v.kind == Value::Null) return;
  if (attributeType == cls_AttrDouble && v.kind == Value::Int) {
    v.kind = Value::Real;
    v.d = static_cast<double>(v.i);
  } else if (attributeType == cls_AttrString || attributeType == cls_AttrEnum) {
    if (v.kind == Value::Int) v.s = std::to_string(v.i);
    if (v.kind == Value::Real) {
      char text[32];
      std::snprintf(text, sizeof text, "%.17g", v.d);
      v.s = text;
    }
    v.kind = Value::Text;
  } else if (attributeType != cls_AttrDouble && v.kind == Value::Real &&
             static_cast<double>(static_cast<std::int64_t>(v.d)) == v.d) {
    v.kind = Value::Int;
    v.i = static_cast<std::int64_t>(v.d);
  }
}

std::int64_t Store::RowSum(const ClassTable& t, const std::vector<Value>& values) const {
  Checksum sum(t.typeId);
  for (const Value& v : values) sum.Add(v);
  return sum.Sum();
}

bool Store::LoadRow(std::uint32_t typeId, std::int64_t oid, LoadedRow& row, bool verify) {
  ClassTable* t = Find(typeId);
  if (!t) return false;
  if (!t->select.IsPrepared())
    t->select = SqlStmt(m_db, "SELECT * FROM " + SqlQuote(t->table) + " WHERE \"OID\" = ?");
  t->select.Reset().Bind(1, oid);
  if (!t->select.Step()) return false;
  int stored = static_cast<int>(t->columns.size()) + (Checked() ? 1 : 0);
  std::string problem = t->select.Columns() == stored ? CheckStorage(*t, t->select, StoresInline())
                                                      : "does not match its layout";
  if (!problem.empty()) {
    t->select.Reset();
    Damaged(ObjectName(typeId, oid) + " " + problem);
  }
  row.table = t;
  row.values.resize(t->columns.size());
  for (int c = 0; c < static_cast<int>(t->columns.size()); ++c)
    row.values[c] = ColumnValue(t->select, c);
  bool intact = !verify || !Checked() ||
                (t->select.Type(stored - 1) == SQLITE_INTEGER &&
                 t->select.Int(stored - 1) == RowSum(*t, row.values));
  t->select.Reset();
  if (!intact) Damaged(ObjectName(typeId, oid) + " does not match its checksum");
  if (t->conversions) ApplyConversions(*t->conversions, row);
  return true;
}

// Every stored value must have the storage class of its column's declared type: a text where
// a number belongs would otherwise read as 0. An object reference is either complete or absent.
// Returns what is wrong, or "".
std::string Store::CheckStorage(const ClassTable& t, const SqlStmt& row, bool inlineForms) const {
  if (row.Type(1) != SQLITE_NULL && row.Type(1) != SQLITE_INTEGER)
    return "holds a link to its base part that is not an identity";
  for (int c = 2; c < static_cast<int>(t.columns.size()); ++c) {
    int type = row.Type(c);
    if (type == SQLITE_NULL) continue;
    const cls_Attribute* field = t.FieldAt(c);
    int attributeType = field ? field->attributeType : cls_AttrInt;
    bool fits = type == SQLITE_INTEGER;
    if (attributeType == cls_AttrDouble) fits = type == SQLITE_FLOAT || type == SQLITE_INTEGER;
    if (attributeType == cls_AttrString || attributeType == cls_AttrEnum)
      fits = type == SQLITE_TEXT;
    // From layout 4 on a list or array may be stored in its reference's "#ClassID" column.
    if (type == SQLITE_BLOB && inlineForms && attributeType == cls_AttrObject &&
        c == t.fieldColumn[t.columnField[c]] && InlineField(*field))
      fits = true;
    if (!fits) {
      const char* held = type == SQLITE_TEXT   ? "a text"
                         : type == SQLITE_BLOB ? "a blob"
                                               : "a number";
      return "holds " + std::string(held) + " in its field '" + t.columns[c] +
             "', which stores another type";
    }
    if (attributeType == cls_AttrObject) {
      int first = t.fieldColumn[t.columnField[c]];
      if (row.Type(c == first ? c + 1 : first) == SQLITE_NULL)
        return "holds half a reference in its field '" + field->name + "'";
    }
  }
  return std::string();
}

std::int64_t Store::RowOid(std::uint32_t typeId, int rowIndex) {
  ClassTable* t = Find(typeId);
  if (t && rowIndex >= 0) {
    SqlStmt s(m_db,
              "SELECT \"OID\" FROM " + SqlQuote(t->table) + " ORDER BY \"OID\" LIMIT 1 OFFSET ?");
    s.Bind(1, rowIndex);
    if (s.Step()) return s.Int(0);
  }
  DDB_THROW(nex_PrimException, "'%s' stores no row %d of class %s", FileName(), rowIndex,
            ClassName(typeId));
}

int Store::TableSize(std::uint32_t typeId) {
  ClassTable* t = Find(typeId);
  if (!t) return 0;
  SqlStmt s(m_db, "SELECT COUNT(*) FROM " + SqlQuote(t->table));
  return s.Step() ? static_cast<int>(s.Int(0)) : 0;
}

std::int64_t Store::LastInt(const std::string& className, const std::string& column) {
  SqlStmt table(m_db, "SELECT \"Class Table\" FROM \"##Classes\" WHERE \"Class Name\" = ?");
  table.Bind(1, className);
  if (!table.Step()) return 0;
  SqlStmt s(m_db, "SELECT " + SqlQuote(column) + " FROM " + SqlQuote(table.Text(0)) +
                      " ORDER BY \"OID\" DESC LIMIT 1");
  return s.Step() ? s.Int(0) : 0;
}

int Store::UpToDateStatus() const {
  int status = m_source ? 1 : 0;
  for (const auto& entry : m_tables) {
    const cls_ClassMetadata* md = m_registrar ? m_registrar->Find(entry.first) : nullptr;
    if (!md || entry.second->version > md->Version()) return 2;
    if (entry.second->version < md->Version()) status = 1;
  }
  return status;
}

void Store::UpdateField(std::uint32_t typeId, std::int64_t oid, const std::string& column,
                        const Value& value) {
  ClassTable* t = Find(typeId);
  if (!t || t->Column(column) < 0)
    DDB_THROW(nex_PrimException, "'%s' has no field '%s' in class %d", FileName(), column,
              static_cast<long>(typeId));
  SqlStmt s(m_db,
            "UPDATE " + SqlQuote(t->table) + " SET " + SqlQuote(column) + " = ? WHERE \"OID\" = ?");
  BindValue(s, 1, value);
  s.Bind(2, oid).Run();
  if (!Checked()) return;
  LoadedRow row;
  const std::vector<dbc_ConversionFn>* conversions = t->conversions;
  t->conversions = nullptr;
  bool found = false;
  try {
    found = LoadRow(typeId, oid, row, false);
  } catch (...) {
    t->conversions = conversions;
    throw;
  }
  t->conversions = conversions;
  if (!found) return;
  SqlStmt check(m_db, "UPDATE " + SqlQuote(t->table) + " SET \"##Check\" = ? WHERE \"OID\" = ?");
  check.Bind(1, RowSum(*t, row.values)).Bind(2, oid).Run();
}

SqlStmt& Store::Cached(const char* sql) {
  auto it = m_statements.find(sql);
  if (it == m_statements.end()) it = m_statements.emplace(sql, SqlStmt(m_db, sql)).first;
  return it->second;
}

}  // namespace rom_detail
