// Checks over every row of the three compiled-in catalogs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "catalog/FortranUnits.h"
#include "ddb/catalog/dia_Entry.h"
#include "ddb/catalog/dia_FormatUtils.h"
#include "ddb/catalog/dia_MetadataTable.h"
#include "ddb/catalog/dia_PrintTable.h"
#include "ddb/catalog/dia_WarningErrorCodes.h"
#include "ddb/diagnostics/dia_DiagnosticBase.h"

namespace {

struct Catalog {
  const char* name;
  dia_EntryTable table;
};

const Catalog kCatalogs[] = {{"contact", dia_ContactEntryTable()},
                             {"element", dia_ElementEntryTable()},
                             {"warning/error", dia_WarningErrorEntryTable()}};

// Variations stored with templates that name other values than their counts. They are kept as
// stored; Substitute returns them unfilled.
const std::set<std::pair<unsigned, int>> kUnfillableContact = {
    {0x02000080, 0}, {0x02000080, 1}, {0x020000C0, 0}, {0x020000E0, 0}, {0x02000120, 0}};
const std::set<std::pair<unsigned, int>> kUnfillableElement = {{0x03000020, 0}};

cow_String Text(const char* text) {
  return cow_String(text ? text : "");
}

// Counts of a variation in the order integer, real, string, node label, element label, as the
// catalog answers them.
std::vector<int> Counts(dia_MetadataTable& catalog, unsigned code, int v) {
  return {catalog.GetNumIntValues(code)[v], catalog.GetNumRealValues(code)[v],
          catalog.GetNumStringValues(code)[v], catalog.GetNumNodeLabels(code)[v],
          catalog.GetNumElementLabels(code)[v]};
}

std::vector<int> TemplateCounts(const std::string& text) {
  const std::string kinds = "IRSNE";
  std::vector<int> counts(5, 0);
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    const std::size_t k = kinds.find(text[i + 1]);
    if (text[i] == '%' && k != std::string::npos) ++counts[k], ++i;
  }
  return counts;
}

template <class T>
cow_List<T> Sequence(int n, T (*make)(int)) {
  cow_List<T> list;
  for (int i = 0; i < n; ++i) list.Append(make(i));
  return list;
}

dia_AuxiliaryData Synthetic(const std::vector<int>& n, int v) {
  auto label = [](int i) { return 100 + i; };
  auto real = [](int i) { return -1.25e-3 * (i + 1); };
  auto text = [](int i) { return cow_String("TEXT-" + std::to_string(i)); };
  auto instance = [](int) { return cow_String("PART-1"); };
  return dia_AuxiliaryData(Sequence<int>(n[0], label), Sequence<double>(n[1], real),
                           Sequence<cow_String>(n[2], text), Sequence<int>(n[4], label),
                           Sequence<cow_String>(n[4], instance), Sequence<int>(n[3], label),
                           Sequence<cow_String>(n[3], instance), v);
}

// A catalog of one row, so that every row (the never-returned duplicate too) can be printed.
class OneRowTable : public dia_MetadataTable {
 public:
  explicit OneRowTable(const dia_Entry& row) : m_row(row) {}

 protected:
  dia_EntryTable GetTable() const override { return dia_EntryTable(&m_row, 1); }

 private:
  const dia_Entry& m_row;
};

