#include "schema/OldLayout.h"

namespace schema_detail {

cls_ClassMetadata& DeclareLayout(cls_ClassRegistrar& registrar, const char* className,
                                 std::uint32_t typeId, int version,
                                 std::initializer_list<OldField> fields, std::uint32_t baseTypeId) {
  cls_ClassMetadata& metadata =
      registrar.CreateClassMD(className, typeId, version, nullptr, baseTypeId);
  AddFields(metadata, fields, 0);
  return metadata;
}

void AddFields(cls_ClassMetadata& metadata, std::initializer_list<OldField> fields,
               int firstIndex) {
  int index = firstIndex;
  for (const OldField& f : fields)
    metadata.AddAttribute(cls_FieldHandle(f.name, index++), f.kind.attributeType, f.kind.typeId,
                          f.kind.collectionType);
}

void MapText(const dbc_Row& stored, dbc_Row& converted, const char* field,
             std::initializer_list<TextMapping> mappings) {
  const cow_String text = stored.GetText(field);
  const char* written = "";
  for (const TextMapping& m : mappings)
    if (text == m.stored) {
      written = m.written;
      break;
    }
  converted.SetText(field, written);
}

void BindRowFunction(dbc_DatabaseConverter& converter, int level, const char* className,
                     std::uint32_t typeId, int fromVersion, dbc_ConversionFn fn) {
  converter.GetConverter(level).Upgrade(className, typeId, fromVersion).BindConversionFunction(fn);
}

void DeleteRemovedClass(dbc_DatabaseConverter& converter, const char* className,
                        std::uint32_t typeId) {
  converter.GetClassesToDelete().push_front(typeId);
  converter.StoredClassRegistrar().DeleteClass(className, typeId);
  converter.CurrentClassRegistrar().DeleteClass(className, typeId);
}

}  // namespace schema_detail
