#include <gtest/gtest.h>

#include "SchemaHistory.h"

using namespace ddb_test;

namespace {

struct TextCase {
  const char* className;
  int version;
  const char* field;
  const char* stored;
  const char* written;
};

const TextCase kTextCases[] = {
    {"dia_Step", 434, "m_incrementationScheme", "DIRECT_INCREMENTATION", ""},
    {"dia_Step", 434, "m_incrementationScheme", "auto incrementation", ""},
    {"dia_Step", 434, "m_incrementationScheme", "Auto incrementation ", ""},
    {"dia_Residual", 410, "m_fieldEquationType", "displacement", ""},
    {"dia_Residual", 410, "m_fieldEquationType", "DISPLACEMENT_FIELD", ""},
    {"dia_Residual", 410, "m_residualCheck", "RESIDUAL_ACCEPTED", ""},
    {"dia_Residual", 410, "m_correctionCheck", "Correcton accepted", "CORRECTION_ACCEPTED"},
    {"dia_Residual", 410, "m_correctionCheck", "Correction accepted", ""},
    {"dia_Residual", 410, "m_correctionCheck", "Correction accepted based on estimated correctio",
     "CORRECTION_ACCEPTED_ESTIMATED_CORRECTION"},
    {"dia_Residual", 410, "m_correctionCheck", "Correction accepted based on estimated correction",
     ""},
    {"dia_Residual", 410, "m_correctionCheck", "CORRECTION_NOT_ACCEPTED", ""},
    {"dia_CompatibilityError", 410, "m_constraintEquationType", "COUPLING_MOMENT_CONSTRAINT", ""},
};

}  // namespace

TEST(Conversions, DisplayTexts_BecomeCanonicalStringsAndAnythingElseEmpty) {
  for (const TextCase& c : kTextCases) {
    Texts out = Convert(c.className, c.version, {{c.field, c.stored}, {"m_stepNumber", "7"}});
    EXPECT_EQ(out[c.field], c.written) << c.className << " '" << c.stored << "'";
    EXPECT_EQ(out["m_stepNumber"], "7");
  }
}

namespace {

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

}  // namespace

TEST(Conversions, DatabaseSteps_TurnEachRowIntoTheNextLayout) {
  for (const RowCase& c : kRowCases) {
    Texts expected = c.stored;
    for (const auto& f : c.changed) expected[f.first] = f.second;
    EXPECT_EQ(Convert(c.className, c.version, c.stored), expected) << c.what;
  }
}
