// Persistence framework throughput, lazy open and streaming memory, each against a baseline
// measured in the same run. The Time column is wall time, the CPU column CPU time; benchmarks
// whose work runs in a fresh process report that process's CPU as counters instead.
//   BM_ListFlush_Framework vs BM_RawInsert  - 20-field records written through a list and flushes
//                                            against plain prepared SQLite inserts of the same
//                                            rows;
//   BM_OpenCountLoadLast/N                  - open a file, count a stored list of N, load the last;
//     vs BM_RawOpenLoadLast_LowerBound/N      against a plain open and select of the newest row
//                                            (a floor, not the same work);
//   BM_StreamPeakRss/N                      - peak RSS of a fresh process (a new copy of this
//                                            program, FreshProcess.h) streaming N elements with
//                                            append, flush and release every 1000, and its
//                                            growth over the peak before streaming.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "BenchJob.h"
#include "FreshProcess.h"
#include "ddb/frame/cls_ListObj.h"
#include "ddb/platform/rom_Transporter.h"

namespace {

constexpr std::uint32_t kRowId = 0x7e0001, kHolderId = 0x7e0002;

struct Row20 : mem_AllocationOperators {
  int ints[8] = {};
  double reals[8] = {};
  cow_String texts[4];
  cls_Uid uid = cls_Uid::AllocateUid();

  explicit Row20(int i) {
    for (int k = 0; k < 8; ++k) ints[k] = i + k, reals[k] = i * 0.5 + k;
    texts[0] = "DISPLACEMENT_FIELD";
    texts[1] = "RESIDUAL_ACCEPTED";
    texts[2] = "CORRECTION_ACCEPTED";
    texts[3] = "PART-1-1";
  }
  explicit Row20(const cls_ReadVisitor& r) : uid(r.GetUid()) {
    for (int k = 0; k < 8; ++k) ints[k] = r.ReadInt({Name('i', k), k}, 0);
    for (int k = 0; k < 8; ++k) reals[k] = r.ReadDouble({Name('d', k), 8 + k}, 0);
    for (int k = 0; k < 4; ++k) texts[k] = r.ReadString({Name('s', k), 16 + k}, "");
  }
  static const char* Name(char kind, int k) {
    static const char* names[3][8] = {
        {"m_i0", "m_i1", "m_i2", "m_i3", "m_i4", "m_i5", "m_i6", "m_i7"},
        {"m_d0", "m_d1", "m_d2", "m_d3", "m_d4", "m_d5", "m_d6", "m_d7"},
        {"m_s0", "m_s1", "m_s2", "m_s3"}};
    return names[kind == 'i' ? 0 : kind == 'd' ? 1 : 2][k];
  }
  static std::uint32_t TypeId() { return kRowId; }
  static void* Ctor(cls_ReadVisitor& r) { return new Row20(r); }
  static void Declare(cls_ClassRegistrar& reg) {
    cls_ClassMetadata& md = reg.CreateClassMD("bench_Row20", kRowId, 1, &Ctor, 1);
    for (int k = 0; k < 8; ++k) md.AddAttribute({Name('i', k), k}, cls_AttrInt, 1, 0);
    for (int k = 0; k < 8; ++k) md.AddAttribute({Name('d', k), 8 + k}, cls_AttrDouble, 1, 0);
    for (int k = 0; k < 4; ++k) md.AddAttribute({Name('s', k), 16 + k}, cls_AttrString, 1, 0);
  }
  void DBWrite(const cls_WriteVisitor& w) const {
    if (!w.StartWrite(kRowId, uid)) return;
    rom_MementoWrite& m = w.Memento();
    for (int k = 0; k < 8; ++k) m.WriteInt({Name('i', k), k}, ints[k]);
    for (int k = 0; k < 8; ++k) m.WriteDouble({Name('d', k), 8 + k}, reals[k]);
    for (int k = 0; k < 4; ++k) m.WriteString({Name('s', k), 16 + k}, texts[k]);
  }
};

struct Holder : mem_AllocationOperators {
  cls_ListObj<Row20> rows;
  cls_Uid uid = cls_Uid::AllocateUid();
  Holder() = default;
  explicit Holder(const cls_ReadVisitor& r)
      : rows(cls_ReadVisitor(r, {"rows", 0})), uid(r.GetUid()) {}
  static void* Ctor(cls_ReadVisitor& r) { return new Holder(r); }
  static void Declare(cls_ClassRegistrar& reg) {
    reg.CreateClassMD("bench_Holder", kHolderId, 1, &Ctor, 1)
        .AddAttribute({"rows", 0}, cls_AttrObject, cls_ObjListTypeId, cls_CollList);
  }
  void DBWrite(const cls_WriteVisitor& w) const {
    if (!w.StartWrite(kHolderId, uid)) return;
    w.WriteMember({"rows", 0}, rows);
  }
};

void Register() {
  static bool done = [] {
    cls_MetadataRegistrar::Instance().initClassMetadata(&Row20::Declare, 4);
    cls_MetadataRegistrar::Instance().initClassMetadata(&Holder::Declare, 4);
    return true;
  }();
  (void)done;
}

// Files live in a scratch directory of this run, removed at the end.
const std::string& ScratchDir() {
  static const std::string dir = ddb_bench::MakeScratchDir("persist-bench");
  return dir;
}

std::string BenchPath(const char* name) {
  return ScratchDir() + "/" + name + ".ddb";
}

// Writes n rows through a holder's list, flushing and releasing every `batch`.
void StreamRows(const std::string& path, int n, int batch) {
  Register();
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Create, true, ZunBasStringMode::UTF8);
  rom_Transporter t(nullptr, file, "D0", "bench", 0, -1);
  Holder holder;
  {
    rom_MementoWrite m(t, kHolderId, -1);
    cls_WriteVisitor w(m);
    holder.DBWrite(w);
    w.StoreRow();
  }
  for (int i = 0; i < n; ++i) {
    holder.rows.Append(Row20(i));
    if ((i + 1) % batch == 0) {
      holder.rows.Flush();
      holder.rows.Release();
    }
  }
  holder.rows.Flush();
}

