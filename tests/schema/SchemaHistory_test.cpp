// The schema history as data: the registered older versions, what they declare next to the
// current layouts, and rows taken through their row functions one step at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>

#include "OldFileWriter.h"

using namespace ddb_test;

namespace {

using Texts = std::map<std::string, std::string>;

// The fields that hold a text: an empty one is stored as none.
Texts Held(const Texts& texts) {
  Texts held;
  for (const auto& f : texts)
    if (!f.second.empty()) held.insert(f);
  return held;
}

// The row as the step from `version` writes it: the new row starts as a copy of the stored one,
// as while a file is read.
Texts Convert(const std::string& className, int version, const Texts& stored) {
  cls_ClassRegistrar storedClasses, currentClasses;
  dbc_DatabaseConverter converter(storedClasses, currentClasses);
  if (dbc_OldClassVersion* v = OldVersion(className, version)) v->SchemaChanges(converter);
  dbc_Row in;
  for (const auto& f : stored) in.SetText(f.first, f.second);
  dbc_Row out = in;
  for (const auto& level : converter.Converters())
    for (const auto& c : level.second.ClassConverters())
      if (c->ClassName() == className && c->FromVersion() == version && c->RowFunction()) {
        EXPECT_EQ(c->RowFunction()(in, out, 0), nullptr);
        return Held(out.Fields());
      }
  ADD_FAILURE() << "no row function for " << className << " " << version;
  return {};
}

// A newest older layout and what the current layout adds to it at the end.
struct LastStep {
  const char* name;
  int version;
  std::vector<std::string> addedByCurrent;
};

// The fields as text, leaving out those named in `skip`.
std::string Describe(const std::vector<cls_Attribute>& fields,
                     const std::vector<std::string>& skip = {}) {
  std::string text;
  for (const cls_Attribute& a : fields)
    if (std::find(skip.begin(), skip.end(), a.name) == skip.end())
      text += a.name + "(" + std::to_string(a.attributeType) + "," + std::to_string(a.typeId) +
              "," + std::to_string(a.collectionType) + ") ";
  return text;
}

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
              Describe(md->Attributes(), s.addedByCurrent));
  }
}

// Texts from "field=text" pairs separated by "; ".
Texts Parse(const std::string& pairs) {
  Texts texts;
  std::istringstream in(pairs);
  for (std::string pair; std::getline(in, pair, ';');) {
    pair.erase(0, pair.find_first_not_of(' '));
    texts[pair.substr(0, pair.find('='))] = pair.substr(pair.find('=') + 1);
  }
  return texts;
}

// A stored row and the fields that its step changes ("field=" for one it empties).
struct RowCase {
  const char* className;
  int version;
  const char* stored;
  const char* changed;
};

const RowCase kRowCases[] = {
    // Texts as older releases stored them (misspellings and truncations included) become the
    // canonical ones, texts that only look like them none; the spelled-right "Correction
    // accepted" is in OldLayouts_test.cpp.
    {"dia_Step", 434, "m_incrementationScheme=DIRECT_INCREMENTATION", "m_incrementationScheme="},
    {"dia_Step", 434, "m_incrementationScheme=auto incrementation", "m_incrementationScheme="},
    {"dia_Step", 434, "m_incrementationScheme=Auto incrementation ", "m_incrementationScheme="},
    {"dia_Residual", 410, "m_fieldEquationType=displacement", "m_fieldEquationType="},
    {"dia_Residual", 410, "m_residualCheck=RESIDUAL_ACCEPTED", "m_residualCheck="},
    {"dia_Residual", 410, "m_correctionCheck=Correcton accepted",
     "m_correctionCheck=CORRECTION_ACCEPTED"},
    {"dia_Residual", 410, "m_correctionCheck=Correction accepted based on estimated correctio",
     "m_correctionCheck=CORRECTION_ACCEPTED_ESTIMATED_CORRECTION"},
    {"dia_Residual", 410, "m_correctionCheck=Correction accepted based on estimated correction",
     "m_correctionCheck="},
    {"dia_CompatibilityError", 410, "m_constraintEquationType=COUPLING_MOMENT_CONSTRAINT",
     "m_constraintEquationType="},
    {"ddr_Ddb", 203,
     "sequenceData=s; onlyHasUserDefinedData=1; description=d; models#ClassID=2293762; "
     "models#OID=40",
     "ddbVersion=1804"},
    // A map reference without its map.
    {"ddr_Ddb", 203, "sequenceData=s; results#ClassID=2293762",
     "ddbVersion=1804; results#ClassID=; onlyHasUserDefinedData=0; description="},
    {"ddr_Ddb", 848, "customData#ClassID=2293762; customData#OID=5", ""},
};

TEST(Conversions, RowSteps_TurnEachRowIntoTheNextLayoutKeepingTheOtherFields) {
  for (const RowCase& c : kRowCases) {
    Texts stored = Parse(c.stored), expected = stored;
    stored["m_stepNumber"] = expected["m_stepNumber"] = "7";
    for (const auto& f : Parse(c.changed)) expected[f.first] = f.second;
    EXPECT_EQ(Convert(c.className, c.version, stored), Held(expected))
        << c.className << " " << c.stored;
  }
}

TEST(ClassesToDelete, NodeDiagnosticData_IsQueuedAndLeavesBothRegistrars) {
  cls_ClassRegistrar stored, current;
  dbc_OldClassVersion* v = OldVersion("dia_NodeDiagnosticData", 415);
  ASSERT_NE(v, nullptr);
  v->InitializeMetadata(stored);
  v->InitializeMetadata(current);
  dbc_DatabaseConverter converter(stored, current);
  v->ClassesToDelete(converter);
  const std::uint32_t removed = LayoutOf("dia_NodeDiagnosticData", 415).typeId;
  EXPECT_EQ(converter.GetClassesToDelete(), (std::list<std::uint32_t>{removed}));
  EXPECT_EQ(stored.FindByName("dia_NodeDiagnosticData"), nullptr);
  EXPECT_EQ(current.Find(removed), nullptr);
}

}  // namespace
