#include "ddb/platform/cls_ArrayPrim.h"

#include <cstring>

#include "ddb/platform/nex_Exception.h"
#include "platform/persist/Store.h"

// Arrays are stored little-endian: 4 bytes per int, 8 per double, and per string a 4-byte
// length followed by its bytes.
namespace cls_ArrayCodec {

namespace {

template <class T>
void Put(std::string& bytes, T value) {
  char raw[sizeof(T)];
  std::memcpy(raw, &value, sizeof(T));
  bytes.append(raw, sizeof(T));
}

template <class T>
T Take(const std::string& bytes, std::size_t& at) {
  if (at + sizeof(T) > bytes.size())
    DDB_THROW(nex_PrimException, "a stored array is damaged: it ends inside a value");
  T value;
  std::memcpy(&value, bytes.data() + at, sizeof(T));
  at += sizeof(T);
  return value;
}

template <class T>
void DecodeFixed(const std::string& bytes, cow_List<T>& values) {
  if (bytes.size() % sizeof(T) != 0)
    DDB_THROW(nex_PrimException, "a stored array is damaged: its length is %d bytes",
              static_cast<long>(bytes.size()));
  values.Clear();
  values.Presize(static_cast<int>(bytes.size() / sizeof(T)));
  std::size_t at = 0;
  while (at < bytes.size()) values.Append(Take<T>(bytes, at));
}

}  // namespace

int CollectionOf(const int*) {
  return cls_CollInts;
}
int CollectionOf(const double*) {
  return cls_CollDoubles;
}
int CollectionOf(const cow_String*) {
  return cls_CollStrings;
}

void Encode(const cow_List<int>& values, std::string& bytes) {
  bytes.resize(values.size() * sizeof(int));
  if (!values.empty()) std::memcpy(&bytes[0], values.vector().data(), bytes.size());
}

void Encode(const cow_List<double>& values, std::string& bytes) {
  bytes.resize(values.size() * sizeof(double));
  if (!values.empty()) std::memcpy(&bytes[0], values.vector().data(), bytes.size());
}

void Encode(const cow_List<cow_String>& values, std::string& bytes) {
  bytes.clear();
  for (const cow_String& s : values) {
    Put<std::uint32_t>(bytes, static_cast<std::uint32_t>(s.size()));
    bytes += s.str();
  }
}

void Decode(const std::string& bytes, cow_List<int>& values) {
  DecodeFixed(bytes, values);
}

void Decode(const std::string& bytes, cow_List<double>& values) {
  DecodeFixed(bytes, values);
}

void Decode(const std::string& bytes, cow_List<cow_String>& values) {
  values.Clear();
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::uint32_t n = Take<std::uint32_t>(bytes, at);
    if (at + n > bytes.size())
      DDB_THROW(nex_PrimException, "a stored array is damaged: a string runs past its end");
    values.Append(cow_String(bytes.data() + at, n));
    at += n;
  }
}

void Rewrite(rom_detail::Store& store, cls_Uid uid, int collectionType, int count,
             const std::string& bytes) {
  store.BeginScope();
  try {
    store.WriteArray(uid.Value(), collectionType, count, bytes);
  } catch (...) {
    store.EndScope(false);
    throw;
  }
  store.EndScope(true);
}

}  // namespace cls_ArrayCodec
