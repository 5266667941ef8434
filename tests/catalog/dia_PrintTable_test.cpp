#include "ddb/catalog/dia_PrintTable.h"

#include <gtest/gtest.h>

#include "catalog/FortranUnits.h"
#include "catalog/dia_EntryBuilder.h"
#include "ddb/catalog/dia_ContactMetadataTable.h"
#include "ddb/catalog/dia_ElementMetadataTable.h"
#include "ddb/catalog/dia_WarningErrorMetadataTable.h"
#include "ddb/diagnostics/dia_DiagnosticBase.h"
#include "ddb/platform/nex_Exception.h"
#include "platform/ZunBasUtlNumFormat.h"

namespace {

using Lines = std::vector<std::string>;
const std::string kRule(80, '-');

dia_AuxiliaryData ElementBlock(int label, const char* instance = "PART-1") {
  return dia_AuxiliaryData({}, {}, {}, {label}, {instance}, {}, {}, 0);
}

Lines Print(const dia_DiagnosticBase& diagnostic, dia_MetadataTable& catalog, bool names,
            int unit = 81) {
  FortranUnitFile file(unit, "dia_PrintTable_" + std::to_string(unit) + ".txt");
  dia_PrintTable(diagnostic, catalog, file.Unit(), names);
  return file.Lines();
}

std::string Exponent(double value) {
  ZunBasUtlNumFormat format(0);
  format.SetDigits(6);
  return format.Format(value);
}

// Labels alone, or qualified with instance names on request (an empty name leaves its dot).
TEST(dia_PrintTable_Layout, PrintsTheDistortedElementsTableByteForByte) {
  dia_DiagnosticBase diagnostic(0x01000020);
  diagnostic.AddData(ElementBlock(17));
  diagnostic.AddData(ElementBlock(1234));
  diagnostic.AddData(ElementBlock(5, ""));
  EXPECT_EQ(Print(diagnostic, dia_ElementMetadataTable::Instance(), false),
            (Lines{" ", kRule, "", " ", " Element  ", "--------- ", "       17 ", "     1234 ",
                   "        5 ", " "}));
  EXPECT_EQ(Print(diagnostic, dia_ElementMetadataTable::Instance(), true),
            (Lines{" ", kRule, "", " ", "    Element      ", std::string(16, '-') + " ",
                   "       PART-1.17 ", "     PART-1.1234 ", "              .5 ", " "}));
}

TEST(dia_PrintTable_Layout, SizesNumericalSingularityColumnsFromTitlesDataAndInstanceNames) {
  dia_DiagnosticBase diagnostic(0x0A010040);
  diagnostic.AddData(
      dia_AuxiliaryData({3}, {1.5e8}, {" in load case ", "LC1"}, {}, {}, {12}, {"BRACKET-1"}, 0));
  diagnostic.AddData(
      dia_AuxiliaryData({6}, {-2.0}, {" in load case ", "BRAKING-LOAD"}, {}, {}, {7}, {"P"}, 0));
  const Lines lines = Print(diagnostic, dia_WarningErrorMetadataTable::Instance(), false);
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[2], "Node");
  EXPECT_EQ(lines[4], "  Node        DOF           Ratio        Load Case   ");
  EXPECT_EQ(lines[5], std::string(9, '-') + " " + std::string(12, '-') + " " +
                          std::string(16, '-') + " " + std::string(12, '-') + " ");
  EXPECT_EQ(lines[6], "       12            3 " + std::string(16 - Exponent(1.5e8).size(), ' ') +
                          Exponent(1.5e8) + "     LC1      ");
  EXPECT_EQ(lines[7], "        7            6 " + std::string(16 - Exponent(-2.0).size(), ' ') +
                          Exponent(-2.0) + " BRAKING-LOAD ");
  // With instance names the node column widens to the longest.
  const Lines named = Print(diagnostic, dia_WarningErrorMetadataTable::Instance(), true);
  EXPECT_EQ(named[5].substr(0, 20), std::string(19, '-') + " ");
  EXPECT_EQ(named[6].substr(0, 20), "       BRACKET-1.12 ");
}

TEST(dia_PrintTable_Layout, CutsCellsAt41CharactersAndCentresWithTheOddBlankRight) {
  dia_DiagnosticBase diagnostic(0x01000020);
  const std::string longName(50, 'S');
  diagnostic.AddData(dia_AuxiliaryData({}, {0.5}, {longName, "MSTR"}, {}, {}, {3}, {""}, 0));
  const Lines lines = Print(diagnostic, dia_ContactMetadataTable::Instance(), false);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[4], "  Node      Overclosure    " + std::string(18, ' ') + "Slave" +
                          std::string(19, ' ') + "Master ");
  EXPECT_EQ(lines[6].substr(27), std::string(41, 'S') + "  MSTR  ");
}

