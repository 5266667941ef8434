// What every part of the Python module shares: the one lock around the library, the open
// databases that Python objects keep alive, and the nodes that hold records by their shared
// handles.
//
// The library serves one thread at a time and its shared handles count without atomics, so
// every call into it, and every copy or drop of a handle, happens under LibraryMutex(). Calls
// that may read the file give up the interpreter lock first (Locked), so other Python threads
// run meanwhile; the library never calls back into Python, so holding the mutex never waits for
// the interpreter lock.
#pragma once

#include <pybind11/pybind11.h>

#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "ddb/database/ddr_Ddb.h"
#include "ddb/platform/cow_COW.h"
#include "ddb/platform/rfm_File.h"

namespace ddbpy {

namespace py = pybind11;

std::recursive_mutex& LibraryMutex();

// Runs f under the library mutex with the interpreter lock released.
template <class F>
auto Locked(F&& f) -> decltype(f()) {
  py::gil_scoped_release unlocked;
  std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
  return f();
}

// One database opened through the module, shared by every Python object that reads from it;
// it is closed when the last of them goes or when close() is called. A file that was already
// open in the process (by C++ code of the host) is left open.
class OpenDdb {
 public:
  // The database of that file, opened read-only unless the module holds it open already.
  static std::shared_ptr<OpenDdb> Open(const std::string& fileName);
  ~OpenDdb();
  OpenDdb(const OpenDdb&) = delete;
  OpenDdb& operator=(const OpenDdb&) = delete;

  // Both raise ddb.DdbError once the database is closed. Call them under the library mutex.
  const ddr_Ddb& Record() const;
  void RequireOpen() const;
  // The file the database reads from (the host's own when it holds the database open).
  rfm_FileHandle File() const;

  void Close();
  bool IsClosed() const { return m_closed; }
  const std::string& FileName() const { return m_fileName; }
  const cow_String& PersistentName() const { return m_name; }

 private:
  OpenDdb(std::string fileName, cow_String name, bool owned)
      : m_fileName(std::move(fileName)), m_name(std::move(name)), m_owned(owned) {}

  std::string m_fileName;
  cow_String m_name;
  bool m_owned;
  bool m_closed = false;
};

using DbRef = std::shared_ptr<OpenDdb>;

// A record of type T read from a database: the database and either the record's shared handle
// (elements of persistent lists, which stay alive here after their list released them) or a
// plain pointer (records the database record owns for as long as it is open).
template <class T>
class Node {
 public:
  using Handle = cow_COW<T, cow_Direct<T>>;

  Node(DbRef db, const T* object) : m_db(std::move(db)), m_object(object) {}
  Node(DbRef db, Handle handle)
      : m_db(std::move(db)), m_handle(std::move(handle)), m_object(&m_handle.ConstGet()) {}
  Node(const Node& other) : m_db(other.m_db), m_object(other.m_object) {
    std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
    m_handle = other.m_handle;
  }
  Node& operator=(const Node&) = delete;
  ~Node() {
    std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
    m_handle.Reset();
  }

  // The record; call under the library mutex.
  const T& Get() const {
    m_db->RequireOpen();
    return *m_object;
  }
  const DbRef& Db() const { return m_db; }

  // Reads a value of the record under the library mutex, keeping the interpreter lock (for
  // fields of a record in memory).
  template <class F>
  auto Read(F&& f) const -> decltype(f(std::declval<const T&>())) {
    std::lock_guard<std::recursive_mutex> lock(LibraryMutex());
    return f(Get());
  }

 private:
  DbRef m_db;
  Handle m_handle;
  const T* m_object;
};

// Raises ddb.DdbError with the text.
[[noreturn]] void RaiseDdbError(const std::string& text);

void BindDatabase(py::module_& m);
void BindTree(py::module_& m);
void BindDiagnostics(py::module_& m);
void BindEnums(py::module_& m);

// The Python enumeration member of a value, or the plain integer for a value outside its table.
template <class E>
py::object EnumValue(E value);
py::object EnumValueByName(const char* enumName, unsigned value);

}  // namespace ddbpy
