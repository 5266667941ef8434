#include "ddb/diagnostics/dia_Residual.h"

#include <gtest/gtest.h>

#include "JobFile.h"
#include "ddb/platform/nex_Exception.h"

using namespace ddb_test;
using Field = dia_FieldVariableEnum;
using RCheck = dia_ResidualCheckEnum;
using CCheck = dia_CorrectionCheckEnum;

namespace {

dia_Residual Make(Field field, RCheck residual = RCheck::RESIDUAL_ACCEPTED,
                  CCheck correction = CCheck::CORRECTION_ACCEPTED) {
  return dia_Residual(field, residual, correction, 0.25, true, 10.5, 9.75, true, 1e-3, 101,
                      "PART-1", 2, 0.5, 202, "PART-2", 3, 0.125, 303, "PART-3", 6);
}

// A file whose top record is an iteration holding the residual.
using IterationFile = RecordFile<dia_Iteration>;
void WriteResidual(const std::string& path, const dia_Residual& residual) {
  dia_Iteration iteration(1);
  iteration.AddResidual(residual);
  IterationFile::Create(path).Save(iteration);
}

using ResidualFile = ScratchFile;

cow_String FieldPermissible() {
  return omu_PrimEnum<Field, 1>(Field::DISPLACEMENT_FIELD).PermissibleValuesAsString();
}

}  // namespace

TEST(dia_Residual, Residual_AcceptedOnlyWithAcceptedResidualAndCorrection) {
  struct Case {
    unsigned residual, correction;
    bool accepted;
  } cases[] = {{1, 1, true},  {1, 2, true},  {1, 3, true},  {1, 4, false},
               {2, 1, false}, {2, 3, false}, {1, 0, false}, {0, 1, false}};
  for (const Case& c : cases) {
    dia_Residual r = Make(Field::DISPLACEMENT_FIELD, static_cast<RCheck>(c.residual),
                          static_cast<CCheck>(c.correction));
    EXPECT_EQ(r.IsAccepted(), c.accepted) << c.residual << "/" << c.correction;
  }
}

// The names come from the table for its first and last rows, and are empty outside it.
TEST(dia_Residual, Residual_DisplayNamesInsideTheTableOnly) {
  struct Case {
    unsigned field;
    const char* name;
    const char* flux;
  } cases[] = {{1, "Displacement", "Force"},
               {11, "Volumetric Lag. Mult.", "Pressure flux"},
               {0, "", ""},
               {12, "", ""}};
  for (const Case& c : cases) {
    dia_Residual r = Make(static_cast<Field>(c.field));
    EXPECT_EQ(r.GetFieldVariableName(), c.name) << c.field;
    EXPECT_EQ(r.GetConjugateFluxName(), c.flux) << c.field;
  }
}

TEST_F(ResidualFile, Residual_WritingFieldVariableZeroRaisesValueNotAllowed) {
  EXPECT_EQ(
      Message<nex_CmdException>([&] { WriteResidual(path, Make(Field{})); }),
      "omu_PrimEnum(Enum) - Enum value not allowed: 0  Permissible: " + FieldPermissible().str());
}

TEST_F(ResidualFile, Residual_StoredStringOutsideTableRaisesOnRead) {
  WriteResidual(path, Make(Field::TEMPERATURE_FIELD));
  StripChecksums(path);
  Execute(path, "UPDATE dia_Residual SET m_fieldEquationType = 'TEMPERATURE'");
  const std::string message = Message<nex_PrimException>(
      [&] { IterationFile::Open(path).Load().ConstGetResidualByIndex(0); });
  const std::string refused =
      ": omu_PrimEnum(const cow_String&) - str not allowed: TEMPERATURE  Permissible: " +
      FieldPermissible().str();
  EXPECT_EQ(message.rfind("'" + path + "' is damaged: dia_Residual ", 0), 0u) << message;
  EXPECT_EQ(message.substr(message.size() - refused.size()), refused);
}
