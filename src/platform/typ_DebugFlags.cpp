#include "platform/typ_DebugFlags.h"

#include <map>

#include "ddb/platform/thr_GlobalLock.h"

namespace {

std::map<int, int>& Flags() {
  static auto& flags = *new std::map<int, int>;
  return flags;
}

}  // namespace

int typ_DebugFlags::GetDebugFlags(int module) {
  thr_GlobalLock::Guard guard;
  auto it = Flags().find(module);
  return it == Flags().end() ? 0 : it->second;
}

void typ_DebugFlags::SetDebugFlags(int module, int flags) {
  thr_GlobalLock::Guard guard;
  Flags()[module] = flags;
}

void typ_DebugFlags::Reset() {
  thr_GlobalLock::Guard guard;
  Flags().clear();
}
