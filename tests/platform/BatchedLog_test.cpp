// The library's VFS: a commit reaches the write-ahead log in one system write, and another
// connection reads each commit as soon as it returned, also when the transaction spilled pages
// into the log before its commit or was rolled back.
#include "platform/persist/BatchedLog.h"

#include <gtest/gtest.h>

#include <fstream>

#include "PlainSql.h"
#include "TestFiles.h"

using namespace ddb_test;

namespace {

// The write calls this process made so far.
long WriteCalls() {
  std::ifstream io("/proc/self/io");
  std::string key;
  long value = 0;
  while (io >> key >> value)
    if (key == "syscw:") return value;
  return -1;
}

class BatchedLog : public ScratchFile {
 protected:
  void SetUp() override {
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &writer, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                              rom_detail::BatchedLogVfs()->zName),
              SQLITE_OK);
    Exec(
        "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA wal_autocheckpoint=0;"
        "PRAGMA cache_size=8; CREATE TABLE t(x BLOB)");
  }
  void TearDown() override { sqlite3_close(writer); }
  void Exec(const std::string& sql) {
    ASSERT_EQ(sqlite3_exec(writer, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
  }
  // One transaction of `rows` rows of 1,000 bytes, committed or rolled back.
  void Transaction(int rows, bool commit) {
    Exec("BEGIN");
    for (int i = 0; i < rows; ++i) Exec("INSERT INTO t VALUES(randomblob(1000))");
    Exec(commit ? "COMMIT" : "ROLLBACK");
  }
  sqlite3* writer = nullptr;
};

}  // namespace

TEST_F(BatchedLog, Commit_ReachesTheLogInOneWrite) {
  const long before = WriteCalls();
  for (int i = 0; i < 20; ++i) Transaction(4, true);
  // One write a commit, where two a frame make about 120. Sanitizers make writes of their
  // own in between.
  const long writes = WriteCalls() - before;
  EXPECT_GE(writes, 20);
  EXPECT_LT(writes, 40);
}

TEST_F(BatchedLog, Commit_IsReadByAnotherConnectionAsSoonAsItReturns) {
  PlainSql reader(path, SQLITE_OPEN_READONLY);
  long committed = 0;
  // 300 rows outgrow the writer's cache of 8 pages, which spills them into the log early.
  for (int rows : {3, 300, 40, 300, 1}) {
    const bool commit = rows != 40;
    Transaction(rows, commit);
    committed += commit ? rows : 0;
    EXPECT_EQ(reader.Rows("SELECT COUNT(*), SUM(LENGTH(x)) FROM t"),
              (std::vector<std::vector<std::string>>{
                  {std::to_string(committed), std::to_string(committed * 1000)}}));
  }
  EXPECT_EQ(reader.Rows("PRAGMA integrity_check"), std::vector<std::vector<std::string>>{{"ok"}});
}
