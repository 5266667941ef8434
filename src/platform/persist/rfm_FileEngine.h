// The storage engine's side of an rfm_File: its SQLite connection and the statements of its read
// snapshots. Private to the persistence layer: the store runs its statements on the connection,
// and the tests and benchmarks that must reach below the library (a disk made full, statements
// timed) take it from here. Nothing public names the engine's types.
#pragma once

#include <sqlite3.h>

#include "ddb/platform/rfm_File.h"

struct rfm_File::Engine {
  sqlite3* db = nullptr;
  sqlite3_stmt* beginRead = nullptr;
  sqlite3_stmt* endRead = nullptr;
};

// The file's connection; it changes when a created file is published.
inline sqlite3* rfm_Connection(const rfm_File& file) {
  return file.GetEngine().db;
}
