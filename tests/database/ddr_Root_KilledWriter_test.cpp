// A writer killed at any point leaves a file that opens (or no file, when it died before its
// creation finished) and that holds every flush the writer saw return, and no part of any other.
// Each round forks a writer that reports each operation and each returned flush on a pipe, kills
// it with SIGKILL a seeded random delay after a seeded random line, and reads the file back.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "RootFixture.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"

using namespace ddb_test;

namespace {

const ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;
constexpr int kSessions = 3, kBatches = 4, kBatch = 5;
constexpr int kKills = 200;

void Say(int fd, const std::string& line) {
  std::string text = line + "\n";
  if (write(fd, text.data(), text.size()) < 0) _exit(3);
}

// The writer: after creating and saving a ddb, three sessions (reopening the closed file for
// update) each add a step, stream increments in flushes of kBatch, save and close. Every line
// names the operation about to run or the flush that just returned.
[[noreturn]] void Write(const std::string& path, int fd) {
  ddr_Root& root = ddr_Root::Instance();
  Say(fd, "create");
  cow_String name = root.CreateDdb(path, "killed writer", kUtf8);
  Say(fd, "created");
  root.SaveDdb(name, true, kUtf8);
  Say(fd, "saved");
  for (int session = 0; session < kSessions; ++session) {
    if (session > 0) {
      Say(fd, "reopen");
      name = root.OpenDdb(OpenFile(path, rfm_Access::Update), "", kUtf8);
    }
    dia_DiagnosticData& job = root.Get(name, kUtf8).GetDiagnosticData();
    job.AddStep(dia_Step(session + 1, "Step-" + std::to_string(session + 1), 1, false, false));
    job.FlushSteps();
    Say(fd, "flushed " + std::to_string(session) + " 0");
    dia_Step& step = job.GetStepByIndex(session);
    for (int b = 0; b < kBatches; ++b) {
      for (int n = b * kBatch + 1; n <= (b + 1) * kBatch; ++n)
        step.AddIncrement(dia_Increment(n, 0.5 * n));
      Say(fd, "stream");
      step.FlushIncrements();
      Say(fd, "flushed " + std::to_string(session) + " " + std::to_string((b + 1) * kBatch));
      for (int i = b * kBatch; i < (b + 1) * kBatch; ++i) step.ReleaseIncrement(i);
    }
    Say(fd, "save");
    root.SaveDdb(name, true, kUtf8);
    Say(fd, "close");
    root.CloseDdb(name, kUtf8);
    Say(fd, "closed");
  }
  _exit(0);
}

struct Reported {
  std::vector<std::string> lines;
  bool created = false;
  std::map<int, int> flushed;  // step index -> increments the writer saw stored
};

class KilledWriter : public RootTest {
 protected:
  // Runs one writer, kills it `delayUs` after it printed line `target` (counting from 0);
  // returns true when it was killed, with what it reported in `seen`.
  bool RunAndKill(std::size_t target, int delayUs, Reported& seen) {
    int pipeFds[2];
    EXPECT_EQ(pipe2(pipeFds, O_CLOEXEC), 0);
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
      close(pipeFds[0]);
      try {
        Write(path, pipeFds[1]);
      } catch (const std::exception& e) {
        std::fprintf(stderr, "writer raised: %s\n", e.what());
        _exit(2);
      }
    }
    close(pipeFds[1]);
    std::FILE* in = fdopen(pipeFds[0], "r");
    char buffer[128];
    while (std::fgets(buffer, sizeof buffer, in)) {
      std::string line(buffer);
      line.pop_back();
      seen.lines.push_back(line);
      seen.created |= line == "created";
      int step = 0, count = 0;
      if (std::sscanf(line.c_str(), "flushed %d %d", &step, &count) == 2)
        seen.flushed[step] = count;
      if (seen.lines.size() == target + 1) {
        usleep(delayUs);
        kill(pid, SIGKILL);
      }
    }
    std::fclose(in);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0)) << status;
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  }

  // The file opens read-only and holds every reported flush whole, and only whole flushes.
  void Check(const Reported& seen, const std::string& round) {
    SCOPED_TRACE(round);
    if (access(path.c_str(), F_OK) != 0) {
      EXPECT_FALSE(seen.created) << "the created file is gone";
      return;
    }
    cow_String name;
    ASSERT_NO_THROW(name = Open(path));
    const dia_DiagnosticData& job = root.ConstGet(name, kUtf8).ConstGetDiagnosticData();
    int steps = job.GetNumberOfSteps();
    EXPECT_GE(steps, static_cast<int>(seen.flushed.size()));
    for (int s = 0; s < steps; ++s) {
      const dia_Step& step = job.ConstGetStepByIndex(s);
      int n = step.GetNumberOfIncrements();
      EXPECT_EQ(n % kBatch, 0) << "a partial flush of step " << s;
      EXPECT_GE(n, seen.flushed.count(s) ? seen.flushed.at(s) : 0) << "step " << s;
      for (int i = 0; i < n; ++i) {
        const dia_Increment& increment = step.ConstGetIncrementByIndex(i);
        ASSERT_EQ(increment.GetIncrementNumber(), i + 1);
        ASSERT_EQ(increment.GetInitialIncrementSize(), 0.5 * (i + 1));
      }
    }
    Close(name);
  }
};

}  // namespace

TEST_F(KilledWriter, KilledWriter_EveryFileOpensWithEveryReturnedFlushWhole) {
  Reported whole;  // the lines of a writer that is not killed, in order
  ASSERT_FALSE(RunAndKill(SIZE_MAX, 0, whole));
  Check(whole, "not killed");
  const std::vector<std::string> script = whole.lines;
  ASSERT_EQ(script.back(), "closed");
  std::mt19937 random(20261206);
  int kills = 0, rounds = 0;
  while (kills < kKills && rounds < 3 * kKills) {
    ++rounds;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) unlink((path + suffix).c_str());
    // A quarter of the rounds aim at the creation and the first save.
    std::size_t target = random() % 4 == 0 ? random() % 3 : random() % script.size();
    int delayUs = static_cast<int>(random() % 3000);
    Reported seen;
    kills += RunAndKill(target, delayUs, seen);
    Check(seen, "round " + std::to_string(rounds) + ": killed " + std::to_string(delayUs) +
                    " us after '" + script[target] + "'");
    if (HasFatalFailure() || HasFailure()) break;
  }
  EXPECT_GE(kills, kKills);
  RecordProperty("kills", kills);
}
