#include "ddb/diagnostics/dia_Attempt.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_Attempt> : cls_LayoutRows<dia_Attempt> {
  static constexpr Row kRows[] = {
      {"m_attemptNumber", kInt, At<&T::m_attemptNumber>},
      {"m_attemptSize", kDouble, At<&T::m_attemptSize>},
      {"m_iterationList", kObjectList, At<&T::m_iterationList>},
      {"m_cutbackCodes", kIntArray, At<&T::m_cutbackCodes>},
      {"m_needsReordering", kBool, At<&T::m_needsReordering>},
      {"m_autoStabilize", kBool, At<&T::m_autoStabilize>},
  };
  static constexpr cls_Layout<T> kLayout{"dia_Attempt", dia_TypeId_Attempt, 410, &T::m_uid, kRows};
};

CLS_DEFINE_PERSISTENT(dia_Attempt)

dia_Attempt::dia_Attempt() : m_uid(cls_Uid::AllocateUid()) {}

dia_Attempt::dia_Attempt(int attemptNumber, double attemptSize)
    : m_attemptNumber(attemptNumber), m_attemptSize(attemptSize), m_uid(cls_Uid::AllocateUid()) {}

bool dia_Attempt::IsConverged() const {
  int n = m_iterationList.Length();
  return n > 0 && m_iterationList.ConstGet(n - 1).IsConverged();
}

void dia_Attempt::AddCutbackDiagnostic(int code) {
  cow_List<int>& codes = m_cutbackCodes.Values();
  for (int c : codes)
    if (c == code) return;
  codes.Append(code);
}
