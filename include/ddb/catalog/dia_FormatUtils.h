// dia_FormatUtils: the two specifier languages of the catalog.
//
// A column format ("%N0%R0%S0%S1") lists which values a printed table shows: "%", a kind letter
// (I integer, R real, S string, N node label, E element label) and a zero-based decimal index,
// with nothing between specifiers. A message template is free text where "%" plus a kind letter
// stands for the next value of that kind. Column-title lists are "."-separated pieces. All
// operations are static and stateless; malformed input never raises. Thread-safe.
#pragma once

#include "ddb/platform/cow_List.h"
#include "ddb/platform/cow_String.h"

class dia_FormatUtils {
 public:
  static bool ValidateFormatString(const cow_String& format);
  // The kind letters of a valid format in order; empty for an invalid one.
  static cow_String GetTypeSpecifiers(const cow_String& format);
  // The indexes of a valid format in order; empty for an invalid one.
  static cow_List<int> GetArrayIndexes(const cow_String& format);
  // "a..b" gives a, "" and b; a single trailing "." adds no empty last piece.
  static cow_List<cow_String> ParseDotDelimitedString(const cow_String& text);
  // Fills the template with one occurrence's values, or returns the template unchanged when the
  // number of values of any kind differs from the number of its specifiers.
  static cow_String Substitute(
      const cow_String& format, const cow_List<int>& intValues, const cow_List<double>& realValues,
      const cow_List<cow_String>& stringValues, const cow_List<int>& elementLabels,
      const cow_List<cow_String>& elementInstanceNames, const cow_List<int>& nodeLabels,
      const cow_List<cow_String>& nodeInstanceNames, bool withInstanceNames);
};
