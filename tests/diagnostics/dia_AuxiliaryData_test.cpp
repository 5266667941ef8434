#include "ddb/diagnostics/dia_AuxiliaryData.h"

#include <gtest/gtest.h>

#include <memory>

#include "JobFile.h"

using namespace ddb_test;

namespace {

using Ints = cow_List<int>;
using Reals = cow_List<double>;
using Names = cow_List<cow_String>;

// A file whose top record is a diagnostic holding one block.
using DiagnosticFile = RecordFile<dia_DiagnosticBase>;
void WriteBlock(const std::string& path, const dia_AuxiliaryData& block) {
  dia_DiagnosticBase diagnostic(0x01000020);
  diagnostic.AddData(block);
  DiagnosticFile::Create(path).Save(diagnostic);
}
dia_AuxiliaryData ReadBlock(const std::string& path) {
  const dia_DiagnosticBase diagnostic = DiagnosticFile::Open(path).Load();
  EXPECT_EQ(diagnostic.GetData().Length(), 1);
  return diagnostic.GetData().ConstGet(0);
}
// The arrays stored for blocks (the diagnostic stores its variations in one of its own).
long long BlockArrays(const std::string& path) {
  return Query(path,
               "SELECT COUNT(*) FROM \"##Array\" WHERE oid NOT IN (SELECT "
               "\"m_variationNumbers#OID\" FROM dia_DiagnosticBase)");
}

using BlockFile = ScratchFile;

const char* const kListFields[] = {"m_intValues",        "m_realValues",           "m_stringValues",
                                   "m_elementLabels",    "m_elementInstanceNames", "m_nodeLabels",
                                   "m_nodeInstanceNames"};

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

TEST_F(BlockFile, AuxiliaryData_EmptyBlockStoresOnlyItsVariation) {
  WriteBlock(path, dia_AuxiliaryData({}, {}, {}, {}, {}, {}, {}, 5));
  for (const char* field : kListFields)
    EXPECT_EQ(Query(path, std::string("SELECT COUNT(*) FROM dia_AuxiliaryData WHERE \"") + field +
                              "#OID\" IS NOT NULL"),
              0)
        << field;
  EXPECT_EQ(BlockArrays(path), 0);
  EXPECT_EQ(Query(path, "SELECT m_variation FROM dia_AuxiliaryData"), 5);
  EXPECT_EQ(InChild([&] {
              const dia_AuxiliaryData read = ReadBlock(path);
              EXPECT_FALSE(read.HasValues());
              EXPECT_TRUE(read.GetElementInstanceNames().IsEmpty());
              EXPECT_TRUE(read.GetNodeInstanceNames().IsEmpty());
              EXPECT_EQ(read.GetVariation(), 5);
            }),
            0);
}

TEST_F(BlockFile, AuxiliaryData_NamesOnlyBlockStoresNamesAndVariation) {
  WriteBlock(path, dia_AuxiliaryData({}, {}, {}, {}, {"P"}, {}, {}, 2));
  EXPECT_EQ(BlockArrays(path), 1);
  EXPECT_EQ(Query(path,
                  "SELECT COUNT(*) FROM dia_AuxiliaryData WHERE "
                  "\"m_elementInstanceNames#OID\" IS NOT NULL"),
            1);
  const dia_AuxiliaryData read = ReadBlock(path);
  EXPECT_EQ(read.GetElementInstanceNames(), (Names{"P"}));
  EXPECT_TRUE(read.GetElementLabels().IsEmpty());
}
