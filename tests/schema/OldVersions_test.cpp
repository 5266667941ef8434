#include <gtest/gtest.h>

#include <algorithm>

#include "SchemaHistory.h"
#include "ddb/database/ddr_Ddb.h"
#include "ddb/database/ddr_Model.h"
#include "ddb/diagnostics/dia_Attempt.h"
#include "ddb/diagnostics/dia_AuxiliaryData.h"
#include "ddb/diagnostics/dia_CompatibilityError.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"
#include "ddb/diagnostics/dia_Increment.h"
#include "ddb/diagnostics/dia_Iteration.h"
#include "ddb/diagnostics/dia_Residual.h"
#include "ddb/diagnostics/dia_Step.h"

using namespace ddb_test;

namespace {

struct Expected {
  const char* name;
  std::uint32_t typeId;
  int version;
  std::uint32_t base;
};

constexpr std::uint32_t kNone = 1, kAux = 0x2B0014;

const Expected kRegistered[] = {
    {"dia_DiagnosticData", 0x2B0001, 309, kNone},
    {"dia_DiagnosticData", 0x2B0001, 332, kNone},
    {"dia_DiagnosticData", 0x2B0001, 410, kNone},
    {"dia_DiagnosticData", 0x2B0001, 415, kNone},
    {"dia_Step", 0x2B0002, 309, kNone},
    {"dia_Step", 0x2B0002, 317, kNone},
    {"dia_Step", 0x2B0002, 410, kNone},
    {"dia_Step", 0x2B0002, 415, kNone},
    {"dia_Step", 0x2B0002, 418, kNone},
    {"dia_Step", 0x2B0002, 434, kNone},
    {"dia_Step", 0x2B0002, 1001, kNone},
    {"dia_Increment", 0x2B0003, 309, kNone},
    {"dia_Increment", 0x2B0003, 317, kNone},
    {"dia_Increment", 0x2B0003, 415, kNone},
    {"dia_Increment", 0x2B0003, 434, kNone},
    {"dia_Attempt", 0x2B0004, 309, kNone},
    {"dia_Iteration", 0x2B0005, 309, kNone},
    {"dia_Iteration", 0x2B0005, 312, kNone},
    {"dia_Iteration", 0x2B0005, 318, kNone},
    {"dia_Iteration", 0x2B0005, 321, kNone},
    {"dia_Iteration", 0x2B0005, 410, kNone},
    {"dia_Iteration", 0x2B0005, 415, kNone},
    {"dia_ContactDiagnostic", 0x2B0008, 312, kNone},
    {"dia_ContactDiagnostic", 0x2B0008, 321, kNone},
    {"dia_ContactDiagnostic", 0x2B0008, 408, kNone},
    {"dia_ContactDiagnostic", 0x2B0008, 415, kNone},
    {"dia_ElementDiagnostic", 0x2B0013, 410, kNone},
    {"dia_ElementDiagnostic", 0x2B0013, 415, kNone},
    {"dia_WarningErrorBase", 0x2B000E, 415, kNone},
    {"dia_WarningErrorBase", 0x2B000E, 410, kNone},
    {"dia_AuxiliaryData", 0x2B0014, 415, kNone},
    {"dia_Residual", 0x2B0011, 410, kNone},
    {"dia_CompatibilityError", 0x2B0012, 410, kNone},
    {"dia_FieldCriteria", 0x2B0006, 312, kNone},
    {"dia_FieldCriteria", 0x2B0006, 318, kNone},
    {"dia_ConstraintCriteria", 0x2B0007, 312, kNone},
    {"dia_NumericalProblemSummaryInfo", 0x2B000C, 332, kNone},
    {"dia_NumericalProblemSummary", 0x2B000B, 332, kNone},
    {"dia_ZeroPivot", 0x2B000A, 321, kNone},
    {"dia_NumericalSingularity", 0x2B0009, 318, kNone},
    {"dia_WarningErrorData", 0x2B000D, 410, kNone},
    {"dia_WarningErrorData", 0x2B000D, 415, kAux},
    {"dia_NodeDiagnosticData", 0x2B0015, 415, kAux},
    {"dia_ElementDiagnosticData", 0x2B0016, 415, kAux},
    {"ddr_Model", 0x220007, 203, kNone},
    {"ddr_Model", 0x220007, 401, kNone},
    {"ddr_Model", 0x220007, 857, kNone},
    {"ddr_Ddb", 0x220006, 203, kNone},
    {"ddr_Ddb", 0x220006, 204, kNone},
    {"ddr_Ddb", 0x220006, 309, kNone},
    {"ddr_Ddb", 0x220006, 321, kNone},
    {"ddr_Ddb", 0x220006, 818, kNone},
    {"ddr_Ddb", 0x220006, 848, kNone},
};

}  // namespace

