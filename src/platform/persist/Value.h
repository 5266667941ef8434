// A value of a stored row's column, as rows are built and read by the store.
#pragma once

#include <cstdint>
#include <string>

namespace rom_detail {

struct Value {
  enum Kind : unsigned char { Null, Int, Real, Text };
  Kind kind = Null;
  std::int64_t i = 0;
  double d = 0;
  std::string s;
  // A Text value whose bytes are stored as a BLOB (an inline list or array, see PendingRow).
  bool blob = false;
};

// A stored value as the text a conversion compares and writes ("%.17g" for reals, "" for NULL).
std::string AsText(const Value& v);

}  // namespace rom_detail
