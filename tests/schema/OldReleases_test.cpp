// Whole files of older releases, written with the layouts their classes had then, opened
// through the open-file registry and walked through the tree.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

#include "OldFileWriter.h"
#include "TestFiles.h"
#include "ddb/database/ddr_Ddb.h"
#include "ddb/database/ddr_Root.h"
#include "ddb/diagnostics/dia_CompatibilityError.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"
#include "ddb/diagnostics/dia_Residual.h"
#include "ddb/platform/nex_Exception.h"

using namespace ddb_test;

namespace {

constexpr std::uint32_t kDdb = 0x220006, kJob = 0x2B0001, kStep = 0x2B0002, kIncrement = 0x2B0003,
                        kAttempt = 0x2B0004, kIteration = 0x2B0005, kFieldCriteria = 0x2B0006,
                        kConstraintCriteria = 0x2B0007, kContact = 0x2B0008, kResidual = 0x2B0011,
                        kCompatibility = 0x2B0012;
constexpr long long kList = 0x230002;
const ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

// The stored versions of each class, oldest first, ending with its current one.
const std::map<std::string, std::vector<int>> kHistory = {
    {"dia_DiagnosticData", {309, 332, 410, 415, 1037}},
    {"dia_Step", {309, 317, 410, 415, 418, 434, 1001, 1037}},
    {"dia_Increment", {309, 317, 415, 434, 1037}},
    {"dia_Attempt", {309, 410}},
    {"dia_Iteration", {309, 312, 318, 321, 410, 415, 434}},
    {"dia_Residual", {410, 1001}},
    {"dia_CompatibilityError", {410, 1001}},
    {"dia_FieldCriteria", {312, 318}},
    {"dia_ConstraintCriteria", {312}},
    {"dia_ContactDiagnostic", {312, 321, 408, 415}},
};

// The layout a class had in release `release`, 0 when it did not exist yet (or no longer).
int At(const std::string& className, int release) {
  int found = 0;
  for (int v : kHistory.at(className))
    if (v <= release) found = v;
  return found;
}

// A job of one step with `increments` increments (sharing one attempt of one iteration), each
// class in its layout of `release`, under a database record of layout 848.
void WriteRelease(const std::string& path, int release, int increments = 1) {
  OldFileWriter w(path);
  w.Begin();
  w.Declare("ddr_Ddb", 848);
  for (const auto& h : kHistory)
    if (At(h.first, release)) w.Declare(h.first, At(h.first, release));
  const int iteration = At("dia_Iteration", release);
  Cells it = {{"m_iterationNumber", 4LL}, {"m_isSevereDiscontinuity", 1LL}};
  if (iteration >= 312 && iteration <= 321) {
    long long criteria = w.Row(kFieldCriteria, {{"m_fieldEquationType", "Displacement"}});
    long long constraint = w.Row(kConstraintCriteria, {{"m_maxError", 0.5}});
    long long contact = w.Row(kContact, {{"m_contactDiagnosticType", "Overclosure"}});
    for (auto& c :
         OldFileWriter::Ref("m_fieldCriteriaList", kList, w.List({{kFieldCriteria, criteria}})))
      it.push_back(c);
    for (auto& c : OldFileWriter::Ref("m_constraintCriteriaList", kList,
                                      w.List({{kConstraintCriteria, constraint}})))
      it.push_back(c);
    for (auto& c :
         OldFileWriter::Ref("m_contactDiagnosticList", kList, w.List({{kContact, contact}})))
      it.push_back(c);
  }
  if (iteration >= 410) {
    const bool canonical = At("dia_Residual", release) >= 1001;
    long long residual = w.Row(
        kResidual, {{"m_fieldEquationType", canonical ? "ROTATION_FIELD" : "Rotation"},
                    {"m_residualCheck", canonical ? "RESIDUAL_ACCEPTED" : "Residual accepted"},
                    {"m_correctionCheck", canonical ? "CORRECTION_ACCEPTED" : "Correcton accepted"},
                    {"m_maxResidual", 2.5}});
    long long error =
        w.Row(kCompatibility,
              {{"m_constraintEquationType", canonical ? "AXIAL_FORCE_CONSTRAINT" : "Axial Force"},
               {"m_elementNumber", 12LL}});
    for (auto& c : OldFileWriter::Ref("m_residualList", kList, w.List({{kResidual, residual}})))
      it.push_back(c);
    for (auto& c :
         OldFileWriter::Ref("m_compatibiltyErrorList", kList, w.List({{kCompatibility, error}})))
      it.push_back(c);
  }
  long long iterationRow = w.Row(kIteration, it);
  Cells attempt = {{"m_attemptNumber", 2LL}, {"m_attemptSize", 0.25}};
  for (auto& c : OldFileWriter::Ref("m_iterationList", kList, w.List({{kIteration, iterationRow}})))
    attempt.push_back(c);
  long long attemptRow = w.Row(kAttempt, attempt);
  Cells increment = {{"m_incrementNumber", 3LL}};
  if (At("dia_Increment", release) >= 415) increment.push_back({"m_initialIncrementSize", 0.5});
  for (auto& c : OldFileWriter::Ref("m_attemptList", kList, w.List({{kAttempt, attemptRow}})))
    increment.push_back(c);
  std::vector<std::pair<std::uint32_t, long long>> incrementRows;
  for (int k = 0; k < increments; ++k)
    incrementRows.push_back({kIncrement, w.Row(kIncrement, increment)});
  Cells step = {{"m_stepNumber", 1LL}, {"m_stepName", "Step-1"}};
  const int stepVersion = At("dia_Step", release);
  if (stepVersion >= 317)
    step.push_back({"m_incrementationScheme",
                    stepVersion >= 1001 ? "DIRECT_INCREMENTATION" : "Direct incrementation"});
  for (auto& c : OldFileWriter::Ref("m_incrementList", kList, w.List(incrementRows)))
    step.push_back(c);
  long long stepRow = w.Row(kStep, step);
  Cells job = {{"m_jobUserTime", 1.5}};
  for (auto& c : OldFileWriter::Ref("m_stepList", kList, w.List({{kStep, stepRow}})))
    job.push_back(c);
  long long jobRow = w.Row(kJob, job);
  Cells ddb = {{"name", "job of release " + std::to_string(release)},
               {"creationTime", 1000LL},
               {"analysisVersion", "6.3"}};
  for (auto& c : OldFileWriter::Ref("diagnosticData", kList, w.List({{kJob, jobRow}})))
    ddb.push_back(c);
  w.Row(kDdb, ddb);
  w.Commit();
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void ExpectJob(const ddr_Ddb& ddb, int release, const std::string& path, int increments = 1) {
  {
    EXPECT_EQ(ddb.Name(), "job of release " + std::to_string(release));
    EXPECT_EQ(ddb.FileName(kUtf8), path);
    const dia_DiagnosticData& job = ddb.ConstGetDiagnosticData();
    double user = 0, system = 0, wall = 0;
    job.GetJobCpuTimes(user, system, wall);
    EXPECT_EQ(user, 1.5);
    ASSERT_EQ(job.GetNumberOfSteps(), 1);
    const dia_Step& step = job.ConstGetStepByIndex(0);
    EXPECT_EQ(step.GetStepName(), "Step-1");
    EXPECT_EQ(step.GetIncrementationScheme(),
              At("dia_Step", release) >= 317 ? dia_IncrementationSchemeEnum::DIRECT_INCREMENTATION
                                             : dia_IncrementationSchemeEnum::AUTO_INCREMENTATION);
    ASSERT_EQ(step.GetNumberOfIncrements(), increments);
    const dia_Increment& increment = step.ConstGetIncrementByIndex(0);
    EXPECT_EQ(increment.GetIncrementNumber(), 3);
    EXPECT_EQ(increment.GetInitialIncrementSize(), At("dia_Increment", release) >= 415 ? 0.5 : 0.0);
    ASSERT_EQ(increment.GetNumberOfAttempts(), 1);
    const dia_Attempt& attempt = increment.ConstGetAttemptByIndex(0);
    EXPECT_EQ(attempt.GetAttemptNumber(), 2);
    EXPECT_EQ(attempt.GetAttemptSize(), 0.25);
    EXPECT_FALSE(attempt.IsCutback());
    ASSERT_EQ(attempt.GetNumberOfIterations(), 1);
    const dia_Iteration& iteration = attempt.ConstGetIterationByIndex(0);
    EXPECT_EQ(iteration.GetIterationNumber(), 4);
    EXPECT_TRUE(iteration.IsSevereDiscontinuity());
    const int layout = At("dia_Iteration", release);
    EXPECT_EQ(iteration.GetNumberOfContactDiagnostics(), layout >= 312 && layout <= 321 ? 1 : 0);
    if (layout >= 410) {
      ASSERT_EQ(iteration.GetNumberOfResiduals(), 1);
      const dia_Residual& residual = iteration.ConstGetResidualByIndex(0);
      EXPECT_EQ(residual.GetFieldVariable(), dia_FieldVariableEnum::ROTATION_FIELD);
      EXPECT_EQ(residual.GetResidualCheck(), dia_ResidualCheckEnum::RESIDUAL_ACCEPTED);
      EXPECT_EQ(residual.GetCorrectionCheck(), dia_CorrectionCheckEnum::CORRECTION_ACCEPTED);
      EXPECT_EQ(residual.GetMaxResidual(), 2.5);
      ASSERT_EQ(iteration.GetNumberOfCompatibilityErrors(), 1);
      EXPECT_EQ(iteration.ConstGetCompatibilityErrorByIndex(0).GetConstraintVariable(),
                dia_ConstraintVariableEnum::AXIAL_FORCE_CONSTRAINT);
    } else {
      EXPECT_EQ(iteration.GetNumberOfResiduals(), 0);
    }
  }
}

class OldReleases : public ::testing::TestWithParam<int> {
 protected:
  ScratchDir dir;
  std::string path = dir.Path("old.ddb");
};

}  // namespace

TEST_P(OldReleases, WholeFileOpensWithTheValuesItsChainsImplyAndStaysUnchanged) {
  const int release = GetParam();
  WriteRelease(path, release);
  const std::string before = Bytes(path);
  ddr_Root& root = ddr_Root::Instance();
  cow_String name = root.OpenDdb(rfm_File::Open(path, rfm_Access::Read, true, kUtf8), "", kUtf8);
  ExpectJob(root.ConstGet(name, kUtf8), release, path);
  EXPECT_FALSE(root.ConstGet(name, kUtf8).checkWriteCompatibility());
  root.CloseDdb(name, kUtf8);
  EXPECT_EQ(Bytes(path), before) << "a read-only open changed the file";
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, OldReleases,
                         ::testing::Values(309, 312, 317, 318, 321, 332, 408, 410, 415, 418, 434,
                                           1001),
                         [](const auto& info) { return "Release" + std::to_string(info.param); });

TEST_F(OldReleases, Upgrade_ReplacesTheFileByItsCurrentLayoutsWithoutTheRemovedClasses) {
  WriteRelease(path, 321);
  ddr_Root& root = ddr_Root::Instance();
  std::int64_t done = -1, total = -2;
  EXPECT_TRUE(root.UpgradeDdb(path, kUtf8, [&](std::int64_t d, std::int64_t t) {
    done = d;
    total = t;
  }));
  EXPECT_EQ(done, total);
  EXPECT_GT(total, 6);
  EXPECT_EQ(Query(path,
                  "SELECT COUNT(*) FROM \"##Classes\" WHERE \"Class Name\" IN "
                  "('dia_FieldCriteria', 'dia_ConstraintCriteria')"),
            0);
  EXPECT_EQ(Query(path, "SELECT \"Version\" FROM \"##Classes\" WHERE \"Class Name\" = 'dia_Step'"),
            1037);
  EXPECT_EQ(access((path + ".backup").c_str(), F_OK), -1);
  EXPECT_EQ(access((path + ".upgrading").c_str(), F_OK), -1);
  EXPECT_FALSE(root.UpgradeDdb(path, kUtf8));
  cow_String name = root.OpenDdb(rfm_File::Open(path, rfm_Access::Update, true, kUtf8), "", kUtf8);
  EXPECT_TRUE(root.ConstGet(name, kUtf8).checkWriteCompatibility());
  EXPECT_EQ(
      root.ConstGet(name, kUtf8).ConstGetDiagnosticData().ConstGetStepByIndex(0).GetStepName(),
      "Step-1");
  root.SaveDdb(name, true, kUtf8);
  root.CloseDdb(name, kUtf8);
}

TEST_F(OldReleases, Open_RefusesAClassNewerThanTheLibraryAndWritingToOlderLayouts) {
  WriteRelease(path, 1001);
  OldFileWriter::Touch(
      path, "UPDATE \"##Classes\" SET \"Version\" = 2000 WHERE \"Class Name\" = 'dia_Step'");
  ddr_Root& root = ddr_Root::Instance();
  try {
    root.OpenDdb(rfm_File::Open(path, rfm_Access::Read, true, kUtf8), "", kUtf8);
    ADD_FAILURE() << "a newer file was opened";
  } catch (const nex_PrimException& e) {
    EXPECT_EQ(std::string(e.what()),
              "'" + path +
                  "' was written by a newer release of ddb (class dia_Step at version 2000; this "
                  "release reads up to version 1037)");
  }
  WriteRelease(path, 434);
  try {
    root.OpenDdb(rfm_File::Open(path, rfm_Access::Update, true, kUtf8), "", kUtf8);
    ADD_FAILURE() << "a file of older layouts was opened for writing";
  } catch (const nex_CmdException& e) {
    EXPECT_EQ(
        std::string(e.what()),
        "'" + path +
            "' is stored in the layouts of an older release: upgrade it before writing to it");
  }
  EXPECT_FALSE(root.IsMember(path, kUtf8));
}

// Reads the file as a job of `release` when it is the converted file; false when it still is
// the original.
bool IsOriginalOrConverted(const std::string& path, const std::string& original, int release,
                           int increments) {
  if (Bytes(path) == original) return true;
  EXPECT_EQ(Query(path, "SELECT \"Version\" FROM \"##Classes\" WHERE \"Class Name\" = 'dia_Step'"),
            1037);
  ddr_Root& root = ddr_Root::Instance();
  cow_String name = root.OpenDdb(rfm_File::Open(path, rfm_Access::Read, true, kUtf8), "", kUtf8);
  EXPECT_TRUE(root.ConstGet(name, kUtf8).checkWriteCompatibility());
  ExpectJob(root.ConstGet(name, kUtf8), release, path, increments);
  root.CloseDdb(name, kUtf8);
  return false;
}

TEST_F(OldReleases, Upgrade_KilledAnywhereLeavesTheOriginalOrTheCompleteConvertedFile) {
  const int increments = 20000;
  WriteRelease(path, 321, increments);
  const std::string original = Bytes(path);
  auto restore = [&] {
    for (const char* suffix : {"-wal", "-shm", ".backup", ".upgrading"})
      std::remove((path + suffix).c_str());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << original;
  };
  auto upgradeInChild = [&] {
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
      ddr_Root::Instance().UpgradeDdb(path, kUtf8);
      _exit(0);
    }
    return pid;
  };
  const auto started = std::chrono::steady_clock::now();
  int status = 0;
  waitpid(upgradeInChild(), &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const auto duration = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - started)
                            .count();
  EXPECT_FALSE(IsOriginalOrConverted(path, original, 321, increments));
  // Kills land anywhere in the upgrade; runs that end before their kill are not counted.
  std::mt19937 random(20261206);
  std::uniform_int_distribution<long long> delay(0, duration);
  int kills = 0, originals = 0, runs = 0;
  for (; kills < 60 && runs < 400; ++runs) {
    restore();
    pid_t pid = upgradeInChild();
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    if (!WIFSIGNALED(status)) continue;
    ++kills;
    if (IsOriginalOrConverted(path, original, 321, increments)) ++originals;
  }
  EXPECT_GE(kills, 50);
  EXPECT_GT(originals, 0);
  std::printf("upgrade of %lld us killed %d times in %d runs: %d originals, %d converted files\n",
              static_cast<long long>(duration), kills, runs, originals, kills - originals);
}
