#include "ddb/platform/rfm_File.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "TestFiles.h"
#include "TestRecords.h"
#include "ddb/platform/nex_Exception.h"
#include "platform/persist/rfm_FileEngine.h"

using namespace ddb_test;

namespace {

class NotADdb : public ScratchFile {
 protected:
  std::string OpenError(rfm_Access access = rfm_Access::Read) {
    return Message<nex_PrimException>([&] { OwnerFile::Open(path, access); });
  }
  // The names in the scratch directory, sorted.
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path("")))
      names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }
  // Reads the owner's 50 leaves; exits 0 when all read back.
  static void ReadFiftyLeaves(const std::string& path) {
    Owner back = OwnerFile::Open(path).Load();
    EXPECT_EQ(back.leaves.Length(), 50);
    EXPECT_EQ(back.leaves.ConstGet(49).text, "leaf 49");
  }
};

}  // namespace

TEST_F(NotADdb, Open_EachKindOfForeignOrBrokenFileGetsItsMessage) {
  const auto truncated = [&] {
    OwnerFile::Create(path).Save(OwnerWithLeaves(2000));
    std::filesystem::resize_file(path, std::filesystem::file_size(path) / 2);
  };
  std::string junk;
  for (int i = 0; i < 5000; ++i) junk += static_cast<char>((i * 7919) % 251);
  const struct {
    std::function<void()> make;
    std::string message;
  } cases[] = {
      {[] {}, "does not exist"},
      {[&] { std::ofstream(path, std::ios::binary) << ""; }, "is not a ddb file: it is empty"},
      {[&] { std::ofstream(path, std::ios::binary) << junk; }, "is not a ddb file"},
      {[&] { Execute(path, "CREATE TABLE t(x); INSERT INTO t VALUES(1);"); },
       "is not a ddb file: it is a database of another program"},
      {truncated, "is damaged: the file is truncated"},
      {[&] {
         { OwnerFile::Create(path); }
         Execute(path, "PRAGMA user_version=99");
       },
       "was written by a newer release of ddb (layout 99; this release reads up to layout 4)"},
      {[&] {
         Execute(path, "PRAGMA journal_mode=WAL; CREATE TABLE \"##Meta\"(key TEXT, value TEXT);");
       },
       "is incomplete: its writer did not close it and its write-ahead log ('" + path +
           "-wal') is missing"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    for (const char* suffix : {"", "-wal", "-shm"}) unlink((path + suffix).c_str());
    c.make();
    EXPECT_EQ(OpenError(), "'" + path + "' " + c.message);
  }
  unlink(path.c_str());
  OpenError();
  EXPECT_EQ(access(path.c_str(), F_OK), -1) << "a missing file was created";
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

TEST_F(NotADdb, Open_ClosedFileIsSelfContainedAndReadsWithoutWriteAccess) {
  OwnerFile::Create(path).Save(OwnerWithLeaves(50));
  EXPECT_EQ(Names(), std::vector<std::string>{"test.ddb"});
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  ASSERT_EQ(chmod(dir.Path("").c_str(), 0555), 0);
  // Root writes wherever it likes: the read then runs as an unprivileged user when one exists.
  const bool root = geteuid() == 0;
  const bool canDrop =
      !root || InChild([] { _exit(setgid(65534) == 0 && setuid(65534) == 0 ? 0 : 1); }) == 0;
  EXPECT_EQ(InChild([&] {
              if (root && canDrop && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(9);
              ReadFiftyLeaves(path);
            }),
            0);
  EXPECT_EQ(Names(), std::vector<std::string>{"test.ddb"});
  chmod(dir.Path("").c_str(), 0755);
  if (!canDrop)
    GTEST_SKIP() << "running as root with no unprivileged user to switch to: checked that "
                    "reading leaves no file, not that it needs no write permission";
}

TEST_F(NotADdb, Open_CopyWithoutItsLogReadsWhatTheFileItselfHolds) {
  OwnerFile writer = OwnerFile::Create(path);
  writer.Save(OwnerWithLeaves(50));
  ASSERT_EQ(sqlite3_wal_checkpoint_v2(rfm_Connection(*writer.file), nullptr,
                                      SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr),
            SQLITE_OK);
  writer.Save(OwnerWithLeaves(70));
  const std::string copy = dir.Path("copy.ddb");
  std::filesystem::copy_file(path, copy);
  EXPECT_EQ(InChild([&] { ReadFiftyLeaves(copy); }), 0);
  EXPECT_EQ(access((copy + "-wal").c_str(), F_OK), -1);
  EXPECT_EQ(access((copy + "-shm").c_str(), F_OK), -1);
}

TEST_F(NotADdb, Create_FailureLeavesNothingAndAbandonedBuildsAreRemoved) {
  ASSERT_EQ(mkdir(path.c_str(), 0755), 0);
  EXPECT_NE(OpenError(rfm_Access::Create), "<no exception>");
  EXPECT_EQ(Names(), std::vector<std::string>{"test.ddb"});
  rmdir(path.c_str());
  // A creation killed before its rename leaves its build; one still running holds its lock.
  std::ofstream(path + ".creating-AAAAAA") << "abandoned";
  std::ofstream(path + ".creating-AAAAAA-wal") << "abandoned";
  std::ofstream(path + ".creating-BBBBBB") << "running";
  int running = open((path + ".creating-BBBBBB").c_str(), O_RDONLY);
  ASSERT_EQ(flock(running, LOCK_EX), 0);
  { OwnerFile::Create(path); }
  EXPECT_EQ(Names(), (std::vector<std::string>{"test.ddb", "test.ddb.creating-BBBBBB"}));
  close(running);
}

// A reader's snapshot keeps one state of a running job however much its writer commits; the
// next read after the snapshot ends sees the new state.
TEST_F(NotADdb, Snapshot_ReadsOneStateUntilItEnds) {
  OwnerFile writer = OwnerFile::Create(path);
  writer.Save(OwnerWithLeaves(50));
  OwnerFile reader = OwnerFile::Open(path);
  rfm_ReadSnapshot snapshot(reader.file);
  EXPECT_EQ(reader.Load().leaves.Length(), 50);
  writer.Save(OwnerWithLeaves(70));
  EXPECT_EQ(reader.Load().leaves.Length(), 50);
  snapshot.End();
  EXPECT_EQ(reader.Load().leaves.Length(), 70);
  rfm_ReadSnapshot nothing(writer.file);  // a writer's own reads need none
  writer.Save(OwnerWithLeaves(80));
  EXPECT_EQ(writer.Load().leaves.Length(), 80);
}
