#include "platform/persist/Store.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "ddb/platform/cls_AgentListObj.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/nex_Exception.h"
#include "platform/persist/Checksum.h"
#include "platform/persist/Conversion.h"

namespace rom_detail {

namespace {

const char* kFixedTables =
    "CREATE TABLE \"##Meta\"(key TEXT PRIMARY KEY, value TEXT);"
    "CREATE TABLE \"##Classes\"(\"Type Id\" INTEGER PRIMARY KEY, \"Class Name\" TEXT NOT NULL,"
    " \"Class Table\" TEXT NOT NULL, \"Version\" INTEGER NOT NULL,"
    " \"Base Type Id\" INTEGER NOT NULL, \"Extent Quantum\" INTEGER NOT NULL,"
    " \"Check\" INTEGER NOT NULL);"
    "CREATE TABLE \"##Fields\"(\"Type Id\" INTEGER NOT NULL, \"Position\" INTEGER NOT NULL,"
    " \"Field Name\" TEXT NOT NULL, \"Attribute Type\" INTEGER NOT NULL,"
    " \"Field Type Id\" INTEGER NOT NULL, \"Collection Type\" INTEGER NOT NULL,"
    " PRIMARY KEY(\"Type Id\", \"Position\"));"
    "CREATE TABLE \"##List\"(list INTEGER NOT NULL, first INTEGER NOT NULL,"
    " count INTEGER NOT NULL, entries BLOB NOT NULL, \"check\" INTEGER NOT NULL,"
    " PRIMARY KEY(list, first)) WITHOUT ROWID;"
    "CREATE TABLE \"##Map\"(map INTEGER NOT NULL, key TEXT NOT NULL, class INTEGER NOT NULL,"
    " oid INTEGER NOT NULL, \"check\" INTEGER NOT NULL, PRIMARY KEY(map, key)) WITHOUT ROWID;"
    "CREATE TABLE \"##Length\"(list INTEGER PRIMARY KEY, count INTEGER NOT NULL,"
    " \"check\" INTEGER NOT NULL);"
    "CREATE TABLE \"##Array\"(oid INTEGER PRIMARY KEY, collection INTEGER NOT NULL,"
    " count INTEGER NOT NULL, data BLOB NOT NULL, \"check\" INTEGER NOT NULL);"
    "CREATE TABLE \"##ArrayPage\"(oid INTEGER NOT NULL, page INTEGER NOT NULL,"
    " count INTEGER NOT NULL, data BLOB NOT NULL, \"check\" INTEGER NOT NULL,"
    " PRIMARY KEY(oid, page));";

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
  if (index >= 0 && index < static_cast<int>(fields.size())) {
    if (m_matchedNames.size() == fields.size() && m_matchedNames[index] == field.CName())
      return fieldColumn[index];
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
  for (std::size_t c = 0; c < table.columns.size(); ++c)
    if (table.columnField[c] >= 0)
      table.columnAttribute[c] = table.fields[table.columnField[c]].attributeType;
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

void PendingRow::Restart(ClassTable& table, std::int64_t oid) {
  m_table = &table;
  m_values.resize(table.columns.size());
  for (Value& v : m_values) v.kind = Value::Null;
  m_values[0].kind = Value::Int;
  m_values[0].i = oid;
}

void PendingRow::SetInt(int column, std::int64_t value) {
  if (column <= 0 || column >= static_cast<int>(m_values.size())) return;
  m_values[column].kind = Value::Int;
  m_values[column].i = value;
}

void PendingRow::SetReal(int column, double value) {
  if (column <= 0 || column >= static_cast<int>(m_values.size())) return;
  m_values[column].kind = Value::Real;
  m_values[column].d = value;
}

void PendingRow::SetText(int column, const char* text, std::size_t size) {
  if (column <= 0 || column >= static_cast<int>(m_values.size())) return;
  m_values[column].kind = Value::Text;
  m_values[column].s.assign(text, size);
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
      m_db(m_file->Connection(), m_file->FileName().str()) {
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
  VerifyTables();
  std::string stored = MetaValue("database");
  if (stored != dbName)
    DDB_THROW(nex_PrimException, "'%s' holds no database named '%s'", FileName(), dbName);
  LoadCatalog();
  VerifyTables();
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

void Store::LoadCatalog() {
  SqlStmt classes(m_db,
                  "SELECT \"Type Id\", \"Class Name\", \"Class Table\", \"Version\","
                  " \"Base Type Id\", \"Extent Quantum\"" +
                      std::string(Checked() ? ", \"Check\"" : ", 0") + " FROM \"##Classes\"");
  std::map<std::uint32_t, std::int64_t> sums;
  auto integers = [&](const SqlStmt& s, std::initializer_list<int> columns) {
    for (int c : columns)
      if (s.Type(c) != SQLITE_INTEGER) Damaged("the class catalog holds a malformed row");
  };
  while (classes.Step()) {
    integers(classes, {0, 3, 4, 5});
    auto t = std::make_unique<ClassTable>();
    t->typeId = static_cast<std::uint32_t>(classes.Int(0));
    t->name = classes.Text(1);
    t->table = classes.Text(2);
    t->version = static_cast<int>(classes.Int(3));
    t->baseTypeId = static_cast<std::uint32_t>(classes.Int(4));
    t->extentQuantum = static_cast<int>(classes.Int(5));
    sums[t->typeId] = classes.Type(6) == SQLITE_INTEGER ? classes.Int(6) : -1;
    m_tables[t->typeId] = std::move(t);
  }
  SqlStmt fields(m_db,
                 "SELECT \"Type Id\", \"Field Name\", \"Attribute Type\", \"Field Type Id\","
                 " \"Collection Type\" FROM \"##Fields\" ORDER BY \"Type Id\", \"Position\"");
  while (fields.Step()) {
    integers(fields, {0, 2, 3, 4});
    auto it = m_tables.find(static_cast<std::uint32_t>(fields.Int(0)));
    if (it == m_tables.end()) continue;
    it->second->fields.push_back({fields.Text(1), static_cast<int>(fields.Int(2)),
                                  static_cast<std::uint32_t>(fields.Int(3)),
                                  static_cast<int>(fields.Int(4))});
  }
  for (auto& entry : m_tables) {
    BuildColumns(*entry.second);
    if (Checked() && sums[entry.first] != ClassSum(*entry.second))
      Damaged("the catalog entry of class " + entry.second->name + " does not match its checksum");
  }
}

// A catalog entry's sum covers the class row and its fields in order.
std::int64_t Store::ClassSum(const ClassTable& t) const {
  Checksum sum(kCatalogSeed);
  sum.Add(static_cast<std::int64_t>(t.typeId)).Add(t.name).Add(t.table).Add(t.version);
  sum.Add(static_cast<std::int64_t>(t.baseTypeId)).Add(t.extentQuantum);
  for (const cls_Attribute& a : t.fields)
    sum.Add(a.name)
        .Add(a.attributeType)
        .Add(static_cast<std::int64_t>(a.typeId))
        .Add(a.collectionType);
  return sum.Sum();
}

// The fixed tables and every catalogued class table must exist with the columns the catalog
// implies, in order: rows are read by position. Before the catalog is loaded only the fixed
// tables are verified.
void Store::VerifyTables() {
  static const std::map<std::string, std::vector<std::string>> kFixed = {
      {"##Meta", {"key", "value"}},
      {"##Classes",
       {"Type Id", "Class Name", "Class Table", "Version", "Base Type Id", "Extent Quantum"}},
      {"##Fields",
       {"Type Id", "Position", "Field Name", "Attribute Type", "Field Type Id", "Collection Type"}},
      {"##List", {"list", "first", "count", "entries"}},
      {"##Map", {"map", "key", "class", "oid"}},
      {"##Array", {"oid", "collection", "count", "data"}},
  };
  std::map<std::string, std::vector<std::string>> actual;
  SqlStmt s(m_db,
            "SELECT m.name, p.name FROM sqlite_master AS m, pragma_table_info(m.name) AS p"
            " WHERE m.type = 'table' ORDER BY m.name, p.cid");
  while (s.Step()) actual[s.Text(0)].push_back(s.Text(1));
  auto verify = [&](const std::string& table, const std::vector<std::string>& columns,
                    const std::string& what) {
    auto it = actual.find(table);
    if (it == actual.end()) Damaged("the table of " + what + " is missing");
    for (std::size_t c = 0; c < columns.size(); ++c)
      if (c >= it->second.size() || it->second[c] != columns[c])
        Damaged("the table of " + what + " lacks its column '" + columns[c] + "'");
    if (it->second.size() != columns.size())
      Damaged("the table of " + what + " has a column '" + it->second[columns.size()] +
              "' that its layout does not declare");
  };
  if (Checked()) verify("##Length", {"list", "count", "check"}, "##Length");
  if (StoresPages())
    verify("##ArrayPage", {"oid", "page", "count", "data", "check"}, "##ArrayPage");
  for (const auto& fixed : kFixed) {
    std::vector<std::string> columns = fixed.second;
    if (Checked() && fixed.first != "##Meta" && fixed.first != "##Fields")
      columns.push_back(fixed.first == "##Classes" ? "Check" : "check");
    verify(fixed.first, columns, fixed.first);
  }
  for (const auto& entry : m_tables) {
    std::vector<std::string> columns = entry.second->columns;
    if (Checked()) columns.push_back("##Check");
    verify(entry.second->table, columns, "class " + entry.second->name);
  }
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

bool Store::FitsInFile(std::int64_t elements) {
  if (elements < 0) return false;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (m_fileBytes >= 0 && elements <= m_fileBytes / 12) return true;
    if (attempt == 1) break;
    SqlStmt pages(m_db, "PRAGMA page_count");
    SqlStmt size(m_db, "PRAGMA page_size");
    m_fileBytes = (pages.Step() ? pages.Int(0) : 0) * (size.Step() ? size.Int(0) : 0);
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
  if (Checked()) sql += ", \"##Check\" INTEGER";
  m_db.Exec(sql + ")");
  SqlStmt cls(m_db, Checked() ? "INSERT INTO \"##Classes\" VALUES(?, ?, ?, ?, ?, ?, ?)"
                              : "INSERT INTO \"##Classes\" VALUES(?, ?, ?, ?, ?, ?)");
  cls.Bind(1, static_cast<std::int64_t>(t->typeId)).Bind(2, t->name).Bind(3, t->table);
  cls.Bind(4, t->version).Bind(5, static_cast<std::int64_t>(t->baseTypeId));
  cls.Bind(6, t->extentQuantum);
  if (Checked()) cls.Bind(7, ClassSum(*t));
  cls.Run();
  t->complete = Checked();
  SqlStmt field(m_db, "INSERT INTO \"##Fields\" VALUES(?, ?, ?, ?, ?, ?)");
  for (std::size_t i = 0; i < t->fields.size(); ++i) {
    const cls_Attribute& a = t->fields[i];
    field.Reset().Bind(1, static_cast<std::int64_t>(t->typeId)).Bind(2, static_cast<int>(i));
    field.Bind(3, a.name).Bind(4, a.attributeType).Bind(5, static_cast<std::int64_t>(a.typeId));
    field.Bind(6, a.collectionType).Run();
  }
  return t;
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
void Store::InsertRow(PendingRow& row) {
  ClassTable& t = row.Table();
  auto prepare = [&](SqlStmt& stmt, const char* verb) {
    std::string sql = verb + SqlQuote(t.table) + " VALUES(?";
    std::size_t n = t.columns.size() + (Checked() ? 1 : 0);
    for (std::size_t i = 1; i < n; ++i) sql += ", ?";
    stmt = SqlStmt(m_db, sql + ")");
  };
  std::vector<Value>& values = row.Values();
  for (std::size_t i = 0; i < values.size(); ++i) StoredForm(t.columnAttribute[i], values[i]);
  const std::int64_t sum = Checked() ? RowSum(t, values) : 0;
  auto bind = [&](SqlStmt& stmt) -> SqlStmt& {
    stmt.Rebind();
    for (std::size_t i = 0; i < values.size(); ++i)
      BindValue(stmt, static_cast<int>(i) + 1, values[i]);
    if (Checked()) stmt.Bind(static_cast<int>(values.size()) + 1, sum);
    return stmt;
  };
  if (!t.insert.IsPrepared()) prepare(t.insert, "INSERT INTO ");
  if (bind(t.insert).TryInsert()) return;
  if (!t.replace.IsPrepared()) prepare(t.replace, "INSERT OR REPLACE INTO ");
  bind(t.replace).Run();
}

// The form in which SQLite returns what is bound to the column, so that the sum taken when
// writing is the one taken when reading.
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
  std::string problem =
      t->select.Columns() == stored ? CheckStorage(*t, t->select) : "does not match its layout";
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
std::string Store::CheckStorage(const ClassTable& t, const SqlStmt& row) const {
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

// A run's entries are 12 bytes each, little-endian: the element's class id (4 bytes) and OID
// (8 bytes).
void Store::WriteListRun(std::int64_t list, int first, const std::vector<ListEntry>& entries) {
  std::string bytes(entries.size() * kListEntryBytes, '\0');
  for (std::size_t k = 0; k < entries.size(); ++k) {
    std::memcpy(&bytes[k * kListEntryBytes], &entries[k].typeId, 4);
    std::memcpy(&bytes[k * kListEntryBytes + 4], &entries[k].oid, 8);
  }
  if (!Checked()) {
    SqlStmt& s = Cached("INSERT OR REPLACE INTO \"##List\" VALUES(?, ?, ?, ?)");
    s.Reset().Bind(1, list).Bind(2, first).Bind(3, static_cast<int>(entries.size()));
    s.BindBlob(4, bytes).Run();
    return;
  }
  std::int64_t count = static_cast<std::int64_t>(entries.size());
  const std::int64_t sum = Checksum(kListSeed).Add(list).Add(first).Add(count).Add(bytes).Sum();
  auto bind = [&](SqlStmt& s) -> SqlStmt& {
    return s.Rebind().Bind(1, list).Bind(2, first).Bind(3, count).BindBlob(4, bytes).Bind(5, sum);
  };
  if (bind(Cached("INSERT INTO \"##List\" VALUES(?, ?, ?, ?, ?)")).TryInsert()) return;
  bind(Cached("INSERT OR REPLACE INTO \"##List\" VALUES(?, ?, ?, ?, ?)")).Run();
}

// A run is checked before anything is sized after it: its count must be that of a run the
// writer makes and agree with its entries, and its end must lie within what the file can hold.
std::string Store::RunProblem(const SqlStmt& s, int firstCol, std::int64_t list) {
  std::int64_t first = s.Int(firstCol), count = s.Int(firstCol + 1);
  std::int64_t bytes = s.Type(firstCol + 2) == SQLITE_BLOB ? s.Bytes(firstCol + 2) : -1;
  std::string run = "list " + std::to_string(list) + " has a run at " + std::to_string(first);
  if (s.Type(firstCol) != SQLITE_INTEGER || s.Type(firstCol + 1) != SQLITE_INTEGER || bytes < 0)
    return "list " + std::to_string(list) + " has a malformed run";
  // Runs of layout 1 were not bounded by every writer; the file's size bounds them.
  if (count < 1 || (Checked() && count > kListRun) || bytes % kListEntryBytes != 0 ||
      count != bytes / kListEntryBytes)
    return run + " of " + std::to_string(count) + " elements in " + std::to_string(bytes) +
           " bytes";
  if (first < 0 || first > std::numeric_limits<std::int64_t>::max() - count ||
      !FitsInFile(first + count))
    return run + ", beyond what the file can hold";
  if (Checked() && (s.Type(firstCol + 3) != SQLITE_INTEGER ||
                    s.Int(firstCol + 3) != Checksum(kListSeed)
                                               .Add(list)
                                               .Add(first)
                                               .Add(count)
                                               .Add(s.BlobData(firstCol + 2), bytes)
                                               .Sum()))
    return run + " that does not match its checksum";
  return std::string();
}

bool Store::ReadListRun(std::int64_t list, int index, int& first, std::vector<ListEntry>& entries) {
  SqlStmt& s = Cached(
      Checked() ? "SELECT first, count, entries, \"check\" FROM \"##List\""
                  " WHERE list = ? AND first <= ? ORDER BY first DESC LIMIT 1"
                : "SELECT first, count, entries FROM \"##List\" WHERE list = ? AND first <= ?"
                  " ORDER BY first DESC LIMIT 1");
  s.Reset().Bind(1, list).Bind(2, index);
  bool found = s.Step();
  if (found) {
    std::string problem = RunProblem(s, 0, list);
    if (!problem.empty()) {
      s.Reset();
      Damaged(problem);
    }
    first = static_cast<int>(s.Int(0));
    int count = static_cast<int>(s.Int(1));
    const char* bytes = s.BlobData(2);
    entries.resize(count);
    for (int k = 0; k < count; ++k) {
      std::memcpy(&entries[k].typeId, bytes + k * kListEntryBytes, 4);
      std::memcpy(&entries[k].oid, bytes + k * kListEntryBytes + 4, 8);
    }
    found = index < first + count;
  }
  s.Reset();
  return found;
}

// From layout 2 on a non-empty list's length is also stored apart from its runs, so that a run
// that damage hides (a key changed in a page) is reported instead of shortening the list.
int Store::ListCount(std::int64_t list) {
  ReadScope snapshot(*this);
  SqlStmt& s =
      Cached(Checked() ? "SELECT first, count, entries, \"check\" FROM \"##List\" WHERE list = ?"
                         " ORDER BY first DESC LIMIT 1"
                       : "SELECT first, count, entries FROM \"##List\" WHERE list = ?"
                         " ORDER BY first DESC LIMIT 1");
  s.Reset().Bind(1, list);
  std::int64_t end = 0;
  if (s.Step()) {
    std::string problem = RunProblem(s, 0, list);
    if (!problem.empty()) {
      s.Reset();
      Damaged(problem);
    }
    end = s.Int(0) + s.Int(1);
  }
  s.Reset();
  if (Checked()) {
    std::int64_t length = StoredLength(list);
    if (length != end)
      Damaged("list " + std::to_string(list) + " has " + std::to_string(length) +
              " elements, but its runs end at " + std::to_string(end));
  }
  return static_cast<int>(end);
}

std::int64_t Store::StoredLength(std::int64_t list) {
  SqlStmt& s = Cached("SELECT count, \"check\" FROM \"##Length\" WHERE list = ?");
  s.Reset().Bind(1, list);
  std::int64_t length = 0;
  if (s.Step()) {
    bool intact = s.Type(0) == SQLITE_INTEGER && s.Type(1) == SQLITE_INTEGER &&
                  s.Int(1) == Checksum(kLengthSeed).Add(list).Add(s.Int(0)).Sum();
    length = s.Int(0);
    s.Reset();
    if (!intact)
      Damaged("the length of list " + std::to_string(list) + " does not match its checksum");
  }
  s.Reset();
  return length;
}

void Store::WriteListLength(std::int64_t list, std::int64_t length) {
  if (!Checked()) return;
  const std::int64_t sum = Checksum(kLengthSeed).Add(list).Add(length).Sum();
  auto bind = [&](SqlStmt& s) -> SqlStmt& {
    return s.Rebind().Bind(1, list).Bind(2, length).Bind(3, sum);
  };
  if (bind(Cached("INSERT INTO \"##Length\" VALUES(?, ?, ?)")).TryInsert()) return;
  bind(Cached("INSERT OR REPLACE INTO \"##Length\" VALUES(?, ?, ?)")).Run();
}

void Store::WriteMapEntry(std::int64_t map, const std::string& key, std::uint32_t typeId,
                          std::int64_t oid) {
  SqlStmt& s = Cached(Checked() ? "INSERT OR REPLACE INTO \"##Map\" VALUES(?, ?, ?, ?, ?)"
                                : "INSERT OR REPLACE INTO \"##Map\" VALUES(?, ?, ?, ?)");
  s.Reset().Bind(1, map).Bind(2, key).Bind(3, static_cast<std::int64_t>(typeId));
  s.Bind(4, oid);
  if (Checked()) s.Bind(5, MapSum(map, key, typeId, oid));
  s.Run();
}

std::int64_t Store::MapSum(std::int64_t map, const std::string& key, std::uint32_t typeId,
                           std::int64_t oid) const {
  return Checksum(kMapSeed).Add(map).Add(key).Add(static_cast<std::int64_t>(typeId)).Add(oid).Sum();
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
  SqlStmt& s =
      Cached(Checked() ? "SELECT class, oid, \"check\" FROM \"##Map\" WHERE map = ? AND key = ?"
                       : "SELECT class, oid, 0 FROM \"##Map\" WHERE map = ? AND key = ?");
  s.Reset().Bind(1, map).Bind(2, key);
  bool found = s.Step();
  if (found) {
    bool typed = s.Type(0) == SQLITE_INTEGER && s.Type(1) == SQLITE_INTEGER &&
                 s.Type(2) == SQLITE_INTEGER && s.Int(0) >= 0 && s.Int(0) <= 0xffffffffLL;
    typeId = static_cast<std::uint32_t>(s.Int(0));
    oid = s.Int(1);
    std::int64_t sum = s.Int(2);
    s.Reset();
    if (!typed || (Checked() && sum != MapSum(map, key, typeId, oid)))
      Damaged("entry '" + key + "' of map " + std::to_string(map) + " does not match its checksum");
  }
  s.Reset();
  return found;
}

void Store::WriteArray(std::int64_t oid, int collectionType, int count, const std::string& bytes) {
  SqlStmt& s = Cached(Checked() ? "INSERT OR REPLACE INTO \"##Array\" VALUES(?, ?, ?, ?, ?)"
                                : "INSERT OR REPLACE INTO \"##Array\" VALUES(?, ?, ?, ?)");
  s.Reset().Bind(1, oid).Bind(2, collectionType).Bind(3, count).BindBlob(4, bytes);
  if (Checked())
    s.Bind(5, Checksum(kArraySeed).Add(oid).Add(collectionType).Add(count).Add(bytes).Sum());
  s.Run();
}

namespace {

// Whether `bytes` holds exactly `count` values of the collection type.
bool ArrayHolds(int collectionType, std::int64_t count, const std::string& bytes) {
  if (count < 0) return false;
  if (collectionType == cls_CollInts) return bytes.size() == static_cast<std::uint64_t>(count) * 4;
  if (collectionType == cls_CollDoubles)
    return bytes.size() == static_cast<std::uint64_t>(count) * 8;
  if (collectionType == Store::kIntPages) {
    std::int32_t head[2] = {0, 0};
    if (bytes.size() != sizeof head) return false;
    std::memcpy(head, bytes.data(), sizeof head);
    return head[0] > 0 && head[1] == count;
  }
  if (collectionType != cls_CollStrings) return false;
  std::size_t at = 0;
  for (std::int64_t k = 0; k < count; ++k) {
    std::uint32_t n = 0;
    if (bytes.size() - at < 4) return false;
    std::memcpy(&n, bytes.data() + at, 4);
    at += 4;
    if (bytes.size() - at < n) return false;
    at += n;
  }
  return at == bytes.size();
}

}  // namespace

bool Store::ReadArray(std::int64_t oid, int& collectionType, std::string& bytes) {
  SqlStmt& s =
      Cached(Checked() ? "SELECT collection, count, data, \"check\" FROM \"##Array\" WHERE oid = ?"
                       : "SELECT collection, count, data, 0 FROM \"##Array\" WHERE oid = ?");
  s.Reset().Bind(1, oid);
  bool found = s.Step();
  if (found) {
    bool typed =
        s.Type(0) == SQLITE_INTEGER && s.Type(1) == SQLITE_INTEGER && s.Type(2) == SQLITE_BLOB;
    collectionType = static_cast<int>(s.Int(0));
    std::int64_t count = s.Int(1);
    bytes = s.Blob(2);
    std::int64_t sum = s.Type(3) == SQLITE_INTEGER ? s.Int(3) : -1;
    s.Reset();
    if (Checked() &&
        sum != Checksum(kArraySeed).Add(oid).Add(collectionType).Add(count).Add(bytes).Sum())
      Damaged("array " + std::to_string(oid) + " does not match its checksum");
    if (!typed || !ArrayHolds(collectionType, count, bytes))
      Damaged("array " + std::to_string(oid) + " is malformed");
  }
  s.Reset();
  return found;
}

void Store::WriteArrayPage(std::int64_t oid, int page, const std::vector<int>& values) {
  std::string bytes(values.size() * 4, '\0');
  if (!values.empty()) std::memcpy(&bytes[0], values.data(), bytes.size());
  const std::int64_t count = static_cast<std::int64_t>(values.size());
  SqlStmt& s = Cached("INSERT OR REPLACE INTO \"##ArrayPage\" VALUES(?, ?, ?, ?, ?)");
  s.Reset().Bind(1, oid).Bind(2, page).Bind(3, count).BindBlob(4, bytes);
  s.Bind(5, Checksum(kArrayPageSeed).Add(oid).Add(page).Add(count).Add(bytes).Sum()).Run();
}

bool Store::ReadArrayPage(std::int64_t oid, int page, std::vector<int>& values) {
  SqlStmt& s =
      Cached("SELECT count, data, \"check\" FROM \"##ArrayPage\" WHERE oid = ? AND page = ?");
  s.Reset().Bind(1, oid).Bind(2, page);
  if (!s.Step()) {
    s.Reset();
    return false;
  }
  const bool typed =
      s.Type(0) == SQLITE_INTEGER && s.Type(1) == SQLITE_BLOB && s.Type(2) == SQLITE_INTEGER;
  const std::int64_t count = s.Int(0), sum = s.Int(2);
  const std::string bytes = s.Blob(1);
  s.Reset();
  const std::string what = "page " + std::to_string(page) + " of array " + std::to_string(oid);
  if (!typed || sum != Checksum(kArrayPageSeed).Add(oid).Add(page).Add(count).Add(bytes).Sum())
    Damaged(what + " does not match its checksum");
  if (count < 1 || bytes.size() != static_cast<std::uint64_t>(count) * 4)
    Damaged(what + " is malformed");
  values.resize(static_cast<std::size_t>(count));
  std::memcpy(values.data(), bytes.data(), bytes.size());
  return true;
}

void Store::Enlist(cls_AgentBase* agent) {
  if (agent->m_enlisted) return;
  agent->m_enlisted = true;
  m_enlisted.push_back(agent);
}

void Store::Withdraw(cls_AgentBase* agent) {
  if (!agent->m_enlisted) return;
  agent->m_enlisted = false;
  std::replace(m_enlisted.begin(), m_enlisted.end(), agent, static_cast<cls_AgentBase*>(nullptr));
}

void Store::Adopt(cls_AgentBase* agent) {
  agent->m_agentSlot = m_agents.size();
  m_agents.push_back(agent);
}

void Store::Forget(cls_AgentBase* agent) {
  m_agents[agent->m_agentSlot] = nullptr;
  if (++m_agentHoles < 64 || m_agentHoles * 2 < m_agents.size() || m_walkingAgents > 0) return;
  std::size_t kept = 0;
  for (cls_AgentBase* a : m_agents) {
    if (!a) continue;
    a->m_agentSlot = kept;
    m_agents[kept++] = a;
  }
  m_agents.resize(kept);
  m_agentHoles = 0;
}

void Store::FlushAttached() {
  if (ReadOnly()) return;
  BeginScope();
  ++m_walkingAgents;
  try {
    // Agents made while flushing belong to containers that were flushed as they were attached.
    const std::size_t n = m_agents.size();
    for (std::size_t i = 0; i < n; ++i)
      if (cls_AgentBase* agent = m_agents[i]) agent->FlushHolders();
  } catch (...) {
    --m_walkingAgents;
    EndScope(false);
    throw;
  }
  --m_walkingAgents;
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
  TellEnlisted(true);
  m_barn.Clear();
}

void Store::TellEnlisted(bool committed) {
  std::vector<cls_AgentBase*> agents;
  agents.swap(m_enlisted);
  for (cls_AgentBase* a : agents)
    if (a) a->m_enlisted = false;
  for (cls_AgentBase* a : agents)
    if (a) a->TransactionEnded(committed);
  if (m_enlisted.empty()) m_enlisted.swap(agents);
  m_enlisted.clear();
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
  TellEnlisted(false);
  m_barn.Clear();
  m_doomed = false;
}

}  // namespace rom_detail
