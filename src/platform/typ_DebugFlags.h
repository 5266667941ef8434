// typ_DebugFlags: per-module debug switches of the base libraries.
//
// A module (identified by its component number) has a flags word, 0 unless a host or test sets
// it; code may consult it to decide whether to write diagnostics to the debug stream (stderr).
// Reset() clears every module's flags. Thread-safe (under thr_GlobalLock).
#pragma once

class typ_DebugFlags {
 public:
  static int GetDebugFlags(int module);
  static void SetDebugFlags(int module, int flags);
  static void Reset();
};
