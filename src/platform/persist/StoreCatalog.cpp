// The store's catalog: the fixed tables of a new file, the class catalog read and checked on
// open, and the tables of classes written for the first time.
#include "ddb/platform/nex_Exception.h"
#include "platform/persist/Checksum.h"
#include "platform/persist/Store.h"

namespace rom_detail {

namespace {

// The framework's tables as a file of the current layout has them: name and the statement
// that creates it.
const std::pair<const char*, const char*> kFixedTables[] = {
    {"##Meta", "CREATE TABLE \"##Meta\"(key TEXT PRIMARY KEY, value TEXT)"},
    {"##Classes",
     "CREATE TABLE \"##Classes\"(\"Type Id\" INTEGER PRIMARY KEY, \"Class Name\" TEXT NOT NULL,"
     " \"Class Table\" TEXT NOT NULL, \"Version\" INTEGER NOT NULL,"
     " \"Base Type Id\" INTEGER NOT NULL, \"Extent Quantum\" INTEGER NOT NULL,"
     " \"Check\" INTEGER NOT NULL)"},
    {"##Fields",
     "CREATE TABLE \"##Fields\"(\"Type Id\" INTEGER NOT NULL, \"Position\" INTEGER NOT NULL,"
     " \"Field Name\" TEXT NOT NULL, \"Attribute Type\" INTEGER NOT NULL,"
     " \"Field Type Id\" INTEGER NOT NULL, \"Collection Type\" INTEGER NOT NULL,"
     " PRIMARY KEY(\"Type Id\", \"Position\"))"},
    {"##List",
     "CREATE TABLE \"##List\"(list INTEGER NOT NULL, first INTEGER NOT NULL,"
     " count INTEGER NOT NULL, entries BLOB NOT NULL, \"check\" INTEGER NOT NULL,"
     " PRIMARY KEY(list, first)) WITHOUT ROWID"},
    {"##Map",
     "CREATE TABLE \"##Map\"(map INTEGER NOT NULL, key TEXT NOT NULL, class INTEGER NOT NULL,"
     " oid INTEGER NOT NULL, \"check\" INTEGER NOT NULL, PRIMARY KEY(map, key)) WITHOUT ROWID"},
    {"##Length",
     "CREATE TABLE \"##Length\"(list INTEGER PRIMARY KEY, count INTEGER NOT NULL,"
     " \"check\" INTEGER NOT NULL)"},
    {"##Array",
     "CREATE TABLE \"##Array\"(oid INTEGER PRIMARY KEY, collection INTEGER NOT NULL,"
     " count INTEGER NOT NULL, data BLOB NOT NULL, \"check\" INTEGER NOT NULL)"},
    {"##ArrayPage",
     "CREATE TABLE \"##ArrayPage\"(oid INTEGER NOT NULL, page INTEGER NOT NULL,"
     " count INTEGER NOT NULL, data BLOB NOT NULL, \"check\" INTEGER NOT NULL,"
     " PRIMARY KEY(oid, page))"},
};

std::string FixedTableSql(const std::string& name) {
  for (const auto& [table, sql] : kFixedTables)
    if (name == table) return sql;
  return std::string();
}

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

}  // namespace

void Store::InitializeNew(const std::string& dbName, const std::string& description,
                          std::int64_t creationTime) {
  BeginScope();
  try {
    for (const auto& table : kFixedTables) m_db.Exec(table.second);
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
void Store::VerifyTables(TableKind which) {
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
  std::map<std::string, std::string> created;  // table name -> the statement it was created by
  SqlStmt tables(m_db, "SELECT name, sql FROM sqlite_master WHERE type = 'table'");
  while (tables.Step()) created[tables.Text(0)] = tables.Text(1);
  SqlStmt stored(m_db, "SELECT name FROM pragma_table_info(?) ORDER BY cid");
  // A table created by the statement the library would create it with has that statement's
  // columns; any other is read column by column.
  auto verify = [&](const std::string& table, const std::vector<std::string>& columns,
                    const std::string& what, const std::string& statement = std::string()) {
    auto it = created.find(table);
    if (it == created.end()) Damaged("the table of " + what + " is missing");
    if (!statement.empty() && it->second == statement) return;
    std::vector<std::string> actual;
    stored.Reset().Bind(1, table);
    while (stored.Step()) actual.push_back(stored.Text(0));
    for (std::size_t c = 0; c < columns.size(); ++c)
      if (c >= actual.size() || actual[c] != columns[c])
        Damaged("the table of " + what + " lacks its column '" + columns[c] + "'");
    if (actual.size() != columns.size())
      Damaged("the table of " + what + " has a column '" + actual[columns.size()] +
              "' that its layout does not declare");
  };
  if (which == TableKind::Classes) {
    for (const auto& entry : m_tables) {
      const ClassTable& t = *entry.second;
      std::vector<std::string> columns = t.columns;
      if (Checked()) columns.push_back("##Check");
      verify(t.table, columns, "class " + t.name, CreateTableSql(t));
    }
    return;
  }
  // From layout 3 on, the framework's tables are the ones a new file gets.
  auto fixedSql = [&](const std::string& name) {
    return StoresPages() ? FixedTableSql(name) : std::string();
  };
  if (Checked()) verify("##Length", {"list", "count", "check"}, "##Length", fixedSql("##Length"));
  if (StoresPages())
    verify("##ArrayPage", {"oid", "page", "count", "data", "check"}, "##ArrayPage",
           fixedSql("##ArrayPage"));
  for (const auto& fixed : kFixed) {
    std::vector<std::string> columns = fixed.second;
    if (Checked() && fixed.first != "##Meta" && fixed.first != "##Fields")
      columns.push_back(fixed.first == "##Classes" ? "Check" : "check");
    verify(fixed.first, columns, fixed.first, fixedSql(fixed.first));
  }
}

std::string Store::CreateTableSql(const ClassTable& t) {
  std::string sql = "CREATE TABLE " + SqlQuote(t.table) +
                    "(\"OID\" INTEGER PRIMARY KEY, \"##BaseClassOID\" INTEGER";
  for (const cls_Attribute& a : t.fields) {
    if (a.attributeType == cls_AttrObject)
      sql += ", " + SqlQuote(a.name + "#ClassID") + " INTEGER, " + SqlQuote(a.name + "#OID") +
             " INTEGER";
    else
      sql += ", " + SqlQuote(a.name) + " " + SqlType(a.attributeType);
  }
  return sql + (Checked() ? ", \"##Check\" INTEGER)" : ")");
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
  m_db.Exec(CreateTableSql(*t));
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

}  // namespace rom_detail
