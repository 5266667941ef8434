// The storage engine behind a transporter: one open ddb file's tables, statements and
// transactions. See doc/ddb-format.md for the layout it reads and writes.
//
// Owned through shared_ptr by the transporter, the agents of attached collections, readers and
// attached primitive arrays, so it outlives whichever of them goes last. One thread at a time.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/rfm_File.h"
#include "ddb/platform/rom_Transporter.h"
#include "platform/persist/Sql.h"
#include "platform/persist/Value.h"
#include "platform/persist/cls_AgentListObj.h"
#include "platform/persist/dbc_OldClassRegistrar.h"

namespace rom_detail {

// One class's stored layout in this file: its table and columns.
struct ClassTable {
  std::uint32_t typeId = 0;
  std::string name;
  std::string table;
  int version = 0;
  std::uint32_t baseTypeId = cls_NoBaseTypeId;
  int extentQuantum = 0;
  std::vector<cls_Attribute> fields;
  // Column 0 is "OID", column 1 "##BaseClassOID", then the fields' columns.
  std::vector<std::string> columns;
  std::unordered_map<std::string, int> columnIndex;
  std::vector<int> fieldColumn;
  // The declared field behind each column, -1 for "OID" and "##BaseClassOID".
  std::vector<int> columnField;
  // The attribute type of each column's field, -1 for "OID" and "##BaseClassOID".
  std::vector<int> columnAttribute;
  // Per column, a bit (1 << Value::Kind) for each kind of value that is stored as it stands.
  std::vector<unsigned char> storedAsIs;
  SqlStmt insert;
  // The same row replacing a stored one; prepared when first needed.
  SqlStmt replace;
  SqlStmt select;
  // Rows of this class are written whole by this release: every list field refers to a list.
  bool complete = false;
  // Row functions upgrading rows of this (older) stored layout; empty when it is current.
  const std::vector<dbc_ConversionFn>* conversions = nullptr;

  // A handle naming a field by its declaration index is matched once by name; later handles with
  // the same name pointer (a field table's literal) are matched by that pointer alone.
  int Column(const cls_FieldHandle& field) const {
    const int index = field.Index();
    if (index >= 0 && static_cast<std::size_t>(index) < m_matchedNames.size() &&
        m_matchedNames[index] == field.CName())
      return fieldColumn[index];
    return MatchColumn(field);
  }
  int Column(const std::string& name) const;
  bool HasBase() const { return baseTypeId != cls_NoBaseTypeId && baseTypeId != 0; }
  // The field stored in `column`, or null for the identity columns.
  const cls_Attribute* FieldAt(int column) const;

 private:
  int MatchColumn(const cls_FieldHandle& field) const;
  // Sized to `fields` once a field was matched.
  mutable std::vector<const char*> m_matchedNames;
};

struct LoadedRow {
  ClassTable* table = nullptr;
  std::vector<Value> values;
  // Fields that a conversion gave the row although its stored layout lacks them, by name.
  std::map<std::string, Value> added;

  const Value* Find(const cls_FieldHandle& field) const;
  const Value* Find(const std::string& name) const;
};

// A row being built. Rows of the write path come from the store's pool (Store::AcquireRow) and
// are reused, so that their values and texts keep their storage from one record to the next.
// A record's own texts need no copy (SetHeldText): the record outlives the insertion of its row,
// which follows its DBWrite, so the row refers to the record's bytes until then.
class PendingRow {
 public:
  explicit PendingRow(ClassTable& table, std::int64_t oid);
  // Starts a new row of `table`: every column NULL but "OID".
  void Restart(ClassTable& table, std::int64_t oid);
  // Columns out of range (-1: a field the layout lacks) and "OID" are not set.
  void SetInt(int column, std::int64_t value) {
    if (column <= 0 || column >= static_cast<int>(m_values.size())) return;
    m_values[column].kind = Value::Int;
    m_values[column].i = value;
  }
  void SetReal(int column, double value) {
    if (column <= 0 || column >= static_cast<int>(m_values.size())) return;
    m_values[column].kind = Value::Real;
    m_values[column].d = value;
  }
  void SetText(int column, const char* text, std::size_t size);
  // The bytes stay where the caller holds them, unchanged, until the row is inserted.
  void SetHeldText(int column, const char* text, std::size_t size) {
    if (column <= 0 || column >= static_cast<int>(m_values.size())) return;
    m_values[column].kind = Value::Text;
    m_values[column].blob = false;
    m_texts[column] = {text, size};
  }
  // A Text value's bytes: the caller's (SetHeldText) or the value's own. Every setter that makes a
  // value a text sets its column's pointer (null for the value's own).
  std::pair<const char*, std::size_t> TextAt(int column) const {
    const Value& v = m_values[column];
    if (m_texts[column].first) return m_texts[column];
    return {v.s.data(), v.s.size()};
  }
  // The column's value holds its text itself (a value converted to its stored form).
  void OwnText(int column) { m_texts[column].first = nullptr; }
  void SetBlob(int column, const std::string& bytes);
  void Set(int column, Value value);
  void Set(const cls_FieldHandle& field, Value value);
  void Set(const std::string& column, Value value);
  ClassTable& Table() const { return *m_table; }
  std::vector<Value>& Values() { return m_values; }

