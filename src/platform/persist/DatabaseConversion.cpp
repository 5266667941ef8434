#include "platform/persist/DatabaseConversion.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>

#include "ddb/platform/cls_ArrayPrim.h"
#include "ddb/platform/nex_Exception.h"

namespace rom_detail {

namespace {

// How a column stores its values: 'i' integers (also object references), 'r' reals, 't' texts,
// 'e' enumerations (texts).
std::vector<char> ColumnKinds(const ClassTable& t) {
  std::vector<char> kinds(t.columns.size(), 'i');
  for (std::size_t f = 0; f < t.fields.size(); ++f) {
    int type = t.fields[f].attributeType;
    if (type == cls_AttrDouble) kinds[t.fieldColumn[f]] = 'r';
    if (type == cls_AttrString) kinds[t.fieldColumn[f]] = 't';
    if (type == cls_AttrEnum) kinds[t.fieldColumn[f]] = 'e';
  }
  return kinds;
}

// A converted text in the column's kind. An empty text in a number column is null, and so is
// one in an enumeration column (a stored display text that no conversion knows), which reads
// as the enumeration's first value.
Value Typed(const std::string& text, char kind) {
  Value v;
  if (kind == 'e' && text.empty()) return v;
  if (kind == 't' || kind == 'e') {
    v.kind = Value::Text;
    v.s = text;
  } else if (!text.empty()) {
    v.kind = kind == 'r' ? Value::Real : Value::Int;
    if (kind == 'r')
      v.d = std::strtod(text.c_str(), nullptr);
    else
      v.i = std::strtoll(text.c_str(), nullptr, 10);
  }
  return v;
}

cls_ClassMetadata StoredLayout(const ClassTable& t) {
  cls_ClassMetadata md(t.name, t.typeId, t.version, nullptr, t.baseTypeId);
  for (std::size_t f = 0; f < t.fields.size(); ++f) {
    const cls_Attribute& a = t.fields[f];
    md.AddAttribute(cls_FieldHandle(a.name, static_cast<int>(f)), a.attributeType, a.typeId,
                    a.collectionType);
  }
  md.AddTableExtentQuantum(t.extentQuantum);
  return md;
}

// Copies every row of a table between files whose tables have the same columns, calling
// `onRow` after each.
void CopyRows(SqlDb& from, SqlDb& to, const std::string& table, const char* verb,
              const std::function<void()>& onRow = {}) {
  SqlStmt select(from, "SELECT * FROM " + SqlQuote(table));
  int n = select.Columns();
  std::string sql = std::string(verb) + " INTO " + SqlQuote(table) + " VALUES(?";
  for (int i = 1; i < n; ++i) sql += ", ?";
  SqlStmt insert(to, sql + ")");
  while (select.Step()) {
    insert.Reset();
    for (int i = 0; i < n; ++i) insert.BindValue(i + 1, select.Value(i));
    insert.Run();
    if (onRow) onRow();
  }
}

// The steps that take one stored class to its current layout.
struct ClassSteps {
  std::vector<dbc_ConversionFn> rows;
  std::vector<dbc_FinalizeFn> tables;
};

class OutputDatabase : public dbc_Database {
 public:
  OutputDatabase(Store& out, std::int64_t highest) : m_out(out), m_next(highest) {}

