#include "ddb/diagnostics/dia_ContactDiagnostic.h"

#include <gtest/gtest.h>

#include "ddb/diagnostics/dia_ContactIteration.h"

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

TEST(dia_ContactIteration, ContactIteration_ModifiedDiagnosticDoesNotShowInCopies) {
  dia_ContactIteration it(1);
  it.AddContactDiagnostic(dia_ContactDiagnostic(0x01000020));
  dia_ContactIteration copy = it;
  it.GetContactDiagnosticByIndex(0).AddData(NodeBlock(2, 5));
  EXPECT_EQ(it.ConstGetContactDiagnosticByIndex(0).GetData().Length(), 1);
  EXPECT_EQ(copy.ConstGetContactDiagnosticByIndex(0).GetData().Length(), 0);
  EXPECT_EQ(copy.GetContactDiagnostics().Length(), 1);
}
