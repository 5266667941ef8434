#include "ddb/catalog/dia_PrintTable.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "ddb/catalog/dia_FormatUtils.h"
#include "ddb/catalog/dia_MetadataTable.h"
#include "ddb/catalog/dia_TextChannel.h"
#include "ddb/diagnostics/dia_DiagnosticBase.h"
#include "platform/ZunBasUtlNumFormat.h"

namespace {

constexpr int kMaxColumnWidth = 41;
constexpr int kMinIntWidth = 12;
constexpr int kMinRealWidth = 16;
constexpr int kRuleLength = 80;
constexpr int kLabelWidth = 9;
// The text channel cuts every record to this length.
constexpr std::size_t kMaxRecordLength = 120;

// The catalog lists of one code, read once per diagnostic.
struct CatalogRow {
  cow_List<cow_String> titles;
  cow_List<cow_List<int>> counts;
  cow_List<cow_List<cow_String>> columnTitles;  // integer, real, string, node, element
  cow_List<cow_String> formats;
};

struct Column {
  char kind;
  int index;
  std::string title;
  int width;
};

CatalogRow ReadCatalog(dia_MetadataTable& catalog, unsigned code) {
  CatalogRow row;
  row.titles = catalog.GetVariationDescriptions(code);
  row.counts = {catalog.GetNumIntValues(code), catalog.GetNumRealValues(code),
                catalog.GetNumStringValues(code), catalog.GetNumNodeLabels(code),
                catalog.GetNumElementLabels(code)};
  row.columnTitles = {catalog.GetIntDescriptions(code), catalog.GetRealDescriptions(code),
                      catalog.GetStringDescriptions(code), catalog.GetNodeDescriptions(code),
                      catalog.GetElementDescriptions(code)};
  row.formats = catalog.GetDefaultFormats(code);
  return row;
}

int KindSlot(char kind) {
  switch (kind) {
    case 'I':
      return 0;
    case 'R':
      return 1;
    case 'S':
      return 2;
    case 'N':
      return 3;
    default:
      return 4;
  }
}

std::string RightJustify(const std::string& text, int width) {
  const std::size_t w = static_cast<std::size_t>(width);
  if (text.size() >= w) return text.substr(0, w);
  return std::string(w - text.size(), ' ') + text;
}

std::string Centre(const std::string& text, int width) {
  const std::size_t w = static_cast<std::size_t>(width);
  if (text.size() >= w) return text.substr(0, w);
  const std::size_t before = (w - text.size()) / 2;
  return std::string(before, ' ') + text + std::string(w - text.size() - before, ' ');
}

int StartingWidth(char kind, int titleLength) {
  int width = titleLength;
  if (kind == 'I') width = std::max(width, kMinIntWidth);
  if (kind == 'R') width = std::max(width, kMinRealWidth);
  return std::min(width, kMaxColumnWidth);
}

// The columns of variation v, or none when its format is empty or invalid.
std::vector<Column> LayoutColumns(const CatalogRow& row, int v) {
  const cow_String format = row.formats[v];
  const cow_String kinds = dia_FormatUtils::GetTypeSpecifiers(format);
  const cow_List<int> indexes = dia_FormatUtils::GetArrayIndexes(format);
  std::vector<cow_List<cow_String>> pieces;
  for (const cow_List<cow_String>& titles : row.columnTitles)
    pieces.push_back(dia_FormatUtils::ParseDotDelimitedString(titles[v]));
  std::vector<Column> columns;
  for (int c = 0; c < kinds.Length(); ++c) {
    const char kind = kinds[c];
    const std::string title = pieces[KindSlot(kind)][indexes[c]].str();
    columns.push_back(
        {kind, indexes[c], title, StartingWidth(kind, static_cast<int>(title.size()))});
  }
  return columns;
}

int NaturalWidth(const Column& column, const dia_AuxiliaryData& data, bool withInstanceNames) {
  switch (column.kind) {
    case 'S':
      return data.GetStringValues()[column.index].Length();
    case 'N':
      return withInstanceNames ? data.GetNodeInstanceNames()[column.index].Length() + 10
                               : kLabelWidth;
    case 'E':
      return withInstanceNames ? data.GetElementInstanceNames()[column.index].Length() + 10
                               : kLabelWidth;
    default:
      return 0;
  }
}

std::string LabelText(int label, const cow_List<cow_String>& instances, int k,
                      bool withInstanceNames) {
  if (!withInstanceNames) return std::to_string(label);
  return instances[k].str() + "." + std::to_string(label);
}

std::string Cell(const Column& column, const dia_AuxiliaryData& data, bool withInstanceNames) {
  const int k = column.index;
  switch (column.kind) {
    case 'I':
      return RightJustify(std::to_string(data.GetIntValues()[k]), column.width);
    case 'R': {
      ZunBasUtlNumFormat number(1);
      number.SetFormat(0);
      number.SetDigits(6);
      return RightJustify(number.Format(data.GetRealValues()[k]), column.width);
    }
    case 'S':
      return Centre(data.GetStringValues()[k].str(), column.width);
    case 'N':
      return RightJustify(
          LabelText(data.GetNodeLabels()[k], data.GetNodeInstanceNames(), k, withInstanceNames),
          column.width);
    default:
      return RightJustify(LabelText(data.GetElementLabels()[k], data.GetElementInstanceNames(), k,
                                    withInstanceNames),
                          column.width);
  }
}

// Where the lines of the tables go: a Fortran unit or a text.
using LineSink = std::function<void(const std::string&)>;

void Widen(std::vector<Column>& columns, const dia_DiagnosticBase::DataList& data, int v,
           bool withInstanceNames) {
  for (int i = 0; i < data.size(); ++i) {
    const dia_AuxiliaryData& block = data.ConstGet(i);
    if (block.GetVariation() != v) continue;
    for (Column& column : columns) {
      const int natural = NaturalWidth(column, block, withInstanceNames);
      if (natural > column.width) column.width = std::min(natural, kMaxColumnWidth);
    }
  }
}

void WriteHeading(const LineSink& emit, const std::vector<Column>& columns,
                  const cow_String& title) {
  emit(" ");
  emit(std::string(kRuleLength, '-'));
  emit(title.str());
  emit(" ");
  std::string titles, underline;
  for (const Column& column : columns) {
    titles += Centre(column.title, column.width) + " ";
    underline += std::string(static_cast<std::size_t>(column.width), '-') + " ";
  }
  emit(titles);
  emit(underline);
}

void WriteRows(const LineSink& emit, const std::vector<Column>& columns,
               const dia_DiagnosticBase::DataList& data, int v, bool withInstanceNames) {
  for (int i = 0; i < data.size(); ++i) {
    const dia_AuxiliaryData& block = data.ConstGet(i);
    if (block.GetVariation() != v) continue;
    std::string line;
    for (const Column& column : columns) line += Cell(column, block, withInstanceNames) + " ";
    emit(line);
  }
}

// Indexing every list of the row with v raises for a variation the row does not have.
void CheckVariation(const CatalogRow& row, int v) {
  (void)row.titles[v];
  for (const cow_List<int>& counts : row.counts) (void)counts[v];
  for (const cow_List<cow_String>& titles : row.columnTitles) (void)titles[v];
  (void)row.formats[v];
}

void RenderTables(const dia_DiagnosticBase& diagnostic, dia_MetadataTable& catalog,
                  bool withInstanceNames, const LineSink& emit) {
  const unsigned code = static_cast<unsigned>(diagnostic.GetType());
  const dia_DiagnosticBase::DataList data = diagnostic.GetData();
  const CatalogRow row = ReadCatalog(catalog, code);
  for (int v : diagnostic.GetVariationNumbers()) {
    CheckVariation(row, v);
    std::vector<Column> columns = LayoutColumns(row, v);
    if (columns.empty()) return;
    Widen(columns, data, v, withInstanceNames);
    WriteHeading(emit, columns, row.titles[v]);
    WriteRows(emit, columns, data, v, withInstanceNames);
    emit(" ");
  }
}

}  // namespace

void dia_PrintTable(const dia_DiagnosticBase& diagnostic, dia_MetadataTable& catalog, int unit,
                    bool withInstanceNames) {
  RenderTables(diagnostic, catalog, withInstanceNames,
               [unit](const std::string& line) { dia_Write(unit, line.c_str()); });
}

cow_String dia_TableText(const dia_DiagnosticBase& diagnostic, dia_MetadataTable& catalog,
                         bool withInstanceNames) {
  std::string text;
  RenderTables(diagnostic, catalog, withInstanceNames, [&text](const std::string& line) {
    text.append(line, 0, std::min(line.size(), kMaxRecordLength));
    text += '\n';
  });
  return cow_String(std::move(text));
}
