#include "ddb/platform/omu_PrimEnum.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "TestFiles.h"
#include "ddb/diagnostics/dia_Enums.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/nex_Exception.h"

using Equation = omu_PrimEnum<dia_EquationEnum, 1>;
using FieldVariable = omu_PrimEnum<dia_FieldVariableEnum, 1>;

// Each constructor refuses what is outside its table with a message naming itself, the refused
// value and, where it has one, its own table.
TEST(omu_PrimEnum_Construct, OutsideTheTableRaisesNamingTheConstructor) {
  const omu_PrimEnum<dia_ResidualCheckEnum, 1> residual(dia_ResidualCheckEnum::RESIDUAL_ACCEPTED);
  const cls_ReadVisitor empty;
  const struct {
    std::function<void()> construct;
    const char* message;
  } cases[] = {
      {[] { omu_PrimEnum<dia_ResidualCheckEnum, 1>(static_cast<dia_ResidualCheckEnum>(0)); },
       "omu_PrimEnum(Enum) - Enum value not allowed: 0  Permissible: RESIDUAL_ACCEPTED, "
       "RESIDUAL_NOT_ACCEPTED"},
      {[] { Equation(cow_String("field")); },
       "omu_PrimEnum(const cow_String&) - str not allowed: field  Permissible: CONSTRAINT, FIELD"},
      {[&] { omu_PrimEnum<dia_CorrectionCheckEnum, 1>{residual}; },
       "omu_PrimEnum(const omu_PrimEnumBase&) - str not allowed: RESIDUAL_ACCEPTED"},
      {[&] { Equation{empty}; },
       "omu_PrimEnum(const cls_ReadVisitor&) - str not allowed:   Permissible: CONSTRAINT, FIELD"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ddb_test::Message<nex_CmdException>(c.construct), c.message);
}

TEST(omu_PrimEnum_SetValue, MatchIsExactAndFailureKeepsValue) {
  FieldVariable field(dia_FieldVariableEnum::TEMPERATURE_FIELD);
  EXPECT_FALSE(field.SetValue("displacement_field"));
  EXPECT_FALSE(field.SetValue("DISPLACEMENT_FIELD "));
  EXPECT_FALSE(field.SetValue(static_cast<const char*>(nullptr)));
  EXPECT_EQ(field.GetValue(), dia_FieldVariableEnum::TEMPERATURE_FIELD);
  EXPECT_EQ(field.GetString(), "TEMPERATURE_FIELD");
  EXPECT_FALSE(field.SetValue(static_cast<dia_FieldVariableEnum>(12)));
  EXPECT_EQ(field.GetString(), "TEMPERATURE_FIELD");
  EXPECT_TRUE(field.SetValue("DISPLACEMENT_FIELD"));
  EXPECT_EQ(field.GetValue(), dia_FieldVariableEnum::DISPLACEMENT_FIELD);
  EXPECT_TRUE(field.SetValue(dia_FieldVariableEnum::SHARED_LM_VOLUME_FIELD));
  EXPECT_EQ(field.AsString(0), "SHARED_LM_VOLUME_FIELD");
  Equation equation(dia_EquationEnum::FIELD);
  omu_PrimEnumBase& base = equation;
  EXPECT_TRUE(base.SetValue("CONSTRAINT"));
  EXPECT_EQ(equation.GetValue(), dia_EquationEnum::CONSTRAINT);
}

TEST(omu_PrimEnum_Copy, CopiesKeepTypeValueAndIdentityNewObjectsDoNot) {
  FieldVariable field(dia_FieldVariableEnum::MATERIAL_FLOW_FIELD);
  std::unique_ptr<omu_Primitive> copy(field.Copy());
  auto* typed = dynamic_cast<FieldVariable*>(copy.get());
  ASSERT_NE(typed, nullptr);
  EXPECT_EQ(typed->GetValue(), dia_FieldVariableEnum::MATERIAL_FLOW_FIELD);
  EXPECT_EQ(typed->GetUid(), field.GetUid());
  EXPECT_TRUE(*copy == field);
  FieldVariable assigned(dia_FieldVariableEnum::ROTATION_FIELD);
  EXPECT_NE(assigned.GetUid(), field.GetUid());
  assigned = field;
  EXPECT_EQ(assigned.GetUid(), field.GetUid());
  EXPECT_EQ(FieldVariable(field).GetUid(), field.GetUid());
  EXPECT_FALSE(field.GetUid().IsNull());
}

TEST(omu_PrimEnum_Compare, SameEnumerationAndStringOnly) {
  omu_PrimEnum<dia_WarningErrorCategoryEnum, 1> piezo(cow_String("PIEZOELECTRIC"));
  omu_PrimEnum<dia_WarningErrorCategoryEnum, 1> pore(cow_String("PORE_FLUID_DIFFUSION"));
  EXPECT_EQ(piezo.GetValue(), pore.GetValue());
  EXPECT_TRUE(piezo != pore);
  omu_PrimEnum<dia_MatrixSolverEnum, 1> solver(dia_MatrixSolverEnum::DIRECT_SOLVER);
  omu_PrimEnum<dia_WarningErrorCategoryEnum, 1> category(cow_String("DIRECT_SOLVER"));
  EXPECT_FALSE(solver == category);
  Equation byString(cow_String("CONSTRAINT"));
  EXPECT_TRUE(byString == Equation(dia_EquationEnum::CONSTRAINT));
  EXPECT_EQ(static_cast<dia_EquationEnum>(byString), dia_EquationEnum::CONSTRAINT);
}

TEST(omu_PrimEnum_Render, TypeReprAndVisitAsEnumeration) {
  FieldVariable field(dia_FieldVariableEnum::DISPLACEMENT_FIELD);
  const omu_Primitive& primitive = field;
  EXPECT_EQ(primitive.TypeString(), "dia_FieldVariableEnum");
  EXPECT_EQ(primitive.AsString(), "DISPLACEMENT_FIELD");
  EXPECT_EQ(primitive.AsRepr(), "dia_FieldVariableEnum(DISPLACEMENT_FIELD)");
  EXPECT_EQ(primitive.DynTypeId(), omu_PrimEnumBase::kTypeId);
  struct Recorder : omu_PrimVisitor {
    std::string seen;
    void VisitEnum(const omu_PrimEnumBase& value) override { seen = value.GetString().str(); }
  } recorder;
  Equation(dia_EquationEnum::CONSTRAINT).Accept(&recorder);
  EXPECT_EQ(recorder.seen, "CONSTRAINT");
}

// A wrapper stored as the top record of a file.
struct StoredField : FieldVariable {
  using FieldVariable::FieldVariable;
  static std::uint32_t TypeId() { return omu_PrimEnumBase::kTypeId; }
};

TEST(omu_PrimEnum_Persist, WrittenWrapperReadsBackWithItsString) {
  ddb_test::ScratchDir dir;
  const std::string path = dir.Path("enum.ddb");
  ddb_test::RecordFile<StoredField>::Create(path).Save(
      StoredField(dia_FieldVariableEnum::ROTATION_FIELD));
  EXPECT_EQ(ddb_test::RecordFile<StoredField>::Open(path).Load().GetValue(),
            dia_FieldVariableEnum::ROTATION_FIELD);
}
