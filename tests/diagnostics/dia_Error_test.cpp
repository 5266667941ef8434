#include "ddb/diagnostics/dia_Error.h"

#include <gtest/gtest.h>

#include "RoundTrip.h"

using dia_test::DiaFile;
using dia_test::RoundTrip;

namespace {

dia_Error ErrorWithBlock() {
  dia_Error e(0x0A010020, 1, 2, 3, 4);
  e.SetInternalErrorString("solver stopped");
  e.AddData(dia_AuxiliaryData({1}, {}, {"zero pivot"}, {}, {}, {}, {}, 1));
  return e;
}

void ExpectSameIdentities(const dia_Error& a, const dia_Error& b) {
  EXPECT_EQ(a.Uid(), b.Uid());
  EXPECT_EQ(a.dia_WarningErrorBase::Uid(), b.dia_WarningErrorBase::Uid());
  EXPECT_EQ(a.dia_DiagnosticBase::Uid(), b.dia_DiagnosticBase::Uid());
}

}  // namespace

TEST_F(RoundTrip, Error_DeclinedStartWritesNoInnerPart) {
  dia_Error e = ErrorWithBlock();
  {
    DiaFile<dia_Error> f = DiaFile<dia_Error>::Create(path);
    f.transporter->CowBarn().MarkWritten(dia_Error::TypeId(), e.Uid());
    f.Save(dia_test::HolderOf(std::vector<dia_Error>{e}));
  }
  EXPECT_EQ(Value("SELECT COUNT(*) FROM sqlite_master WHERE name LIKE 'dia%'"), 0);
  EXPECT_EQ(Rows("##Array"), 0);
}

TEST_F(RoundTrip, Error_CopiesInOnePassAreStoredOnce) {
  dia_Error e = ErrorWithBlock();
  Write(std::vector<dia_Error>{e, e});
  for (const char* table :
       {"dia_Error", "dia_WarningErrorBase", "dia_DiagnosticBase", "dia_AuxiliaryData"})
    EXPECT_EQ(Rows(table), 1) << table;
  std::vector<dia_Error> read = Read<dia_Error>();
  ASSERT_EQ(read.size(), 2u);
  ExpectSameIdentities(read[0], e);
  ExpectSameIdentities(read[1], e);
}
