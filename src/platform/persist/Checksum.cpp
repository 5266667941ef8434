#include "platform/persist/Checksum.h"

#include <algorithm>
#include <cstring>

#define XXH_INLINE_ALL
#include <xxhash.h>

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
  m_data = m_bytes.data();
  m_capacity = m_bytes.size();
}

Checksum::Checksum(std::uint64_t seed)
    : m_seed(seed), m_bytes(Buffer()), m_data(m_bytes.data()), m_capacity(m_bytes.size()) {}

std::int64_t Checksum::Sum() const {
  return static_cast<std::int64_t>(XXH3_64bits_withSeed(m_data, m_size, m_seed) & 0xffffffffu);
}

}  // namespace rom_detail
