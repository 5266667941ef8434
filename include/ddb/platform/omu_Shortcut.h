// Shortcuts: persistent, copyable references to objects inside an open database, rendered as a
// path relative to the container of open databases and as a script access path.
//
// omu_ShortcutBase is the handle side (what a record keeps as a member); omu_ShortcutImpl is the
// element side, a chain of small objects each of which knows its parent. Handles share their
// elements through counted holders and never change them, so an element can be shared by any
// number of handles. The database layer derives the concrete classes (ddr_Shortcut,
// ddr_ShortcutImpl). Values of one thread.
#pragma once

#include "ddb/platform/ZunBasStringMode.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

class omu_ShortcutBase : public mem_AllocationOperators {
 public:
  virtual ~omu_ShortcutBase() = default;
  // True when the handle holds an element; the texts of an empty handle are empty.
  virtual bool HasValue() const = 0;
  virtual cow_String Name() const = 0;
  virtual cow_String Path() const = 0;
  virtual cow_String PythonPath() const = 0;

 protected:
  omu_ShortcutBase() = default;
  omu_ShortcutBase(const omu_ShortcutBase&) = default;
  omu_ShortcutBase& operator=(const omu_ShortcutBase&) = default;
};

class omu_ShortcutImpl : public mem_AllocationOperators {
 public:
  virtual ~omu_ShortcutImpl() = default;
  // The last element of the path: a database name, a member word or a key.
  virtual cow_String Name() const = 0;
  // The path from the container of open databases, e.g. ddbCont['P'].models['Model-1'].
  virtual cow_String Path() const = 0;
  // The script text that opens the database file and reaches the same object.
  virtual cow_String PythonPath() const = 0;
  virtual bool InModel() const = 0;
  virtual bool InDdb() const = 0;
  virtual bool InSession() const = 0;
  // A new heap copy; the caller owns it.
  virtual omu_ShortcutImpl* Copy() const = 0;
  // The persistent name of the database the element lies in (locale-encoded in Locale mode).
  virtual cow_String DdbName(ZunBasStringMode mode) const = 0;

 protected:
  omu_ShortcutImpl() = default;
  omu_ShortcutImpl(const omu_ShortcutImpl&) = default;
  omu_ShortcutImpl& operator=(const omu_ShortcutImpl&) = delete;
};
