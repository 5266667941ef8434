// Streaming a job's diagnostics through the record tree into a ddb file, as a solver does:
// one attempt of ten iterations per increment, three residuals per iteration, each increment
// flushed and released when it completes.
//
// - BM_StreamMemory/<iterations>: peak RSS (VmHWM) of a job of 10K and of 1M iterations, each in
//   a forked child so the peaks are not shared; the 1M case reports its excess over the 10K one.
// - BM_TreeWrite vs BM_RawWrite: records per second through the tree, and the same rows
//   (copied from a file the tree wrote) put with plain prepared SQLite inserts, one commit per
//   increment as the tree does.
// - BM_ReadLastIncrement: reopen the 1M file and read the last step's last increment.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchJob.h"
#include "RawReplay.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"
#include "ddb/platform/rom_Transporter.h"

namespace {

using ddb_bench::kIterationsPerIncrement;
using ddb_bench::MakeIncrement;
using ddb_bench::PeakRssKb;
using ddb_bench::RawWrite;
using ddb_bench::ReadSnapshot;
using ddb_bench::Snapshot;
using ddb_bench::Table;

constexpr int kSteps = 10;
constexpr long kThroughputIterations = 20000;

using Clock = std::chrono::steady_clock;

// DDB_BENCH_DIR names a directory to keep the files in; otherwise a scratch directory is made
// and removed at the end.
const char* KeptDir() {
  return std::getenv("DDB_BENCH_DIR");
}

const std::string& ScratchDir() {
  static const std::string dir = [] {
    if (KeptDir()) return std::string(KeptDir());
    char tmpl[] = "/tmp/ddb-bench-XXXXXX";
    return std::string(mkdtemp(tmpl));
  }();
  return dir;
}

std::string BigFile() {
  return ScratchDir() + "/job-1M.ddb";
}

struct Written {
  double seconds = 0;
  long peakKb = 0;
  long startKb = 0;
};

// Where a stream spends its time: building records in memory, and SQLite statements by kind
// (the statement's first word; SELECTs are the lists' stored-count queries).
struct Split {
  double buildSeconds = 0;
  std::map<std::string, std::pair<long, double>> statements;  // kind -> (count, seconds)
};

int OnStatementDone(unsigned, void* context, void* stmt, void* nanoseconds) {
  std::string sql = sqlite3_sql(static_cast<sqlite3_stmt*>(stmt));
  auto& entry = static_cast<Split*>(context)->statements[sql.substr(0, sql.find(' '))];
  entry.first += 1;
  entry.second += *static_cast<sqlite3_int64*>(nanoseconds) * 1e-9;
  return 0;
}

Written StreamJob(const std::string& path, long iterations, Split* split = nullptr) {
  Written out;
  out.startKb = PeakRssKb();
  auto start = Clock::now();
  const int perStep = static_cast<int>(iterations / kIterationsPerIncrement / kSteps);
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Create, true, ZunBasStringMode::UTF8);
  if (split) sqlite3_trace_v2(file->Connection(), SQLITE_TRACE_PROFILE, &OnStatementDone, split);
  rom_Transporter transporter(nullptr, file, "D0", "bench", 1, -1);
  dia_DiagnosticData job;
  auto save = [&](int row) {
    rom_MementoWrite memento(transporter, dia_DiagnosticData::TypeId(), row);
    cls_WriteVisitor writer(memento);
    job.DBWrite(writer);
  };
  save(-1);
  for (int s = 0; s < kSteps; ++s) {
    job.AddStep(dia_Step(s + 1, "Step-" + std::to_string(s + 1), 1, false, false));
    job.FlushSteps();
    dia_Step& step = job.GetStepByIndex(s);
    for (int i = 0; i < perStep; ++i) {
      auto built = Clock::now();
      dia_Increment increment = MakeIncrement(i + 1, 1.0 / perStep);
      if (split) split->buildSeconds += std::chrono::duration<double>(Clock::now() - built).count();
      step.AddIncrement(increment);
      job.UpdateJobHistoryDescription(1, kIterationsPerIncrement, 0, false, false, false,
                                      {i + 1, 1, kIterationsPerIncrement});
      step.FlushIncrements();
      step.ReleaseIncrement(i);
    }
    step.m_incrementsCompleted = perStep;
    step.m_stepTimeCompleted = 1.0;
    job.FlushSteps();
    job.ReleaseStep(s);
  }
  job.SetJobStatus(1);
  job.FlushJobHistoryDescription();
  save(0);
  out.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  out.peakKb = PeakRssKb();
  return out;
}

// Runs the stream in a forked child and hands its figures back through a pipe.
Written StreamInChild(const std::string& path, long iterations) {
  int fds[2];
  if (pipe(fds) != 0) std::abort();
  std::fflush(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    Written w = StreamJob(path, iterations);
    ssize_t n = write(fds[1], &w, sizeof w);
    _exit(n == sizeof w ? 0 : 1);
  }
  close(fds[1]);
  Written w;
  ssize_t n = read(fds[0], &w, sizeof w);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (n != sizeof w || !WIFEXITED(status) || WEXITSTATUS(status) != 0) w.seconds = -1;
  return w;
}

