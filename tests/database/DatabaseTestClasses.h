// Test support for the database layer: one concrete model, repository and extension, and one
// concrete result, user-data and custom-data class, registered as persistent classes, plus
// helpers that install a fresh root registrar and the container prototypes.
#pragma once

#include <sstream>
#include <string>

#include "ddb/database/ddr_CustomData.h"
#include "ddb/database/ddr_Model.h"
#include "ddb/database/ddr_Result.h"
#include "ddb/database/ddr_Root.h"
#include "ddb/database/ddr_UserData.h"
#include "ddb/database/mdl_Extension.h"
#include "ddb/platform/cow_List.h"

namespace ddb_test {

constexpr std::uint32_t kRepositoryId = 0x7f0100, kExtensionId = 0x7f0101, kModelId = 0x7f0102,
                        kResultId = 0x7f0103, kUserDataId = 0x7f0104, kCustomDataId = 0x7f0105;

struct Repository : mdl_Repository {
  cow_List<cow_String> entries;
  Repository* Copy() const override { return new Repository(*this); }
  std::uint32_t DynTypeId() const override { return kRepositoryId; }
  int NumEntries() const override { return entries.Length(); }
};

// Content that is not a repository, for the guarded cast.
struct PlainContent : mdl_Object {
  std::uint32_t DynTypeId() const override { return 0x7f01ff; }
};

struct Extension : mdl_Extension {
  Repository repository;
  PlainContent plain;
  bool notARepository = false;
  bool prepared = false;
  cls_Uid uid = cls_Uid::AllocateUid();

  Extension() = default;
  explicit Extension(std::initializer_list<cow_String> entries) {
    for (const cow_String& e : entries) repository.entries.Append(e);
  }
  explicit Extension(const cls_ReadVisitor& r)
      : notARepository(r.ReadBool({"notARepository", 1}, false)),
        prepared(r.ReadBool({"prepared", 2}, false)),
        uid(r.GetUid()) {
    std::istringstream joined(r.ReadString({"entries", 0}, "").str());
    for (std::string entry; std::getline(joined, entry, ',');) repository.entries.Append(entry);
  }
  Extension* Copy() const override { return new Extension(*this); }
  void PrepareForModel() override { prepared = true; }
  mdl_Object& Content() override {
    return notARepository ? static_cast<mdl_Object&>(plain) : repository;
  }
  const mdl_Object& ConstContent() const override {
    return notARepository ? static_cast<const mdl_Object&>(plain) : repository;
  }
  std::uint32_t DynTypeId() const override { return kExtensionId; }
  void DBWrite(const cls_WriteVisitor& w) const override {
    if (!w.StartWrite(kExtensionId, uid)) return;
    std::string joined;
    for (const cow_String& e : repository.entries) joined += (joined.empty() ? "" : ",") + e.str();
    w.Memento().WriteString({"entries", 0}, joined);
    w.Memento().WriteBool({"notARepository", 1}, notARepository);
    w.Memento().WriteBool({"prepared", 2}, prepared);
  }
  static void* Ctor(cls_ReadVisitor& r) { return new Extension(r); }
  static void InitializeMetadata(cls_ClassRegistrar& reg) {
    reg.CreateClassMD("test_Extension", kExtensionId, 1, &Ctor, cls_NoBaseTypeId)
        .AddAttribute({"entries", 0}, cls_AttrString, 1, 0)
        .AddAttribute({"notARepository", 1}, cls_AttrBool, 1, 0)
        .AddAttribute({"prepared", 2}, cls_AttrBool, 1, 0);
  }
};

struct Model : ddr_Model {
  cow_String units;
  cls_Uid ownUid = cls_Uid::AllocateUid();