// Every row has a code without variation bits (and a category only among warnings and errors), a
// description and one to dia_MaxVariations variations. Every variation of every row, as the
// catalog's getters answer it: its template names exactly
// the values it carries (or is one of the known unfillable ones, returned as stored), its column
// format indexes fall inside its titles and counts, and one occurrence of it prints (every table
// opens with a rule).
TEST(dia_Catalog_Rows, HaveTheirCodeFormsAndEveryVariationFillsItsTemplateAndPrints) {
  const std::string kinds = "IRSNE";
  FortranUnitFile file(91, "dia_Catalog_every_variation.txt");
  std::size_t tables = 0;
  for (const Catalog& catalog : kCatalogs) {
    const auto& unfillable = catalog.table.entries == dia_ContactEntryTable().entries
                                 ? kUnfillableContact
                                 : kUnfillableElement;
    const bool warningOrError = catalog.table.entries == dia_WarningErrorEntryTable().entries;
    for (int r = 0; r < catalog.table.count; ++r) {
      const dia_Entry& e = catalog.table.entries[r];
      EXPECT_EQ(e.code & 0x1Fu, 0u) << e.code;
      EXPECT_EQ(((e.code >> 16) & 0xFF) != 0, warningOrError) << e.code;
      EXPECT_GE(e.numVariations, 1) << e.code;
      EXPECT_LE(e.numVariations, dia_MaxVariations) << e.code;
      EXPECT_FALSE(Text(e.description).empty()) << e.code;
      OneRowTable row(e);
      for (int v = 0; v < e.numVariations; ++v) {
        SCOPED_TRACE(std::string(catalog.name) + " " + std::to_string(e.code) + " v" +
                     std::to_string(v));
        const std::vector<int> counts = Counts(row, e.code, v);
        const cow_String detail = row.GetDetailStrings(e.code)[v];
        const bool fits = TemplateCounts(detail.str()) == counts;
        EXPECT_EQ(fits, unfillable.count({e.code, v}) == 0);
        const dia_AuxiliaryData d = Synthetic(counts, v);
        const cow_String filled = dia_FormatUtils::Substitute(
            detail, d.GetIntValues(), d.GetRealValues(), d.GetStringValues(), d.GetElementLabels(),
            d.GetElementInstanceNames(), d.GetNodeLabels(), d.GetNodeInstanceNames(), true);
        if (fits)
          EXPECT_EQ(TemplateCounts(filled.str()), std::vector<int>(5, 0));
        else
          EXPECT_EQ(filled, detail);
        const cow_String format = row.GetDefaultFormats(e.code)[v];
        EXPECT_TRUE(format.empty() || dia_FormatUtils::ValidateFormatString(format));
        const cow_List<cow_String> titles[] = {
            row.GetIntDescriptions(e.code), row.GetRealDescriptions(e.code),
            row.GetStringDescriptions(e.code), row.GetNodeDescriptions(e.code),
            row.GetElementDescriptions(e.code)};
        const cow_String letters = dia_FormatUtils::GetTypeSpecifiers(format);
        const cow_List<int> indexes = dia_FormatUtils::GetArrayIndexes(format);
        for (int c = 0; c < letters.Length(); ++c) {
          const std::size_t kind = kinds.find(letters[c]);
          EXPECT_LT(indexes[c], dia_FormatUtils::ParseDotDelimitedString(titles[kind][v]).Length());
          EXPECT_LT(indexes[c], counts[kind]);
        }
        for (bool names : {false, true}) {
          dia_DiagnosticBase diagnostic(static_cast<int>(e.code));
          diagnostic.AddData(d);
          EXPECT_NO_THROW(dia_PrintTable(diagnostic, row, file.Unit(), names));
          if (!format.empty()) ++tables;
        }
      }
    }
  }
  const std::vector<std::string> lines = file.Lines();
  EXPECT_EQ(static_cast<std::size_t>(std::count(lines.begin(), lines.end(), std::string(80, '-'))),
            tables);
}

// The name a code gets in dia_WarningErrorCodes.h: its title in upper case, words joined by "_".
std::string NameOfTitle(const char* title) {
  std::string name;
  for (const char* c = title; *c; ++c) {
    if (std::isalnum(static_cast<unsigned char>(*c)))
      name += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    else if (!name.empty() && name.back() != '_')
      name += '_';
  }
  if (!name.empty() && name.back() == '_') name.pop_back();
  return name;
}

TEST(dia_Catalog_WarningError, NamedCodesAreTheRowsInTableOrder) {
  const dia_EntryTable table = dia_WarningErrorEntryTable();
  std::set<unsigned> seen;
  std::map<std::string, int> uses;
  std::size_t named = 0;
  for (int r = 0; r < table.count; ++r) {
    const dia_Entry& row = table.entries[r];
    if (!seen.insert(row.code).second) continue;  // a repeated row is never looked up
    ASSERT_LT(named, std::size(dia_WarningErrorCodes)) << std::hex << row.code;
    std::string name = std::string("dia_") + (row.code & 0x40000000u ? "Error" : "Warning") +
                       "Code::" + NameOfTitle(row.description);
    if (int n = ++uses[name]; n > 1) name += "_" + std::to_string(n);
    EXPECT_EQ(dia_WarningErrorCodes[named].name, name) << std::hex << row.code;
    EXPECT_EQ(dia_WarningErrorCodes[named].code, row.code) << name;
    ++named;
  }
  EXPECT_EQ(named, std::size(dia_WarningErrorCodes));
}

}  // namespace
