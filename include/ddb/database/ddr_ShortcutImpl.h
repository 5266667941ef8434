// Shortcut elements: the database layer's side of omu_ShortcutImpl.
//
// ddr_ShortcutBaseImpl renders every element's script access path from its Path() and the file
// name under which its database is open; ddr_ShortcutImpl<T> is the abstract element of the
// target type T (a database, one of its member collections, or a model) and resolves against
// the container of open databases. Concrete elements (ddr_DdbShortcutImpl, ddr_MemberShortcut,
// ddr_DictionaryShortcut) each know their parent through a ddr_Shortcut handle.
//
// Elements are immutable once built and are shared by the handles that copy them. Every
// concrete element's Ctor returns its object as an omu_ShortcutImpl pointer, which is how
// ReadElement hands stored elements back. Values of one thread.
#pragma once

#include <cstdint>

#include "ddb/database/ddr_Ddb.h"
#include "ddb/frame/ZunRomDdr.h"
#include "ddb/platform/ZunBasStringMode.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/omu_Shortcut.h"

class ddr_DdbContainer;

// Persisted identities of the abstract element and of the handle of each target type.
template <class T>
struct ddr_ShortcutTypes;

template <>
struct ddr_ShortcutTypes<ddr_Ddb> {
  static constexpr std::uint32_t kImplId = ddr_TypeId_DdbIMPLSC, kHandleId = ddr_TypeId_DdbShortcut;
  static constexpr const char* kImplName = "ddr_DdbIMPLSC";
  static constexpr const char* kHandleName = "ddr_DdbShortcut";
};

template <>
struct ddr_ShortcutTypes<ddr_Model> {
  static constexpr std::uint32_t kImplId = ddr_TypeId_ModelIMPLSC,
                                 kHandleId = ddr_TypeId_ModelShortcut;
  static constexpr const char* kImplName = "ddr_ModelIMPLSC";
  static constexpr const char* kHandleName = "ddr_ModelShortcut";
};

template <>
struct ddr_ShortcutTypes<ddr_ModelMap> {
  static constexpr std::uint32_t kImplId = ddr_TypeId_ModelContainerIMPLSC,
                                 kHandleId = ddr_TypeId_ModelContainerShortcut;
  static constexpr const char* kImplName = "ddr_ModelContainerIMPLSC";
  static constexpr const char* kHandleName = "ddr_ModelContainerShortcut";
};

template <>
struct ddr_ShortcutTypes<ddr_ResultMap> {
  static constexpr std::uint32_t kImplId = ddr_TypeId_ResultContainerIMPLSC,
                                 kHandleId = ddr_TypeId_ResultContainerShortcut;
  static constexpr const char* kImplName = "ddr_ResultContainerIMPLSC";
  static constexpr const char* kHandleName = "ddr_ResultContainerShortcut";
};

template <>
struct ddr_ShortcutTypes<ddr_UserDataMap> {
  static constexpr std::uint32_t kImplId = ddr_TypeId_UserDataContainerIMPLSC,
                                 kHandleId = ddr_TypeId_UserDataContainerShortcut;
  static constexpr const char* kImplName = "ddr_UserDataContainerIMPLSC";
  static constexpr const char* kHandleName = "ddr_UserDataContainerShortcut";
};

template <>
struct ddr_ShortcutTypes<ddr_CustomDataMap> {
  static constexpr std::uint32_t kImplId = ddr_TypeId_CustomDataContainerIMPLSC,
                                 kHandleId = ddr_TypeId_CustomDataContainerShortcut;
  static constexpr const char* kImplName = "ddr_CustomDataContainerIMPLSC";
  static constexpr const char* kHandleName = "ddr_CustomDataContainerShortcut";
};

class ddr_ShortcutBaseImpl : public omu_ShortcutImpl {
 public:
  // ScriptPath of Path() with the file name of this element's database and the session prefix
  // of the interactive and results-display editions. Raises nex_CmdException when the
  // database is not open.
  cow_String PythonPath() const override;
  cow_String DdbName(ZunBasStringMode mode) const override;

  // "openDdb(r'<fileName>')" + the path after its database part (nothing for the database
  // itself, so that every script path evaluates), with
  // "userData['default userData']" shortened to "userData"; a path that does not start with
  // "ddbCont[" is returned unchanged.
  static cow_String ScriptPath(const cow_String& path, const cow_String& fileName, bool session);

  // The destructor entry of every shortcut class: frees a counted handle to an element.
  static void CowDtor(void* handle);
  // The reader constructor of the abstract element classes: no object.
  static void* NullCtor(cls_ReadVisitor& reader);
  // The element stored in the object `reader` is on, created through the reader constructor
  // registered for its class; null when nothing is stored. The caller owns it.
  static omu_ShortcutImpl* ReadElement(const cls_ReadVisitor& reader);
  template <class E>
  static E* ReadElementAs(const cls_ReadVisitor& reader);

  [[noreturn]] static void ThrowEmpty();
  [[noreturn]] static void ThrowMissingKey(const cow_String& key);

 protected:
  ddr_ShortcutBaseImpl() = default;
  ddr_ShortcutBaseImpl(const ddr_ShortcutBaseImpl&) = default;

 private:
  [[noreturn]] static void ThrowWrongElement(std::uint32_t stored, std::uint32_t expected);
};

template <class T>
class ddr_ShortcutImpl : public ddr_ShortcutBaseImpl {
 public:
  using Types = ddr_ShortcutTypes<T>;

  static std::uint32_t TypeId() { return Types::kImplId; }
  static void InitializeMetadata(cls_ClassRegistrar& registrar) {
    registrar.CreateClassMD(Types::kImplName, TypeId(), 203, &NullCtor, cls_NoBaseTypeId)
        .AddDtor(&CowDtor)
        .AddTableExtentQuantum(cls_ExtQuant::Instance().ExtentQuantumConstSmall());
  }

  bool InModel() const override { return false; }
  bool InDdb() const override { return true; }
  bool InSession() const override { return false; }

  virtual const T& ConstGet(const ddr_DdbContainer& container) const = 0;
  virtual T& Get(ddr_DdbContainer& container) const = 0;
  // The abstract part has no fields.
  virtual void DBWrite(const cls_WriteVisitor&) const {}
  virtual std::uint32_t DynTypeId() const = 0;

 protected:
  ddr_ShortcutImpl() = default;
  ddr_ShortcutImpl(const ddr_ShortcutImpl&) = default;
};

template <class E>
E* ddr_ShortcutBaseImpl::ReadElementAs(const cls_ReadVisitor& reader) {
  omu_ShortcutImpl* any = ReadElement(reader);
  if (!any) return nullptr;
  E* element = dynamic_cast<E*>(any);
  if (!element) {
    delete any;
    ThrowWrongElement(reader.StoredTypeId(), E::TypeId());
  }
  return element;
}
