#include <gtest/gtest.h>

#include <algorithm>

#include "SchemaHistory.h"

using namespace ddb_test;

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
    const cls_ClassMetadata* md = current.FindByName(s.name);
    ASSERT_NE(md, nullptr);
    EXPECT_EQ(Describe(LayoutOf(s.name, s.version).fields),
              Describe(Without(md->Attributes(), s.addedByCurrent)));
  }
}
