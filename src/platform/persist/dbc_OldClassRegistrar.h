// Older schema versions and the database converter that upgrades stored rows.
//
// Each older stored layout of a persistent class is a dbc_OldClassVersion: it declares the old
// layout (InitializeMetadata) and may bind conversion functions (SchemaChanges) or drop classes
// that no longer exist (ClassesToDelete). The process's dbc_OldClassRegistrar holds every
// registered version, in registration order, for the life of the process; registration happens
// at library start-up on one thread, afterwards it is only read.
//
// dbc_DatabaseConverter is what a version sees while a file is being upgraded: per-class
// converters on which row functions (old row -> new row) and table functions are bound, the
// list of classes to delete, the two class registrars (the stored layouts and the current
// ones) and, during a file's conversion, the database being written (dbc_Database). Converters
// are owned by the database converter. The conversion of a file itself is
// rom_ConvertedDatabase / rom_UpgradeFile (rom_Upgrade.h).
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cow_COW.h"
#include "ddb/platform/cow_String.h"

class dbc_DatabaseConverter;
class dbc_Database;

// One row during conversion: field texts by column name (an object field is the pair
// "<field>#ClassID" / "<field>#OID"). While a file is converted a row also names the database
// being written (Database()), through which a step reads other tables and creates rows; a row
// built outside a conversion has none.
class dbc_Row {
 public:
  bool Has(const std::string& field) const { return m_fields.count(field) != 0; }
  cow_String GetText(const std::string& field) const;
  void SetText(const std::string& field, const cow_String& text) { m_fields[field] = text.str(); }
  void Remove(const std::string& field) { m_fields.erase(field); }
  const std::map<std::string, std::string>& Fields() const { return m_fields; }
  dbc_Database* Database() const { return m_database; }
  void SetDatabase(dbc_Database* database) { m_database = database; }

 private:
  std::map<std::string, std::string> m_fields;
  dbc_Database* m_database = nullptr;
};

using dbc_ConversionFn = void* (*)(const dbc_Row& oldRow, dbc_Row& newRow, int);
using dbc_FinalizeFn = void (*)(dbc_DatabaseConverter&);

// The database a file is converted into. It holds, from the start, every row of the file that
// needs no conversion (lists, maps, arrays, and the tables of current or foreign classes); rows
// of converted classes arrive as their steps run. Tables are named by class type id. Failures
// raise nex_PrimException naming the file.
class dbc_Database {
 public:
  struct MapEntry {
    std::string key;
    std::uint32_t typeId;
    std::int64_t oid;
  };

  virtual ~dbc_Database() = default;
  // The OIDs of a class's rows in OID order; empty when the file has no such table.
  virtual std::vector<std::int64_t> RowOids(std::uint32_t typeId) = 0;
  // The stored row's non-null columns as texts; false when there is no such row.
  virtual bool ReadRow(std::uint32_t typeId, std::int64_t oid, dbc_Row& row) = 0;
  // A new row of the class declared by `layout` (its table is created on first use), with
  // the given columns; returns its OID.
  virtual std::int64_t AddRow(const cls_ClassMetadata& layout, const dbc_Row& columns) = 0;
  // Sets columns of an existing row.
  virtual void UpdateRow(std::uint32_t typeId, std::int64_t oid, const dbc_Row& columns) = 0;
  // An identity no stored object has, for a new row, list, map or array.
  virtual std::int64_t NewOid() = 0;
  virtual std::vector<MapEntry> ReadMap(std::int64_t map) = 0;
  virtual void PutMapEntry(std::int64_t map, const MapEntry& entry) = 0;
  virtual std::vector<int> ReadIntArray(std::int64_t oid) = 0;
  virtual std::int64_t AddIntArray(const std::vector<int>& values) = 0;
  // The current layouts of the classes this process registers.
  virtual const cls_ClassRegistrar& CurrentClasses() const = 0;
  // What a step keeps from one row to the next and for its table step, by name; it lives as
  // long as the conversion of the file.
  std::shared_ptr<void>& StepState(const std::string& name) { return m_stepState[name]; }

