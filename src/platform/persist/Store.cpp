#include "platform/persist/Store.h"

#include <cstring>

#include "ddb/platform/cls_AgentListObj.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/nex_Exception.h"
#include "platform/persist/Conversion.h"

namespace rom_detail {

namespace {

const char* kFixedTables =
    "CREATE TABLE \"##Meta\"(key TEXT PRIMARY KEY, value TEXT);"
    "CREATE TABLE \"##Classes\"(\"Type Id\" INTEGER PRIMARY KEY, \"Class Name\" TEXT NOT NULL,"
    " \"Class Table\" TEXT NOT NULL, \"Version\" INTEGER NOT NULL,"
    " \"Base Type Id\" INTEGER NOT NULL, \"Extent Quantum\" INTEGER NOT NULL);"
    "CREATE TABLE \"##Fields\"(\"Type Id\" INTEGER NOT NULL, \"Position\" INTEGER NOT NULL,"
    " \"Field Name\" TEXT NOT NULL, \"Attribute Type\" INTEGER NOT NULL,"
    " \"Field Type Id\" INTEGER NOT NULL, \"Collection Type\" INTEGER NOT NULL,"
    " PRIMARY KEY(\"Type Id\", \"Position\"));"
    "CREATE TABLE \"##List\"(list INTEGER NOT NULL, first INTEGER NOT NULL,"
    " count INTEGER NOT NULL, entries BLOB NOT NULL, PRIMARY KEY(list, first)) WITHOUT ROWID;"
    "CREATE TABLE \"##Map\"(map INTEGER NOT NULL, key TEXT NOT NULL, class INTEGER NOT NULL,"
    " oid INTEGER NOT NULL, PRIMARY KEY(map, key)) WITHOUT ROWID;"
    "CREATE TABLE \"##Array\"(oid INTEGER PRIMARY KEY, collection INTEGER NOT NULL,"
    " count INTEGER NOT NULL, data BLOB NOT NULL);";

const char* SqlType(int attributeType) {
  switch (attributeType) {
    case cls_AttrDouble:
      return "REAL";
    case cls_AttrString:
    case cls_AttrEnum:
      return "TEXT";
    default:
      return "INTEGER";
  }
}

void BindValue(SqlStmt& stmt, int i, const Value& v) {
  switch (v.kind) {
    case Value::Int:
      stmt.Bind(i, v.i);
      break;
    case Value::Real:
      stmt.Bind(i, v.d);
      break;
    case Value::Text:
      stmt.BindStatic(i, v.s);
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
    case SQLITE_BLOB:
      v.kind = Value::Text;
      v.s = stmt.Text(col);
      break;
    default:
      break;
  }
  return v;
}

int ClassTable::Column(const cls_FieldHandle& field) const {
  int index = field.Index();
  if (index >= 0 && index < static_cast<int>(fields.size()) && fields[index].name == field.CName())
    return fieldColumn[index];
  return Column(std::string(field.CName()));
}

int ClassTable::Column(const std::string& name) const {
  auto it = columnIndex.find(name);
  return it == columnIndex.end() ? -1 : it->second;
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
  table.fieldColumn.clear();
  for (const cls_Attribute& a : table.fields) {
    table.fieldColumn.push_back(static_cast<int>(table.columns.size()));
    if (a.attributeType == cls_AttrObject) {
      table.columns.push_back(a.name + "#ClassID");
      table.columns.push_back(a.name + "#OID");
    } else {
      table.columns.push_back(a.name);
    }
  }
  table.columnIndex.clear();
  for (std::size_t i = 0; i < table.columns.size(); ++i)
    table.columnIndex.emplace(table.columns[i], static_cast<int>(i));
  // An object field's plain name finds its first column ("#ClassID"; "#OID" follows).
  for (std::size_t f = 0; f < table.fields.size(); ++f)
    table.columnIndex.emplace(table.fields[f].name, table.fieldColumn[f]);
}

PendingRow::PendingRow(ClassTable& table, std::int64_t oid)
    : m_table(&table), m_values(table.columns.size()) {
  m_values[0].kind = Value::Int;
  m_values[0].i = oid;
}

void PendingRow::Set(int column, Value value) {
  if (column > 0 && column < static_cast<int>(m_values.size())) m_values[column] = std::move(value);
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
      m_db(m_file->Connection(), m_file->FileName().str()) {}

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

void Store::InitializeNew(const std::string& dbName, const std::string& description,
                          std::int64_t creationTime) {
  BeginScope();
  try {
    m_db.Exec(kFixedTables);
    SqlStmt put(m_db, "INSERT OR REPLACE INTO \"##Meta\"(key, value) VALUES(?, ?)");
    put.Bind(1, std::string("database")).Bind(2, dbName).Run();
    put.Reset().Bind(1, std::string("description")).Bind(2, description).Run();
    put.Reset().Bind(1, std::string("creationTime")).Bind(2, std::to_string(creationTime)).Run();
  } catch (...) {
    EndScope(false);
    throw;
  }
  EndScope(true);
}

void Store::OpenDatabase(const std::string& dbName) {
  std::string stored = MetaValue("database");
  if (stored != dbName)
    DDB_THROW(nex_PrimException, "'%s' holds no database named '%s'", FileName(), dbName);
  LoadCatalog();
  PrepareConversions();
  if (!ReadOnly()) ReserveStoredIdentities();
}

std::string Store::MetaValue(const std::string& key) {
  SqlStmt& get = Cached("SELECT value FROM \"##Meta\" WHERE key = ?");
  get.Reset().Bind(1, key);
  std::string value = get.Step() ? get.Text(0) : std::string();
  get.Reset();
  return value;
}

void Store::LoadCatalog() {
  SqlStmt classes(m_db,
                  "SELECT \"Type Id\", \"Class Name\", \"Class Table\", \"Version\","
                  " \"Base Type Id\", \"Extent Quantum\" FROM \"##Classes\"");
  while (classes.Step()) {
    auto t = std::make_unique<ClassTable>();
    t->typeId = static_cast<std::uint32_t>(classes.Int(0));
    t->name = classes.Text(1);
    t->table = classes.Text(2);
    t->version = static_cast<int>(classes.Int(3));
    t->baseTypeId = static_cast<std::uint32_t>(classes.Int(4));
    t->extentQuantum = static_cast<int>(classes.Int(5));
    m_tables[t->typeId] = std::move(t);
  }
  SqlStmt fields(m_db,
                 "SELECT \"Type Id\", \"Field Name\", \"Attribute Type\", \"Field Type Id\","
                 " \"Collection Type\" FROM \"##Fields\" ORDER BY \"Type Id\", \"Position\"");
  while (fields.Step()) {
    auto it = m_tables.find(static_cast<std::uint32_t>(fields.Int(0)));
    if (it == m_tables.end()) continue;
    it->second->fields.push_back({fields.Text(1), static_cast<int>(fields.Int(2)),
                                  static_cast<std::uint32_t>(fields.Int(3)),
                                  static_cast<int>(fields.Int(4))});
  }
  for (auto& entry : m_tables) BuildColumns(*entry.second);
}

void Store::PrepareConversions() {
  for (auto& entry : m_tables) {
    ClassTable& t = *entry.second;
    const cls_ClassMetadata* md = Registrar().Find(t.typeId);
    if (!md || t.version >= md->Version()) continue;
    const std::vector<dbc_ConversionFn>& functions = ConversionsFor(t.typeId, t.version);
    if (!functions.empty()) t.conversions = &functions;
  }
}

void Store::ReserveStoredIdentities() {
  cls_Uid::ReserveAbove(HighestStoredOid());
}

std::int64_t Store::HighestStoredOid() {
  std::int64_t highest = 0;
  auto take = [&](const std::string& sql) {
    SqlStmt s(m_db, sql);
    if (s.Step() && s.Type(0) == SQLITE_INTEGER) highest = std::max(highest, s.Int(0));
  };
  for (auto& entry : m_tables) take("SELECT MAX(OID) FROM " + SqlQuote(entry.second->table));
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

std::unique_ptr<ClassTable> Store::CreateTable(const cls_ClassMetadata& md) {
  auto t = std::make_unique<ClassTable>();
  t->typeId = md.TypeId();
  t->name = md.Name().str();
  t->table = md.Name().str();
  t->version = md.Version();
  t->baseTypeId = md.BaseTypeId();
  t->extentQuantum = md.ExtentQuantum();
  t->fields = md.Attributes();
  BuildColumns(*t);
  std::string sql = "CREATE TABLE " + SqlQuote(t->table) +
                    "(\"OID\" INTEGER PRIMARY KEY, \"##BaseClassOID\" INTEGER";
  for (const cls_Attribute& a : t->fields) {
    if (a.attributeType == cls_AttrObject)
      sql += ", " + SqlQuote(a.name + "#ClassID") + " INTEGER, " + SqlQuote(a.name + "#OID") +
             " INTEGER";
    else
      sql += ", " + SqlQuote(a.name) + " " + SqlType(a.attributeType);
  }
  m_db.Exec(sql + ")");
  SqlStmt cls(m_db, "INSERT INTO \"##Classes\" VALUES(?, ?, ?, ?, ?, ?)");
  cls.Bind(1, static_cast<std::int64_t>(t->typeId)).Bind(2, t->name).Bind(3, t->table);
  cls.Bind(4, t->version).Bind(5, static_cast<std::int64_t>(t->baseTypeId));
  cls.Bind(6, t->extentQuantum).Run();
  SqlStmt field(m_db, "INSERT INTO \"##Fields\" VALUES(?, ?, ?, ?, ?, ?)");
  for (std::size_t i = 0; i < t->fields.size(); ++i) {
    const cls_Attribute& a = t->fields[i];
    field.Reset().Bind(1, static_cast<std::int64_t>(t->typeId)).Bind(2, static_cast<int>(i));
    field.Bind(3, a.name).Bind(4, a.attributeType).Bind(5, static_cast<std::int64_t>(a.typeId));
    field.Bind(6, a.collectionType).Run();
  }
  return t;
}

void Store::InsertRow(PendingRow& row) {
  ClassTable& t = row.Table();
  if (!t.insert.IsPrepared()) {
    std::string sql = "INSERT OR REPLACE INTO " + SqlQuote(t.table) + " VALUES(?";
    for (std::size_t i = 1; i < t.columns.size(); ++i) sql += ", ?";
    t.insert = SqlStmt(m_db, sql + ")");
  }
  t.insert.Reset();
  std::vector<Value>& values = row.Values();
  for (std::size_t i = 0; i < values.size(); ++i)
    BindValue(t.insert, static_cast<int>(i) + 1, values[i]);
  t.insert.Run();
}

bool Store::LoadRow(std::uint32_t typeId, std::int64_t oid, LoadedRow& row) {
  ClassTable* t = Find(typeId);
  if (!t) return false;
  if (!t->select.IsPrepared())
    t->select = SqlStmt(m_db, "SELECT * FROM " + SqlQuote(t->table) + " WHERE \"OID\" = ?");
  t->select.Reset().Bind(1, oid);
  if (!t->select.Step()) return false;
  row.table = t;
  row.values.resize(t->columns.size());
  int n = std::min<int>(t->select.Columns(), static_cast<int>(t->columns.size()));
  for (int c = 0; c < n; ++c) row.values[c] = ColumnValue(t->select, c);
  t->select.Reset();
  if (t->conversions) ApplyConversions(*t->conversions, row);
  return true;
}

std::int64_t Store::RowOid(std::uint32_t typeId, int rowIndex) {
  ClassTable* t = Find(typeId);
  if (t && rowIndex >= 0) {
    SqlStmt s(m_db,
              "SELECT \"OID\" FROM " + SqlQuote(t->table) + " ORDER BY \"OID\" LIMIT 1 OFFSET ?");
    s.Bind(1, rowIndex);
    if (s.Step()) return s.Int(0);
  }
  const cls_ClassMetadata* md = Registrar().Find(typeId);
  DDB_THROW(nex_PrimException, "'%s' stores no row %d of class %s", FileName(), rowIndex,
            md ? md->Name().str() : std::to_string(typeId));
}

int Store::TableSize(std::uint32_t typeId) {
  ClassTable* t = Find(typeId);
  if (!t) return 0;
  SqlStmt s(m_db, "SELECT COUNT(*) FROM " + SqlQuote(t->table));
  return s.Step() ? static_cast<int>(s.Int(0)) : 0;
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
}

SqlStmt& Store::Cached(const char* sql) {
  auto it = m_statements.find(sql);
  if (it == m_statements.end()) it = m_statements.emplace(sql, SqlStmt(m_db, sql)).first;
  return it->second;
}

// A run's entries are 12 bytes each, little-endian: the element's class id (4 bytes) and OID
// (8 bytes).
void Store::WriteListRun(std::int64_t list, int first, const std::vector<ListEntry>& entries) {
  std::string bytes(entries.size() * 12, '\0');
  for (std::size_t k = 0; k < entries.size(); ++k) {
    std::memcpy(&bytes[k * 12], &entries[k].typeId, 4);
    std::memcpy(&bytes[k * 12 + 4], &entries[k].oid, 8);
  }
  SqlStmt& s = Cached("INSERT OR REPLACE INTO \"##List\" VALUES(?, ?, ?, ?)");
  s.Reset().Bind(1, list).Bind(2, first).Bind(3, static_cast<int>(entries.size()));
  s.BindBlob(4, bytes).Run();
}

bool Store::ReadListRun(std::int64_t list, int index, int& first, std::vector<ListEntry>& entries) {
  SqlStmt& s = Cached(
      "SELECT first, count, entries FROM \"##List\" WHERE list = ? AND first <= ?"
      " ORDER BY first DESC LIMIT 1");
  s.Reset().Bind(1, list).Bind(2, index);
  bool found = s.Step();
  if (found) {
    first = static_cast<int>(s.Int(0));
    int count = static_cast<int>(s.Int(1));
    std::string bytes = s.Blob(2);
    if (bytes.size() != static_cast<std::size_t>(count) * 12)
      DDB_THROW(nex_PrimException, "'%s' is damaged: list %d has a malformed run", FileName(),
                static_cast<long long>(list));
    entries.resize(count);
    for (int k = 0; k < count; ++k) {
      std::memcpy(&entries[k].typeId, &bytes[k * 12], 4);
      std::memcpy(&entries[k].oid, &bytes[k * 12 + 4], 8);
    }
    found = index < first + count;
  }
  s.Reset();
  return found;
}

int Store::ListCount(std::int64_t list) {
  SqlStmt& s =
      Cached("SELECT first + count FROM \"##List\" WHERE list = ? ORDER BY first DESC LIMIT 1");
  s.Reset().Bind(1, list);
  int n = s.Step() ? static_cast<int>(s.Int(0)) : 0;
  s.Reset();
  return n;
}

void Store::WriteMapEntry(std::int64_t map, const std::string& key, std::uint32_t typeId,
                          std::int64_t oid) {
  SqlStmt& s = Cached("INSERT OR REPLACE INTO \"##Map\" VALUES(?, ?, ?, ?)");
  s.Reset().Bind(1, map).Bind(2, key).Bind(3, static_cast<std::int64_t>(typeId));
  s.Bind(4, oid).Run();
}

void Store::DeleteMapEntry(std::int64_t map, const std::string& key) {
  SqlStmt& s = Cached("DELETE FROM \"##Map\" WHERE map = ? AND key = ?");
  s.Reset().Bind(1, map).Bind(2, key).Run();
}

std::vector<std::string> Store::MapKeys(std::int64_t map) {
  SqlStmt& s = Cached("SELECT key FROM \"##Map\" WHERE map = ? ORDER BY key");
  s.Reset().Bind(1, map);
  std::vector<std::string> keys;
  while (s.Step()) keys.push_back(s.Text(0));
  s.Reset();
  return keys;
}

bool Store::MapEntry(std::int64_t map, const std::string& key, std::uint32_t& typeId,
                     std::int64_t& oid) {
  SqlStmt& s = Cached("SELECT class, oid FROM \"##Map\" WHERE map = ? AND key = ?");
  s.Reset().Bind(1, map).Bind(2, key);
  bool found = s.Step();
  if (found) {
    typeId = static_cast<std::uint32_t>(s.Int(0));
    oid = s.Int(1);
  }
  s.Reset();
  return found;
}

void Store::WriteArray(std::int64_t oid, int collectionType, int count, const std::string& bytes) {
  SqlStmt& s = Cached("INSERT OR REPLACE INTO \"##Array\" VALUES(?, ?, ?, ?)");
  s.Reset().Bind(1, oid).Bind(2, collectionType).Bind(3, count).BindBlob(4, bytes).Run();
}

bool Store::ReadArray(std::int64_t oid, int& collectionType, std::string& bytes) {
  SqlStmt& s = Cached("SELECT collection, data FROM \"##Array\" WHERE oid = ?");
  s.Reset().Bind(1, oid);
  bool found = s.Step();
  if (found) {
    collectionType = static_cast<int>(s.Int(0));
    bytes = s.Blob(1);
  }
  s.Reset();
  return found;
}

void Store::FlushAttached() {
  if (ReadOnly()) return;
  BeginScope();
  try {
    // Agents made while flushing belong to containers that were flushed as they were attached.
    std::vector<cls_AgentBase*> agents(m_agents.begin(), m_agents.end());
    for (cls_AgentBase* agent : agents)
      if (m_agents.count(agent)) agent->FlushHolders();
  } catch (...) {
    EndScope(false);
    throw;
  }
  EndScope(true);
}

void Store::BeginScope() {
  if (m_depth == 0) {
    if (ReadOnly()) DDB_THROW(nex_CmdException, "'%s' is open read-only", FileName());
    m_db.Exec("BEGIN IMMEDIATE");
    m_doomed = false;
  }
  ++m_depth;
}

void Store::EndScope(bool success) {
  if (!success) m_doomed = true;
  if (--m_depth > 0) return;
  if (m_doomed) {
    RollBack();
    return;
  }
  try {
    m_db.Exec("COMMIT");
  } catch (...) {
    RollBack();
    throw;
  }
  m_createdInTransaction.clear();
  std::set<cls_AgentBase*> agents;
  agents.swap(m_enlisted);
  for (cls_AgentBase* a : agents) a->TransactionEnded(true);
  m_barn.Clear();
}

void Store::RollBack() {
  if (sqlite3_get_autocommit(m_db.Handle()) == 0) {
    try {
      m_db.Exec("ROLLBACK");
    } catch (...) {
    }
  }
  for (std::uint32_t id : m_createdInTransaction) m_tables.erase(id);
  m_createdInTransaction.clear();
  std::set<cls_AgentBase*> agents;
  agents.swap(m_enlisted);
  for (cls_AgentBase* a : agents) a->TransactionEnded(false);
  m_barn.Clear();
  m_doomed = false;
}

}  // namespace rom_detail
