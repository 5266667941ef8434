#include "ddb/diagnostics/dia_AuxiliaryData.h"

#include <gtest/gtest.h>

#include <memory>

#include "RoundTrip.h"

using dia_test::RoundTrip;

namespace {

using Ints = cow_List<int>;
using Reals = cow_List<double>;
using Names = cow_List<cow_String>;

dia_AuxiliaryData Full() {
  return dia_AuxiliaryData({3, 1, 2}, {2.5, -1.0}, {"b", "a"}, {12, 11}, {"P", "Q"}, {7, 8, 9},
                           {"N1", "N2", "N3"}, 4);
}

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

TEST(dia_AuxiliaryData, AuxiliaryData_CopiesShareIdentity) {
  dia_AuxiliaryData a = Full();
  std::unique_ptr<dia_AuxiliaryData> copy(a.Copy());
  dia_AuxiliaryData assigned;
  assigned = a;
  EXPECT_EQ(copy->Uid(), a.Uid());
  EXPECT_EQ(assigned.Uid(), a.Uid());
  EXPECT_EQ(copy->GetNodeInstanceNames(), a.GetNodeInstanceNames());
  EXPECT_NE(Full().Uid(), a.Uid());
}

TEST_F(RoundTrip, AuxiliaryData_ReadsBackListsInOrderInFreshProcess) {
  dia_AuxiliaryData written = Full();
  Write(std::vector<dia_AuxiliaryData>{written});
  CheckInFreshProcess<dia_AuxiliaryData>([&](const std::vector<dia_AuxiliaryData>& read) {
    ASSERT_EQ(read.size(), 1u);
    const dia_AuxiliaryData& a = read[0];
    EXPECT_EQ(a.Uid(), written.Uid());
    EXPECT_EQ(a.GetIntValues(), (Ints{3, 1, 2}));
    EXPECT_EQ(a.GetRealValues(), (Reals{2.5, -1.0}));
    EXPECT_EQ(a.GetStringValues(), (Names{"b", "a"}));
    EXPECT_EQ(a.GetElementLabels(), (Ints{12, 11}));
    EXPECT_EQ(a.GetElementInstanceNames(), (Names{"P", "Q"}));
    EXPECT_EQ(a.GetNodeLabels(), (Ints{7, 8, 9}));
    EXPECT_EQ(a.GetNodeInstanceNames(), (Names{"N1", "N2", "N3"}));
    EXPECT_EQ(a.GetVariation(), 4);
  });
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
