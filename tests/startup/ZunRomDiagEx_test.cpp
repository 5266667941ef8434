#include "ddb/frame/ZunRomDiagEx.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ddb/database/ddr_Root.h"
#include "ddb/frame/ZunRomDdr.h"
#include "ddb/frame/ZunRomDia.h"
#include "ddb/platform/typ_ArchCompTable.h"
#include "platform/BaseLibraries.h"
#include "platform/persist/dbc_OldClassRegistrar.h"

namespace {

using Log = std::vector<std::string>;

const Log kStartUp = {
    "ZunRomCore_initialize",   "ZunKelGeom_initialize", "ZunKelBasicUtils_initialize",
    "ZunBasShared_initialize", "ZunBasVelt_initialize", "ZunBasCoreUtils_initialize",
    "ZunBasAlloc_initialize",  "ZunRomDia_initialize",  "ZunRomDdr_initialize",
};

const Log kShutDown = {
    "ZunRomDdr_finalize",        "ZunRomDia_finalize",  "ZunBasAlloc_finalize",
    "ZunBasCoreUtils_finalize",  "ZunBasVelt_finalize", "ZunBasShared_finalize",
    "ZunKelBasicUtils_finalize", "ZunKelGeom_finalize", "ZunRomCore_finalize",
};

Log With(const char* first, const Log& rest) {
  Log log{first};
  log.insert(log.end(), rest.begin(), rest.end());
  return log;
}

// The calls logged while running f.
template <class F>
Log Calls(F f) {
  BaseLibraries_ClearCallLog();
  f();
  return BaseLibraries_CallLog();
}

// Runs checks in a forked child, where the library may be shut down without disturbing the rest of
// the test program; a failed check prints its line on stderr and makes the child exit with 1.
#define CHILD_CHECK(cond)                                                     \
  do {                                                                        \
    if (!(cond)) {                                                            \
      std::fprintf(stderr, "check failed at line %d: %s\n", __LINE__, #cond); \
      _exit(1);                                                               \
    }                                                                         \
  } while (0)

TEST(ZunRomDiagEx_Counting, LoadCountsAsTheFirstInitialise) {
  EXPECT_EQ(ZunRomDiagEx_LibraryCount(), 1);
  EXPECT_EQ(ZunRomDiagEx_SpecificCount(), 1);
  EXPECT_EQ(ZunRomDia_Count(), 1);
  EXPECT_EQ(ZunRomDdr_Count(), 1);
  EXPECT_TRUE(typ_ArchCompTable::HasComponent(dia_Component));
  EXPECT_TRUE(typ_ArchCompTable::HasComponent(ddr_Component));
}

// A client's initialise/finalise pair around a running library does no work and leaves its
// counter; the last finalise shuts down in reverse and moves it, the first initialise starts up.
void ShutDownAndRestart() {
  int n = 0;
  CHILD_CHECK(Calls([&] { ZunRomDiagEx_initialize(n); }) == Log{"ZunRomDiagEx_initialize"});
  CHILD_CHECK(n == 0 && ZunRomDiagEx_LibraryCount() == 2);
  CHILD_CHECK(Calls([&] { ZunRomDiagEx_finalize(n); }) == Log{"ZunRomDiagEx_finalize"});
  CHILD_CHECK(n == 0 && ZunRomDiagEx_LibraryCount() == 1);
  n = 2;
  Log log = Calls([&] { ZunRomDiagEx_finalize(n); });
  CHILD_CHECK(log == With("ZunRomDiagEx_finalize", kShutDown));
  CHILD_CHECK(n == 0);
  CHILD_CHECK(ZunRomDiagEx_LibraryCount() == 0 && ZunRomDiagEx_SpecificCount() == 0);
  CHILD_CHECK(ZunRomDia_Count() == 0 && ZunRomDdr_Count() == 0);
  CHILD_CHECK(!typ_ArchCompTable::HasComponent(dia_Component));

  log = Calls([&] { ZunRomDiagEx_initialize(n); });
  CHILD_CHECK(log == With("ZunRomDiagEx_initialize", kStartUp));
  CHILD_CHECK(n == 2);
  CHILD_CHECK(typ_ArchCompTable::HasComponent(dia_Component));
  CHILD_CHECK(typ_ArchCompTable::HasComponent(ddr_Component));
  // Registration is kept once; the root comes back on first use, with every class.
  CHILD_CHECK(dbc_OldClassRegistrar::Instance().Versions().size() == 53);
  CHILD_CHECK(!ddr_Root::Exists());
  CHILD_CHECK(ddr_Root::Instance().GetClassRegistrar() != nullptr);
  CHILD_CHECK(ddr_Root::Instance().GetClassRegistrar()->Find(0x220006) != nullptr);
  // Of two later pairs, the second finalise runs the shutdown.
  CHILD_CHECK(Calls([&] { ZunRomDiagEx_initialize(n); }) == Log{"ZunRomDiagEx_initialize"});
  CHILD_CHECK(Calls([&] { ZunRomDiagEx_finalize(n); }) == Log{"ZunRomDiagEx_finalize"});
  CHILD_CHECK(n == 2 && typ_ArchCompTable::HasComponent(dia_Component));
  log = Calls([&] { ZunRomDiagEx_finalize(n); });
  CHILD_CHECK(n == 0 && log == With("ZunRomDiagEx_finalize", kShutDown));
  _exit(0);
}

TEST(ZunRomDiagEx_Counting, LastFinaliseShutsDownInReverseAndFirstInitialiseAddsTwo) {
  EXPECT_EXIT(ShutDownAndRestart(), ::testing::ExitedWithCode(0), "");
}

TEST(ZunRomDiagEx_Specific, MovesCallerCounterOnlyAtZero) {
  int n = 10;
  ZunRomDiagEx_specific_initialize(n);
  EXPECT_EQ(n, 10);
  ZunRomDiagEx_specific_finalize(n);
  EXPECT_EQ(n, 10);
  EXPECT_EXIT(
      {
        int m = 10;
        ZunRomDiagEx_specific_finalize(m);
        CHILD_CHECK(m == 9 && ZunRomDiagEx_SpecificCount() == 0);
        ZunRomDiagEx_specific_initialize(m);
        CHILD_CHECK(m == 10 && ZunRomDiagEx_SpecificCount() == 1);
        CHILD_CHECK(ZunRomDiagEx_LibraryCount() == 1);
        _exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

// Each module counts on its own; its last finalise and first initialise move the caller's counter.
void ModuleRestart() {
  int n = 0;
  ZunRomDia_initialize(n);
  CHILD_CHECK(n == 0 && ZunRomDia_Count() == 2);
  ZunRomDia_finalize(n);
  n = 5;
  ZunRomDia_finalize(n);
  CHILD_CHECK(n == 4 && ZunRomDia_Count() == 0 && ZunRomDdr_Count() == 1);
  ZunRomDdr_finalize(n);
  CHILD_CHECK(n == 3 && ZunRomDdr_Count() == 0 && ZunRomDiagEx_LibraryCount() == 1);
  typ_ArchCompTable::Clear();
  Log log = Calls([&] { ZunRomDia_initialize(n); });
  CHILD_CHECK(n == 4 && log == Log{"ZunRomDia_initialize"});
  CHILD_CHECK(typ_ArchCompTable::HasComponent(dia_Component));
  CHILD_CHECK(!typ_ArchCompTable::HasComponent(ddr_Component));
  ZunRomDdr_initialize(n);
  CHILD_CHECK(n == 5 && typ_ArchCompTable::HasComponent(ddr_Component));
  _exit(0);
}

TEST(ZunRomDia_Counting, LastModuleFinaliseAndFirstInitialiseMoveCallerCounter) {
  EXPECT_EXIT(ModuleRestart(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
