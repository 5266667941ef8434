#include <gtest/gtest.h>

#include "RootFixture.h"
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
  DdbRecordFile file = DdbRecordFile::Create(path);
  file.Save(record);
  record.GetResults().Remove("a");
  dynamic_cast<Result&>(record.GetResults().Get("b")).value = 20;
  record.GetResults().Insert("c", Result(3));
  file.Save(record);
  const ddr_Ddb back = DdbRecordFile::Open(path).Load();
  EXPECT_EQ(back.ConstGetResults().Keys(), (std::vector<cow_String>{"b", "c"}));
  EXPECT_EQ(dynamic_cast<const Result&>(back.ConstGetResults().ConstGet("b")).value, 20);
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
