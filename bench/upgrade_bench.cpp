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
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "FreshProcess.h"
#include "ddb/database/ddr_Root.h"
#include "platform/persist/dbc_OldClassRegistrar.h"

namespace {

constexpr int kSteps = 40, kIncrements = 625, kAttempts = 2, kIterations = 75;
constexpr std::uint32_t kList = 0x230002;

const std::string& ScratchDir() {
  static const std::string dir = ddb_bench::MakeScratchDir("upgrade-bench");
  return dir;
}

std::string OldFile() {
  return ScratchDir() + "/oldest.ddb";
}

void Exec(sqlite3* db, const std::string& sql) {
  char* error = nullptr;
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK)
    throw std::runtime_error(sql + ": " + (error ? error : ""));
}

// The class's table and catalog rows in the layout the registered version `version` declares.
void Declare(sqlite3* db, const std::string& className, int version) {
  for (const dbc_OldClassHandle& handle : dbc_OldClassRegistrar::Instance().Versions()) {
    cls_ClassRegistrar scratch;
    const_cast<dbc_OldClassVersion&>(handle.ConstGet()).InitializeMetadata(scratch);
    const cls_ClassMetadata* md = scratch.FindByName(className);
    if (!md || md->Version() != version) continue;
    std::string sql = "CREATE TABLE \"" + className +
                      "\"(\"OID\" INTEGER PRIMARY KEY, \"##BaseClassOID\" INTEGER";
    const std::string id = std::to_string(md->TypeId());
    Exec(db, "INSERT INTO \"##Classes\" VALUES(" + id + ", '" + className + "', '" + className +
                 "', " + std::to_string(version) + ", 1, 0)");
    int position = 0;
    for (const cls_Attribute& a : md->Attributes()) {
      sql += a.attributeType == cls_AttrObject
                 ? ", \"" + a.name + "#ClassID\" INTEGER, \"" + a.name + "#OID\" INTEGER"
                 : ", \"" + a.name + "\"";
      Exec(db, "INSERT INTO \"##Fields\" VALUES(" + id + ", " + std::to_string(position++) + ", '" +
                   a.name + "', " + std::to_string(a.attributeType) + ", " +
                   std::to_string(a.typeId) + ", " + std::to_string(a.collectionType) + ")");
    }
    Exec(db, sql + ")");
    return;
  }
  throw std::runtime_error("no registered version " + className);
}

