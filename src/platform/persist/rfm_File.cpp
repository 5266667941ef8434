#include "ddb/platform/rfm_File.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <map>
#include <mutex>
#include <utility>

#include "ddb/platform/ZunBasI18n.h"
#include "ddb/platform/nex_Exception.h"
#include "platform/persist/Sql.h"
#include "platform/persist/Store.h"

namespace {

// The write lock is an flock on the file, held once per process: the kernel drops it when the
// process dies, and two handles of one process do not refuse each other (the open-file
// registry decides what one process may do with a file it already has open).
struct WriteLocks {
  std::mutex mutex;
  std::map<std::pair<dev_t, ino_t>, std::pair<int, int>> held;  // file -> (fd, handles)
};

WriteLocks& Locks() {
  static auto& locks = *new WriteLocks;
  return locks;
}

std::pair<dev_t, ino_t> Identity(int fd) {
  struct stat st {};
  fstat(fd, &st);
  return {st.st_dev, st.st_ino};
}

int AcquireWriteLock(const std::string& path, bool create) {
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0644);
  if (fd < 0) {
    if (errno == ENOENT) DDB_THROW(nex_PrimException, "'%s' does not exist", path);
    DDB_THROW(nex_PrimException, "'%s' cannot be opened for writing: %s", path,
              std::strerror(errno));
  }
  WriteLocks& locks = Locks();
  std::lock_guard<std::mutex> guard(locks.mutex);
  auto it = locks.held.find(Identity(fd));
  if (it != locks.held.end()) {
    ::close(fd);
    ++it->second.second;
    return it->second.first;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    DDB_THROW(nex_CmdException, "'%s' is open for writing by another process", path);
  }
  locks.held[Identity(fd)] = {fd, 1};
  return fd;
}

void ReleaseWriteLock(int fd) {
  WriteLocks& locks = Locks();
  std::lock_guard<std::mutex> guard(locks.mutex);
  for (auto it = locks.held.begin(); it != locks.held.end(); ++it) {
    if (it->second.first != fd) continue;
    if (--it->second.second == 0) {
      ::close(fd);
      locks.held.erase(it);
    }
    return;
  }
}

unsigned ReadBigEndian(const unsigned char* p, int n) {
  unsigned v = 0;
  for (int i = 0; i < n; ++i) v = (v << 8) | p[i];
  return v;
}

// Recognises a ddb before SQLite sees it, so that junk, empty and cut files get a message that
// names the problem rather than whatever SQLite makes of them.
void CheckHeader(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) DDB_THROW(nex_PrimException, "'%s' does not exist", path);
  if (st.st_size == 0) DDB_THROW(nex_PrimException, "'%s' is not a ddb file: it is empty", path);
  unsigned char header[100] = {};
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  ssize_t got = fd >= 0 ? ::read(fd, header, sizeof header) : -1;
  if (fd >= 0) ::close(fd);
  if (got < 0) DDB_THROW(nex_PrimException, "'%s' cannot be read: %s", path, std::strerror(errno));
  if (got < 100 || std::memcmp(header, "SQLite format 3", 16) != 0)
    DDB_THROW(nex_PrimException, "'%s' is not a ddb file", path);
  unsigned pageSize = ReadBigEndian(header + 16, 2);
  if (pageSize == 1) pageSize = 65536;
  unsigned pages = ReadBigEndian(header + 28, 4);
  bool sizeValid = ReadBigEndian(header + 24, 4) == ReadBigEndian(header + 92, 4);
  // While a write-ahead log holds pages, a checkpoint in progress may have written a header
  // that counts pages not yet in the file; SQLite itself then tells a damaged file.
  struct stat wal {};
  if (stat((path + "-wal").c_str(), &wal) == 0 && wal.st_size > 0) sizeValid = false;
  if (pageSize < 512 || st.st_size % pageSize != 0 ||
      (sizeValid && static_cast<unsigned long long>(st.st_size) <
                        static_cast<unsigned long long>(pages) * pageSize))
    DDB_THROW(nex_PrimException, "'%s' is damaged: the file is truncated", path);
}

