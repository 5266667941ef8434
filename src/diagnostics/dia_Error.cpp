#include "ddb/diagnostics/dia_Error.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_Error> : cls_LayoutRows<dia_Error> {
  static constexpr Row kRows[] = {
      {"m_internalErrorString", kString, At<&T::m_internalErrorString>},
  };
  static constexpr cls_Layout<T> kLayout{"dia_Error", dia_TypeId_Error,          410, &T::m_uid,
                                         kRows,       Base<dia_WarningErrorBase>};
};

static constexpr const auto& kLayout = cls_LayoutOf<dia_Error>::kLayout;

dia_Error::dia_Error() : m_uid(cls_Uid::AllocateUid()) {}

dia_Error::dia_Error(int type, int stepNumber, int incrementNumber, int attemptNumber,
                     int iterationNumber)
    : dia_WarningErrorBase(type, stepNumber, incrementNumber, attemptNumber, iterationNumber),
      m_uid(cls_Uid::AllocateUid()) {}

dia_Error::dia_Error(const cls_ReadVisitor& reader)
    : dia_WarningErrorBase(cls_ReadVisitor(reader)) {
  kLayout.Read(reader, *this);
}

cow_String dia_Error::TypeName() {
  return kLayout.name;
}

std::uint32_t dia_Error::TypeId() {
  return kLayout.typeId;
}

void* dia_Error::Ctor(cls_ReadVisitor& reader) {
  return new dia_Error(reader);
}

void dia_Error::CowDtor(void* handle) {
  cls_DestroyHandle<dia_Error>(handle);
}

void dia_Error::InitializeMetadata(cls_ClassRegistrar& registrar) {
  kLayout.Declare(registrar, &Ctor, &CowDtor);
}

void dia_Error::DBWrite(const cls_WriteVisitor& writer) const {
  kLayout.Write(writer, *this);
}
