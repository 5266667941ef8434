#include "ddb/diagnostics/dia_WarningErrorBase.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_WarningErrorBase> : cls_LayoutRows<dia_WarningErrorBase> {
  static constexpr Row kRows[] = {
      {"m_stepNumber", kInt, At<&T::m_stepNumber>},
      {"m_incrementNumber", kInt, At<&T::m_incrementNumber>},
      {"m_attemptNumber", kInt, At<&T::m_attemptNumber>},
      {"m_iterationNumber", kInt, At<&T::m_iterationNumber>},
  };
  static constexpr cls_Layout<T> kLayout{
      "dia_WarningErrorBase",  dia_TypeId_WarningErrorBase, 418, &T::m_uid, kRows,
      Base<dia_DiagnosticBase>};
};

static constexpr const auto& kLayout = cls_LayoutOf<dia_WarningErrorBase>::kLayout;

dia_WarningErrorBase::dia_WarningErrorBase() : m_uid(cls_Uid::AllocateUid()) {}

dia_WarningErrorBase::dia_WarningErrorBase(int type, int stepNumber, int incrementNumber,
                                           int attemptNumber, int iterationNumber)
    : dia_DiagnosticBase(type),
      m_stepNumber(stepNumber),
      m_incrementNumber(incrementNumber),
      m_attemptNumber(attemptNumber),
      m_iterationNumber(iterationNumber),
      m_uid(cls_Uid::AllocateUid()) {}

dia_WarningErrorBase::dia_WarningErrorBase(const cls_ReadVisitor& reader)
    : dia_DiagnosticBase(cls_ReadVisitor(reader)) {
  kLayout.Read(reader, *this);
}

cow_String dia_WarningErrorBase::TypeName() {
  return kLayout.name;
}

std::uint32_t dia_WarningErrorBase::TypeId() {
  return kLayout.typeId;
}

void* dia_WarningErrorBase::Ctor(cls_ReadVisitor& reader) {
  return new dia_WarningErrorBase(reader);
}

void dia_WarningErrorBase::CowDtor(void* handle) {
  cls_DestroyHandle<dia_WarningErrorBase>(handle);
}

void dia_WarningErrorBase::InitializeMetadata(cls_ClassRegistrar& registrar) {
  kLayout.Declare(registrar, &Ctor, &CowDtor);
}

void dia_WarningErrorBase::DBWrite(const cls_WriteVisitor& writer) const {
  kLayout.Write(writer, *this);
}