 private:
  ClassTable* m_table;
  std::vector<Value> m_values;
  // Per column, the caller's text bytes (SetHeldText); null where the value holds its own.
  std::vector<std::pair<const char*, std::size_t>> m_texts;
};

class Store : public std::enable_shared_from_this<Store> {
 public:
  Store(rfm_FileHandle file, const cls_ClassRegistrar* registrar);
  ~Store();

  void InitializeNew(const std::string& dbName, const std::string& description,
                     std::int64_t creationTime);
  void OpenDatabase(const std::string& dbName);

  SqlDb& Db() { return m_db; }
  // The file the database belongs to: for a converted copy, the file it was made from.
  const rfm_FileHandle& File() const { return m_source ? m_source : m_file; }
  // Makes this store (a converted copy) stand for `source` in File() and in messages.
  void StandFor(rfm_FileHandle source) {
    m_db.SetFileName(source->FileName().str());
    m_source = std::move(source);
  }
  const std::string& FileName() const { return m_db.FileName(); }
  // The file whose connection this store uses (for a converted copy, the copy).
  rfm_File& Connection() const { return *m_file; }
  bool ReadOnly() const { return m_file->IsReadOnly(); }
  const cls_ClassRegistrar& Registrar() const;
  rom_CowBarn& Barn() { return m_barn; }

  // Raises nex_PrimException "'<file>' is damaged: <what>".
  [[noreturn]] void Damaged(const std::string& what) const;
  // The persisted name of a class: from the file's catalog, else the registrar, else its id.
  std::string ClassName(std::uint32_t typeId) const;
  // "dia_Step 123": an object named for messages.
  std::string ObjectName(std::uint32_t typeId, std::int64_t oid) const;
  // True when `typeId` is `expected` or a class derived from it.
  bool DerivesFrom(std::uint32_t typeId, std::uint32_t expected) const;
  // True when the registrar or the file's catalog knows the class.
  bool Knows(std::uint32_t typeId) const;

  ClassTable* Find(std::uint32_t typeId);
  ClassTable& ForWrite(std::uint32_t typeId);
  // The table of a class in the given layout, created (with its catalog rows) when missing.
  ClassTable& AddTable(const cls_ClassMetadata& layout);
  // Every class table of the file, by type id.
  const std::map<std::uint32_t, std::unique_ptr<ClassTable>>& Tables() const { return m_tables; }
  void InsertRow(PendingRow& row);
  // A pooled row for the write path, started for `table`; give it back with ReleaseRow.
  PendingRow& AcquireRow(ClassTable& table, std::int64_t oid);
  void ReleaseRow(PendingRow* row) { m_freeRows.push_back(row); }
  // False when the file stores no such row. Raises when the row is damaged: values of the wrong
  // storage class or (verify) a sum that does not match.
  bool LoadRow(std::uint32_t typeId, std::int64_t oid, LoadedRow& row, bool verify = true);
  // OID of the row at position rowIndex in table order; raises when there is none.
  std::int64_t RowOid(std::uint32_t typeId, int rowIndex);
  int TableSize(std::uint32_t typeId);
  void UpdateField(std::uint32_t typeId, std::int64_t oid, const std::string& column,
                   const Value& value);

