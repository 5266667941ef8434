#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ddb/frame/ZunRomDdr.h"
#include "ddb/frame/ZunRomDia.h"
#include "ddb/platform/typ_ArchCompTable.h"

namespace {

struct Row {
  const char* name;
  std::uint32_t base;
};

const std::vector<Row> kDiagnostics = {
    {"dia_DiagnosticData", 1},
    {"dia_Step", 1},
    {"dia_Increment", 1},
    {"dia_Attempt", 1},
    {"dia_Iteration", 1},
    {"dia_FieldCriteria", 1},
    {"dia_ConstraintCriteria", 1},
    {"dia_ContactDiagnostic", 0x2b0017},
    {"dia_NumericalSingularity", 1},
    {"dia_ZeroPivot", 1},
    {"dia_NumericalProblemSummary", 1},
    {"dia_NumericalProblemSummaryInfo", 1},
    {"dia_WarningErrorData", 0x2b0014},
    {"dia_WarningErrorBase", 0x2b0017},
    {"dia_Warning", 0x2b000e},
    {"dia_Error", 0x2b000e},
    {"dia_Residual", 1},
    {"dia_CompatibilityError", 1},
    {"dia_ElementDiagnostic", 0x2b0017},
    {"dia_AuxiliaryData", 1},
    {"dia_NodeDiagnosticData", 0x2b0014},
    {"dia_ElementDiagnosticData", 0x2b0014},
    {"dia_DiagnosticBase", 1},
    {"dia_ContactIteration", 1},
    {"dia_XplStatus", 1},
};

const std::vector<Row> kDatabase = {
    {"ddr_Result", 1},
    {"ddr_ResultContainer", 1},
    {"ddr_ResultContainerIMPLSC", 1},
    {"ddr_ResultContainerInDdbShortcut", 0x220003},
    {"ddr_ResultContainerShortcut", 1},
    {"ddr_Ddb", 1},
    {"ddr_Model", 1},
    {"ddr_ModelContainer", 1},
    {"ddr_ModelContainerIMPLSC", 1},
    {"ddr_ModelContainerInDdbShortcut", 0x220009},
    {"ddr_ModelContainerShortcut", 1},
    {"ddr_DdbIMPLSC", 1},
    {"ddr_DdbShortcutImpl", 0x22000c},
    {"ddr_DdbShortcut", 1},
    {"ddr_DdbContainer", 1},
    {"ddr_UserData", 1},
    {"ddr_UserDataContainer", 1},
    {"ddr_UserDataContainerIMPLSC", 1},
    {"ddr_UserDataContainerInDdbShortcut", 0x220012},
    {"ddr_UserDataContainerShortcut", 1},
    {"ddr_ModelIMPLSC", 1},
    {"ddr_ModelShortcut", 1},
    {"ddr_ModelInModelContainerShortcut", 0x220015},
    {"ddr_ExtensionTable", 1},
    {"ddr_ModelExtension", 1},
    {"ddr_CustomData", 1},
    {"ddr_CustomDataContainer", 1},
    {"ddr_CustomDataContainerIMPLSC", 1},
    {"ddr_CustomDataContainerInDdbShortcut", 0x22001c},
    {"ddr_CustomDataContainerShortcut", 1},
};

void ExpectTable(const typ_ArchCompEntry& entry, std::uint32_t component,
                 const std::vector<Row>& rows) {
  ASSERT_EQ(entry.count, static_cast<int>(rows.size()) + 1);
  EXPECT_EQ(entry.entries[0].flags, 0u);
  EXPECT_EQ(entry.entries[0].base, 1u);
  EXPECT_EQ(entry.entries[0].name, nullptr);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const typ_Entry& e = entry.entries[i + 1];
    const std::uint32_t id = typ_TypeId(component, static_cast<std::uint32_t>(i + 1));
    EXPECT_STREQ(e.name, rows[i].name) << i + 1;
    EXPECT_EQ(e.base, rows[i].base) << rows[i].name;
    EXPECT_EQ(e.flags, 7u) << rows[i].name;
    EXPECT_STREQ(typ_ArchCompTable::GetName(id), rows[i].name);
    EXPECT_EQ(typ_ArchCompTable::GetBase(id), rows[i].base);
    EXPECT_EQ(typ_ArchCompTable::GetFlags(id), 7u);
  }
}

TEST(TypeNameTables_Content, DiagnosticsTableAsListed) {
  ExpectTable(dia_ArchEntry(), dia_Component, kDiagnostics);
}

TEST(TypeNameTables_Content, DatabaseTableAsListed) {
  ExpectTable(ddr_ArchEntry(), ddr_Component, kDatabase);
}

TEST(TypeNameTables_TypeId, ComponentInUpperBitsIndexInLower) {
  EXPECT_EQ(typ_TypeId(43, 2), 0x2b0002u);
  EXPECT_EQ(typ_TypeId(34, 0x1e), 0x22001eu);
  EXPECT_EQ(typ_Component(0x2b0019), 43u);
  EXPECT_EQ(typ_Index(0x2b0019), 0x19u);
  EXPECT_EQ(dia_TypeId_XplStatus, typ_TypeId(dia_Component, 25));
  EXPECT_EQ(dia_TypeId_DiagnosticBase, typ_TypeId(dia_Component, 23));
  EXPECT_EQ(ddr_TypeId_Ddb, typ_TypeId(ddr_Component, 6));
  EXPECT_EQ(ddr_TypeId_CustomDataContainerShortcut, typ_TypeId(ddr_Component, 30));
  EXPECT_STREQ(dia_TypeNameOf(dia_TypeId_Step), "dia_Step");
  EXPECT_STREQ(ddr_TypeNameOf(ddr_TypeId_ModelExtension), "ddr_ModelExtension");
}

TEST(TypeNameTables_TypeId, IndexZeroAndOutOfTableNameNoClass) {
  for (std::uint32_t id : {0x2b0000u, 0x2b001au, 0x220000u, 0x22001fu, 0x630001u}) {
    EXPECT_EQ(typ_ArchCompTable::Lookup(id), nullptr) << std::hex << id;
    EXPECT_EQ(dia_TypeNameOf(id), nullptr) << std::hex << id;
    EXPECT_EQ(ddr_TypeNameOf(id), nullptr) << std::hex << id;
  }
  EXPECT_EQ(dia_TypeNameOf(ddr_TypeId_Ddb), nullptr);
}

TEST(TypeNameTables_Bases, ChainsReachTheirRoots) {
  EXPECT_TRUE(typ_ArchCompTable::IsDerivedFrom(dia_TypeId_Warning, dia_TypeId_DiagnosticBase));
  EXPECT_TRUE(typ_ArchCompTable::IsDerivedFrom(ddr_TypeId_DdbShortcutImpl, ddr_TypeId_DdbIMPLSC));
  EXPECT_FALSE(typ_ArchCompTable::IsDerivedFrom(dia_TypeId_Step, dia_TypeId_DiagnosticBase));
}

}  // namespace
