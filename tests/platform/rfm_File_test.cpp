#include "ddb/platform/rfm_File.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>

#include <fstream>

#include "OwnerFile.h"
#include "TestFiles.h"
#include "ddb/platform/nex_Exception.h"

using namespace ddb_test;

namespace {

class NotADdb : public ::testing::Test {
 protected:
  ScratchDir dir;
  std::string path = dir.Path("file.ddb");

  void WriteBytes(const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
  std::string OpenError(rfm_Access access = rfm_Access::Read) {
    try {
      OwnerFile::Open(path, access);
    } catch (const nex_PrimException& e) {
      return e.what();
    }
    return "no error";
  }
};

}  // namespace

TEST_F(NotADdb, Open_MissingFileIsNotCreated) {
  EXPECT_EQ(OpenError(), "'" + path + "' does not exist");
  EXPECT_EQ(access(path.c_str(), F_OK), -1);
}

TEST_F(NotADdb, Open_EmptyFile) {
  WriteBytes("");
  EXPECT_EQ(OpenError(), "'" + path + "' is not a ddb file: it is empty");
}

TEST_F(NotADdb, Open_RandomBytes) {
  std::string junk;
  for (int i = 0; i < 5000; ++i) junk += static_cast<char>((i * 7919) % 251);
  WriteBytes(junk);
  EXPECT_EQ(OpenError(), "'" + path + "' is not a ddb file");
}

TEST_F(NotADdb, Open_AnotherProgramsDatabase) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_exec(db, "CREATE TABLE t(x); INSERT INTO t VALUES(1);", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  EXPECT_EQ(OpenError(), "'" + path + "' is not a ddb file: it is a database of another program");
}

TEST_F(NotADdb, Open_TruncatedFile) {
  {
    OwnerFile f = OwnerFile::Create(path);
    Owner owner;
    for (int i = 0; i < 2000; ++i) owner.leaves.Append(Leaf(i, i, std::string(100, 'x')));
    f.Save(owner);
  }
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_wal_checkpoint_v2(db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
  sqlite3_close(db);
  long size = 0;
  {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    size = static_cast<long>(in.tellg());
  }
  ASSERT_EQ(truncate(path.c_str(), size / 2), 0);
  EXPECT_EQ(OpenError(), "'" + path + "' is damaged: the file is truncated");
}

TEST_F(NotADdb, Open_NewerLayoutSaysSo) {
  { OwnerFile::Create(path); }
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_exec(db, "PRAGMA user_version=99", nullptr, nullptr, nullptr);
  sqlite3_close(db);
  EXPECT_EQ(OpenError(), "'" + path +
                             "' was written by a newer release of ddb (layout 99; this release "
                             "reads up to layout 1)");
}

TEST_F(NotADdb, Open_SecondWritingProcessRefusedUntilWriterDies) {
  pid_t writer = fork();
  if (writer == 0) {
    OwnerFile f = OwnerFile::Create(path);
    std::ofstream(path + ".ready") << "1";
    pause();
    _exit(0);
  }
  while (access((path + ".ready").c_str(), F_OK) != 0) usleep(1000);
  try {
    OwnerFile::Open(path, rfm_Access::Update);
    ADD_FAILURE() << "second writer accepted";
  } catch (const nex_CmdException& e) {
    EXPECT_EQ(std::string(e.what()), "'" + path + "' is open for writing by another process");
  }
  EXPECT_NO_THROW(OwnerFile::Open(path, rfm_Access::Read));
  kill(writer, SIGKILL);
  waitpid(writer, nullptr, 0);
  EXPECT_NO_THROW(OwnerFile::Open(path, rfm_Access::Update));
}
