#include "ddb/diagnostics/dia_ContactDiagnostic.h"

#include <gtest/gtest.h>

#include <memory>

#include "RoundTrip.h"
#include "ddb/diagnostics/dia_ContactIteration.h"

using dia_test::RoundTrip;

namespace {

dia_AuxiliaryData NodeBlock(int variation, int node) {
  return dia_AuxiliaryData({}, {0.5 * node}, {}, {}, {}, {node}, {"P"}, variation);
}

dia_ContactDiagnostic Overclosures() {
  dia_ContactDiagnostic d(0x01000020);
  d.AddData(NodeBlock(1, 10));
  d.AddData(NodeBlock(1, 11));
  d.AddData(NodeBlock(3, 12));
  return d;
}

}  // namespace

TEST(dia_ContactDiagnostic, ContactDiagnostic_InheritedAddDataRecordsVariations) {
  dia_ContactDiagnostic d = Overclosures();
  EXPECT_EQ(d.GetType(), 0x01000020);
  EXPECT_EQ(d.GetData().Length(), 3);
  EXPECT_EQ(d.GetVariationNumbers(), (cow_List<int>{1, 3}));
}

TEST(dia_ContactDiagnostic, ContactDiagnostic_CopiesCarryBothIdentities) {
  dia_ContactDiagnostic d = Overclosures();
  std::unique_ptr<dia_DiagnosticBase> copy(d.Copy());
  auto* contact = dynamic_cast<dia_ContactDiagnostic*>(copy.get());
  ASSERT_NE(contact, nullptr);
  EXPECT_EQ(contact->Uid(), d.Uid());
  EXPECT_EQ(contact->dia_DiagnosticBase::Uid(), d.dia_DiagnosticBase::Uid());
  EXPECT_NE(d.Uid(), d.dia_DiagnosticBase::Uid());
  EXPECT_NE(dia_ContactDiagnostic(0x01000020).Uid(), d.Uid());
}

TEST_F(RoundTrip, ContactDiagnostic_StoresOnlyItsBasePartAndReadsBackInFreshProcess) {
  dia_ContactDiagnostic written = Overclosures();
  Write(std::vector<dia_ContactDiagnostic>{written});
  EXPECT_EQ(Rows("dia_ContactDiagnostic"), 1);
  EXPECT_EQ(Value("SELECT \"##BaseClassOID\" FROM dia_ContactDiagnostic"),
            written.dia_DiagnosticBase::Uid().Value());
  EXPECT_EQ(Rows("dia_AuxiliaryData"), 3);
  CheckInFreshProcess<dia_ContactDiagnostic>([&](const std::vector<dia_ContactDiagnostic>& read) {
    ASSERT_EQ(read.size(), 1u);
    const dia_ContactDiagnostic& d = read[0];
    EXPECT_EQ(d.Uid(), written.Uid());
    EXPECT_EQ(d.dia_DiagnosticBase::Uid(), written.dia_DiagnosticBase::Uid());
    EXPECT_EQ(d.GetType(), 0x01000020);
    EXPECT_EQ(d.GetVariationNumbers(), (cow_List<int>{1, 3}));
    ASSERT_EQ(d.GetData().Length(), 3);
    EXPECT_EQ(d.GetData().ConstGet(2).GetNodeLabels(), (cow_List<int>{12}));
  });
}

TEST(dia_ContactIteration, ContactIteration_ConvergedFlagOnlySets) {
  dia_ContactIteration it(4);
  EXPECT_EQ(it.GetIterationNumber(), 4);
  EXPECT_FALSE(it.IsConverged());
  it.SetConverged();
  it.SetConverged();
  EXPECT_TRUE(it.IsConverged());
  EXPECT_EQ(dia_ContactIteration().GetNumberOfContactDiagnostics(), 0);
}

TEST(dia_ContactIteration, ContactIteration_ModifiedDiagnosticDoesNotShowInCopies) {
  dia_ContactIteration it(1);
  it.AddContactDiagnostic(dia_ContactDiagnostic(0x01000020));
  dia_ContactIteration copy = it;
  it.GetContactDiagnosticByIndex(0).AddData(NodeBlock(2, 5));
  EXPECT_EQ(it.ConstGetContactDiagnosticByIndex(0).GetData().Length(), 1);
  EXPECT_EQ(copy.ConstGetContactDiagnosticByIndex(0).GetData().Length(), 0);
  EXPECT_EQ(copy.GetContactDiagnostics().Length(), 1);
}

TEST_F(RoundTrip, ContactIteration_ReadsBackDiagnosticsInAppendOrderInFreshProcess) {
  dia_ContactIteration written(2);
  written.SetConverged();
  for (int type : {0x01000020, 0x01000060, 0x01000080}) {
    dia_ContactDiagnostic d(type);
    d.AddData(NodeBlock(1, type & 0xff));
    written.AddContactDiagnostic(d);
  }
  dia_ContactIteration copy = written;
  EXPECT_EQ(copy.Uid(), written.Uid());
  Write(std::vector<dia_ContactIteration>{written, dia_ContactIteration(3)});
  CheckInFreshProcess<dia_ContactIteration>([&](const std::vector<dia_ContactIteration>& read) {
    ASSERT_EQ(read.size(), 2u);
    dia_ContactIteration it = read[0];
    EXPECT_EQ(it.Uid(), written.Uid());
    EXPECT_EQ(it.GetIterationNumber(), 2);
    EXPECT_TRUE(it.IsConverged());
    ASSERT_EQ(it.GetNumberOfContactDiagnostics(), 3);
    EXPECT_EQ(it.ConstGetContactDiagnosticByIndex(0).GetType(), 0x01000020);
    EXPECT_EQ(it.ConstGetContactDiagnosticByIndex(1).GetType(), 0x01000060);
    EXPECT_EQ(it.ConstGetContactDiagnosticByIndex(2).GetType(), 0x01000080);
    EXPECT_EQ(it.ConstGetContactDiagnosticByIndex(2).Uid(),
              written.ConstGetContactDiagnosticByIndex(2).Uid());
    EXPECT_FALSE(read[1].IsConverged());
    EXPECT_EQ(read[1].GetNumberOfContactDiagnostics(), 0);
  });
}
