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

CLS_DEFINE_PERSISTENT_DERIVED(dia_Error, dia_WarningErrorBase)

dia_Error::dia_Error() : m_uid(cls_Uid::AllocateUid()) {}

dia_Error::dia_Error(int type, int stepNumber, int incrementNumber, int attemptNumber,
                     int iterationNumber)
    : dia_WarningErrorBase(type, stepNumber, incrementNumber, attemptNumber, iterationNumber),
      m_uid(cls_Uid::AllocateUid()) {}
