#include "ddb/diagnostics/dia_Iteration.h"

#include "ddb/frame/ZunRomDia.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_Iteration> : cls_LayoutRows<dia_Iteration> {
  static constexpr Row kRows[] = {
      {"m_iterationNumber", kInt, At<&T::m_iterationNumber>},
      {"m_isConverged", kBool, At<&T::m_isConverged>},
      {"m_residualList", kObjectList, At<&T::m_residualList>},
      {"m_compatibiltyErrorList", kObjectList, At<&T::m_compatibiltyErrorList>},
      {"m_isSevereDiscontinuity", kBool, At<&T::m_isSevereDiscontinuity>},
      {"m_isSeparationToleranceTooLarge", kBool, At<&T::m_isSeparationToleranceTooLarge>},
      {"m_isPenetrationToleranceExceeded", kBool, At<&T::m_isPenetrationToleranceExceeded>},
      {"m_contactDiagnosticList", kObjectList, At<&T::m_contactDiagnosticList>},
      {"m_contactIterationList", kObjectList, At<&T::m_contactIterationList>},
      {"m_elementDiagnosticList", kObjectList, At<&T::m_elementDiagnosticList>},
      {"m_numberOfNegativeEigenvalues", kInt, At<&T::m_numberOfNegativeEigenvalues>},
      {"m_numberOfNumericalSingularities", kInt, At<&T::m_numberOfNumericalSingularities>},
      {"m_numberOfZeroPivots", kInt, At<&T::m_numberOfZeroPivots>},
  };
  static constexpr cls_Layout<T> kLayout{"dia_Iteration", dia_TypeId_Iteration, 434, &T::m_uid,
                                         kRows};
};

CLS_DEFINE_PERSISTENT(dia_Iteration)

dia_Iteration::dia_Iteration() : m_uid(cls_Uid::AllocateUid()) {}

dia_Iteration::dia_Iteration(int iterationNumber)
    : m_iterationNumber(iterationNumber), m_uid(cls_Uid::AllocateUid()) {}

bool dia_Iteration::IsResidualCriteriaAccepted() const {
  if (m_residualList.Length() == 0) return false;
  for (int i = 0; i < m_residualList.Length(); ++i)
    if (!m_residualList.ConstGet(i).IsAccepted()) return false;
  return true;
}

bool dia_Iteration::IsCompatibilityErrorCriteriaAccepted() const {
  if (m_compatibiltyErrorList.Length() == 0) return false;
  for (int i = 0; i < m_compatibiltyErrorList.Length(); ++i)
    if (m_compatibiltyErrorList.ConstGet(i).GetNumberOfElementsExceedingTolerance() != 0)
      return false;
  return true;
}
