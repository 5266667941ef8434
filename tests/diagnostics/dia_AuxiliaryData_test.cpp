#include "ddb/diagnostics/dia_AuxiliaryData.h"

#include <gtest/gtest.h>

#include "JobFile.h"

using namespace ddb_test;

namespace {

// A file whose top record is a diagnostic holding one block.
using DiagnosticFile = RecordFile<dia_DiagnosticBase>;
void WriteBlock(const std::string& path, const dia_AuxiliaryData& block) {
  dia_DiagnosticBase diagnostic(0x01000020);
  diagnostic.AddData(block);
  DiagnosticFile::Create(path).Save(diagnostic);
}
// The arrays stored for blocks (the diagnostic stores its variations in one of its own).
long long BlockArrays(const std::string& path) {
  return Query(path,
               "SELECT COUNT(*) FROM \"##Array\" WHERE oid NOT IN (SELECT "
               "\"m_variationNumbers#OID\" FROM dia_DiagnosticBase)");
}

}  // namespace

TEST(dia_AuxiliaryData, AuxiliaryData_HasValuesIgnoresInstanceNames) {
  EXPECT_FALSE(dia_AuxiliaryData().HasValues());
  EXPECT_FALSE(dia_AuxiliaryData({}, {}, {}, {}, {"P"}, {}, {"Q"}, 1).HasValues());
  EXPECT_TRUE(dia_AuxiliaryData({1}, {}, {}, {}, {}, {}, {}, 0).HasValues());
  EXPECT_TRUE(dia_AuxiliaryData({}, {1.0}, {}, {}, {}, {}, {}, 0).HasValues());
  EXPECT_TRUE(dia_AuxiliaryData({}, {}, {"s"}, {}, {}, {}, {}, 0).HasValues());
  EXPECT_TRUE(dia_AuxiliaryData({}, {}, {}, {5}, {}, {}, {}, 0).HasValues());
  EXPECT_TRUE(dia_AuxiliaryData({}, {}, {}, {}, {}, {5}, {}, 0).HasValues());
}

// An empty block stores only its variation; a block of instance names alone stores those too.
TEST(dia_AuxiliaryData, AuxiliaryData_StoresItsVariationAndOnlyTheListsItHas) {
  for (const dia_AuxiliaryData& block : {dia_AuxiliaryData({}, {}, {}, {}, {}, {}, {}, 5),
                                         dia_AuxiliaryData({}, {}, {}, {}, {"P"}, {}, {}, 2)}) {
    ScratchDir dir;
    const std::string path = dir.Path("block.ddb");
    WriteBlock(path, block);
    const bool names = !block.GetElementInstanceNames().IsEmpty();
    EXPECT_EQ(BlockArrays(path), names ? 1 : 0);
    EXPECT_EQ(Query(path, "SELECT m_variation FROM dia_AuxiliaryData"), block.GetVariation());
    EXPECT_EQ(InChild([&] {
                const dia_DiagnosticBase diagnostic = DiagnosticFile::Open(path).Load();
                ASSERT_EQ(diagnostic.GetData().Length(), 1);
                const dia_AuxiliaryData& read = diagnostic.GetData().ConstGet(0);
                EXPECT_FALSE(read.HasValues());
                EXPECT_EQ(read.GetElementInstanceNames(), block.GetElementInstanceNames());
                EXPECT_TRUE(read.GetNodeInstanceNames().IsEmpty());
                EXPECT_EQ(read.GetVariation(), block.GetVariation());
              }),
              0);
  }
}
