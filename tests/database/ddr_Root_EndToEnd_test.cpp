// A database written by one process and read by another: every stored value comes back and later
// saves append rows (a new persistent name is stamped and spread in ddr_Shortcut_test.cpp).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "RootFixture.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"

using namespace ddb_test;

namespace {

const ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;
constexpr int kSteps = 3, kIncrements = 2;

void FillJob(dia_DiagnosticData& job) {
  job.SetJobStatus(1);
  job.SetJobCpuTimes(1.5, 0.25, 2.75);
  job.SetNumDomains(4);
  for (int s = 1; s <= kSteps; ++s) {
    job.AddStep(dia_Step(s, "Step-" + std::to_string(s), 1, false, false));
    for (int i = 1; i <= kIncrements; ++i) {
      job.GetStepByIndex(s - 1).AddIncrement(dia_Increment(i, 0.1 * i));
      job.UpdateJobHistoryDescription(1, 2, 3, false, i == 2, false, {s, i});
    }
  }
}

void Fill(ddr_Ddb& record) {
  record.SetAnalysisVersion("2026.1");
  record.SetSequenceData("sequence");
  record.GetProductAddOns().Append(ddr_ProductAddOnEnum::FATIGUE_LIFE);
  record.GetProductAddOns().Append(ddr_ProductAddOnEnum::GPU_ACCELERATION);
  Model first("Model-1", "mm");
  dynamic_cast<Repository&>(first.GetMaterials()).entries.Append("rubber");
  record.GetModels().Insert("Model-2", Model("Model-2"));  // read back in key order
  record.GetModels().Insert("Model-1", first);
  record.GetResults().Insert("r1", Result(1.5));
  record.GetUserData().Insert("notes", UserData("hello"));
  record.GetCustomData().Insert("count", CustomData(42));
  FillJob(record.GetDiagnosticData());
}

// The job comes back whole through the database record (every value of every record is checked
// in dia_RecordTree_test.cpp).
void CheckJob(const dia_DiagnosticData& job) {
  EXPECT_EQ(job.GetJobStatus(), 1);
  EXPECT_EQ(job.GetNumDomains(), 4);
  ASSERT_EQ(job.GetNumberOfSteps(), kSteps);
  EXPECT_EQ(job.ConstGetStepByIndex(kSteps - 1).GetNumberOfIncrements(), kIncrements);
  EXPECT_EQ(job.GetJobHistoryDescription().Length(), 12 + kSteps * (12 + kIncrements * 2));
}

void CheckRecord(const ddr_Ddb& record, const std::string& path) {
  EXPECT_EQ(record.FileName(kUtf8), path);
  EXPECT_EQ(record.Description(), "end to end");
  EXPECT_EQ(record.SequenceData(), "sequence");
  EXPECT_EQ(record.DdbVersion(), 1804);
  ASSERT_EQ(record.ConstGetProductAddOns().Size(), 2);
  EXPECT_EQ(record.ConstGetProductAddOns().Get(1).AsString(0), "GPU_ACCELERATION");
  ASSERT_EQ(record.ConstGetModels().Keys(), (std::vector<cow_String>{"Model-1", "Model-2"}));
  const auto& model = dynamic_cast<const Model&>(record.ConstGetModels().ConstGet("Model-1"));
  EXPECT_EQ(model.units, "mm");
  EXPECT_EQ(model.NumMaterials(), 2);
  EXPECT_EQ(model.FileName(kUtf8), path);
  EXPECT_EQ(dynamic_cast<const Result&>(record.ConstGetResults().ConstGet("r1")).value, 1.5);
  EXPECT_EQ(dynamic_cast<const UserData&>(record.ConstGetUserData().ConstGet("notes")).value,
            "hello");
  EXPECT_EQ(dynamic_cast<const CustomData&>(record.ConstGetCustomData().ConstGet("count")).value,
            42);
  CheckJob(record.ConstGetDiagnosticData());
}

}  // namespace

// Every value comes back in another process; a later save appends a row, which readers take.
TEST_F(RootTest, EndToEnd_EveryValueReadsBackInAnotherProcessAndLaterSavesAppend) {
  cow_String name = Create(path, "end to end");
  std::int32_t created = root.ConstGet(name, kUtf8).CreateTimeAsInt();
  Fill(root.Get(name, kUtf8));
  Save(name);
  Close(name);
  EXPECT_EQ(InChild([&] {
              cow_String opened = Open(path);
              ASSERT_EQ(opened, name);
              const ddr_Ddb& record = root.ConstGet(opened, kUtf8);
              EXPECT_EQ(record.AnalysisVersion(), "2026.1");
              EXPECT_EQ(record.CreateTimeAsInt(), created);
              EXPECT_EQ(record.ConstGetDiagnosticData().SnapSteps(), 0);
              CheckRecord(record, path);
            }),
            0);
  ASSERT_EQ(Open(path, rfm_Access::Update), name);
  root.Get(name, kUtf8).SetAnalysisVersion("2026.2");
  Save(name);
  Close(name);
  EXPECT_EQ(Query(path, "SELECT COUNT(*) FROM ddr_Ddb"), 2);
  EXPECT_EQ(QueryText(path, "SELECT analysisVersion FROM ddr_Ddb ORDER BY OID LIMIT 1"), "2026.1");
  EXPECT_EQ(InChild([&] {
              const ddr_Ddb& record = root.ConstGet(Open(path), kUtf8);
              EXPECT_EQ(record.AnalysisVersion(), "2026.2");
              CheckRecord(record, path);
            }),
            0);
}

// A process that ends without closing its database still stores what its records hold: the
// library shuts down at unload, after the C++ runtime's own statics are gone.
TEST_F(RootTest, EndToEnd_ProcessExitWithoutCloseStoresTheJob) {
  ASSERT_EQ(InChild([&] {
              cow_String name = Create(path);
              Save(name);
              FillJob(root.Get(name, kUtf8).GetDiagnosticData());
              std::exit(0);
            }),
            0);
  CheckJob(root.ConstGet(Open(path), kUtf8).ConstGetDiagnosticData());
}

TEST_F(RootTest, EndToEnd_A2100CharacterFileNameRoundTrips) {
  std::string longPath = dir.Path("");
  while (longPath.size() < 1900) {
    longPath += std::string(200, 'd') + "/";
    ASSERT_EQ(mkdir(longPath.c_str(), 0755), 0);
  }
  longPath += std::string(2100 - longPath.size() - 4, 'f') + ".ddb";
  ASSERT_EQ(longPath.size(), 2100u);
  cow_String name = Create(longPath, "long");
  Save(name);
  Close(name);
  EXPECT_EQ(Open(longPath), name);
  EXPECT_EQ(root.ConstGet(name, kUtf8).FileName(kUtf8), longPath);
}
