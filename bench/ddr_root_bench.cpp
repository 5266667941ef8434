// A job's diagnostics through the open-file registry, as an analysis writes them and a reader
// takes them back, each against plain SQLite measured in the same run. The library's side runs
// in a fresh process per iteration (FreshProcess.h), so each starts from a clean registry and
// page cache state of its own; "cpu_ms" is the CPU of the measured region on both sides, the
// Time column its wall time.
//
// - BM_RootWrite vs BM_RawWrite: ddr_Root::CreateDdb, a job of 100K iterations streamed into
//   the database (ten iterations of three residuals per increment, each increment flushed and
//   released), SaveDdb and CloseDdb; against the same rows (copied from the file the root
//   wrote) put with prepared inserts, one commit per increment, in this process.
// - BM_RootOpenReadLast vs BM_RawReadLast_LowerBound: a fresh process opens the file with
//   OpenDdb and reads the last step's last increment; against a plain SQLite open and a select
//   of the newest increment row, also in a fresh process. The raw side does much less than the
//   library must (see RawReadNewestIncrementRow): it is a floor, not a like-for-like baseline.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchJob.h"
#include "FreshProcess.h"
#include "RawReplay.h"
#include "ddb/database/ddr_Root.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"

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
using ddb_bench::Table;

constexpr int kSteps = 10;
constexpr long kIterations = 100000;
constexpr long kIncrements = kIterations / kIterationsPerIncrement;
const ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

const std::string& ScratchDir() {
  static const std::string dir = ddb_bench::MakeScratchDir("root-bench");
  return dir;
}

std::string RootFile() {
  return ScratchDir() + "/job.ddb";
}

// Child task: create, stream, save and close through the root. Argument: the path.
void WriteThroughRoot(const std::vector<std::string>& args, Meter&) {
  const std::string& path = args.at(0);
  std::remove(path.c_str());
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
}

// Child task: open with the root and read the last increment; closing is not measured.
void OpenThroughRoot(const std::vector<std::string>& args, Meter& meter) {
  ddr_Root& root = ddr_Root::Instance();
  rfm_FileHandle file = rfm_File::Open(args.at(0), rfm_Access::Read, true, kUtf8);
  cow_String name = root.OpenDdb(file, "", kUtf8);
  const dia_DiagnosticData& job = root.ConstGet(name, kUtf8).ConstGetDiagnosticData();
  const dia_Step& step = job.ConstGetStepByIndex(job.GetNumberOfSteps() - 1);
  const dia_Increment& last = step.ConstGetIncrementByIndex(step.GetNumberOfIncrements() - 1);
  benchmark::DoNotOptimize(last.GetIncrementSize());
  if (last.GetIncrementNumber() != kIncrements / kSteps)
    throw std::runtime_error("wrong increment");
  meter.Stop();
  root.CloseDdb(name, kUtf8);
}

// How a walk reads: every statement in a read transaction of its own (as releases before read
// snapshots did), each record loaded in a snapshot of its own (the library's default), or the
// whole walk in one snapshot the reader holds.
enum WalkMode { kPerStatement, kPerRecord, kOneSnapshot };

// Child task: open with the root and walk the whole job lazily through the const records, down
// to every residual, releasing each record once passed. Arguments: the path and the WalkMode.
void WalkThroughRoot(const std::vector<std::string>& args, Meter& meter) {
  const auto walkMode = static_cast<WalkMode>(std::stoi(args.at(1)));
  rfm_File::UseSnapshots(walkMode != kPerStatement);
  ddr_Root& root = ddr_Root::Instance();
  rfm_FileHandle file = rfm_File::Open(args.at(0), rfm_Access::Read, true, kUtf8);
  rfm_ReadSnapshot snapshot(walkMode == kOneSnapshot ? file : nullptr);
  cow_String name = root.OpenDdb(file, "", kUtf8);
  const dia_DiagnosticData& job = root.ConstGet(name, kUtf8).ConstGetDiagnosticData();
  long iterations = 0;
  double sum = 0;
  for (int s = 0; s < job.GetNumberOfSteps(); ++s) {
    const dia_Step& step = job.ConstGetStepByIndex(s);
    for (int i = 0; i < step.GetNumberOfIncrements(); ++i) {
      const dia_Increment& increment = step.ConstGetIncrementByIndex(i);
      for (int a = 0; a < increment.GetNumberOfAttempts(); ++a) {
        const dia_Attempt& attempt = increment.ConstGetAttemptByIndex(a);
        for (int k = 0; k < attempt.GetNumberOfIterations(); ++k, ++iterations) {
          const dia_Iteration& iteration = attempt.ConstGetIterationByIndex(k);
          for (int r = 0; r < iteration.GetNumberOfResiduals(); ++r)
            sum += iteration.ConstGetResidualByIndex(r).GetMaxResidual();
          attempt.ReleaseIteration(k);
        }
        increment.ReleaseAttempt(a);
      }
      step.ReleaseIncrement(i);
    }
    job.ReleaseStep(s);
  }
  snapshot.End();
  benchmark::DoNotOptimize(sum);
  if (iterations != kIterations) throw std::runtime_error("the walk missed iterations");
  meter.Stop();
  root.CloseDdb(name, kUtf8);
}