  // A list's elements are stored as runs of consecutive indices, one row per run of at most
  // kListRun entries of kListEntryBytes each.
  static constexpr int kListRun = 1024;
  static constexpr int kListEntryBytes = 12;
  using ListEntry = cls_ListEntry;
  static std::string EncodeEntries(const std::vector<ListEntry>& entries);
  static void EncodeEntries(const std::vector<ListEntry>& entries, std::string& bytes);
  // False when `size` is not a whole number of entries.
  static bool DecodeEntries(const char* bytes, std::size_t size, std::vector<ListEntry>& entries);
  void WriteListRun(std::int64_t list, int first, const std::vector<ListEntry>& entries);
  // The run holding element `index`: its first index and entries. False when none does.
  bool ReadListRun(std::int64_t list, int index, int& first, std::vector<ListEntry>& entries);
  int ListCount(std::int64_t list);
  // Layout 2: the stored length of a non-empty list (0 when none is stored), and its update.
  std::int64_t StoredLength(std::int64_t list);
  void WriteListLength(std::int64_t list, std::int64_t length);
  void WriteMapEntry(std::int64_t map, const std::string& key, std::uint32_t typeId,
                     std::int64_t oid);
  void DeleteMapEntry(std::int64_t map, const std::string& key);
  std::vector<std::string> MapKeys(std::int64_t map);
  bool MapEntry(std::int64_t map, const std::string& key, std::uint32_t& typeId, std::int64_t& oid);
  void WriteArray(std::int64_t oid, int collectionType, int count, const std::string& bytes);
  bool ReadArray(std::int64_t oid, int& collectionType, std::string& bytes);
  // Layout 3: an int array may be stored in pages. Its `##Array` row then has the collection
  // kIntPages, its length as count and as data the page size and the length again (two int32);
  // page k holds values k * pageSize on, in a row of `##ArrayPage`.
  static constexpr int kIntPages = 154;
  bool StoresPages() { return Layout() >= 3; }
  // Layout 4: a list of at most kInlineListMax elements, and an empty array, may be stored in
  // the "#ClassID" column of its owner's row, as a BLOB of its entries (InlineField).
  bool StoresInline() { return Layout() >= 4; }
  static constexpr int kInlineListMax = 16;
  // Rewrites the column of an inline list's host (its entries, or the list's type id once its
  // elements moved to runs) together with the row's checksum.
  void UpdateHost(const cls_InlineHost& host, const Value& value);
  // The entries of `list` when the host row stores it inline.
  bool StoredInline(const cls_InlineHost& host, std::int64_t list, std::vector<ListEntry>& entries);
  // Lists stored inline in the current transaction, so that another reference to the same list
  // written in it (an unattached copy) stores the same entries.
  void NoteInline(std::int64_t list, const std::string& entries) { m_inlineInPass[list] = entries; }
  const std::string* InlineInPass(std::int64_t list) const {
    auto it = m_inlineInPass.find(list);
    return it == m_inlineInPass.end() ? nullptr : &it->second;
  }
  // The element writes of the list flushes under way, innermost last: flushes nest as the
  // elements they write do, so each flush's writes follow those of the flushes around it.
  std::vector<cls_PendingWrite>& PendingWrites() { return m_pendingWrites; }
  // Buffers that a flush's bookkeeping reuses from list to list.
  std::vector<ListEntry>& EntryBuffer() { return m_entryBuffer; }
  std::string& ByteBuffer() { return m_byteBuffer; }
  void WriteArrayPage(std::int64_t oid, int page, const std::vector<int>& values);
  // False when the file stores no such page; raises when it is damaged.
  bool ReadArrayPage(std::int64_t oid, int page, std::vector<int>& values);

  // Nested transaction scopes; the outermost commits or rolls back, then tells every enlisted
  // agent and ends the write pass.
  void BeginScope();
  void EndScope(bool success);
  int Depth() const { return m_depth; }
  void Enlist(cls_AgentBase* agent);
  void Withdraw(cls_AgentBase* agent);
  // Every live agent of this file, so that a save or a close can flush what they hold.
  void Adopt(cls_AgentBase* agent);
  void Forget(cls_AgentBase* agent);
  // Flushes every attached container holding new or changed elements, as one transaction.
  // Raises when a write fails; the elements stay marked for the next flush.
  void FlushAttached();

