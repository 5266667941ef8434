// omi_Timer: a stopwatch on the monotonic clock.
//
// Starts when constructed; Elapsed() gives the seconds since the start (or the last Restart()) as
// a double. A value object; one instance is not meant to be shared between threads.
#pragma once

#include <chrono>

class omi_Timer {
 public:
  omi_Timer() : m_start(Clock::now()) {}

  void Restart() { m_start = Clock::now(); }
  double Elapsed() const { return std::chrono::duration<double>(Clock::now() - m_start).count(); }

 private:
  using Clock = std::chrono::steady_clock;
  Clock::time_point m_start;
};
