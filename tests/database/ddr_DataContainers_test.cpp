#include <gtest/gtest.h>

#include "DatabaseTestClasses.h"
#include "DdbFiles.h"
#include "TestFiles.h"
#include "ddb/database/ddr_Ddb.h"
#include "ddb/database/ddr_FixPS.h"
#include "ddb/database/ddr_ProductAddOnList.h"
#include "ddb/database/mdl_MapString2Obj.h"
#include "ddb/platform/nex_Exception.h"

using namespace ddb_test;

namespace {

class Containers : public ::testing::Test {
 protected:
  void SetUp() override { UseDatabaseTestClasses(); }
  ScratchDir dir;
  std::string path = dir.Path("containers.ddb");
  ddr_Ddb record{"P", path, "", ZunBasStringMode::UTF8};
};

}  // namespace

TEST_F(Containers, NamedMaps_RoundTripEveryKind) {
  record.GetResults().Insert("r1", Result(1.5));
  record.GetResults().Insert("r0", Result(-2.0));
  record.GetUserData().Insert("notes", UserData("hello"));
  record.GetCustomData().Insert("count", CustomData(42));
  WriteRecord(path, record);
  std::unique_ptr<ddr_Ddb> back = ReadRecord(path);
  EXPECT_EQ(back->ConstGetResults().Keys(), (std::vector<cow_String>{"r0", "r1"}));
  EXPECT_EQ(dynamic_cast<const Result&>(back->ConstGetResults().ConstGet("r1")).value, 1.5);
  EXPECT_EQ(back->ConstGetResults().ConstGet("r1").Uid(),
            record.ConstGetResults().ConstGet("r1").Uid());
  EXPECT_EQ(dynamic_cast<const UserData&>(back->ConstGetUserData().ConstGet("notes")).value,
            "hello");
  EXPECT_EQ(dynamic_cast<const CustomData&>(back->ConstGetCustomData().ConstGet("count")).value,
            42);
  EXPECT_EQ(back->ConstGetResults().Uid(), record.ConstGetResults().Uid());
  EXPECT_THROW(back->ConstGetResults().ConstGet("none"), nex_PrimException);
}

TEST_F(Containers, NamedMaps_DerivedRowsCarryTheBaseHeader) {
  record.GetResults().Insert("r", Result(3.0));
  WriteRecord(path, record);
  EXPECT_EQ(Query(path, "SELECT COUNT(*) FROM ddr_Result"), 1);
  EXPECT_EQ(Query(path, "SELECT \"OID\" FROM ddr_Result"),
            record.ConstGetResults().ConstGet("r").Uid().Value());
  EXPECT_EQ(Query(path, "SELECT \"##BaseClassOID\" FROM test_Element3"),
            record.ConstGetResults().ConstGet("r").Uid().Value());
}

TEST_F(Containers, NamedMaps_EveryWriteWritesTheWholeMap) {
  record.GetResults().Insert("a", Result(1));
  record.GetResults().Insert("b", Result(2));
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Create, true, ZunBasStringMode::UTF8);
  rom_Transporter transporter(RootRegistrar(), file, "D0", "", 1, -1);
  auto save = [&] {
    rom_MementoWrite memento(transporter, ddr_Ddb::TypeId(), -1);
    cls_WriteVisitor writer(memento);
    record.DBWrite(writer);
  };
  save();
  record.GetResults().Remove("a");
  dynamic_cast<Result&>(record.GetResults().Get("b")).value = 20;
  record.GetResults().Insert("c", Result(3));
  save();
  std::unique_ptr<ddr_Ddb> back = ReadRecord(path);
  EXPECT_EQ(back->ConstGetResults().Keys(), (std::vector<cow_String>{"b", "c"}));
  EXPECT_EQ(dynamic_cast<const Result&>(back->ConstGetResults().ConstGet("b")).value, 20);
}

TEST_F(Containers, NamedMaps_IteratorWalksInKeyOrder) {
  ddr_UserDataMap map;
  map.Insert("zeta", UserData("z"));
  map.Insert("alpha", UserData("a"));
  std::string seen;
  for (mdl_MapString2ObjIT<ddr_UserData> it(map); !it.IsDone(); it.Next())
    seen += it.CurrentKey().str() + "=" +
            dynamic_cast<const UserData&>(it.CurrentValue()).value.str() + ";";
  EXPECT_EQ(seen, "alpha=a;zeta=z;");
}

