#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>

#include "TestFiles.h"
#include "ddb/database/ddr_Root.h"

namespace {

using Lines = std::vector<std::string>;
constexpr ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

dia_Residual Displacement(bool ok) {
  using RC = dia_ResidualCheckEnum;
  using CC = dia_CorrectionCheckEnum;
  return dia_Residual(dia_FieldVariableEnum::DISPLACEMENT_FIELD,
                      ok ? RC::RESIDUAL_ACCEPTED : RC::RESIDUAL_NOT_ACCEPTED,
                      ok ? CC::CORRECTION_ACCEPTED : CC::CORRECTION_NOT_ACCEPTED, 0, false, 1, 1,
                      false, ok ? 1e-6 : 0.125, 42, "PLATE-1", 2, 0, 0, "", 0, 0, 0, "", 0);
}

// Every iteration but an attempt's converged last one reports a distorted element.
dia_Attempt Attempt(int number, double size, int iterations, bool cutBack) {
  dia_Attempt attempt(number, size);
  for (int k = 1; k <= iterations; ++k) {
    dia_Iteration it(k);
    const bool ok = !cutBack && k == iterations;
    it.AddResidual(Displacement(ok));
    dia_ElementDiagnostic distortion(0x01000020);
    distortion.AddData(dia_AuxiliaryData({}, {}, {}, {7}, {"PLATE-1"}, {}, {}, 0));
    if (ok)
      it.SetConverged();
    else
      it.AddElementDiagnostic(distortion);
    attempt.AddIteration(it);
  }
  if (cutBack) attempt.AddCutbackDiagnostic(2);
  return attempt;
}

// Increment 2 of a step is cut back once, from 0.5 to 0.25.
dia_Step Step(int number, const char* name, int increments) {
  dia_Step step(number, name, 1, false, false);
  for (int i = 1; i <= increments; ++i) {
    dia_Increment increment(i, 0.5);
    if (i == 2) increment.AddAttempt(Attempt(1, 0.5, 1, true));
    increment.AddAttempt(Attempt(i, 0.5 / i, 2, false));
    step.m_stepTimeCompleted += increment.GetIncrementSize();
    increment.SetStepTimeCompleted(step.m_stepTimeCompleted);
    step.AddIncrement(increment);
  }
  step.m_incrementsCompleted = increments;
  return step;
}

// Writes the job and returns the creation date text of the file.
std::string WriteJob(const std::string& path) {
  ddr_Root& root = ddr_Root::Instance();
  const cow_String name = root.CreateDdb(path, "report test", kUtf8);
  root.SaveDdb(name, true, kUtf8);
  dia_DiagnosticData& job = root.Get(name, kUtf8).GetDiagnosticData();
  job.AddStep(Step(1, "Load", 2));
  job.AddStep(Step(2, "Unload", 1));
  dia_Warning warning(0x02020020, 1, 2, 1, 1);
  warning.AddData(dia_AuxiliaryData({4}, {}, {}, {12}, {"PLATE-1"}, {}, {}, 0));
  job.AddAnalysisWarning(warning);
  dia_Error error(0x42010020, 2, 1, 1, 2);
  error.AddData(dia_AuxiliaryData({3}, {0.5}, {}, {}, {}, {9}, {"PLATE-1"}, 0));
  error.SetInternalErrorString("rotation update failed");
  job.AddAnalysisError(error);
  job.SetJobStatus(static_cast<int>(dia_JobStatusEnum::JOB_STATUS_EXITED_WITH_ERROR));
  job.SetJobCpuTimes(2.5, 0.5, 3);
  root.SaveDdb(name, true, kUtf8);
  const std::string created = root.ConstGet(name, kUtf8).CreateTime().c_str();
  root.CloseDdb(name, kUtf8);
  return created;
}

struct ToolRun {
  int code = -1;
  Lines out;
  std::string err;
};

// One job file for all cases, written on first use.
struct JobFixture {
  ddb_test::ScratchDir dir;
  std::string job = dir.Path("job.ddb");
  std::string created = WriteJob(job);
};

const JobFixture& Fixture() {
  static const JobFixture fixture;
  return fixture;
}
const std::string& Job() {
  return Fixture().job;
}

// Runs the tool with `args`, a shell command tail.
ToolRun Report(const std::string& args) {
  const std::string errPath = Fixture().dir.Path("stderr.txt");
  std::FILE* pipe = popen((DDB_REPORT_PATH " " + args + " 2>" + errPath).c_str(), "r");
  ToolRun run;
  for (char line[512]; std::fgets(line, sizeof line, pipe);)
    run.out.emplace_back(line, std::strcspn(line, "\n"));
  const int status = pclose(pipe);
  run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  std::getline(std::ifstream(errPath), run.err, '\0');
  return run;
}

long Find(const Lines& lines, const std::string& line) {
  auto it = std::find(lines.begin(), lines.end(), line);
  return it == lines.end() ? -1 : it - lines.begin();
}

const char kIteration[] =
    "      iteration 1: not converged, 0 contact iterations, 0 contact and 1 element diagnostics";
const char kResidual[] =
    "        Displacement: largest residual 0.125 at node PLATE-1.42 dof 2, not accepted";
const char kElementDiagnostic[] = "        element diagnostic: Distorted elements (1 occurrence)";

TEST(DdbReport_Output, ShowsWhatTheOptionsAskFor) {
  const struct {
    std::string args;
    Lines present, absent;
  } cases[] = {
      {Job(),
       {"file: " + Job(), "created: " + Fixture().created, "ddb version: 1804",
        "job status: JOB_STATUS_EXITED_WITH_ERROR",
        "cpu times: user 2.5 s, system 0.5 s, wall clock 3 s", "steps: 2, warnings: 1, errors: 1",
        "step 1 \"Load\": procedure 1, 2 increments completed, step time 0.75",
        "  increment 2: size 0.25, step time 0.75, 2 attempts",
        "    attempt 1: size 0.5, 1 iteration, not converged, cut back: "
        "SOLUTION_APPEARS_TO_BE_DIVERGING",
        "    attempt 2: size 0.25, 2 iterations, converged",
        "step 2 \"Unload\": procedure 1, 1 increment completed, step time 0.5"},
       {kIteration}},
      {"--iterations " + Job(), {kIteration, kResidual}, {kElementDiagnostic}},
      {"--diagnostics " + Job(),
       {kIteration, kElementDiagnostic, "        PLATE-1.7 "},
       {kResidual}}};
  for (const auto& c : cases) {
    const ToolRun run = Report(c.args);
    EXPECT_EQ(run.code, 0) << run.err;
    for (const std::string& line : c.present) EXPECT_NE(Find(run.out, line), -1) << line;
    for (const std::string& line : c.absent) EXPECT_EQ(Find(run.out, line), -1) << line;
  }
}

// Standard output both as a pipe and as a regular file, where the Fortran runtime buffers.
TEST(DdbReport_Output, PrintsEachCatalogTableRightAfterItsLine) {
  const std::string file = Fixture().dir.Path("out.txt");
  for (const std::string& tail : {std::string(), " > " + file + " && cat " + file}) {
    const Lines out = Report(Job() + tail).out;
    const long warning = Find(out,
                              "warning 1 (0x02020020) at step 1, increment 2, attempt 1, "
                              "iteration 1: Distorted elements");
    const long error = Find(out,
                            "error 1 (0x42010020) at step 2, increment 1, attempt 1, "
                            "iteration 2: Excessive rotation of node");
    ASSERT_NE(warning, -1) << tail;
    ASSERT_EQ(error, Find(out, "errors: 1") + 1) << tail;
    EXPECT_EQ(out[warning + 3], "Negative volume") << tail;
    EXPECT_EQ(out[error + 1], "  internal error: rotation update failed") << tail;
    EXPECT_EQ(out[error + 3], std::string(80, '-')) << tail;
  }
}

TEST(DdbReport_Output, SummaryIsTheHeaderAndOneLinePerStep) {
  const ToolRun run = Report("--summary " + Job());
  ASSERT_EQ(run.out.size(), 10u);
  EXPECT_EQ(run.out[7], "steps: 2, warnings: 1, errors: 1");
  EXPECT_EQ(run.out[9], "step 2 \"Unload\": procedure 1, 1 increment completed, step time 0.5");
}

TEST(DdbReport_BadInput, FailsWithExitCodeOneAndAMessage) {
  const std::string text = Fixture().dir.Path("notes.ddb"),
                    missing = Fixture().dir.Path("missing.ddb");
  std::ofstream(text) << "not a database\n";
  const std::string usage = "usage: ddb_report [--summary] [--iterations] [--diagnostics] file.ddb";
  const struct {
    std::string args, message;
  } cases[] = {{"", usage},
               {"--verbose " + Job(), usage},
               {Job() + " " + Job(), usage},
               {missing, "ddb_report: '" + missing + "' does not exist"},
               {text, "ddb_report: '" + text + "' is not a ddb file"}};
  for (const auto& c : cases) {
    const ToolRun run = Report(c.args);
    EXPECT_EQ(run.code, 1) << c.args;
    EXPECT_TRUE(run.out.empty()) << c.args;
    EXPECT_EQ(run.err.substr(0, run.err.find('\n')), c.message) << c.args;
  }
}

}  // namespace
