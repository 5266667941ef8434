#include "ddb/frame/ZunRomDiagEx.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFiles.h"
#include "ddb/database/ddr_Root.h"
#include "ddb/frame/ZunRomDdr.h"
#include "ddb/frame/ZunRomDia.h"
#include "ddb/platform/typ_ArchCompTable.h"
#include "platform/BaseLibraries.h"
#include "platform/persist/dbc_OldClassRegistrar.h"

namespace {

using Log = std::vector<std::string>;

// What the library's first initialise and last finalise call, in order.
const Log kStartUp = {"ZunRomDiagEx_initialize",    "ZunRomCore_initialize",
                      "ZunKelGeom_initialize",      "ZunKelBasicUtils_initialize",
                      "ZunBasShared_initialize",    "ZunBasVelt_initialize",
                      "ZunBasCoreUtils_initialize", "ZunBasAlloc_initialize",
                      "ZunRomDia_initialize",       "ZunRomDdr_initialize"};

const Log kShutDown = {"ZunRomDiagEx_finalize", "ZunRomDdr_finalize",        "ZunRomDia_finalize",
                       "ZunBasAlloc_finalize",  "ZunBasCoreUtils_finalize",  "ZunBasVelt_finalize",
                       "ZunBasShared_finalize", "ZunKelBasicUtils_finalize", "ZunKelGeom_finalize",
                       "ZunRomCore_finalize"};

// The calls logged while running f.
template <class F>
Log Calls(F f) {
  BaseLibraries_ClearCallLog();
  f();
  return BaseLibraries_CallLog();
}

// Loading the library counts as the first initialise. A client's initialise/finalise pair around
// a running library does no work and leaves its counter; the last finalise shuts down in reverse
// and moves it, the first initialise starts up.
void ShutDownAndRestart() {
  int n = 0;
  EXPECT_TRUE(Calls([&] { ZunRomDiagEx_initialize(n); }) == Log{"ZunRomDiagEx_initialize"});
  EXPECT_TRUE(n == 0 && ZunRomDiagEx_LibraryCount() == 2);
  EXPECT_TRUE(Calls([&] { ZunRomDiagEx_finalize(n); }) == Log{"ZunRomDiagEx_finalize"});
  EXPECT_TRUE(n == 0 && ZunRomDiagEx_LibraryCount() == 1);
  n = 2;
  Log log = Calls([&] { ZunRomDiagEx_finalize(n); });
  EXPECT_TRUE(log == kShutDown);
  EXPECT_TRUE(n == 0);
  EXPECT_TRUE(ZunRomDiagEx_LibraryCount() == 0 && ZunRomDiagEx_SpecificCount() == 0);
  EXPECT_TRUE(ZunRomDia_Count() == 0 && ZunRomDdr_Count() == 0);
  EXPECT_TRUE(!typ_ArchCompTable::HasComponent(dia_Component));

  log = Calls([&] { ZunRomDiagEx_initialize(n); });
  EXPECT_TRUE(log == kStartUp);
  EXPECT_TRUE(n == 2);
  EXPECT_TRUE(typ_ArchCompTable::HasComponent(dia_Component));
  EXPECT_TRUE(typ_ArchCompTable::HasComponent(ddr_Component));
  // Registration is kept once; the root comes back on first use, with every class.
  EXPECT_TRUE(dbc_OldClassRegistrar::Instance().Versions().size() == 53);
  EXPECT_TRUE(!ddr_Root::Exists());
  EXPECT_TRUE(ddr_Root::Instance().GetClassRegistrar() != nullptr);
  EXPECT_TRUE(ddr_Root::Instance().GetClassRegistrar()->Find(0x220006) != nullptr);
  // Of two later pairs, the second finalise runs the shutdown.
  EXPECT_TRUE(Calls([&] { ZunRomDiagEx_initialize(n); }) == Log{"ZunRomDiagEx_initialize"});
  EXPECT_TRUE(Calls([&] { ZunRomDiagEx_finalize(n); }) == Log{"ZunRomDiagEx_finalize"});
  EXPECT_TRUE(n == 2 && typ_ArchCompTable::HasComponent(dia_Component));
  log = Calls([&] { ZunRomDiagEx_finalize(n); });
  EXPECT_TRUE(n == 0 && log == kShutDown);
}

TEST(ZunRomDiagEx_Counting, LastFinaliseShutsDownInReverseAndFirstInitialiseAddsTwo) {
  EXPECT_EQ(ddb_test::InChild(ShutDownAndRestart), 0);
}

TEST(ZunRomDiagEx_Specific, MovesCallerCounterOnlyAtZero) {
  int n = 10;
  ZunRomDiagEx_specific_initialize(n);
  EXPECT_EQ(n, 10);
  ZunRomDiagEx_specific_finalize(n);
  EXPECT_EQ(n, 10);
  EXPECT_EQ(ddb_test::InChild([] {
              int m = 10;
              ZunRomDiagEx_specific_finalize(m);
              EXPECT_TRUE(m == 9 && ZunRomDiagEx_SpecificCount() == 0);
              ZunRomDiagEx_specific_initialize(m);
              EXPECT_TRUE(m == 10 && ZunRomDiagEx_SpecificCount() == 1);
              EXPECT_EQ(ZunRomDiagEx_LibraryCount(), 1);
            }),
            0);
}

// Each module counts on its own; its last finalise and first initialise move the caller's counter.
void ModuleRestart() {
  int n = 0;
  ZunRomDia_initialize(n);
  EXPECT_TRUE(n == 0 && ZunRomDia_Count() == 2);
  ZunRomDia_finalize(n);
  n = 5;
  ZunRomDia_finalize(n);
  EXPECT_TRUE(n == 4 && ZunRomDia_Count() == 0 && ZunRomDdr_Count() == 1);
  ZunRomDdr_finalize(n);
  EXPECT_TRUE(n == 3 && ZunRomDdr_Count() == 0 && ZunRomDiagEx_LibraryCount() == 1);
  typ_ArchCompTable::Clear();
  Log log = Calls([&] { ZunRomDia_initialize(n); });
  EXPECT_TRUE(n == 4 && log == Log{"ZunRomDia_initialize"});
  EXPECT_TRUE(typ_ArchCompTable::HasComponent(dia_Component));
  EXPECT_TRUE(!typ_ArchCompTable::HasComponent(ddr_Component));
  ZunRomDdr_initialize(n);
  EXPECT_TRUE(n == 5 && typ_ArchCompTable::HasComponent(ddr_Component));
}

TEST(ZunRomDia_Counting, LastModuleFinaliseAndFirstInitialiseMoveCallerCounter) {
  EXPECT_EQ(ddb_test::InChild(ModuleRestart), 0);
}

}  // namespace
