#include <gtest/gtest.h>

#include "DatabaseTestClasses.h"
#include "DdbFiles.h"
#include "TestFiles.h"
#include "ddb/database/ddr_Ddb.h"
#include "ddb/database/mdl_MapString2Obj.h"

using namespace ddb_test;

namespace {

class Containers : public ScratchFile {
 protected:
  void SetUp() override { UseDatabaseTestClasses(); }
  ddr_Ddb record{"P", path, "", ZunBasStringMode::UTF8};
};

}  // namespace

// Values of every kind, key order and identities come back in the end-to-end and shortcut tests;
// here: a write after changes and the iterator.
TEST_F(Containers, NamedMaps_EveryWriteWritesTheWholeMap) {
  record.GetResults().Insert("a", Result(1));
  record.GetResults().Insert("b", Result(2));
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Create, true, ZunBasStringMode::UTF8);
  rom_Transporter transporter(RootRegistrar(), file, "D0", "", 1, -1);
  auto save = [&] {
    rom_MementoWrite memento(transporter, ddr_Ddb::TypeId(), -1);
    cls_WriteVisitor writer(memento);
    record.DBWrite(writer);
    writer.StoreRow();
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
