#include "ddb/database/ddr_Root.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <regex>

#include "RootFixture.h"
#include "TestRecords.h"
#include "platform/typ_DebugFlags.h"

using namespace ddb_test;

namespace {

std::string DateText(std::time_t t) {
  std::tm local{};
  localtime_r(&t, &local);
  char text[64];
  std::strftime(text, sizeof text, "%Y/%m/%d %H:%M:%S ", &local);
  return text;
}

const ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

}  // namespace

TEST(ddr_Root_PersistentName, DateTextThenFileNamePaddedOrCutTo2048) {
  const std::time_t t = 1700000000;
  const std::string date = DateText(t);
  ASSERT_EQ(date.size(), 20u);
  struct Case {
    std::string file;
    std::string expected;
  } cases[] = {
      {"/runs/job1.ddb", date + "/runs/job1.ddb" + std::string(2048 - 20 - 14, ' ')},
      {std::string(2028, 'x'), date + std::string(2028, 'x')},
      {std::string(2100, 'y'), date + std::string(2028, 'y')},
      {"", date + std::string(2028, ' ')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.size());
    cow_String name = ddr_Root::PersistentName(t, c.file);
    EXPECT_EQ(name.size(), 2048u);
    EXPECT_EQ(name.str(), c.expected);
  }
}

TEST_F(RootTest, CreateSaveAndClose_RegisterStoreAndForgetTheDatabaseButKeepItsCount) {
  cow_String name = Create(path, "first run");
  const ddr_Ddb& record = root.ConstGet(name, kUtf8);
  EXPECT_EQ(name, ddr_Root::PersistentName(record.CreateTimeAsInt(), path));
  EXPECT_TRUE(root.IsMember(path, kUtf8));
  EXPECT_EQ(root.GetPersistentName(path, kUtf8), name);
  EXPECT_EQ(root.GetFileName(name, kUtf8), path);
  EXPECT_EQ(root.GetOpenCount(name, kUtf8).openCount, 1);
  EXPECT_FALSE(root.GetOpenCount(name, kUtf8).readOnly);
  EXPECT_EQ(record.Description(), "first run");
  EXPECT_EQ(ddr_Root::ReadCreationDate(record.GetTransporter()->File()), record.CreateTimeAsInt());
  EXPECT_EQ(Query(path, "SELECT COUNT(*) FROM ddr_Ddb"), -1);
  root.SaveDdb(name, false, kUtf8);  // without an update of the modify time
  EXPECT_FALSE(record.UpdateTime());
  EXPECT_EQ(Query(path, "SELECT modifyTime FROM ddr_Ddb"), record.ModifyTimeAsInt());
  EXPECT_TRUE(record.checkWriteCompatibility());
  Close(name);
  EXPECT_FALSE(root.IsMember(path, kUtf8));
  EXPECT_FALSE(root.Fetch().IsMember(name, kUtf8));
  EXPECT_EQ(root.GetOpenCount(name, kUtf8).openCount, 1);
}

// Translating an unknown name, and creating or opening without a class registrar, is refused.
TEST_F(RootTest, Messages_UnknownNamesAndNoRegistrar) {
  EXPECT_EQ(Message([&] { root.GetPersistentName("/no/such.ddb", kUtf8); }),
            "No ddb file by specified file name in container: '/no/such.ddb'");
  EXPECT_FALSE(root.IsMember("/no/such.ddb", kUtf8));
  const std::string unknown = "No ddb file by specified persistent name in container: 'nobody'";
  EXPECT_EQ(Message([&] { root.GetFileName("nobody", kUtf8); }), unknown);
  EXPECT_EQ(Message([&] { root.SaveDdb("nobody", true, kUtf8); }), unknown);
  EXPECT_EQ(Message([&] { root.CloseDdb("nobody", kUtf8); }), unknown);

  cow_String name = Make(path);
  root.SetClassRegistrar(nullptr);
  std::string create = Message([&] { Create(dir.Path("other.ddb")); });
  std::string open = Message([&] { Open(path); });
  root.SetClassRegistrar(cls_MetadataRegistrar::Instance().NewClassRegistrar());
  EXPECT_EQ(create, "Class registrar not initialized");
  EXPECT_EQ(open, "Class registrar not initialized");
  EXPECT_EQ(Open(path), name);
}

TEST_F(RootTest, OpenRules_SecondWriterIsRefusedAndReadersCount) {
  cow_String name = Create(path);
  Save(name);
  EXPECT_EQ(Message([&] { Open(path, rfm_Access::Update); }),
            "Two applications opening the same file for write is not allowed.");
  EXPECT_EQ(root.GetOpenCount(name, kUtf8).openCount, 1);
  EXPECT_EQ(Open(path, rfm_Access::Read), name);
  EXPECT_EQ(Open(path, rfm_Access::Read), name);
  EXPECT_EQ(root.GetOpenCount(name, kUtf8).openCount, 3);
  EXPECT_TRUE(root.GetOpenCount(name, kUtf8).readOnly);
  EXPECT_EQ(root.Fetch().Length(), 1);
}

