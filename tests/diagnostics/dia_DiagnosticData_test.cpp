#include "ddb/diagnostics/dia_DiagnosticData.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "JobFile.h"
#include "ddb/platform/nex_Exception.h"

using namespace ddb_test;

namespace {

std::vector<int> History(const dia_DiagnosticData& job) {
  return job.GetJobHistoryDescription().vector();
}

std::vector<int> StepBlock(int number, int blocks, int proc, int perturbation, int a, int b,
                           int c) {
  return {number, blocks, proc, perturbation, a, b, c, 0, 0, 0, 0, 0};
}

std::vector<int> Concat(std::vector<std::vector<int>> parts) {
  std::vector<int> all;
  for (auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

}  // namespace

// The history: a header of twelve values (steps, three sums, three flags), then a block of twelve
// per step (number, blocks, procedure, perturbation, the step's sums) followed by the blocks its
// updates appended; an update appends its block only for exactly one new increment.
TEST(JobHistory, StepsAndUpdatesFillTheHeaderAndTheBlocks) {
  const auto increments = [](dia_DiagnosticData& job, int n) {
    dia_Step& step = job.GetStepByIndex(0);
    for (int i = 0; i < n; ++i)
      step.AddIncrement(dia_Increment(step.GetNumberOfIncrements() + 1, 0.1));
  };
  // One step, `n` increments, then an update of sums 1, 2, 3 with `block`.
  const auto updated = [&](int n, std::vector<int> block) {
    return [=](dia_DiagnosticData& job) {
      job.AddStep(dia_Step(1, "S", 1, false, false));
      increments(job, n);
      job.UpdateJobHistoryDescription(1, 2, 3, false, false, false, cow_List<int>(block));
    };
  };
  const std::vector<int> oneStep = {1, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0};
  const struct {
    const char* name;
    std::function<void(dia_DiagnosticData&)> build;
    std::vector<int> history;
    int lastStepOffset;
  } cases[] = {
      {"new", [](dia_DiagnosticData&) {}, std::vector<int>(12, 0), -1},
      {"a step", [](dia_DiagnosticData& job) { job.AddStep(dia_Step(7, "S", 12, true, false)); },
       Concat({{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, StepBlock(7, 0, 12, 1, 0, 0, 0)}), 12},
      {"an update without steps",
       [](dia_DiagnosticData& job) {
         job.UpdateJobHistoryDescription(2, 3, 4, true, false, true, {9, 9});
       },
       {0, 2, 3, 4, 1, 0, 1, 0, 0, 0, 0, 0},
       -1},
      {"flags are never cleared",
       [](dia_DiagnosticData& job) {
         job.UpdateJobHistoryDescription(0, 0, 0, true, true, true, {});
         job.UpdateJobHistoryDescription(0, 0, 0, false, false, false, {});
       },
       {0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0},
       -1},
      {"one new increment", updated(1, {5, 6, 7}),
       Concat({oneStep, StepBlock(1, 1, 1, 0, 1, 2, 3), {5, 6, 7}}), 12},
      {"an empty block", updated(1, {}), Concat({oneStep, StepBlock(1, 0, 1, 0, 1, 2, 3)}), 12},
      {"no increment yet", updated(0, {5, 6, 7}), Concat({oneStep, StepBlock(1, 0, 1, 0, 1, 2, 3)}),
       12},
      {"two new increments", updated(2, {5, 6, 7}),
       Concat({oneStep, StepBlock(1, 0, 1, 0, 1, 2, 3)}), 12},
      {"three increments after one block",
       [&](dia_DiagnosticData& job) {
         job.AddStep(dia_Step(1, "S", 1, false, false));
         increments(job, 1);
         job.UpdateJobHistoryDescription(1, 0, 0, false, false, false, {1});
         increments(job, 2);
         job.UpdateJobHistoryDescription(1, 0, 0, false, true, false, {3});
       },
       Concat({{1, 2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}, StepBlock(1, 1, 1, 0, 2, 0, 0), {1}}), 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dia_DiagnosticData job;
    c.build(job);
    EXPECT_EQ(History(job), c.history);
    EXPECT_EQ(job.LastStepOffset(), c.lastStepOffset);
  }
  // A job read without a history starts from a zero header.
  dia_DiagnosticData read{cls_ReadVisitor()};
  ASSERT_TRUE(History(read).empty());
  read.UpdateJobHistoryDescription(2, 3, 4, false, true, false, {});
  EXPECT_EQ(History(read), (std::vector<int>{0, 2, 3, 4, 0, 1, 0, 0, 0, 0, 0, 0}));
}

TEST(Job, GetStepByNumber_FirstMatchElseLast) {
  dia_DiagnosticData job;
  job.AddStep(dia_Step(1, "a", 1, false, false));
  job.AddStep(dia_Step(2, "b", 1, false, false));
  job.AddStep(dia_Step(2, "c", 1, false, false));
  EXPECT_EQ(job.GetStepByNumber(2).GetStepName(), "b");
  EXPECT_EQ(job.GetStepByNumber(9).GetStepName(), "c");
}

using JobFileTest = ScratchFile;

TEST_F(JobFileTest, Read_UnparsableHistoryRefusesStepUpdates) {
  {
    JobFile f = JobFile::Create(path);
    dia_DiagnosticData job;
    job.AddStep(dia_Step(1, "S", 1, false, false));
    for (int i = 1; i <= 2; ++i) {
      job.GetStepByIndex(0).AddIncrement(dia_Increment(i, 0.1));
      job.UpdateJobHistoryDescription(0, 0, 0, false, false, false,
                                      i == 1 ? cow_List<int>{1, 5, 5} : cow_List<int>{2, 5});
    }
    job.AddStep(dia_Step(2, "T", 1, false, false));
    f.Save(job);
  }
  EXPECT_EQ(InChild([&] {
              dia_DiagnosticData job = JobFile::Open(path).Load();
              EXPECT_EQ(job.LastStepOffset(), -1);
              EXPECT_EQ(Message<nex_PrimException>([&] {
                          job.UpdateJobHistoryDescription(1, 0, 0, false, false, false, {});
                        }),
                        "dia_DiagnosticData::UpdateJobHistoryDescription - the block of step 2 "
                        "cannot be found in the job history");
            }),
            0);
}

// A writer that stops after flushing the history but before flushing its steps leaves a header
// that counts a step the file does not hold.
TEST_F(JobFileTest, Read_HeaderCountResetWhenStepsDoNotMatch) {
  EXPECT_EQ(InChild([&] {
              JobFile f = JobFile::Create(path);
              auto* job = new dia_DiagnosticData;
              f.Save(*job);
              job->AddStep(dia_Step(1, "S", 1, false, false));
              job->FlushJobHistoryDescription();
            }),
            0);
  EXPECT_EQ(InChild([&] {
              dia_DiagnosticData job = JobFile::Open(path).Load();
              EXPECT_EQ(job.GetNumberOfSteps(), 0);
              std::vector<int> h = History(job);
              ASSERT_EQ(h.size(), 24u);
              EXPECT_EQ(h[0], 0);
              EXPECT_EQ(h[12], 1);
            }),
            0);
}

TEST(JobHistory, Read_AMissingHistoryArrayIsDamage) {
  ScratchDir dir;
  const std::string path = dir.Path("job.ddb");
  JobFile::Create(path).Save(dia_DiagnosticData());
  ASSERT_EQ(Query(path, "SELECT COUNT(*) FROM \"##Array\""), 1);
  Execute(path, "DELETE FROM \"##Array\"");
  const std::string message = Message<nex_PrimException>([&] { JobFile::Open(path).Load(); });
  EXPECT_EQ(message.rfind("'" + path + "' is damaged: array ", 0), 0u) << message;
}

// A history of several pages, flushed part-way and at the end: the file holds it in pages, the
// writer keeps only a few of them in memory, and a reader in a new process reads it back whole;
// a writer reopening the file carries on from the last step's block (of two).
TEST_F(JobFileTest, LongHistory_StoredInPagesReadsBackAndCarriesOn) {
  const int increments = 700;  // 12 + 2 * 12 + 700 * 4 values: three pages
  std::vector<int> history;
  {
    JobFile f = JobFile::Create(path);
    dia_DiagnosticData job;
    f.Save(job);
    job.AddStep(dia_Step(1, "Step-1", 1, false, false));
    job.AddStep(dia_Step(2, "Step-2", 1, false, false));
    job.FlushSteps();
    dia_Step& step = job.GetStepByIndex(1);
    for (int i = 1; i <= increments; ++i) {
      step.AddIncrement(dia_Increment(i, 0.1));
      job.UpdateJobHistoryDescription(1, i, 0, false, false, false, {i, -i, 7, 8});
      step.FlushIncrements();
      step.ReleaseIncrement(i - 1);
      if (i == increments / 2) job.FlushJobHistoryDescription();
    }
    job.FlushSteps();
    job.FlushJobHistoryDescription();
    f.Save(job, 0);
    history = History(job);
  }
  ASSERT_EQ(history.size(), 36u + increments * 4);
  EXPECT_EQ(history[36 + 4 * 499 + 1], -500);
  EXPECT_EQ(Query(path, "SELECT COUNT(*) FROM \"##ArrayPage\""), 3);
  EXPECT_EQ(InChild([&] {
              JobFile f = JobFile::Open(path, rfm_Access::Update);
              dia_DiagnosticData job = f.Load();
              EXPECT_EQ(History(job), history);
              job.GetStepByIndex(1).AddIncrement(dia_Increment(increments + 1, 0.1));
              job.UpdateJobHistoryDescription(2, 0, 0, false, false, false, {1, 2, 3, 4});
              std::vector<int> h = History(job);
              EXPECT_EQ(h[24 + 1], increments + 1);
              EXPECT_EQ(h[24 + 4], increments + 2);
              EXPECT_EQ(std::vector<int>(h.end() - 4, h.end()), (std::vector<int>{1, 2, 3, 4}));
            }),
            0);
}
