// A disk that fills up while a job is written: the flush, the save and the close that find no
// room raise naming the file, what was flushed before stays in the file, the database stays
// open with the unflushed increments in memory, and once there is room again a retry of the
// close stores everything. The disk is a small tmpfs in a private mount namespace where the
// system allows one, and the page limit of the writer's connection (the same failure) always.
#include <gtest/gtest.h>
#include <sched.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "RootFixture.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"
#include "platform/persist/rfm_FileEngine.h"

using namespace ddb_test;

namespace {

const ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;
constexpr int kStored = 5, kMore = 300;

enum class Disk { PageLimit, Tmpfs };

// Fills the disk (`full`) or frees it again: the page limit of the writer's connection, or a
// file `filler` that takes every free block of the tmpfs.
void SetFull(Disk kind, sqlite3* writer, const std::string& filler, bool full) {
  if (kind == Disk::PageLimit) {
    const char* limit = full ? "PRAGMA max_page_count=1" : "PRAGMA max_page_count=1073741823";
    sqlite3_exec(writer, limit, nullptr, nullptr, nullptr);
  } else if (full) {
    std::ofstream(filler) << std::string(4 << 20, 'x');  // twice the disk
  } else {
    unlink(filler.c_str());
  }
}

// A private mount namespace with a 2 MB tmpfs over `dir`; false when the system refuses.
bool MountSmallTmpfs(const std::string& dir) {
  if (unshare(CLONE_NEWNS) != 0) return false;
  if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
  return mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=2m") == 0;
}

class DiskFull : public RootTest, public ::testing::WithParamInterface<Disk> {
 protected:
  void Scenario() {
    const std::string stored = "SELECT COUNT(*) FROM dia_Increment";
    const std::string filler = dir.Path("filler");
    cow_String name = Create(path);
    Save(name);
    dia_DiagnosticData& job = root.Get(name, kUtf8).GetDiagnosticData();
    job.AddStep(dia_Step(1, "Step-1", 1, false, false));
    job.FlushSteps();
    dia_Step& step = job.GetStepByIndex(0);
    for (int i = 1; i <= kStored; ++i) step.AddIncrement(dia_Increment(i, i));
    step.FlushIncrements();
    sqlite3* writer = rfm_Connection(*root.Get(name, kUtf8).GetTransporter()->File());
    SetFull(GetParam(), writer, filler, true);
    for (int i = kStored + 1; i <= kStored + kMore; ++i) step.AddIncrement(dia_Increment(i, i));
    const std::string full = "'" + path + "': database or disk is full";
    EXPECT_EQ(Message([&] { step.FlushIncrements(); }), full);
    EXPECT_EQ(Message([&] { Save(name); }), full);
    EXPECT_EQ(Message([&] { Close(name); }), full);
    EXPECT_TRUE(root.IsMember(path, kUtf8));
    EXPECT_EQ(Query(path, stored), kStored);
    SetFull(GetParam(), writer, filler, false);
    Close(name);
    EXPECT_EQ(Query(path, stored), kStored + kMore);
    name = Open(path);
    const dia_Step& back =
        root.ConstGet(name, kUtf8).ConstGetDiagnosticData().ConstGetStepByIndex(0);
    ASSERT_EQ(back.GetNumberOfIncrements(), kStored + kMore);
    for (int i = 0; i < kStored + kMore; ++i)
      ASSERT_EQ(back.ConstGetIncrementByIndex(i).GetInitialIncrementSize(), i + 1);
    Close(name);
  }
};

}  // namespace

TEST_P(DiskFull, DiskFull_FlushSaveAndCloseRaiseAndARetryStoresEverything) {
  if (GetParam() == Disk::PageLimit) return Scenario();
  // The tmpfs lives in a child's own mount namespace, so the whole scenario runs there.
  int status = InChild([&] {
    if (!MountSmallTmpfs(dir.Path(""))) _exit(77);
    Scenario();
  });
  if (status == 77) GTEST_SKIP() << "this system does not let the test mount a tmpfs";
  EXPECT_EQ(status, 0);
}

INSTANTIATE_TEST_SUITE_P(Disks, DiskFull, ::testing::Values(Disk::PageLimit, Disk::Tmpfs),
                         [](const ::testing::TestParamInfo<Disk>& info) {
                           return info.param == Disk::PageLimit ? "PageLimit" : "Tmpfs";
                         });
