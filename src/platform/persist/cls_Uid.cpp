#include "ddb/platform/cls_Uid.h"

#include <atomic>
#include <chrono>

namespace {

// Sixteen identities per microsecond of wall time since 1970: a later process starts above
// whatever an earlier one could have allocated unless that one sustained more than that rate.
std::atomic<std::int64_t>& Next() {
  static std::atomic<std::int64_t> next{std::chrono::duration_cast<std::chrono::microseconds>(
                                            std::chrono::system_clock::now().time_since_epoch())
                                            .count() *
                                        16};
  return next;
}

}  // namespace

cls_Uid cls_Uid::AllocateUid() {
  return cls_Uid(Next().fetch_add(1) + 1);
}

void cls_Uid::ReserveAbove(std::int64_t stored) {
  std::atomic<std::int64_t>& next = Next();
  std::int64_t current = next.load();
  while (current < stored && !next.compare_exchange_weak(current, stored)) {
  }
}
