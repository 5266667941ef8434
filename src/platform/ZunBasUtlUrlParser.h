// ZunBasUtlUrlParser: tells network resource names from local file names.
//
// A URL is a scheme of at least two characters (a letter, then letters, digits, '+', '-' or '.')
// followed by "://" and something more, e.g. "http://host/a.ddb" or "file:///tmp/a.ddb"; the
// two-character minimum keeps drive paths such as "C://dir" local. A network share name
// "\\server\share..." (or "//server/share...") also counts. Stateless and thread-safe.
#pragma once

#include "ddb/platform/cow_String.h"

class ZunBasUtlUrlParser {
 public:
  static bool IsUrl(const cow_String& name);
};
