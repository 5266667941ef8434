#include "platform/persist/Checksum.h"

#include <algorithm>
#include <cstring>

#define XXH_INLINE_ALL
#include <xxhash.h>

#include "platform/persist/Store.h"

namespace rom_detail {

namespace {

// The encoding buffer is reused: checksums are taken for every row written and read. It is
// never destroyed, since a process that exits without closing its database stores it while
// thread-local and static objects are being destroyed.
std::string& Buffer() {
  thread_local std::string* buffer = new std::string;
  return *buffer;
}

}  // namespace

void Checksum::Enlarge(std::size_t n) {
  m_bytes.resize(std::max(2 * m_bytes.size(), m_size + n + 256));
}

Checksum::Checksum(std::uint64_t seed) : m_seed(seed), m_bytes(Buffer()) {}

Checksum& Checksum::Add(const Value& value) {
  switch (value.kind) {
    case Value::Int:
      PutWord('i', &value.i);
      break;
    case Value::Real:
      PutWord('r', &value.d);
      break;
    case Value::Text:
      Add(value.s);
      break;
    default:
      *Grow(1) = 'n';
  }
  return *this;
}

Checksum& Checksum::Add(std::int64_t value) {
  PutWord('i', &value);
  return *this;
}

Checksum& Checksum::Add(const std::string& text) {
  return Add(text.data(), text.size());
}

Checksum& Checksum::Add(const char* bytes, std::size_t size) {
  const std::uint32_t n = static_cast<std::uint32_t>(size);
  char* at = Grow(5 + size);
  at[0] = 't';
  std::memcpy(at + 1, &n, 4);
  if (size > 0) std::memcpy(at + 5, bytes, size);
  return *this;
}

std::int64_t Checksum::Sum() const {
  return static_cast<std::int64_t>(XXH3_64bits_withSeed(m_bytes.data(), m_size, m_seed) &
                                   0xffffffffu);
}

}  // namespace rom_detail
