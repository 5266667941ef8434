#include "ddb/diagnostics/dia_ContactDiagnostic.h"

#include <gtest/gtest.h>

#include "ddb/diagnostics/dia_ContactIteration.h"

TEST(dia_ContactIteration, ContactIteration_ModifiedDiagnosticDoesNotShowInCopies) {
  dia_ContactIteration it(1);
  it.AddContactDiagnostic(dia_ContactDiagnostic(0x01000020));
  dia_ContactIteration copy = it;
  it.GetContactDiagnosticByIndex(0).AddData(
      dia_AuxiliaryData({}, {2.5}, {}, {}, {}, {5}, {"P"}, 2));
  EXPECT_EQ(it.ConstGetContactDiagnosticByIndex(0).GetData().Length(), 1);
  EXPECT_EQ(copy.ConstGetContactDiagnosticByIndex(0).GetData().Length(), 0);
  EXPECT_EQ(copy.GetContactDiagnostics().Length(), 1);
}
