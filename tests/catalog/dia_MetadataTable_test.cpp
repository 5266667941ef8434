#include "ddb/catalog/dia_MetadataTable.h"

#include <gtest/gtest.h>

#include <map>

#include "ddb/catalog/dia_ContactMetadataTable.h"
#include "ddb/catalog/dia_ElementMetadataTable.h"
#include "ddb/catalog/dia_WarningErrorMetadataTable.h"
#include "startup/Registration.h"

namespace {

// A catalog over the warning/error rows that counts how often it is asked for its table, which
// is exactly how often a lookup misses the one-row cache.
class CountingTable : public dia_MetadataTable {
 public:
  mutable int tableCalls = 0;

 protected:
  dia_EntryTable GetTable() const override {
    ++tableCalls;
    return dia_WarningErrorEntryTable();
  }
};

class EmptyTable : public dia_MetadataTable {
 protected:
  dia_EntryTable GetTable() const override { return dia_EntryTable(nullptr, 0); }
};

std::string Text(const char* text) {
  return text ? text : "";
}

// Repeated lookups of one row (any variation) come from the cache, which a failed lookup leaves
// holding the earlier row.
TEST(dia_MetadataTable_Cache, ServesRepeatedLookupsOfOneRowAndSurvivesAFailedOne) {
  CountingTable table;
  EXPECT_EQ(table.GetDescription(0x0A010040), "Numerical singularities");
  EXPECT_EQ(table.GetNumVariations(0x0A010047), 11);
  EXPECT_EQ(table.GetDefaultFormats(0x0A010040)[0], "%N0%I0%R0%S1");
  EXPECT_EQ(table.tableCalls, 1);
  table.tableCalls = 0;
  EXPECT_TRUE(table.IsValid(0x4A0A0040));
  EXPECT_FALSE(table.IsValid(0x12345660));
  EXPECT_EQ(table.tableCalls, 2);
  EXPECT_EQ(table.GetDescription(0x4A0A0040), "Too many attempts");
  EXPECT_EQ(table.tableCalls, 2);
  EXPECT_FALSE(table.IsValid(0x12345660));
  EXPECT_EQ(table.tableCalls, 3);
}

TEST(dia_MetadataTable_Unknown, YieldsEmptyResults) {
  CountingTable table;
  EXPECT_FALSE(table.IsValid(0));
  EXPECT_EQ(table.GetNumVariations(0), 0);
  EXPECT_EQ(table.GetDescription(0), "");
  EXPECT_EQ(table.GetKnowledgeItem(0), "");
  EXPECT_FALSE(table.GetSendToOrvel(0));
  EXPECT_TRUE(table.GetNumIntValues(0).empty());
  EXPECT_TRUE(table.GetVariationDescriptions(0).empty());
  EXPECT_FALSE(EmptyTable().IsValid(0x01010020));
}

// A catalog answers a code with any variation bits from the first row that carries it; a code
// listed twice is never answered from its second row. (Which list each getter answers with is
// shown by the printed tables of dia_Catalog_test.cpp and dia_PrintTable_test.cpp.)
TEST(dia_MetadataTable_Rows, AnswerFromTheFirstRowOfTheCode) {
  const struct {
    dia_MetadataTable& catalog;
    dia_EntryTable rows;
  } catalogs[] = {{dia_ContactMetadataTable::Instance(), dia_ContactEntryTable()},
                  {dia_ElementMetadataTable::Instance(), dia_ElementEntryTable()},
                  {dia_WarningErrorMetadataTable::Instance(), dia_WarningErrorEntryTable()}};
  int repeated = 0;
  for (const auto& [catalog, rows] : catalogs) {
    std::map<unsigned, const dia_Entry*> first;
    for (int r = 0; r < rows.count; ++r) {
      const dia_Entry& row = rows.entries[r];
      const dia_Entry& e = *first.emplace(row.code, &row).first->second;
      repeated += &e != &row && Text(e.detailStrings[0]) != Text(row.detailStrings[0]);
      const unsigned code = e.code | static_cast<unsigned>(r % 32);
      SCOPED_TRACE(code);
      EXPECT_EQ(catalog.GetNumVariations(code), e.numVariations);
      EXPECT_EQ(catalog.GetDescription(code), e.description);
      EXPECT_EQ(catalog.GetKnowledgeItem(code), Text(e.knowledgeItem));
      EXPECT_EQ(catalog.GetSendToOrvel(code), e.sendToOrvel);
      EXPECT_EQ(catalog.GetDetailStrings(code)[0], Text(e.detailStrings[0]));
    }
  }
  EXPECT_GT(repeated, 0);
  EXPECT_FALSE(dia_WarningErrorMetadataTable::Instance().IsValid(0x01000020));
}

TEST(dia_MetadataTable_Catalogs, AreReleasedForTheThreadByTheModuleFinalizer) {
  dia_ContactMetadataTable::Instance();
  dia_ElementMetadataTable::Instance();
  dia_WarningErrorMetadataTable::Instance();
  dia_FinalizeThreadCatalogs();
  EXPECT_EQ(dia_ContactMetadataTable::LiveCount(), 0);
  EXPECT_EQ(dia_ElementMetadataTable::LiveCount(), 0);
  EXPECT_EQ(dia_WarningErrorMetadataTable::LiveCount(), 0);
  EXPECT_EQ(dia_ContactMetadataTable::Instance().GetDescription(0x01000040), "Severe overclosures");
}

}  // namespace
