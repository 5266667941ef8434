// omu_PrimEnum<E, 1>: the wrapper that converts an enumeration value to its canonical upper-case
// string and back, validating both ways against the enumeration's string table.
//
// Each enumeration supplies its table as an explicit specialisation of s_table (declared next to
// the enumeration, defined as constant data in the library): rows of (string, value) in a fixed
// order, closed by a row with a null string. Lookups scan from the first row and take the first
// match, so a table may map two strings to one value. Constructors raise nex_CmdException for a
// value or string outside the table; SetValue reports failure by returning false. Records keep
// plain values and use the wrapper only when they persist them. Value type; not thread-safe.
#pragma once

#include <type_traits>

#include "ddb/platform/cow_Map.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/omu_Primitive.h"

struct omu_PrimEnumRow {
  const char* name;
  unsigned value;
};

struct omu_PrimEnumTable {
  const char* typeName;
  const omu_PrimEnumRow* rows;
};

// Only enumerations whose wrappers live in default-constructed containers opt in.
template <class E>
struct omu_PrimEnumIsDefaultConstructible : std::false_type {};

namespace omu_detail {
[[noreturn]] void ThrowValueNotAllowed(int value, const cow_String& permissible);
[[noreturn]] void ThrowStringNotAllowed(const char* format, const cow_String& text,
                                        const cow_String& permissible);
[[noreturn]] void ThrowOtherNotAllowed(const cow_String& text);
const omu_PrimEnumRow* FindValue(const omu_PrimEnumRow* rows, unsigned value);
const omu_PrimEnumRow* FindName(const omu_PrimEnumRow* rows, const char* text);
int CountRows(const omu_PrimEnumRow* rows);
cow_Map<cow_String, unsigned> MapRows(const omu_PrimEnumRow* rows);
}  // namespace omu_detail

// Defines the string table of enumeration E from rows OMU_ROW(NAME), each the enumerator NAME
// under its own name, in lookup order:
//   OMU_PRIM_ENUM_TABLE(dia_EquationEnum, OMU_ROW(FIELD), OMU_ROW(CONSTRAINT))
#define OMU_ROW(name) \
  { #name, static_cast < unsigned>(Enum::name) }
#define OMU_PRIM_ENUM_TABLE(E, ...)                                  \
  namespace omu_rows_##E {                                           \
    using Enum = E;                                                  \
    constexpr omu_PrimEnumRow kRows[] = {__VA_ARGS__, {nullptr, 0}}; \
  }                                                                  \
  template <>                                                        \
  const omu_PrimEnumTable omu_PrimEnum<E, 1>::s_table = {#E, omu_rows_##E::kRows};

template <class E, int N>
class omu_PrimEnum : public omu_PrimEnumBase {
 public:
  static const omu_PrimEnumTable s_table;

  omu_PrimEnum() : m_value() {
    static_assert(omu_PrimEnumIsDefaultConstructible<E>::value,
                  "this enumeration has no default-constructed wrapper");
  }
  omu_PrimEnum(E value) : m_value() {
    if (!SetValue(value))
      omu_detail::ThrowValueNotAllowed(static_cast<int>(value), PermissibleValuesAsString());
  }
  explicit omu_PrimEnum(const cow_String& text) : m_value() {
    if (!SetValue(text.c_str()))
      omu_detail::ThrowStringNotAllowed(
          "omu_PrimEnum(const cow_String&) - str not allowed: %s  Permissible: %s", text,
          PermissibleValuesAsString());
  }
  // Reads the stored string and identity; the string must be one of the table.
  explicit omu_PrimEnum(const cls_ReadVisitor& reader) : omu_PrimEnumBase(reader), m_value() {
    cow_String stored = GetString();
    if (!SetValue(stored.c_str()))
      omu_detail::ThrowStringNotAllowed(
          "omu_PrimEnum(const cls_ReadVisitor&) - str not allowed: %s  Permissible: %s", stored,
          PermissibleValuesAsString());
  }
  // Converts from a wrapper of any enumeration by its string.
  explicit omu_PrimEnum(const omu_PrimEnumBase& other) : m_value() {
    if (!SetValue(other.GetString().c_str())) omu_detail::ThrowOtherNotAllowed(other.GetString());
  }
  omu_PrimEnum(const omu_PrimEnum&) = default;
  omu_PrimEnum& operator=(const omu_PrimEnum&) = default;
  ~omu_PrimEnum() override = default;

  bool SetValue(E value) {
    const omu_PrimEnumRow* row = omu_detail::FindValue(s_table.rows, static_cast<unsigned>(value));
    if (!row) return false;
    Take(*row);
    return true;
  }
  bool SetValue(const char* text) override {
    const omu_PrimEnumRow* row = omu_detail::FindName(s_table.rows, text);
    if (!row) return false;
    Take(*row);
    return true;
  }

  E GetValue() const { return m_value; }
  operator E() const { return m_value; }

  // The row at a zero-based table position; the caller keeps it below NumberOfValues().
  static const char* Name(int position) { return s_table.rows[position].name; }
  static E Value(int position) { return static_cast<E>(s_table.rows[position].value); }
  static int NumberOfValues() { return omu_detail::CountRows(s_table.rows); }
  // The canonical string of a value, or null for a value outside the table. Never raises.
  static const char* NameOf(unsigned value) {
    const omu_PrimEnumRow* row = omu_detail::FindValue(s_table.rows, value);
    return row ? row->name : nullptr;
  }

  cow_Map<cow_String, unsigned> PermissibleValues() const override {
    return omu_detail::MapRows(s_table.rows);
  }
  cow_String TypeString() const override { return s_table.typeName; }
  bool operator==(const omu_Primitive& other) const override { return IsEqual(other); }
  omu_Primitive* Copy() const override { return new omu_PrimEnum(*this); }

 private:
  void Take(const omu_PrimEnumRow& row) {
    m_value = static_cast<E>(row.value);
    SetString(row.name);
  }

  E m_value;
};