TEST(dia_PrintTable_Layout, PrintsOneTablePerVariationInOrderOfFirstOccurrence) {
  dia_DiagnosticBase diagnostic(0x01000020);
  diagnostic.AddData(dia_AuxiliaryData({4}, {0.25}, {}, {9}, {""}, {}, {}, 2));
  diagnostic.AddData(dia_AuxiliaryData({}, {0.5}, {"A", "B"}, {}, {}, {3}, {""}, 0));
  diagnostic.AddData(dia_AuxiliaryData({5}, {0.75}, {}, {10}, {""}, {}, {}, 2));
  const Lines lines = Print(diagnostic, dia_ContactMetadataTable::Instance(), false);
  ASSERT_EQ(lines.size(), 9u + 8u);
  EXPECT_EQ(lines[2], "Element");
  EXPECT_EQ(lines[6].substr(0, 23), "        9            4 ");
  EXPECT_EQ(lines[7].substr(0, 23), "       10            5 ");
  EXPECT_EQ(lines[10], kRule);
  EXPECT_EQ(lines[11], "Node");
}

// The text rendering is the printed lines, each ended by a newline.
TEST(dia_TableText, HoldsTheLinesPrintedOnAUnit) {
  dia_DiagnosticBase contact(0x01000020);
  contact.AddData(dia_AuxiliaryData({4}, {0.25}, {}, {9}, {"PART-1"}, {}, {}, 2));
  contact.AddData(
      dia_AuxiliaryData({}, {0.5}, {std::string(50, 'S'), "MSTR"}, {}, {}, {3}, {"P"}, 0));
  for (bool names : {false, true}) {
    std::string printed;
    for (const std::string& line : Print(contact, dia_ContactMetadataTable::Instance(), names))
      printed += line + "\n";
    EXPECT_EQ(dia_TableText(contact, dia_ContactMetadataTable::Instance(), names).str(), printed);
  }
}

// A catalog with one made-up row whose variation 5 has no column format.
class FormatlessTable : public dia_MetadataTable {
 protected:
  dia_EntryTable GetTable() const override {
    using namespace dia_catalog;
    static constexpr dia_Entry rows[] = {
        MakeEntry(0x0A0F0020, "Test row", kLocal, kAbsent,
                  {
                      {"Zero",
                       "Node %N.",
                       {0, 0, 0, 1, 0},
                       {kAbsent, kAbsent, kAbsent, "Node", kAbsent},
                       "%N0"},
                      {"", "", {0, 0, 0, 0, 0}, {}, ""},
                      {"", "", {0, 0, 0, 0, 0}, {}, ""},
                      {"", "", {0, 0, 0, 0, 0}, {}, ""},
                      {"", "", {0, 0, 0, 0, 0}, {}, ""},
                      {"Five",
                       "Node %N.",
                       {0, 0, 0, 1, 0},
                       {kAbsent, kAbsent, kAbsent, "Node", kAbsent},
                       "%N0 "},
                  })};
    return dia_EntryTable(rows, 1);
  }
};

TEST(dia_PrintTable_Nothing, ForNoVariationsOrAFirstVariationWithoutFormat) {
  EXPECT_TRUE(
      Print(dia_DiagnosticBase(0x01000020), dia_ElementMetadataTable::Instance(), false).empty());
  dia_DiagnosticBase limit(0x01010020);
  limit.AddData(dia_AuxiliaryData());
  EXPECT_TRUE(Print(limit, dia_WarningErrorMetadataTable::Instance(), false).empty());
  dia_DiagnosticBase fiveThenZero(0x0A0F0020);
  fiveThenZero.AddData(dia_AuxiliaryData({}, {}, {}, {}, {}, {1}, {""}, 5));
  fiveThenZero.AddData(dia_AuxiliaryData({}, {}, {}, {}, {}, {2}, {""}, 0));
  FormatlessTable table;
  EXPECT_TRUE(Print(fiveThenZero, table, false).empty());
}

TEST(dia_PrintTable_Errors, RaiseOutOfRangeAndKeepTheLinesWritten) {
  dia_DiagnosticBase unknown(0x7F7F0020);
  unknown.AddData(dia_AuxiliaryData());
  EXPECT_THROW(Print(unknown, dia_WarningErrorMetadataTable::Instance(), false), nex_PrimException);

  dia_DiagnosticBase beyond(0x01000020);
  beyond.AddData(dia_AuxiliaryData({}, {}, {}, {1}, {""}, {}, {}, 1));
  EXPECT_THROW(Print(beyond, dia_ElementMetadataTable::Instance(), false), nex_PrimException);

  FortranUnitFile file(82, "dia_PrintTable_lacking.txt");
  dia_DiagnosticBase lacking(0x0A010040);
  lacking.AddData(dia_AuxiliaryData({}, {1.0}, {"", "L"}, {}, {}, {12}, {""}, 0));
  EXPECT_THROW(
      dia_PrintTable(lacking, dia_WarningErrorMetadataTable::Instance(), file.Unit(), false),
      nex_PrimException);
  const Lines lines = file.Lines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1], kRule);
}

}  // namespace