TEST_F(Containers, AddOns_EmptyListReadsBackEmptyWithItsUid) {
  WriteRecord(path, record);
  std::unique_ptr<ddr_Ddb> back = ReadRecord(path);
  EXPECT_EQ(back->ConstGetProductAddOns().Size(), 0);
  EXPECT_EQ(back->ConstGetProductAddOns().Uid(), record.ConstGetProductAddOns().Uid());
  EXPECT_EQ(Query(path, "SELECT count FROM \"##Array\" WHERE oid = " +
                            std::to_string(record.ConstGetProductAddOns().Uid().Value())),
            0);
}

TEST_F(Containers, AddOns_KeepOrderAndRangeCheck) {
  using AddOn = ddr_ProductAddOnList::AddOn;
  record.GetProductAddOns().Append(AddOn(ddr_ProductAddOnEnum::GPU_ACCELERATION));
  record.GetProductAddOns().Append(AddOn(ddr_ProductAddOnEnum::DESIGN_OPTIMIZATION));
  WriteRecord(path, record);
  std::unique_ptr<ddr_Ddb> back = ReadRecord(path);
  const ddr_ProductAddOnList& addOns = back->ConstGetProductAddOns();
  ASSERT_EQ(addOns.Size(), 2);
  EXPECT_EQ(addOns.Get(0).AsString(0), "GPU_ACCELERATION");
  EXPECT_EQ(addOns.Get(1).GetValue(), ddr_ProductAddOnEnum::DESIGN_OPTIMIZATION);
  EXPECT_THROW(addOns.Get(2), nex_PrimException);
}

namespace {

constexpr std::uint32_t kShortcutImplId = 0x22000d;

// Rows of the database-shortcut table, written with a stand-in for its class.
void AddShortcutRows(rom_Transporter& transporter, int count) {
  for (int i = 0; i < count; ++i) {
    rom_MementoWrite memento(transporter, kShortcutImplId, -1);
    cls_WriteVisitor writer(memento);
    writer.StartWrite(kShortcutImplId, cls_Uid::AllocateUid());
    writer.Memento().WriteString("name", "shortcut " + std::to_string(i));
  }
}

std::unique_ptr<cls_ClassRegistrar> RegistrarWithShortcuts() {
  RootRegistrar();
  auto registrar = cls_MetadataRegistrar::Instance().NewClassRegistrar();
  if (!registrar->Find(kShortcutImplId))
    registrar->CreateClassMD("ddr_DdbShortcutImpl", kShortcutImplId, 203, nullptr, 0x22000c)
        .AddAttribute("name", cls_AttrString, 1, 0);
  return registrar;
}

}  // namespace

TEST_F(Containers, FixPersistentString_RenamesEveryRowToTheLast) {
  auto registrar = RegistrarWithShortcuts();
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Create, true, ZunBasStringMode::UTF8);
  rom_Transporter transporter(registrar.get(), file, "D0", "", 1, -1);
  for (const char* name : {"first", "second", "third"}) {
    ddr_Ddb row(name, path, "", ZunBasStringMode::UTF8);
    rom_MementoWrite memento(transporter, ddr_Ddb::TypeId(), -1);
    cls_WriteVisitor writer(memento);
    row.DBWrite(writer);
  }
  AddShortcutRows(transporter, 2);
  ddr_FixPS::FixPersistentString(transporter);
  EXPECT_EQ(Query(path, "SELECT COUNT(*) FROM ddr_Ddb WHERE name = 'third'"), 3);
  EXPECT_EQ(Query(path, "SELECT COUNT(*) FROM ddr_DdbShortcutImpl WHERE name = 'third'"), 2);
}

TEST_F(Containers, FixPersistentString_LeavesASingleRowAlone) {
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Create, true, ZunBasStringMode::UTF8);
  rom_Transporter transporter(RootRegistrar(), file, "D0", "", 1, -1);
  {
    rom_MementoWrite memento(transporter, ddr_Ddb::TypeId(), -1);
    cls_WriteVisitor writer(memento);
    ddr_Ddb("only", path, "", ZunBasStringMode::UTF8).DBWrite(writer);
  }
  ddr_FixPS::FixPersistentString(transporter);
  EXPECT_EQ(Text(path, "SELECT name FROM ddr_Ddb"), "only");
  EXPECT_EQ(Query(path, "SELECT COUNT(*) FROM ddr_Ddb"), 1);
}
