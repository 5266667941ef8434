// Damaged copies of a real job file. Every copy the generator makes either reads back exactly
// the job that was written or raises the library's exception naming the file: nothing crashes,
// hangs, raises anything else or returns a wrong value. DDB_DAMAGE_SEED and DDB_DAMAGE_VARIANTS
// choose another run (bench/damaged_files runs a long one; fuzz/make_corpus writes the variants of
// a seed). One damage at a time gets the exact message a reader sees; and a file of layout 1
// (without checksums) still reads back whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <cstdlib>
#include <map>

#include "Damage.h"
#include "JobTree.h"
#include "TestFiles.h"

#if defined(__SANITIZE_ADDRESS__)
#define DDB_DAMAGE_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DDB_DAMAGE_SANITIZED 1
#endif
#endif
#ifndef DDB_DAMAGE_SANITIZED
#define DDB_DAMAGE_SANITIZED 0
#endif

using namespace ddb_damage;

namespace {

// How reading a variant in a child ended: its exit status, or 128 + the signal that ended it.
enum Outcome { kExact, kError, kWrong, kUnclearError, kForeignException, kHang = 128 + SIGALRM };

class DamagedFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteJob(job);
    expected = ReadJob(job);
  }

  // A copy of the job with `sql` applied, then sealed when asked.
  std::string Variant(const std::string& sql, bool seal) {
    std::string path = dir.Path("variant.ddb");
    WriteBytes(path, ReadBytes(job));
    Sql db(path);
    EXPECT_TRUE(db.Exec(sql)) << sql << ": " << sqlite3_errmsg(db.Handle());
    if (seal) db.Seal();
    return path;
  }
  std::string Read(const std::string& path) {
    try {
      return ReadJob(path) == expected ? "exact" : "WRONG VALUES";
    } catch (const nex_Exception& e) {
      std::string message = e.what();
      std::string prefix = "'" + path + "' is damaged: ";
      return message.rfind(prefix, 0) == 0 ? message.substr(prefix.size()) : message;
    }
  }
  // Opens and walks the variant in a forked child with a time limit and compares its dump with
  // the job's. The library's exceptions whose message names the file are clear errors; the child
  // prints the message of any other on stderr.
  int ReadInChild(const std::string& path) {
    return ddb_test::InChild([&] {
      alarm(20);
#if !DDB_DAMAGE_SANITIZED
      // A reader that sizes something after a damaged count fails here instead of swapping.
      rlimit limit{rlim_t(2) << 30, rlim_t(2) << 30};
      setrlimit(RLIMIT_AS, &limit);
#endif
      int outcome = kForeignException;
      try {
        outcome = ReadJob(path) == expected ? kExact : kWrong;
      } catch (const nex_Exception& e) {
        const bool clear = std::string(e.what()).rfind("'" + path + "'", 0) == 0;
        outcome = clear ? kError : kUnclearError;
        if (!clear) std::fprintf(stderr, "%s\n", e.what());
      } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
      } catch (...) {
      }
      std::fflush(nullptr);
      _exit(outcome);
    });
  }

  ddb_test::ScratchDir dir;
  const std::string job = dir.Path("job.ddb");
  std::string expected;
};

using DamageMessages = DamagedFiles;

long Setting(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::atol(text) : fallback;
}

std::string OutcomeName(int outcome) {
  static const char* names[] = {"exact", "error", "WRONG VALUES", "UNCLEAR ERROR",
                                "FOREIGN EXCEPTION"};
  if (outcome == kHang) return "HANG";
  return outcome <= kForeignException ? names[outcome] : "CRASH " + std::to_string(outcome);
}

struct Case {
  const char* sql;
  bool seal;
  // The message after "is damaged: "; "{oid}", here and in `sql`, stands for the OID that `oid`
  // selects, "{step}" for the first step's.
  const char* message;
  const char* oid = nullptr;
};

const char* kStepList = "SELECT \"m_stepList#OID\" FROM dia_DiagnosticData";
// The first attempt whose iterations are stored in its row, and that list.
const char* kFirstAttempt =
    "SELECT OID FROM dia_Attempt WHERE typeof(\"m_iterationList#ClassID\") = 'blob' ORDER BY OID";
const char* kFirstIterations =
    "SELECT \"m_iterationList#OID\" FROM dia_Attempt WHERE typeof(\"m_iterationList#ClassID\") = "
    "'blob' ORDER BY OID";