  std::string MetaValue(const std::string& key);
  // The integer `column` of the last row of the class stored as `className`; 0 when the file
  // stores no such class or row. Raises when the class has no such column.
  std::int64_t LastInt(const std::string& className, const std::string& column);
  // 0 when every stored class has the version the registrar declares, 1 when some is older (or
  // this is a converted copy of an older file), 2 when some is newer or unknown.
  int UpToDateStatus() const;
  // Whether `oid` is above every identity the file stored when it was opened, so that only this
  // process can have stored anything under it.
  bool NewerThanFile(std::int64_t oid) const { return m_storedAtOpen >= 0 && oid > m_storedAtOpen; }
  // The largest identity the file stores (objects, lists, maps, arrays); 0 for none.
  std::int64_t HighestStoredOid();
  // The file's layout number; from layout 2 on every stored row carries a checksum.
  int Layout();
  bool Checked() { return Layout() >= 2; }

 private:
  void LoadCatalog();
  // The stored columns of the framework's tables, or of the classes of the catalog, against what
  // the file's layout declares.
  enum class TableKind { Framework, Classes };
  void VerifyTables(TableKind which);
  std::string CheckStorage(const ClassTable& t, const SqlStmt& row, bool inlineForms) const;
  static void StoredForm(int attributeType, Value& v);
  std::int64_t RowSum(const ClassTable& t, const std::vector<Value>& values) const;
  std::int64_t ClassSum(const ClassTable& t) const;
  std::int64_t MapSum(std::int64_t map, const std::string& key, std::uint32_t typeId,
                      std::int64_t oid) const;
  // An upper bound of the number of list elements the file can hold (12 bytes each).
  bool FitsInFile(std::int64_t elements);
  // What is wrong with the run whose first, count and entries are columns firstCol.. of s.
  std::string RunProblem(const SqlStmt& s, int firstCol, std::int64_t list);
  void PrepareConversions();
  std::unique_ptr<ClassTable> CreateTable(const cls_ClassMetadata& md);
  // The statement that creates the table of a class.
  std::string CreateTableSql(const ClassTable& t);
  void RollBack();
  // Tells every agent enlisted in the transaction that it ended.
  void TellEnlisted(bool committed);
  // Statements keyed by the address of their literal text.
  SqlStmt& Cached(const char* sql);
  void ReserveStoredIdentities();

  rfm_FileHandle m_file;
  rfm_FileHandle m_source;
  const cls_ClassRegistrar* m_registrar;
  SqlDb m_db;
  std::map<std::uint32_t, std::unique_ptr<ClassTable>> m_tables;
  std::set<std::uint32_t> m_createdInTransaction;
  std::unordered_map<const char*, SqlStmt> m_statements;
  std::unordered_map<std::int64_t, std::string> m_inlineInPass;
  std::vector<cls_PendingWrite> m_pendingWrites;
  std::vector<ListEntry> m_entryBuffer;
  std::string m_byteBuffer;
  std::vector<std::unique_ptr<PendingRow>> m_rows;
  std::vector<PendingRow*> m_freeRows;
  rom_CowBarn m_barn;
  // Flat lists: an agent knows its place in them (cls_AgentBase::m_agentSlot, m_enlisted). A
  // forgotten agent leaves a hole, closed up when no flush walks the list.
  std::vector<cls_AgentBase*> m_enlisted;
  std::vector<cls_AgentBase*> m_agents;
  std::size_t m_agentHoles = 0;
  int m_walkingAgents = 0;
  int m_depth = 0;
  bool m_doomed = false;
  std::int64_t m_fileBytes = -1;
  int m_layout = -1;
  std::int64_t m_storedAtOpen = -1;
};

// The read snapshot of one library read call (a record's load, a list's length): its reads see
// one state of the file. Nested in a snapshot the caller holds, it is that snapshot.
class ReadScope {
 public:
  explicit ReadScope(const Store& store) : m_file(store.Connection()) { m_file.BeginSnapshot(); }
  ~ReadScope() { m_file.EndSnapshot(); }
  ReadScope(const ReadScope&) = delete;
  ReadScope& operator=(const ReadScope&) = delete;

 private:
  rfm_File& m_file;
};

// Whether a field may be stored inline from layout 4 on: a list of objects or an array of values.
bool InlineField(const cls_Attribute& field);

// Builds the columns of a layout from its fields.
void BuildColumns(ClassTable& table);
// The value of a result column as it is stored.
Value ColumnValue(const SqlStmt& stmt, int col);

}  // namespace rom_detail