long& SmallPeakKb() {
  static long kb = 0;
  return kb;
}

void BM_StreamMemory(benchmark::State& state) {
  const long iterations = state.range(0);
  const bool big = iterations >= 1000000;
  std::string path = big ? BigFile() : ScratchDir() + "/job-small.ddb";
  Written w;
  for (auto _ : state) {
    w = StreamInChild(path, iterations);
    if (w.seconds < 0) {
      state.SkipWithError("the writer child failed");
      return;
    }
    state.SetIterationTime(w.seconds);
  }
  if (!big) SmallPeakKb() = w.peakKb;
  state.counters["peak_rss_MB"] = w.peakKb / 1024.0;
  state.counters["start_rss_MB"] = w.startKb / 1024.0;
  state.counters["iterations_per_s"] = iterations / w.seconds;
  if (big && SmallPeakKb() > 0) state.counters["over_10K_MB"] = (w.peakKb - SmallPeakKb()) / 1024.0;
}
BENCHMARK(BM_StreamMemory)
    ->Arg(10000)
    ->Arg(1000000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

// The schema and every data row of a file the tree wrote.
const Snapshot& TreeRows() {
  static const Snapshot snapshot = [] {
    std::string path = ScratchDir() + "/job-rows.ddb";
    if (StreamInChild(path, kThroughputIterations).seconds < 0) std::abort();
    return ReadSnapshot(path);
  }();
  return snapshot;
}

// Items are records; "rows" counts every stored row, the collections' runs and arrays included.
void BM_TreeWrite(benchmark::State& state) {
  const Snapshot& snap = TreeRows();
  std::string path = ScratchDir() + "/job-tree.ddb";
  for (auto _ : state) {
    Written w = StreamJob(path, kThroughputIterations);
    state.SetIterationTime(w.seconds);
  }
  state.SetItemsProcessed(state.iterations() * snap.records);
  state.counters["rows"] = static_cast<double>(snap.rows);
}
BENCHMARK(BM_TreeWrite)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One traced tree write: counters in ms (and counts) of record building and of each statement
// kind; "rest_ms" is the time in the tree and the framework outside SQLite.
void BM_TreeWriteSplit(benchmark::State& state) {
  Split split;
  double seconds = 0;
  for (auto _ : state)
    seconds = StreamJob(ScratchDir() + "/job-split.ddb", kThroughputIterations, &split).seconds;
  double sql = 0;
  for (const auto& [kind, figures] : split.statements) {
    state.counters[kind + "_ms"] = figures.second * 1e3;
    state.counters[kind + "_n"] = static_cast<double>(figures.first);
    sql += figures.second;
  }
  state.counters["build_ms"] = split.buildSeconds * 1e3;
  state.counters["rest_ms"] = (seconds - sql - split.buildSeconds) * 1e3;
}
BENCHMARK(BM_TreeWriteSplit)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_RawWrite(benchmark::State& state) {
  const Snapshot& snap = TreeRows();
  std::string path = ScratchDir() + "/job-raw.db";
  for (auto _ : state)
    state.SetIterationTime(RawWrite(path, snap, kThroughputIterations / kIterationsPerIncrement));
  state.SetItemsProcessed(state.iterations() * snap.records);
  state.counters["rows"] = static_cast<double>(snap.rows);
}
BENCHMARK(BM_RawWrite)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ReadLastIncrement(benchmark::State& state) {
  if (access(BigFile().c_str(), R_OK) != 0) {
    state.SkipWithError("run BM_StreamMemory/1000000 first: it writes the file");
    return;
  }
  for (auto _ : state) {
    rfm_FileHandle file = rfm_File::Open(BigFile(), rfm_Access::Read, true, ZunBasStringMode::UTF8);
    rom_Transporter transporter(nullptr, file, "D0", -1);
    int rows = transporter.GetTableSize(dia_DiagnosticData::TypeId());
    rom_MementoRead memento(transporter, dia_DiagnosticData::TypeId(), rows - 1, cls_Uid());
    dia_DiagnosticData job{cls_ReadVisitor(memento)};
    const dia_Step& step = job.ConstGetStepByIndex(job.GetNumberOfSteps() - 1);
    const dia_Increment& last = step.ConstGetIncrementByIndex(step.GetNumberOfIncrements() - 1);
    benchmark::DoNotOptimize(last.GetIncrementSize());
    benchmark::DoNotOptimize(last.GetIncrementNumber());
  }
}
BENCHMARK(BM_ReadLastIncrement)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (KeptDir()) return 0;
  return std::system(("rm -rf '" + ScratchDir() + "'").c_str()) == 0 ? 0 : 1;
}