  std::vector<std::int64_t> RowOids(std::uint32_t typeId) override {
    std::vector<std::int64_t> oids;
    if (ClassTable* t = m_out.Find(typeId)) {
      SqlStmt s(m_out.Db(), "SELECT \"OID\" FROM " + SqlQuote(t->table) + " ORDER BY \"OID\"");
      while (s.Step()) oids.push_back(s.Int(0));
    }
    return oids;
  }
  bool ReadRow(std::uint32_t typeId, std::int64_t oid, dbc_Row& row) override {
    LoadedRow loaded;
    if (!m_out.LoadRow(typeId, oid, loaded)) return false;
    for (std::size_t c = 0; c < loaded.values.size(); ++c)
      if (loaded.values[c].kind != Value::Null)
        row.SetText(loaded.table->columns[c], AsText(loaded.values[c]));
    row.SetDatabase(this);
    return true;
  }
  std::int64_t AddRow(const cls_ClassMetadata& layout, const dbc_Row& columns) override {
    ClassTable& t = m_out.AddTable(layout);
    const std::int64_t oid = NewOid();
    PendingRow row(t, oid);
    const std::vector<char> kinds = ColumnKinds(t);
    for (const auto& field : columns.Fields()) {
      int c = t.Column(field.first);
      if (c >= 1) row.Set(c, Typed(field.second, kinds[c]));
    }
    m_out.InsertRow(row);
    return oid;
  }
  void UpdateRow(std::uint32_t typeId, std::int64_t oid, const dbc_Row& columns) override {
    ClassTable* t = m_out.Find(typeId);
    if (!t) return;
    const std::vector<char> kinds = ColumnKinds(*t);
    for (const auto& field : columns.Fields()) {
      int c = t->Column(field.first);
      if (c >= 1) m_out.UpdateField(typeId, oid, t->columns[c], Typed(field.second, kinds[c]));
    }
  }
  std::int64_t NewOid() override { return ++m_next; }
  std::vector<MapEntry> ReadMap(std::int64_t map) override {
    std::vector<MapEntry> entries;
    for (const std::string& key : m_out.MapKeys(map)) {
      MapEntry e{key, 0, 0};
      m_out.MapEntry(map, key, e.typeId, e.oid);
      entries.push_back(e);
    }
    return entries;
  }
  void PutMapEntry(std::int64_t map, const MapEntry& e) override {
    m_out.WriteMapEntry(map, e.key, e.typeId, e.oid);
  }
  std::vector<int> ReadIntArray(std::int64_t oid) override {
    int collection = 0;
    std::string bytes;
    cow_List<int> values;
    if (m_out.ReadArray(oid, collection, bytes) && collection == cls_CollInts)
      cls_ArrayCodec::Decode(bytes, values);
    return values.vector();
  }
  std::int64_t AddIntArray(const std::vector<int>& values) override {
    std::string bytes;
    cls_ArrayCodec::Encode(cow_List<int>(values), bytes);
    const std::int64_t oid = NewOid();
    m_out.WriteArray(oid, cls_CollInts, static_cast<int>(values.size()), bytes);
    return oid;
  }
  const cls_ClassRegistrar& CurrentClasses() const override { return m_out.Registrar(); }

 private:
  Store& m_out;
  std::int64_t m_next;
};

class Conversion {
 public:
  Conversion(Store& in, Store& out, const ConversionProgress& progress)
      : m_in(in),
        m_out(out),
        m_converter(m_declared, m_current),
        m_database(out, in.HighestStoredOid()),
        m_progress(progress) {
    m_converter.SetDatabase(&m_database);
    for (const dbc_OldClassHandle& handle : dbc_OldClassRegistrar::Instance().Versions()) {
      auto& version = const_cast<dbc_OldClassVersion&>(handle.ConstGet());
      version.InitializeMetadata(m_declared);
      version.SchemaChanges(m_converter);
      version.ClassesToDelete(m_converter);
    }
    const std::list<std::uint32_t>& deleted = m_converter.GetClassesToDelete();
    m_deleted.insert(deleted.begin(), deleted.end());
  }

  void Run() {
    for (const auto& entry : m_in.Tables())
      if (!m_deleted.count(entry.first)) m_total += RowCount(*entry.second);
    CollectBaseParts();
    CopyCollections();
    CopyRows(m_in.Db(), m_out.Db(), "##Meta", "INSERT OR REPLACE");
    // Rows converted from older layouts may lack lists that current writers always store.
    SqlStmt(m_out.Db(), "INSERT OR REPLACE INTO \"##Meta\"(key, value) VALUES('converted', '1')")
        .Run();
    std::vector<const ClassTable*> older;
    for (const auto& entry : m_in.Tables()) {
      const ClassTable& t = *entry.second;
      const cls_ClassMetadata* md = m_out.Registrar().Find(t.typeId);
      if (m_deleted.count(t.typeId)) continue;
      if (md && t.version < md->Version())
        older.push_back(&t);
      else
        CopyTable(t);
    }
    for (const ClassTable* t : older) ConvertTable(*t);
    for (const ClassTable* t : older)
      for (dbc_FinalizeFn fn : StepsOf(*t).tables) fn(m_converter);
    Report(true);
  }

 private:
  std::int64_t RowCount(const ClassTable& t) {
    SqlStmt s(m_in.Db(), "SELECT COUNT(*) FROM " + SqlQuote(t.table));
    return s.Step() ? s.Int(0) : 0;
  }

  void Report(bool last) {
    if (m_progress && (last || m_done % 16384 == 0)) m_progress(m_done, m_total);
  }

