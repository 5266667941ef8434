// Upgrading stored rows of older layouts while they are read.
//
// A file keeps the layout it was written with; reading takes fields by name with defaults,
// which already covers fields that later layouts add, drop or move. What that cannot cover is a
// stored text whose meaning changed (display texts that later releases store as canonical
// enumeration strings): the registered older versions bind row functions for those, and each
// row of an older layout is passed through the functions of every version from its own up,
// oldest first, before its read constructor sees it. The file itself is never rewritten.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/persist/dbc_OldClassRegistrar.h"

namespace rom_detail {

struct LoadedRow;

// The row functions that take a row stored at `storedVersion` of the class to its current
// layout, in the order they apply. Computed once per (class, version) and process.
const std::vector<dbc_ConversionFn>& ConversionsFor(std::uint32_t typeId, int storedVersion);

// Runs the functions on a loaded row, writing changed texts back into its columns.
void ApplyConversions(const std::vector<dbc_ConversionFn>& conversions, LoadedRow& row);

}  // namespace rom_detail
