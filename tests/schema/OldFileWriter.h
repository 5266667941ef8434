// Test support: writes ddb files in the layouts of older releases with plain SQL, as
// doc/ddb-format.md describes them, each older layout taken from the registered version that
// declares it, so every chain of conversions runs from a file on disk. bench/upgrade_bench writes
// with it too, so nothing here depends on the test framework: a failed statement raises.
#pragma once

#include <sqlite3.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <variant>
#include <vector>

#include "PlainSql.h"
#include "ddb/platform/cls_ArrayPrim.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "platform/persist/dbc_OldClassRegistrar.h"

namespace ddb_test {

// One stored column: an integer, a real or a text.
using Cell = std::variant<long long, double, std::string>;
using Cells = std::vector<std::pair<std::string, Cell>>;

// A stored layout: a class at one version, with its fields in stored order.
struct StoredLayout {
  std::string name;
  std::uint32_t typeId = 0;
  int version = 0;
  std::uint32_t base = cls_NoBaseTypeId;
  std::vector<cls_Attribute> fields;
};

// The one class an older version declares, copied out of a scratch registrar.
inline StoredLayout DeclaredBy(const dbc_OldClassHandle& handle) {
  cls_ClassRegistrar scratch;
  const_cast<dbc_OldClassVersion&>(handle.ConstGet()).InitializeMetadata(scratch);
  const std::vector<const cls_ClassMetadata*> classes = scratch.Classes();
  if (classes.size() != 1) throw std::runtime_error("an older version declares one class");
  const cls_ClassMetadata& md = *classes[0];
  return {md.Name().str(), md.TypeId(), md.Version(), md.BaseTypeId(), md.Attributes()};
}

// The registered older version declaring `className` at `version` (null when none does) and,
// into `layout`, what it declares.
inline dbc_OldClassVersion* OldVersion(const std::string& className, int version,
                                       StoredLayout* layout = nullptr) {
  for (const dbc_OldClassHandle& handle : dbc_OldClassRegistrar::Instance().Versions()) {
    StoredLayout declared = DeclaredBy(handle);
    if (declared.name != className || declared.version != version) continue;
    if (layout) *layout = std::move(declared);
    return &const_cast<dbc_OldClassVersion&>(handle.ConstGet());
  }
  return nullptr;
}

// The layout of `className` at `version`: the current one when that is the class's current
// version (or 0), else the registered older version's.
inline StoredLayout LayoutOf(const std::string& className, int version) {
  const cls_ClassMetadata* md =
      cls_MetadataRegistrar::Instance().ProcessRegistrar().FindByName(className);
  if (md && (version == 0 || md->Version() == version))
    return {className, md->TypeId(), md->Version(), md->BaseTypeId(), md->Attributes()};
  StoredLayout layout;
  if (!OldVersion(className, version, &layout))
    throw std::runtime_error("no registered version " + className + " " + std::to_string(version));
  return layout;
}

class OldFileWriter {
 public:
  explicit OldFileWriter(const std::string& path)
      : m_sql((std::remove(path.c_str()), path), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) {
    Exec(R"(PRAGMA journal_mode=WAL; PRAGMA application_id=1684300321; PRAGMA user_version=1;
CREATE TABLE "##Meta"(key TEXT PRIMARY KEY, value TEXT);
CREATE TABLE "##Classes"("Type Id" INTEGER PRIMARY KEY, "Class Name" TEXT NOT NULL,
  "Class Table" TEXT NOT NULL, "Version" INTEGER NOT NULL, "Base Type Id" INTEGER NOT NULL,
  "Extent Quantum" INTEGER NOT NULL);
CREATE TABLE "##Fields"("Type Id" INTEGER NOT NULL, "Position" INTEGER NOT NULL,
  "Field Name" TEXT NOT NULL, "Attribute Type" INTEGER NOT NULL,
  "Field Type Id" INTEGER NOT NULL, "Collection Type" INTEGER NOT NULL,
  PRIMARY KEY("Type Id", "Position"));
CREATE TABLE "##List"(list INTEGER NOT NULL, first INTEGER NOT NULL, count INTEGER NOT NULL,
  entries BLOB NOT NULL, PRIMARY KEY(list, first)) WITHOUT ROWID;
CREATE TABLE "##Map"(map INTEGER NOT NULL, key TEXT NOT NULL, class INTEGER NOT NULL,
  oid INTEGER NOT NULL, PRIMARY KEY(map, key)) WITHOUT ROWID;
CREATE TABLE "##Array"(oid INTEGER PRIMARY KEY, collection INTEGER NOT NULL,
  count INTEGER NOT NULL, data BLOB NOT NULL);
INSERT INTO "##Meta" VALUES('database', 'D0'), ('description', 'older release'),
  ('creationTime', '1000');)");
  }
  ~OldFileWriter() {
    for (auto& statement : m_statements) sqlite3_finalize(statement.second);
  }
  OldFileWriter(const OldFileWriter&) = delete;
  OldFileWriter& operator=(const OldFileWriter&) = delete;

  // The class's table in the layout it had at `version` (0: the current one).
  void Declare(const std::string& className, int version) { Table(LayoutOf(className, version)); }
  // A class of another library: plain fields of the given attribute types, object fields as
  // (name, 15).
  void DeclareForeign(const std::string& name, std::uint32_t typeId, int version,
                      const std::vector<std::pair<std::string, int>>& fields) {
    StoredLayout layout{name, typeId, version, cls_NoBaseTypeId, {}};
    for (const auto& f : fields) layout.fields.push_back({f.first, f.second, 1, 0});
    Table(layout);
  }
  std::uint32_t Id(const std::string& className) const { return m_ids.at(className); }

