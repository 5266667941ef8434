#include <gtest/gtest.h>

#include <memory>

#include "RoundTrip.h"
#include "ddb/diagnostics/dia_Error.h"
#include "ddb/diagnostics/dia_Warning.h"

using dia_test::DiaFile;
using dia_test::RoundTrip;

namespace {

dia_AuxiliaryData TextBlock(int variation, const char* text) {
  return dia_AuxiliaryData({variation}, {}, {text}, {}, {}, {}, {}, variation);
}

dia_Error ErrorWithBlock() {
  dia_Error e(0x0A010020, 1, 2, 3, 4);
  e.SetInternalErrorString("solver stopped");
  e.AddData(TextBlock(1, "zero pivot"));
  return e;
}

void ExpectSameIdentities(const dia_Error& a, const dia_Error& b) {
  EXPECT_EQ(a.Uid(), b.Uid());
  EXPECT_EQ(a.dia_WarningErrorBase::Uid(), b.dia_WarningErrorBase::Uid());
  EXPECT_EQ(a.dia_DiagnosticBase::Uid(), b.dia_DiagnosticBase::Uid());
}

}  // namespace

TEST(dia_WarningError, Warning_ReportsItsAnalysisPosition) {
  dia_Warning w(0x01010020, 2, 5, 1, 3);
  EXPECT_EQ(w.GetType(), 0x01010020);
  EXPECT_EQ(w.GetStepNumber(), 2);
  EXPECT_EQ(w.GetIncrementNumber(), 5);
  EXPECT_EQ(w.GetAttemptNumber(), 1);
  EXPECT_EQ(w.GetIterationNumber(), 3);
  dia_Error e;
  EXPECT_EQ(e.GetType(), 0);
  EXPECT_EQ(e.GetStepNumber() + e.GetIncrementNumber() + e.GetAttemptNumber(), 0);
  EXPECT_EQ(e.GetInternalErrorString(), "");
}

TEST(dia_WarningError, Error_CopiesCarryThreeIdentitiesConstructionAllocatesThree) {
  dia_Error e = ErrorWithBlock();
  std::unique_ptr<dia_DiagnosticBase> copy(e.Copy());
  auto* error = dynamic_cast<dia_Error*>(copy.get());
  ASSERT_NE(error, nullptr);
  ExpectSameIdentities(*error, e);
  EXPECT_EQ(error->GetInternalErrorString(), "solver stopped");
  dia_Error assigned;
  assigned = e;
  ExpectSameIdentities(assigned, e);
  dia_Error other(0x0A010020, 1, 2, 3, 4);
  EXPECT_NE(other.Uid(), e.Uid());
  EXPECT_NE(other.dia_WarningErrorBase::Uid(), e.dia_WarningErrorBase::Uid());
  EXPECT_NE(other.dia_DiagnosticBase::Uid(), e.dia_DiagnosticBase::Uid());
  EXPECT_NE(other.Uid(), other.dia_WarningErrorBase::Uid());
  EXPECT_NE(other.dia_WarningErrorBase::Uid(), other.dia_DiagnosticBase::Uid());
}

TEST_F(RoundTrip, Warning_ReadsBackNumbersAndBlocksInFreshProcess) {
  dia_Warning written(0x01010020, 2, 5, 1, 3);
  written.AddData(TextBlock(2, "first"));
  written.AddData(TextBlock(1, "second"));
  Write(std::vector<dia_Warning>{written});
  CheckInFreshProcess<dia_Warning>([&](const std::vector<dia_Warning>& read) {
    ASSERT_EQ(read.size(), 1u);
    const dia_Warning& w = read[0];
    EXPECT_EQ(w.Uid(), written.Uid());
    EXPECT_EQ(w.dia_WarningErrorBase::Uid(), written.dia_WarningErrorBase::Uid());
    EXPECT_EQ(w.dia_DiagnosticBase::Uid(), written.dia_DiagnosticBase::Uid());
    EXPECT_EQ(w.GetType(), 0x01010020);
    EXPECT_EQ(w.GetStepNumber(), 2);
    EXPECT_EQ(w.GetIncrementNumber(), 5);
    EXPECT_EQ(w.GetAttemptNumber(), 1);
    EXPECT_EQ(w.GetIterationNumber(), 3);
    EXPECT_EQ(w.GetVariationNumbers(), (cow_List<int>{2, 1}));
    ASSERT_EQ(w.GetData().Length(), 2);
    EXPECT_EQ(w.GetData().ConstGet(1).GetStringValues(), (cow_List<cow_String>{"second"}));
  });
}

TEST_F(RoundTrip, Error_ReadsBackStringAndThreeIdentitiesInFreshProcess) {
  dia_Error written = ErrorWithBlock();
  dia_Error plain(0x0A020020, 7, 0, 0, 0);
  Write(std::vector<dia_Error>{written, plain});
  for (const char* table : {"dia_Error", "dia_WarningErrorBase", "dia_DiagnosticBase"})
    EXPECT_EQ(Rows(table), 2) << table;
  EXPECT_EQ(Value("SELECT \"##BaseClassOID\" FROM dia_Error WHERE OID = " +
                  std::to_string(written.Uid().Value())),
            written.dia_WarningErrorBase::Uid().Value());
  CheckInFreshProcess<dia_Error>([&](const std::vector<dia_Error>& read) {
    ASSERT_EQ(read.size(), 2u);
    ExpectSameIdentities(read[0], written);
    ExpectSameIdentities(read[1], plain);
    EXPECT_EQ(read[0].GetInternalErrorString(), "solver stopped");
    EXPECT_EQ(read[0].GetIterationNumber(), 4);
    EXPECT_EQ(read[0].GetData().ConstGet(0).GetStringValues(),
              (cow_List<cow_String>{"zero pivot"}));
    EXPECT_EQ(read[1].GetInternalErrorString(), "");
    EXPECT_EQ(read[1].GetStepNumber(), 7);
  });
}

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
