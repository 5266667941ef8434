#include "ddb/frame/cls_Map2Obj.h"

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "TestRecords.h"
#include "ddb/platform/nex_Exception.h"

using namespace ddb_test;

namespace {
using MapFile = ScratchFile;
}  // namespace

TEST_F(MapFile, Map2Obj_RoundTripsKeysInOrder) {
  {
    OwnerFile f = OwnerFile::Create(path);
    Owner owner;
    owner.named.Insert("zeta", Leaf(3, 0, "z"));
    owner.named.Insert("alpha", Leaf(1, 0, "a"));
    owner.named.Insert("mid", Derived(2, 20));
    f.Save(owner);
  }
  EXPECT_EQ(InChild([&] {
              OwnerFile f = OwnerFile::Open(path);
              Owner back = f.Load();
              std::vector<cow_String> keys = back.named.Keys();
              ASSERT_EQ(keys.size(), 3u);
              EXPECT_EQ(keys[0], "alpha");
              EXPECT_EQ(keys[2], "zeta");
              EXPECT_EQ(back.named.Snap(), 0);
              EXPECT_EQ(back.named.ConstGet("zeta").number, 3);
              EXPECT_EQ(dynamic_cast<const Derived&>(back.named.ConstGet("mid")).extra, 20);
              EXPECT_THROW(back.named.ConstGet("none"), nex_PrimException);
            }),
            0);
}

TEST_F(MapFile, Map2Obj_FlushWritesChangesAndRemovals) {
  OwnerFile f = OwnerFile::Create(path);
  Owner owner;
  owner.named.Insert("a", Leaf(1, 0, "a"));
  owner.named.Insert("b", Leaf(2, 0, "b"));
  f.Save(owner);
  owner.named.Remove("a");
  owner.named.Get("b").text = "changed";
  owner.named.Insert("c", Leaf(3, 0, "c"));
  owner.named.Flush();
  EXPECT_EQ(Query(path, "SELECT COUNT(*) FROM \"##Map\""), 2);
  OwnerFile reader = OwnerFile::Open(path);
  Owner back = reader.Load();
  EXPECT_FALSE(back.named.IsMember("a"));
  EXPECT_EQ(back.named.ConstGet("b").text, "changed");
  EXPECT_EQ(back.named.ConstGet("c").number, 3);
}

TEST_F(MapFile, Map2Obj_DuplicateStoredKeyReported) {
  OwnerFile f = OwnerFile::Create(path);
  Owner owner;
  owner.named.Insert("a", Leaf(1, 0, "a"));
  f.Save(owner);
  cls_Map2Obj<cow_String, Leaf> keep = owner.named;
  owner.named.Detach();
  testing::internal::CaptureStderr();
  f.Save(owner);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "cls_Map2Obj::DBWrite - Duplicate key when loading collection from DDB");
}
