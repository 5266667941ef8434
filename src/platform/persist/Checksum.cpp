#include "platform/persist/Checksum.h"

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

void PutWord(std::string& bytes, char tag, const void* word) {
  char raw[9];
  raw[0] = tag;
  std::memcpy(raw + 1, word, 8);
  bytes.append(raw, 9);
}

}  // namespace

Checksum::Checksum(std::uint64_t seed) : m_seed(seed), m_bytes(Buffer()) {
  m_bytes.clear();
}

Checksum& Checksum::Add(const Value& value) {
  switch (value.kind) {
    case Value::Int:
      PutWord(m_bytes, 'i', &value.i);
      break;
    case Value::Real:
      PutWord(m_bytes, 'r', &value.d);
      break;
    case Value::Text:
      Add(value.s);
      break;
    default:
      m_bytes += 'n';
  }
  return *this;
}

Checksum& Checksum::Add(std::int64_t value) {
  PutWord(m_bytes, 'i', &value);
  return *this;
}

Checksum& Checksum::Add(const std::string& text) {
  return Add(text.data(), text.size());
}

Checksum& Checksum::Add(const char* bytes, std::size_t size) {
  std::uint32_t n = static_cast<std::uint32_t>(size);
  char raw[5];
  raw[0] = 't';
  std::memcpy(raw + 1, &n, 4);
  m_bytes.append(raw, 5);
  m_bytes.append(bytes, size);
  return *this;
}

std::int64_t Checksum::Sum() const {
  return static_cast<std::int64_t>(XXH3_64bits_withSeed(m_bytes.data(), m_bytes.size(), m_seed) &
                                   0xffffffffu);
}

}  // namespace rom_detail
