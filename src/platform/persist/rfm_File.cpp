#include "ddb/platform/rfm_File.h"

#include <dirent.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "ddb/platform/nex_Exception.h"
#include "platform/ZunBasI18n.h"
#include "platform/persist/LongPath.h"
#include "platform/persist/Sql.h"
#include "platform/persist/Store.h"
#include "platform/persist/rfm_FileEngine.h"

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

// The lock of a file this process has just made: nobody else can hold it.
int AdoptWriteLock(int fd) {
  flock(fd, LOCK_EX);
  WriteLocks& locks = Locks();
  std::lock_guard<std::mutex> guard(locks.mutex);
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

bool Exists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

void RemoveSideFiles(const std::string& path) {
  ::unlink((path + "-wal").c_str());
  ::unlink((path + "-shm").c_str());
  ::unlink((path + "-journal").c_str());
}

// A URI naming the file as immutable: SQLite then reads it as it stands, takes no lock and
// creates no side file.
std::string ImmutableUri(const std::string& path) {
  std::string uri = "file:";
  for (unsigned char c : path) {
    if (c == '%' || c == '?' || c == '#' || c < 0x20) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      uri += hex;
    } else {
      uri += static_cast<char>(c);
    }
  }
  return uri + "?immutable=1";
}

void SyncDirectoryOf(const std::string& path) {
  std::string::size_type slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  ::close(fd);
}

// Removes the temporary files of creations beside `path` whose creator died (their lock is
// free): "<name>.creating-XXXXXX" and its side files.
void RemoveAbandonedBuilds(const std::string& path) {
  std::string::size_type slash = path.rfind('/');
  std::string dir = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  std::string prefix = (slash == std::string::npos ? path : path.substr(slash + 1)) + ".creating-";
  DIR* d = opendir(dir.c_str());
  if (!d) return;
  std::vector<std::string> abandoned;
  while (dirent* e = readdir(d)) {
    std::string name = e->d_name;
    if (name.compare(0, prefix.size(), prefix) != 0 || name.size() != prefix.size() + 6) continue;
    std::string full = (slash == std::string::npos ? "" : dir) + name;
    int fd = ::open(full.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) abandoned.push_back(full);
    ::close(fd);
  }
  closedir(d);
  for (const std::string& full : abandoned) {
    RemoveSideFiles(full);
    ::unlink(full.c_str());
  }
}

}  // namespace

rfm_File::rfm_File(cow_String name, rfm_Access access)
    : m_name(std::move(name)), m_access(access), m_engine(std::make_unique<Engine>()) {}

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
  FinalizeSnapshotStatements();
  sqlite3_close_v2(m_engine->db);
  if (!m_building.empty()) {
    RemoveSideFiles(m_building);
    ::unlink(m_building.c_str());
  }
  if (m_lockFd >= 0) ReleaseWriteLock(m_lockFd);
  if (m_replacedLockFd >= 0) ReleaseWriteLock(m_replacedLockFd);
}

void rfm_File::Connect(const std::string& target, int flags) {
  FinalizeSnapshotStatements();
  sqlite3_close_v2(m_engine->db);
  m_engine->db = nullptr;
  m_sqlitePath = std::make_unique<SqlitePath>(target);
  int rc = sqlite3_open_v2(m_sqlitePath->Name(), &m_engine->db, flags | SQLITE_OPEN_NOMUTEX,
                           m_sqlitePath->Vfs());
  SqlDb db(m_engine->db, m_name.str());
  db.Check(rc);
  sqlite3_busy_timeout(m_engine->db, 5000);
}

namespace {

// A writer copies its write-ahead log into the file once the log holds this many bytes of pages.
// Every commit is durable in the log already; a longer log means fewer copies, each of which
// syncs and rewrites the hot last page of every table once instead of once per commit.
constexpr int kCheckpointBytes = 8 << 20;

// A writer's journal: the write-ahead log, synced at checkpoints.
void UseWriteAheadLog(SqlDb& db) {
  db.Exec("PRAGMA journal_mode=WAL");
  db.Exec("PRAGMA synchronous=NORMAL");
  SqlStmt pageSize(db, "PRAGMA page_size");
  const std::int64_t bytes = pageSize.Step() ? pageSize.Int(0) : 0;
  if (bytes > 0) db.Exec("PRAGMA wal_autocheckpoint=" + std::to_string(kCheckpointBytes / bytes));
}

}  // namespace

void rfm_File::OpenExisting() {
  const std::string& path = m_name.str();
  CheckHeader(path);
  if (m_access == rfm_Access::Read) return OpenForRead(path);
  bool logMissing = !Exists(path + "-wal");
  m_lockFd = AcquireWriteLock(path, false);
  Connect(path, SQLITE_OPEN_READWRITE);
  CheckMarks(logMissing);
  SqlDb db(m_engine->db, path);
  UseWriteAheadLog(db);
}

