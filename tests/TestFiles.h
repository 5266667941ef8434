// Test support: scratch files, running a check in a fresh process, and counting rows.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace ddb_test {

// A path in a fresh per-test directory; the directory is removed with the object.
class ScratchDir {
 public:
  ScratchDir() {
    char tmpl[] = "/tmp/ddb-test-XXXXXX";
    m_dir = mkdtemp(tmpl);
  }
  ~ScratchDir() { std::system(("rm -rf '" + m_dir + "'").c_str()); }
  std::string Path(const std::string& name) const { return m_dir + "/" + name; }

 private:
  std::string m_dir;
};

// Runs `body` in a forked child and returns its exit status; a failed expectation or an
// exception in the child gives status 1. Output of the child's gtest failures goes to stderr.
inline int InChild(const std::function<void()>& body) {
  std::fflush(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    int status = 0;
    try {
      body();
      status = ::testing::Test::HasFailure() ? 1 : 0;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "child raised: %s\n", e.what());
      status = 2;
    }
    std::fflush(nullptr);
    _exit(status);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A number from the file read with plain SQLite, e.g. Count(path, "SELECT COUNT(*) FROM t").
inline long long Query(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* stmt = nullptr;
  long long value = -1;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
      sqlite3_step(stmt) == SQLITE_ROW)
    value = sqlite3_column_int64(stmt, 0);
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return value;
}

}  // namespace ddb_test