TEST_F(RootTest, OpenRules_RegeneratedFileIsRefused) {
  cow_String name = Make(path);
  ASSERT_EQ(Open(path), name);
  std::string next = dir.Path("next.ddb");
  DdbRecordFile::Create(next);  // another creation time
  ASSERT_EQ(std::rename(next.c_str(), path.c_str()), 0);
  EXPECT_EQ(Message([&] { Open(path); }),
            "The database has been regenerated since it was first opened. Close the existing "
            "database and reopen using the new file.");
  EXPECT_EQ(root.GetOpenCount(name, kUtf8).openCount, 1);
  EXPECT_TRUE(root.IsMember(path, kUtf8));
}

TEST_F(RootTest, OpenRules_FailedReadLeavesNoTrace) {
  OwnerFile::Create(path).Save(Owner());
  std::string message = Message([&] { Open(path); });
  EXPECT_NE(message.find("stores no row 0 of class ddr_Ddb"), std::string::npos) << message;
  EXPECT_FALSE(root.IsMember(path, kUtf8));
  EXPECT_EQ(root.Fetch().Length(), 0);
}

TEST_F(RootTest, ReadCreationDate_FallsBackToTheLastRecordAndIsZeroWithoutADdb) {
  Make(path);
  const std::int64_t created = rfm_Database::GetCreationTime(OpenFile(path));
  Execute(path, "DELETE FROM \"##Meta\" WHERE key = 'creationTime'");
  EXPECT_EQ(rfm_Database::GetCreationTime(OpenFile(path)), 0);
  EXPECT_EQ(ddr_Root::ReadCreationDate(OpenFile(path)), created);
  // A file that is not a ddb file (opening it raises, as rfm_File_test.cpp shows), no file and a
  // missing file have none.
  std::ofstream(path) << std::string(200, 'x');
  EXPECT_EQ(ddr_Root::ReadCreationDate(cow_String(path)), 0);
  EXPECT_EQ(ddr_Root::ReadCreationDate(rfm_FileHandle()), 0);
  EXPECT_EQ(ddr_Root::ReadCreationDate(cow_String(dir.Path("missing.ddb"))), 0);
}

TEST_F(RootTest, OpenDdb_ReportsTheReadTimeAtDebugLevel2) {
  Make(path);
  typ_DebugFlags::SetDebugFlags(34, 2);
  ::testing::internal::CaptureStderr();
  Open(path);
  std::string printed = ::testing::internal::GetCapturedStderr();
  typ_DebugFlags::SetDebugFlags(34, 0);
  EXPECT_TRUE(std::regex_match(printed, std::regex("ddr_Root::OpenDdb: It took [-+.e0-9]+ to "
                                                   "read ddb\n")))
      << printed;
}

TEST_F(RootTest, Container_KeysInByteOrderAndReplace) {
  ddr_DdbContainer other;
  other.Insert("b", ddr_Ddb("b", "/b", "", kUtf8), kUtf8);
  other.Insert("B", new ddr_Ddb("B", "/B", "", kUtf8), kUtf8);
  other.Insert("a", ddr_Ddb("a", "/a", "", kUtf8), kUtf8);
  EXPECT_EQ(other.Keys(kUtf8), (std::vector<cow_String>{"B", "a", "b"}));
  std::string walked;
  for (ddr_DdbContainerIT it(other); !it.IsDone(); it.Next())
    walked += it.CurrentKey(kUtf8).str() + it.CurrentValue().FileName(kUtf8).str();
  EXPECT_EQ(walked, "B/Ba/ab/b");
  root.Replace(other);
  EXPECT_EQ(root.Fetch().Length(), 3);
  EXPECT_EQ(root.ConstGet("a", kUtf8).Name(), "a");
  root.Clear();
}

// A writer that stopped after CreateDdb and before its first SaveDdb leaves a file that opens as
// the empty job it had, named as its creation named it, and that a writer may carry on.
TEST_F(RootTest, Open_CreatedButNeverSavedIsAnEmptyJob) {
  ASSERT_EQ(InChild([&] {
              root.CreateDdb(path, "set-up", kUtf8);
              _exit(0);
            }),
            0);
  std::int64_t created = ddr_Root::ReadCreationDate(cow_String(path));
  ASSERT_NE(created, 0);
  cow_String name = Open(path);
  EXPECT_EQ(name, ddr_Root::PersistentName(created, path));
  const ddr_Ddb& record = root.ConstGet(name, kUtf8);
  EXPECT_EQ(record.Description(), "set-up");
  EXPECT_EQ(record.CreateTimeAsInt(), created);
  EXPECT_EQ(record.ConstGetDiagnosticData().GetNumberOfSteps(), 0);
  Close(name);
  name = Open(path, rfm_Access::Update, "carried on");
  EXPECT_EQ(name, "carried on");
  Save(name);
  Close(name);
  EXPECT_EQ(Open(path), "carried on");
}

// A create that fails leaves nothing: neither a file nor an entry in the registry.
TEST_F(RootTest, Create_FailureLeavesNothing) {
  const std::string inMissingDir = dir.Path("missing/job.ddb");
  EXPECT_NE(Message([&] { Create(inMissingDir); }), "<no exception>");
  EXPECT_EQ(access(dir.Path("missing").c_str(), F_OK), -1);
  EXPECT_FALSE(root.IsMember(inMissingDir, kUtf8));
  EXPECT_EQ(root.Fetch().Length(), 0);
}
