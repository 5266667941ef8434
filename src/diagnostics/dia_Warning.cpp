#include "ddb/diagnostics/dia_Warning.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_Warning> : cls_LayoutRows<dia_Warning> {
  static constexpr cls_Layout<T> kLayout{"dia_Warning", dia_TypeId_Warning, 410, &T::m_uid,
                                         Base<dia_WarningErrorBase>};
};

static constexpr const auto& kLayout = cls_LayoutOf<dia_Warning>::kLayout;

dia_Warning::dia_Warning() : m_uid(cls_Uid::AllocateUid()) {}

dia_Warning::dia_Warning(int type, int stepNumber, int incrementNumber, int attemptNumber,
                         int iterationNumber)
    : dia_WarningErrorBase(type, stepNumber, incrementNumber, attemptNumber, iterationNumber),
      m_uid(cls_Uid::AllocateUid()) {}

dia_Warning::dia_Warning(const cls_ReadVisitor& reader)
    : dia_WarningErrorBase(cls_ReadVisitor(reader)) {
  kLayout.Read(reader, *this);
}

cow_String dia_Warning::TypeName() {
  return kLayout.name;
}

std::uint32_t dia_Warning::TypeId() {
  return kLayout.typeId;
}

void* dia_Warning::Ctor(cls_ReadVisitor& reader) {
  return new dia_Warning(reader);
}

void dia_Warning::CowDtor(void* handle) {
  cls_DestroyHandle<dia_Warning>(handle);
}

void dia_Warning::InitializeMetadata(cls_ClassRegistrar& registrar) {
  kLayout.Declare(registrar, &Ctor, &CowDtor);
}

void dia_Warning::DBWrite(const cls_WriteVisitor& writer) const {
  kLayout.Write(writer, *this);
}
