#include "platform/ZunBasUtlNumFormat.h"

#include <algorithm>
#include <cstdio>

#include "ddb/platform/nex_Exception.h"

namespace {

int CheckedKind(int kind) {
  if (kind != ZunBasUtlNumFormat::Exponent && kind != ZunBasUtlNumFormat::General)
    DDB_THROW(nex_PrimException, "ZunBasUtlNumFormat: unknown format kind %d", kind);
  return kind;
}

}  // namespace

ZunBasUtlNumFormat::ZunBasUtlNumFormat(int kind) : m_kind(CheckedKind(kind)) {}

void ZunBasUtlNumFormat::SetFormat(int kind) {
  m_kind = CheckedKind(kind);
}

void ZunBasUtlNumFormat::SetDigits(int n) {
  m_digits = std::clamp(n, 1, 17);
}

std::string ZunBasUtlNumFormat::Format(double value) const {
  char buffer[64];
  if (m_kind == General)
    std::snprintf(buffer, sizeof buffer, "%.*G", m_digits, value);
  else
    std::snprintf(buffer, sizeof buffer, "%*.*E", m_digits + 7, m_digits, value);
  return buffer;
}
