// Measuring in a fresh process. A benchmark that needs a clean address space (peak RSS) or a
// clean library state runs its body in a new copy of its own executable: posix_spawn of
// /proc/self/exe with the hidden first argument `--ddb-bench-child=<task>` and the task's
// arguments. A forked child without exec would start with the parent's resident pages and
// peak, which hides the growth being measured.
//
// The child measures the region its task marks (wall and CPU time) and its peak RSS (VmHWM,
// which starts afresh at exec), and writes the figures to its stdout, a pipe to the parent. The
// parent also takes the whole child process's CPU time from wait4.
#pragma once

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <map>
#include <string>
#include <vector>

#include "BenchJob.h"

namespace ddb_bench {

inline double CpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + ts.tv_nsec * 1e-9;
}

inline double WallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The region a child task measures; by default its whole body. A task may call Start and Stop
// itself to leave out set-up or tear-down, and add figures of its own.
class Meter {
 public:
  void Start() {
    m_wall = WallSeconds();
    m_cpu = CpuSeconds();
    m_running = true;
  }
  void Stop() {
    if (!m_running) return;
    m_wall = WallSeconds() - m_wall;
    m_cpu = CpuSeconds() - m_cpu;
    m_running = false;
  }
  void Add(double figure) { m_extra.push_back(figure); }

  double Wall() const { return m_wall; }
  double Cpu() const { return m_cpu; }
  const std::vector<double>& Extra() const { return m_extra; }

 private:
  double m_wall = 0, m_cpu = 0;
  bool m_running = false;
  std::vector<double> m_extra;
};

using ChildTask = void (*)(const std::vector<std::string>& args, Meter& meter);

// What a fresh process measured. `ok` is false when it could not be started, failed or
// exited with a non-zero status.
struct ChildRun {
  bool ok = false;
  double wallSeconds = 0;        // the measured region
  double cpuSeconds = 0;         // the measured region, user + system
  double processCpuSeconds = 0;  // the whole child from wait4: exec, start-up and exit included
  long startRssKb = 0;           // VmHWM when the task began
  long peakRssKb = 0;            // VmHWM when the task ended
  std::vector<double> extra;
};

constexpr const char* kChildFlag = "--ddb-bench-child=";

// A new directory for one run's files: /tmp/ddb-<name>-XXXXXX.
inline std::string MakeScratchDir(const std::string& name) {
  std::string path = "/tmp/ddb-" + name + "-XXXXXX";
  if (!mkdtemp(path.data())) std::abort();
  return path;
}

// Call first in main: when this process is a measuring child, runs the task named on the
// command line, writes its figures to stdout and returns the exit status; otherwise -1.
inline int RunChildIfAsked(int argc, char** argv, const std::map<std::string, ChildTask>& tasks) {
  if (argc < 2 || std::strncmp(argv[1], kChildFlag, std::strlen(kChildFlag)) != 0) return -1;
  auto task = tasks.find(argv[1] + std::strlen(kChildFlag));
  if (task == tasks.end()) {
    std::fprintf(stderr, "unknown benchmark child task %s\n", argv[1]);
    return 2;
  }
  std::vector<std::string> args(argv + 2, argv + argc);
  Meter meter;
  long startKb = PeakRssKb();
  try {
    meter.Start();
    task->second(args, meter);
    meter.Stop();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  std::printf("%.9g %.9g %ld %ld", meter.Wall(), meter.Cpu(), startKb, PeakRssKb());
  for (double figure : meter.Extra()) std::printf(" %.17g", figure);
  std::printf("\n");
  return std::fflush(stdout) == 0 ? 0 : 1;
}

// The main of a benchmark program: a measuring child runs its task; otherwise the benchmarks
// run, and the run's scratch directory is removed afterwards unless it is to be kept.
inline int BenchMain(int argc, char** argv, const std::map<std::string, ChildTask>& tasks,
                     const std::string& (*scratchDir)(), bool keep = false) {
  int child = RunChildIfAsked(argc, argv, tasks);
  if (child >= 0) return child;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (keep) return 0;
  return std::system(("rm -rf '" + scratchDir() + "'").c_str()) == 0 ? 0 : 1;
}

// Runs `task` with `args` in a fresh copy of this executable and collects its figures.
inline ChildRun RunFresh(const std::string& task, const std::vector<std::string>& args) {
  ChildRun run;
  int fds[2];
  if (pipe(fds) != 0) return run;
  std::string flag = kChildFlag + task;
  std::vector<char*> argv{const_cast<char*>("bench-child"), flag.data()};
  std::vector<std::string> copies(args);
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  // posix_spawn shares the address space until exec instead of copying its page tables, so the
  // parent's CPU column stays the parent's waiting and the child starts as any new process.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addclose(&actions, fds[1]);
  std::fflush(nullptr);
  pid_t pid = -1;
  int spawned = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    close(fds[0]);
    close(fds[1]);
    return run;
  }
  close(fds[1]);
  std::string text;
  char buffer[512];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  close(fds[0]);
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return run;
  auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec * 1e-6; };
  run.processCpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  char* p = text.data();
  char* end = nullptr;
  run.wallSeconds = std::strtod(p, &end);
  if (end == p) return run;
  run.cpuSeconds = std::strtod(p = end, &end);
  run.startRssKb = std::strtol(p = end, &end, 10);
  run.peakRssKb = std::strtol(p = end, &end, 10);
  for (double v = std::strtod(p = end, &end); end != p; v = std::strtod(p = end, &end))
    run.extra.push_back(v);
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

// Per-iteration CPU counters of a benchmark whose work runs in fresh processes: Google
// Benchmark's own CPU column there is only the parent waiting. "cpu_ms" is the measured region
// (comparable with the in-process benchmarks' "cpu_ms"), "process_cpu_ms" the whole child.
struct ChildCpu {
  double cpu = 0, processCpu = 0;
  void Add(const ChildRun& run) {
    cpu += run.cpuSeconds;
    processCpu += run.processCpuSeconds;
  }
  void Report(benchmark::State& state) const {
    state.counters["cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["process_cpu_ms"] =
        benchmark::Counter(processCpu * 1e3, benchmark::Counter::kAvgIterations);
  }
};

// Statistics of repeated runs beside Google Benchmark's mean and median.
inline double Min(const std::vector<double>& v) {
  return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}
inline double Max(const std::vector<double>& v) {
  return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

}  // namespace ddb_bench
