#include "ddb/platform/thr_GlobalLock.h"

#include <mutex>

namespace {

std::recursive_mutex& ProcessMutex() {
  static auto& mutex = *new std::recursive_mutex;
  return mutex;
}

}  // namespace

void thr_GlobalLock::Lock() {
  ProcessMutex().lock();
}

void thr_GlobalLock::Unlock() {
  ProcessMutex().unlock();
}
