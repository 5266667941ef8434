// ZunBasUtlNumFormat: renders real numbers as text for messages and table cells.
//
// Kind 1 (general) gives the shortest of fixed or exponent notation with the set number of
// significant digits, like "%.6G": 0.5 -> "0.5", 1e-7 -> "1E-07". Kind 0 (exponent) gives a
// right-justified exponent form, like "%13.6E" for 6 digits: the field is digits + 7 characters
// wide, so a value with a two-digit exponent (sign included) fills it exactly and any double fits
// a 16-character column; leading blanks are kept. The digit count defaults to 6 and is clamped to
// 1..17. A value object; independent instances may be used from different threads.
#pragma once

#include <string>

class ZunBasUtlNumFormat {
 public:
  enum Kind { Exponent = 0, General = 1 };

  // Raises nex_PrimException for an unknown kind.
  explicit ZunBasUtlNumFormat(int kind);

  void SetFormat(int kind);
  void SetDigits(int n);
  int GetFormat() const { return m_kind; }
  int GetDigits() const { return m_digits; }

  std::string Format(double value) const;

 private:
  int m_kind;
  int m_digits = 6;
};
