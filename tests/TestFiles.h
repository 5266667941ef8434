// Test support: scratch files, a file whose top record is one record, running a check in a
// fresh process, and reading stored values with plain SQLite.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "PlainSql.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/rom_Transporter.h"

namespace ddb_test {

// A path in a fresh per-test directory; the directory is removed with the object.
class ScratchDir {
 public:
  ScratchDir() {
    char tmpl[] = "/tmp/ddb-test-XXXXXX";
    m_dir = mkdtemp(tmpl);
  }
  ~ScratchDir() { std::system(("rm -rf '" + m_dir + "'").c_str()); }
  std::string Path(const std::string& name) const { return m_dir + "/" + name; }

 private:
  std::string m_dir;
};

// The bytes of a file ("" when it cannot be read).
inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// A test with a scratch path of its own.
class ScratchFile : public ::testing::Test {
 protected:
  ScratchDir dir;
  std::string path = dir.Path("test.ddb");
};

// One open ddb file with its transporter, whose top record is a T, written and read the way the
// database layer does it. `Register` registers T's classes before the file is used.
inline void NothingToRegister() {}
template <class T, void (*Register)() = NothingToRegister>
struct RecordFile {
  rfm_FileHandle file;
  std::unique_ptr<rom_Transporter> transporter;

  static RecordFile Create(const std::string& path) { return Open(path, rfm_Access::Create); }
  static RecordFile Open(const std::string& path, rfm_Access access = rfm_Access::Read) {
    Register();
    RecordFile f;
    f.file = rfm_File::Open(path, access, true, ZunBasStringMode::UTF8);
    f.transporter = access == rfm_Access::Create
                        ? std::make_unique<rom_Transporter>(nullptr, f.file, "D0", "test", 1, -1)
                        : std::make_unique<rom_Transporter>(nullptr, f.file, "D0", -1);
    return f;
  }
  // The first save appends the record's row; a save to row 0 rewrites it in place.
  void Save(const T& record, int row = -1) {
    rom_MementoWrite memento(*transporter, T::TypeId(), row);
    cls_WriteVisitor writer(memento);
    record.DBWrite(writer);
    writer.StoreRow();
  }
  // The last record written.
  T Load() {
    int rows = transporter->GetTableSize(T::TypeId());
    rom_MementoRead memento(*transporter, T::TypeId(), rows > 0 ? rows - 1 : 0, cls_Uid());
    return T(cls_ReadVisitor(memento));
  }
};

// LC_CTYPE switched to a Latin-1 locale, compiled into a scratch directory, for the object's life.
class Latin1Locale {
 public:
  Latin1Locale() {
    const std::string make =
        "localedef -i en_US -f ISO-8859-1 " + m_dir.Path("en_US.ISO-8859-1") + " >/dev/null 2>&1";
    if (std::system(make.c_str()) == 0) setenv("LOCPATH", m_dir.Path("").c_str(), 1);
    m_on = std::setlocale(LC_CTYPE, "en_US.ISO-8859-1") != nullptr;
  }
  ~Latin1Locale() {
    std::setlocale(LC_CTYPE, "C");
    unsetenv("LOCPATH");
  }
  bool On() const { return m_on; }

 private:
  ScratchDir m_dir;
  bool m_on = false;
};

// The message of the E that `body` raises; "<no exception>" when it raises none. Anything else
// it raises passes through and fails the test.
template <class E = std::exception>
std::string Message(const std::function<void()>& body) {
  try {
    body();
  } catch (const E& e) {
    return e.what();
  }
  return "<no exception>";
}

// Starts `body` in a forked child and returns its pid. The child exits with 0, 1 after a failed
// expectation or 2 after an exception; its messages go to stderr.
inline pid_t Spawn(const std::function<void()>& body) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid != 0) return pid;
  int status = 0;
  try {
    body();
    status = ::testing::Test::HasFailure() ? 1 : 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "child raised: %s\n", e.what());
    status = 2;
  } catch (...) {  // never back into the parent's copy of the test run
    std::fprintf(stderr, "child raised an exception that is not a std::exception\n");
    status = 2;
  }
  std::fflush(nullptr);
  _exit(status);
}

