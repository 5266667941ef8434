// Checksums of stored rows: the low 32 bits of XXH3 over a canonical encoding of a row's values,
// seeded with what the row belongs to (a class id, or the id of a framework table). Values are
// added in column order; each is encoded with a tag, so that moving bytes between neighbouring
// values changes the sum. One thread at a time per object.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "platform/persist/Value.h"

namespace rom_detail {

class Checksum {
 public:
  explicit Checksum(std::uint64_t seed);
  // Every row's every value goes through here: inline.
  Checksum& Add(const Value& value) {
    switch (value.kind) {
      case Value::Int:
        PutWord('i', &value.i);
        break;
      case Value::Real:
        PutWord('r', &value.d);
        break;
      case Value::Text:
        Add(value.s.data(), value.s.size());
        break;
      default:
        *Grow(1) = 'n';
    }
    return *this;
  }
  Checksum& Add(std::int64_t value) {
    PutWord('i', &value);
    return *this;
  }
  Checksum& Add(const std::string& text) { return Add(text.data(), text.size()); }
  Checksum& Add(const char* bytes, std::size_t size) {
    const std::uint32_t n = static_cast<std::uint32_t>(size);
    char* at = Grow(5 + size);
    at[0] = 't';
    std::memcpy(at + 1, &n, 4);
    if (size > 0) std::memcpy(at + 5, bytes, size);
    return *this;
  }
  // The sum, as stored: a non-negative integer below 2^32.
  std::int64_t Sum() const;

 private:
  // Room for n more bytes at the end of the encoding.
  char* Grow(std::size_t n) {
    if (m_size + n > m_capacity) Enlarge(n);
    char* at = m_data + m_size;
    m_size += n;
    return at;
  }
  void Enlarge(std::size_t n);
  void PutWord(char tag, const void* word) {
    char* at = Grow(9);
    at[0] = tag;
    std::memcpy(at + 1, word, 8);
  }

  std::uint64_t m_seed;
  // A buffer reused from sum to sum; the encoding is its first m_size bytes. m_data and
  // m_capacity are its bytes and size, as of the last Enlarge.
  std::string& m_bytes;
  char* m_data;
  std::size_t m_capacity;
  std::size_t m_size = 0;
};

// Seeds of the framework's tables (class rows use their class id).
constexpr std::uint64_t kCatalogSeed = 0x230000;
constexpr std::uint64_t kArraySeed = 0x230001;
constexpr std::uint64_t kListSeed = 0x230002;
constexpr std::uint64_t kMapSeed = 0x230003;
constexpr std::uint64_t kLengthSeed = 0x230004;
constexpr std::uint64_t kArrayPageSeed = 0x230005;

}  // namespace rom_detail
