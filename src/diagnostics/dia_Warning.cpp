#include "ddb/diagnostics/dia_Warning.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_Warning> : cls_LayoutRows<dia_Warning> {
  static constexpr cls_Layout<T> kLayout{"dia_Warning", dia_TypeId_Warning, 410, &T::m_uid,
                                         Base<dia_WarningErrorBase>};
};

CLS_DEFINE_PERSISTENT_DERIVED(dia_Warning, dia_WarningErrorBase)

dia_Warning::dia_Warning() : m_uid(cls_Uid::AllocateUid()) {}

dia_Warning::dia_Warning(int type, int stepNumber, int incrementNumber, int attemptNumber,
                         int iterationNumber)
    : dia_WarningErrorBase(type, stepNumber, incrementNumber, attemptNumber, iterationNumber),
      m_uid(cls_Uid::AllocateUid()) {}
