// Upgrading a large file of the oldest layouts: a job of 40 steps, 625 increments each, two
// attempts per increment and 75 iterations per attempt (3.75 million iterations, 100 MB),
// every diagnostics class in its first stored layout (309) under a database record of layout
// 321. BM_Upgrade runs ddr_Root::UpgradeDdb on a fresh copy in a fresh process and reports its
// wall and CPU time and peak RSS; BM_CopyFile_LowerBound copies the same file with read/write,
// the least any in-place rewrite costs.
//
// Closing note (build/upgrade_bench --benchmark_counters_tabular=true, RelWithDebInfo, one run on
// the shared 2-core build machine at load average ~7): the 100.5 MB file upgrades in 15.5 s wall,
// 7.1 s CPU, with a peak RSS of 11.4 MB (the conversion streams rows; memory does not grow with
// the file); copying the file takes 0.44 s wall (peak RSS 7.0 MB). The rest is SQLite inserting
// 3.8 million rows and building the new file's B-trees, plus the syncs.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "FreshProcess.h"
#include "ddb/database/ddr_Root.h"
#include "schema/OldFileWriter.h"

namespace {

constexpr int kSteps = 40, kIncrements = 625, kAttempts = 2, kIterations = 75;

const std::string& ScratchDir() {
  static const std::string dir = ddb_bench::MakeScratchDir("upgrade-bench");
  return dir;
}

std::string OldFile() {
  return ScratchDir() + "/oldest.ddb";
}

// The file, written with the tests' writer of older layouts: each list is one run of elements.
void WriteOldestFile(const std::string& path) {
  ddb_test::OldFileWriter w(path);
  w.Exec("PRAGMA synchronous=OFF");
  w.Begin();
  w.Declare("ddr_Ddb", 321);
  for (const char* c :
       {"dia_DiagnosticData", "dia_Step", "dia_Increment", "dia_Attempt", "dia_Iteration"})
    w.Declare(c, 309);
  const std::uint32_t kDdb = w.Id("ddr_Ddb"), kJob = w.Id("dia_DiagnosticData"),
                      kStep = w.Id("dia_Step"), kIncrement = w.Id("dia_Increment"),
                      kAttempt = w.Id("dia_Attempt"), kIteration = w.Id("dia_Iteration");
  std::vector<long long> steps;
  for (int s = 0; s < kSteps; ++s) {
    std::vector<long long> increments;
    for (int i = 0; i < kIncrements; ++i) {
      std::vector<long long> attempts;
      for (int a = 0; a < kAttempts; ++a) {
        std::vector<long long> iterations;
        for (long long k = 0; k < kIterations; ++k)
          iterations.push_back(
              w.Row(kIteration, {{"m_iterationNumber", k + 1}, {"m_isSevereDiscontinuity", 0LL}}));
        ddb_test::Cells attempt = {{"m_attemptNumber", a + 1LL}, {"m_attemptSize", 0.01}};
        w.ListIn(attempt, "m_iterationList", kIteration, iterations);
        attempts.push_back(w.Row(kAttempt, attempt));
      }
      ddb_test::Cells increment = {{"m_incrementNumber", i + 1LL}};
      w.ListIn(increment, "m_attemptList", kAttempt, attempts);
      increments.push_back(w.Row(kIncrement, increment));
    }
    ddb_test::Cells step = {{"m_stepNumber", s + 1LL},
                            {"m_stepName", "Step-" + std::to_string(s + 1)},
                            {"m_isStabilizeActive", 0LL}};
    w.ListIn(step, "m_incrementList", kIncrement, increments);
    steps.push_back(w.Row(kStep, step));
  }
  ddb_test::Cells job = {{"m_status", "Completed"}};
  w.ListIn(job, "m_stepList", kStep, steps);
  ddb_test::Cells ddb = {{"name", "oldest"}, {"creationTime", 1000LL}};
  w.ListIn(ddb, "diagnosticData", kJob, {w.Row(kJob, job)});
  w.Row(kDdb, ddb);
  w.Commit();
}

void CopyFile(const std::string& from, const std::string& to) {
  int in = open(from.c_str(), O_RDONLY), out = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char> buffer(1 << 20);
  for (ssize_t n; (n = read(in, buffer.data(), buffer.size())) > 0;)
    if (write(out, buffer.data(), n) != n) throw std::runtime_error("short write");
  fsync(out);
  close(in);
  close(out);
}

// Child task: upgrades a fresh copy; the copy is made before the measured region.
void Upgrade(const std::vector<std::string>& args, ddb_bench::Meter& meter) {
  const std::string copy = args.at(0) + ".work";
  CopyFile(args.at(0), copy);
  meter.Start();
  if (!ddr_Root::Instance().UpgradeDdb(copy, ZunBasStringMode::UTF8))
    throw std::runtime_error("nothing to upgrade");
  meter.Stop();
  unlink(copy.c_str());
}

void CopyLowerBound(const std::vector<std::string>& args, ddb_bench::Meter&) {
  CopyFile(args.at(0), args.at(0) + ".copy");
  unlink((args.at(0) + ".copy").c_str());
}

const std::string& PreparedFile() {
  static const std::string path = [] {
    WriteOldestFile(OldFile());
    return OldFile();
  }();
  return path;
}

void InFreshProcesses(benchmark::State& state, const char* task) {
  ddb_bench::ChildCpu cpu;
  long peak = 0;
  for (auto _ : state) {
    ddb_bench::ChildRun run = ddb_bench::RunFresh(task, {PreparedFile()});
    if (!run.ok) {
      state.SkipWithError("the measured process failed");
      return;
    }
    state.SetIterationTime(run.wallSeconds);
    cpu.Add(run);
    peak = std::max(peak, run.peakRssKb);
  }
  cpu.Report(state);
  struct stat st {};
  stat(PreparedFile().c_str(), &st);
  state.counters["file_MB"] = static_cast<double>(st.st_size) / 1e6;
  state.counters["peak_rss_MB"] = static_cast<double>(peak) / 1024;
}

void BM_Upgrade(benchmark::State& state) {
  InFreshProcesses(state, "upgrade");
}
BENCHMARK(BM_Upgrade)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_CopyFile_LowerBound(benchmark::State& state) {
  InFreshProcesses(state, "copy");
}
BENCHMARK(BM_CopyFile_LowerBound)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  return ddb_bench::BenchMain(argc, argv, {{"upgrade", &Upgrade}, {"copy", &CopyLowerBound}},
                              &ScratchDir);
}
