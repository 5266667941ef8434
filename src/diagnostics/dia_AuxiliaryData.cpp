#include "ddb/diagnostics/dia_AuxiliaryData.h"

#include "ddb/platform/cow_COW.h"
#include "diagnostics/dia_FieldSupport.h"

namespace {

constexpr dia_Field kIntValues{"m_intValues", 0};
constexpr dia_Field kRealValues{"m_realValues", 1};
constexpr dia_Field kStringValues{"m_stringValues", 2};
constexpr dia_Field kElementLabels{"m_elementLabels", 3};
constexpr dia_Field kElementInstanceNames{"m_elementInstanceNames", 4};
constexpr dia_Field kNodeLabels{"m_nodeLabels", 5};
constexpr dia_Field kNodeInstanceNames{"m_nodeInstanceNames", 6};
constexpr dia_Field kVariation{"m_variation", 7};

// Readers rely on an absent array meaning an empty one, so empty arrays are never stored.
template <class T>
void WriteIfAny(const cls_WriteVisitor& writer, const cls_ArrayPrim<T>& array,
                const dia_Field& field) {
  if (array.Values().IsEmpty()) return;
  array.DBWrite(cls_WriteVisitor(writer, field, nullptr, nullptr));
}

template <class T>
void ReadIfPresent(const cls_ReadVisitor& reader, cls_ArrayPrim<T>& array, const dia_Field& field) {
  if (!reader.ObjIsPresent(field.name)) return;
  array = cls_ArrayPrim<T>(cls_ReadVisitor(reader, field));
}

}  // namespace

dia_AuxiliaryData::dia_AuxiliaryData() : m_uid(cls_Uid::AllocateUid()) {}

dia_AuxiliaryData::dia_AuxiliaryData(const cow_List<int>& intValues,
                                     const cow_List<double>& realValues,
                                     const cow_List<cow_String>& stringValues,
                                     const cow_List<int>& elementLabels,
                                     const cow_List<cow_String>& elementInstanceNames,
                                     const cow_List<int>& nodeLabels,
                                     const cow_List<cow_String>& nodeInstanceNames, int variation)
    : m_intValues(intValues),
      m_realValues(realValues),
      m_stringValues(stringValues),
      m_elementLabels(elementLabels),
      m_elementInstanceNames(elementInstanceNames),
      m_nodeLabels(nodeLabels),
      m_nodeInstanceNames(nodeInstanceNames),
      m_variation(variation),
      m_uid(cls_Uid::AllocateUid()) {}

dia_AuxiliaryData::dia_AuxiliaryData(const cls_ReadVisitor& reader)
    : m_variation(reader.ReadInt(kVariation, 0)), m_uid(reader.GetUid()) {
  ReadIfPresent(reader, m_intValues, kIntValues);
  ReadIfPresent(reader, m_realValues, kRealValues);
  ReadIfPresent(reader, m_stringValues, kStringValues);
  ReadIfPresent(reader, m_elementLabels, kElementLabels);
  ReadIfPresent(reader, m_elementInstanceNames, kElementInstanceNames);
  ReadIfPresent(reader, m_nodeLabels, kNodeLabels);
  ReadIfPresent(reader, m_nodeInstanceNames, kNodeInstanceNames);
}

bool dia_AuxiliaryData::HasValues() const {
  return !GetIntValues().IsEmpty() || !GetRealValues().IsEmpty() || !GetStringValues().IsEmpty() ||
         !GetElementLabels().IsEmpty() || !GetNodeLabels().IsEmpty();
}

void dia_AuxiliaryData::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  WriteIfAny(writer, m_intValues, kIntValues);
  WriteIfAny(writer, m_realValues, kRealValues);
  WriteIfAny(writer, m_stringValues, kStringValues);
  WriteIfAny(writer, m_elementLabels, kElementLabels);
  WriteIfAny(writer, m_elementInstanceNames, kElementInstanceNames);
  WriteIfAny(writer, m_nodeLabels, kNodeLabels);
  WriteIfAny(writer, m_nodeInstanceNames, kNodeInstanceNames);
  writer.Memento().WriteInt(kVariation, m_variation);
}

void* dia_AuxiliaryData::Ctor(cls_ReadVisitor& reader) {
  return new dia_AuxiliaryData(reader);
}

void dia_AuxiliaryData::CowDtor(void* cowHandle) {
  cow_COW<dia_AuxiliaryData>::Destroy(static_cast<cow_COW<dia_AuxiliaryData>*>(cowHandle));
}

void dia_AuxiliaryData::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD(TypeName(), TypeId(), 418, &Ctor, cls_NoBaseTypeId)
      .AddAttribute(kIntValues, cls_AttrObject, cls_PrimArrayTypeId, cls_CollInts)
      .AddAttribute(kRealValues, cls_AttrObject, cls_PrimArrayTypeId, cls_CollDoubles)
      .AddAttribute(kStringValues, cls_AttrObject, cls_PrimArrayTypeId, cls_CollStrings)
      .AddAttribute(kElementLabels, cls_AttrObject, cls_PrimArrayTypeId, cls_CollInts)
      .AddAttribute(kElementInstanceNames, cls_AttrObject, cls_PrimArrayTypeId, cls_CollStrings)
      .AddAttribute(kNodeLabels, cls_AttrObject, cls_PrimArrayTypeId, cls_CollInts)
      .AddAttribute(kNodeInstanceNames, cls_AttrObject, cls_PrimArrayTypeId, cls_CollStrings)
      .AddAttribute(kVariation, cls_AttrInt, 1, cls_CollNone)
      .AddDtor(&CowDtor);
}
