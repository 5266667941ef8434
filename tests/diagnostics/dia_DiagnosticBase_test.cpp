#include "ddb/diagnostics/dia_DiagnosticBase.h"

#include <gtest/gtest.h>

namespace {

dia_AuxiliaryData Block(int variation, int value) {
  return dia_AuxiliaryData({value}, {}, {}, {}, {}, {}, {}, variation);
}

}  // namespace

TEST(dia_DiagnosticBase, DiagnosticBase_VariationsRecordedOnceInFirstOccurrenceOrder) {
  dia_DiagnosticBase d(0x01000020);
  d.AddData(Block(2, 10));
  d.AddData(Block(1, 11));
  d.AddData(Block(2, 12));
  EXPECT_EQ(d.GetType(), 0x01000020);
  EXPECT_EQ(d.GetData().Length(), 3);
  EXPECT_EQ(d.GetVariationNumbers(), (cow_List<int>{2, 1}));
  EXPECT_EQ(d.GetData().ConstGet(2).GetIntValues(), (cow_List<int>{12}));
}
