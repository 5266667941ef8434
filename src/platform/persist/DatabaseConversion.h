// Converting a whole file of older layouts into a database of the current ones.
//
// The output receives, first, everything that needs no conversion as it is stored: the inner
// database's marks, lists, maps, arrays, and the tables of classes stored at their current
// layout or unknown to this process (classes of other libraries). Then each class stored in an
// older layout gets its current table: every row goes through the row functions of the steps
// from its stored version up, oldest first (a function sees the output through
// dbc_Row::Database(), where it may read other tables and create rows), and is written by
// column name; the fields its steps do not give keep their stored values when the current
// layout has a column of that name, others stay null (read as their defaults); base levels
// that the current layout adds get rows of their own, filled by column name alike. Then the
// table functions of those steps run, in step order. Classes that the registered versions
// delete (ClassesToDelete) are not carried over: their objects live on as their base parts
// where those remain, and leave the lists that held them otherwise. The whole output is
// written in one transaction; the input is only read.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/persist/Store.h"

namespace rom_detail {

// Called with the number of stored rows done and the total, now and then and at the end.
using ConversionProgress = std::function<void(std::int64_t done, std::int64_t total)>;

// True when a class of the file is stored in a layout older than the one its registrar
// declares. Raises when one is stored in a newer layout than this release knows.
bool NeedsConversion(Store& input);

// Converts `input` into `output`, a new file just initialised (InitializeNew, OpenDatabase)
// with the same registrar. The output is left in rollback-journal mode, fully written.
void ConvertDatabase(Store& input, Store& output, const ConversionProgress& progress);

}  // namespace rom_detail
