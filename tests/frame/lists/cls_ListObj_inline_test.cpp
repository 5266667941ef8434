// Short lists stored in the row of the object that holds them, and how they move to runs.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "TestRecords.h"
#include "ddb/frame/cls_ListObj.h"
#include "ddb/platform/rom_Transporter.h"

using namespace ddb_test;

namespace {

constexpr std::uint32_t kShelfId = 0x7f0010;

// A top record holding owners, so that each owner's row (and its lists) has a lasting identity.
struct Shelf : mem_AllocationOperators {
  cls_ListObj<Owner> owners;
  cls_Uid uid = cls_Uid::AllocateUid();

  Shelf() = default;
  explicit Shelf(const cls_ReadVisitor& r)
      : owners(cls_ReadVisitor(r, {"owners", 0})), uid(r.GetUid()) {}
  static std::uint32_t TypeId() { return kShelfId; }
  static void* Ctor(cls_ReadVisitor& r) { return new Shelf(r); }
  static void Register() {
    static const bool done = [] {
      RegisterTestRecords();
      cls_MetadataRegistrar::Instance().initClassMetadata(
          [](cls_ClassRegistrar& reg) {
            reg.CreateClassMD("test_Shelf", kShelfId, 1, &Ctor, cls_NoBaseTypeId)
                .AddAttribute({"owners", 0}, cls_AttrObject, cls_ObjListTypeId, cls_CollList);
          },
          4);
      return true;
    }();
    (void)done;
  }
  void DBWrite(const cls_WriteVisitor& w) const {
    if (!w.StartWrite(kShelfId, uid)) return;
    w.WriteMember({"owners", 0}, owners);
  }
};

using ShelfFile = RecordFile<Shelf, &Shelf::Register>;

class InlineList : public ScratchFile {
 protected:
  long long Count(const std::string& sql) { return Query(path, sql); }
  // typeof() of the leaves' "#ClassID" of owner k (in OID order).
  std::string Form(int k) {
    return Count(
               "SELECT typeof(\"leaves#ClassID\") = 'blob' FROM test_Owner ORDER BY OID LIMIT 1 "
               "OFFSET " +
               std::to_string(k))
               ? "inline"
               : "runs";
  }
  // Expects the leaves' texts of every owner, read in a fresh process, to be `texts`.
  void ReadBack(const std::string& texts) {
    EXPECT_EQ(InChild([&] {
                Shelf back = ShelfFile::Open(path).Load();
                std::string all;
                for (int o = 0; o < back.owners.Length(); ++o) {
                  const Owner& owner = back.owners.ConstGet(o);
                  for (int i = 0; i < owner.leaves.Length(); ++i)
                    all += owner.leaves.ConstGet(i).text.str() + ",";
                  all += "|";
                }
                EXPECT_EQ(all, texts);
              }),
              0);
  }
};

Owner OwnerOf(int n, const std::string& prefix) {
  Owner owner;
  for (int i = 0; i < n; ++i) owner.leaves.Append(Leaf(i, i, prefix + std::to_string(i)));
  return owner;
}

// The texts of OwnerOf's leaves `from` to `to` - 1, each followed by a comma.
std::string Texts(int from, int to, const std::string& prefix) {
  std::string texts;
  for (int i = from; i < to; ++i) texts += prefix + std::to_string(i) + ",";
  return texts;
}

}  // namespace

TEST_F(InlineList, ShortListsAndEmptyArraysLiveInTheirOwnersRow) {
  ShelfFile f = ShelfFile::Create(path);
  Shelf shelf;
  shelf.owners.Append(OwnerOf(3, "a"));
  shelf.owners.Append(OwnerOf(17, "b"));
  f.Save(shelf);
  EXPECT_EQ(Form(0), "inline");
  EXPECT_EQ(Count("SELECT length(\"leaves#ClassID\") FROM test_Owner ORDER BY OID LIMIT 1"), 36);
  EXPECT_EQ(Form(1), "runs");
  // Runs and lengths only for the shelf's owners and the long list; no array row for the
  // leaves' empty int arrays.
  EXPECT_EQ(Count("SELECT COUNT(DISTINCT list) FROM \"##List\""), 2);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM \"##Length\""), 2);
  EXPECT_EQ(Count("SELECT COUNT(*) FROM \"##Array\""), 0);
  ReadBack(Texts(0, 3, "a") + "|" + Texts(0, 17, "b") + "|");
}

TEST_F(InlineList, ChangesRewriteTheRowAndGrowthPastSixteenMovesToRuns) {
  ShelfFile f = ShelfFile::Create(path);
  Shelf shelf;
  shelf.owners.Append(OwnerOf(2, "a"));
  f.Save(shelf);
  Owner& owner = shelf.owners.Get(0);
  owner.leaves.Get(1).text = "changed";
  owner.leaves.Append(Leaf(2, 2, "a2"));
  owner.leaves.Flush();
  EXPECT_EQ(Form(0), "inline");
  ReadBack("a0,changed,a2,|");

  for (int i = 3; i < 16; ++i) owner.leaves.Append(Leaf(i, i, "a" + std::to_string(i)));
  owner.leaves.Flush();
  EXPECT_EQ(Form(0), "inline");
  owner.leaves.Append(Leaf(16, 16, "a16"));
  owner.leaves.Flush();
  EXPECT_EQ(Form(0), "runs");
  EXPECT_EQ(Count("SELECT SUM(count) FROM \"##List\" WHERE list = (SELECT \"leaves#OID\" FROM "
                  "test_Owner)"),
            17);
  const std::string all = "a0,changed," + Texts(2, 17, "a") + "|";
  ReadBack(all);
  // The owner rewritten later keeps referring to the runs.
  shelf.owners.Get(0).name = "renamed";
  shelf.owners.Flush();
  EXPECT_EQ(Form(0), "runs");
  ReadBack(all);
}

// A list that a second owner refers to moves to runs, so that both rows see every change.
TEST_F(InlineList, ListSharedByTwoOwnersMovesToRuns) {
  ShelfFile f = ShelfFile::Create(path);
  Shelf shelf;
  shelf.owners.Append(OwnerOf(2, "a"));
  f.Save(shelf);
  Owner second;
  second.leaves = shelf.owners.ConstGet(0).leaves;
  shelf.owners.Append(second);
  shelf.owners.Flush();
  EXPECT_EQ(Form(0), "runs");
  EXPECT_EQ(Form(1), "runs");
  shelf.owners.Get(1).leaves.Append(Leaf(2, 2, "a2"));
  shelf.owners.Get(1).leaves.Flush();
  ReadBack("a0,a1,a2,|a0,a1,a2,|");
}

// A file of layout 3 goes on with the rows of its layout.
TEST_F(InlineList, OlderLayoutKeepsRuns) {
  ShelfFile::Create(path);
  Execute(path, "PRAGMA user_version = 3");
  ShelfFile f = ShelfFile::Open(path, rfm_Access::Update);
  Shelf shelf;
  shelf.owners.Append(OwnerOf(2, "a"));
  f.Save(shelf);
  EXPECT_EQ(Form(0), "runs");
  EXPECT_EQ(Count("SELECT COUNT(*) FROM \"##Array\""), 2);
  ReadBack("a0,a1,|");
}
