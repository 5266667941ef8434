// Building blocks of the version classes of src/schema/: the call that declares one older layout,
// and the text mapping of the enumeration conversions. Stateless; the functions only touch the
// registrar or rows they are given.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "ddb/platform/cls_ClassRegistrar.h"
#include "frame/cls_Layout.h"
#include "platform/persist/dbc_OldClassRegistrar.h"

namespace schema_detail {

// The kinds of stored fields are the current layouts' own (frame/cls_Layout.h): an older layout
// declares a field as the current one does, only without a member.
using FieldKind = cls_FieldKind;
using namespace cls_kind;

struct OldField {
  const char* name;
  FieldKind kind;
};

// Declares `className` at `version` with no reader constructor and the fields in order, each
// handle carrying its position in this layout.
cls_ClassMetadata& DeclareLayout(cls_ClassRegistrar& registrar, const char* className,
                                 std::uint32_t typeId, int version,
                                 std::initializer_list<OldField> fields,
                                 std::uint32_t baseTypeId = cls_NoBaseTypeId);
void AddFields(cls_ClassMetadata& metadata, std::initializer_list<OldField> fields, int firstIndex);

struct TextMapping {
  const char* stored;
  const char* written;
};

// Writes into `field` of the converted row the text mapped from the stored row's text by exact,
// case-sensitive comparison of the whole text; a text that no mapping names becomes empty.
void MapText(const dbc_Row& stored, dbc_Row& converted, const char* field,
             std::initializer_list<TextMapping> mappings);

// Binds `fn` as the row function of the step (level, className, fromVersion).
void BindRowFunction(dbc_DatabaseConverter& converter, int level, const char* className,
                     std::uint32_t typeId, int fromVersion, dbc_ConversionFn fn);

// Marks a class that no longer exists: its type id goes first in the converter's list of
// classes to delete, and both of the converter's registrars forget it.
void DeleteRemovedClass(dbc_DatabaseConverter& converter, const char* className,
                        std::uint32_t typeId);

// Layouts that a removed class shares with the class that took its place under a new name:
// the field criteria (312 fields, and the three checks that 318 adds) live on in the residual,
// the constraint criteria in the compatibility error. Defined with the removed classes.
cls_ClassMetadata& DeclareFieldCriteriaLayout(cls_ClassRegistrar& registrar, const char* className,
                                              std::uint32_t typeId, int version);
void AddCorrectionChecks(cls_ClassMetadata& metadata);
cls_ClassMetadata& DeclareConstraintCriteriaLayout(cls_ClassRegistrar& registrar,
                                                   const char* className, std::uint32_t typeId,
                                                   int version);

}  // namespace schema_detail
