// thr_ThrSingletonRegistry: per-thread list of singleton finalisers.
//
// Each per-thread singleton class registers its Finalize function on the thread that creates an
// instance. When that thread ends, its registry runs the registered functions, latest first, so
// every per-thread instance the thread created is destroyed on it. A function registered twice on
// one thread is kept once. FinalizeCallingThread runs (and forgets) the calling thread's list now.
// Each thread only ever touches its own list, so no locking is needed.
#pragma once

class thr_ThrSingletonRegistry {
 public:
  using FinalizeFn = int (*)();

  static void Register(FinalizeFn finalize);
  // Runs the calling thread's registered finalisers; returns how many instances they destroyed.
  static int FinalizeCallingThread();
  // Number of finalisers registered on the calling thread.
  static int RegisteredCount();
};
