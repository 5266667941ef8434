#include "ddb/diagnostics/dia_Step.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

// The scheme is found by name, so a stored layout may place it anywhere; layouts older than 317
// have none, and such a step reads with the first scheme.
template <>
struct cls_LayoutOf<dia_Step> : cls_LayoutRows<dia_Step> {
  static constexpr Row kRows[] = {
      {"m_stepNumber", kInt, At<&T::m_stepNumber>},
      {"m_stepName", kString, At<&T::m_stepName>},
      {"m_lproc", kInt, At<&T::m_lproc>},
      {"m_isPerturbation", kBool, At<&T::m_isPerturbation>},
      {"m_isRiks", kBool, At<&T::m_isRiks>},
      {"m_incrementList", kObjectList, At<&T::m_incrementList>},
      {"m_stepTimeCompleted", kDouble, At<&T::m_stepTimeCompleted>},
      {"m_incrementsCompleted", kInt, At<&T::m_incrementsCompleted>},
      {"m_incrementationScheme", kEnum, EnumOrFirst<&T::m_incrementationScheme>},
      {"m_timePeriod", kDouble, At<&T::m_timePeriod>},
      {"m_initialTimeIncrement", kDouble, At<&T::m_initialTimeIncrement>},
      {"m_minimumTimeIncrement", kDouble, At<&T::m_minimumTimeIncrement>},
      {"m_maximumTimeIncrement", kDouble, At<&T::m_maximumTimeIncrement>},
      {"m_maximumNumberOfIncrements", kInt, At<&T::m_maximumNumberOfIncrements>},
      {"m_isStabilized", kBool, At<&T::m_isStabilized>},
      {"m_stabilizeFactor", kDouble, At<&T::m_stabilizeFactor>},
      {"m_isUnsymm", kBool, At<&T::m_isUnsymm>},
      {"m_isNlgeom", kBool, At<&T::m_isNlgeom>},
      {"m_solverCode", kInt, At<&T::m_solverCode>},
      {"m_extrapolationCode", kInt, At<&T::m_extrapolationCode>},
      {"m_characteristicElementLength", kDouble, At<&T::m_characteristicElementLength>},
      {"m_contactDiagnosticList", kObjectList, At<&T::m_contactDiagnosticList>},
      {"m_XplStatusList", kObjectList, At<&T::m_XplStatusList>},
      {"m_ActiveXplStatus", kIntArray, At<&T::m_ActiveXplStatus>},
  };
  static constexpr cls_Layout<T> kLayout{"dia_Step", dia_TypeId_Step, 1037, &T::m_uid, kRows};
};

CLS_DEFINE_PERSISTENT(dia_Step)

dia_Step::dia_Step() : m_uid(cls_Uid::AllocateUid()) {}

dia_Step::dia_Step(int stepNumber, const cow_String& name, int procedureCode, bool isPerturbation,
                   bool isRiks)
    : m_stepNumber(stepNumber),
      m_stepName(name),
      m_lproc(procedureCode),
      m_isPerturbation(isPerturbation),
      m_isRiks(isRiks),
      m_uid(cls_Uid::AllocateUid()) {}

void dia_Step::SetIncrementationControls(dia_IncrementationSchemeEnum scheme, double timePeriod,
                                         double initialTimeIncrement, double minimumTimeIncrement,
                                         double maximumTimeIncrement,
                                         int maximumNumberOfIncrements) {
  m_incrementationScheme = scheme;
  m_timePeriod = timePeriod;
  m_initialTimeIncrement = initialTimeIncrement;
  m_minimumTimeIncrement = minimumTimeIncrement;
  m_maximumTimeIncrement = maximumTimeIncrement;
  m_maximumNumberOfIncrements = maximumNumberOfIncrements;
}

// Elements are fetched with Get so that released ones come back. The kept records go into new
// in-memory lists: the next write of the step stores them as fresh lists, and the rows of the
// cut records stay in the file, no longer referenced.
void dia_Step::TruncateStep(int incrementNumber, double stepTime) {
  m_incrementsCompleted = incrementNumber;
  m_stepTimeCompleted = stepTime;
  IncrementList increments;
  for (int i = 0; i < m_incrementList.Length(); ++i) {
    const dia_Increment& increment = m_incrementList.Get(i);
    if (increment.GetIncrementNumber() < incrementNumber) increments.Append(increment);
  }
  m_incrementList = increments;
  XplStatusList statuses;
  for (int i = 0; i < m_XplStatusList.Length(); ++i) {
    const dia_XplStatus& status = m_XplStatusList.Get(i);
    if (status.GetIncrementNumber() < incrementNumber) statuses.Append(status);
  }
  m_XplStatusList = statuses;
}
