#include "platform/BaseLibraries.h"

#include <cstdio>
#include <map>
#include <mutex>

#include "ddb/platform/ZunBasUtlVersion.h"
#include "ddb/platform/atr_String.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"
#include "ddb/platform/thr_GlobalLock.h"
#include "ddb/platform/thr_ThrSingletonRegistry.h"
#include "ddb/platform/typ_ArchCompTable.h"
#include "platform/ZunBasI18n.h"
#include "platform/typ_DebugFlags.h"

template class omi_Singleton<ZunBasUtlVersion>;

namespace {

struct CallLog {
  std::mutex mutex;
  std::vector<std::string> entries;
};

CallLog& Log() {
  static auto& log = *new CallLog;
  return log;
}

std::map<std::string, int>& Counters() {
  static auto& counters = *new std::map<std::string, int>;
  return counters;
}

// Counts the call and tells whether it is the first initialise (delta +1) or the last finalise
// (delta -1) of the library.
bool Step(const std::string& library, int delta) {
  BaseLibraries_LogCall((library + (delta > 0 ? "_initialize" : "_finalize")).c_str());
  int& count = Counters()[library];
  count += delta;
  return delta > 0 ? count == 1 : count == 0;
}

long& AllocBaseline() {
  static long baseline = 0;
  return baseline;
}

}  // namespace

void BaseLibraries_LogCall(const char* entry) {
  CallLog& log = Log();
  std::lock_guard<std::mutex> lock(log.mutex);
  log.entries.emplace_back(entry);
}

std::vector<std::string> BaseLibraries_CallLog() {
  CallLog& log = Log();
  std::lock_guard<std::mutex> lock(log.mutex);
  return log.entries;
}

void BaseLibraries_ClearCallLog() {
  CallLog& log = Log();
  std::lock_guard<std::mutex> lock(log.mutex);
  log.entries.clear();
}

int BaseLibraries_Count(const std::string& library) {
  auto it = Counters().find(library);
  return it == Counters().end() ? 0 : it->second;
}

void ZunRomCore_initialize(int&) {
  if (!Step("ZunRomCore", +1)) return;
  typ_ArchCompTable::Clear();
  typ_DebugFlags::Reset();
}

void ZunRomCore_finalize(int&) {
  if (!Step("ZunRomCore", -1)) return;
  typ_ArchCompTable::Clear();
  typ_DebugFlags::Reset();
}

void ZunKelGeom_initialize(int&) {
  if (!Step("ZunKelGeom", +1)) return;
  thr_GlobalLock::Guard createsTheLock;
}

// Per-thread singletons of the shutting-down thread go with the threading base; other threads'
// instances are finalised when those threads end.
void ZunKelGeom_finalize(int&) {
  if (!Step("ZunKelGeom", -1)) return;
  thr_ThrSingletonRegistry::FinalizeCallingThread();
}

void ZunKelBasicUtils_initialize(int&) {
  if (!Step("ZunKelBasicUtils", +1)) return;
  atr_String::SetTranslator(nullptr);
}

void ZunKelBasicUtils_finalize(int&) {
  if (!Step("ZunKelBasicUtils", -1)) return;
  atr_String::SetTranslator(nullptr);
}

void ZunBasShared_initialize(int&) {
  if (!Step("ZunBasShared", +1)) return;
  cow_String::SetNaturalOrder(false);
}

void ZunBasShared_finalize(int&) {
  if (!Step("ZunBasShared", -1)) return;
  cow_String::SetNaturalOrder(false);
}

void ZunBasVelt_initialize(int&) {
  if (!Step("ZunBasVelt", +1)) return;
  ZunBasI18n::Initialize();
}

void ZunBasVelt_finalize(int&) {
  if (!Step("ZunBasVelt", -1)) return;
  ZunBasI18n::Finalize();
}

void ZunBasCoreUtils_initialize(int&) {
  if (!Step("ZunBasCoreUtils", +1)) return;
  ZunBasUtlVersion::Instance();
}

void ZunBasCoreUtils_finalize(int&) {
  if (!Step("ZunBasCoreUtils", -1)) return;
  ZunBasUtlVersion::Finalize();
}

void ZunBasAlloc_initialize(int&) {
  if (!Step("ZunBasAlloc", +1)) return;
  AllocBaseline() = mem_AllocationOperators::LiveObjects();
}

void ZunBasAlloc_finalize(int&) {
  if (!Step("ZunBasAlloc", -1)) return;
  const long leaked = mem_AllocationOperators::LiveObjects() - AllocBaseline();
  if (typ_DebugFlags::GetDebugFlags(ZunBasAlloc_DebugModule) != 0)
    std::fprintf(stderr, "ZunBasAlloc: %ld objects still allocated at shutdown\n", leaked);
}
