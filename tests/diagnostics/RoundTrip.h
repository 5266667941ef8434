// Test support for the diagnostics records: write records into a fresh ddb file and read them
// back, in this process or in a fresh one.
//
// A record is written as an element of a one-list holder record, the way the record tree stores
// its children, so that its identities are stored with it (a file's top record gets a row
// identity of its own). The holder class is registered once per element type, next to the
// library's own classes.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "ddb/frame/cls_ListObj.h"
#include "ddb/platform/cls_ClassRegistrar.h"

namespace dia_test {

template <class T>
struct Holder : mem_AllocationOperators {
  cls_ListObj<T> items;
  cls_Uid uid = cls_Uid::AllocateUid();

  static std::uint32_t TypeId() { return 0x7e0000u | (T::TypeId() & 0xffffu); }
  static void* Ctor(cls_ReadVisitor& r) { return new Holder(r); }
  static void InitializeMetadata(cls_ClassRegistrar& registrar) {
    registrar
        .CreateClassMD(cow_String("test_Holder_") + T::TypeName(), TypeId(), 1, &Ctor,
                       cls_NoBaseTypeId)
        .AddAttribute({"items", 0}, cls_AttrObject, cls_ObjListTypeId, cls_CollList);
  }
  static void Register() {
    static const bool done = [] {
      cls_MetadataRegistrar::Instance().initClassMetadata(&InitializeMetadata, 4);
      return true;
    }();
    (void)done;
  }

  Holder() = default;
  explicit Holder(const cls_ReadVisitor& r)
      : items(cls_ReadVisitor(r, {"items", 0})), uid(r.GetUid()) {}
  void DBWrite(const cls_WriteVisitor& w) const {
    if (!w.StartWrite(TypeId(), uid)) return;
    w.WriteMember({"items", 0}, items);
  }
};

// A file whose top record holds the records of type T, in order.
template <class T>
using DiaFile = ddb_test::RecordFile<Holder<T>, &Holder<T>::Register>;

template <class T>
Holder<T> HolderOf(const std::vector<T>& records) {
  Holder<T> holder;
  for (const T& r : records) holder.items.Append(r);
  return holder;
}

// A scratch file per test, written and closed before it is read.
class RoundTrip : public ddb_test::ScratchFile {
 protected:
  template <class T>
  void Write(const std::vector<T>& records) {
    DiaFile<T>::Create(path).Save(HolderOf(records));
  }
  template <class T>
  std::vector<T> Read() {
    Holder<T> holder = DiaFile<T>::Open(path).Load();
    std::vector<T> out;
    for (int i = 0; i < holder.items.Length(); ++i) out.push_back(holder.items.ConstGet(i));
    return out;
  }
  // Reads the file in a forked process, which shares nothing with the writer but the file, and
  // runs `check` on what it read there; a failed expectation or an exception fails the test.
  template <class T>
  void CheckInFreshProcess(const std::function<void(const std::vector<T>&)>& check) {
    EXPECT_EQ(ddb_test::InChild([&] { check(Read<T>()); }), 0);
  }
  long long Rows(const std::string& table) const {
    return ddb_test::Query(path, "SELECT COUNT(*) FROM \"" + table + "\"");
  }
  long long Value(const std::string& sql) const { return ddb_test::Query(path, sql); }
};

}  // namespace dia_test
