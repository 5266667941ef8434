// A job's diagnostics through the open-file registry, as an analysis writes them and a reader
// takes them back, each against plain SQLite measured in the same run:
//
// - BM_RootWrite vs BM_RawWrite: ddr_Root::CreateDdb, a job of 100K iterations streamed into
//   the database (ten iterations of three residuals per increment, each increment flushed and
//   released), SaveDdb and CloseDdb, in a forked child; against the same rows (copied from the
//   file the root wrote) put with prepared inserts, one commit per increment.
// - BM_RootOpenReadLast vs BM_RawReadLast: a fresh forked process opens the file with OpenDdb and
//   reads the last step's last increment; against a plain SQLite open and a select of the
//   newest increment row.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchJob.h"
#include "RawReplay.h"
#include "ddb/database/ddr_Root.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"

namespace {

using ddb_bench::kIterationsPerIncrement;
using ddb_bench::MakeIncrement;
using ddb_bench::PeakRssKb;
using ddb_bench::RawWrite;
using ddb_bench::ReadSnapshot;
using ddb_bench::Snapshot;
using ddb_bench::Table;

constexpr int kSteps = 10;
constexpr long kIterations = 100000;
constexpr long kIncrements = kIterations / kIterationsPerIncrement;
const ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

const std::string& ScratchDir() {
  static const std::string dir = [] {
    char tmpl[] = "/tmp/ddb-root-bench-XXXXXX";
    return std::string(mkdtemp(tmpl));
  }();
  return dir;
}

std::string RootFile() {
  return ScratchDir() + "/job.ddb";
}

// Create, stream, save and close through the root; seconds taken.
double WriteThroughRoot(const std::string& path) {
  std::remove(path.c_str());
  auto start = Clock::now();
  ddr_Root& root = ddr_Root::Instance();
  cow_String name = root.CreateDdb(path, "bench", kUtf8);
  root.SaveDdb(name, true, kUtf8);
  dia_DiagnosticData& job = root.Get(name, kUtf8).GetDiagnosticData();
  const int perStep = static_cast<int>(kIncrements / kSteps);
  for (int s = 0; s < kSteps; ++s) {
    job.AddStep(dia_Step(s + 1, "Step-" + std::to_string(s + 1), 1, false, false));
    job.FlushSteps();
    dia_Step& step = job.GetStepByIndex(s);
    for (int i = 0; i < perStep; ++i) {
      step.AddIncrement(MakeIncrement(i + 1, 1.0 / perStep));
      job.UpdateJobHistoryDescription(1, kIterationsPerIncrement, 0, false, false, false,
                                      {i + 1, 1, kIterationsPerIncrement});
      step.FlushIncrements();
      step.ReleaseIncrement(i);
    }
    job.FlushSteps();
    job.ReleaseStep(s);
  }
  job.SetJobStatus(1);
  job.FlushJobHistoryDescription();
  root.SaveDdb(name, true, kUtf8);
  root.CloseDdb(name, kUtf8);
  return Since(start);
}

// Open with the root and read the last increment; seconds taken.
double OpenThroughRoot(const std::string& path) {
  auto start = Clock::now();
  ddr_Root& root = ddr_Root::Instance();
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Read, true, kUtf8);
  cow_String name = root.OpenDdb(file, "", kUtf8);
  const dia_DiagnosticData& job = root.ConstGet(name, kUtf8).ConstGetDiagnosticData();
  const dia_Step& step = job.ConstGetStepByIndex(job.GetNumberOfSteps() - 1);
  const dia_Increment& last = step.ConstGetIncrementByIndex(step.GetNumberOfIncrements() - 1);
  benchmark::DoNotOptimize(last.GetIncrementSize());
  if (last.GetIncrementNumber() != kIncrements / kSteps) return -1;
  double seconds = Since(start);
  root.CloseDdb(name, kUtf8);
  return seconds;
}

// Runs `body` in a forked child and hands back the seconds it reports (-1 on failure).
double InChild(const std::function<double()>& body) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  std::fflush(nullptr);
  pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    double seconds = -1;
    try {
      seconds = body();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
    }
    ssize_t n = write(fds[1], &seconds, sizeof seconds);
    _exit(n == sizeof seconds ? 0 : 1);
  }
  close(fds[1]);
  double seconds = -1;
  if (read(fds[0], &seconds, sizeof seconds) != sizeof seconds) seconds = -1;
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds : -1;
}

void Timed(benchmark::State& state, const std::function<double()>& body) {
  for (auto _ : state) {
    double seconds = body();
    if (seconds < 0) {
      state.SkipWithError("the measured process failed");
      return;
    }
    state.SetIterationTime(seconds);
  }
}

void BM_RootWrite(benchmark::State& state) {
  Timed(state, [] { return InChild([] { return WriteThroughRoot(RootFile()); }); });
  state.counters["iterations_per_s"] = benchmark::Counter(
      static_cast<double>(kIterations * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RootWrite)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The schema and every data row of the file the root wrote.
const Snapshot& RootRows() {
  static const Snapshot snapshot = [] {
    if (access(RootFile().c_str(), R_OK) != 0 &&
        InChild([] { return WriteThroughRoot(RootFile()); }) < 0)
      std::abort();
    return ReadSnapshot(RootFile());
  }();
  return snapshot;
}

void BM_RawWrite(benchmark::State& state) {
  const Snapshot& snap = RootRows();
  long rows = 0;
  for (const Table& t : snap.tables) rows += t.Rows();
  Timed(state, [&] { return RawWrite(ScratchDir() + "/raw.db", snap, kIncrements); });
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_RawWrite)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RootOpenReadLast(benchmark::State& state) {
  RootRows();
  Timed(state, [] { return InChild([] { return OpenThroughRoot(RootFile()); }); });
}
BENCHMARK(BM_RootOpenReadLast)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

double RawReadLast(const std::string& path) {
  auto start = Clock::now();
  sqlite3* db = nullptr;
  sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, "SELECT * FROM \"dia_Increment\" ORDER BY OID DESC LIMIT 1", -1, &s,
                     nullptr);
  bool found = sqlite3_step(s) == SQLITE_ROW;
  if (found) benchmark::DoNotOptimize(sqlite3_column_int64(s, 0));
  sqlite3_finalize(s);
  sqlite3_close(db);
  return found ? Since(start) : -1;
}

void BM_RawReadLast(benchmark::State& state) {
  RootRows();
  Timed(state, [] { return InChild([] { return RawReadLast(RootFile()); }); });
}
BENCHMARK(BM_RawReadLast)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return std::system(("rm -rf '" + ScratchDir() + "'").c_str()) == 0 ? 0 : 1;
}
