// Streaming a job's diagnostics through the record tree into a ddb file, as a solver does:
// one attempt of ten iterations per increment, three residuals per iteration, each increment
// flushed and released when it completes. The Time column is wall time; "cpu_ms" is the CPU
// of the measured region on every benchmark (Google Benchmark's CPU column as well where the
// work runs in this process).
//
// - BM_StreamMemory/<iterations>: peak RSS (VmHWM) of a job of 10K and of 1M iterations, each in
//   a fresh process (a new copy of this program, FreshProcess.h) so neither inherits the
//   other's or an earlier benchmark's pages; the 1M case reports its excess over the 10K one.
// - BM_TreeWrite vs BM_RawWrite: records per second through the tree, and the same rows
//   (copied from a file the tree wrote) put with plain prepared SQLite inserts, one commit per
//   increment as the tree does; both in this process, both timing the storing of records that
//   exist (the tree's increments are built before its measured region). BM_RawPlainWrite: the
//   record rows alone, committed every 42 records (an increment's records), as a plain raw
//   writer would.
//   "records_per_cpu_s" compares them without the disk's share of the wall time. The replay
//   uses the tree file's page size, the plain writer SQLite's default. Both open their files
//   through SQLite's default VFS, as a plain program would; the library's own hands each
//   commit's log frames to the system in one write (src/platform/persist/BatchedLog.h).
//   "wal_KB_per_commit" is the write-ahead log each commit appends (WalMeter), "load1" the
//   machine's load average.
// - BM_TreeWriteSplit: one traced tree write, its wall time split into record building, SQLite
//   statements by kind, WAL checkpoints and the rest (the tree and the framework).
// - BM_ReadLastIncrement vs BM_RawReadLast_LowerBound: reopen the 10K and the 1M file and read
//   the last step's last increment (medians of three runs with min and max); against a plain
//   open and select of the newest increment row, which is a floor under the library's work,
//   not the same work (see RawReadNewestIncrementRow).
//
// Instruction counts of the two write sides, which do not depend on the machine's load, each
// of the measured region alone:
//   valgrind --tool=callgrind --toggle-collect='*StreamJob*' (then the program and)
//       --ddb-bench-child=stream F 4000 built
//   valgrind --tool=callgrind --toggle-collect='*RawWrite*' (then the program and)
//       --ddb-bench-child=replay F R 400
//   valgrind --tool=callgrind --toggle-collect='*RawWrite*' (then the program and)
//       --ddb-bench-child=plain F P
// (the replay reads the rows of F, the stream's file, before the inserts it is counted for).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "BenchJob.h"
#include "FreshProcess.h"
#include "RawReplay.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"
#include "ddb/platform/rom_Transporter.h"
#include "platform/persist/rfm_FileEngine.h"

namespace {

using ddb_bench::ChildCpu;
using ddb_bench::ChildRun;
using ddb_bench::CpuSeconds;
using ddb_bench::kIterationsPerIncrement;
using ddb_bench::MakeIncrement;
using ddb_bench::Meter;
using ddb_bench::RawWrite;
using ddb_bench::ReadSnapshot;
using ddb_bench::RunFresh;
using ddb_bench::Snapshot;
using ddb_bench::WallSeconds;

constexpr int kSteps = 10;
constexpr long kThroughputIterations = 20000;

// DDB_BENCH_DIR names a directory to keep the files in; otherwise a scratch directory is made
// and removed at the end.
const char* KeptDir() {
  return std::getenv("DDB_BENCH_DIR");
}

const std::string& ScratchDir() {
  static const std::string dir = [] {
    if (KeptDir()) return std::string(KeptDir());
    return ddb_bench::MakeScratchDir("bench");
  }();
  return dir;
}

std::string BigFile() {
  return ScratchDir() + "/job-1M.ddb";
}

// Where a stream spends its wall time: building records in memory, SQLite statements by kind
// (the statement's first word; SELECTs are the lists' stored-count queries), and WAL
// checkpoints. SQLite runs the automatic checkpoint after a COMMIT's profile is taken, so it
// would otherwise fall into the rest; here the commit hook runs it itself, timed, at the same
// WAL size as the automatic one would, and counts the WAL frames each commit appends.
struct Split {
  double buildSeconds = 0;
  std::map<std::string, std::pair<long, double>> statements;  // kind -> (count, seconds)
  int autoCheckpointFrames = 0;
  long commits = 0, walFrames = 0, checkpoints = 0;
  int lastFrames = 0;
  double checkpointSeconds = 0;
};

int OnStatementDone(unsigned, void* context, void* stmt, void* nanoseconds) {
  std::string sql = sqlite3_sql(static_cast<sqlite3_stmt*>(stmt));
  auto& entry = static_cast<Split*>(context)->statements[sql.substr(0, sql.find(' '))];
  entry.first += 1;
  entry.second += *static_cast<sqlite3_int64*>(nanoseconds) * 1e-9;
  return 0;
}

int OnWalCommit(void* context, sqlite3* db, const char* schema, int frames) {
  Split& split = *static_cast<Split*>(context);
  split.commits += 1;
  split.walFrames += frames > split.lastFrames ? frames - split.lastFrames : frames;
  split.lastFrames = frames;
  if (split.autoCheckpointFrames > 0 && frames >= split.autoCheckpointFrames) {
    double start = WallSeconds();
    sqlite3_wal_checkpoint(db, schema);
    split.checkpointSeconds += WallSeconds() - start;
    split.checkpoints += 1;
  }
  return SQLITE_OK;
}

int PragmaInt(sqlite3* db, const char* sql) {
  sqlite3_stmt* s = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &s, nullptr);
  int value = sqlite3_step(s) == SQLITE_ROW ? sqlite3_column_int(s, 0) : 0;
  sqlite3_finalize(s);
  return value;
}