  // Rows are written through the output store, which adds what its layout stores with them
  // (checksums, list lengths).
  void CopyTable(const ClassTable& t) {
    ClassTable& target = m_out.AddTable(StoredLayout(t));
    SqlStmt select(m_in.Db(), "SELECT * FROM " + SqlQuote(t.table));
    const int n = std::min<int>(select.Columns(), static_cast<int>(target.columns.size()));
    while (select.Step()) {
      PendingRow row(target, select.Int(0));
      for (int c = 1; c < n; ++c) row.Set(c, ColumnValue(select, c));
      TakeDeletedPart(row);
      m_out.InsertRow(row);
      ++m_done;
      Report(false);
    }
  }

  void CopyCollections() {
    // Runs come in key order, so the runs of one list are consecutive.
    SqlStmt select(m_in.Db(), "SELECT list, first, count, entries FROM \"##List\"");
    std::int64_t list = 0;
    std::vector<ListRun> runs;
    while (select.Step()) {
      if (select.Int(0) != list) {
        WriteList(list, runs);
        list = select.Int(0);
        runs.clear();
      }
      std::string bytes = select.Blob(3);
      runs.push_back(
          {select.Int(1), std::vector<Store::ListEntry>(bytes.size() / Store::kListEntryBytes)});
      std::vector<Store::ListEntry>& entries = runs.back().entries;
      for (std::size_t k = 0; k < entries.size(); ++k) {
        std::memcpy(&entries[k].typeId, &bytes[k * Store::kListEntryBytes], 4);
        std::memcpy(&entries[k].oid, &bytes[k * Store::kListEntryBytes + 4], 8);
      }
    }
    WriteList(list, runs);
    SqlStmt maps(m_in.Db(), "SELECT map, key, class, oid FROM \"##Map\"");
    while (maps.Step())
      m_out.WriteMapEntry(maps.Int(0), maps.Text(1), static_cast<std::uint32_t>(maps.Int(2)),
                          maps.Int(3));
    SqlStmt arrays(m_in.Db(), "SELECT oid, collection, count, data FROM \"##Array\"");
    while (arrays.Step())
      m_out.WriteArray(arrays.Int(0), static_cast<int>(arrays.Int(1)),
                       static_cast<int>(arrays.Int(2)), arrays.Blob(3));
    if (!m_in.StoresPages()) return;
    SqlStmt pages(m_in.Db(), "SELECT oid, page FROM \"##ArrayPage\"");
    std::vector<int> values;
    while (pages.Step())
      if (m_in.ReadArrayPage(pages.Int(0), static_cast<int>(pages.Int(1)), values))
        m_out.WriteArrayPage(pages.Int(0), static_cast<int>(pages.Int(1)), values);
  }

  struct ListRun {
    std::int64_t first;
    std::vector<Store::ListEntry> entries;
  };

  // Older writers did not bound their runs; layout 2 stores runs of at most kListRun. A list
  // holding objects of deleted classes is written again from its start: each such element
  // becomes its base part when that survives and leaves the list otherwise.
  void WriteList(std::int64_t list, std::vector<ListRun>& runs) {
    bool relink = false;
    for (const ListRun& run : runs)
      for (const Store::ListEntry& e : run.entries)
        relink = relink || (m_holdsDeleted && m_deleted.count(e.typeId));
    if (relink) {
      ListRun kept{0, {}};
      for (const ListRun& run : runs)
        for (const Store::ListEntry& e : run.entries) {
          if (!m_deleted.count(e.typeId))
            kept.entries.push_back(e);
          else if (Store::ListEntry base; BasePartOf(e, base))
            kept.entries.push_back(base);
        }
      runs = {std::move(kept)};
    }
    std::int64_t length = 0;
    for (const ListRun& run : runs) {
      const std::vector<Store::ListEntry>& entries = run.entries;
      for (std::size_t k = 0; k < entries.size(); k += Store::kListRun) {
        std::size_t end = std::min(entries.size(), k + Store::kListRun);
        m_out.WriteListRun(list, static_cast<int>(run.first + static_cast<std::int64_t>(k)),
                           {entries.begin() + k, entries.begin() + end});
      }
      length =
          std::max<std::int64_t>(length, run.first + static_cast<std::int64_t>(entries.size()));
    }
    if (length > 0) m_out.WriteListLength(list, length);
  }

