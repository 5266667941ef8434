// Compile-time builder of dia_Entry rows. The row tables are written one block per catalog row
// and one line per variation (title, template, counts, column titles, format), the way a catalog
// author reads them; dia_MakeEntry spreads those lines over the entry's per-variation arrays.
// Everything here is evaluated by the compiler, so the tables stay constant data.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "ddb/catalog/dia_Entry.h"

namespace dia_catalog {

// Marks an absent text; it reads as the empty string, like a stored empty text.
constexpr const char* kAbsent = nullptr;
constexpr bool kOrvel = true;
constexpr bool kLocal = false;

// One variation of a row. counts and columns are in the order integer, real, string, node label,
// element label.
struct VariationRow {
  const char* title;
  const char* detail;
  int counts[5];
  const char* columns[5];
  const char* format;
};

constexpr dia_Entry MakeEntry(std::uint32_t code, const char* description, bool sendToOrvel,
                              const char* knowledgeItem,
                              std::initializer_list<VariationRow> variations) {
  if (variations.size() < 1 || variations.size() > dia_MaxVariations)
    throw "a catalog row has 1 to 12 variations";
  dia_Entry e{};
  e.code = code;
  e.numVariations = static_cast<std::int32_t>(variations.size());
  e.description = description;
  e.knowledgeItem = knowledgeItem;
  e.sendToOrvel = sendToOrvel;
  int v = 0;
  for (const VariationRow& row : variations) {
    e.variationDescriptions[v] = row.title;
    e.detailStrings[v] = row.detail;
    e.numIntValues[v] = row.counts[0];
    e.numRealValues[v] = row.counts[1];
    e.numStringValues[v] = row.counts[2];
    e.numNodeLabels[v] = row.counts[3];
    e.numElementLabels[v] = row.counts[4];
    e.intDescriptions[v] = row.columns[0];
    e.realDescriptions[v] = row.columns[1];
    e.stringDescriptions[v] = row.columns[2];
    e.nodeDescriptions[v] = row.columns[3];
    e.elementDescriptions[v] = row.columns[4];
    e.defaultFormats[v] = row.format;
    ++v;
  }
  return e;
}

}  // namespace dia_catalog
