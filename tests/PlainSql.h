// Test support: a plain SQLite connection on a ddb file, as another program would open it, for
// reading stored rows and editing them by hand. Nothing here depends on the test framework.
#pragma once

#include <sqlite3.h>

#include <string>
#include <vector>

namespace ddb_test {

class PlainSql {
 public:
  explicit PlainSql(const std::string& path, int flags = SQLITE_OPEN_READWRITE) {
    sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
  }
  ~PlainSql() { sqlite3_close(m_db); }
  PlainSql(const PlainSql&) = delete;
  PlainSql& operator=(const PlainSql&) = delete;

  // Runs the statements; false when one fails (Error() says why).
  bool Exec(const std::string& sql) {
    return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  // The rows of a query as texts, `null` standing for NULL; none when it does not prepare.
  std::vector<std::vector<std::string>> Rows(const std::string& sql, const char* null = "") {
    std::vector<std::vector<std::string>> rows;
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &s, nullptr) != SQLITE_OK) return rows;
    while (sqlite3_step(s) == SQLITE_ROW) {
      std::vector<std::string> row;
      for (int c = 0; c < sqlite3_column_count(s); ++c) {
        const unsigned char* t = sqlite3_column_text(s, c);
        row.push_back(t ? reinterpret_cast<const char*>(t) : null);
      }
      rows.push_back(row);
    }
    sqlite3_finalize(s);
    return rows;
  }
  const char* Error() const { return sqlite3_errmsg(m_db); }
  sqlite3* Handle() const { return m_db; }

 private:
  sqlite3* m_db = nullptr;
};

}  // namespace ddb_test
