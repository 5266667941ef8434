// cow_String: the text type of every record and catalog entry.
//
// A value type over std::string. Ordering is byte-wise, or "natural" (runs of digits compared as
// numbers, so "step2" < "step10") while the process-wide natural-order switch is on. Equality is
// always byte-wise. Not thread-safe beyond what std::string is; the switch is a process setting
// meant to be changed at start-up only.
#pragma once

#include <cstddef>
#include <string>

class cow_String {
 public:
  cow_String() = default;
  cow_String(const char* text) : m_text(text ? text : "") {}
  cow_String(const char* text, std::size_t length) : m_text(text, length) {}
  cow_String(std::string text) : m_text(std::move(text)) {}

  const std::string& str() const { return m_text; }
  const char* c_str() const { return m_text.c_str(); }
  std::size_t size() const { return m_text.size(); }
  int Length() const { return static_cast<int>(m_text.size()); }
  bool empty() const { return m_text.empty(); }
  bool IsEmpty() const { return m_text.empty(); }
  char operator[](std::size_t i) const { return m_text[i]; }
  operator const std::string&() const { return m_text; }

  cow_String& operator+=(const cow_String& other) {
    m_text += other.m_text;
    return *this;
  }
  friend cow_String operator+(cow_String a, const cow_String& b) { return a += b; }

  // Three-way comparison under the current ordering mode.
  static int Compare(const std::string& a, const std::string& b);
  static void SetNaturalOrder(bool on);
  static bool NaturalOrder();

  friend bool operator==(const cow_String& a, const cow_String& b) { return a.m_text == b.m_text; }
  friend bool operator!=(const cow_String& a, const cow_String& b) { return a.m_text != b.m_text; }
  friend bool operator<(const cow_String& a, const cow_String& b) {
    return Compare(a.m_text, b.m_text) < 0;
  }
  friend bool operator>(const cow_String& a, const cow_String& b) { return b < a; }
  friend bool operator<=(const cow_String& a, const cow_String& b) { return !(b < a); }
  friend bool operator>=(const cow_String& a, const cow_String& b) { return !(a < b); }
  friend bool operator==(const cow_String& a, const char* b) { return a.m_text == (b ? b : ""); }
  friend bool operator==(const char* a, const cow_String& b) { return b == a; }
  friend bool operator!=(const cow_String& a, const char* b) { return !(a == b); }
  friend bool operator==(const cow_String& a, const std::string& b) { return a.m_text == b; }
  friend bool operator==(const std::string& a, const cow_String& b) { return b.m_text == a; }
  friend bool operator!=(const cow_String& a, const std::string& b) { return a.m_text != b; }

 private:
  std::string m_text;
};