 private:
  std::map<std::string, std::shared_ptr<void>> m_stepState;
};

class dbc_ClassConverter {
 public:
  dbc_ClassConverter(cow_String className, std::uint32_t typeId, int fromVersion)
      : m_className(std::move(className)), m_typeId(typeId), m_fromVersion(fromVersion) {}
  void BindConversionFunction(dbc_ConversionFn fn) { m_rowFunction = fn; }
  void BindFinalizeFunction(dbc_FinalizeFn fn) { m_tableFunction = fn; }

  const cow_String& ClassName() const { return m_className; }
  std::uint32_t TypeId() const { return m_typeId; }
  int FromVersion() const { return m_fromVersion; }
  dbc_ConversionFn RowFunction() const { return m_rowFunction; }
  dbc_FinalizeFn TableFunction() const { return m_tableFunction; }

 private:
  cow_String m_className;
  std::uint32_t m_typeId;
  int m_fromVersion;
  dbc_ConversionFn m_rowFunction = nullptr;
  dbc_FinalizeFn m_tableFunction = nullptr;
};

class dbc_Converter {
 public:
  dbc_ClassConverter& Upgrade(const cow_String& className, std::uint32_t typeId, int fromVersion);
  const std::vector<std::unique_ptr<dbc_ClassConverter>>& ClassConverters() const {
    return m_converters;
  }

 private:
  std::vector<std::unique_ptr<dbc_ClassConverter>> m_converters;
};

class dbc_DatabaseConverter {
 public:
  dbc_DatabaseConverter(cls_ClassRegistrar& storedClasses, cls_ClassRegistrar& currentClasses)
      : m_stored(storedClasses), m_current(currentClasses) {}

  // The converter of one target schema level (the diagnostics versions use 1001).
  dbc_Converter& GetConverter(int level) { return m_converters[level]; }
  const std::map<int, dbc_Converter>& Converters() const { return m_converters; }
  std::list<std::uint32_t>& GetClassesToDelete() { return m_classesToDelete; }
  cls_ClassRegistrar& StoredClassRegistrar() { return m_stored; }
  cls_ClassRegistrar& CurrentClassRegistrar() { return m_current; }
  // The database being written while a file is converted; null otherwise.
  dbc_Database* Database() const { return m_database; }
  void SetDatabase(dbc_Database* database) { m_database = database; }

 private:
  cls_ClassRegistrar& m_stored;
  cls_ClassRegistrar& m_current;
  dbc_Database* m_database = nullptr;
  std::map<int, dbc_Converter> m_converters;
  std::list<std::uint32_t> m_classesToDelete;
};

class dbc_OldClassVersion {
 public:
  virtual ~dbc_OldClassVersion() = default;
  virtual void InitializeMetadata(cls_ClassRegistrar& registrar) = 0;
  virtual void SchemaChanges(dbc_DatabaseConverter&) {}
  virtual void ClassesToDelete(dbc_DatabaseConverter&) {}
  virtual void ClassesToRename(dbc_DatabaseConverter&) {}
  virtual void TablesToRename(dbc_DatabaseConverter&) {}
  // Counted holders of versions never copy them.
  dbc_OldClassVersion* Copy() const { return nullptr; }
};

using dbc_OldClassHandle = cow_COW<dbc_OldClassVersion, cow_Virtual<dbc_OldClassVersion>>;

class dbc_OldClassRegistrar {
 public:
  static dbc_OldClassRegistrar& Instance();

  // Keeps the version unless a version of the same class is already kept (a module started
  // again in one process registers nothing twice); `flags` is part of the callers' protocol and
  // not interpreted here.
  void Register(const dbc_OldClassHandle& version, int flags);
  const std::vector<dbc_OldClassHandle>& Versions() const { return m_versions; }

 private:
  dbc_OldClassRegistrar() = default;
  std::vector<dbc_OldClassHandle> m_versions;
};
