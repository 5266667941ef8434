// omu_Primitive: the polymorphic base of the primitive value wrappers, and omu_PrimEnumBase, the
// base of every enumeration wrapper (omu_PrimEnum<E, 1>).
//
// An enumeration wrapper holds the canonical string of its current value here and the object's
// persistence identity; the derived wrapper holds the numeric value and knows the string table.
// Rendering, comparison and the permissible-values text live here so that code holding only an
// omu_PrimEnumBase (or an omu_Primitive) can print, compare and convert any enumeration.
// Value types; not thread-safe.
#pragma once

#include <cstdint>

#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_Map.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

class cls_ReadVisitor;
class omu_PrimEnumBase;

// Double dispatch over the primitive kinds; the default ignores every kind.
class omu_PrimVisitor {
 public:
  virtual ~omu_PrimVisitor() = default;
  virtual void VisitEnum(const omu_PrimEnumBase& value);
};

class omu_Primitive : public mem_AllocationOperators {
 public:
  virtual ~omu_Primitive() = default;

  // The name of the wrapped type ("dia_FieldVariableEnum" for an enumeration wrapper).
  virtual cow_String TypeString() const = 0;
  // The value as text; `precision` matters to numeric kinds only.
  virtual cow_String AsString(int precision = 0) const = 0;
  // Type and value, for diagnostics: "dia_FieldVariableEnum(DISPLACEMENT_FIELD)".
  virtual cow_String AsRepr() const = 0;
  virtual bool operator==(const omu_Primitive& other) const = 0;
  bool operator!=(const omu_Primitive& other) const { return !(*this == other); }
  virtual void Accept(omu_PrimVisitor* visitor) const = 0;
  // A new heap object of the same dynamic type and value; the caller owns it.
  virtual omu_Primitive* Copy() const = 0;
  virtual std::uint32_t DynTypeId() const = 0;

 protected:
  omu_Primitive() = default;
  omu_Primitive(const omu_Primitive&) = default;
  omu_Primitive& operator=(const omu_Primitive&) = default;
};

class omu_PrimEnumBase : public omu_Primitive {
 public:
  // The field under which a stored enumeration object keeps its string.
  static constexpr const char* kStringField = "value";
  // Type identifier reported by every enumeration wrapper.
  static constexpr std::uint32_t kTypeId = 0x230003;

  cow_String TypeString() const override { return "omu_PrimEnum"; }
  cow_String AsString(int precision = 0) const override;
  cow_String AsRepr() const override;
  void Accept(omu_PrimVisitor* visitor) const override;
  std::uint32_t DynTypeId() const override { return kTypeId; }
  // Stores the wrapper as an object of its own (class "omu_PrimEnum") holding the canonical
  // string in "value"; the read constructor of the wrapper reads it back.
  virtual void DBWrite(const cls_WriteVisitor& writer) const;
  // Declares that class; the framework declares it with its own types.
  static void InitializeMetadata(cls_ClassRegistrar& registrar);

  // The canonical string of the current value (empty before a value is set).
  const cow_String& GetString() const { return m_string; }
  const cls_Uid& GetUid() const { return m_uid; }

  // Sets the value whose canonical string is `text` (exact, case-sensitive match); false and
  // unchanged when the table has no such string.
  virtual bool SetValue(const char* text) = 0;
  // Every canonical string of the table with its value.
  virtual cow_Map<cow_String, unsigned> PermissibleValues() const = 0;
  // The permissible strings in key order, separated by ", ".
  cow_String PermissibleValuesAsString() const;

 protected:
  // A new identity and no value yet.
  omu_PrimEnumBase();
  // The stored string (not yet validated) and the stored identity.
  explicit omu_PrimEnumBase(const cls_ReadVisitor& reader);
  omu_PrimEnumBase(const omu_PrimEnumBase&) = default;
  omu_PrimEnumBase& operator=(const omu_PrimEnumBase&) = default;

  // Equal when `other` is a wrapper of the same enumeration holding the same string.
  bool IsEqual(const omu_Primitive& other) const;
  void SetString(const char* text) { m_string = cow_String(text); }

 private:
  cow_String m_string;
  cls_Uid m_uid;
};
