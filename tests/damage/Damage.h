// Test support for damaged files: a seeded generator of damaged copies of a real ddb file.
//
// Variant i of a seed is always the same file. Damage comes in kinds: cut files, flipped bytes
// in the header, in pages and in stored blobs, zeroed pages, and edits made with SQL (swapped
// element classes, lists that refer to their ancestors, huge run counts, dropped tables and
// columns, values of the wrong storage class, NULL and dangling references, left-over side
// files). An SQL edit is made either as it is, or "sealed": with every checksum of the file
// recomputed afterwards, as a forger would, so that the checks behind the checksums are tried
// too.
#pragma once

#include <sqlite3.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "PlainSql.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "platform/persist/Checksum.h"

namespace ddb_damage {

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A plain SQLite connection on a variant, for the edits.
class Sql : public ddb_test::PlainSql {
 public:
  using PlainSql::PlainSql;

  // Recomputes every checksum of the class tables and of the list, map and array tables.
  void Seal() {
    sqlite3_create_function(Handle(), "ddb_seal", -1, SQLITE_UTF8, nullptr, &SealFunction, nullptr,
                            nullptr);
    Exec("BEGIN");
    for (const auto& c : Rows("SELECT \"Type Id\", \"Class Table\" FROM \"##Classes\""))
      SealTable(c[1], "##Check", std::stoll(c[0]));
    SealTable("##List", "check", rom_detail::kListSeed);
    SealTable("##Map", "check", rom_detail::kMapSeed);
    SealTable("##Array", "check", rom_detail::kArraySeed);
    SealTable("##Length", "check", rom_detail::kLengthSeed);
    SealTable("##ArrayPage", "check", rom_detail::kArrayPageSeed);
    Exec("COMMIT");
  }

 private:
  // Sets the check column of every row of `table` to the checksum of its other columns, in
  // order, as the library computes it.
  void SealTable(const std::string& table, const std::string& check, std::uint64_t seed) {
    std::string values = std::to_string(seed);
    for (const auto& c : Rows("SELECT name FROM pragma_table_info('" + table + "')"))
      if (c[0] != check) values += ", \"" + c[0] + "\"";
    Exec("UPDATE \"" + table + "\" SET \"" + check + "\" = ddb_seal(" + values + ")");
  }

  // ddb_seal(seed, value...): the checksum of the values (texts and blobs count as their bytes).
  static void SealFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    rom_detail::Checksum sum(static_cast<std::uint64_t>(sqlite3_value_int64(argv[0])));
    for (int c = 1; c < argc; ++c) {
      sqlite3_value* value = argv[c];
      const int type = sqlite3_value_type(value);
      if (type == SQLITE_INTEGER)
        sum.Add(static_cast<std::int64_t>(sqlite3_value_int64(value)));
      else if (type == SQLITE_FLOAT)
        sum.Add(
            rom_detail::Value{rom_detail::Value::Real, 0, sqlite3_value_double(value), {}, false});
      else if (type == SQLITE_NULL)
        sum.Add(rom_detail::Value());
      else
        sum.Add(static_cast<const char*>(sqlite3_value_blob(value)), sqlite3_value_bytes(value));
    }
    sqlite3_result_int64(context, sum.Sum());
  }
};

// The kinds of damage, in the order variants cycle through them.
enum class Kind {
  Truncate,
  FlipHeader,
  FlipPage,
  FlipBytes,
  ZeroPage,
  FlipBlob,
  SwapElementClass,
  ListToAncestor,
  HugeCount,
  DropTable,
  DropColumn,
  WrongType,
  NullReference,
  DanglingReference,
  SideFiles,
  Count
};

inline const char* KindName(Kind k) {
  static const char* names[] = {
      "truncate",    "flip-header", "flip-page",      "flip-bytes",         "zero-page",
      "flip-blob",   "swap-class",  "list-ancestor",  "huge-count",         "drop-table",
      "drop-column", "wrong-type",  "null-reference", "dangling-reference", "side-files"};
  return names[static_cast<int>(k)];
}

class Generator {
 public:
  Generator(const std::string& pristine, std::uint64_t seed)
      : m_bytes(ReadBytes(pristine)), m_seed(seed) {}

