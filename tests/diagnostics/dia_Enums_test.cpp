#include "ddb/diagnostics/dia_Enums.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "ddb/database/ddr_ProductAddOnEnum.h"
#include "ddb/platform/nex_Exception.h"

namespace {

// Every row of an enumeration's table converts both ways: its string gives its value and
// converts back to itself, its value converts to the first row carrying it, and the strings are
// unique canonical upper-case names.
template <class E>
void ExpectRoundTripOfEveryRow() {
  using Wrapper = omu_PrimEnum<E, 1>;
  SCOPED_TRACE(Wrapper::s_table.typeName);
  ASSERT_GT(Wrapper::NumberOfValues(), 1);
  std::set<std::string> names;
  for (int i = 0; i < Wrapper::NumberOfValues(); ++i) {
    const std::string name = Wrapper::Name(i);
    SCOPED_TRACE(name);
    EXPECT_TRUE(names.insert(name).second) << "duplicate string";
    for (char c : name) EXPECT_TRUE(std::isupper(c) || std::isdigit(c) || c == '_');
    Wrapper fromString{cow_String(name.c_str())};
    EXPECT_EQ(fromString.GetValue(), Wrapper::Value(i));
    EXPECT_EQ(fromString.AsString(0), name);
    int first = 0;
    while (Wrapper::Value(first) != Wrapper::Value(i)) ++first;
    EXPECT_EQ(Wrapper(Wrapper::Value(i)).AsString(0), Wrapper::Name(first));
  }
}

template <class... E>
void ExpectRoundTripOfEveryTable() {
  (ExpectRoundTripOfEveryRow<E>(), ...);
}

}  // namespace

TEST(dia_EnumTables_RoundTrip, EveryRowOfEveryEnumeration) {
  ExpectRoundTripOfEveryTable<
      dia_FieldVariableEnum, dia_ConstraintVariableEnum, dia_ResidualCheckEnum,
      dia_CorrectionCheckEnum, dia_EquationEnum, dia_FieldCriterionEnum,
      dia_ConstraintCriterionEnum, dia_ContactCriterionEnum, dia_IncrementStatsEnum,
      dia_IncrementXplStatsEnum, dia_IncrementationSchemeEnum, dia_JobStatusEnum,
      dia_MatrixSolverEnum, dia_StepExtrapolationEnum, dia_CutbackDiagnosticEnum,
      dia_ContactDiagnosticTypeEnum, dia_ElementDiagnosticTypeEnum, dia_WarningErrorCategoryEnum,
      ddr_ProductAddOnEnum>();
}

TEST(dia_EnumTables_RoundTrip, DiagnosticTypeCodesCarryGroupAndTypeBits) {
  // Contact and element codes are catalog keys: no variation bits, a group in bits 24-29.
  using C = omu_PrimEnum<dia_ContactDiagnosticTypeEnum, 1>;
  using El = omu_PrimEnum<dia_ElementDiagnosticTypeEnum, 1>;
  for (int i = 0; i < C::NumberOfValues(); ++i)
    EXPECT_EQ(static_cast<unsigned>(C::Value(i)) & 0xC000001Fu, 0u) << C::Name(i);
  for (int i = 0; i < El::NumberOfValues(); ++i)
    EXPECT_EQ(static_cast<unsigned>(El::Value(i)) & 0xC000001Fu, 0u) << El::Name(i);
}

TEST(dia_EnumTables_WarningErrorCategory, SharedValueConvertsToFirstRowAndBothArePermissible) {
  using W = omu_PrimEnum<dia_WarningErrorCategoryEnum, 1>;
  W byValue(static_cast<dia_WarningErrorCategoryEnum>(0x08160000));
  EXPECT_EQ(byValue.GetString(), "PIEZOELECTRIC");
  W byName(cow_String("PORE_FLUID_DIFFUSION"));
  EXPECT_EQ(static_cast<unsigned>(byName.GetValue()), 0x08160000u);
  EXPECT_EQ(byName.GetString(), "PORE_FLUID_DIFFUSION");
  EXPECT_THROW(W(static_cast<dia_WarningErrorCategoryEnum>(0x08170000)), nex_CmdException);
  // The permissible values keep both rows.
  cow_Map<cow_String, unsigned> values = byName.PermissibleValues();
  EXPECT_EQ(values.Get("PIEZOELECTRIC"), 0x08160000u);
  EXPECT_EQ(values.Get("PORE_FLUID_DIFFUSION"), 0x08160000u);
}

TEST(dia_EnumTables_SharedStrings, ConvertAcrossEnumerationsByString) {
  omu_PrimEnum<dia_MatrixSolverEnum, 1> direct(dia_MatrixSolverEnum::DIRECT_SOLVER);
  omu_PrimEnum<dia_WarningErrorCategoryEnum, 1> category(direct);
  EXPECT_EQ(static_cast<unsigned>(category.GetValue()), 0x0A050000u);
  omu_PrimEnum<dia_MatrixSolverEnum, 1> iterative(
      omu_PrimEnum<dia_WarningErrorCategoryEnum, 1>(cow_String("ITERATIVE_SOLVER")));
  EXPECT_EQ(iterative.GetValue(), dia_MatrixSolverEnum::ITERATIVE_SOLVER);

  omu_PrimEnum<dia_CutbackDiagnosticEnum, 1> cutback(dia_CutbackDiagnosticEnum::NEW_CONTACT_PATCH);
  omu_PrimEnum<dia_ContactDiagnosticTypeEnum, 1> contact(cutback);
  EXPECT_EQ(static_cast<unsigned>(contact.GetValue()), 0x01000160u);
}
