#include "ddb/diagnostics/dia_DiagnosticBase.h"

#include "ddb/platform/cow_COW.h"
#include "diagnostics/dia_FieldSupport.h"

namespace {
constexpr dia_Field kType{"m_type", 0};
constexpr dia_Field kData{"m_data", 1};
constexpr dia_Field kVariationNumbers{"m_variationNumbers", 2};
}  // namespace

dia_DiagnosticBase::dia_DiagnosticBase() : m_uid(cls_Uid::AllocateUid()) {}

dia_DiagnosticBase::dia_DiagnosticBase(int type) : m_type(type), m_uid(cls_Uid::AllocateUid()) {}

dia_DiagnosticBase::dia_DiagnosticBase(const cls_ReadVisitor& reader)
    : m_type(reader.ReadInt(kType, 0)),
      m_data(cls_ReadVisitor(reader, kData)),
      m_variationNumbers(cls_ReadVisitor(reader, kVariationNumbers)),
      m_uid(reader.GetUid()) {
  // A base part converted from an older layout holds its data blocks but not their variations.
  if (reader.ObjIsPresent(kVariationNumbers.name)) return;
  for (int i = 0; i < m_data.Length(); ++i) {
    const int variation = m_data.ConstGet(i).GetVariation();
    if (!m_variationNumbers.Values().Contains(variation))
      m_variationNumbers.Values().Append(variation);
  }
}

void dia_DiagnosticBase::AddData(const dia_AuxiliaryData& block) {
  int variation = block.GetVariation();
  if (!m_variationNumbers.Values().Contains(variation))
    m_variationNumbers.Values().Append(variation);
  m_data.Append(block);
}

void dia_DiagnosticBase::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  writer.Memento().WriteInt(kType, m_type);
  m_data.DBWrite(cls_WriteVisitor(writer, kData, nullptr, nullptr));
  m_variationNumbers.DBWrite(cls_WriteVisitor(writer, kVariationNumbers, nullptr, nullptr));
}

void* dia_DiagnosticBase::Ctor(cls_ReadVisitor& reader) {
  return new dia_DiagnosticBase(reader);
}

void dia_DiagnosticBase::CowDtor(void* cowHandle) {
  cow_COW<dia_DiagnosticBase>::Destroy(static_cast<cow_COW<dia_DiagnosticBase>*>(cowHandle));
}

void dia_DiagnosticBase::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD(TypeName(), TypeId(), 418, &Ctor, cls_NoBaseTypeId)
      .AddAttribute(kType, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kData, cls_AttrObject, cls_ObjListTypeId, cls_CollList)
      .AddAttribute(kVariationNumbers, cls_AttrObject, cls_PrimArrayTypeId, cls_CollInts)
      .AddDtor(&CowDtor);
}