  // The objects of deleted classes whose base class remains are read as their base parts from
  // now on, which take the deleted parts' fields of their columns' names.
  void CollectBaseParts() {
    for (const auto& entry : m_in.Tables()) {
      const ClassTable& t = *entry.second;
      m_holdsDeleted = m_holdsDeleted || m_deleted.count(t.typeId);
      const cls_ClassMetadata* base = m_out.Registrar().Find(t.baseTypeId);
      if (!m_deleted.count(t.typeId) || !t.HasBase() || m_deleted.count(t.baseTypeId) || !base)
        continue;
      m_baseOf[t.typeId] = {
          t.baseTypeId, SqlStmt(m_in.Db(), "SELECT \"##BaseClassOID\" FROM " + SqlQuote(t.table) +
                                               " WHERE \"OID\" = ?")};
      std::vector<int> shared;
      const ClassTable& baseTable = m_out.AddTable(*base);
      for (std::size_t c = 2; c < t.columns.size(); ++c)
        if (baseTable.Column(t.columns[c]) >= 2) shared.push_back(static_cast<int>(c));
      if (shared.empty()) continue;
      SqlStmt select(m_in.Db(), "SELECT * FROM " + SqlQuote(t.table));
      while (select.Step()) {
        if (select.Type(1) != SQLITE_INTEGER) continue;
        for (int c : shared)
          if (c < select.Columns() && select.Type(c) != SQLITE_NULL)
            m_deletedParts[select.Int(1)].push_back({t.columns[c], ColumnValue(select, c)});
      }
    }
  }

  bool BasePartOf(const Store::ListEntry& e, Store::ListEntry& base) {
    auto it = m_baseOf.find(e.typeId);
    if (it == m_baseOf.end()) return false;
    SqlStmt& select = it->second.select;
    select.Reset().Bind(1, e.oid);
    if (!select.Step() || select.Type(0) != SQLITE_INTEGER) return false;
    base = {it->second.typeId, select.Int(0)};
    return true;
  }

  void TakeDeletedPart(PendingRow& row) {
    auto part = m_deletedParts.find(row.Values()[0].i);
    if (part == m_deletedParts.end()) return;
    for (const auto& field : part->second) {
      const int c = row.Table().Column(field.first);
      if (c >= 2 && row.Values()[c].kind == Value::Null) row.Set(c, field.second);
    }
  }

  // The base levels that the class's current layout has and its stored layout had not, from
  // the nearest: each gets a row holding the stored fields of its columns' names, linked from
  // the level below. Nothing is added when no stored field belongs to them.
  void AddBaseParts(const ClassTable& stored, PendingRow& row,
                    const std::function<Value(const std::string&)>& field) {
    const cls_ClassRegistrar& classes = m_out.Registrar();
    if (row.Values()[1].kind != Value::Null) return;
    std::vector<PendingRow> levels;
    bool any = false;
    for (std::uint32_t base = classes.Get(stored.typeId).BaseTypeId();
         base != 0 && base != cls_NoBaseTypeId;) {
      const cls_ClassMetadata& layout = classes.Get(base);
      levels.emplace_back(m_out.AddTable(layout), 0);
      ClassTable& t = levels.back().Table();
      for (std::size_t c = 2; c < t.columns.size(); ++c) {
        Value v = Retargeted(t, static_cast<int>(c), field(t.columns[c]));
        any = any || v.kind != Value::Null;
        levels.back().Set(static_cast<int>(c), std::move(v));
      }
      base = layout.BaseTypeId();
    }
    if (!any) return;
    PendingRow* below = &row;
    for (PendingRow& level : levels) {
      level.Values()[0].i = m_database.NewOid();
      below->Set(1, Oid(level.Values()[0].i));
      below = &level;
    }
    for (PendingRow& level : levels) m_out.InsertRow(level);
  }

  static Value Oid(std::int64_t oid) {
    Value v;
    v.kind = Value::Int;
    v.i = oid;
    return v;
  }

  // An older layout's embedded list of objects read into a list-of-objects field.
  static Value Retargeted(const ClassTable& t, int column, Value v) {
    const cls_Attribute* a = t.FieldAt(column);
    if (a && a->typeId == cls_ObjListTypeId && v.kind == Value::Int && v.i == cls_PrimArrayTypeId &&
        t.columns[column].size() > 8 &&
        t.columns[column].compare(t.columns[column].size() - 8, 8, "#ClassID") == 0)
      v.i = cls_ObjListTypeId;
    return v;
  }

  ClassSteps StepsOf(const ClassTable& t) const {
    std::vector<const dbc_ClassConverter*> steps;
    for (const auto& level : m_converter.Converters())
      for (const auto& c : level.second.ClassConverters())
        if (c->TypeId() == t.typeId && c->FromVersion() >= t.version) steps.push_back(c.get());
    std::stable_sort(steps.begin(), steps.end(),
                     [](auto* a, auto* b) { return a->FromVersion() < b->FromVersion(); });
    ClassSteps out;
    for (const dbc_ClassConverter* c : steps) {
      if (c->RowFunction()) out.rows.push_back(c->RowFunction());
      if (c->TableFunction()) out.tables.push_back(c->TableFunction());
    }
    return out;
  }

