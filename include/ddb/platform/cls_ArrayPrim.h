// Primitive arrays: persistent lists of ints, doubles or strings stored compactly (one BLOB
// per array, see doc/ddb-format.md) under an identity of their own.
//
// cls_ArrayPrim<T> is a value type holding a cow_List<T>, its cls_Uid and a state value
// (0 in memory only, 1 attached to a file). Copies share nothing but the identity. Once
// written or read it remembers its store, so Flush() can rewrite it in place. One thread at a
// time.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_List.h"
#include "ddb/platform/cow_String.h"

namespace cls_ArrayCodec {
int CollectionOf(const int*);
int CollectionOf(const double*);
int CollectionOf(const cow_String*);
void Encode(const cow_List<int>& values, std::string& bytes);
void Encode(const cow_List<double>& values, std::string& bytes);
void Encode(const cow_List<cow_String>& values, std::string& bytes);
// Raise nex_PrimException on a malformed array.
void Decode(const std::string& bytes, cow_List<int>& values);
void Decode(const std::string& bytes, cow_List<double>& values);
void Decode(const std::string& bytes, cow_List<cow_String>& values);
// Rewrites the stored array `uid` in its own transaction.
void Rewrite(rom_detail::Store& store, cls_Uid uid, int collectionType, int count,
             const std::string& bytes);
}  // namespace cls_ArrayCodec

template <class T>
class cls_ArrayPrim {
 public:
  static std::uint32_t TypeId() { return cls_PrimArrayTypeId; }
  static int CollectionType() { return cls_ArrayCodec::CollectionOf(static_cast<T*>(nullptr)); }

  cls_ArrayPrim() : m_uid(cls_Uid::AllocateUid()) {}
  explicit cls_ArrayPrim(cow_List<T> values)
      : m_values(std::move(values)), m_uid(cls_Uid::AllocateUid()) {}
  explicit cls_ArrayPrim(const cls_ReadVisitor& reader) : m_uid(reader.GetUid()) {
    int collection = 0;
    std::string bytes;
    if (reader.ReadArray(collection, bytes)) {
      if (collection != CollectionType())
        reader.Damaged("array " + std::to_string(reader.Oid()) + " holds values of another type");
      cls_ArrayCodec::Decode(bytes, m_values);
      if (!reader.IsInline()) m_store = reader.StoreRef();
      m_state = 1;
    }
    if (m_uid.IsNull()) m_uid = cls_Uid::AllocateUid();
  }

  const cow_List<T>& Values() const { return m_values; }
  cow_List<T>& Values() { return m_values; }
  void SetValues(cow_List<T> values) { m_values = std::move(values); }
  int Length() const { return m_values.Length(); }
  cls_Uid Uid() const { return m_uid; }
  int State() const { return m_state; }

  void DBWrite(const cls_WriteVisitor& writer) const {
    if (!writer.StartWrite(TypeId(), m_uid)) return;
    m_state = 1;
    // An empty array stored in its owner's row is rewritten with that row only.
    if (m_values.empty() && writer.StoreEmptyArray()) {
      m_store.reset();
      return;
    }
    std::string bytes;
    cls_ArrayCodec::Encode(m_values, bytes);
    writer.WriteArray(CollectionType(), m_values.Length(), bytes);
    m_store = writer.StoreRef();
    m_state = 1;
  }
  // Rewrites the stored array; nothing when it was never written or read, or is stored in its
  // owner's row (empty).
  void Flush() const {
    if (!m_store) return;
    std::string bytes;
    cls_ArrayCodec::Encode(m_values, bytes);
    cls_ArrayCodec::Rewrite(*m_store, m_uid, CollectionType(), m_values.Length(), bytes);
  }

 private:
  cow_List<T> m_values;
  cls_Uid m_uid;
  mutable int m_state = 0;
  mutable std::shared_ptr<rom_detail::Store> m_store;
};

using cls_xp1DArrayListInt = cls_ArrayPrim<int>;
using cls_xp1DArrayListDouble = cls_ArrayPrim<double>;
using cls_xp1DArrayListString = cls_ArrayPrim<cow_String>;
