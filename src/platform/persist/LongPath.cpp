#include "platform/persist/LongPath.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>

#include "ddb/platform/nex_Exception.h"
#include "platform/persist/BatchedLog.h"

namespace {

// Paths up to this length go to SQLite unchanged; they leave room for "-journal" and "-wal".
constexpr std::size_t kLongestDirect = 400;

int TakeAsItStands(sqlite3_vfs*, const char* name, int size, char* out) {
  if (static_cast<int>(std::strlen(name)) >= size) return SQLITE_CANTOPEN;
  std::strcpy(out, name);
  return SQLITE_OK;
}

const char* AliasVfs() {
  static std::once_flag once;
  static sqlite3_vfs vfs;
  std::call_once(once, [] {
    vfs = *rom_detail::BatchedLogVfs();
    vfs.pNext = nullptr;
    vfs.zName = "ddb-alias";
    vfs.xFullPathname = &TakeAsItStands;
    sqlite3_vfs_register(&vfs, 0);
  });
  return vfs.zName;
}

}  // namespace

SqlitePath::SqlitePath(const std::string& path)
    : m_name(path), m_vfs(rom_detail::BatchedLogVfs()->zName) {
  if (path.size() <= kLongestDirect) return;
  const std::size_t slash = path.rfind('/');
  const std::string directory = slash == 0 ? "/" : path.substr(0, slash);
  m_directory = ::open(directory.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (m_directory < 0)
    DDB_THROW(nex_PrimException, "'%s' cannot be opened: %s", path, std::strerror(errno));
  m_name = "/proc/self/fd/" + std::to_string(m_directory) + path.substr(slash);
  m_vfs = AliasVfs();
}

SqlitePath::~SqlitePath() {
  if (m_directory >= 0) ::close(m_directory);
}
