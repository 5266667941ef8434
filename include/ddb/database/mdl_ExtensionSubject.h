// mdl_ExtensionSubject<S, Table>: the part of a record (the model, S = ddr_Model) that holds
// named extensions created from process-wide prototypes.
//
// registrationTable() is the prototype table: created by Initialize and destroyed by Finalize
// (the database module's start-up and shut-down); the supplying libraries register their
// prototypes in between, on one thread. Each subject keeps its own instance table, filled from
// the prototypes on first mutable access and persisted with the subject. Persisted on its own
// as "ddr_ModelExtension" (0x220019, no reader: subjects are read as part of their record).
// A subject is a value type and not thread-safe.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

template <class S, class Table>
class mdl_ExtensionSubject : public mem_AllocationOperators {
 public:
  static std::uint32_t TypeId() { return 0x220019; }

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
  // Builds the metadata itself and hands it over (the class has no reader constructor).
  static void InitializeMetadata(cls_ClassRegistrar& registrar) {
    auto md = std::make_unique<cls_ClassMetadata>(DBClassName(), TypeId(), 874, nullptr,
                                                  cls_NoBaseTypeId);
    md->AddAttribute({"instanceTable", 0}, cls_AttrObject, Table::TypeId(), cls_CollNone);
    registrar.AddClassMD(std::move(md));
  }

  mdl_ExtensionSubject() : m_uid(cls_Uid::AllocateUid()) {}
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

  virtual void DBWrite(const cls_WriteVisitor& writer) const {
    if (!writer.StartWrite(TypeId(), m_uid)) return;
    writer.WriteMember({"instanceTable", 0}, m_instanceTable);
  }

  const Table& InstanceTable() const { return m_instanceTable; }

 protected:
  Table& MutableInstanceTable() { return m_instanceTable; }

 private:
  static const char* DBClassName() { return "ddr_ModelExtension"; }
  static const Table& Prototypes() {
    Initialize();
    return *registrationTable();
  }

  Table m_instanceTable;
  cls_Uid m_uid;
};
