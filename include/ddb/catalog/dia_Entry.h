// dia_Entry and dia_EntryTable: the compiled-in rows of the diagnostic catalogs.
//
// A dia_Entry describes one diagnostic type code: its titles, per-variation message templates,
// value counts, column titles and default column formats. Slot v of every 12-slot array belongs
// to variation v; only slots below numVariations are meaningful. Text pointers point to static
// zero-terminated text; a null pointer is an absent text and reads as the empty string. The rows
// are immutable constant data shared by all threads; a dia_EntryTable only points at them.
#pragma once

#include <cstdint>

constexpr int dia_MaxVariations = 12;

struct dia_Entry {
  std::uint32_t code;
  std::int32_t numVariations;
  const char* description;
  const char* variationDescriptions[dia_MaxVariations];
  const char* detailStrings[dia_MaxVariations];
  const char* knowledgeItem;
  std::int32_t numIntValues[dia_MaxVariations];
  std::int32_t numRealValues[dia_MaxVariations];
  std::int32_t numStringValues[dia_MaxVariations];
  const char* intDescriptions[dia_MaxVariations];
  const char* realDescriptions[dia_MaxVariations];
  const char* stringDescriptions[dia_MaxVariations];
  std::int32_t numNodeLabels[dia_MaxVariations];
  std::int32_t numElementLabels[dia_MaxVariations];
  const char* nodeDescriptions[dia_MaxVariations];
  const char* elementDescriptions[dia_MaxVariations];
  const char* defaultFormats[dia_MaxVariations];
  bool sendToOrvel;
};

struct dia_EntryTable {
  constexpr dia_EntryTable(const dia_Entry* first, std::int32_t rows)
      : entries(first), count(rows) {}

  const dia_Entry* entries;
  std::int32_t count;
};

// The three row tables, in table order.
dia_EntryTable dia_ContactEntryTable();
dia_EntryTable dia_ElementEntryTable();
dia_EntryTable dia_WarningErrorEntryTable();
