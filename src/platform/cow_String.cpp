#include "ddb/platform/cow_String.h"

#include <atomic>
#include <cctype>

namespace {

std::atomic<bool> g_naturalOrder{false};

bool IsDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Compares the digit runs starting at a[i] and b[j] by numeric value without converting them,
// so runs longer than any integer type still order correctly. Leading zeros are skipped; equal
// values fall back to the byte-wise comparison of the rest.
int CompareDigitRuns(const std::string& a, std::size_t& i, const std::string& b, std::size_t& j) {
  while (i < a.size() && a[i] == '0' && i + 1 < a.size() && IsDigit(a[i + 1])) ++i;
  while (j < b.size() && b[j] == '0' && j + 1 < b.size() && IsDigit(b[j + 1])) ++j;
  std::size_t ei = i, ej = j;
  while (ei < a.size() && IsDigit(a[ei])) ++ei;
  while (ej < b.size() && IsDigit(b[ej])) ++ej;
  if (ei - i != ej - j) return ei - i < ej - j ? -1 : 1;
  int c = a.compare(i, ei - i, b, j, ej - j);
  i = ei;
  j = ej;
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int NaturalCompare(const std::string& a, const std::string& b) {
  std::size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      if (int c = CompareDigitRuns(a, i, b, j)) return c;
      continue;
    }
    unsigned char ca = a[i], cb = b[j];
    if (ca != cb) return ca < cb ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

}  // namespace

int cow_String::Compare(const std::string& a, const std::string& b) {
  if (g_naturalOrder.load(std::memory_order_relaxed)) return NaturalCompare(a, b);
  int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

void cow_String::SetNaturalOrder(bool on) {
  g_naturalOrder = on;
}
bool cow_String::NaturalOrder() {
  return g_naturalOrder;
}