namespace {

// Byte 18 of the header is 2 in WAL mode.
bool InWalMode(const std::string& path) {
  unsigned char header[19] = {};
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  bool wal = fd >= 0 && ::read(fd, header, sizeof header) == sizeof header && header[18] == 2;
  if (fd >= 0) ::close(fd);
  return wal;
}

}  // namespace

void rfm_File::OpenForRead(const std::string& path) {
  bool logMissing = !Exists(path + "-wal");
  if (logMissing && InWalMode(path)) {
    // Without its log SQLite would create one (and its index) to read the file: read it as it
    // stands instead.
    Connect(ImmutableUri(path), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
    CheckMarks(true);
    return;
  }
  Connect(path, SQLITE_OPEN_READONLY);
  try {
    CheckMarks(logMissing);
  } catch (const nex_PrimException&) {
    if (sqlite3_extended_errcode(m_engine->db) != SQLITE_READONLY_ROLLBACK) throw;
    RollBackInterruptedChange(path);
    OpenForRead(path);
  }
}

// A writer killed while the file changed journal mode left a hot journal that only a connection
// allowed to write may roll back.
void rfm_File::RollBackInterruptedChange(const std::string& path) {
  sqlite3* writer = nullptr;
  SqlitePath name(path);
  int rc = sqlite3_open_v2(name.Name(), &writer, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                           name.Vfs());
  if (rc == SQLITE_OK) {
    sqlite3_busy_timeout(writer, 5000);
    rc = sqlite3_exec(writer, "SELECT COUNT(*) FROM sqlite_master", nullptr, nullptr, nullptr);
  }
  sqlite3_close_v2(writer);
  if (rc != SQLITE_OK)
    DDB_THROW(nex_PrimException,
              "'%s' cannot be read: its writer stopped in the middle of a change that only a "
              "process allowed to write the file can undo (journal '%s-journal')",
              m_name, m_name);
}

void rfm_File::CheckMarks(bool logMissing) {
  SqlDb db(m_engine->db, m_name.str());
  if (PragmaInt(db, "application_id") != kApplicationId) {
    // A writer of an older release put the marks into the log first: a file whose log is
    // missing and that holds nothing or the ddb tables is a ddb copied without its log.
    SqlStmt tables(db,
                   "SELECT COUNT(*), COUNT(CASE WHEN name = '##Meta' THEN 1 END) FROM "
                   "sqlite_master WHERE type = 'table'");
    bool ours = tables.Step() && (tables.Int(0) == 0 || tables.Int(1) == 1);
    if (logMissing && ours)
      DDB_THROW(nex_PrimException,
                "'%s' is incomplete: its writer did not close it and its write-ahead log "
                "('%s-wal') is missing",
                m_name, m_name);
    DDB_THROW(nex_PrimException, "'%s' is not a ddb file: it is a database of another program",
              m_name);
  }
  int layout = PragmaInt(db, "user_version");
  if (layout > kLayout)
    DDB_THROW(nex_PrimException,
              "'%s' was written by a newer release of ddb (layout %d; this release reads up to "
              "layout %d)",
              m_name, layout, kLayout);
}

void rfm_File::CreateNew() {
  const std::string& path = m_name.str();
  // Holding the lock of a file already there keeps other writers out while the new one is
  // built; the lock then moves to the new file.
  if (Exists(path)) m_replacedLockFd = AcquireWriteLock(path, false);
  RemoveAbandonedBuilds(path);
  std::string building = path + ".creating-XXXXXX";
  int fd = mkostemp(&building[0], O_CLOEXEC);
  if (fd < 0)
    DDB_THROW(nex_PrimException, "'%s' cannot be created: %s", path, std::strerror(errno));
  mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  m_building = building;
  m_lockFd = AdoptWriteLock(fd);
  Connect(building, SQLITE_OPEN_READWRITE);
  SqlDb db(m_engine->db, path);
  // The build is private and goes when it fails, so it needs no journal.
  db.Exec("PRAGMA page_size=" + std::to_string(kPageSize));
  db.Exec("PRAGMA journal_mode=OFF");
  db.Exec("PRAGMA synchronous=FULL");
  db.Exec("PRAGMA application_id=" + std::to_string(kApplicationId));
  db.Exec("PRAGMA user_version=" + std::to_string(kLayout));
}

void rfm_File::Publish() {
  if (m_building.empty()) return;
  const std::string& path = m_name.str();
  int rc = sqlite3_close(m_engine->db);
  if (rc != SQLITE_OK) SqlDb(m_engine->db, path).Fail(rc);
  m_engine->db = nullptr;
  if (fsync(m_lockFd) != 0)
    DDB_THROW(nex_PrimException, "'%s' cannot be created: the new file could not be completed",
              path);
  RemoveSideFiles(path);
  if (std::rename(m_building.c_str(), path.c_str()) != 0)
    DDB_THROW(nex_PrimException, "'%s' cannot be created: %s", path, std::strerror(errno));
  m_building.clear();
  if (m_replacedLockFd >= 0) ReleaseWriteLock(std::exchange(m_replacedLockFd, -1));
  SyncDirectoryOf(path);
  Connect(path, SQLITE_OPEN_READWRITE);
  SqlDb db(m_engine->db, path);
  UseWriteAheadLog(db);
}

void rfm_File::Checkpoint() {
  if (m_access == rfm_Access::Read || !m_engine->db) return;
  SqlDb db(m_engine->db, m_name.str());
  // Leaving WAL mode needs the only connection to the file; a reader's is not waited for.
  sqlite3_busy_timeout(m_engine->db, 0);
  int rc = sqlite3_exec(m_engine->db, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
  sqlite3_busy_timeout(m_engine->db, 5000);
  // Still in WAL mode: copy what the readers allow.
  if (rc == SQLITE_OK || (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED)
    rc = sqlite3_wal_checkpoint_v2(m_engine->db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr,
                                   nullptr);
  if ((rc & 0xff) != SQLITE_BUSY) db.Check(rc);
}

rfm_Database rfm_Database::Open(const rfm_FileHandle& file, const cow_String& name) {
  rom_detail::Store store(file, nullptr);
  if (store.MetaValue("database") != name.str())
    DDB_THROW(nex_PrimException, "'%s' holds no database named '%s'", file->FileName(), name);
  return rfm_Database(file, name);
}

std::int64_t rfm_Database::GetCreationTime(const rfm_FileHandle& file, const char* recordClass) {
  try {
    rom_detail::Store store(file, nullptr);
    std::string text = store.MetaValue("creationTime");
    if (!text.empty() && std::stoll(text) != 0) return std::stoll(text);
    if (!recordClass) return 0;
    return store.LastInt(recordClass, "creationTime");
  } catch (...) {
    return 0;
  }
}

std::vector<std::string> rfm_File::CheckIntegrity() const {
  SqlDb db(m_engine->db, m_name.str());
  SqlStmt check(db, "PRAGMA integrity_check");
  std::vector<std::string> problems;
  while (check.Step()) {
    std::string line = check.Text(0);
    if (line != "ok") problems.push_back(std::move(line));
  }
  return problems;
}

namespace {
bool g_snapshots = true;
}

void rfm_File::UseSnapshots(bool on) {
  g_snapshots = on;
}

void rfm_File::FinalizeSnapshotStatements() {
  sqlite3_finalize(std::exchange(m_engine->beginRead, nullptr));
  sqlite3_finalize(std::exchange(m_engine->endRead, nullptr));
  m_snapshotDepth = 0;
  m_snapshotBegun = false;
}

// A deferred BEGIN takes no lock: the first read of the snapshot takes it, and it lasts until
// the transaction ends. A transaction already open on the connection (none is, on a read-only
// one) is left alone.
void rfm_File::BeginSnapshot() {
  if (m_access != rfm_Access::Read || !m_engine->db || m_snapshotDepth++ > 0) return;
  if (!g_snapshots || sqlite3_get_autocommit(m_engine->db) == 0) return;
  SqlDb db(m_engine->db, m_name.str());
  if (!m_engine->beginRead)
    db.Check(sqlite3_prepare_v2(m_engine->db, "BEGIN", -1, &m_engine->beginRead, nullptr));
  if (!m_engine->endRead)
    db.Check(sqlite3_prepare_v2(m_engine->db, "COMMIT", -1, &m_engine->endRead, nullptr));
  int rc = sqlite3_step(m_engine->beginRead);
  sqlite3_reset(m_engine->beginRead);
  if (rc != SQLITE_DONE) {
    --m_snapshotDepth;
    db.Fail(rc);
  }
  m_snapshotBegun = true;
}

// SQLite may have ended the transaction itself after an error; a read transaction's end cannot
// fail otherwise, and should it, the transaction is rolled back.
void rfm_File::EndSnapshot() noexcept {
  if (m_snapshotDepth == 0 || --m_snapshotDepth > 0 || !m_snapshotBegun) return;
  m_snapshotBegun = false;
  if (sqlite3_get_autocommit(m_engine->db) != 0) return;
  int rc = sqlite3_step(m_engine->endRead);
  sqlite3_reset(m_engine->endRead);
  if (rc != SQLITE_DONE) sqlite3_exec(m_engine->db, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool rfm_File::HasWriter(const std::string& utf8Name) {
  const int fd = open(utf8Name.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  // A writer holds the exclusive lock; a shared one is refused exactly while it does.
  const bool written = flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  close(fd);
  return written;
}
