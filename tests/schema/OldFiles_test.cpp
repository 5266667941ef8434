// Files written in older layouts, read back with the current classes through the framework.
#include <gtest/gtest.h>

#include "SchemaHistory.h"
#include "TestFiles.h"
#include "ddb/database/ddr_Ddb.h"
#include "ddb/database/ddr_Root.h"
#include "ddb/diagnostics/dia_CompatibilityError.h"
#include "ddb/diagnostics/dia_Residual.h"
#include "ddb/diagnostics/dia_Step.h"
#include "ddb/platform/nex_Exception.h"
#include "ddb/platform/rom_Transporter.h"

using namespace ddb_test;

namespace {

// A row of any class, writing the given fields by name, as an older release wrote them.
struct StoredRow {
  std::uint32_t typeId;
  std::vector<std::pair<std::string, std::string>> texts;
  std::vector<std::pair<std::string, int>> ints;
  cls_Uid uid = cls_Uid::AllocateUid();

  void DBWrite(const cls_WriteVisitor& writer) const {
    if (!writer.StartWrite(typeId, uid)) return;
    for (const auto& f : texts) writer.Memento().WriteString(cls_FieldHandle(f.first), f.second);
    for (const auto& f : ints) writer.Memento().WriteInt(cls_FieldHandle(f.first), f.second);
  }
};

class OldFiles : public ::testing::Test {
 protected:
  // Writes `row` into a new file whose table of the class has the layout of that version.
  void Write(const char* className, int version, const StoredRow& row) {
    cls_ClassRegistrar old;
    dbc_OldClassVersion* v = FindVersion(className, version);
    ASSERT_NE(v, nullptr);
    v->InitializeMetadata(old);
    rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Create, true, ZunBasStringMode::UTF8);
    rom_Transporter transporter(&old, file, "D0", "old release", 0, -1);
    rom_MementoWrite memento(transporter, row.typeId, -1);
    row.DBWrite(cls_WriteVisitor(memento));
  }
  template <class T>
  T Read() {
    rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Read, true, ZunBasStringMode::UTF8);
    rom_Transporter transporter(nullptr, file, "D0", -1);
    rom_MementoRead memento(transporter, T::TypeId(), 0, cls_Uid());
    return T(cls_ReadVisitor(memento));
  }

  ScratchDir dir;
  std::string path = dir.Path("old.ddb");
};

}  // namespace

TEST_F(OldFiles, Step434_ReadsTheCanonicalScheme) {
  Write("dia_Step", 434,
        {0x2B0002,
         {{"m_stepName", "Step-1"}, {"m_incrementationScheme", "Direct no stop incrementation"}},
         {{"m_stepNumber", 3}}});
  dia_Step step = Read<dia_Step>();
  EXPECT_EQ(step.GetIncrementationScheme(),
            dia_IncrementationSchemeEnum::DIRECT_NO_STOP_INCREMENTATION);
  EXPECT_EQ(step.GetStepName(), "Step-1");
  EXPECT_EQ(step.GetStepNumber(), 3);
}

TEST_F(OldFiles, Step434_CanonicalTextIsNotAcceptedButStep1001KeepsIt) {
  StoredRow row{0x2B0002, {{"m_incrementationScheme", "DIRECT_INCREMENTATION"}}, {}};
  Write("dia_Step", 434, row);
  try {
    Read<dia_Step>();
    ADD_FAILURE() << "a 434 step with a canonical scheme was read";
  } catch (const nex_CmdException& e) {
    EXPECT_STREQ(e.what(),
                 "omu_PrimEnum(const cow_String&) - str not allowed:   Permissible: "
                 "AUTO_INCREMENTATION, DIRECT_INCREMENTATION, DIRECT_NO_STOP_INCREMENTATION, "
                 "ELEMENT_BY_ELEMENT_INCREMENTATION, FIXED_INCREMENTATION");
  }
  Write("dia_Step", 1001, row);
  EXPECT_EQ(Read<dia_Step>().GetIncrementationScheme(),
            dia_IncrementationSchemeEnum::DIRECT_INCREMENTATION);
}

TEST_F(OldFiles, Step309_ReadsTheFirstScheme) {
  Write("dia_Step", 309,
        {0x2B0002, {{"m_stepName", "Step-1"}}, {{"m_stepNumber", 2}, {"m_isStabilizeActive", 1}}});
  dia_Step step = Read<dia_Step>();
  EXPECT_EQ(step.GetIncrementationScheme(), dia_IncrementationSchemeEnum::AUTO_INCREMENTATION);
  EXPECT_EQ(step.GetStepNumber(), 2);
}

TEST_F(OldFiles, Residual410_ReadsCanonicalValues) {
  Write("dia_Residual", 410,
        {0x2B0011,
         {{"m_fieldEquationType", "Rotation"},
          {"m_residualCheck", "Residual accepted"},
          {"m_correctionCheck", "Correction accepted based on estimated correctio"},
          {"m_maxResidualPartInstanceName", "PART-1-1"}},
         {{"m_maxResidualNode", 17}}});
  dia_Residual residual = Read<dia_Residual>();
  EXPECT_EQ(residual.GetFieldVariable(), dia_FieldVariableEnum::ROTATION_FIELD);
  EXPECT_EQ(residual.GetResidualCheck(), dia_ResidualCheckEnum::RESIDUAL_ACCEPTED);
  EXPECT_EQ(residual.GetCorrectionCheck(),
            dia_CorrectionCheckEnum::CORRECTION_ACCEPTED_ESTIMATED_CORRECTION);
  EXPECT_EQ(residual.GetMaxResidualInstanceName(), "PART-1-1");
  EXPECT_EQ(residual.GetMaxResidualNodeLabel(), 17);
}

TEST_F(OldFiles, CompatibilityError410_ReadsTheCanonicalConstraint) {
  Write("dia_CompatibilityError", 410,
        {0x2B0012, {{"m_constraintEquationType", "Coupling Force"}}, {{"m_elementNumber", 12}}});
  dia_CompatibilityError error = Read<dia_CompatibilityError>();
  EXPECT_EQ(error.GetConstraintVariable(), dia_ConstraintVariableEnum::COUPLING_FORCE_CONSTRAINT);
  EXPECT_EQ(error.GetElementLabel(), 12);
}

TEST_F(OldFiles, Ddb203_OpensWithTheDefaultsOfLaterLayouts) {
  Write("ddr_Ddb", 203,
        {0x220006, {{"name", "old job"}, {"analysisVersion", "5.8"}}, {{"creationTime", 100}}});
  ddr_Root& root = ddr_Root::Instance();
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Read, true, ZunBasStringMode::UTF8);
  cow_String name = root.OpenDdb(file, "", ZunBasStringMode::UTF8);
  const ddr_Ddb& ddb = root.ConstGet(name, ZunBasStringMode::UTF8);
  EXPECT_EQ(name, "old job");
  EXPECT_EQ(ddb.SequenceData(), "prior to 2000_04_25-21.21.10 17429");
  EXPECT_EQ(ddb.DdbVersion(), 1804);
  EXPECT_FALSE(ddb.OnlyHasUserDefinedData());
  EXPECT_EQ(ddb.AnalysisVersion(), "5.8");
  EXPECT_EQ(ddb.CreateTimeAsInt(), 100);
  EXPECT_EQ(ddb.ConstGetModels().Length(), 0);
  EXPECT_EQ(ddb.GetNumberOfDiagnosticData(), 0);
  EXPECT_FALSE(ddb.checkWriteCompatibility());
  root.CloseDdb(name, ZunBasStringMode::UTF8);
}
