#include "ddb/catalog/dia_FormatUtils.h"

#include <cstdlib>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "platform/ZunBasUtlNumFormat.h"

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsFormatKind(char c) {
  return c == 'R' || c == 'S' || c == 'I' || c == 'E' || c == 'N';
}

constexpr std::size_t kMaxSpecifiers = 23;

// The index after position p; false when it does not fit an int.
bool ParseIndex(const std::string& text, std::size_t& p, int& index) {
  long long value = 0;
  for (; p < text.size() && IsDigit(text[p]); ++p) {
    value = value * 10 + (text[p] - '0');
    if (value > std::numeric_limits<int>::max()) return false;
  }
  index = static_cast<int>(value);
  return true;
}

// The specifiers of a valid format (position, index); empty when the format is invalid: a
// malformed specifier, more than 23 of them, or an index beyond the int range.
std::vector<std::pair<std::size_t, int>> Specifiers(const std::string& text) {
  std::vector<std::pair<std::size_t, int>> specifiers;
  std::size_t p = 0;
  if (text.size() < 3) return {};
  while (true) {
    if (text.size() - p < 3 || text[p] != '%' || !IsFormatKind(text[p + 1]) ||
        !IsDigit(text[p + 2]) || specifiers.size() == kMaxSpecifiers)
      return {};
    std::size_t q = p + 2;
    int index = 0;
    if (!ParseIndex(text, q, index)) return {};
    specifiers.emplace_back(p, index);
    if (q == text.size()) return specifiers;
    if (text[q] != '%') return {};
    p = q;
  }
}

struct Values {
  const cow_List<int>& ints;
  const cow_List<double>& reals;
  const cow_List<cow_String>& strings;
  const cow_List<int>& elementLabels;
  const cow_List<cow_String>& elementNames;
  const cow_List<int>& nodeLabels;
  const cow_List<cow_String>& nodeNames;
  bool withInstanceNames;
};

// The template's specifier positions: a "%" followed by a kind letter.
std::vector<std::size_t> TemplateSpecifiers(const std::string& text) {
  std::vector<std::size_t> positions;
  for (std::size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == '%' && IsFormatKind(text[i + 1])) positions.push_back(i++);
  return positions;
}

bool CountsFit(const std::string& text, const std::vector<std::size_t>& specifiers,
               const Values& v) {
  auto count = [&](char kind) {
    int n = 0;
    for (std::size_t p : specifiers) n += text[p + 1] == kind;
    return n;
  };
  return v.ints.Length() == count('I') && v.reals.Length() == count('R') &&
         v.strings.Length() == count('S') && v.nodeLabels.Length() == count('N') &&
         v.nodeNames.Length() == count('N') && v.elementLabels.Length() == count('E') &&
         v.elementNames.Length() == count('E');
}

std::string RenderReal(double value) {
  ZunBasUtlNumFormat format(1);
  format.SetDigits(6);
  const std::string text = format.Format(value);
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : text.substr(first);
}

std::string RenderLabel(int label, const cow_String& instance, bool withInstanceNames) {
  if (!withInstanceNames) return std::to_string(label);
  return instance.str() + "." + std::to_string(label);
}

struct Cursor {
  int i = 0, r = 0, s = 0, n = 0, e = 0;
};

std::string RenderValue(char kind, const Values& v, Cursor& at) {
  switch (kind) {
    case 'I':
      return std::to_string(v.ints[at.i++]);
    case 'R':
      return RenderReal(v.reals[at.r++]);
    case 'S':
      return v.strings[at.s++].str();
    case 'N': {
      const int k = at.n++;
      return RenderLabel(v.nodeLabels[k], v.nodeNames[k], v.withInstanceNames);
    }
    default: {
      const int k = at.e++;
      return RenderLabel(v.elementLabels[k], v.elementNames[k], v.withInstanceNames);
    }
  }
}

}  // namespace

bool dia_FormatUtils::ValidateFormatString(const cow_String& format) {
  return !Specifiers(format.str()).empty();
}

cow_String dia_FormatUtils::GetTypeSpecifiers(const cow_String& format) {
  std::string letters;
  for (const auto& specifier : Specifiers(format.str()))
    letters += format.str()[specifier.first + 1];
  return cow_String(letters);
}

cow_List<int> dia_FormatUtils::GetArrayIndexes(const cow_String& format) {
  cow_List<int> indexes;
  for (const auto& specifier : Specifiers(format.str())) indexes.Append(specifier.second);
  return indexes;
}

cow_List<cow_String> dia_FormatUtils::ParseDotDelimitedString(const cow_String& text) {
  const std::string& s = text.str();
  cow_List<cow_String> pieces;
  std::size_t start = 0;
  while (start < s.size()) {
    std::size_t dot = s.find('.', start);
    if (dot == std::string::npos) dot = s.size();
    pieces.Append(cow_String(s.substr(start, dot - start)));
    start = dot + 1;
  }
  return pieces;
}

cow_String dia_FormatUtils::Substitute(
    const cow_String& format, const cow_List<int>& intValues, const cow_List<double>& realValues,
    const cow_List<cow_String>& stringValues, const cow_List<int>& elementLabels,
    const cow_List<cow_String>& elementInstanceNames, const cow_List<int>& nodeLabels,
    const cow_List<cow_String>& nodeInstanceNames, bool withInstanceNames) {
  const std::string& text = format.str();
  const Values values{intValues,         realValues,           stringValues,
                      elementLabels,     elementInstanceNames, nodeLabels,
                      nodeInstanceNames, withInstanceNames};
  const std::vector<std::size_t> specifiers = TemplateSpecifiers(text);
  if (!CountsFit(text, specifiers, values)) return format;
  std::string result;
  Cursor at;
  std::size_t copied = 0;
  for (std::size_t p : specifiers) {
    result.append(text, copied, p - copied);
    result += RenderValue(text[p + 1], values, at);
    copied = p + 2;
  }
  result.append(text, copied, std::string::npos);
  return cow_String(result);
}
