// mem_AllocationOperators: the allocation mix-in of persistent classes. Heap objects of the
// records go through the suite allocator; here that allocator is the C++ runtime's, counted so
// that tests and benchmarks can see live allocations. Thread-safe (the counter is atomic).
#pragma once

#include <cstddef>

class mem_AllocationOperators {
 public:
  static void* operator new(std::size_t size);
  static void operator delete(void* p) noexcept;
  static void* operator new[](std::size_t size);
  static void operator delete[](void* p) noexcept;
  // Number of objects allocated through this mix-in and not yet freed.
  static long LiveObjects();
};
