#include "platform/ZunBasUtlUrlParser.h"

#include <cctype>
#include <string>

namespace {

bool IsAlpha(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool IsSchemeChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '+' || c == '-' || c == '.';
}

bool HasScheme(const std::string& s) {
  const std::size_t sep = s.find("://");
  if (sep == std::string::npos || sep < 2 || sep + 3 >= s.size() || !IsAlpha(s[0])) return false;
  for (std::size_t i = 1; i < sep; ++i)
    if (!IsSchemeChar(s[i])) return false;
  return true;
}

// Two leading separators, a server name, a separator and a non-empty share name.
bool IsShareName(const std::string& s) {
  auto isSep = [](char c) { return c == '\\' || c == '/'; };
  if (s.size() < 5 || !isSep(s[0]) || s[1] != s[0]) return false;
  std::size_t i = 2;
  while (i < s.size() && !isSep(s[i])) ++i;
  return i > 2 && i + 1 < s.size() && !isSep(s[i + 1]);
}

}  // namespace

bool ZunBasUtlUrlParser::IsUrl(const cow_String& name) {
  return HasScheme(name.str()) || IsShareName(name.str());
}
