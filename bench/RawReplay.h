// The baseline of the write benchmarks: every data row of a file the library wrote, read once,
// then written again with plain prepared SQLite inserts in the same number of transactions.
#pragma once

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace ddb_bench {

// The write-ahead log a connection appends per commit: the pages its commits write (SQLite's
// page-write counter of the connection; checkpoints are not counted) with their 24-byte frame
// headers, divided by the commits it made. Attach before the first commit of interest, Take
// before the connection closes.
class WalMeter {
 public:
  void Attach(sqlite3* db) {
    int unused = 0;
    sqlite3_db_status(db, SQLITE_DBSTATUS_CACHE_WRITE, &unused, &unused, 1);
    sqlite3_commit_hook(db, &WalMeter::OnCommit, this);
  }
  void Take(sqlite3* db) {
    int pages = 0, unused = 0;
    sqlite3_db_status(db, SQLITE_DBSTATUS_CACHE_WRITE, &pages, &unused, 1);
    sqlite3_commit_hook(db, nullptr, nullptr);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA page_size", -1, &s, nullptr);
    const int pageSize = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int(s, 0) : 0;
    sqlite3_finalize(s);
    m_bytes += pages * (pageSize + 24.0);
    m_pageSize = pageSize;
  }
  double KbPerCommit() const { return m_commits ? m_bytes / 1024.0 / m_commits : 0; }
  int PageSize() const { return m_pageSize; }
  // Counters "wal_KB_per_commit" and "page_size".
  void Report(benchmark::State& state) const {
    state.counters["wal_KB_per_commit"] = KbPerCommit();
    state.counters["page_size"] = m_pageSize;
  }

 private:
  static int OnCommit(void* self) {
    static_cast<WalMeter*>(self)->m_commits += 1;
    return 0;
  }
  double m_bytes = 0;
  long m_commits = 0;
  int m_pageSize = 0;
};

// The 1-minute load average, reported beside the figures of a shared machine.
inline void ReportLoad(benchmark::State& state) {
  double load[1] = {0};
  if (getloadavg(load, 1) == 1) state.counters["load1"] = load[0];
}

struct Table {
  std::string name;
  int columns = 0;
  std::vector<sqlite3_value*> cells;  // row-major, columns per row
  long Rows() const { return columns ? static_cast<long>(cells.size()) / columns : 0; }
};

struct Snapshot {
  int pageSize = 0;
  std::vector<std::string> schema;
  std::vector<Table> tables;
  long rows = 0;     // every stored row, collections and arrays included
  long records = 0;  // rows of the record classes
};

inline std::string Quote(const std::string& name) {
  return "\"" + name + "\"";
}

inline void Exec(sqlite3* db, const std::string& sql) {
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) std::abort();
}

inline std::vector<std::string> Column0(sqlite3* db, const char* sql) {
  std::vector<std::string> values;
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
  while (sqlite3_step(s) == SQLITE_ROW)
    values.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(s, 0)));
  sqlite3_finalize(s);
  return values;
}

inline Table ReadTable(sqlite3* db, const std::string& name) {
  Table t;
  t.name = name;
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, ("SELECT * FROM " + Quote(name)).c_str(), -1, &s, nullptr);
  t.columns = sqlite3_column_count(s);
  while (sqlite3_step(s) == SQLITE_ROW)
    for (int c = 0; c < t.columns; ++c)
      t.cells.push_back(sqlite3_value_dup(sqlite3_column_value(s, c)));
  sqlite3_finalize(s);
  return t;
}

// The schema and the rows of every table that holds records and collections (not the file's
// own catalog).
inline Snapshot ReadSnapshot(const std::string& path) {
  Snapshot snap;
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  snap.pageSize = std::atoi(Column0(db, "PRAGMA page_size").at(0).c_str());
  snap.schema = Column0(db, "SELECT sql FROM sqlite_master WHERE sql IS NOT NULL");
  for (const std::string& name :
       Column0(db,
               "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT IN "
               "('##Meta', '##Classes', '##Fields')")) {
    Table t = ReadTable(db, name);
    snap.rows += t.Rows();
    if (name.rfind("##", 0) != 0) snap.records += t.Rows();
    snap.tables.push_back(std::move(t));
  }
  sqlite3_close(db);
  return snap;
}

// The record rows of a tree increment: the increment, its attempt, ten iterations and their
// thirty residual checks.
constexpr long kRecordsPerIncrement = 42;

// The tables of record classes alone.
inline Snapshot RecordsOnly(const Snapshot& snap) {
  Snapshot records;
  records.schema = snap.schema;
  for (const Table& t : snap.tables)
    if (t.name.rfind("##", 0) != 0) records.tables.push_back(t);
  records.rows = records.records = snap.records;
  return records;
}

// Writes the snapshot into a new file of `pageSize` bytes a page (SQLite's default when 0) in
// `commits` transactions; seconds taken. The connection is opened as the library opens its
// files, without SQLite's per-connection mutex (one thread uses it), so that the comparison
// does not count that lock against the raw side.
inline double RawWrite(const std::string& path, const Snapshot& snap, long commits,
                       int pageSize = 0, WalMeter* wal = nullptr) {
  std::remove(path.c_str());
  std::remove((path + "-wal").c_str());
  auto start = std::chrono::steady_clock::now();
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db,
                  SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  if (pageSize > 0) Exec(db, "PRAGMA page_size=" + std::to_string(pageSize));
  Exec(db, "PRAGMA journal_mode=WAL");
  Exec(db, "PRAGMA synchronous=NORMAL");
  for (const std::string& sql : snap.schema) Exec(db, sql);
  if (wal) wal->Attach(db);
  std::vector<sqlite3_stmt*> inserts;
  for (const Table& t : snap.tables) {
    std::string sql = "INSERT INTO " + Quote(t.name) + " VALUES(?";
    for (int c = 1; c < t.columns; ++c) sql += ", ?";
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, (sql + ")").c_str(), -1, &s, nullptr);
    inserts.push_back(s);
  }
  for (long b = 0; b < commits; ++b) {
    Exec(db, "BEGIN IMMEDIATE");
    for (std::size_t i = 0; i < snap.tables.size(); ++i) {
      const Table& t = snap.tables[i];
      for (long r = t.Rows() * b / commits; r < t.Rows() * (b + 1) / commits; ++r) {
        sqlite3_reset(inserts[i]);
        for (int c = 0; c < t.columns; ++c)
          sqlite3_bind_value(inserts[i], c + 1, t.cells[r * t.columns + c]);
        if (sqlite3_step(inserts[i]) != SQLITE_DONE) std::abort();
      }
    }
    Exec(db, "COMMIT");
  }
  for (sqlite3_stmt* s : inserts) sqlite3_finalize(s);
  if (wal) wal->Take(db);
  sqlite3_close(db);
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// A lower bound for opening a file and reading its last increment, not a like-for-like
// baseline: one plain open and one select of the newest increment row by its key. The library
// does more that any reader needs: it checks the file's format and class catalog, reads the job
// row, finds the last step through the job's step list and the last increment through that
// step's list, and builds the records. Returns whether the row was found.
inline bool RawReadNewestIncrementRow(const std::string& path) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, "SELECT * FROM \"dia_Increment\" ORDER BY OID DESC LIMIT 1", -1, &s,
                     nullptr);
  bool found = sqlite3_step(s) == SQLITE_ROW;
  if (found) benchmark::DoNotOptimize(sqlite3_column_int64(s, 0));
  sqlite3_finalize(s);
  sqlite3_close(db);
  return found;
}

}  // namespace ddb_bench