TEST(OldVersions, Registrar_HoldsTheVersionsInRegistrationOrder) {
  const auto& versions = dbc_OldClassRegistrar::Instance().Versions();
  ASSERT_EQ(versions.size(), std::size(kRegistered));
  for (std::size_t i = 0; i < versions.size(); ++i) {
    const Expected& e = kRegistered[i];
    Declared d = Declare(Mutable(versions[i]));
    SCOPED_TRACE(std::to_string(i) + ": " + e.name + " " + std::to_string(e.version));
    EXPECT_EQ(d.name, e.name);
    EXPECT_EQ(d.typeId, e.typeId);
    EXPECT_EQ(d.version, e.version);
    EXPECT_EQ(d.baseTypeId, e.base);
    bool quantum = d.name == "ddr_Ddb" && d.version == 848;
    EXPECT_EQ(d.extentQuantum, quantum ? cls_ExtQuant::Instance().ExtentQuantumConstSmall() : 0);
  }
}

namespace {

// A newest older layout and what the current layout adds to it at the end.
struct LastStep {
  const char* name;
  int version;
  std::vector<std::string> addedByCurrent;
};

std::vector<cls_Attribute> Without(std::vector<cls_Attribute> fields,
                                   const std::vector<std::string>& names) {
  for (const std::string& n : names)
    fields.erase(std::remove_if(fields.begin(), fields.end(),
                                [&](const cls_Attribute& a) { return a.name == n; }),
                 fields.end());
  return fields;
}

std::string Describe(const std::vector<cls_Attribute>& fields) {
  std::string text;
  for (const cls_Attribute& a : fields)
    text += a.name + "(" + std::to_string(a.attributeType) + "," + std::to_string(a.typeId) + "," +
            std::to_string(a.collectionType) + ") ";
  return text;
}

}  // namespace

TEST(OldVersions, NewestLayout_IsTheCurrentOneWithoutTheFieldsAddedSince) {
  const LastStep steps[] = {
      {"dia_DiagnosticData", 415, {"m_doublePrecision", "m_numDomains"}},
      {"dia_Step", 1001, {"m_XplStatusList", "m_ActiveXplStatus"}},
      {"dia_Increment", 434, {"m_elementDiagnosticList"}},
      {"dia_Attempt", 309, {"m_cutbackCodes", "m_needsReordering", "m_autoStabilize"}},
      {"dia_Iteration", 415, {"m_contactIterationList"}},
      {"dia_AuxiliaryData",
       415,
       {"m_elementLabels", "m_elementInstanceNames", "m_nodeLabels", "m_nodeInstanceNames"}},
      {"dia_Residual", 410, {}},
      {"dia_CompatibilityError", 410, {}},
      {"ddr_Ddb", 848, {"customData"}},
      {"ddr_Model", 857, {}},
  };
  const cls_ClassRegistrar& current = cls_MetadataRegistrar::Instance().ProcessRegistrar();
  for (const LastStep& s : steps) {
    SCOPED_TRACE(s.name);
    dbc_OldClassVersion* v = FindVersion(s.name, s.version);
    ASSERT_NE(v, nullptr);
    const cls_ClassMetadata* md = current.FindByName(s.name);
    ASSERT_NE(md, nullptr);
    EXPECT_EQ(Describe(Declare(*v).fields), Describe(Without(md->Attributes(), s.addedByCurrent)));
  }
}