int PragmaInt(SqlDb& db, const char* pragma) {
  SqlStmt s(db, std::string("PRAGMA ") + pragma);
  return s.Step() ? static_cast<int>(s.Int(0)) : 0;
}

void RemoveSideFiles(const std::string& path) {
  ::unlink((path + "-wal").c_str());
  ::unlink((path + "-shm").c_str());
}

}  // namespace

rfm_File::rfm_File(cow_String name, rfm_Access access)
    : m_name(std::move(name)), m_access(access) {}

rfm_FileHandle rfm_File::Open(const cow_String& name, rfm_Access access, bool,
                              ZunBasStringMode mode) {
  cow_String path = mode == ZunBasStringMode::Locale ? ZunBasI18n::ToUTF8(name) : name;
  rfm_FileHandle file(new rfm_File(path, access));
  if (access == rfm_Access::Create)
    file->CreateNew();
  else
    file->OpenExisting();
  return file;
}

rfm_File::~rfm_File() {
  sqlite3_close_v2(m_db);
  if (m_lockFd >= 0) ReleaseWriteLock(m_lockFd);
}

void rfm_File::OpenExisting() {
  const std::string& path = m_name.str();
  CheckHeader(path);
  if (m_access == rfm_Access::Update) m_lockFd = AcquireWriteLock(path, false);
  int flags = m_access == rfm_Access::Read ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  int rc = sqlite3_open_v2(path.c_str(), &m_db, flags | SQLITE_OPEN_NOMUTEX, nullptr);
  SqlDb db(m_db, path);
  db.Check(rc);
  sqlite3_busy_timeout(m_db, 5000);
  CheckMarks();
  if (m_access == rfm_Access::Update) db.Exec("PRAGMA synchronous=NORMAL");
}

void rfm_File::CheckMarks() {
  SqlDb db(m_db, m_name.str());
  if (PragmaInt(db, "application_id") != kApplicationId)
    DDB_THROW(nex_PrimException, "'%s' is not a ddb file: it is a database of another program",
              m_name);
  int layout = PragmaInt(db, "user_version");
  if (layout > kLayout)
    DDB_THROW(nex_PrimException,
              "'%s' was written by a newer release of ddb (layout %d; this release reads up to "
              "layout %d)",
              m_name, layout, kLayout);
}

void rfm_File::CreateNew() {
  const std::string& path = m_name.str();
  m_lockFd = AcquireWriteLock(path, true);
  if (ftruncate(m_lockFd, 0) != 0)
    DDB_THROW(nex_PrimException, "'%s' cannot be created: %s", path, std::strerror(errno));
  RemoveSideFiles(path);
  int rc =
      sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
  SqlDb db(m_db, path);
  db.Check(rc);
  sqlite3_busy_timeout(m_db, 5000);
  db.Exec("PRAGMA journal_mode=WAL");
  db.Exec("PRAGMA synchronous=NORMAL");
  db.Exec("PRAGMA application_id=" + std::to_string(kApplicationId));
  db.Exec("PRAGMA user_version=" + std::to_string(kLayout));
}

rfm_Database rfm_Database::Open(const rfm_FileHandle& file, const cow_String& name) {
  rom_detail::Store store(file, nullptr);
  if (store.MetaValue("database") != name.str())
    DDB_THROW(nex_PrimException, "'%s' holds no database named '%s'", file->FileName(), name);
  return rfm_Database(file, name);
}

std::int64_t rfm_Database::GetCreationTime(const rfm_FileHandle& file) {
  try {
    rom_detail::Store store(file, nullptr);
    std::string text = store.MetaValue("creationTime");
    return text.empty() ? 0 : std::stoll(text);
  } catch (...) {
    return 0;
  }
}
