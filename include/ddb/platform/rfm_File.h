// Record files: a ddb file on disk and the inner database "D0" it holds.
//
// A ddb file is one SQLite database in WAL mode, marked with the ddb application id and a
// layout number (see doc/ddb-format.md). rfm_File::Open checks those marks and raises
// nex_PrimException naming the file for anything that is not a readable ddb: a missing, empty,
// foreign, truncated or newer-layout file. Read access never creates a file and never blocks a
// writer; update and create access take the file's advisory write lock, which the kernel drops
// when the process dies, so a second writing process is refused and a killed writer leaves
// nothing to clean up. Handles are shared (rfm_FileHandle); the connection closes with the last.
// A handle serves one thread at a time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ddb/platform/ZunBasStringMode.h"
#include "ddb/platform/cow_String.h"

struct sqlite3;

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
  sqlite3* Connection() const { return m_db; }

  // The layout number this release writes into user_version.
  static constexpr int kLayout = 1;
  static constexpr std::int32_t kApplicationId = 0x64646221;  // "ddb!"

 private:
  rfm_File(cow_String name, rfm_Access access);
  void OpenExisting();
  void CreateNew();
  void CheckMarks();

  cow_String m_name;
  rfm_Access m_access;
  sqlite3* m_db = nullptr;
  int m_lockFd = -1;
};

// The named inner database of a file. A ddb file holds exactly one, named "D0".
class rfm_Database {
 public:
  // Raises when the file holds no database of that name.
  static rfm_Database Open(const rfm_FileHandle& file, const cow_String& name);
  // The creation time stored with the file's database, or 0 when none can be read. Never raises.
  static std::int64_t GetCreationTime(const rfm_FileHandle& file);

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
