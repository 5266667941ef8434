// omi_Singleton<T>: one instance of T per process, created on first use.
//
// Use as a CRTP base: class X : public omi_Singleton<X>, with X's default constructor reachable
// from the base. Instance() builds the instance under thr_GlobalLock on first call; the base
// constructor records the object being built, and Instance() aborts if that record is not the
// object it just made (a second, stray construction). Finalize() destroys the instance; a later
// Instance() builds a new one. Creation and destruction are locked; using the instance is not.
#pragma once

#include <cstdlib>

#include "ddb/platform/thr_GlobalLock.h"

template <class T>
class omi_Singleton {
 public:
  static T& Instance() {
    thr_GlobalLock::Guard guard;
    if (Slot()) return *static_cast<T*>(Slot());
    T* created = new T();
    if (Slot() != static_cast<omi_Singleton*>(created)) std::abort();
    return *created;
  }

  static void Finalize() {
    thr_GlobalLock::Guard guard;
    delete static_cast<T*>(Slot());
  }

  static bool Exists() {
    thr_GlobalLock::Guard guard;
    return Slot() != nullptr;
  }

  omi_Singleton(const omi_Singleton&) = delete;
  omi_Singleton& operator=(const omi_Singleton&) = delete;

 protected:
  omi_Singleton() { Slot() = this; }
  virtual ~omi_Singleton() {
    if (Slot() == this) Slot() = nullptr;
  }

 private:
  static omi_Singleton*& Slot();
};

template <class T>
omi_Singleton<T>*& omi_Singleton<T>::Slot() {
  static omi_Singleton* instance = nullptr;
  return instance;
}