void Trace(sqlite3* db, Split* split) {
  sqlite3_trace_v2(db, SQLITE_TRACE_PROFILE, &OnStatementDone, split);
  split->autoCheckpointFrames = PragmaInt(db, "PRAGMA wal_autocheckpoint");
  sqlite3_wal_hook(db, &OnWalCommit, split);
}

int IncrementsPerStep(long iterations) {
  return static_cast<int>(iterations / kIterationsPerIncrement / kSteps);
}

// The increments of a job of `iterations`, step after step, as StreamJob builds them.
std::vector<dia_Increment> BuildIncrements(long iterations) {
  const int perStep = IncrementsPerStep(iterations);
  std::vector<dia_Increment> increments;
  increments.reserve(static_cast<std::size_t>(perStep) * kSteps);
  for (int s = 0; s < kSteps; ++s)
    for (int i = 0; i < perStep; ++i) increments.push_back(MakeIncrement(i + 1, 1.0 / perStep));
  return increments;
}

// Streams a job of `iterations` into a new file at `path`; seconds taken. The increments are
// taken from `built` (BuildIncrements) when given, else built as the job goes.
double StreamJob(const std::string& path, long iterations, Split* split = nullptr,
                 int* pageSize = nullptr, ddb_bench::WalMeter* wal = nullptr,
                 const std::vector<dia_Increment>* built = nullptr) {
  auto start = WallSeconds();
  const int perStep = IncrementsPerStep(iterations);
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Create, true, ZunBasStringMode::UTF8);
  rom_Transporter transporter(nullptr, file, "D0", "bench", 1, -1);
  // Traced once the new file is in place: publishing it opens a new connection.
  if (split) Trace(rfm_Connection(*file), split);
  if (wal) wal->Attach(rfm_Connection(*file));
  dia_DiagnosticData job;
  auto save = [&](int row) {
    rom_MementoWrite memento(transporter, dia_DiagnosticData::TypeId(), row);
    cls_WriteVisitor writer(memento);
    job.DBWrite(writer);
    writer.StoreRow();
  };
  save(-1);
  for (int s = 0; s < kSteps; ++s) {
    job.AddStep(dia_Step(s + 1, "Step-" + std::to_string(s + 1), 1, false, false));
    job.FlushSteps();
    dia_Step& step = job.GetStepByIndex(s);
    for (int i = 0; i < perStep; ++i) {
      if (built) {
        step.AddIncrement((*built)[static_cast<std::size_t>(s) * perStep + i]);
      } else {
        double building = WallSeconds();
        dia_Increment increment = MakeIncrement(i + 1, 1.0 / perStep);
        if (split) split->buildSeconds += WallSeconds() - building;
        step.AddIncrement(increment);
      }
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
  if (pageSize) *pageSize = PragmaInt(rfm_Connection(*file), "PRAGMA page_size");
  if (wal) wal->Take(rfm_Connection(*file));
  return WallSeconds() - start;
}

// Child task: stream a job. Arguments: the path, the number of iterations and optionally
// "built": the increments are built before the measured region, as BM_TreeWrite does.
void StreamTask(const std::vector<std::string>& args, Meter& meter) {
  const long iterations = std::stol(args.at(1));
  if (args.size() < 3 || args[2] != "built") {
    StreamJob(args.at(0), iterations);
    return;
  }
  std::vector<dia_Increment> built = BuildIncrements(iterations);
  meter.Start();
  StreamJob(args.at(0), iterations, nullptr, nullptr, nullptr, &built);
  meter.Stop();
}

// Child task: the raw replay of a file the tree wrote. Arguments: that file, the path to write
// and the number of commits. For instruction counts of the two sides under the same tools; the
// snapshot is read before the measured region.
void ReplayTask(const std::vector<std::string>& args, Meter& meter) {
  const Snapshot snap = ReadSnapshot(args.at(0));
  meter.Start();
  RawWrite(args.at(1), snap, std::stol(args.at(2)), snap.pageSize);
  meter.Stop();
}

// Child task: the plain raw writer of BM_RawPlainWrite over the records of a file the tree wrote.
// Arguments: that file and the path to write.
void PlainTask(const std::vector<std::string>& args, Meter& meter) {
  const Snapshot records = ddb_bench::RecordsOnly(ReadSnapshot(args.at(0)));
  meter.Start();
  RawWrite(args.at(1), records, records.records / ddb_bench::kRecordsPerIncrement, 0);
  meter.Stop();
}

ChildRun StreamFresh(const std::string& path, long iterations) {
  return RunFresh("stream", {path, std::to_string(iterations)});
}

long& SmallPeakKb() {
  static long kb = 0;
  return kb;
}

constexpr long kSmallIterations = 10000;

// The file BM_StreamMemory wrote for a job of that many iterations.
std::string StreamedFile(long iterations) {
  return iterations > kSmallIterations ? BigFile() : ScratchDir() + "/job-small.ddb";
}

void BM_StreamMemory(benchmark::State& state) {
  const long iterations = state.range(0);
  const bool big = iterations > kSmallIterations;
  std::string path = StreamedFile(iterations);
  ChildRun run;
  ChildCpu cpu;
  for (auto _ : state) {
    run = StreamFresh(path, iterations);
    if (!run.ok) {
      state.SkipWithError("the writer process failed");
      return;
    }
    state.SetIterationTime(run.wallSeconds);
    cpu.Add(run);
  }
  cpu.Report(state);
  if (!big) SmallPeakKb() = run.peakRssKb;
  if (big && SmallPeakKb() == 0)
    SmallPeakKb() = StreamFresh(ScratchDir() + "/job-small.ddb", kSmallIterations).peakRssKb;
  state.counters["peak_rss_MB"] = run.peakRssKb / 1024.0;
  state.counters["start_rss_MB"] = run.startRssKb / 1024.0;
  state.counters["iterations_per_s"] = iterations / run.wallSeconds;
  if (big && SmallPeakKb() > 0)
    state.counters["over_10K_MB"] = (run.peakRssKb - SmallPeakKb()) / 1024.0;
}
BENCHMARK(BM_StreamMemory)
    ->Arg(kSmallIterations)
    ->Arg(1000000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

// The schema and every data row of a file the tree wrote.
const Snapshot& TreeRows() {
  static const Snapshot snapshot = [] {
    std::string path = ScratchDir() + "/job-rows.ddb";
    if (!StreamFresh(path, kThroughputIterations).ok) std::abort();
    return ReadSnapshot(path);
  }();
  return snapshot;
}

// CPU per iteration, and records per CPU second (the machine's disk does not enter it).
void ReportCpu(benchmark::State& state, double cpuSeconds, long records = 0) {
  state.counters["cpu_ms"] =
      benchmark::Counter(cpuSeconds * 1e3, benchmark::Counter::kAvgIterations);
  if (records > 0 && cpuSeconds > 0)
    state.counters["records_per_cpu_s"] = records * state.iterations() / cpuSeconds;
}

// Items are records; "rows" counts every stored row, the collections' runs and arrays included.
// The records are built before the measured region and freed after it, as the raw writers'
// rows are read before theirs: both sides time storing records that exist.
void BM_TreeWrite(benchmark::State& state) {
  const Snapshot& snap = TreeRows();
  std::string path = ScratchDir() + "/job-tree.ddb";
  double cpu = 0;
  ddb_bench::WalMeter wal;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<dia_Increment> built = BuildIncrements(kThroughputIterations);
    state.ResumeTiming();
    double before = CpuSeconds();
    state.SetIterationTime(StreamJob(path, kThroughputIterations, nullptr, nullptr, &wal, &built));
    cpu += CpuSeconds() - before;
    state.PauseTiming();
    built.clear();
    state.ResumeTiming();
  }
  ReportCpu(state, cpu, snap.records);
  wal.Report(state);
  ddb_bench::ReportLoad(state);
  state.SetItemsProcessed(state.iterations() * snap.records);
  state.counters["rows"] = static_cast<double>(snap.rows);
}
BENCHMARK(BM_TreeWrite)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One traced tree write: counters in ms (and counts) of record building, of each statement kind
// and of the WAL checkpoints; "rest_ms" is the wall time in the tree and the framework outside
// SQLite; "wal_KB_per_commit" the WAL each commit appends (pages and frame headers).
void BM_TreeWriteSplit(benchmark::State& state) {
  Split split;
  double seconds = 0, cpu = 0;
  int pageSize = 0;
  for (auto _ : state) {
    double before = CpuSeconds();
    seconds = StreamJob(ScratchDir() + "/job-split.ddb", kThroughputIterations, &split, &pageSize);
    cpu += CpuSeconds() - before;
  }
  ReportCpu(state, cpu);
  double sql = 0;
  for (const auto& [kind, figures] : split.statements) {
    state.counters[kind + "_ms"] = figures.second * 1e3;
    state.counters[kind + "_n"] = static_cast<double>(figures.first);
    sql += figures.second;
  }
  state.counters["checkpoint_ms"] = split.checkpointSeconds * 1e3;
  state.counters["checkpoint_n"] = static_cast<double>(split.checkpoints);
  if (split.commits > 0)
    state.counters["wal_KB_per_commit"] =
        split.walFrames * (pageSize + 24.0) / 1024.0 / static_cast<double>(split.commits);
  state.counters["build_ms"] = split.buildSeconds * 1e3;
  state.counters["rest_ms"] = (seconds - sql - split.checkpointSeconds - split.buildSeconds) * 1e3;
}
BENCHMARK(BM_TreeWriteSplit)->Iterations(1)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_RawWrite(benchmark::State& state) {
  const Snapshot& snap = TreeRows();
  std::string path = ScratchDir() + "/job-raw.db";
  double cpu = 0;
  ddb_bench::WalMeter wal;
  for (auto _ : state) {
    double before = CpuSeconds();
    state.SetIterationTime(
        RawWrite(path, snap, kThroughputIterations / kIterationsPerIncrement, snap.pageSize, &wal));
    cpu += CpuSeconds() - before;
  }
  ReportCpu(state, cpu, snap.records);
  wal.Report(state);
  ddb_bench::ReportLoad(state);
  state.SetItemsProcessed(state.iterations() * snap.records);
  state.counters["rows"] = static_cast<double>(snap.rows);
}
BENCHMARK(BM_RawWrite)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A plain raw writer: the record rows alone (no lists or arrays) put with prepared inserts,
// one commit per increment's worth of records (ddb_bench::kRecordsPerIncrement).
void BM_RawPlainWrite(benchmark::State& state) {
  const Snapshot records = ddb_bench::RecordsOnly(TreeRows());
  std::string path = ScratchDir() + "/job-plain.db";
  double cpu = 0;
  ddb_bench::WalMeter wal;
  for (auto _ : state) {
    double before = CpuSeconds();
    state.SetIterationTime(
        RawWrite(path, records, records.records / ddb_bench::kRecordsPerIncrement, 0, &wal));
    cpu += CpuSeconds() - before;
  }
  ReportCpu(state, cpu, records.records);
  wal.Report(state);
  ddb_bench::ReportLoad(state);
  state.SetItemsProcessed(state.iterations() * records.records);
}
BENCHMARK(BM_RawPlainWrite)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

bool HaveFile(benchmark::State& state, const std::string& path) {
  if (access(path.c_str(), R_OK) == 0) return true;
  state.SkipWithError("run BM_StreamMemory first: it writes the files");
  return false;
}

bool HaveBigFile(benchmark::State& state) {
  return HaveFile(state, BigFile());
}

// Reopens the file of a job of 10K or 1M iterations and reads its last increment: the time
// should not grow with the job.
void BM_ReadLastIncrement(benchmark::State& state) {
  const std::string path = StreamedFile(state.range(0));
  if (!HaveFile(state, path)) return;
  for (auto _ : state) {
    rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Read, true, ZunBasStringMode::UTF8);
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
BENCHMARK(BM_ReadLastIncrement)
    ->Arg(kSmallIterations)
    ->Arg(1000000)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ComputeStatistics("min", ddb_bench::Min)
    ->ComputeStatistics("max", ddb_bench::Max)
    ->DisplayAggregatesOnly(true);

// A floor under BM_ReadLastIncrement, not the same work (see RawReadNewestIncrementRow).
void BM_RawReadLast_LowerBound(benchmark::State& state) {
  if (!HaveBigFile(state)) return;
  for (auto _ : state)
    if (!ddb_bench::RawReadNewestIncrementRow(BigFile())) {
      state.SkipWithError("no increment row");
      return;
    }
}
BENCHMARK(BM_RawReadLast_LowerBound)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  return ddb_bench::BenchMain(
      argc, argv, {{"stream", &StreamTask}, {"replay", &ReplayTask}, {"plain", &PlainTask}},
      &ScratchDir, KeptDir() != nullptr);
}
