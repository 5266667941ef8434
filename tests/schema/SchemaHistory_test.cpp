// The schema history as data: the registered older versions, what they declare next to the
// current layouts, and rows taken through their row functions one step at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "OldFileWriter.h"

using namespace ddb_test;

namespace {

// The registered version of `className` declaring `version`; fails the test when there is none.
dbc_OldClassVersion* FindVersion(const std::string& className, int version) {
  dbc_OldClassVersion* v = OldVersion(className, version);
  if (!v) ADD_FAILURE() << "no registered version " << className << " " << version;
  return v;
}

// The row function that the version binds for its own step, or null.
dbc_ConversionFn RowFunction(const std::string& className, int version) {
  dbc_OldClassVersion* v = FindVersion(className, version);
  if (!v) return nullptr;
  cls_ClassRegistrar stored, current;
  dbc_DatabaseConverter converter(stored, current);
  v->SchemaChanges(converter);
  for (const auto& level : converter.Converters())
    for (const auto& c : level.second.ClassConverters())
      if (c->ClassName() == className && c->FromVersion() == version) return c->RowFunction();
  return nullptr;
}

using Texts = std::map<std::string, std::string>;

// The new row starts as a copy of the stored one, as while a file is read.
Texts Convert(const std::string& className, int version, const Texts& stored) {
  dbc_Row in;
  for (const auto& f : stored) in.SetText(f.first, f.second);
  dbc_Row out = in;
  dbc_ConversionFn fn = RowFunction(className, version);
  EXPECT_NE(fn, nullptr) << className << " " << version;
  if (fn) {
    EXPECT_EQ(fn(in, out, 0), nullptr);
  }
  return out.Fields();
}

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

struct TextCase {
  const char* className;
  int version;
  const char* field;
  const char* stored;
  const char* written;
};

// Texts as older releases stored them (misspellings and truncations included), and texts that
// only look like them; the spelled-right "Correction accepted" is in OldLayouts_test.cpp.
const TextCase kTextCases[] = {
    {"dia_Step", 434, "m_incrementationScheme", "DIRECT_INCREMENTATION", ""},
    {"dia_Step", 434, "m_incrementationScheme", "auto incrementation", ""},
    {"dia_Step", 434, "m_incrementationScheme", "Auto incrementation ", ""},
    {"dia_Residual", 410, "m_fieldEquationType", "displacement", ""},
    {"dia_Residual", 410, "m_residualCheck", "RESIDUAL_ACCEPTED", ""},
    {"dia_Residual", 410, "m_correctionCheck", "Correcton accepted", "CORRECTION_ACCEPTED"},
    {"dia_Residual", 410, "m_correctionCheck", "Correction accepted based on estimated correctio",
     "CORRECTION_ACCEPTED_ESTIMATED_CORRECTION"},
    {"dia_Residual", 410, "m_correctionCheck", "Correction accepted based on estimated correction",
     ""},
    {"dia_CompatibilityError", 410, "m_constraintEquationType", "COUPLING_MOMENT_CONSTRAINT", ""},
};

TEST(Conversions, DisplayTexts_BecomeCanonicalStringsAndAnythingElseEmpty) {
  for (const TextCase& c : kTextCases) {
    Texts out = Convert(c.className, c.version, {{c.field, c.stored}, {"m_stepNumber", "7"}});
    EXPECT_EQ(out[c.field], c.written) << c.className << " '" << c.stored << "'";
    EXPECT_EQ(out["m_stepNumber"], "7");
  }
}

// A stored row and the fields that its step changes ("" for one it empties).
struct RowCase {
  const char* what;
  const char* className;
  int version;
  Texts stored;
  Texts changed;
};

const RowCase kRowCases[] = {
    {"203 with them",
     "ddr_Ddb",
     203,
     {{"sequenceData", "s"},
      {"onlyHasUserDefinedData", "1"},
      {"description", "d"},
      {"models#ClassID", "2293762"},
      {"models#OID", "40"}},
     {{"ddbVersion", "1804"}}},
    {"203 with a map reference but no map",
     "ddr_Ddb",
     203,
     {{"sequenceData", "s"}, {"results#ClassID", "2293762"}},
     {{"ddbVersion", "1804"},
      {"results#ClassID", ""},
      {"onlyHasUserDefinedData", "0"},
      {"description", ""}}},
    {"848 keeps its custom data",
     "ddr_Ddb",
     848,
     {{"customData#ClassID", "2293762"}, {"customData#OID", "5"}},
     {}},
};

TEST(Conversions, DatabaseSteps_TurnEachRowIntoTheNextLayout) {
  for (const RowCase& c : kRowCases) {
    Texts expected = c.stored;
    for (const auto& f : c.changed) expected[f.first] = f.second;
    EXPECT_EQ(Convert(c.className, c.version, c.stored), expected) << c.what;
  }
}

constexpr std::uint32_t kQueued = 0x7f0042;

TEST(ClassesToDelete, NodeDiagnosticData_GoesFirstAndLeavesBothRegistrars) {
  cls_ClassRegistrar stored, current;
  dbc_OldClassVersion* v = FindVersion("dia_NodeDiagnosticData", 415);
  ASSERT_NE(v, nullptr);
  v->InitializeMetadata(stored);
  v->InitializeMetadata(current);
  dbc_DatabaseConverter converter(stored, current);
  converter.GetClassesToDelete().push_back(kQueued);
  v->ClassesToDelete(converter);
  const std::uint32_t removed = LayoutOf("dia_NodeDiagnosticData", 415).typeId;
  EXPECT_EQ(converter.GetClassesToDelete(), (std::list<std::uint32_t>{removed, kQueued}));
  EXPECT_EQ(stored.FindByName("dia_NodeDiagnosticData"), nullptr);
  EXPECT_EQ(current.Find(removed), nullptr);
}

}  // namespace
