// Record files: a ddb file on disk and the inner database "D0" it holds.
//
// A ddb file is one SQLite database in WAL mode, marked with the ddb application id and a
// layout number (see doc/ddb-format.md). rfm_File::Open checks those marks and raises
// nex_PrimException naming the file for anything that is not a readable ddb: a missing, empty,
// foreign, truncated or newer-layout file.
//
// A writer keeps the file in WAL mode while it has it; Checkpoint, called when a database is
// closed, copies the log into the file and takes the file out of WAL mode, so a closed ddb is
// one self-contained file. Read access never writes, never creates a file and never blocks a
// writer: a closed file is read with SQLite's own shared lock and no side file (so it reads
// from a read-only directory), a file whose writer runs or was killed is read through its log,
// and a file in WAL mode whose log is missing (copied without it) is read as it stands. The one
// exception: a writer killed in the middle of leaving or entering WAL mode leaves a journal that
// a reader must roll back before it can read; a reader that may write the file does so, and
// any other is refused with a message saying so.
//
// Update and create access take the file's advisory write lock, which the kernel drops when the
// process dies, so a second writing process is refused and a killed writer leaves nothing to
// clean up. Create access builds the new file under a temporary name beside the final one
// ("<name>.creating-XXXXXX"); Publish, called once the new file holds its fixed tables, renames
// it into place, so a killed or failed creation never leaves a half-made file under the final
// name (a killed one may leave its temporary file, which the next creation beside it removes).
// Handles are shared (rfm_FileHandle); the connection closes with the last. A handle serves one
// thread at a time.
//
// Read snapshots: between BeginSnapshot and the matching EndSnapshot, every read through a
// read-only handle sees the file as it stood at the first of those reads, whatever its writer
// commits meanwhile, and no read takes a lock of its own (the reads share one read
// transaction). Calls nest; the outermost EndSnapshot ends the transaction, and the next read
// sees the file as it then stands. Outside a snapshot every statement reads in a transaction of
// its own. The library loads each record in a snapshot of its own (the database record with
// its catalog when the file is opened, then each element of a list as it is loaded), so a
// record never mixes two states of the file; a reader that walks many records (a tool printing
// a job, a report) holds one snapshot around the whole walk (rfm_ReadSnapshot), which makes the
// walk consistent and several times faster, and ends it when the walk is done. A snapshot
// held on a running job keeps the writer's checkpoints from copying its log past the
// snapshot's start (the log grows until it ends); on a closed file it holds SQLite's shared
// lock, so a writer opening that file waits for it to end (up to its 5 s busy timeout). On a
// handle that may write both calls do nothing: a writer's own reads need no snapshot.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ddb/platform/ZunBasStringMode.h"
#include "ddb/platform/cow_String.h"

class SqlitePath;

enum class rfm_Access { Read, Update, Create };

class rfm_File;
using rfm_FileHandle = std::shared_ptr<rfm_File>;

class rfm_File {
 public:
  // `flag` is accepted for the callers' protocol and has no effect. In locale mode the name is
  // converted to UTF-8 first.
  static rfm_FileHandle Open(const cow_String& name, rfm_Access access, bool flag,
                             ZunBasStringMode mode);
  ~rfm_File();
  rfm_File(const rfm_File&) = delete;
  rfm_File& operator=(const rfm_File&) = delete;

  const cow_String& FileName() const { return m_name; }
  rfm_Access Access() const { return m_access; }
  bool IsReadOnly() const { return m_access == rfm_Access::Read; }
  // The storage engine's side of the file (its connection and statements): opaque here, defined
  // by the persistence layer's private platform/persist/rfm_FileEngine.h.
  struct Engine;
  Engine& GetEngine() const { return *m_engine; }

