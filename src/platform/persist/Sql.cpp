#include "platform/persist/Sql.h"

#include <utility>

#include "ddb/platform/nex_Exception.h"

void SqlDb::Exec(const std::string& sql) {
  char* error = nullptr;
  int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error);
  if (rc != SQLITE_OK) {
    std::string text = error ? error : sqlite3_errstr(rc);
    sqlite3_free(error);
    DDB_THROW(nex_PrimException, "'%s': %s", m_fileName, text);
  }
}

void SqlDb::Check(int rc) const {
  if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE) Fail(rc);
}

void SqlDb::Fail(int rc) const {
  std::string text = sqlite3_errmsg(m_db);
  int primary = rc & 0xff;
  if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB)
    DDB_THROW(nex_PrimException, "'%s' is damaged: %s", m_fileName, text);
  if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
    DDB_THROW(nex_PrimException, "'%s' is busy: %s", m_fileName, text);
  DDB_THROW(nex_PrimException, "'%s': %s", m_fileName, text);
}

SqlStmt::SqlStmt(SqlDb& db, const std::string& sql) : m_db(&db) {
  db.Check(sqlite3_prepare_v3(db.Handle(), sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &m_stmt,
                              nullptr));
}

SqlStmt::~SqlStmt() {
  sqlite3_finalize(m_stmt);
}

SqlStmt::SqlStmt(SqlStmt&& other) noexcept
    : m_db(other.m_db), m_stmt(std::exchange(other.m_stmt, nullptr)) {}

SqlStmt& SqlStmt::operator=(SqlStmt&& other) noexcept {
  std::swap(m_db, other.m_db);
  std::swap(m_stmt, other.m_stmt);
  return *this;
}

SqlStmt& SqlStmt::Reset() {
  sqlite3_reset(m_stmt);
  sqlite3_clear_bindings(m_stmt);
  return *this;
}

SqlStmt& SqlStmt::Bind(int i, const std::string& v) {
  m_db->Check(sqlite3_bind_text(m_stmt, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT));
  return *this;
}

SqlStmt& SqlStmt::BindBlob(int i, const std::string& v) {
  m_db->Check(sqlite3_bind_blob(m_stmt, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT));
  return *this;
}

SqlStmt& SqlStmt::BindValue(int i, sqlite3_value* v) {
  m_db->Check(sqlite3_bind_value(m_stmt, i, v));
  return *this;
}

bool SqlStmt::Step() {
  int rc = sqlite3_step(m_stmt);
  if (rc == SQLITE_ROW) return true;
  if (rc == SQLITE_DONE) return false;
  sqlite3_reset(m_stmt);
  m_db->Fail(rc);
}

void SqlStmt::Run() {
  Step();
  sqlite3_reset(m_stmt);
}

bool SqlStmt::TryInsert() {
  int rc = sqlite3_step(m_stmt);
  if (rc == SQLITE_DONE || rc == SQLITE_ROW) {
    sqlite3_reset(m_stmt);
    return true;
  }
  bool duplicate = sqlite3_extended_errcode(m_db->Handle()) == SQLITE_CONSTRAINT_PRIMARYKEY;
  sqlite3_reset(m_stmt);
  if (duplicate) return false;
  m_db->Fail(rc);
}

int SqlStmt::Columns() const {
  return sqlite3_column_count(m_stmt);
}

std::string SqlStmt::Text(int col) const {
  const unsigned char* p = sqlite3_column_text(m_stmt, col);
  return p ? std::string(reinterpret_cast<const char*>(p), sqlite3_column_bytes(m_stmt, col))
           : std::string();
}

std::string SqlStmt::Blob(int col) const {
  const void* p = sqlite3_column_blob(m_stmt, col);
  return p ? std::string(static_cast<const char*>(p), sqlite3_column_bytes(m_stmt, col))
           : std::string();
}

std::string SqlQuote(const std::string& name) {
  std::string out = "\"";
  for (char c : name) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}
