// The ddb command run as users run it: on the file the example writes (--failing: a job that fails
// in step 2, increment 4 after five cut-backs), on a job still being written, and on bad input.
#include <gtest/gtest.h>
#include <poll.h>

#include <fstream>
#include <sstream>

#include "TestFiles.h"
#include "ddb/database/ddr_Root.h"

namespace {

using ddb_test::ScratchDir;
constexpr ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

struct Result {
  int status;
  std::string out, err;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class DdbCommand : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    s_dir = new ScratchDir;
    s_file = s_dir->Path("example.ddb");
    ASSERT_EQ(
        std::system((std::string(DDB_EXAMPLE) + " --failing " + s_file + " >/dev/null").c_str()),
        0);
  }
  static void TearDownTestSuite() { delete s_dir; }

  // Runs `ddb <args>` with stdout and stderr going to files (a pipe, not a terminal).
  static Result Ddb(const std::string& args) {
    const std::string out = s_dir->Path("out"), err = s_dir->Path("err");
    const int rc =
        std::system((std::string(DDB_COMMAND) + " " + args + " >" + out + " 2>" + err).c_str());
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, ddb_test::FileBytes(out),
            ddb_test::FileBytes(err)};
  }

  static inline ScratchDir* s_dir = nullptr;
  static inline std::string s_file;
};

// Each view opens with its answer (the first line) and holds the other lines somewhere.
TEST_F(DdbCommand, EachViewOpensWithItsAnswerAndHoldsItsLines) {
  const struct {
    std::string args;
    std::vector<std::string> lines;
  } cases[] = {
      {"explain",
       {"Step 2, increment 4 did not converge after 5 cut-backs: Too many attempts",
        "  attempt 5: size 0.000244141, 5 iterations, cut back: SOLUTION_APPEARS_TO_BE_DIVERGING, "
        "MAXIMUM_NUMBER_OF_EQUILIBRIUM_ITERATIONS",
        "    worst residual in iteration 5: Displacement 0.04 at PLATE-1.42 dof 2",
        "  PLATE-1.7: Distorted elements, 25 times",
        "  PLATE-TOP / BLOCK-BOTTOM: Overclosures, 25 times",
        "    error   0x4A0A0040 Too many attempts: 1",
        "  step 1:", "    warning 0x02020020 Distorted elements: 1"}},
      {"info",
       {"file: " + s_file, "job status: JOB_STATUS_EXITED_WITH_ERROR", "steps: 2",
        "increments: 8 (7 converged)", "attempts: 14 (7 cut back)", "iterations: 56", "warnings: 2",
        "errors: 2"}},
      {"print --code TOO_MANY_ATTEMPTS",
       {"error 0x4A0A0040 at step 2, increment 4, attempt 5, iteration 5: Too many attempts"}},
      {"print --step 1",
       {"warning 0x02020020 at step 1, increment 3, attempt 1, iteration 5: Distorted elements",
        std::string(80, '-')}},
      {"print --diagnostics --code 0x01000020 --step 2",
       {"contact diagnostic 0x01000020 at step 2, increment 1, attempt 1, iteration 1: "
        "Overclosures",
        "element diagnostic 0x01000020 at step 2, increment 4, attempt 5, iteration 5: Distorted "
        "elements"}},
      {"upgrade", {s_file + ": already up to date"}},
  };
  for (const auto& c : cases) {
    const Result r = Ddb(c.args + " " + s_file);
    ASSERT_EQ(r.status, 0) << c.args << r.err;
    const auto lines = Lines(r.out);
    ASSERT_FALSE(lines.empty()) << c.args;
    EXPECT_EQ(lines[0], c.lines[0]) << c.args;
    for (const std::string& line : c.lines)
      EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << c.args << ": " << line;
  }
  EXPECT_NE(Ddb("explain " + s_file).out.find("Elements are distorting so severely"),
            std::string::npos);
  EXPECT_EQ(Lines(Ddb("print --code TOO_MANY_ATTEMPTS " + s_file).out).size(), 1u);
  EXPECT_EQ(Ddb("check " + s_file).status, 0) << "after the upgrade";
}