  // Create access: moves the built file to its final name (replacing any file there, with its
  // side files) and reopens it there. Nothing to do for other handles or a second call. Raises
  // naming the file when the file cannot be completed or moved; the temporary file then goes
  // with the handle.
  void Publish();
  // Copies every change the write-ahead log holds into the file itself and leaves WAL mode, so
  // that the file alone holds the database. While another connection still uses the log the
  // file stays in WAL mode, with the log copied as far as that reader allows. A failed write (a
  // full disk) raises naming the file; the log keeps everything and a later call retries.
  void Checkpoint();
  // SQLite's own check of the file's pages, indexes and free lists: one line per problem found,
  // none for a sound file. Raises nex_PrimException naming the file when the check cannot run.
  std::vector<std::string> CheckIntegrity() const;
  // True while a process (this one included) holds the file open for writing: a job that is
  // still running. False for a file without a writer, and for a missing one. Never raises.
  static bool HasWriter(const std::string& utf8Name);

  // See "Read snapshots" above. BeginSnapshot raises naming the file when the transaction
  // cannot begin; EndSnapshot never raises.
  void BeginSnapshot();
  void EndSnapshot() noexcept;
  bool InSnapshot() const { return m_snapshotDepth > 0; }
  // With snapshots off (for measuring against them), every statement reads in a transaction of
  // its own, snapshots or not. On by default; process-wide.
  static void UseSnapshots(bool on);

  // The layout number this release writes into user_version.
  static constexpr int kLayout = 4;
  static constexpr std::int32_t kApplicationId = 0x64646221;  // "ddb!"
  // The page size of a new file: a commit appends each page it changed to the write-ahead log,
  // and an increment's commit changes the last page of about ten tables, so smaller pages log
  // less (4096-byte pages logged 1.6 times as much). Files keep the page size they were made with.
  static constexpr int kPageSize = 2048;

 private:
  rfm_File(cow_String name, rfm_Access access);
  void OpenExisting();
  void CreateNew();
  void CheckMarks(bool logMissing);
  void OpenForRead(const std::string& path);
  void RollBackInterruptedChange(const std::string& path);
  void Connect(const std::string& target, int flags);
  void FinalizeSnapshotStatements();

  cow_String m_name;
  std::string m_building;  // the temporary file of a creation not yet published
  rfm_Access m_access;
  std::unique_ptr<SqlitePath> m_sqlitePath;  // how SQLite names the file (long paths)
  std::unique_ptr<Engine> m_engine;
  int m_lockFd = -1;
  int m_replacedLockFd = -1;  // the lock of the file a creation replaces, until it does
  int m_snapshotDepth = 0;
  bool m_snapshotBegun = false;  // the outermost BeginSnapshot began a transaction
};

// A read snapshot of a file for the extent of a walk: begun when made, ended by End or, at the
// latest, when the object goes (ending a read transaction changes nothing in the file).
class rfm_ReadSnapshot {
 public:
  explicit rfm_ReadSnapshot(rfm_FileHandle file) : m_file(std::move(file)) {
    if (m_file) m_file->BeginSnapshot();
  }
  ~rfm_ReadSnapshot() { End(); }
  rfm_ReadSnapshot(const rfm_ReadSnapshot&) = delete;
  rfm_ReadSnapshot& operator=(const rfm_ReadSnapshot&) = delete;

  void End() noexcept {
    if (m_file) m_file->EndSnapshot();
    m_file.reset();
  }

 private:
  rfm_FileHandle m_file;
};

// The named inner database of a file. A ddb file holds exactly one, named "D0".
class rfm_Database {
 public:
  // Raises when the file holds no database of that name.
  static rfm_Database Open(const rfm_FileHandle& file, const cow_String& name);
  // The creation time stored with the file's database; when none is stored, the "creationTime"
  // of the last row of the record class `recordClass` (if given); 0 when neither can be read.
  // Never raises.
  static std::int64_t GetCreationTime(const rfm_FileHandle& file,
                                      const char* recordClass = nullptr);

  const rfm_FileHandle& File() const { return m_file; }
  const cow_String& Name() const { return m_name; }

 private:
  rfm_Database(rfm_FileHandle file, cow_String name)
      : m_file(std::move(file)), m_name(std::move(name)) {}
  rfm_FileHandle m_file;
  cow_String m_name;
};

// The older spelling of the record-file manager used by the database layer.
using rds_RfmFile = rfm_File;