  void ConvertTable(const ClassTable& t) {
    const ClassSteps steps = StepsOf(t);
    const std::vector<char> storedKinds = ColumnKinds(t);
    const bool gainsBase = m_out.Registrar().Get(t.typeId).BaseTypeId() != t.baseTypeId;
    ClassTable& target = m_out.AddTable(m_out.Registrar().Get(t.typeId));
    const std::vector<char> kinds = ColumnKinds(target);
    std::vector<int> source(target.columns.size(), -1);
    for (std::size_t c = 1; c < target.columns.size(); ++c) source[c] = t.Column(target.columns[c]);
    SqlStmt select(m_in.Db(), "SELECT * FROM " + SqlQuote(t.table) + " ORDER BY \"OID\"");
    const int n = std::min<int>(select.Columns(), static_cast<int>(t.columns.size()));
    while (select.Step()) {
      PendingRow row(target, select.Int(0));
      row.Set(1, ColumnValue(select, 1));
      if (steps.rows.empty()) {
        for (std::size_t c = 2; c < source.size(); ++c)
          if (source[c] >= 0) row.Set(static_cast<int>(c), ColumnValue(select, source[c]));
        if (gainsBase)
          AddBaseParts(t, row, [&](const std::string& name) {
            const int c = t.Column(name);
            return c >= 2 && c < n ? ColumnValue(select, c) : Value();
          });
      } else {
        dbc_Row current;
        current.SetDatabase(&m_database);
        for (int c = 2; c < n; ++c) {
          Value v = ColumnValue(select, c);
          if (v.kind != Value::Null) current.SetText(t.columns[c], AsText(v));
        }
        for (dbc_ConversionFn fn : steps.rows) {
          dbc_Row next = current;
          fn(current, next, 0);
          current = std::move(next);
        }
        for (std::size_t c = 2; c < target.columns.size(); ++c)
          if (current.Has(target.columns[c]))
            row.Set(static_cast<int>(c), Typed(current.GetText(target.columns[c]).str(), kinds[c]));
        if (gainsBase)
          AddBaseParts(t, row, [&](const std::string& name) {
            const int c = t.Column(name);
            return current.Has(name) && c >= 2 ? Typed(current.GetText(name).str(), storedKinds[c])
                                               : Value();
          });
      }
      TakeDeletedPart(row);
      m_out.InsertRow(row);
      ++m_done;
      Report(false);
    }
  }

  Store& m_in;
  Store& m_out;
  cls_ClassRegistrar m_declared;
  cls_ClassRegistrar m_current;
  dbc_DatabaseConverter m_converter;
  OutputDatabase m_database;
  std::set<std::uint32_t> m_deleted;
  bool m_holdsDeleted = false;  // the file has tables of deleted classes
  struct BaseLookup {
    std::uint32_t typeId;
    SqlStmt select;  // the base part's OID of an object of the deleted class
  };
  std::map<std::uint32_t, BaseLookup> m_baseOf;  // by deleted class
  // Fields of deleted parts that their base parts take, by base OID.
  std::map<std::int64_t, std::vector<std::pair<std::string, Value>>> m_deletedParts;
  const ConversionProgress& m_progress;
  std::int64_t m_done = 0;
  std::int64_t m_total = 0;
};

}  // namespace

bool NeedsConversion(Store& input) {
  bool older = false;
  for (const auto& entry : input.Tables()) {
    const ClassTable& t = *entry.second;
    const cls_ClassMetadata* md = input.Registrar().Find(t.typeId);
    if (!md) continue;
    if (t.version > md->Version())
      DDB_THROW(nex_PrimException,
                "'%s' was written by a newer release of ddb (class %s at version %d; this "
                "release reads up to version %d)",
                input.FileName(), t.name, t.version, md->Version());
    older = older || t.version < md->Version();
  }
  return older;
}

void ConvertDatabase(Store& input, Store& output, const ConversionProgress& progress) {
  SqlDb& db = output.Db();
  db.Exec("PRAGMA journal_mode=OFF");
  db.Exec("PRAGMA synchronous=OFF");
  db.Exec("BEGIN");
  try {
    Conversion(input, output, progress).Run();
    db.Exec("COMMIT");
  } catch (...) {
    try {
      db.Exec("ROLLBACK");
    } catch (...) {
    }
    throw;
  }
  db.Exec("PRAGMA journal_mode=DELETE");
}

}  // namespace rom_detail
