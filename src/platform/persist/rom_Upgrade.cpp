#include "platform/persist/rom_Upgrade.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ddb/platform/nex_Exception.h"
#include "platform/persist/DatabaseConversion.h"
#include "platform/persist/LongPath.h"

using rom_detail::Store;

namespace {

const ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

std::string TemporaryPath() {
  const char* dir = std::getenv("TMPDIR");
  std::string path = std::string(dir && *dir ? dir : "/tmp") + "/ddb-converted-XXXXXX";
  int fd = mkstemp(&path[0]);
  if (fd < 0)
    DDB_THROW(nex_PrimException, "a temporary database cannot be made in '%s': %s",
              dir && *dir ? dir : "/tmp", std::strerror(errno));
  ::close(fd);
  return path;
}

// Converts `input` into a new file at `path`; the file is closed when this returns.
void ConvertInto(Store& input, const std::string& path, const cow_String& dbName,
                 const rom_Progress& progress) {
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Create, true, kUtf8);
  {
    auto output = std::make_shared<Store>(file, &input.Registrar());
    output->InitializeNew(dbName.str(), input.MetaValue("description"), 0);
    output->OpenDatabase(dbName.str());
    rom_detail::ConvertDatabase(input, *output, progress);
  }
  // The converted file appears under its name complete, and closed: self-contained.
  file->Publish();
  file->Checkpoint();
}

void Sync(const std::string& path, int flags) {
  int fd = ::open(path.c_str(), flags | O_CLOEXEC);
  bool ok = fd >= 0 && ::fsync(fd) == 0;
  if (fd >= 0) ::close(fd);
  if (!ok) DDB_THROW(nex_PrimException, "'%s' cannot be synced: %s", path, std::strerror(errno));
}

std::string Directory(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The file's write lock, the same advisory lock writers take; released on destruction.
class WriteLock {
 public:
  explicit WriteLock(const std::string& path) : m_fd(::open(path.c_str(), O_RDWR | O_CLOEXEC)) {
    if (m_fd < 0)
      DDB_THROW(nex_PrimException, "'%s' cannot be opened for writing: %s", path,
                std::strerror(errno));
    if (flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
      ::close(m_fd);
      DDB_THROW(nex_CmdException, "'%s' is open for writing by another process", path);
    }
  }
  ~WriteLock() { ::close(m_fd); }
  WriteLock(const WriteLock&) = delete;
  WriteLock& operator=(const WriteLock&) = delete;

 private:
  int m_fd;
};

// Moves every page of the file's write-ahead log into the file and empties the log, so that
// nothing of the original can be replayed onto the file that replaces it.
void Checkpoint(const std::string& path) {
  sqlite3* connection = nullptr;
  SqlitePath name(path);
  int rc = sqlite3_open_v2(name.Name(), &connection, SQLITE_OPEN_READWRITE, name.Vfs());
  SqlDb db(connection, path);
  try {
    db.Check(rc);
    sqlite3_busy_timeout(connection, 5000);
    db.Exec("PRAGMA wal_checkpoint(TRUNCATE)");
  } catch (...) {
    sqlite3_close_v2(connection);
    throw;
  }
  sqlite3_close_v2(connection);
}

std::shared_ptr<Store> OpenStore(const rfm_FileHandle& file, const cls_ClassRegistrar* registrar,
                                 const cow_String& dbName) {
  auto store = std::make_shared<Store>(file, registrar);
  store->OpenDatabase(dbName.str());
  return store;
}

}  // namespace

std::unique_ptr<rom_Transporter> rom_OpenTransporter(const cls_ClassRegistrar* registrar,
                                                     const rfm_FileHandle& file,
                                                     const cow_String& dbName,
                                                     const rom_Progress& progress) {
  std::shared_ptr<Store> store = OpenStore(file, registrar, dbName);
  if (!rom_detail::NeedsConversion(*store)) return std::make_unique<rom_Transporter>(store);
  if (!file->IsReadOnly())
    DDB_THROW(nex_CmdException,
              "'%s' is stored in the layouts of an older release: upgrade it before writing to it",
              file->FileName());
  const std::string copy = TemporaryPath();
  std::shared_ptr<Store> converted;
  try {
    ConvertInto(*store, copy, dbName, progress);
    converted = OpenStore(rfm_File::Open(copy, rfm_Access::Read, true, kUtf8), registrar, dbName);
  } catch (...) {
    ::unlink(copy.c_str());
    throw;
  }
  ::unlink(copy.c_str());
  converted->StandFor(file);
  return std::make_unique<rom_Transporter>(converted);
}

bool rom_UpgradeFile(const cow_String& fileName, const cls_ClassRegistrar* registrar,
                     const cow_String& dbName, const rom_Progress& progress) {
  const std::string path = fileName.str();
  if (!rom_detail::NeedsConversion(
          *OpenStore(rfm_File::Open(fileName, rfm_Access::Read, true, kUtf8), registrar, dbName)))
    return false;
  WriteLock lock(path);
  Checkpoint(path);
  const std::string upgrading = path + ".upgrading";
  const std::string backup = path + ".backup";
  {
    std::shared_ptr<Store> input =
        OpenStore(rfm_File::Open(fileName, rfm_Access::Read, true, kUtf8), registrar, dbName);
    ConvertInto(*input, upgrading, dbName, progress);
  }
  Sync(upgrading, O_RDONLY);
  ::unlink(backup.c_str());
  if (::link(path.c_str(), backup.c_str()) != 0)
    DDB_THROW(nex_PrimException, "'%s' cannot be kept as '%s': %s", path, backup,
              std::strerror(errno));
  ::unlink((path + "-wal").c_str());
  ::unlink((path + "-shm").c_str());
  if (::rename(upgrading.c_str(), path.c_str()) != 0)
    DDB_THROW(nex_PrimException, "'%s' cannot replace '%s': %s", upgrading, path,
              std::strerror(errno));
  Sync(Directory(path), O_RDONLY | O_DIRECTORY);
  ::unlink(backup.c_str());
  return true;
}