TEST_F(DdbCommand, TreeShowsTheChosenIncrementsWithReasonsAndResiduals) {
  Result r = Ddb("tree --step 2 --increment 3 " + s_file);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Lines(r.out), (std::vector<std::string>{
                              "step 2 \"Step-2\": 4 increments, step time 0.5625",
                              "  increment 3: size 0.0625, step time 0.5625, converged, 2 attempts",
                              "    attempt 1: size 0.25, 5 iterations, not converged, cut back: "
                              "SOLUTION_APPEARS_TO_BE_DIVERGING, "
                              "MAXIMUM_NUMBER_OF_EQUILIBRIUM_ITERATIONS",
                              "      worst residual, Displacement: residual 0.04 at PLATE-1.42 dof "
                              "2, not accepted",
                              "    attempt 2: size 0.0625, 3 iterations, converged",
                              "      worst residual, Displacement: residual 0.111111 at PLATE-1.42 "
                              "dof 2, accepted"}));
  r = Ddb("tree --iterations --step 1 " + s_file);
  EXPECT_EQ(Lines(r.out).size(), 1 + 4 + 5 + 3 * (3 + 3 + 5 + 3 + 3));
  EXPECT_EQ(Ddb("tree --step 9 " + s_file).err, "ddb: '" + s_file + "' has no step 9\n");
}

TEST_F(DdbCommand, FlatTablesHaveOneRowPerRecord) {
  struct Case {
    const char* what;
    std::size_t rows;
    const char* header;
  };
  for (const Case& c :
       {Case{"attempts", 14, "step,increment,attempt,size,converged,"},
        Case{"iterations", 56, "step,increment,attempt,iteration,converged,"},
        Case{"residuals", 112, "step,increment,attempt,iteration,field,"},
        Case{"diagnostics", 112 + 49 + 3, "step,increment,attempt,iteration,kind,"}}) {
    const Result r = Ddb(std::string("export --format csv --what ") + c.what + " " + s_file);
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), c.rows + 1) << c.what;
    EXPECT_EQ(lines[0].rfind(c.header, 0), 0u) << lines[0];
  }
}

TEST_F(DdbCommand, CheckPassesASoundFileAndFailsADamagedOne) {
  Result r = Ddb("check " + s_file);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("SQLite integrity: ok\n"), std::string::npos);
  EXPECT_NE(r.out.find(": sound\n"), std::string::npos);
  EXPECT_EQ(r.err, "");  // no progress bar on a pipe

  // Pages of the tree overwritten in the middle of the file.
  const std::string damaged = s_dir->Path("damaged.ddb");
  std::system(("cp " + s_file + " " + damaged).c_str());
  std::fstream file(damaged, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(3 * 4096);
  const std::string junk(8192, '\x5a');
  file.write(junk.data(), static_cast<std::streamsize>(junk.size()));
  file.close();
  r = Ddb("check " + damaged);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("ddb: '" + damaged + "'"), std::string::npos) << r.err;
}

TEST_F(DdbCommand, CatalogShowsACodeByNumberOrName) {
  const Result r = Ddb("catalog TOO_MANY_ATTEMPTS");
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  EXPECT_EQ(lines.at(0), "warning/error 0x4A0A0040: Too many attempts");
  EXPECT_EQ(lines.at(1), "  constant: dia_ErrorCode::TOO_MANY_ATTEMPTS");
  EXPECT_EQ(Ddb("catalog 0x4A0A0040").out, r.out);
  // The listing holds a code of each catalog with its title, the shared one once per catalog.
  const auto all = Lines(Ddb("catalog").out);
  for (const char* line :
       {"warning/error 0x4A0A0040  Too many attempts", "contact       0x01000020  Overclosures",
        "element       0x01000020  Distorted elements"})
    EXPECT_NE(std::find(all.begin(), all.end(), line), all.end()) << line;
}

