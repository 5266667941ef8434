#include "ddb/catalog/dia_MetadataTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "ddb/catalog/dia_ContactMetadataTable.h"
#include "ddb/catalog/dia_ElementMetadataTable.h"
#include "ddb/catalog/dia_WarningErrorMetadataTable.h"
#include "frame/Registration.h"

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

std::vector<std::string> Strings(const cow_List<cow_String>& list) {
  std::vector<std::string> out;
  for (const cow_String& s : list) out.push_back(s.str());
  return out;
}

TEST(dia_MetadataTable_Cache, ServesRepeatedLookupsOfOneRowFromTheCache) {
  CountingTable table;
  EXPECT_EQ(table.GetDescription(0x0A010040), "Numerical singularities");
  EXPECT_EQ(table.GetNumVariations(0x0A010047), 11);
  EXPECT_EQ(table.GetDefaultFormats(0x0A010040)[0], "%N0%I0%R0%S1");
  EXPECT_EQ(table.tableCalls, 1);
}

TEST(dia_MetadataTable_Cache, KeepsTheEarlierRowAfterAFailedLookup) {
  CountingTable table;
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
  EXPECT_TRUE(table.GetDefaultFormats(0).empty());
  EmptyTable empty;
  EXPECT_FALSE(empty.IsValid(0x01010020));
  EXPECT_TRUE(empty.GetElementDescriptions(0x01010020).empty());
}

TEST(dia_MetadataTable_Duplicate, ReturnsTheFirstConflictingBCRow) {
  const dia_EntryTable rows = dia_WarningErrorEntryTable();
  ASSERT_EQ(rows.entries[65].code, 0x040C0040u);
  ASSERT_EQ(rows.entries[68].code, 0x040C0040u);
  CountingTable table;
  EXPECT_EQ(table.GetDetailStrings(0x040C0040)[0], cow_String(rows.entries[65].detailStrings[0]));
  EXPECT_NE(table.GetDetailStrings(0x040C0040)[0], cow_String(rows.entries[68].detailStrings[0]));
  EXPECT_TRUE(table.GetSendToOrvel(0x040C0040));
}

TEST(dia_MetadataTable_Rows, GivesTheShownWarningErrorRows) {
  CountingTable table;
  EXPECT_EQ(Strings(table.GetVariationDescriptions(0x46010040)),
            (std::vector<std::string>{"", ""}));
  EXPECT_EQ(table.GetDefaultFormats(0x01010020)[0], "");
  EXPECT_EQ(table.GetDetailStrings(0x01010020)[0],
            "Only the first 10 messages are reported for one or more warnings in this increment.");
  EXPECT_EQ(table.GetKnowledgeItem(0x01010020), "");
  const std::string knowledge = table.GetKnowledgeItem(0x4A0A0040).str();
  EXPECT_EQ(knowledge.rfind("Ostrel terminated the analysis because a converged solution could not "
                            "be found in the maximum allowable number of attempts.\n\n",
                            0),
            0u);
  EXPECT_EQ(std::count(knowledge.begin(), knowledge.end(), '\n'), 4);
  EXPECT_EQ(table.GetStringDescriptions(0x0A010040)[0], ".Load Case");
  EXPECT_EQ(table.GetNodeDescriptions(0x0A010040)[2], "Ref Node.Coupling Node");
  EXPECT_EQ(table.GetDefaultFormats(0x0A010040)[2], "%N0%N1%I0%R0%S1");
  EXPECT_EQ(table.GetNumStringValues(0x0A010040)[0], 2);
}

TEST(dia_MetadataTable_Catalogs, AnswerTheSameCodeWithTheirOwnRows) {
  dia_MetadataTable& contact = dia_ContactMetadataTable::Instance();
  dia_MetadataTable& element = dia_ElementMetadataTable::Instance();
  EXPECT_TRUE(contact.IsValid(0x01000025));
  EXPECT_EQ(contact.GetNumVariations(0x01000025), 3);
  EXPECT_EQ(contact.GetDescription(0x01000020), "Overclosures");
  EXPECT_EQ(element.GetDescription(0x01000020), "Distorted elements");
  EXPECT_EQ(Strings(contact.GetVariationDescriptions(0x010001C0)),
            (std::vector<std::string>{"Node", "Face", "Node 2D", "Face 2D", "Element", "Node",
                                      "Face", "Node 2D", "Face 2D", "Element"}));
  EXPECT_EQ(element.GetDescription(0x03000020), "Critical elements");
  EXPECT_FALSE(dia_WarningErrorMetadataTable::Instance().IsValid(0x01000020));
}

TEST(dia_MetadataTable_Catalogs, GiveEachThreadItsOwnObject) {
  dia_MetadataTable* mine = &dia_WarningErrorMetadataTable::Instance();
  EXPECT_EQ(mine, &dia_WarningErrorMetadataTable::Instance());
  dia_MetadataTable* theirs = nullptr;
  int finalized = -1;
  std::thread([&] {
    theirs = &dia_WarningErrorMetadataTable::Instance();
    theirs->GetDescription(0x0A010040);
    finalized = dia_WarningErrorMetadataTable::Finalize();
  }).join();
  EXPECT_NE(mine, theirs);
  EXPECT_EQ(finalized, 1);
  EXPECT_EQ(mine->GetDescription(0x4A0A0020), "Too many increments");
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
