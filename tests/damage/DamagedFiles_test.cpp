// Damaged copies of a real job file: every copy either reads back exactly the job that was
// written or raises the library's exception naming the file. Nothing crashes, hangs, raises
// anything else or returns a wrong value. DDB_DAMAGE_SEED and DDB_DAMAGE_VARIANTS choose another
// run (bench/damaged_files runs a long one; fuzz/make_corpus writes the variants of a seed).
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "Damage.h"
#include "JobTree.h"
#include "TestFiles.h"

using namespace ddb_damage;

namespace {

long Setting(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::atol(text) : fallback;
}

const char* OutcomeName(Outcome o) {
  static const char* names[] = {
      "exact", "error", "WRONG VALUES", "UNCLEAR ERROR", "FOREIGN EXCEPTION", "CRASH", "HANG"};
  return names[static_cast<int>(o)];
}

}  // namespace

TEST(DamagedFiles, EveryVariantReadsBackWholeOrRaisesAClearError) {
  ddb_test::ScratchDir dir;
  const std::string pristine = dir.Path("job.ddb");
  const std::string variant = dir.Path("variant.ddb");
  WriteJob(pristine);
  const std::string expected = ReadJob(pristine);
  ASSERT_NE(expected.find("step 2"), std::string::npos);

  const long variants = Setting("DDB_DAMAGE_VARIANTS", 2100);
  Generator generator(pristine, static_cast<std::uint64_t>(Setting("DDB_DAMAGE_SEED", 20261206)));
  std::map<Outcome, long> outcomes;
  for (int i = 0; i < variants; ++i) {
    std::string what = generator.Make(i, variant);
    const Outcome outcome = ReadInChild(variant, expected, ReadJob, 20);
    ++outcomes[outcome];
    if (outcome != Outcome::Exact && outcome != Outcome::Error)
      ADD_FAILURE() << "variant " << i << " (" << what << "): " << OutcomeName(outcome);
  }
  std::string summary;
  for (const auto& o : outcomes)
    summary += std::string(" ") + OutcomeName(o.first) + "=" + std::to_string(o.second);
  std::printf("%ld variants:%s\n", variants, summary.c_str());
  EXPECT_EQ(outcomes[Outcome::Exact] + outcomes[Outcome::Error], variants);
}