// Child task: the raw lower bound of OpenThroughRoot.
void RawReadLast(const std::vector<std::string>& args, Meter&) {
  if (!ddb_bench::RawReadNewestIncrementRow(args.at(0))) throw std::runtime_error("no increment");
}

// Runs `task` on the root's file in a fresh process per iteration.
void InFreshProcesses(benchmark::State& state, const char* task) {
  ChildCpu cpu;
  for (auto _ : state) {
    ChildRun run = RunFresh(task, {RootFile()});
    if (!run.ok) {
      state.SkipWithError("the measured process failed");
      return;
    }
    state.SetIterationTime(run.wallSeconds);
    cpu.Add(run);
  }
  cpu.Report(state);
}

void BM_RootWrite(benchmark::State& state) {
  InFreshProcesses(state, "root-write");
  state.counters["iterations_per_s"] = benchmark::Counter(
      static_cast<double>(kIterations * state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RootWrite)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The schema and every data row of the file the root wrote.
const Snapshot& RootRows() {
  static const Snapshot snapshot = [] {
    if (access(RootFile().c_str(), R_OK) != 0 && !RunFresh("root-write", {RootFile()}).ok)
      std::abort();
    return ReadSnapshot(RootFile());
  }();
  return snapshot;
}

void BM_RawWrite(benchmark::State& state) {
  const Snapshot& snap = RootRows();
  double cpu = 0;
  for (auto _ : state) {
    double before = CpuSeconds();
    state.SetIterationTime(RawWrite(ScratchDir() + "/raw.db", snap, kIncrements, snap.pageSize));
    cpu += CpuSeconds() - before;
  }
  state.counters["cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
  state.counters["rows"] = static_cast<double>(snap.rows);
}
BENCHMARK(BM_RawWrite)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RootOpenReadLast(benchmark::State& state) {
  RootRows();
  InFreshProcesses(state, "root-open-read-last");
}
BENCHMARK(BM_RootOpenReadLast)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

// A full lazy walk of the 100K-iteration job in a fresh process: the argument is the WalkMode
// (0 is the baseline, every statement its own read transaction). Medians of three runs with
// min and max; "peak_rss_MB" is the process's peak resident set.
void BM_RootWalk(benchmark::State& state) {
  RootRows();
  ChildCpu cpu;
  ChildRun run;
  for (auto _ : state) {
    run = RunFresh("root-walk", {RootFile(), std::to_string(state.range(0))});
    if (!run.ok) {
      state.SkipWithError("the walking process failed");
      return;
    }
    state.SetIterationTime(run.wallSeconds);
    cpu.Add(run);
  }
  cpu.Report(state);
  state.counters["peak_rss_MB"] = run.peakRssKb / 1024.0;
}
BENCHMARK(BM_RootWalk)
    ->ArgName("mode")
    ->DenseRange(kPerStatement, kOneSnapshot)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->ComputeStatistics("min", ddb_bench::Min)
    ->ComputeStatistics("max", ddb_bench::Max)
    ->DisplayAggregatesOnly(true);

// A floor under BM_RootOpenReadLast, not the same work (see RawReadNewestIncrementRow).
void BM_RawReadLast_LowerBound(benchmark::State& state) {
  RootRows();
  InFreshProcesses(state, "raw-read-last");
}
BENCHMARK(BM_RawReadLast_LowerBound)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  return ddb_bench::BenchMain(argc, argv,
                              {{"root-write", &WriteThroughRoot},
                               {"root-open-read-last", &OpenThroughRoot},
                               {"root-walk", &WalkThroughRoot},
                               {"raw-read-last", &RawReadLast}},
                              &ScratchDir);
}
