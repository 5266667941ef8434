// ddb catalog [CODE]: looks a code up in the built-in catalogs and shows its title, named
// constant, variations with their message templates, column titles and layouts, and its
// explanatory text; without a code, lists every code with its title.
#include <cstdio>

#include "Command.h"
#include "ddb/catalog/dia_ContactMetadataTable.h"
#include "ddb/catalog/dia_ElementMetadataTable.h"
#include "ddb/catalog/dia_WarningErrorCodes.h"
#include "ddb/catalog/dia_WarningErrorMetadataTable.h"

namespace ddbcli {
namespace {

struct Catalog {
  const char* kind;
  dia_EntryTable table;
  dia_MetadataTable& lookup;
};

std::vector<Catalog> Catalogs() {
  return {
      {"warning/error", dia_WarningErrorEntryTable(), dia_WarningErrorMetadataTable::Instance()},
      {"contact", dia_ContactEntryTable(), dia_ContactMetadataTable::Instance()},
      {"element", dia_ElementEntryTable(), dia_ElementMetadataTable::Instance()}};
}

const char* ConstantName(unsigned code) {
  for (const dia_WarningErrorCodeName& named : dia_WarningErrorCodes)
    if (named.code == code) return named.name;
  return nullptr;
}

void PrintList(const char* title, const cow_List<cow_String>& list, int v) {
  if (v < list.Length() && !list[v].empty()) std::printf("    %s: %s\n", title, list[v].c_str());
}

void PrintEntry(const Catalog& catalog, unsigned code) {
  dia_MetadataTable& t = catalog.lookup;
  const unsigned id = code & ~0x1Fu;
  std::printf("%s %s: %s\n", catalog.kind, Hex(id).c_str(), t.GetDescription(id).c_str());
  if (const char* name = catalog.table.entries == dia_WarningErrorEntryTable().entries
                             ? ConstantName(id)
                             : nullptr)
    std::printf("  constant: %s\n", name);
  if (t.GetSendToOrvel(id)) std::printf("  sent to the interactive edition\n");
  const auto titles = t.GetVariationDescriptions(id);
  const auto templates = t.GetDetailStrings(id);
  const auto formats = t.GetDefaultFormats(id);
  for (int v = 0; v < t.GetNumVariations(id); ++v) {
    std::printf("  variation %d%s%s\n", v, titles[v].empty() ? "" : ": ", titles[v].c_str());
    PrintList("message", templates, v);
    PrintList("integer columns", t.GetIntDescriptions(id), v);
    PrintList("real columns", t.GetRealDescriptions(id), v);
    PrintList("string columns", t.GetStringDescriptions(id), v);
    PrintList("node columns", t.GetNodeDescriptions(id), v);
    PrintList("element columns", t.GetElementDescriptions(id), v);
    std::printf("    layout: %s\n", formats[v].empty() ? "(no table)" : formats[v].c_str());
  }
  const cow_String knowledge = t.GetKnowledgeItem(id);
  if (!knowledge.empty()) std::printf("\n%s\n", knowledge.c_str());
}

int Run(const Arguments& args) {
  if (args.positional.empty()) {
    for (const Catalog& catalog : Catalogs())
      for (int r = 0; r < catalog.table.count; ++r)
        std::printf("%-13s %s  %s\n", catalog.kind, Hex(catalog.table.entries[r].code).c_str(),
                    catalog.table.entries[r].description);
    return kOk;
  }
  unsigned code = 0;
  if (!ParseCode(args.positional, code))
    throw Failure("'" + args.positional +
                  "' is not a code: give it as 0x4A0A0040, as a number or by its name");
  // Warning and error codes have a category; contact and element codes share the category 0
  // and are shown from both catalogs.
  bool found = false;
  for (const Catalog& catalog : Catalogs()) {
    if (!catalog.lookup.IsValid(code)) continue;
    if (found) std::printf("\n");
    PrintEntry(catalog, code);
    found = true;
  }
  if (!found) throw Failure("code " + Hex(code) + " is not in the catalog");
  return kOk;
}

}  // namespace

Command CatalogCommand() {
  return {"catalog", "Look a diagnostic code up in the built-in catalog (all codes without one)",
          "CODE",    false,
          {},        Run};
}

}  // namespace ddbcli
