#include "ddb/frame/cls_ListObj.h"

#include <gtest/gtest.h>

#include <memory>

#include "TestFiles.h"
#include "TestRecords.h"
#include "ddb/platform/nex_Exception.h"

using namespace ddb_test;

namespace {

long long Rows(const std::string& path, const std::string& table) {
  return Query(path, "SELECT COUNT(*) FROM \"" + table + "\"");
}

using ListFile = ScratchFile;

}  // namespace

// A released element reloads equal; one changed since its flush stays; an unattached list keeps
// all.
TEST_F(ListFile, ListObj_ReleaseDropsOnlyWhatIsSafelyStored) {
  OwnerFile f = OwnerFile::Create(path);
  Owner owner = OwnerWithLeaves(3);
  owner.leaves.Get(0).ints.Values() = {7, 8, 9};
  Leaf before = owner.leaves.ConstGet(0);
  f.Save(owner);
  owner.leaves.Get(1).number = 42;
  owner.leaves.Release(1);
  owner.leaves.Release();
  EXPECT_EQ(owner.leaves.Snap(), 1);
  EXPECT_EQ(owner.leaves.ConstGet(1).number, 42);
  EXPECT_EQ(owner.leaves.ConstGet(0), before);
  cls_ListObj<Leaf> unattached;
  unattached.Append(Leaf(1, 1, "x"));
  unattached.Flush();
  unattached.Release();
  EXPECT_EQ(unattached.Snap(), 1);
}

TEST_F(ListFile, ListObj_FlushWritesOnlyWhatIsMarked) {
  OwnerFile f = OwnerFile::Create(path);
  Owner owner = OwnerWithLeaves(3);
  f.Save(owner);
  EXPECT_EQ(Rows(path, "test_Leaf"), 3);
  owner.leaves.Flush();
  EXPECT_EQ(Rows(path, "test_Leaf"), 3);

  owner.leaves.Append(Leaf(3, 0, "new"));
  owner.leaves.Append(Leaf(4, 0, "newer"));
  owner.leaves.Get(1).text = "changed";
  owner.leaves.Flush();
  EXPECT_EQ(Rows(path, "test_Leaf"), 5);
  EXPECT_EQ(Query(path, "SELECT SUM(count) FROM \"##List\""), 5);
  Owner back = OwnerFile::Open(path).Load();
  EXPECT_EQ(back.leaves.ConstGet(1).text, "changed");
  EXPECT_EQ(back.leaves.ConstGet(4).text, "newer");
}

TEST_F(ListFile, ListObj_MisuseMessagesOnStderrAndIndexOutOfRangeRaises) {
  OwnerFile f = OwnerFile::Create(path);
  Owner owner = OwnerWithLeaves(2);
  f.Save(owner);
  cls_ListObj<Leaf> keep = owner.leaves;
  owner.leaves.Detach();
  testing::internal::CaptureStderr();
  f.Save(owner);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "cls_ListObj::DBWrite: Index conflicts(s) in list.");
  EXPECT_EQ(owner.leaves.Snap(), 2);

  owner.leaves.Flush();
  owner.leaves.Release();
  cls_ListObj<Leaf> again = owner.leaves;
  owner.leaves.Detach();
  testing::internal::CaptureStderr();
  EXPECT_THROW(owner.leaves.Get(0), nex_PrimException);
  EXPECT_THROW(owner.leaves.ConstGet(1), nex_PrimException);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "cls_ListObj::Get - no agent, can't load object."
            "cls_ListObj::ConstGetCOW - no agent, can't load object.");
  EXPECT_EQ(Message<nex_PrimException>([&] { keep.ConstGet(2); }),
            "cls_ListObj: index 2 out of range (2 elements)");
}

