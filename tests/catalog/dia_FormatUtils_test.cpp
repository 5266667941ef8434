#include "ddb/catalog/dia_FormatUtils.h"

#include <gtest/gtest.h>

#include "platform/ZunBasUtlNumFormat.h"

namespace {

struct FormatCase {
  const char* format;
  bool valid;
  const char* kinds;
  std::vector<int> indexes;
};

TEST(dia_FormatUtils_ColumnFormat, ValidatesAndTakesApartTheColumnGrammar) {
  const FormatCase cases[] = {
      {"", false, "", {}},
      {"%N", false, "", {}},
      {"%N0%R", false, "", {}},
      {"%X0", false, "", {}},
      {"%N0 ", false, "", {}},
      {"A%N0", false, "", {}},
      {"%NA", false, "", {}},
      {"%N0%%", false, "", {}},
      {"%N0", true, "N", {0}},
      {"%N12%E3", true, "NE", {12, 3}},
      {"%N0%N1%I0%R0%S1", true, "NNIRS", {0, 1, 0, 0, 1}},
      {"%E0%S2%I0%R0%S0%S1", true, "ESIRSS", {0, 2, 0, 0, 0, 1}},
      {"%I2147483647", true, "I", {2147483647}},
      {"%I2147483648", false, "", {}},
      {"%I0%I123456789012345678901", false, "", {}},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.format);
    EXPECT_EQ(dia_FormatUtils::ValidateFormatString(c.format), c.valid);
    EXPECT_EQ(dia_FormatUtils::GetTypeSpecifiers(c.format), c.kinds);
    EXPECT_EQ(dia_FormatUtils::GetArrayIndexes(c.format).vector(), c.indexes);
  }
}

TEST(dia_FormatUtils_ColumnFormat, HoldsAtMost23Specifiers) {
  std::string format;
  for (int i = 0; i < 23; ++i) format += "%I" + std::to_string(i);
  EXPECT_EQ(dia_FormatUtils::GetArrayIndexes(format).Length(), 23);
  format += "%I23";
  EXPECT_FALSE(dia_FormatUtils::ValidateFormatString(format));
  EXPECT_EQ(dia_FormatUtils::GetTypeSpecifiers(format), "");
}

TEST(dia_FormatUtils_DotSplitting, KeepsInnerAndLeadingEmptyPiecesButNoTrailingOne) {
  const std::pair<const char*, std::vector<std::string>> cases[] = {
      {"", {}},
      {"Node", {"Node"}},
      {"a..b", {"a", "", "b"}},
      {".Load Case", {"", "Load Case"}},
      {"a.", {"a"}},
      {"a..", {"a", ""}},
      {".", {""}},
      {"Slave.Master.Face", {"Slave", "Master", "Face"}},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    std::vector<std::string> pieces;
    for (const cow_String& piece : dia_FormatUtils::ParseDotDelimitedString(text))
      pieces.push_back(piece.str());
    EXPECT_EQ(pieces, expected);
  }
}

std::string Real(double value) {
  ZunBasUtlNumFormat format(1);
  format.SetDigits(6);
  std::string text = format.Format(value);
  return text.substr(text.find_first_not_of(' '));
}

const char* const kOverclosed = "Contact pair (%S,%S) node %N is overclosed by %R.";

TEST(dia_FormatUtils_Substitute, FillsValuesWithOrWithoutInstanceNames) {
  const cow_List<cow_String> surfaces{"SLAVE", "MASTER"};
  const std::string expected = "Contact pair (SLAVE,MASTER) node ";
  EXPECT_EQ(
      dia_FormatUtils::Substitute(kOverclosed, {}, {0.00125}, surfaces, {}, {}, {12}, {"P1"}, true),
      expected + "P1.12 is overclosed by " + Real(0.00125) + ".");
  EXPECT_EQ(dia_FormatUtils::Substitute(kOverclosed, {}, {0.00125}, surfaces, {}, {}, {12}, {"P1"},
                                        false),
            expected + "12 is overclosed by " + Real(0.00125) + ".");
  // An empty instance name keeps its dot; a real is printed without its leading blanks.
  EXPECT_EQ(dia_FormatUtils::Substitute("%E", {}, {}, {}, {5}, {""}, {}, {}, true), ".5");
  EXPECT_EQ(dia_FormatUtils::Substitute("%R", {}, {-2.5e-12}, {}, {}, {}, {}, {}, false),
            Real(-2.5e-12));
}

TEST(dia_FormatUtils_Substitute, ReturnsTheTemplateWhenAnyCountDiffers) {
  EXPECT_EQ(
      dia_FormatUtils::Substitute(kOverclosed, {}, {1.0}, {"SLAVE"}, {}, {}, {12}, {"P1"}, true),
      kOverclosed);
  // The instance names must fit even when they are not printed.
  EXPECT_EQ(
      dia_FormatUtils::Substitute(kOverclosed, {}, {1.0}, {"A", "B"}, {}, {}, {12}, {}, false),
      kOverclosed);
  EXPECT_EQ(dia_FormatUtils::Substitute("Element %E.", {}, {}, {}, {7}, {"P", "Q"}, {}, {}, false),
            "Element %E.");
}

TEST(dia_FormatUtils_Substitute, TreatsPercentSignsWithoutAKindLetterAsText) {
  EXPECT_EQ(dia_FormatUtils::Substitute("100%", {}, {}, {}, {}, {}, {}, {}, false), "100%");
  EXPECT_EQ(dia_FormatUtils::Substitute("Load at 50% of %I", {3}, {}, {}, {}, {}, {}, {}, false),
            "Load at 50% of 3");
  EXPECT_EQ(dia_FormatUtils::Substitute("%% %I%", {4}, {}, {}, {}, {}, {}, {}, false), "%% 4%");
  EXPECT_EQ(dia_FormatUtils::Substitute("ratio %R0", {}, {0.5}, {}, {}, {}, {}, {}, false),
            "ratio " + Real(0.5) + "0");
  EXPECT_EQ(dia_FormatUtils::Substitute("%I%I", {1, 2}, {}, {}, {}, {}, {}, {}, false), "12");
}

}  // namespace
