// Class metadata of the persistent classes: what each class stores and how it is created.
//
// Every persistent class declares, once per process, its persisted name, type identifier,
// schema version, reader constructor, base class and its fields in order (InitializeMetadata).
// cls_MetadataRegistrar keeps the process list of those declaration functions and a registrar
// built from them; further registrars (one per open-file registry) are built from the same list.
// A registrar owns its metadata. Registration happens at library start-up on one thread;
// afterwards registrars are only read and may be shared by threads.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ddb/platform/cow_String.h"

class cls_ReadVisitor;
class cls_ClassRegistrar;

// Attribute types of a declared field.
enum cls_AttributeType : int {
  cls_AttrInt = 5,
  cls_AttrIntCode = 7,
  cls_AttrDouble = 10,
  cls_AttrString = 11,
  cls_AttrBool = 13,
  cls_AttrEnum = 14,
  cls_AttrObject = 15,
};

// Collection types of an object field.
enum cls_CollectionType : int {
  cls_CollNone = 0,
  cls_CollList = 1,
  cls_CollMap = 2,
  cls_CollDoubles = 52,
  cls_CollInts = 54,
  cls_CollStrings = 55,
};

constexpr std::uint32_t cls_NoBaseTypeId = 1;
constexpr std::uint32_t cls_PrimArrayTypeId = 0x230001;
constexpr std::uint32_t cls_ObjListTypeId = 0x230002;

// A field name with its declaration index, or -1 to find the field by name. Built from a
// literal it only points at the text (the records' DBWrite builds handles for every field of
// every object written), so such a handle must not outlive its literal.
class cls_FieldHandle {
 public:
  cls_FieldHandle(const char* name, int index = -1) : m_name(name), m_index(index) {}
  cls_FieldHandle(std::string name, int index = -1)
      : m_owned(std::make_shared<std::string>(std::move(name))),
        m_name(m_owned->c_str()),
        m_index(index) {}
  std::string Name() const { return m_name; }
  const char* CName() const { return m_name; }
  int Index() const { return m_index; }
  // Whether the handle holds its own copy of the name (else it points at the caller's text).
  bool OwnsName() const { return m_owned != nullptr; }

 private:
  std::shared_ptr<std::string> m_owned;
  const char* m_name;
  int m_index;
};

struct cls_Attribute {
  std::string name;
  int attributeType;
  std::uint32_t typeId;
  int collectionType;
};

using cls_CtorFn = void* (*)(cls_ReadVisitor&);
using cls_DtorFn = void (*)(void* cowHandle);

class cls_ClassMetadata {
 public:
  cls_ClassMetadata(cow_String name, std::uint32_t typeId, int version, cls_CtorFn ctor,
                    std::uint32_t baseTypeId);

  cls_ClassMetadata& AddDtor(cls_DtorFn dtor);
  cls_ClassMetadata& AddAttribute(const cls_FieldHandle& handle, int attributeType,
                                  std::uint32_t typeId, int collectionType);
  cls_ClassMetadata& AddTableExtentQuantum(int quantum);

  const cow_String& Name() const { return m_name; }
  std::uint32_t TypeId() const { return m_typeId; }
  int Version() const { return m_version; }
  cls_CtorFn Ctor() const { return m_ctor; }
  cls_DtorFn Dtor() const { return m_dtor; }
  std::uint32_t BaseTypeId() const { return m_baseTypeId; }
  bool HasBase() const { return m_baseTypeId != cls_NoBaseTypeId && m_baseTypeId != 0; }
  int ExtentQuantum() const { return m_extentQuantum; }
  const std::vector<cls_Attribute>& Attributes() const { return m_attributes; }
  // Position of the field in declaration order, or -1.
  int FindAttribute(const std::string& name) const;

 private:
  cow_String m_name;
  std::uint32_t m_typeId;
  int m_version;
  cls_CtorFn m_ctor;
  cls_DtorFn m_dtor = nullptr;
  std::uint32_t m_baseTypeId;
  int m_extentQuantum = 0;
  std::vector<cls_Attribute> m_attributes;
};

class cls_ClassRegistrar {
 public:
  using InitFn = void (*)(cls_ClassRegistrar&);

  cls_ClassRegistrar() = default;
  cls_ClassRegistrar(const cls_ClassRegistrar&) = delete;
  cls_ClassRegistrar& operator=(const cls_ClassRegistrar&) = delete;

  // Declares a class; a second declaration of the same type id replaces the first.
  cls_ClassMetadata& CreateClassMD(const cow_String& name, std::uint32_t typeId, int version,
                                   cls_CtorFn ctor, std::uint32_t baseTypeId);
  void AddClassMD(std::unique_ptr<cls_ClassMetadata> metadata);
  void DeleteClass(const cow_String& name, std::uint32_t typeId);

  const cls_ClassMetadata* Find(std::uint32_t typeId) const;
  const cls_ClassMetadata* FindByName(const std::string& name) const;
  // Raises nex_PrimException naming the type id when the class is unknown.
  const cls_ClassMetadata& Get(std::uint32_t typeId) const;
  std::vector<const cls_ClassMetadata*> Classes() const;

 private:
  std::map<std::uint32_t, std::unique_ptr<cls_ClassMetadata>> m_classes;
};

class cls_MetadataRegistrar {
 public:
  static cls_MetadataRegistrar& Instance();

  // Runs `fn` on the process registrar and remembers it for NewClassRegistrar. `flags` is kept
  // for the callers' protocol; every registration here is permanent.
  void initClassMetadata(cls_ClassRegistrar::InitFn fn, int flags);
  cls_ClassRegistrar& ProcessRegistrar() { return m_registrar; }
  // A registrar holding every class declared so far; the caller owns it.
  std::unique_ptr<cls_ClassRegistrar> NewClassRegistrar() const;

 private:
  // Declares the framework's own stored types.
  cls_MetadataRegistrar();
  cls_ClassRegistrar m_registrar;
  std::vector<cls_ClassRegistrar::InitFn> m_functions;
};

// Table extent quanta: how many rows a class's table grows by. Here a storage hint only.
class cls_ExtQuant {
 public:
  static cls_ExtQuant& Instance();
  int ExtentQuantumConstSmall() const { return 16; }
  int ExtentQuantumConstMedium() const { return 256; }
};