  // Writes variant `index` to `path` (and its side files); returns a description.
  std::string Make(int index, const std::string& path) {
    std::mt19937_64 rng(m_seed * 1000003u + static_cast<std::uint64_t>(index));
    for (const char* side : {"-wal", "-shm", "-journal"}) ::unlink((path + side).c_str());
    std::string bytes = m_bytes;
    const Kind kind = static_cast<Kind>(index % static_cast<int>(Kind::Count));
    std::string what = KindName(kind);
    auto pick = [&](std::uint64_t n) { return n == 0 ? 0 : static_cast<std::uint64_t>(rng() % n); };
    auto flip = [&](std::size_t at) {
      if (at < bytes.size()) bytes[at] ^= static_cast<char>(1 + pick(255));
    };
    std::size_t pageSize = PageSize();
    switch (kind) {
      case Kind::Truncate: {
        std::size_t at = pick(2) ? pick(bytes.size()) : pick(bytes.size() / pageSize) * pageSize;
        bytes.resize(at);
        what += " at " + std::to_string(at);
        break;
      }
      case Kind::FlipHeader:
        flip(pick(100));
        break;
      case Kind::FlipPage:
        flip(pageSize + pick(bytes.size() - pageSize));
        break;
      case Kind::FlipBytes:
        for (int k = 0; k < 8; ++k) flip(pick(bytes.size()));
        break;
      case Kind::ZeroPage: {
        std::size_t page = pick(bytes.size() / pageSize);
        std::fill(bytes.begin() + page * pageSize, bytes.begin() + (page + 1) * pageSize, '\0');
        what += " " + std::to_string(page);
        break;
      }
      default:
        WriteBytes(path, bytes);
        what += Edit(kind, path, rng);
        PlaceSideFiles(path);
        return what;
    }
    WriteBytes(path, bytes);
    return what;
  }

 private:
  std::size_t PageSize() const {
    if (m_bytes.size() < 100) return 4096;
    std::size_t size =
        (static_cast<unsigned char>(m_bytes[16]) << 8) | static_cast<unsigned char>(m_bytes[17]);
    return size == 1 ? 65536 : size < 512 ? 4096 : size;
  }