void BM_ListFlush_Framework(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) StreamRows(BenchPath("framework"), n, 1000);
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_RawInsert(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::string path = BenchPath("raw");
  for (auto _ : state) {
    std::remove(path.c_str());
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr,
                 nullptr);
    std::string create = "CREATE TABLE r(OID INTEGER PRIMARY KEY";
    for (int k = 0; k < 8; ++k) create += ", i" + std::to_string(k) + " INTEGER";
    for (int k = 0; k < 8; ++k) create += ", d" + std::to_string(k) + " REAL";
    for (int k = 0; k < 4; ++k) create += ", s" + std::to_string(k) + " TEXT";
    sqlite3_exec(db, (create + ")").c_str(), nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    std::string sql = "INSERT INTO r VALUES(?";
    for (int k = 0; k < 20; ++k) sql += ", ?";
    sqlite3_prepare_v2(db, (sql + ")").c_str(), -1, &insert, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    for (int i = 0; i < n; ++i) {
      Row20 row(i);
      sqlite3_bind_int64(insert, 1, row.uid.Value());
      for (int k = 0; k < 8; ++k) sqlite3_bind_int(insert, 2 + k, row.ints[k]);
      for (int k = 0; k < 8; ++k) sqlite3_bind_double(insert, 10 + k, row.reals[k]);
      for (int k = 0; k < 4; ++k)
        sqlite3_bind_text(insert, 18 + k, row.texts[k].c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_step(insert);
      sqlite3_reset(insert);
      if ((i + 1) % 1000 == 0) {
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
      }
    }
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_finalize(insert);
    sqlite3_close(db);
  }
  state.SetItemsProcessed(state.iterations() * n);
}

// A file holding a list of n rows, written once per run.
std::string OpenFile(int n) {
  static std::set<int> written;
  std::string path = BenchPath(("open" + std::to_string(n)).c_str());
  if (written.insert(n).second) StreamRows(path, n, 10000);
  return path;
}

void BM_OpenCountLoadLast(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::string path = OpenFile(n);
  for (auto _ : state) {
    rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Read, true, ZunBasStringMode::UTF8);
    rom_Transporter t(nullptr, file, "D0", -1);
    rom_MementoRead m(t, kHolderId, 0, cls_Uid());
    Holder holder{cls_ReadVisitor(m)};
    int count = holder.rows.Length();
    benchmark::DoNotOptimize(holder.rows.ConstGet(count - 1).ints[0]);
    if (count != n) state.SkipWithError("wrong count");
  }
}

// A floor under BM_OpenCountLoadLast, not the same work: a plain open and a select of the
// newest row by its key; the framework also checks the file's catalog, reads the holder and its
// list's stored count and builds the record.
void BM_RawOpenLoadLast_LowerBound(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::string path = OpenFile(n);
  for (auto _ : state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM \"bench_Row20\" ORDER BY OID DESC LIMIT 1", -1, &s,
                       nullptr);
    if (sqlite3_step(s) != SQLITE_ROW) state.SkipWithError("no row");
    benchmark::DoNotOptimize(sqlite3_column_int(s, 1));
    sqlite3_finalize(s);
    sqlite3_close(db);
  }
}

// Child task: stream rows. Arguments: the path and the number of rows.
void StreamRowsTask(const std::vector<std::string>& args, ddb_bench::Meter&) {
  StreamRows(args.at(0), std::stoi(args.at(1)), 1000);
}

// Peak RSS of a fresh process streaming n elements, and its growth over its peak at start.
void BM_StreamPeakRss(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  ddb_bench::ChildRun run;
  ddb_bench::ChildCpu cpu;
  for (auto _ : state) {
    run = ddb_bench::RunFresh("stream-rows", {BenchPath("stream"), std::to_string(n)});
    if (!run.ok) {
      state.SkipWithError("the streaming process failed");
      return;
    }
    state.SetIterationTime(run.wallSeconds);
    cpu.Add(run);
  }
  cpu.Report(state);
  state.counters["peak_rss_MB"] = run.peakRssKb / 1024.0;
  state.counters["peak_rss_growth_MB"] = (run.peakRssKb - run.startRssKb) / 1024.0;
}

}  // namespace

BENCHMARK(BM_ListFlush_Framework)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_RawInsert)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OpenCountLoadLast)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawOpenLoadLast_LowerBound)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamPeakRss)
    ->Arg(10000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

int main(int argc, char** argv) {
  return ddb_bench::BenchMain(argc, argv, {{"stream-rows", &StreamRowsTask}}, &ScratchDir);
}