class Writer {
 public:
  explicit Writer(sqlite3* db) : m_db(db) {
    sqlite3_prepare_v2(db, "INSERT INTO \"##List\" VALUES(?, 0, ?, ?)", -1, &m_list, nullptr);
  }
  ~Writer() { sqlite3_finalize(m_list); }
  long long List(std::uint32_t typeId, const std::vector<long long>& oids) {
    const long long list = ++oid;
    std::string bytes(oids.size() * 12, '\0');
    for (std::size_t k = 0; k < oids.size(); ++k) {
      std::memcpy(&bytes[k * 12], &typeId, 4);
      std::memcpy(&bytes[k * 12 + 4], &oids[k], 8);
    }
    sqlite3_reset(m_list);
    sqlite3_bind_int64(m_list, 1, list);
    sqlite3_bind_int(m_list, 2, static_cast<int>(oids.size()));
    sqlite3_bind_blob(m_list, 3, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    if (sqlite3_step(m_list) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(m_db));
    return list;
  }
  long long oid = 100;

 private:
  sqlite3* m_db;
  sqlite3_stmt* m_list = nullptr;
};

void WriteOldestFile(const std::string& path) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  Exec(db,
       "PRAGMA journal_mode=WAL; PRAGMA application_id=1684300321; PRAGMA user_version=1;"
       "PRAGMA synchronous=OFF; BEGIN;"
       "CREATE TABLE \"##Meta\"(key TEXT PRIMARY KEY, value TEXT);"
       "CREATE TABLE \"##Classes\"(\"Type Id\" INTEGER PRIMARY KEY, \"Class Name\" TEXT NOT "
       "NULL, \"Class Table\" TEXT NOT NULL, \"Version\" INTEGER NOT NULL, \"Base Type Id\" "
       "INTEGER NOT NULL, \"Extent Quantum\" INTEGER NOT NULL);"
       "CREATE TABLE \"##Fields\"(\"Type Id\" INTEGER NOT NULL, \"Position\" INTEGER NOT NULL,"
       " \"Field Name\" TEXT NOT NULL, \"Attribute Type\" INTEGER NOT NULL, \"Field Type Id\" "
       "INTEGER NOT NULL, \"Collection Type\" INTEGER NOT NULL, PRIMARY KEY(\"Type Id\", "
       "\"Position\"));"
       "CREATE TABLE \"##List\"(list INTEGER NOT NULL, first INTEGER NOT NULL, count INTEGER "
       "NOT NULL, entries BLOB NOT NULL, PRIMARY KEY(list, first)) WITHOUT ROWID;"
       "CREATE TABLE \"##Map\"(map INTEGER NOT NULL, key TEXT NOT NULL, class INTEGER NOT "
       "NULL, oid INTEGER NOT NULL, PRIMARY KEY(map, key)) WITHOUT ROWID;"
       "CREATE TABLE \"##Array\"(oid INTEGER PRIMARY KEY, collection INTEGER NOT NULL, count "
       "INTEGER NOT NULL, data BLOB NOT NULL);"
       "INSERT INTO \"##Meta\" VALUES('database', 'D0'), ('description', 'oldest'),"
       " ('creationTime', '1000');");
  Declare(db, "ddr_Ddb", 321);
  for (const char* c :
       {"dia_DiagnosticData", "dia_Step", "dia_Increment", "dia_Attempt", "dia_Iteration"})
    Declare(db, c, 309);
  Writer w(db);
  sqlite3_stmt *iteration = nullptr, *attempt = nullptr, *increment = nullptr;
  sqlite3_prepare_v2(
      db,
      "INSERT INTO dia_Iteration(OID, m_iterationNumber, m_isSevereDiscontinuity) VALUES(?, ?, 0)",
      -1, &iteration, nullptr);
  sqlite3_prepare_v2(
      db,
      "INSERT INTO dia_Attempt(OID, m_attemptNumber, m_attemptSize, \"m_iterationList#ClassID\", "
      "\"m_iterationList#OID\") VALUES(?, ?, 0.01, 2293762, ?)",
      -1, &attempt, nullptr);
  sqlite3_prepare_v2(db,
                     "INSERT INTO dia_Increment(OID, m_incrementNumber, \"m_attemptList#ClassID\", "
                     "\"m_attemptList#OID\") VALUES(?, ?, 2293762, ?)",
                     -1, &increment, nullptr);
  auto run = [&](sqlite3_stmt* s, std::initializer_list<long long> values) {
    sqlite3_reset(s);
    int i = 1;
    for (long long v : values) sqlite3_bind_int64(s, i++, v);
    if (sqlite3_step(s) != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db));
  };
  std::vector<long long> steps;
  for (int s = 0; s < kSteps; ++s) {
    std::vector<long long> increments;
    for (int i = 0; i < kIncrements; ++i) {
      std::vector<long long> attempts;
      for (int a = 0; a < kAttempts; ++a) {
        std::vector<long long> iterations;
        for (int k = 0; k < kIterations; ++k) {
          run(iteration, {++w.oid, k + 1});
          iterations.push_back(w.oid);
        }
        const long long list = w.List(0x2B0005, iterations);
        run(attempt, {++w.oid, a + 1, list});
        attempts.push_back(w.oid);
      }
      const long long list = w.List(0x2B0004, attempts);
      run(increment, {++w.oid, i + 1, list});
      increments.push_back(w.oid);
    }
    const long long list = w.List(0x2B0003, increments);
    Exec(db,
         "INSERT INTO dia_Step(OID, m_stepNumber, m_stepName, m_isStabilizeActive, "
         "\"m_incrementList#ClassID\", \"m_incrementList#OID\") VALUES(" +
             std::to_string(++w.oid) + ", " + std::to_string(s + 1) + ", 'Step-" +
             std::to_string(s + 1) + "', 0, 2293762, " + std::to_string(list) + ")");
    steps.push_back(w.oid);
  }
  const long long stepList = w.List(0x2B0002, steps);
  const long long job = ++w.oid;
  Exec(db,
       "INSERT INTO dia_DiagnosticData(OID, m_status, \"m_stepList#ClassID\", "
       "\"m_stepList#OID\") VALUES(" +
           std::to_string(job) + ", 'Completed', 2293762, " + std::to_string(stepList) + ")");
  Exec(db,
       "INSERT INTO ddr_Ddb(OID, name, creationTime, \"diagnosticData#ClassID\", "
       "\"diagnosticData#OID\") VALUES(" +
           std::to_string(++w.oid) +
           ", 'oldest', 1000, "
           "2293762, " +
           std::to_string(w.List(0x2B0001, {job})) + ")");
  sqlite3_finalize(iteration);
  sqlite3_finalize(attempt);
  sqlite3_finalize(increment);
  Exec(db, "COMMIT");
  sqlite3_close(db);
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
