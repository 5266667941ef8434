#include "ddb/platform/mem_AllocationOperators.h"

#include <atomic>
#include <new>

namespace {
std::atomic<long> g_live{0};
}

void* mem_AllocationOperators::operator new(std::size_t size) {
  void* p = ::operator new(size);
  ++g_live;
  return p;
}

void mem_AllocationOperators::operator delete(void* p) noexcept {
  if (!p) return;
  --g_live;
  ::operator delete(p);
}

void* mem_AllocationOperators::operator new[](std::size_t size) {
  void* p = ::operator new[](size);
  ++g_live;
  return p;
}

void mem_AllocationOperators::operator delete[](void* p) noexcept {
  if (!p) return;
  --g_live;
  ::operator delete[](p);
}

long mem_AllocationOperators::LiveObjects() {
  return g_live;
}
