#include "ddb/diagnostics/dia_Increment.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_Increment> : cls_LayoutRows<dia_Increment> {
  static constexpr Row kRows[] = {
      {"m_incrementNumber", kInt, At<&T::m_incrementNumber>},
      {"m_initialIncrementSize", kDouble, At<&T::m_initialIncrementSize>},
      {"m_stepTimeCompleted", kDouble, At<&T::m_stepTimeCompleted>},
      {"m_attemptList", kObjectList, At<&T::m_attemptList>},
      {"m_elementDiagnosticList", kObjectList, At<&T::m_elementDiagnosticList>},
  };
  static constexpr cls_Layout<T> kLayout{"dia_Increment", dia_TypeId_Increment, 1037, &T::m_uid,
                                         kRows};
};

CLS_DEFINE_PERSISTENT(dia_Increment)

dia_Increment::dia_Increment() : m_uid(cls_Uid::AllocateUid()) {}

dia_Increment::dia_Increment(int incrementNumber, double initialIncrementSize)
    : m_incrementNumber(incrementNumber),
      m_initialIncrementSize(initialIncrementSize),
      m_uid(cls_Uid::AllocateUid()) {}

bool dia_Increment::IsConverged() const {
  int n = m_attemptList.Length();
  return n == 0 || m_attemptList.ConstGet(n - 1).IsConverged();
}

double dia_Increment::GetIncrementSize() const {
  int n = m_attemptList.Length();
  if (n == 0) return m_initialIncrementSize;
  const dia_Attempt& last = m_attemptList.ConstGet(n - 1);
  return last.IsConverged() ? last.GetAttemptSize() : 0.0;
}
