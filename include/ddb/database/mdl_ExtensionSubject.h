// mdl_ExtensionSubject<S, Table>: the part of a record (the model, S = ddr_Model) that holds
// named extensions created from process-wide prototypes.
//
// registrationTable() is the prototype table: created by Initialize and destroyed by Finalize
// (the database module's start-up and shut-down); the supplying libraries register their
// prototypes in between, on one thread. Each subject keeps its own instance table, filled from
// the prototypes on first mutable access; the record stores it as one of its fields. A subject
// is a value type and not thread-safe.
#pragma once

#include <vector>

#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

template <class S, class Table>
class mdl_ExtensionSubject : public mem_AllocationOperators {
 public:
  static void Initialize() {
    if (!registrationTable()) registrationTable() = new Table();
  }
  static void Finalize() {
    delete registrationTable();
    registrationTable() = nullptr;
  }
  static Table*& registrationTable() {
    static Table* table = nullptr;
    return table;
  }
  // Stores a copy of the prototype under the name, replacing an earlier one.
  template <class E>
  static void RegisterExtension(const cow_String& name, const E& prototype) {
    Initialize();
    registrationTable()->Insert(name, prototype);
  }
  static void UnRegisterExtension(const cow_String& name) {
    if (registrationTable()) registrationTable()->Remove(name);
  }
  mdl_ExtensionSubject() = default;
  mdl_ExtensionSubject(const mdl_ExtensionSubject&) = default;
  mdl_ExtensionSubject& operator=(const mdl_ExtensionSubject&) = default;
  virtual ~mdl_ExtensionSubject() = default;

  // The names of the registered prototypes, in key order.
  std::vector<cow_String> RegisteredExtensionList() const {
    return registrationTable() ? registrationTable()->Keys() : std::vector<cow_String>();
  }
  auto& GetExtension(const cow_String& name) { return m_instanceTable.Get(name, Prototypes()); }
  const auto& ConstGetExtension(const cow_String& name) const {
    return m_instanceTable.ConstGet(name, Prototypes());
  }
  template <class E>
  void SetExtension(const cow_String& name, const E& extension) {
    m_instanceTable.Insert(name, extension);
  }

  const Table& InstanceTable() const { return m_instanceTable; }

 protected:
  Table& MutableInstanceTable() { return m_instanceTable; }

 private:
  static const Table& Prototypes() {
    Initialize();
    return *registrationTable();
  }

  Table m_instanceTable;
};
