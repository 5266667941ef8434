// thr_GlobalLock: the process-wide lock of the base libraries.
//
// One recursive mutex for the whole process, guarding the bookkeeping of singletons (per-thread
// slot allocation and live-instance counts, process-singleton creation). It is recursive because a
// singleton's constructor may itself ask for another singleton while the lock is held. Use
// thr_GlobalLock::Guard for scoped locking; Lock/Unlock must be balanced on the same thread.
#pragma once

class thr_GlobalLock {
 public:
  static void Lock();
  static void Unlock();

  class Guard {
   public:
    Guard() { thr_GlobalLock::Lock(); }
    ~Guard() { thr_GlobalLock::Unlock(); }
    Guard(const Guard&) = delete;
    Guard& operator=(const Guard&) = delete;
  };
};
