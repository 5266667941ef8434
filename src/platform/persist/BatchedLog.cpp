#include "platform/persist/BatchedLog.h"

#include <algorithm>
#include <mutex>
#include <new>
#include <string>

namespace rom_detail {
namespace {

// The log's own header, then per frame a header and a page.
constexpr sqlite3_int64 kLogHeaderBytes = 32;
constexpr int kFrameHeaderBytes = 24;
// Gathered bytes are handed over at the latest at this size (a transaction larger than the
// page cache spills frames before its commit), in writes of at most a largest page: the
// default VFS takes no larger write.
constexpr std::size_t kMostGathered = 1 << 18;
constexpr std::size_t kLargestWrite = 1 << 16;

sqlite3_vfs* g_base = nullptr;

// A log file: the default VFS's file, and the writes gathered for it. SQLite allocates the
// room for both (szOsFile); `real` lives right after this object.
struct LogFile {
  sqlite3_file file;
  sqlite3_file* real;
  std::string gathered;
  sqlite3_int64 start = 0;
  // Where the page of the commit frame whose header was just written begins; -1 when none.
  sqlite3_int64 commitPageAt = -1;
};

constexpr std::size_t kRealOffset = (sizeof(LogFile) + 7) & ~std::size_t{7};

LogFile& Log(sqlite3_file* file) {
  return *reinterpret_cast<LogFile*>(file);
}

const sqlite3_io_methods& Real(const LogFile& log) {
  return *log.real->pMethods;
}

int HandOver(LogFile& log) {
  int rc = SQLITE_OK;
  for (std::size_t at = 0; at < log.gathered.size() && rc == SQLITE_OK; at += kLargestWrite) {
    const std::size_t size = std::min(kLargestWrite, log.gathered.size() - at);
    rc = Real(log).xWrite(log.real, log.gathered.data() + at, static_cast<int>(size),
                          log.start + static_cast<sqlite3_int64>(at));
  }
  log.gathered.clear();
  log.commitPageAt = -1;
  return rc;
}

// A frame header's second word is the database size after a commit, 0 in other frames.
bool IsCommitFrameHeader(const void* data, int size, sqlite3_int64 offset) {
  if (size != kFrameHeaderBytes || offset < kLogHeaderBytes) return false;
  const auto* bytes = static_cast<const unsigned char*>(data);
  return (bytes[4] | bytes[5] | bytes[6] | bytes[7]) != 0;
}

int LogWrite(sqlite3_file* file, const void* data, int size, sqlite3_int64 offset) {
  LogFile& log = Log(file);
  if (!log.gathered.empty() &&
      offset != log.start + static_cast<sqlite3_int64>(log.gathered.size())) {
    if (const int rc = HandOver(log); rc != SQLITE_OK) return rc;
  }
  if (log.gathered.empty()) log.start = offset;
  log.gathered.append(static_cast<const char*>(data), static_cast<std::size_t>(size));
  const bool completesCommit = offset == log.commitPageAt;
  log.commitPageAt = IsCommitFrameHeader(data, size, offset) ? offset + size : -1;
  if (completesCommit || log.gathered.size() >= kMostGathered) return HandOver(log);
  return SQLITE_OK;
}

int LogClose(sqlite3_file* file) {
  LogFile& log = Log(file);
  const int handed = HandOver(log);
  const int closed = Real(log).xClose(log.real);
  log.~LogFile();
  return handed != SQLITE_OK ? handed : closed;
}

// A call passed on to the real file; with `kHandOverFirst`, after the gathered writes.
template <auto kMethod, bool kHandOverFirst>
struct Forward;
template <class... Args, int (*sqlite3_io_methods::*kMethod)(sqlite3_file*, Args...),
          bool kHandOverFirst>
struct Forward<kMethod, kHandOverFirst> {
  static int Call(sqlite3_file* file, Args... args) {
    LogFile& log = Log(file);
    if (kHandOverFirst) {
      if (const int rc = HandOver(log); rc != SQLITE_OK) return rc;
    }
    return (Real(log).*kMethod)(log.real, args...);
  }
};

template <auto kMethod>
constexpr auto kAfterHandOver = &Forward<kMethod, true>::Call;
template <auto kMethod>
constexpr auto kDirect = &Forward<kMethod, false>::Call;

// Version 1: a log is never mapped into memory nor used for shared memory. Whatever else is
// done with the log hands the gathered writes over first; locks and queries pass straight on.
using M = sqlite3_io_methods;
const sqlite3_io_methods kLogMethods = {1,
                                        &LogClose,
                                        kAfterHandOver<&M::xRead>,
                                        &LogWrite,
                                        kAfterHandOver<&M::xTruncate>,
                                        kAfterHandOver<&M::xSync>,
                                        kAfterHandOver<&M::xFileSize>,
                                        kDirect<&M::xLock>,
                                        kDirect<&M::xUnlock>,
                                        kDirect<&M::xCheckReservedLock>,
                                        kAfterHandOver<&M::xFileControl>,
                                        kDirect<&M::xSectorSize>,
                                        kDirect<&M::xDeviceCharacteristics>,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr};

int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
  if (!(flags & SQLITE_OPEN_WAL)) return g_base->xOpen(g_base, name, file, flags, outFlags);
  auto* log = new (file) LogFile{};
  log->real = reinterpret_cast<sqlite3_file*>(reinterpret_cast<char*>(file) + kRealOffset);
  const int rc = g_base->xOpen(g_base, name, log->real, flags, outFlags);
  if (rc != SQLITE_OK || !log->real->pMethods) {
    if (log->real->pMethods) Real(*log).xClose(log->real);
    log->~LogFile();
    file->pMethods = nullptr;
    return rc != SQLITE_OK ? rc : SQLITE_CANTOPEN;
  }
  file->pMethods = &kLogMethods;
  return SQLITE_OK;
}

}  // namespace

sqlite3_vfs* BatchedLogVfs() {
  static std::once_flag once;
  static sqlite3_vfs vfs;
  std::call_once(once, [] {
    g_base = sqlite3_vfs_find(nullptr);
    vfs = *g_base;
    vfs.szOsFile = static_cast<int>(kRealOffset) + g_base->szOsFile;
    vfs.zName = "ddb";
    vfs.pNext = nullptr;
    vfs.xOpen = &Open;
    sqlite3_vfs_register(&vfs, 0);
  });
  return &vfs;
}

}  // namespace rom_detail