  long long Row(std::uint32_t typeId, const Cells& cells) {
    std::string names = "\"OID\"", marks = "?";
    std::vector<Cell> values{++m_oid};
    for (const auto& c : cells) {
      names += ", \"" + c.first + "\"";
      marks += ", ?";
      values.push_back(c.second);
    }
    Insert("INSERT INTO \"" + m_tables.at(typeId) + "\"(" + names + ") VALUES(" + marks + ")",
           values);
    return m_oid;
  }
  long long Row(const std::string& className, const Cells& cells) {
    return Row(Id(className), cells);
  }
  // A reference to an object as the two cells of an object field, added to `owner`.
  static Cells& Ref(Cells& owner, const std::string& field, long long typeId, long long oid) {
    owner.push_back({field + "#ClassID", typeId});
    owner.push_back({field + "#OID", oid});
    return owner;
  }
  // Stores the objects as a list (cls_PrimArrayTypeId: an older layout's embedded list) in
  // `owner`'s field.
  void ListIn(Cells& owner, const std::string& field, std::uint32_t typeId,
              const std::vector<long long>& oids, long long kind = cls_ObjListTypeId) {
    std::string bytes(oids.size() * 12, '\0');
    for (std::size_t k = 0; k < oids.size(); ++k) {
      std::memcpy(&bytes[k * 12], &typeId, 4);
      std::memcpy(&bytes[k * 12 + 4], &oids[k], 8);
    }
    Insert("INSERT INTO \"##List\" VALUES(?, 0, ?, CAST(? AS BLOB))",
           {++m_oid, static_cast<long long>(oids.size()), bytes});
    Ref(owner, field, kind, m_oid);
  }
  long long Map(const std::vector<std::tuple<std::string, std::uint32_t, long long>>& entries) {
    const long long map = ++m_oid;
    for (const auto& [key, typeId, oid] : entries)
      Insert("INSERT INTO \"##Map\" VALUES(?, ?, ?, ?)",
             {map, key, static_cast<long long>(typeId), oid});
    return map;
  }
  // An array of ints, doubles or cow_Strings.
  template <class T>
  long long Array(const std::vector<T>& values) {
    std::string bytes;
    cls_ArrayCodec::Encode(cow_List<T>(values), bytes);
    Insert("INSERT INTO \"##Array\" VALUES(?, ?, ?, CAST(? AS BLOB))",
           {++m_oid, static_cast<long long>(cls_ArrayPrim<T>::CollectionType()),
            static_cast<long long>(values.size()), bytes});
    return m_oid;
  }
  void Exec(const std::string& sql) {
    if (!m_sql.Exec(sql)) throw std::runtime_error(sql + ": " + m_sql.Error());
  }
  void Begin() { Exec("BEGIN"); }
  void Commit() { Exec("COMMIT"); }

 private:
  void Table(const StoredLayout& layout) {
    const std::string& name = layout.name;
    m_tables[layout.typeId] = name;
    m_ids[name] = layout.typeId;
    std::string sql =
        "CREATE TABLE \"" + name + "\"(\"OID\" INTEGER PRIMARY KEY, \"##BaseClassOID\" INTEGER";
    for (const cls_Attribute& a : layout.fields) {
      if (a.attributeType == cls_AttrObject)
        sql += ", \"" + a.name + "#ClassID\" INTEGER, \"" + a.name + "#OID\" INTEGER";
      else
        sql += ", \"" + a.name + "\" " +
               (a.attributeType == cls_AttrDouble                                      ? "REAL"
                : a.attributeType == cls_AttrString || a.attributeType == cls_AttrEnum ? "TEXT"
                                                                                       : "INTEGER");
    }
    Exec(sql + ")");
    const std::string id = std::to_string(layout.typeId);
    Exec("INSERT INTO \"##Classes\" VALUES(" + id + ", '" + name + "', '" + name + "', " +
         std::to_string(layout.version) + ", " + std::to_string(layout.base) + ", 0)");
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
      const cls_Attribute& f = layout.fields[i];
      Exec("INSERT INTO \"##Fields\" VALUES(" + id + ", " + std::to_string(i) + ", '" + f.name +
           "', " + std::to_string(f.attributeType) + ", " + std::to_string(f.typeId) + ", " +
           std::to_string(f.collectionType) + ")");
    }
  }
  // Runs `sql`, prepared once, with the cells bound to its parameters in turn.
  void Insert(const std::string& sql, const std::vector<Cell>& cells) {
    sqlite3_stmt*& s = m_statements[sql];
    if (!s && sqlite3_prepare_v2(m_sql.Handle(), sql.c_str(), -1, &s, nullptr) != SQLITE_OK)
      throw std::runtime_error(sql + ": " + m_sql.Error());
    sqlite3_reset(s);
    for (int i = 1; i <= static_cast<int>(cells.size()); ++i) {
      if (auto* n = std::get_if<long long>(&cells[i - 1])) sqlite3_bind_int64(s, i, *n);
      if (auto* d = std::get_if<double>(&cells[i - 1])) sqlite3_bind_double(s, i, *d);
      if (auto* t = std::get_if<std::string>(&cells[i - 1]))
        sqlite3_bind_text(s, i, t->data(), static_cast<int>(t->size()), SQLITE_TRANSIENT);
    }
    if (sqlite3_step(s) != SQLITE_DONE) throw std::runtime_error(sql + ": " + m_sql.Error());
  }

  PlainSql m_sql;
  long long m_oid = 100;
  std::map<std::uint32_t, std::string> m_tables;
  std::map<std::string, std::uint32_t> m_ids;
  std::map<std::string, sqlite3_stmt*> m_statements;
};

}  // namespace ddb_test
