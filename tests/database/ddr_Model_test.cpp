#include "ddb/database/ddr_Model.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "RootFixture.h"
#include "ddb/platform/nex_Exception.h"

using namespace ddb_test;

using ModelTest = RootTest;

// Reading an extension reads the registered prototype; getting one copies it, prepared, into the
// model's own table under its container's key; setting one replaces the model's own entry. Other
// models keep reading the prototypes.
TEST_F(ModelTest, ExtensionsReadThePrototypeAndGetOrSetTheModelsOwnCopy) {
  Model model("Model-1");
  EXPECT_EQ(model.ConstGetMaterials().NumEntries(), 1);
  EXPECT_EQ(model.NumTimePoints(), 2);
  EXPECT_EQ(model.NumAdaptiveMeshConstraints(), 3);
  EXPECT_EQ(model.NumAdaptiveMeshControls(), 0);
  EXPECT_EQ(model.InstanceTable().Length(), 0);
  dynamic_cast<Repository&>(model.GetMaterials()).entries.Append("aluminium");
  model.GetTimePoints();
  model.GetAdaptiveMeshConstraints();
  EXPECT_EQ(model.InstanceTable().Keys(),
            (std::vector<cow_String>{"adaptiveMeshConstraint", "material", "timePoint"}));
  EXPECT_TRUE(dynamic_cast<const Extension&>(model.ConstGetExtension("material")).prepared);
  EXPECT_EQ(model.NumMaterials(), 2);
  model.SetTimePoints(Extension{"a", "b", "c", "d"});
  EXPECT_EQ(model.NumTimePoints(), 4);
  EXPECT_EQ(Model("other").NumMaterials(), 1);
  EXPECT_EQ(Model("other").NumTimePoints(), 2);
}

TEST_F(ModelTest, Registration_ListsKeysInOrderAndUnregisters) {
  ddr_Model::RegisterFilterContainer(Extension{"f"});
  Model model("m");
  std::vector<cow_String> keys = model.RegisteredExtensionList();
  EXPECT_EQ(keys, (std::vector<cow_String>{"adaptiveMeshConstraint", "adaptiveMeshControl",
                                           "filter", "material", "timePoint"}));
  ddr_Model::UnRegisterFilterContainer();
  EXPECT_EQ(model.RegisteredExtensionList().size(), 4u);
  EXPECT_EQ(Message([&] { model.ConstGetFilters(); }),
            "No model extension registered under 'filter'");
}

TEST_F(ModelTest, GuardedCast_RefusesContentThatIsNoRepository) {
  Extension plain;
  plain.notARepository = true;
  Model model("m");
  model.SetLoads(plain);
  EXPECT_EQ(Message([&] { model.NumLoads(); }),
            "mdl_Extension: content of type 0x7f01ff is not a repository");
  EXPECT_THROW(model.GetLoads(), nex_PrimException);
}

TEST_F(ModelTest, File_RoundTripsAndTakesTheReadersFileName) {
  std::string moved = dir.Path("moved.ddb");
  {
    ddr_Ddb record("P", path, "", ZunBasStringMode::UTF8);
    Model model("Model-1", "mm-t-s");
    dynamic_cast<Repository&>(model.GetMaterials()).entries.Append("rubber");
    model.GetTimePoints();
    record.GetModels().Insert("Model-1", model);
    DdbRecordFile::Create(path).Save(record);
  }
  ASSERT_EQ(std::rename(path.c_str(), moved.c_str()), 0);
  const ddr_Ddb back = DdbRecordFile::Open(moved).Load();
  const auto& model = dynamic_cast<const Model&>(back.ConstGetModels().ConstGet("Model-1"));
  EXPECT_EQ(model.ModelName(), "Model-1");
  EXPECT_EQ(model.units, "mm-t-s");
  EXPECT_EQ(model.FileName(ZunBasStringMode::UTF8), moved);
  EXPECT_EQ(model.InstanceTable().Keys(), (std::vector<cow_String>{"material", "timePoint"}));
  EXPECT_EQ(model.NumMaterials(), 2);
  EXPECT_EQ(model.NumTimePoints(), 2);
  EXPECT_EQ(Query(moved, "SELECT COUNT(*) FROM ddr_ExtensionTable"), 1);
}
