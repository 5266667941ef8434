// The store's collections: list runs and lengths, map entries, primitive arrays and their pages.
#include <cstring>
#include <limits>

#include "ddb/platform/nex_Exception.h"
#include "platform/persist/Checksum.h"
#include "platform/persist/Store.h"

namespace rom_detail {

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

bool InlineField(const cls_Attribute& field) {
  if (field.attributeType != cls_AttrObject) return false;
  if (field.typeId == cls_ObjListTypeId) return field.collectionType == cls_CollList;
  return field.typeId == cls_PrimArrayTypeId &&
         (field.collectionType == cls_CollInts || field.collectionType == cls_CollDoubles ||
          field.collectionType == cls_CollStrings);
}

// Entries are 12 bytes each, little-endian: the element's class id (4 bytes) and OID (8 bytes).
void Store::EncodeEntries(const std::vector<ListEntry>& entries, std::string& bytes) {
  bytes.resize(entries.size() * kListEntryBytes);
  for (std::size_t k = 0; k < entries.size(); ++k) {
    std::memcpy(&bytes[k * kListEntryBytes], &entries[k].typeId, 4);
    std::memcpy(&bytes[k * kListEntryBytes + 4], &entries[k].oid, 8);
  }
}

std::string Store::EncodeEntries(const std::vector<ListEntry>& entries) {
  std::string bytes;
  EncodeEntries(entries, bytes);
  return bytes;
}

bool Store::DecodeEntries(const char* bytes, std::size_t size, std::vector<ListEntry>& entries) {
  if (size % kListEntryBytes != 0) return false;
  entries.resize(size / kListEntryBytes);
  for (std::size_t k = 0; k < entries.size(); ++k) {
    std::memcpy(&entries[k].typeId, bytes + k * kListEntryBytes, 4);
    std::memcpy(&entries[k].oid, bytes + k * kListEntryBytes + 4, 8);
  }
  return true;
}

bool Store::StoredInline(const cls_InlineHost& host, std::int64_t list,
                         std::vector<ListEntry>& entries) {
  ClassTable* t = Find(host.typeId);
  const int column = host.column;
  if (!t || column < 0 || column + 1 >= static_cast<int>(t->columns.size())) return false;
  SqlStmt s(m_db, "SELECT " + SqlQuote(t->columns[column]) + ", " +
                      SqlQuote(t->columns[column + 1]) + " FROM " + SqlQuote(t->table) +
                      " WHERE OID = ?");
  s.Bind(1, host.oid);
  if (!s.Step() || s.Type(0) != SQLITE_BLOB || s.Type(1) != SQLITE_INTEGER || s.Int(1) != list)
    return false;
  const char* bytes = s.BlobData(0);
  return DecodeEntries(bytes, static_cast<std::size_t>(s.Bytes(0)), entries) &&
         entries.size() <= static_cast<std::size_t>(kInlineListMax);
}

void Store::UpdateHost(const cls_InlineHost& host, const Value& value) {
  ClassTable* t = Find(host.typeId);
  if (!t || host.column < 0 || host.column >= static_cast<int>(t->columns.size()))
    DDB_THROW(nex_PrimException, "'%s' has no column %d in class %d", FileName(), host.column,
              static_cast<long>(host.typeId));
  UpdateField(host.typeId, host.oid, t->columns[host.column], value);
}

void Store::WriteListRun(std::int64_t list, int first, const std::vector<ListEntry>& entries) {
  const std::string bytes = EncodeEntries(entries);
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
    const int count = static_cast<int>(s.Int(1));
    DecodeEntries(s.BlobData(2), static_cast<std::size_t>(count) * kListEntryBytes, entries);
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
  // One statement whether or not the list's row exists yet (a list grows by a row per flush).
  SqlStmt& s = Cached(
      "INSERT INTO \"##Length\" VALUES(?, ?, ?) ON CONFLICT(list)"
      " DO UPDATE SET count = excluded.count, \"check\" = excluded.\"check\"");
  s.Rebind().Bind(1, list).Bind(2, length).Bind(3, sum).Run();
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

}  // namespace rom_detail
