// ZunBasI18n: conversions between the process locale's encoding and UTF-8.
//
// The locale encoding is the codeset of the current C locale (nl_langinfo(CODESET)), read at each
// call, so a host's setlocale takes effect at once. When that codeset is UTF-8 both conversions
// are the identity. Text that is not valid in the source encoding, or that the target encoding
// cannot represent, raises nex_PrimException naming the codesets and the byte offset.
//
// Converters are kept in a process-wide cache between Initialize() and Finalize() (done by the
// owning base library); outside that window each call opens its own. Thread-safe: a converter is
// used by one call at a time.
#pragma once

#include <string>

#include "ddb/platform/cow_String.h"

class ZunBasI18n {
 public:
  static cow_String ToUTF8(const cow_String& localeText);
  static cow_String ToLocale(const cow_String& utf8Text);

  // The current locale's codeset name as the C library reports it, e.g. "UTF-8", "ISO-8859-1".
  static std::string LocaleCodeset();
  static bool LocaleIsUTF8();

  // Opens the converter cache; raises nex_PrimException when the C library cannot convert
  // between UTF-8 and the current locale's codeset. Finalize closes every cached converter.
  static void Initialize();
  static void Finalize();
};
