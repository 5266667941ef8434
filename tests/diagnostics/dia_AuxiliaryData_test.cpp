#include "ddb/diagnostics/dia_AuxiliaryData.h"

#include <gtest/gtest.h>

#include <memory>

#include "RoundTrip.h"

using dia_test::RoundTrip;

namespace {

using Ints = cow_List<int>;
using Reals = cow_List<double>;
using Names = cow_List<cow_String>;

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

TEST_F(RoundTrip, AuxiliaryData_EmptyBlockStoresOnlyItsVariation) {
  Write(std::vector<dia_AuxiliaryData>{dia_AuxiliaryData({}, {}, {}, {}, {}, {}, {}, 5)});
  for (const char* field : kListFields)
    EXPECT_EQ(Value(std::string("SELECT COUNT(*) FROM dia_AuxiliaryData WHERE \"") + field +
                    "#OID\" IS NOT NULL"),
              0)
        << field;
  EXPECT_EQ(Rows("##Array"), 0);
  EXPECT_EQ(Value("SELECT m_variation FROM dia_AuxiliaryData"), 5);
  CheckInFreshProcess<dia_AuxiliaryData>([](const std::vector<dia_AuxiliaryData>& read) {
    ASSERT_EQ(read.size(), 1u);
    EXPECT_FALSE(read[0].HasValues());
    EXPECT_TRUE(read[0].GetElementInstanceNames().IsEmpty());
    EXPECT_TRUE(read[0].GetNodeInstanceNames().IsEmpty());
    EXPECT_EQ(read[0].GetVariation(), 5);
  });
}

TEST_F(RoundTrip, AuxiliaryData_NamesOnlyBlockStoresNamesAndVariation) {
  Write(std::vector<dia_AuxiliaryData>{dia_AuxiliaryData({}, {}, {}, {}, {"P"}, {}, {}, 2)});
  EXPECT_EQ(Rows("##Array"), 1);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM dia_AuxiliaryData WHERE "
                  "\"m_elementInstanceNames#OID\" IS NOT NULL"),
            1);
  std::vector<dia_AuxiliaryData> read = Read<dia_AuxiliaryData>();
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].GetElementInstanceNames(), (Names{"P"}));
  EXPECT_TRUE(read[0].GetElementLabels().IsEmpty());
}
