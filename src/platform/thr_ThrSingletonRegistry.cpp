#include "ddb/platform/thr_ThrSingletonRegistry.h"

#include <algorithm>
#include <vector>

namespace {

// Set once the calling thread's registry has been destroyed: at process exit the main thread's
// thread-local objects go before the library's unload code runs, which may still ask for it.
// A trivially destructible flag stays readable after that.
thread_local bool t_registryGone = false;

// The calling thread's finalisers; its destructor runs them when the thread ends.
class ThreadRegistry {
 public:
  ~ThreadRegistry() {
    RunAll();
    t_registryGone = true;
  }

  void Add(thr_ThrSingletonRegistry::FinalizeFn fn) {
    if (std::find(m_functions.begin(), m_functions.end(), fn) == m_functions.end())
      m_functions.push_back(fn);
  }

  int RunAll() {
    int destroyed = 0;
    while (!m_functions.empty()) {
      thr_ThrSingletonRegistry::FinalizeFn fn = m_functions.back();
      m_functions.pop_back();
      destroyed += fn();
    }
    return destroyed;
  }

  int Size() const { return static_cast<int>(m_functions.size()); }

 private:
  std::vector<thr_ThrSingletonRegistry::FinalizeFn> m_functions;
};

ThreadRegistry& CallingThreadRegistry() {
  thread_local ThreadRegistry registry;
  return registry;
}

}  // namespace

void thr_ThrSingletonRegistry::Register(FinalizeFn finalize) {
  if (finalize) CallingThreadRegistry().Add(finalize);
}

int thr_ThrSingletonRegistry::FinalizeCallingThread() {
  return CallingThreadRegistry().RunAll();
}

int thr_ThrSingletonRegistry::RegisteredCount() {
  return CallingThreadRegistry().Size();
}
