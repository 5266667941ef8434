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

CLS_DEFINE_PERSISTENT_DERIVED(dia_WarningErrorBase, dia_DiagnosticBase)

dia_WarningErrorBase::dia_WarningErrorBase() : m_uid(cls_Uid::AllocateUid()) {}

dia_WarningErrorBase::dia_WarningErrorBase(int type, int stepNumber, int incrementNumber,
                                           int attemptNumber, int iterationNumber)
    : dia_DiagnosticBase(type),
      m_stepNumber(stepNumber),
      m_incrementNumber(incrementNumber),
      m_attemptNumber(attemptNumber),
      m_iterationNumber(iterationNumber),
      m_uid(cls_Uid::AllocateUid()) {}
