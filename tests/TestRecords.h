// Small record classes that follow the persistent class protocol, for testing the framework
// without the diagnostics records: a leaf with every primitive kind and an int array, a
// derived leaf whose base part is a row of its own, and an owner holding a list of leaves.
#pragma once

#include <stdexcept>
#include <string>

#include "TestFiles.h"
#include "ddb/frame/cls_ListObj.h"
#include "ddb/frame/cls_Map2Obj.h"
#include "ddb/platform/cls_ArrayPrim.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/mem_AllocationOperators.h"

namespace ddb_test {

constexpr std::uint32_t kLeafId = 0x7f0001, kDerivedId = 0x7f0002, kOwnerId = 0x7f0003;

struct Leaf : mem_AllocationOperators {
  int number = 0;
  double value = 0;
  cow_String text;
  bool flag = false;
  cls_xp1DArrayListInt ints;
  cls_Uid uid = cls_Uid::AllocateUid();

  Leaf() = default;
  Leaf(int n, double v, cow_String t) : number(n), value(v), text(std::move(t)), flag(n % 2) {}
  explicit Leaf(const cls_ReadVisitor& r)
      : number(r.ReadInt({"number", 0}, 0)),
        value(r.ReadDouble({"value", 1}, 0.0)),
        text(r.ReadString({"text", 2}, "")),
        flag(r.ReadBool({"flag", 3}, false)),
        ints(cls_ReadVisitor(r, {"ints", 4})),
        uid(r.GetUid()) {}
  virtual ~Leaf() = default;
  virtual Leaf* Copy() const { return new Leaf(*this); }

  static std::uint32_t TypeId() { return kLeafId; }
  static void* Ctor(cls_ReadVisitor& r) { return new Leaf(r); }
  static void InitializeMetadata(cls_ClassRegistrar& reg) {
    reg.CreateClassMD("test_Leaf", kLeafId, 1, &Ctor, cls_NoBaseTypeId)
        .AddAttribute({"number", 0}, cls_AttrInt, 1, 0)
        .AddAttribute({"value", 1}, cls_AttrDouble, 1, 0)
        .AddAttribute({"text", 2}, cls_AttrString, 1, 0)
        .AddAttribute({"flag", 3}, cls_AttrBool, 1, 0)
        .AddAttribute({"ints", 4}, cls_AttrObject, cls_PrimArrayTypeId, cls_CollInts);
  }
  // Makes the write of a leaf with this number raise, to play a failing flush.
  static int& FailingNumber() {
    static int number = -1;
    return number;
  }
  virtual void DBWrite(const cls_WriteVisitor& w) const {
    if (!w.StartWrite(kLeafId, uid)) return;
    if (number == FailingNumber()) throw std::runtime_error("write failed");
    w.Memento().WriteInt({"number", 0}, number);
    w.Memento().WriteDouble({"value", 1}, value);
    w.Memento().WriteString({"text", 2}, text);
    w.Memento().WriteBool({"flag", 3}, flag);
    w.WriteMember({"ints", 4}, ints);
  }
  bool operator==(const Leaf& o) const {
    return number == o.number && value == o.value && text == o.text && flag == o.flag &&
           ints.Values() == o.ints.Values() && uid == o.uid;
  }
};

struct Derived : Leaf {
  int extra = 0;
  cls_Uid ownUid = cls_Uid::AllocateUid();

  Derived() = default;
  Derived(int n, int e) : Leaf(n, n * 0.5, "derived"), extra(e) {}
  explicit Derived(const cls_ReadVisitor& r)
      : Leaf(cls_ReadVisitor(r)), extra(r.ReadInt({"extra", 0}, 0)), ownUid(r.GetUid()) {}
  Leaf* Copy() const override { return new Derived(*this); }

  static std::uint32_t TypeId() { return kDerivedId; }
  static void* Ctor(cls_ReadVisitor& r) { return new Derived(r); }
  static void InitializeMetadata(cls_ClassRegistrar& reg) {
    reg.CreateClassMD("test_Derived", kDerivedId, 1, &Ctor, kLeafId)
        .AddAttribute({"extra", 0}, cls_AttrInt, 1, 0);
  }
  void DBWrite(const cls_WriteVisitor& w) const override {
    if (!w.StartWrite(kDerivedId, ownUid)) return;
    w.WriteBase(kLeafId, [&](const cls_WriteVisitor& base) { Leaf::DBWrite(base); });
    w.Memento().WriteInt({"extra", 0}, extra);
  }
};

struct Owner : mem_AllocationOperators {
  cow_String name;
  cls_ListObj<Leaf> leaves;
  cls_ListObj<Leaf, cow_ArrayCOW<Leaf, cow_Virtual<Leaf>>> mixed;
  cls_Map2Obj<cow_String, Leaf> named;
  cls_Uid uid = cls_Uid::AllocateUid();

  Owner() = default;
  explicit Owner(const cls_ReadVisitor& r)
      : name(r.ReadString({"name", 0}, "")),
        leaves(cls_ReadVisitor(r, {"leaves", 1})),
        mixed(cls_ReadVisitor(r, {"mixed", 2})),
        named(cls_ReadVisitor(r, {"named", 3})),
        uid(r.GetUid()) {}

  static std::uint32_t TypeId() { return kOwnerId; }
  static void* Ctor(cls_ReadVisitor& r) { return new Owner(r); }
  static void InitializeMetadata(cls_ClassRegistrar& reg) {
    reg.CreateClassMD("test_Owner", kOwnerId, 1, &Ctor, cls_NoBaseTypeId)
        .AddAttribute({"name", 0}, cls_AttrString, 1, 0)
        .AddAttribute({"leaves", 1}, cls_AttrObject, cls_ObjListTypeId, cls_CollList)
        .AddAttribute({"mixed", 2}, cls_AttrObject, cls_ObjListTypeId, cls_CollList)
        .AddAttribute({"named", 3}, cls_AttrObject, cls_ObjListTypeId, cls_CollMap);
  }
  void DBWrite(const cls_WriteVisitor& w) const {
    if (!w.StartWrite(kOwnerId, uid)) return;
    w.Memento().WriteString({"name", 0}, name);
    w.WriteMember({"leaves", 1}, leaves);
    w.WriteMember({"mixed", 2}, mixed);
    w.WriteMember({"named", 3}, named);
  }
};

inline void RegisterTestRecords() {
  static bool done = [] {
    cls_MetadataRegistrar& m = cls_MetadataRegistrar::Instance();
    m.initClassMetadata(&Leaf::InitializeMetadata, 4);
    m.initClassMetadata(&Derived::InitializeMetadata, 4);
    m.initClassMetadata(&Owner::InitializeMetadata, 4);
    return true;
  }();
  (void)done;
}

using OwnerFile = RecordFile<Owner, RegisterTestRecords>;

inline Owner OwnerWithLeaves(int n) {
  Owner owner;
  owner.name = "owner";
  for (int i = 0; i < n; ++i) owner.leaves.Append(Leaf(i, i * 1.5, "leaf " + std::to_string(i)));
  return owner;
}

}  // namespace ddb_test
