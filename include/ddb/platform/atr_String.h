// atr_String: a translatable message. Its format text is also its translation key; arguments are
// substituted in order for "%d" and "%s" ("%%" yields "%"). Translation is the identity unless a
// host installs a translator. Values are immutable once built; the translator hook is a process
// setting for start-up.
#pragma once

#include <string>
#include <vector>

#include "ddb/platform/cow_String.h"

class atr_String {
 public:
  using Translator = std::string (*)(const std::string& key);

  atr_String() = default;
  atr_String(const char* format) : m_key(format ? format : "") {}
  atr_String(std::string format) : m_key(std::move(format)) {}

  template <class... Args>
  static atr_String Format(const char* format, const Args&... args) {
    atr_String s(format);
    (s.m_args.push_back(ToArg(args)), ...);
    return s;
  }

  const std::string& Key() const { return m_key; }
  // The translated format with the arguments substituted.
  std::string Text() const;

  static void SetTranslator(Translator translator);

 private:
  static std::string ToArg(int v) { return std::to_string(v); }
  static std::string ToArg(unsigned v) { return std::to_string(v); }
  static std::string ToArg(long v) { return std::to_string(v); }
  static std::string ToArg(long long v) { return std::to_string(v); }
  static std::string ToArg(unsigned long v) { return std::to_string(v); }
  static std::string ToArg(const char* v) { return v ? v : ""; }
  static std::string ToArg(const std::string& v) { return v; }
  static std::string ToArg(const cow_String& v) { return v.str(); }

  std::string m_key;
  std::vector<std::string> m_args;
};