TEST_F(DdbCommand, BadInputGetsAClearMessageAndItsExitCode) {
  const std::string dir = s_dir->Path("");
  const std::string text = s_dir->Path("notes.txt");
  std::ofstream(text) << "not a ddb\n";
  const std::string truncated = s_dir->Path("truncated.ddb");
  std::system(("head -c 5000 " + s_file + " > " + truncated).c_str());
  struct Case {
    std::string args;
    int status;
    std::string err;  // expected start of stderr
  };
  const std::string missing = s_dir->Path("missing.ddb");
  for (const Case& c : std::vector<Case>{
           {"info " + missing, 1, "ddb: '" + missing + "' does not exist"},
           {"upgrade " + missing, 1, "ddb: '" + missing + "' does not exist"},
           {"tree " + dir, 1, "ddb: '" + dir + "' is a directory, not a ddb file"},
           {"explain " + text, 1, "ddb: '" + text + "' is not a ddb file"},
           {"export " + truncated, 1, "ddb: '" + truncated + "' is damaged"},
           {"catalog 0x12345", 1, "ddb: code 0x00012345 is not in the catalog"},
           {"catalog NO_SUCH_CODE", 1, "ddb: 'NO_SUCH_CODE' is not a code"},
           {"print --code 0xZZ " + s_file, 1, "ddb: '" + s_file + "': '0xZZ' is not a code"},
           {"info --bogus " + s_file, 2, "The following argument was not expected: --bogus"},
           {"export --format xml " + s_file, 2, "--format: xml not in {json,csv}"},
           {"export --format csv --what tree " + s_file, 1, "ddb: '" + s_file + "': a CSV"},
           {"tree", 2, "file is required"},
           {"", 2, "A subcommand is required"},
       }) {
    const Result r = Ddb(c.args);
    EXPECT_EQ(r.status, c.status) << c.args << "\n" << r.err;
    EXPECT_EQ(r.err.rfind(c.err, 0), 0u) << c.args << "\n" << r.err;
    EXPECT_EQ(r.out, "") << c.args;
  }
  for (const char* sub :
       {"info", "tree", "explain", "print", "export", "watch", "check", "catalog", "upgrade"}) {
    const Result r = Ddb(std::string(sub) + " --help");
    EXPECT_EQ(r.status, 0) << sub;
    EXPECT_NE(r.out.find("Exit status: 0"), std::string::npos) << sub;
  }
}

// The next line a child process prints on `fd` (what it printed beyond is kept in `buffer`), or
// "<none>" when it prints nothing for a minute: a bound for a hung child, not a speed.
std::string NextLine(int fd, std::string& buffer) {
  for (std::size_t end = buffer.find('\n'); end == std::string::npos; end = buffer.find('\n')) {
    pollfd ready{fd, POLLIN, 0};
    char chunk[512];
    const ssize_t n = poll(&ready, 1, 60000) > 0 ? read(fd, chunk, sizeof chunk) : 0;
    if (n <= 0) return "<none>";
    buffer.append(chunk, static_cast<std::size_t>(n));
  }
  const std::string line = buffer.substr(0, buffer.find('\n'));
  buffer.erase(0, line.size() + 1);
  return line;
}

TEST_F(DdbCommand, WatchShowsEachIncrementOnceFlushedAndEndsWithTheJob) {
  const std::string path = s_dir->Path("running.ddb");
  ddr_Root& root = ddr_Root::Instance();
  const cow_String name = root.CreateDdb(path, "running", kUtf8);
  root.SaveDdb(name, true, kUtf8);
  dia_DiagnosticData& job = root.Get(name, kUtf8).GetDiagnosticData();
  job.AddStep(dia_Step(1, "Step-1", 1, false, false));
  job.FlushSteps();
  FILE* watch = popen((std::string(DDB_COMMAND) + " watch " + path).c_str(), "r");
  ASSERT_NE(watch, nullptr);
  std::string buffer;
  for (int i = 1; i <= 3; ++i) {
    dia_Step& step = job.GetStepByIndex(0);
    dia_Increment increment(i, 0.25);
    dia_Attempt attempt(1, 0.25);
    dia_Iteration iteration(1);
    iteration.SetConverged();
    attempt.AddIteration(iteration);
    increment.AddAttempt(attempt);
    step.AddIncrement(increment);
    step.FlushIncrements();
    job.FlushSteps();
    ASSERT_EQ(NextLine(fileno(watch), buffer),
              "step 1, increment " + std::to_string(i) +
                  ": size 0.25, step time 0, converged, 1 attempt");
  }
  job.SetJobStatus(static_cast<int>(dia_JobStatusEnum::JOB_STATUS_COMPLETED_SUCCESSFULLY));
  root.SaveDdb(name, true, kUtf8);
  root.CloseDdb(name, kUtf8);
  ASSERT_EQ(NextLine(fileno(watch), buffer), "job closed: JOB_STATUS_COMPLETED_SUCCESSFULLY");
  EXPECT_EQ(pclose(watch), 0);
}

}  // namespace