  // An SQL edit of the variant at `path`; sealed for every other variant of a kind.
  std::string Edit(Kind kind, const std::string& path, std::mt19937_64& rng) {
    auto pick = [&](std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(rng() % n); };
    Sql db(path);
    bool seal = rng() % 2 == 0;
    const std::string listId = std::to_string(cls_ObjListTypeId);
    std::string what;
    auto tables = db.Rows("SELECT \"Type Id\", \"Class Table\" FROM \"##Classes\"");
    auto anyTable = [&] { return tables[pick(tables.size())]; };
    // The columns of a table whose names end in `suffix`, without it ("" gives every column).
    auto columns = [&](const std::string& table, const std::string& suffix) {
      std::vector<std::string> names;
      for (const auto& c : db.Rows("SELECT substr(name, 1, length(name) - " +
                                   std::to_string(suffix.size()) + ") FROM pragma_table_info(" +
                                   Literal(table) + ") WHERE name GLOB '*" + suffix + "'"))
        names.push_back(c[0]);
      return names;
    };
    auto anyRow = [&](const std::string& table) {
      auto oids = db.Rows("SELECT OID FROM " + Quote(table));
      return oids.empty() ? std::string("0") : oids[pick(oids.size())][0];
    };
    // Runs an edit of the variant, which its SQL describes.
    auto edit = [&](const std::string& sql) {
      db.Exec(sql);
      what += " " + sql;
    };
    auto update = [&](const std::string& table, const std::string& sets, const std::string& where) {
      edit("UPDATE " + Quote(table) + " SET " + sets + " WHERE " + where);
    };
    switch (kind) {
      case Kind::FlipBlob: {
        seal = false;  // sealed, a changed element or value is a valid file
        // A byte of a list's runs, of an array, or of a list stored in the row that refers to it.
        std::vector<std::vector<std::string>> found;  // table, column, row, length
        const std::size_t source = pick(3);
        if (source == 0)
          found = db.Rows(
              "SELECT '##List', 'entries', 'list = ' || list || ' AND first = ' || "
              "first, length(entries) FROM \"##List\" WHERE length(entries) > 0");
        if (source == 1)
          found = db.Rows(
              "SELECT '##Array', 'data', 'oid = ' || oid, length(data) FROM "
              "\"##Array\" WHERE length(data) > 0");
        if (source == 2)
          for (const auto& t : tables)
            for (const std::string& f : columns(t[1], "#ClassID")) {
              const std::string c = Quote(f + "#ClassID");
              for (auto& r : db.Rows("SELECT " + Literal(t[1]) + ", " + Literal(f + "#ClassID") +
                                     ", 'OID = ' || OID, length(" + c + ") FROM " + Quote(t[1]) +
                                     " WHERE typeof(" + c + ") = 'blob' AND length(" + c + ") > 0"))
                found.push_back(r);
            }
        if (found.empty()) break;
        const auto& f = found[pick(found.size())];
        // The byte is replaced by one of the seed's (equal by chance in 1 of 256).
        const std::string c = Quote(f[1]), at = std::to_string(pick(std::stoul(f[3])) + 1);
        const std::string byte = "x'" + Hex(pick(256), 1) + "'";
        update(f[0],
               c + " = cast(substr(" + c + ", 1, " + at + " - 1) || " + byte + " || substr(" + c +
                   ", " + at + " + 1) AS BLOB)",
               f[2]);
        break;
      }
      case Kind::SwapElementClass: {
        auto rows = db.Rows("SELECT list, first, count FROM \"##List\"");
        if (rows.empty() || tables.empty()) break;
        auto r = rows[pick(rows.size())];
        const std::size_t k = pick(std::stoul(r[2]));
        auto t = anyTable();
        unsigned id = static_cast<unsigned>(pick(3) == 0 ? rng() : std::stoull(t[0]));
        update("##List",
               "entries = cast(substr(entries, 1, " + std::to_string(k * 12) + ") || x'" +
                   Hex(id, 4) + "' || substr(entries, " + std::to_string(k * 12 + 5) + ") AS BLOB)",
               "list = " + r[0] + " AND first = " + r[1]);
        break;
      }
      case Kind::ListToAncestor: {
        // A list field made to refer to the list holding its own object (sealed: a cycle the
        // checksums cannot see) or to any list of the file.
        auto t = anyTable();
        std::vector<std::string> fields;
        for (const std::string& f : columns(t[1], "#OID"))
          if (!db.Rows("SELECT 1 FROM " + Quote(t[1]) + " WHERE " + Quote(f + "#ClassID") + " = " +
                       listId + " LIMIT 1")
                   .empty())
            fields.push_back(f);
        if (fields.empty()) break;
        std::string field = fields[pick(fields.size())];
        std::string row = anyRow(t[1]);
        auto lists = seal ? db.Rows("SELECT list FROM \"##List\" WHERE instr(entries, x'" +
                                    Hex(std::stoull(row), 8) + "')")
                          : db.Rows("SELECT DISTINCT list FROM \"##List\"");
        if (lists.empty()) break;
        std::string target = lists[seal ? 0 : pick(lists.size())][0];
        update(t[1], Quote(field + "#OID") + " = " + target, "OID = " + row);
        break;
      }
      case Kind::HugeCount: {
        static const char* values[] = {"2147483647", "-1",        "0",
                                       "1025",       "count + 1", "9223372036854775807"};
        std::string value = values[pick(6)];
        bool first = pick(3) == 0;
        auto rows = db.Rows("SELECT list, first FROM \"##List\"");
        if (rows.empty()) break;
        auto r = rows[pick(rows.size())];
        edit("UPDATE OR IGNORE \"##List\" SET " + std::string(first ? "first" : "count") + " = " +
             (first && value == "count + 1" ? "first + 1" : value) + " WHERE list = " + r[0] +
             " AND first = " + r[1]);
        break;
      }
      case Kind::DropTable: {
        auto all = db.Rows("SELECT name FROM sqlite_master WHERE type = 'table'");
        edit("DROP TABLE " + Quote(all[pick(all.size())][0]));
        seal = false;
        break;
      }
      case Kind::DropColumn: {
        auto t = anyTable();
        auto all = columns(t[1], "");
        edit("ALTER TABLE " + Quote(t[1]) + " DROP COLUMN " + Quote(all[1 + pick(all.size() - 1)]));
        seal = false;
        break;
      }
      case Kind::WrongType: {
        auto t = anyTable();
        auto all = db.Rows("SELECT name, type FROM pragma_table_info(" + Literal(t[1]) + ")");
        auto c = all[1 + pick(all.size() - 1)];
        // Sealed, only a value of another storage class: any other is a valid value.
        static const char* values[] = {"'text'", "x'00ff'", "1.5", "42", "''", "'12'"};
        std::string value = values[pick(6)];
        if (seal) value = c[1] == "TEXT" ? "x'00ff'" : pick(2) ? "'text'" : "x'00ff'";
        update(t[1], Quote(c[0]) + " = " + value, "OID = " + anyRow(t[1]));
        break;
      }
      case Kind::NullReference:
      case Kind::DanglingReference: {
        auto t = anyTable();
        std::string row = anyRow(t[1]);
        std::vector<std::string> fields = columns(t[1], "#OID");
        std::string value =
            kind == Kind::NullReference ? "NULL" : std::to_string(1 + pick(1u << 30));
        std::vector<std::string> changed;
        if (!fields.empty()) {
          std::string field = fields[pick(fields.size())];
          auto cls = db.Rows("SELECT " + Quote(field + "#ClassID") + " FROM " + Quote(t[1]) +
                             " WHERE OID = " + row);
          bool list = !cls.empty() && cls[0][0] == listId;
          // Sealed, only what a reader can tell: a list without its reference, half a
          // reference, or a reference to nothing that is not a list (an empty list is stored
          // as a reference to no runs).
          if (!seal || (kind == Kind::NullReference && list))
            changed = {field + "#OID", field + "#ClassID"};
          if (!seal && pick(2)) changed = {changed[pick(2)]};
          if (seal && kind == Kind::NullReference && !list) changed = {field + "#ClassID"};
          if (seal && kind == Kind::DanglingReference && !list) changed = {field + "#OID"};
        }
        if (!seal && pick(4) == 0) changed = {"##BaseClassOID"};
        if (changed.empty()) break;
        std::string sets;
        for (const std::string& column : changed)
          sets += (sets.empty() ? "" : ", ") + Quote(column) + " = " + value;
        update(t[1], sets, "OID = " + row);
        break;
      }
      case Kind::SideFiles: {
        seal = false;
        std::size_t choice = pick(4);
        std::string side = choice == 1 ? "-journal" : "-wal";
        std::string junk;
        for (std::size_t k = 0, n = 32 + pick(40000); k < n; ++k) junk += static_cast<char>(rng());
        if (choice == 2) {
          // A write-ahead log of a writer killed after committing an edit.
          db.Exec("PRAGMA journal_mode=WAL");
          db.Exec("PRAGMA wal_autocheckpoint=0");
          auto t = anyTable();
          std::string row = anyRow(t[1]);
          auto all = columns(t[1], "");
          std::string column = all[2 + pick(all.size() > 3 ? all.size() - 3 : 1)];
          update(t[1], Quote(column) + " = 7", "OID = " + row);
          std::string wal = ReadBytes(path + "-wal");
          WriteBytes(path + "-wal.stash", wal.substr(0, pick(2) ? wal.size() : pick(wal.size())));
        } else {
          WriteBytes(path + side + ".stash", junk);
          what = " junk " + side;
        }
        break;
      }
      default:
        break;
    }
    if (seal) {
      db.Seal();
      what += " (sealed)";
    }
    return what;
  }

  static std::string Literal(const std::string& text) { return "'" + text + "'"; }
  static std::string Quote(const std::string& name) { return "\"" + name + "\""; }
  // The `bytes` low bytes of `value` in hexadecimal, lowest first (as the file stores them).
  static std::string Hex(std::uint64_t value, int bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    for (int b = 0; b < bytes; ++b, value >>= 8)
      hex += {digits[(value >> 4) & 15], digits[value & 15]};
    return hex;
  }

  // Side files of a variant are made while its connection is open and put in place once it is
  // closed, which would otherwise check the log into the file and remove it.
  static void PlaceSideFiles(const std::string& path) {
    ::unlink((path + "-shm").c_str());
    for (const char* side : {"-wal", "-journal"}) {
      std::string stash = path + side + ".stash";
      if (access(stash.c_str(), F_OK) == 0) ::rename(stash.c_str(), (path + side).c_str());
    }
  }

  std::string m_bytes;
  std::uint64_t m_seed;
};

}  // namespace ddb_damage