// Runs `body` in a forked child (see Spawn): its exit status, or 128 + the signal that ended it.
inline int InChild(const std::function<void()>& body) {
  int status = 0;
  waitpid(Spawn(body), &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A text from the file read with plain SQLite ("" for NULL or no row).
inline std::string QueryText(const std::string& path, const std::string& sql) {
  const auto rows = PlainSql(path, SQLITE_OPEN_READONLY).Rows(sql);
  return rows.empty() || rows[0].empty() ? "" : rows[0][0];
}

// A number from the file read with plain SQLite, e.g. Query(path, "SELECT COUNT(*) FROM t"):
// -1 when there is no row, 0 for NULL.
inline long long Query(const std::string& path, const std::string& sql) {
  const auto rows = PlainSql(path, SQLITE_OPEN_READONLY).Rows(sql);
  return rows.empty() || rows[0].empty() ? -1 : std::atoll(rows[0][0].c_str());
}

// The texts of a one-column query joined by "|", NULL as "NULL".
inline std::string Column(const std::string& path, const std::string& sql) {
  return QueryText(
      path, "WITH q(c) AS (" + sql + ") SELECT group_concat(coalesce(c, 'NULL'), '|') FROM q");
}

// Runs statements on the file (created when missing) with plain SQLite, as another program would.
inline void Execute(const std::string& path, const std::string& sql) {
  PlainSql db(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  EXPECT_TRUE(db.Exec(sql)) << sql << ": " << db.Error();
}

// Turns a file of a later layout into one of layout 1, as older releases wrote them: no checksums,
// no list lengths. Tests that edit stored rows by hand (older layouts, values outside a table) work
// on such files, where nothing tells an edit from a write.
inline void StripChecksums(const std::string& path) {
  PlainSql db(path);
  auto exec = [&](const std::string& sql) {
    ASSERT_TRUE(db.Exec(sql)) << sql << ": " << db.Error();
  };
  // Layout 1 knows no inline lists and arrays: they move to "##List" runs and "##Array" rows.
  const std::string list = std::to_string(cls_ObjListTypeId);
  for (const auto& f :
       db.Rows("SELECT c.\"Class Table\", f.\"Field Name\", f.\"Field Type Id\", "
               "f.\"Collection Type\" FROM \"##Fields\" f JOIN \"##Classes\" c USING "
               "(\"Type Id\") WHERE f.\"Field Type Id\" IN (" +
               std::to_string(cls_PrimArrayTypeId) + ", " + list + ")")) {
    const std::string t = "\"" + f[0] + "\"", cls = "\"" + f[1] + "#ClassID\"",
                      oid = "\"" + f[1] + "#OID\"", where = " WHERE typeof(" + cls + ") = 'blob'";
    exec(f[2] == list ? "INSERT INTO \"##List\" SELECT " + oid + ", 0, length(" + cls + ") / 12, " +
                            cls + ", 0 FROM " + t + where + " AND length(" + cls + ") > 0"
                      : "INSERT INTO \"##Array\" SELECT " + oid + ", " + f[3] +
                            ", 0, x'', 0 FROM " + t + where);
    exec("UPDATE " + t + " SET " + cls + " = " + f[2] + where);
  }
  for (const auto& t : db.Rows("SELECT \"Class Table\" FROM \"##Classes\""))
    exec("ALTER TABLE \"" + t[0] + "\" DROP COLUMN \"##Check\"");
  exec("ALTER TABLE \"##Classes\" DROP COLUMN \"Check\"");
  for (const char* t : {"##List", "##Map", "##Array"})
    exec("ALTER TABLE \"" + std::string(t) + "\" DROP COLUMN \"check\"");
  exec("DROP TABLE \"##Length\"");
  exec("PRAGMA user_version = 1");
}

}  // namespace ddb_test
