// Helpers shared by the diagnostics records' persistence code.
//
// dia_Field names a persisted field by name and declaration index as constant data: the library
// registers its classes from a load-time constructor, before dynamically initialised statics
// exist, so field handles are built where they are used. The enumeration helpers convert a
// record's plain enumeration value to and from its canonical string at the persistence boundary;
// the wrapper raises for a value or string outside the table.
#pragma once

#include "ddb/diagnostics/omu_PrimEnum.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/rom_Transporter.h"

struct dia_Field {
  const char* name;
  int index;
  operator cls_FieldHandle() const { return cls_FieldHandle(name, index); }
};

template <class E>
void dia_WriteEnum(const cls_WriteVisitor& writer, const dia_Field& field, E value) {
  writer.Memento().WriteString(field, omu_PrimEnum<E, 1>(value).AsString(0));
}

// A stored object that lacks the field (an older layout, or a display text that a conversion
// did not know) reads the first value of the enumeration.
template <class E>
E dia_ReadEnum(const cls_ReadVisitor& reader, const dia_Field& field) {
  if (!reader.DataIsPresent(field)) return omu_PrimEnum<E, 1>::Value(0);
  return omu_PrimEnum<E, 1>(reader.ReadString(field, "")).GetValue();
}
