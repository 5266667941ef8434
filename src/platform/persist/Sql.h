// The one place where SQLite return codes become exceptions.
//
// SqlDb wraps a connection it does not own (rfm_File owns it) together with the file name that
// every error message carries; SqlStmt is a prepared statement, reset and reused. Any result
// other than the expected ones raises nex_PrimException "'<file>': <what SQLite says>".
// One thread at a time.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <utility>

class SqlDb {
 public:
  SqlDb(sqlite3* db, std::string fileName) : m_db(db), m_fileName(std::move(fileName)) {}

  void Exec(const std::string& sql);
  // Raises unless rc is SQLITE_OK, SQLITE_ROW or SQLITE_DONE.
  void Check(int rc) const;
  [[noreturn]] void Fail(int rc) const;
  sqlite3* Handle() const { return m_db; }
  const std::string& FileName() const { return m_fileName; }
  // The name messages give the file (a converted copy names the file it was made from).
  void SetFileName(std::string name) { m_fileName = std::move(name); }

 private:
  sqlite3* m_db;
  std::string m_fileName;
};

class SqlStmt {
 public:
  SqlStmt() = default;
  SqlStmt(SqlDb& db, const std::string& sql);
  ~SqlStmt();
  SqlStmt(SqlStmt&& other) noexcept;
  SqlStmt& operator=(SqlStmt&& other) noexcept;
  SqlStmt(const SqlStmt&) = delete;
  SqlStmt& operator=(const SqlStmt&) = delete;

  bool IsPrepared() const { return m_stmt != nullptr; }
  SqlStmt& Reset();
  // Resets without clearing the bindings: for a caller that binds every parameter again.
  SqlStmt& Rebind() {
    sqlite3_reset(m_stmt);
    return *this;
  }
  // Binding is on every row's path: inline, raising through Fail.
  SqlStmt& Bind(int i, std::int64_t v) { return Bound(sqlite3_bind_int64(m_stmt, i, v)); }
  SqlStmt& Bind(int i, int v) { return Bind(i, static_cast<std::int64_t>(v)); }
  SqlStmt& Bind(int i, double v) { return Bound(sqlite3_bind_double(m_stmt, i, v)); }
  SqlStmt& Bind(int i, const std::string& v);
  // The text must stay unchanged until the statement is reset.
  SqlStmt& BindStatic(int i, const std::string& v) { return BindStatic(i, v.data(), v.size()); }
  SqlStmt& BindStatic(int i, const char* text, std::size_t size) {
    return Bound(sqlite3_bind_text(m_stmt, i, text, static_cast<int>(size), SQLITE_STATIC));
  }
  SqlStmt& BindBlob(int i, const std::string& v);
  // The bytes must stay unchanged until the statement is reset.
  SqlStmt& BindStaticBlob(int i, const char* bytes, std::size_t size) {
    return Bound(sqlite3_bind_blob(m_stmt, i, bytes, static_cast<int>(size), SQLITE_STATIC));
  }
  SqlStmt& BindNull(int i) { return Bound(sqlite3_bind_null(m_stmt, i)); }
  // Binds a column value of another statement as it stands.
  SqlStmt& BindValue(int i, sqlite3_value* v);
  // True while a row is available.
  bool Step();
  // Runs a statement that returns no rows.
  void Run();
  // Runs an insert; false when a row with its primary key is already stored (nothing changes).
  // Like Run, leaves the statement reset with its bindings, ready to be bound again.
  bool TryInsert();

  int Columns() const;
  int Type(int col) const { return sqlite3_column_type(m_stmt, col); }
  std::int64_t Int(int col) const { return sqlite3_column_int64(m_stmt, col); }
  double Real(int col) const { return sqlite3_column_double(m_stmt, col); }
  std::string Text(int col) const;
  std::string Blob(int col) const;
  // A blob column's bytes, valid until the next step or reset; Bytes after BlobData.
  const char* BlobData(int col) const {
    return static_cast<const char*>(sqlite3_column_blob(m_stmt, col));
  }
  int Bytes(int col) const { return sqlite3_column_bytes(m_stmt, col); }
  const char* Name(int col) const { return sqlite3_column_name(m_stmt, col); }
  sqlite3_value* Value(int col) const { return sqlite3_column_value(m_stmt, col); }

 private:
  SqlStmt& Bound(int rc) {
    if (rc != SQLITE_OK) m_db->Fail(rc);
    return *this;
  }

  SqlDb* m_db = nullptr;
  sqlite3_stmt* m_stmt = nullptr;
};

// Quotes an identifier for SQL.
std::string SqlQuote(const std::string& name);
