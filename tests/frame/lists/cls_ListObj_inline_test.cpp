// Short lists stored in the row of the object that holds them, and how they move to runs.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "TestRecords.h"
#include "ddb/frame/cls_ListObj.h"
#include "frame/cls_Layout.h"

using namespace ddb_test;

namespace {

// A top record holding owners, so that each owner's row (and its lists) has a lasting identity.
struct Shelf : mem_AllocationOperators {
  cls_ListObj<Owner> owners;
  cls_Uid uid = cls_Uid::AllocateUid();

  Shelf() = default;
  explicit Shelf(const cls_ReadVisitor& r);
  static std::uint32_t TypeId();
  static void* Ctor(cls_ReadVisitor& r);
  static void InitializeMetadata(cls_ClassRegistrar& reg);
  void DBWrite(const cls_WriteVisitor& w) const;
};

}  // namespace

template <>
struct cls_LayoutOf<Shelf> : cls_LayoutRows<Shelf> {
  static constexpr Row kRows[] = {{"owners", cls_kind::kObjectList, At<&T::owners>}};
  static constexpr cls_Layout<T> kLayout{"test_Shelf", 0x7f0010, 1, &T::uid, kRows};
};

namespace {

CLS_DEFINE_INLINE_PERSISTENT(Shelf)

void RegisterShelf() {
  static const bool done = [] {
    RegisterTestRecords();
    cls_MetadataRegistrar::Instance().initClassMetadata(&Shelf::InitializeMetadata, 4);
    return true;
  }();
  (void)done;
}

using ShelfFile = RecordFile<Shelf, RegisterShelf>;

// The leaves' texts of every owner, each followed by a comma, each owner's by a bar.
std::string Texts(const Shelf& shelf) {
  std::string all;
  for (int o = 0; o < shelf.owners.Length(); ++o) {
    const Owner& owner = shelf.owners.ConstGet(o);
    for (int i = 0; i < owner.leaves.Length(); ++i)
      all += owner.leaves.ConstGet(i).text.str() + ",";
    all += "|";
  }
  return all;
}

class InlineList : public ScratchFile {
 protected:
  long long Count(const std::string& sql) { return Query(path, sql); }
  // How the leaves of owner k (in OID order) are stored.
  std::string Form(int k) {
    const std::string sql = "SELECT typeof(\"leaves#ClassID\") FROM test_Owner ORDER BY OID";
    return QueryText(path, sql + " LIMIT 1 OFFSET " + std::to_string(k)) == "blob" ? "inline"
                                                                                   : "runs";
  }
  // Expects the shelf read back in a fresh process to hold leaves of `texts`.
  void ReadBack(const std::string& texts) {
    EXPECT_EQ(InChild([&] { EXPECT_EQ(Texts(ShelfFile::Open(path).Load()), texts); }), 0);
  }
};

}  // namespace

TEST_F(InlineList, ShortListsAndEmptyArraysLiveInTheirOwnersRow) {
  ShelfFile f = ShelfFile::Create(path);
  Shelf shelf;
  shelf.owners.Append(OwnerWithLeaves(3));
  shelf.owners.Append(OwnerWithLeaves(17));
  f.Save(shelf);
  EXPECT_EQ(Form(0), "inline");
  EXPECT_EQ(Count("SELECT length(\"leaves#ClassID\") FROM test_Owner ORDER BY OID LIMIT 1"), 36);
  EXPECT_EQ(Form(1), "runs");
  // Runs and lengths only for the shelf's owners and the long list; no array row for the
  // leaves' empty int arrays.
  EXPECT_EQ(Count("SELECT COUNT(DISTINCT list) FROM \"##List\""), 2);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM \"##Length\""), 2);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM \"##Array\""), 0);
  ReadBack(Texts(shelf));
}

TEST_F(InlineList, ChangesRewriteTheRowAndGrowthPastSixteenMovesToRuns) {
  ShelfFile f = ShelfFile::Create(path);
  Shelf shelf;
  shelf.owners.Append(OwnerWithLeaves(2));
  f.Save(shelf);
  Owner& owner = shelf.owners.Get(0);
  owner.leaves.Get(1).text = "changed";
  owner.leaves.Append(Leaf(2, 2, "a2"));
  owner.leaves.Flush();
  EXPECT_EQ(Form(0), "inline");
  ReadBack(Texts(shelf));

  for (int i = 3; i < 16; ++i) owner.leaves.Append(Leaf(i, i, "a" + std::to_string(i)));
  owner.leaves.Flush();
  EXPECT_EQ(Form(0), "inline");
  owner.leaves.Append(Leaf(16, 16, "a16"));
  owner.leaves.Flush();
  EXPECT_EQ(Form(0), "runs");
  EXPECT_EQ(Count("SELECT SUM(count) FROM \"##List\" WHERE list = (SELECT \"leaves#OID\" FROM "
                  "test_Owner)"),
            17);
  ReadBack(Texts(shelf));
  // The owner rewritten later keeps referring to the runs.
  shelf.owners.Get(0).name = "renamed";
  shelf.owners.Flush();
  EXPECT_EQ(Form(0), "runs");
  ReadBack(Texts(shelf));
}

// A list that a second owner refers to moves to runs, so that both rows see every change.
TEST_F(InlineList, ListSharedByTwoOwnersMovesToRuns) {
  ShelfFile f = ShelfFile::Create(path);
  Shelf shelf;
  shelf.owners.Append(OwnerWithLeaves(2));
  f.Save(shelf);
  Owner second;
  second.leaves = shelf.owners.ConstGet(0).leaves;
  shelf.owners.Append(second);
  shelf.owners.Flush();
  EXPECT_EQ(Form(0), "runs");
  EXPECT_EQ(Form(1), "runs");
  shelf.owners.Get(1).leaves.Append(Leaf(2, 2, "a2"));
  shelf.owners.Get(1).leaves.Flush();
  ReadBack("leaf 0,leaf 1,a2,|leaf 0,leaf 1,a2,|");
}

// A file of layout 3 goes on with the rows of its layout.
TEST_F(InlineList, OlderLayoutKeepsRuns) {
  ShelfFile::Create(path);
  Execute(path, "PRAGMA user_version = 3");
  ShelfFile f = ShelfFile::Open(path, rfm_Access::Update);
  Shelf shelf;
  shelf.owners.Append(OwnerWithLeaves(2));
  f.Save(shelf);
  EXPECT_EQ(Form(0), "runs");
  EXPECT_EQ(Count("SELECT COUNT(*) FROM \"##Array\""), 2);
  ReadBack(Texts(shelf));
}
