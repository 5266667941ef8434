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
#include "frame/cls_Layout.h"

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
  explicit Leaf(const cls_ReadVisitor& r);
  virtual ~Leaf() = default;
  virtual Leaf* Copy() const { return new Leaf(*this); }

  static std::uint32_t TypeId();
  static void* Ctor(cls_ReadVisitor& r);
  static void InitializeMetadata(cls_ClassRegistrar& reg);
  virtual void DBWrite(const cls_WriteVisitor& w) const;
  // Makes the write of a leaf with this number raise, to play a failing flush.
  static inline int failingNumber = -1;
  static int& FailingNumber() { return failingNumber; }
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
  explicit Derived(const cls_ReadVisitor& r);
  Leaf* Copy() const override { return new Derived(*this); }

  static std::uint32_t TypeId();
  static void* Ctor(cls_ReadVisitor& r);
  static void InitializeMetadata(cls_ClassRegistrar& reg);
  void DBWrite(const cls_WriteVisitor& w) const override;
};

struct Owner : mem_AllocationOperators {
  cow_String name;
  cls_ListObj<Leaf> leaves;
  cls_ListObj<Leaf, cow_ArrayCOW<Leaf, cow_Virtual<Leaf>>> mixed;
  cls_Map2Obj<cow_String, Leaf> named;
  cls_Uid uid = cls_Uid::AllocateUid();

  Owner() = default;
  explicit Owner(const cls_ReadVisitor& r);

  static std::uint32_t TypeId();
  static void* Ctor(cls_ReadVisitor& r);
  static void InitializeMetadata(cls_ClassRegistrar& reg);
  void DBWrite(const cls_WriteVisitor& w) const;
};

inline void WriteNumberOrFail(const cls_WriteVisitor& w, const cls_FieldHandle& f, const Leaf& l) {
  if (l.number == Leaf::FailingNumber()) throw std::runtime_error("write failed");
  w.Memento().WriteInt(f, l.number);
}

}  // namespace ddb_test

template <>
struct cls_LayoutOf<ddb_test::Leaf> : cls_LayoutRows<ddb_test::Leaf> {
  static constexpr Row kRows[] = {
      {"number",
       cls_kind::kInt,
       {&cls_layout_detail::Read<&T::number>, &ddb_test::WriteNumberOrFail}},
      {"value", cls_kind::kDouble, At<&T::value>},
      {"text", cls_kind::kString, At<&T::text>},
      {"flag", cls_kind::kBool, At<&T::flag>},
      {"ints", cls_kind::kIntArray, At<&T::ints>},
  };
  static constexpr cls_Layout<T> kLayout{"test_Leaf", ddb_test::kLeafId, 1, &T::uid, kRows};
};

template <>
struct cls_LayoutOf<ddb_test::Derived> : cls_LayoutRows<ddb_test::Derived> {
  static constexpr Row kRows[] = {{"extra", cls_kind::kInt, At<&T::extra>}};
  static constexpr cls_Layout<T> kLayout{"test_Derived", ddb_test::kDerivedId, 1, &T::ownUid,
                                         kRows,          Base<ddb_test::Leaf>};
};

template <>
struct cls_LayoutOf<ddb_test::Owner> : cls_LayoutRows<ddb_test::Owner> {
  static constexpr Row kRows[] = {
      {"name", cls_kind::kString, At<&T::name>},
      {"leaves", cls_kind::kObjectList, At<&T::leaves>},
      {"mixed", cls_kind::kObjectList, At<&T::mixed>},
      {"named", cls_kind::kObjectMap, At<&T::named>},
  };
  static constexpr cls_Layout<T> kLayout{"test_Owner", ddb_test::kOwnerId, 1, &T::uid, kRows};
};

namespace ddb_test {

CLS_DEFINE_INLINE_PERSISTENT(Leaf)
CLS_DEFINE_INLINE_PERSISTENT_DERIVED(Derived, Leaf)
CLS_DEFINE_INLINE_PERSISTENT(Owner)

// Registers the classes, once for each list of them.
template <class... T>
void RegisterClasses() {
  static const bool done =
      (cls_MetadataRegistrar::Instance().initClassMetadata(&T::InitializeMetadata, 4), ..., true);
  (void)done;
}

inline constexpr auto RegisterTestRecords = &RegisterClasses<Leaf, Derived, Owner>;
using OwnerFile = RecordFile<Owner, RegisterTestRecords>;

inline Owner OwnerWithLeaves(int n) {
  Owner owner;
  owner.name = "owner";
  for (int i = 0; i < n; ++i) owner.leaves.Append(Leaf(i, i * 1.5, "leaf " + std::to_string(i)));
  return owner;
}

}  // namespace ddb_test
