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
// list of classes to delete, and the two class registrars (the stored layouts and the current
// ones). Converters are owned by the database converter.
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

// One row during conversion: field texts by name.
class dbc_Row {
 public:
  bool Has(const std::string& field) const { return m_fields.count(field) != 0; }
  cow_String GetText(const std::string& field) const;
  void SetText(const std::string& field, const cow_String& text) { m_fields[field] = text.str(); }
  const std::map<std::string, std::string>& Fields() const { return m_fields; }

 private:
  std::map<std::string, std::string> m_fields;
};

using dbc_ConversionFn = void* (*)(const dbc_Row& oldRow, dbc_Row& newRow, int);
using dbc_FinalizeFn = void (*)(dbc_DatabaseConverter&);

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

 private:
  cls_ClassRegistrar& m_stored;
  cls_ClassRegistrar& m_current;
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
