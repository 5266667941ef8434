#include "ddb/frame/cls_Map2Obj.h"

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "TestRecords.h"
#include "ddb/platform/nex_Exception.h"

using namespace ddb_test;

using MapFile = ScratchFile;

// Keys read back in order, elements lazily; a flush writes changes, insertions and removals.
TEST_F(MapFile, Map2Obj_RoundTripsKeysInOrderAndFlushesChanges) {
  OwnerFile f = OwnerFile::Create(path);
  Owner owner;
  owner.named.Insert("zeta", Leaf(3, 0, "z"));
  owner.named.Insert("alpha", Leaf(1, 0, "a"));
  owner.named.Insert("mid", Derived(2, 20));
  owner.named.Insert("gone", Leaf(4, 0, "g"));
  f.Save(owner);
  owner.named.Remove("gone");
  owner.named.Get("alpha").text = "changed";
  owner.named.Insert("new", Leaf(5, 0, "n"));
  owner.named.Flush();
  EXPECT_EQ(Query(path, "SELECT COUNT(*) FROM \"##Map\""), 4);
  EXPECT_EQ(InChild([&] {
              Owner back = OwnerFile::Open(path).Load();
              std::vector<cow_String> keys = back.named.Keys();
              ASSERT_EQ(keys.size(), 4u);
              EXPECT_EQ(keys[0], "alpha");
              EXPECT_EQ(keys[1], "mid");
              EXPECT_EQ(keys[3], "zeta");
              EXPECT_EQ(back.named.Snap(), 0);
              EXPECT_FALSE(back.named.IsMember("gone"));
              EXPECT_EQ(back.named.ConstGet("zeta").number, 3);
              EXPECT_EQ(back.named.ConstGet("alpha").text, "changed");
              EXPECT_EQ(back.named.ConstGet("new").number, 5);
              EXPECT_EQ(dynamic_cast<const Derived&>(back.named.ConstGet("mid")).extra, 20);
              EXPECT_THROW(back.named.ConstGet("none"), nex_PrimException);
            }),
            0);
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