  explicit Model(const cow_String& name, const cow_String& u = "SI") : ddr_Model(name), units(u) {}
  explicit Model(const cls_ReadVisitor& r)
      : ddr_Model(cls_ReadVisitor(r)), units(r.ReadString({"units", 0}, "")), ownUid(r.GetUid()) {}
  Model* Copy() const override { return new Model(*this); }
  std::uint32_t DynTypeId() const override { return kModelId; }
  void DBWrite(const cls_WriteVisitor& w) const override {
    if (!w.StartWrite(kModelId, ownUid)) return;
    w.WriteBase(ddr_Model::TypeId(),
                [&](const cls_WriteVisitor& base) { ddr_Model::DBWrite(base); });
    w.Memento().WriteString({"units", 0}, units);
  }
  static void* Ctor(cls_ReadVisitor& r) { return new Model(r); }
  static void InitializeMetadata(cls_ClassRegistrar& reg) {
    reg.CreateClassMD("test_Model", kModelId, 1, &Ctor, ddr_Model::TypeId())
        .AddAttribute({"units", 0}, cls_AttrString, 1, 0);
  }
};

// A concrete element of one of the three named collections, with one value field.
template <class Base, std::uint32_t Id, class V>
struct Element : Base {
  V value{};
  cls_Uid ownUid = cls_Uid::AllocateUid();

  explicit Element(V v) : value(std::move(v)) {}
  explicit Element(const cls_ReadVisitor& r) : Base(cls_ReadVisitor(r)), ownUid(r.GetUid()) {
    if constexpr (std::is_same_v<V, double>) value = r.ReadDouble({"value", 0}, 0.0);
    if constexpr (std::is_same_v<V, int>) value = r.ReadInt({"value", 0}, 0);
    if constexpr (std::is_same_v<V, cow_String>) value = r.ReadString({"value", 0}, "");
  }
  Element* Copy() const override { return new Element(*this); }
  std::uint32_t DynTypeId() const override { return Id; }
  void DBWrite(const cls_WriteVisitor& w) const override {
    if (!w.StartWrite(Id, ownUid)) return;
    w.WriteBase(Base::TypeId(), [&](const cls_WriteVisitor& base) { Base::DBWrite(base); });
    if constexpr (std::is_same_v<V, double>) w.Memento().WriteDouble({"value", 0}, value);
    if constexpr (std::is_same_v<V, int>) w.Memento().WriteInt({"value", 0}, value);
    if constexpr (std::is_same_v<V, cow_String>) w.Memento().WriteString({"value", 0}, value);
  }
  static void* Ctor(cls_ReadVisitor& r) { return new Element(r); }
  static void InitializeMetadata(cls_ClassRegistrar& reg) {
    int type = std::is_same_v<V, double> ? cls_AttrDouble
               : std::is_same_v<V, int>  ? cls_AttrInt
                                         : cls_AttrString;
    std::string name = "test_Element" + std::to_string(Id & 0xff);
    reg.CreateClassMD(cow_String(name), Id, 1, &Ctor, Base::TypeId())
        .AddAttribute({"value", 0}, type, 1, 0);
  }
};

using Result = Element<ddr_Result, kResultId, double>;
using UserData = Element<ddr_UserData, kUserDataId, cow_String>;
using CustomData = Element<ddr_CustomData, kCustomDataId, int>;

// Registers the test classes once, installs a root registrar that knows them, and registers
// the prototypes of four containers.
inline void UseDatabaseTestClasses() {
  static bool done = [] {
    cls_MetadataRegistrar& m = cls_MetadataRegistrar::Instance();
    for (auto init :
         {&Extension::InitializeMetadata, &Model::InitializeMetadata, &Result::InitializeMetadata,
          &UserData::InitializeMetadata, &CustomData::InitializeMetadata})
      m.initClassMetadata(init, 4);
    ddr_Root::Instance().SetClassRegistrar(m.NewClassRegistrar());
    return true;
  }();
  (void)done;
  ddr_Model::RegisterMaterialContainer(Extension{"steel"});
  ddr_Model::RegisterTimePointContainer(Extension{"t0", "t1"});
  ddr_Model::RegisterAdaptiveMeshConstraintContainer(Extension{"c0", "c1", "c2"});
  ddr_Model::RegisterAdaptiveMeshControlContainer(Extension{});
}

}  // namespace ddb_test
