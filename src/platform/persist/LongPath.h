// Opening files whose paths exceed SQLite's own limit (512 bytes).
//
// The system takes paths up to PATH_MAX; SQLite refuses longer ones than 512 bytes. A longer
// path is handed to SQLite as a short alias of its directory, "/proc/self/fd/<fd>/<name>",
// through a VFS ("ddb-alias") that is the library's own (BatchedLog.h) except that it takes such
// a name as it stands (the default resolves symbolic links, which would give back the long
// path). The directory stays open while the alias is in use. Shorter paths pass unchanged
// through the library's VFS.
#pragma once

#include <string>

class SqlitePath {
 public:
  explicit SqlitePath(const std::string& path);
  ~SqlitePath();
  SqlitePath(const SqlitePath&) = delete;
  SqlitePath& operator=(const SqlitePath&) = delete;

  // What to pass to sqlite3_open_v2: the name and the VFS.
  const char* Name() const { return m_name.c_str(); }
  const char* Vfs() const { return m_vfs; }

 private:
  std::string m_name;
  const char* m_vfs;
  int m_directory = -1;
};
