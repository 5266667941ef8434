#include "ddb/frame/ZunRomDiagEx.h"

#include <cstdio>
#include <exception>

#include "ddb/frame/ZunRomDdr.h"
#include "ddb/frame/ZunRomDia.h"
#include "platform/BaseLibraries.h"
#include "startup/Registration.h"

namespace {

int& LibraryCounter() {
  static int count = 0;
  return count;
}

int& SpecificCounter() {
  static int count = 0;
  return count;
}

// The modules account for their own counters on a counter of the library's, so that the caller's
// counter moves only for the library and specific counters (by 2 on the first initialise).
int& ModuleOwnerCounter() {
  static int count = 0;
  return count;
}

void InitializeAll(int& n) {
  ZunRomCore_initialize(n);
  ZunKelGeom_initialize(n);
  ZunKelBasicUtils_initialize(n);
  ZunBasShared_initialize(n);
  ZunBasVelt_initialize(n);
  ZunBasCoreUtils_initialize(n);
  ZunBasAlloc_initialize(n);
  ZunRomDia_initialize(ModuleOwnerCounter());
  ZunRomDdr_initialize(ModuleOwnerCounter());
}

void FinalizeAll(int& n) {
  ZunRomDdr_finalize(ModuleOwnerCounter());
  ZunRomDia_finalize(ModuleOwnerCounter());
  ZunBasAlloc_finalize(n);
  ZunBasCoreUtils_finalize(n);
  ZunBasVelt_finalize(n);
  ZunBasShared_finalize(n);
  ZunKelBasicUtils_finalize(n);
  ZunKelGeom_finalize(n);
  ZunRomCore_finalize(n);
}

// The counter that process attach and detach pass as their int&.
int& AttachCounter() {
  static int count = 0;
  return count;
}

__attribute__((constructor)) void OnLibraryLoad() {
  ZunRomDiagEx_initialize(AttachCounter());
}

// Unloading cannot raise: a database that cannot be closed is reported on stderr and left as
// its last flush stored it.
__attribute__((destructor)) void OnLibraryUnload() {
  try {
    ZunRomDiagEx_finalize(AttachCounter());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "ddb: closing the open databases at unload failed: %s\n", e.what());
  }
}

}  // namespace

void ZunRomDiagEx_initialize(int& n) {
  BaseLibraries_LogCall("ZunRomDiagEx_initialize");
  if (LibraryCounter()++ != 0) return;
  ++n;
  InitializeAll(n);
  if (SpecificCounter()++ == 0) ++n;
}

void ZunRomDiagEx_finalize(int& n) {
  BaseLibraries_LogCall("ZunRomDiagEx_finalize");
  if (LibraryCounter() == 1 && ZunRomDdr_Count() == 1) ddr_CloseOpenDatabases();
  if (--LibraryCounter() != 0) return;
  --n;
  if (--SpecificCounter() == 0) --n;
  FinalizeAll(n);
}

void ZunRomDiagEx_specific_initialize(int& n) {
  BaseLibraries_LogCall("ZunRomDiagEx_specific_initialize");
  if (SpecificCounter()++ == 0) ++n;
}

void ZunRomDiagEx_specific_finalize(int& n) {
  BaseLibraries_LogCall("ZunRomDiagEx_specific_finalize");
  if (--SpecificCounter() == 0) --n;
}

int ZunRomDiagEx_LibraryCount() {
  return LibraryCounter();
}

int ZunRomDiagEx_SpecificCount() {
  return SpecificCounter();
}
