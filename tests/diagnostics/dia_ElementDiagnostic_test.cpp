#include "ddb/diagnostics/dia_ElementDiagnostic.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

dia_AuxiliaryData ElementBlock(cow_List<int> labels, cow_List<cow_String> instances,
                               int variation = 1) {
  return dia_AuxiliaryData({variation * 100}, {}, {}, labels, instances, {}, {}, variation);
}

}  // namespace

// An element's key is its label's digits followed by its instance name: 1 in "2P" is taken for
// 12 in "P". The variations of the blocks kept are listed once, in order of first occurrence.
TEST(dia_ElementDiagnostic, ElementDiagnostic_KeepsFirstBlockPerElement) {
  dia_ElementDiagnostic d(0x01000020);
  d.AddData(ElementBlock({12}, {"P"}, 3));
  d.AddData(ElementBlock({12}, {"P"}, 2));
  d.AddData(ElementBlock({13}, {"P"}, 1));
  d.AddData(ElementBlock({12}, {"Q"}, 3));
  d.AddData(ElementBlock({1}, {"2P"}, 4));
  ASSERT_EQ(d.GetData().Length(), 3);
  EXPECT_EQ(d.GetData().ConstGet(0).GetVariation(), 3);
  EXPECT_EQ(d.GetData().ConstGet(1).GetElementLabels(), (cow_List<int>{13}));
  EXPECT_EQ(d.GetVariationNumbers(), (cow_List<int>{3, 1}));
}

TEST(dia_ElementDiagnostic, ElementDiagnostic_DropsBlocksNotNamingExactlyOneElement) {
  struct Case {
    cow_List<int> labels;
    cow_List<cow_String> instances;
  } cases[] = {{{12, 13}, {"P", "P"}}, {{12}, {}}, {{}, {"P"}}, {{}, {}}, {{12}, {"P", "Q"}}};
  dia_ElementDiagnostic d;
  for (const Case& c : cases) d.AddData(ElementBlock(c.labels, c.instances, 9));
  EXPECT_EQ(d.GetData().Length(), 0);
  EXPECT_TRUE(d.GetVariationNumbers().IsEmpty());
}

TEST(dia_ElementDiagnostic, ElementDiagnostic_CopiesCarryTheElementSet) {
  dia_ElementDiagnostic d(5);
  d.AddData(ElementBlock({12}, {"P"}));
  std::unique_ptr<dia_DiagnosticBase> copy(d.Copy());
  copy->AddData(ElementBlock({12}, {"P"}, 2));
  EXPECT_EQ(copy->GetData().Length(), 1);
  EXPECT_EQ(copy->DynTypeId(), dia_ElementDiagnostic::TypeId());
}