TEST_F(ListFile, ListObj_ReadBackLoadsLazilyWithDerivedBaseParts) {
  OwnerFile f = OwnerFile::Create(path);
  Owner owner;
  owner.mixed.Append(Derived(9, 99));
  owner.mixed.Append(Leaf(1, 1, "plain"));
  for (int i = 0; i < 5; ++i) owner.leaves.Append(Leaf(i, i, "leaf " + std::to_string(i)));
  f.Save(owner);
  EXPECT_EQ(InChild([&] {
              OwnerFile r = OwnerFile::Open(path);
              Owner back = r.Load();
              EXPECT_EQ(back.leaves.Length(), 5);
              EXPECT_EQ(back.leaves.Snap(), 0);
              EXPECT_EQ(back.leaves.ConstGet(3).text, "leaf 3");
              EXPECT_EQ(back.leaves.Snap(), 1);
              const auto* loaded = dynamic_cast<const Derived*>(&back.mixed.ConstGet(0));
              ASSERT_NE(loaded, nullptr);
              EXPECT_EQ(loaded->extra, 99);
              EXPECT_EQ(loaded->number, 9);
              EXPECT_EQ(dynamic_cast<const Derived*>(&back.mixed.ConstGet(1)), nullptr);
            }),
            0);
}

TEST_F(ListFile, ListObj_FailedFlushKeepsElementsMarkedForRetry) {
  OwnerFile f = OwnerFile::Create(path);
  Owner owner = OwnerWithLeaves(1);
  f.Save(owner);
  owner.leaves.Append(Leaf(1, 0, "a"));
  owner.leaves.Append(Leaf(2, 0, "b"));
  Leaf::FailingNumber() = 2;
  EXPECT_THROW(owner.leaves.Flush(), std::runtime_error);
  owner.leaves.Release();
  EXPECT_EQ(owner.leaves.Snap(), 2);
  EXPECT_EQ(Query(path, "SELECT SUM(count) FROM \"##List\""), 1);
  EXPECT_EQ(Rows(path, "test_Leaf"), 1);
  Leaf::FailingNumber() = -1;
  owner.leaves.Flush();
  EXPECT_EQ(Query(path, "SELECT SUM(count) FROM \"##List\""), 3);
  owner.leaves.Release();
  EXPECT_EQ(owner.leaves.Snap(), 0);
  EXPECT_EQ(owner.leaves.ConstGet(2).text, "b");
}

// Copies share the agent: the original going first leaves it to the copy, and the copy going
// last flushes what it appended.
TEST_F(ListFile, ListObj_LastCopyToGoFlushes) {
  OwnerFile f = OwnerFile::Create(path);
  auto copy = std::make_unique<cls_ListObj<Leaf>>();
  {
    Owner owner = OwnerWithLeaves(2);
    f.Save(owner);
    *copy = owner.leaves;
  }
  copy->Append(Leaf(2, 0, "appended by the copy"));
  EXPECT_EQ(Rows(path, "test_Leaf"), 2);
  copy.reset();
  EXPECT_EQ(Rows(path, "test_Leaf"), 3);
  EXPECT_EQ(Query(path, "SELECT SUM(count) FROM \"##List\""), 3);
}

// Copies share the list's identity and its file: a copy made before the first write finds what
// the other stored, and a copy of a written empty list stores what is appended to it.
TEST_F(ListFile, ListObj_CopiesShareTheStoredList) {
  OwnerFile f = OwnerFile::Create(path);
  Owner owner = OwnerWithLeaves(2);
  Owner other;
  other.leaves = owner.leaves;
  f.Save(owner);
  testing::internal::CaptureStderr();
  f.Save(other);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "cls_ListObj::DBWrite: Index conflicts(s) in list.");

  Owner empty;
  f.Save(empty);
  cls_ListObj<Leaf> copy = empty.leaves;
  copy.Append(Leaf(0, 0, "appended to the copy"));
  copy.Flush();
  EXPECT_EQ(InChild([&] {
              Owner back = OwnerFile::Open(path).Load();
              ASSERT_EQ(back.leaves.Length(), 1);
              EXPECT_EQ(back.leaves.ConstGet(0).text, "appended to the copy");
            }),
            0);
}
