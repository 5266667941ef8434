#include "ddb/diagnostics/dia_DiagnosticBase.h"

#include <gtest/gtest.h>

#include <memory>

#include "RoundTrip.h"

using dia_test::RoundTrip;

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

TEST(dia_DiagnosticBase, DiagnosticBase_CopiesShareIdentity) {
  dia_DiagnosticBase d(7);
  d.AddData(Block(1, 1));
  std::unique_ptr<dia_DiagnosticBase> copy(d.Copy());
  dia_DiagnosticBase assigned;
  assigned = d;
  assigned = assigned;
  EXPECT_EQ(copy->Uid(), d.Uid());
  EXPECT_EQ(copy->DynTypeId(), dia_DiagnosticBase::TypeId());
  EXPECT_EQ(assigned.Uid(), d.Uid());
  EXPECT_EQ(assigned.GetData().Length(), 1);
  EXPECT_NE(dia_DiagnosticBase(7).Uid(), d.Uid());
  EXPECT_EQ(dia_DiagnosticBase().GetType(), 0);
}

TEST_F(RoundTrip, DiagnosticBase_ReadsBackTypeBlocksAndVariationsInFreshProcess) {
  dia_DiagnosticBase written(0x02000040);
  written.AddData(Block(3, 30));
  written.AddData(Block(1, 10));
  written.AddData(Block(3, 31));
  Write(std::vector<dia_DiagnosticBase>{written, dia_DiagnosticBase()});
  CheckInFreshProcess<dia_DiagnosticBase>([&](const std::vector<dia_DiagnosticBase>& read) {
    ASSERT_EQ(read.size(), 2u);
    const dia_DiagnosticBase& d = read[0];
    EXPECT_EQ(d.Uid(), written.Uid());
    EXPECT_EQ(d.GetType(), 0x02000040);
    EXPECT_EQ(d.GetVariationNumbers(), (cow_List<int>{3, 1}));
    ASSERT_EQ(d.GetData().Length(), 3);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(d.GetData().ConstGet(i).Uid(), written.GetData().ConstGet(i).Uid()) << i;
      EXPECT_EQ(d.GetData().ConstGet(i).GetIntValues(),
                written.GetData().ConstGet(i).GetIntValues())
          << i;
    }
    EXPECT_EQ(read[1].GetData().Length(), 0);
    EXPECT_TRUE(read[1].GetVariationNumbers().IsEmpty());
  });
}
