// thr_ThreadSingleton<T>: one instance of T per thread, created on first use.
//
// Use as a CRTP base: class X : public thr_ThreadSingleton<X>. X's default constructor must be
// reachable from the base (public, or private with `friend class thr_ThreadSingleton<X>;`).
//
// Each T has a thread-local slot (a pthread key) and a process-wide live-instance count. The slot
// is allocated when the count goes from 0 to 1 and freed when it returns to 0; both happen under
// thr_GlobalLock. Instance() registers T::Finalize with thr_ThrSingletonRegistry, so a thread's
// instance is destroyed when the thread ends. Finalize() destroys the calling thread's instance and
// returns 1, or returns 0 when there was none; destroy instances only through it. An instance
// belongs to its thread: do not hand it to another thread.
#pragma once

#include <pthread.h>

#include <atomic>
#include <cstdlib>

#include "ddb/platform/thr_GlobalLock.h"
#include "ddb/platform/thr_ThrSingletonRegistry.h"

template <class T>
class thr_ThreadSingleton {
 public:
  static T& Instance() {
    State& s = GetState();
    if (s.count.load(std::memory_order_acquire) >= 1) {
      if (T* current = Current()) return *current;
    }
    thr_ThrSingletonRegistry::Register(&thr_ThreadSingleton<T>::Finalize);
    T* created = new T();
    pthread_setspecific(s.slot, created);
    if (Current() != created) std::abort();
    return *created;
  }

  static int Finalize() {
    State& s = GetState();
    if (s.count.load(std::memory_order_acquire) == 0) return 0;
    T* current = Current();
    if (!current) return 0;
    pthread_setspecific(s.slot, nullptr);
    delete current;
    return 1;
  }

  // Number of live instances of T over all threads.
  static int LiveCount() { return GetState().count.load(std::memory_order_acquire); }

  thr_ThreadSingleton(const thr_ThreadSingleton&) = delete;
  thr_ThreadSingleton& operator=(const thr_ThreadSingleton&) = delete;

 protected:
  thr_ThreadSingleton() {
    State& s = GetState();
    thr_GlobalLock::Guard guard;
    if (s.count.load(std::memory_order_relaxed) == 0 && pthread_key_create(&s.slot, nullptr) != 0)
      std::abort();
    s.count.fetch_add(1, std::memory_order_release);
  }
  // Also runs when T's constructor throws, so the count never keeps an instance that was not made.
  virtual ~thr_ThreadSingleton() {
    State& s = GetState();
    thr_GlobalLock::Guard guard;
    if (s.count.fetch_sub(1, std::memory_order_acq_rel) == 1) pthread_key_delete(s.slot);
  }

 private:
  struct State {
    pthread_key_t slot{};
    std::atomic<int> count{0};
  };

  static State& GetState() {
    static State& state = *new State;
    return state;
  }

  static T* Current() { return static_cast<T*>(pthread_getspecific(GetState().slot)); }
};