const Case kCases[] = {
    {"UPDATE dia_Step SET m_stepName = 'Step-9' WHERE OID = {step}", false,
     "dia_Step {step} does not match its checksum"},
    {"UPDATE dia_Step SET m_stepNumber = 'one' WHERE OID = {step}", true,
     "dia_Step {step} holds a text in its field 'm_stepNumber', which stores another type"},
    {"DROP TABLE dia_Residual", false, "the table of class dia_Residual is missing"},
    {"ALTER TABLE dia_Step DROP COLUMN m_isRiks", false,
     "the table of class dia_Step lacks its column 'm_isRiks'"},
    {"UPDATE dia_Step SET \"m_incrementList#OID\" = {oid} WHERE OID = {step}", true,
     "element 0 of list {oid} is a dia_Warning where a dia_Increment belongs",
     "SELECT \"m_warningList#OID\" FROM dia_DiagnosticData"},
    {"UPDATE dia_Step SET \"m_incrementList#OID\" = {oid} WHERE OID = {step}", true,
     "list {oid} in field 'm_incrementList' of dia_Step {step} contains itself", kStepList},
    {"UPDATE dia_Step SET \"m_incrementList#OID\" = NULL, \"m_incrementList#ClassID\" = NULL "
     "WHERE OID = {step}",
     true, "field 'm_incrementList' of dia_Step {step} refers to no list"},
    {"DELETE FROM \"##ArrayPage\"", false, "page 0 of array {oid} is missing",
     "SELECT oid FROM \"##ArrayPage\""},
    {"DELETE FROM dia_Step WHERE OID = {step}", false, "dia_Step {step} is missing"},
    {"UPDATE dia_Attempt SET \"m_iterationList#ClassID\" = x'0001' WHERE OID = {oid}", true,
     "field 'm_iterationList' of dia_Attempt {oid} holds an inline list of 2 bytes", kFirstAttempt},
    {"UPDATE dia_Attempt SET \"m_iterationList#ClassID\" = zeroblob(204) WHERE OID = {oid}", true,
     "field 'm_iterationList' of dia_Attempt {oid} holds an inline list of 204 bytes",
     kFirstAttempt},
    {"UPDATE dia_Attempt SET \"m_iterationList#ClassID\" = CAST(x'ff' || substr("
     "\"m_iterationList#ClassID\", 2) AS BLOB) WHERE OID = {oid}",
     false, "dia_Attempt {oid} does not match its checksum", kFirstAttempt},
    {"UPDATE dia_Attempt SET \"m_iterationList#ClassID\" = CAST(x'11002b00' || substr("
     "\"m_iterationList#ClassID\", 5) AS BLOB) WHERE \"m_iterationList#OID\" = {oid}",
     true, "element 0 of list {oid} is a dia_Residual where a dia_Iteration belongs",
     kFirstIterations},
    {"UPDATE dia_DiagnosticData SET \"m_stepList#ClassID\" = x''", true,
     "field 'm_stepList' of dia_DiagnosticData {oid} holds an inline list of 0 bytes",
     "SELECT OID FROM dia_DiagnosticData"},
    {"UPDATE dia_Attempt SET \"m_cutbackCodes#ClassID\" = x'01000000' WHERE OID = {oid}", true,
     "field 'm_cutbackCodes' of dia_Attempt {oid} holds an inline array of 4 bytes",
     "SELECT OID FROM dia_Attempt ORDER BY OID"},
    {"UPDATE dia_DiagnosticData SET \"m_stepList#OID\" = {oid}; UPDATE dia_Step SET "
     "\"m_contactDiagnosticList#OID\" = {oid}",
     true, "list {oid} in field 'm_contactDiagnosticList' of dia_Step {step} contains itself",
     kStepList},
    // Each step was flushed on its own: two runs of one element.
    {"UPDATE \"##List\" SET count = 2147483647 WHERE list = {oid}", true,
     "list {oid} has a run at 1 of 2147483647 elements in 12 bytes", kStepList},
    {"UPDATE \"##List\" SET entries = CAST(x'11002b00' || substr(entries, 5) AS BLOB) WHERE list "
     "= {oid}",
     true, "element 0 of list {oid} is a dia_Residual where a dia_Step belongs", kStepList},
};

// `text` with every `key` replaced by `value`.
std::string Replaced(std::string text, const std::string& key, const std::string& value) {
  for (std::size_t at; (at = text.find(key)) != std::string::npos;)
    text.replace(at, key.size(), value);
  return text;
}

}  // namespace

TEST_F(DamagedFiles, EveryVariantReadsBackWholeOrRaisesAClearError) {
  const std::string variant = dir.Path("variant.ddb");
  ASSERT_NE(expected.find("step 2"), std::string::npos);
  const long variants = Setting("DDB_DAMAGE_VARIANTS", 2100);
  Generator generator(job, static_cast<std::uint64_t>(Setting("DDB_DAMAGE_SEED", 20261206)));
  std::map<int, long> outcomes;
  for (int i = 0; i < variants; ++i) {
    std::string what = generator.Make(i, variant);
    const int outcome = ReadInChild(variant);
    ++outcomes[outcome];
    if (outcome != kExact && outcome != kError)
      ADD_FAILURE() << "variant " << i << " (" << what << "): " << OutcomeName(outcome);
  }
  std::string summary;
  for (const auto& o : outcomes)
    summary += std::string(" ") + OutcomeName(o.first) + "=" + std::to_string(o.second);
  std::printf("%ld variants:%s\n", variants, summary.c_str());
}

TEST_F(DamageMessages, EachDamageNamesTheFileTheClassAndTheObject) {
  const std::string step = ddb_test::QueryText(job, "SELECT OID FROM dia_Step ORDER BY OID");
  for (const Case& c : kCases) {
    const std::string oid = c.oid ? ddb_test::QueryText(job, c.oid) : "";
    auto filled = [&](const char* text) {
      return Replaced(Replaced(text, "{oid}", oid), "{step}", step);
    };
    EXPECT_EQ(Read(Variant(filled(c.sql), c.seal)), filled(c.message)) << c.sql;
  }
}

TEST_F(DamageMessages, FileOfLayout1WithoutChecksumsReadsBackWhole) {
  std::string path = dir.Path("layout1.ddb");
  WriteBytes(path, ReadBytes(job));
  ddb_test::StripChecksums(path);
  EXPECT_EQ(Read(path), "exact");
}
