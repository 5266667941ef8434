#include <gtest/gtest.h>

#include "RootFixture.h"
#include "ddb/database/mdl_MapString2Obj.h"

using namespace ddb_test;

// Values of every kind, key order and identities come back in the end-to-end and shortcut tests;
// here: a write after changes stores the whole map, which the iterator walks in key order.
TEST_F(RootTest, NamedMaps_EveryWriteWritesTheWholeMapAndTheIteratorWalksInKeyOrder) {
  ddr_Ddb record("P", path, "", ZunBasStringMode::UTF8);
  record.GetResults().Insert("c", Result(3));
  record.GetResults().Insert("a", Result(1));
  DdbRecordFile file = DdbRecordFile::Create(path);
  file.Save(record);
  record.GetResults().Remove("a");
  dynamic_cast<Result&>(record.GetResults().Get("c")).value = 30;
  record.GetResults().Insert("b", Result(2));
  file.Save(record);
  const ddr_Ddb back = DdbRecordFile::Open(path).Load();
  std::string seen;
  for (mdl_MapString2ObjIT<ddr_Result> it(back.ConstGetResults()); !it.IsDone(); it.Next())
    seen += it.CurrentKey().str() + "=" +
            std::to_string(dynamic_cast<const Result&>(it.CurrentValue()).value) + ";";
  EXPECT_EQ(seen, "b=2.000000;c=30.000000;");
}
