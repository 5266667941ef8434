// The diagnostics tree as Python objects: the job record, steps, increments, attempts,
// iterations, residual checks, compatibility errors, contact iterations and explicit status,
// each with its values under their script names and its child lists as lazy sequences.
#include <pybind11/stl.h>

#include <vector>

#include "Library.h"
#include "Sequence.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"

namespace ddbpy {
namespace {

std::string Text(const cow_String& s) {
  return s.str();
}

template <class T>
std::vector<T> Values(const cow_List<T>& list) {
  return std::vector<T>(list.begin(), list.end());
}

// A read-only property computed from the record.
template <class T, class F>
void Value(py::class_<Node<T>>& cls, const char* name, F f) {
  cls.def_property_readonly(name, [f](const Node<T>& n) { return n.Read(f); });
}

// A property holding one of the record's lists as a sequence.
template <class T, class E>
void List(py::class_<Node<T>>& cls, const char* name, const cls_ListObj<E>& (T::*list)() const) {
  cls.def_property_readonly(name, [list](const Node<T>& n) { return SeqOf(n, list); });
}

// Identity: the same persistent object of the same file.
template <class T>
void Identity(py::class_<Node<T>>& cls, const char* kind) {
  cls.def_property_readonly(
      "uid", [](const Node<T>& n) { return n.Read([](const T& r) { return r.Uid().Value(); }); });
  cls.def("__eq__", [](const Node<T>& a, const Node<T>& b) {
    return a.Db()->FileName() == b.Db()->FileName() &&
           a.Read([](const T& r) { return r.Uid(); }) == b.Read([](const T& r) { return r.Uid(); });
  });
  cls.def("__hash__", [](const Node<T>& n) {
    return std::hash<std::int64_t>()(n.Read([](const T& r) { return r.Uid().Value(); }));
  });
  std::string prefix = std::string("<ddb.") + kind;
  cls.def("__repr__", [prefix](const Node<T>& n) {
    return prefix + " " + std::to_string(n.Read([](const T& r) { return r.Uid().Value(); })) + ">";
  });
}

void BindJob(py::module_& m) {
  using J = dia_DiagnosticData;
  py::class_<Node<J>> c(m, "DiagnosticData");
  Value<J>(c, "jobStatus",
           [](const J& r) { return EnumValue(static_cast<dia_JobStatusEnum>(r.GetJobStatus())); });
  auto times = [](const J& r) {
    double user = 0, system = 0, wall = 0;
    r.GetJobCpuTimes(user, system, wall);
    return std::vector<double>{user, system, wall};
  };
  Value<J>(c, "userTime", [times](const J& r) { return times(r)[0]; });
  Value<J>(c, "systemTime", [times](const J& r) { return times(r)[1]; });
  Value<J>(c, "wallclockTime", [times](const J& r) { return times(r)[2]; });
  Value<J>(c, "doublePrecision", [](const J& r) { return r.isXplDoublePrecision(); });
  Value<J>(c, "numDomains", [](const J& r) { return r.GetNumDomains(); });
  Value<J>(c, "jobHistoryDescription",
           [](const J& r) { return Values(r.GetJobHistoryDescription()); });
  List(c, "steps", &J::GetSteps);
  List(c, "warnings", &J::GetAnalysisWarnings);
  List(c, "errors", &J::GetAnalysisErrors);
  Identity(c, "DiagnosticData");
}

void BindStep(py::module_& m) {
  using S = dia_Step;
  py::class_<Node<S>> c(m, "Step");
  Value<S>(c, "number", [](const S& r) { return r.GetStepNumber(); });
  Value<S>(c, "name", [](const S& r) { return Text(r.GetStepName()); });
  Value<S>(c, "procedure", [](const S& r) { return r.GetProcedureCode(); });
  Value<S>(c, "isPerturbation", [](const S& r) { return r.IsPerturbation(); });
  Value<S>(c, "isRiks", [](const S& r) { return r.IsRiks(); });
  Value<S>(c, "incrementationScheme",
           [](const S& r) { return EnumValue(r.GetIncrementationScheme()); });
  Value<S>(c, "timePeriod", [](const S& r) { return r.GetTimePeriod(); });
  Value<S>(c, "initialTimeIncrement", [](const S& r) { return r.GetInitialTimeIncrement(); });
  Value<S>(c, "minimumTimeIncrement", [](const S& r) { return r.GetMinimumTimeIncrement(); });
  Value<S>(c, "maximumTimeIncrement", [](const S& r) { return r.GetMaximumTimeIncrement(); });
  Value<S>(c, "maximumNumberOfIncrements",
           [](const S& r) { return r.GetMaximumNumberOfIncrements(); });
  Value<S>(c, "stepTimeCompleted", [](const S& r) { return r.m_stepTimeCompleted; });
  Value<S>(c, "incrementsCompleted", [](const S& r) { return r.m_incrementsCompleted; });
  Value<S>(c, "isStabilized", [](const S& r) { return r.m_isStabilized; });
  Value<S>(c, "stabilizeFactor", [](const S& r) { return r.m_stabilizeFactor; });
  Value<S>(c, "isUnsymm", [](const S& r) { return r.m_isUnsymm; });
  Value<S>(c, "isNlgeom", [](const S& r) { return r.m_isNlgeom; });
  Value<S>(c, "solverCode", [](const S& r) { return r.m_solverCode; });
  Value<S>(c, "extrapolationCode", [](const S& r) { return r.m_extrapolationCode; });
  Value<S>(c, "characteristicElementLength",
           [](const S& r) { return r.m_characteristicElementLength; });
  Value<S>(c, "activeXplStatus", [](const S& r) { return Values(r.m_ActiveXplStatus.Values()); });
  List(c, "increments", &S::GetIncrements);
  List(c, "contactDiagnostics", &S::GetContactDiagnostics);
  List(c, "xplStatus", &S::GetXplStatuses);
  Identity(c, "Step");
}

void BindIncrementAndAttempt(py::module_& m) {
  using I = dia_Increment;
  py::class_<Node<I>> inc(m, "Increment");
  Value<I>(inc, "number", [](const I& r) { return r.GetIncrementNumber(); });
  Value<I>(inc, "initialSize", [](const I& r) { return r.GetInitialIncrementSize(); });
  Value<I>(inc, "size", [](const I& r) { return r.GetIncrementSize(); });
  Value<I>(inc, "stepTimeCompleted", [](const I& r) { return r.GetStepTimeCompleted(); });
  Value<I>(inc, "converged", [](const I& r) { return r.IsConverged(); });
  List(inc, "attempts", &I::GetAttempts);
  List(inc, "elementDiagnostics", &I::GetElementDiagnostics);
  Identity(inc, "Increment");

  using A = dia_Attempt;
  py::class_<Node<A>> att(m, "Attempt");
  Value<A>(att, "number", [](const A& r) { return r.GetAttemptNumber(); });
  Value<A>(att, "size", [](const A& r) { return r.GetAttemptSize(); });
  Value<A>(att, "converged", [](const A& r) { return r.IsConverged(); });
  Value<A>(att, "isCutback", [](const A& r) { return r.IsCutback(); });
  Value<A>(att, "cutbackReasons", [](const A& r) {
    py::list reasons;
    for (int k = 0; k < r.GetNumberOfCutbackDiagnostics(); ++k)
      reasons.append(EnumValue(static_cast<dia_CutbackDiagnosticEnum>(r.GetCutbackDiagnostic(k))));
    return reasons;
  });
  Value<A>(att, "needsReordering", [](const A& r) { return r.GetNeedsReordering(); });
  Value<A>(att, "autoStabilize", [](const A& r) { return r.GetAutoStabilize(); });
  List(att, "iterations", &A::GetIterations);
  Identity(att, "Attempt");
}

void BindIteration(py::module_& m) {
  using It = dia_Iteration;
  py::class_<Node<It>> c(m, "Iteration");
  Value<It>(c, "number", [](const It& r) { return r.GetIterationNumber(); });
  Value<It>(c, "converged", [](const It& r) { return r.IsConverged(); });
  Value<It>(c, "severeDiscontinuity", [](const It& r) { return r.IsSevereDiscontinuity(); });
  Value<It>(c, "separationToleranceTooLarge",
            [](const It& r) { return r.IsSeparationToleranceTooLarge(); });
  Value<It>(c, "penetrationToleranceExceeded",
            [](const It& r) { return r.IsPenetrationToleranceExceeded(); });
  Value<It>(c, "negativeEigenvalues",
            [](const It& r) { return r.GetNumberOfNegativeEigenvalues(); });
  Value<It>(c, "numericalSingularities",
            [](const It& r) { return r.GetNumberOfNumericalSingularities(); });
  Value<It>(c, "zeroPivots", [](const It& r) { return r.GetNumberOfZeroPivots(); });
  Value<It>(c, "residualsAccepted", [](const It& r) { return r.IsResidualCriteriaAccepted(); });
  Value<It>(c, "compatibilityAccepted",
            [](const It& r) { return r.IsCompatibilityErrorCriteriaAccepted(); });
  List(c, "residuals", &It::GetResiduals);
  List(c, "compatibilityErrors", &It::GetCompatibilityErrors);
  List(c, "contactIterations", &It::GetContactIterations);
  List(c, "contactDiagnostics", &It::GetContactDiagnostics);
  List(c, "elementDiagnostics", &It::GetElementDiagnostics);
  Identity(c, "Iteration");
}

void BindResidual(py::module_& m) {
  using R = dia_Residual;
  py::class_<Node<R>> c(m, "Residual");
  Value<R>(c, "field", [](const R& r) { return EnumValue(r.GetFieldVariable()); });
  Value<R>(c, "fieldName", [](const R& r) { return Text(r.GetFieldVariableName()); });
  Value<R>(c, "fluxName", [](const R& r) { return Text(r.GetConjugateFluxName()); });
  Value<R>(c, "residualCheck", [](const R& r) { return EnumValue(r.GetResidualCheck()); });
  Value<R>(c, "correctionCheck", [](const R& r) { return EnumValue(r.GetCorrectionCheck()); });
  Value<R>(c, "accepted", [](const R& r) { return r.IsAccepted(); });
  Value<R>(c, "estimatedCorrection", [](const R& r) { return r.GetEstimatedCorrection(); });
  Value<R>(c, "isResponseLinear", [](const R& r) { return r.IsResponseLinear(); });
  Value<R>(c, "averageFlux", [](const R& r) { return r.GetAverageFlux(); });
  Value<R>(c, "timeAverageFlux", [](const R& r) { return r.GetTimeAverageFlux(); });
  Value<R>(c, "hasUserDefinedNorm", [](const R& r) { return r.HasUserDefinedNorm(); });
  Value<R>(c, "maxResidual", [](const R& r) { return r.GetMaxResidual(); });
  Value<R>(c, "maxResidualNode", [](const R& r) { return r.GetMaxResidualNodeLabel(); });
  Value<R>(c, "maxResidualInstance",
           [](const R& r) { return Text(r.GetMaxResidualInstanceName()); });
  Value<R>(c, "maxResidualDof", [](const R& r) { return r.GetMaxResidualDof(); });
  Value<R>(c, "maxIncrement", [](const R& r) { return r.GetMaxIncrement(); });
  Value<R>(c, "maxIncrementNode", [](const R& r) { return r.GetMaxIncrementNodeLabel(); });
  Value<R>(c, "maxIncrementInstance",
           [](const R& r) { return Text(r.GetMaxIncrementInstanceName()); });
  Value<R>(c, "maxIncrementDof", [](const R& r) { return r.GetMaxIncrementDof(); });
  Value<R>(c, "maxCorrection", [](const R& r) { return r.GetMaxCorrection(); });
  Value<R>(c, "maxCorrectionNode", [](const R& r) { return r.GetMaxCorrectionNodeLabel(); });
  Value<R>(c, "maxCorrectionInstance",
           [](const R& r) { return Text(r.GetMaxCorrectionInstanceName()); });
  Value<R>(c, "maxCorrectionDof", [](const R& r) { return r.GetMaxCorrectionDof(); });
  Identity(c, "Residual");

  using C = dia_CompatibilityError;
  py::class_<Node<C>> ce(m, "CompatibilityError");
  Value<C>(ce, "variable", [](const C& r) { return EnumValue(r.GetConstraintVariable()); });
  Value<C>(ce, "variableName", [](const C& r) { return Text(r.GetConstraintVariableName()); });
  Value<C>(ce, "elementsExceedingTolerance",
           [](const C& r) { return r.GetNumberOfElementsExceedingTolerance(); });
  Value<C>(ce, "maxError", [](const C& r) { return r.GetMaxError(); });
  Value<C>(ce, "instance", [](const C& r) { return Text(r.GetInstanceName()); });
  Value<C>(ce, "element", [](const C& r) { return r.GetElementLabel(); });
  Identity(ce, "CompatibilityError");
}

void BindContactIterationAndXpl(py::module_& m) {
  using CI = dia_ContactIteration;
  py::class_<Node<CI>> c(m, "ContactIteration");
  Value<CI>(c, "number", [](const CI& r) { return r.GetIterationNumber(); });
  Value<CI>(c, "converged", [](const CI& r) { return r.IsConverged(); });
  List(c, "contactDiagnostics", &CI::GetContactDiagnostics);
  Identity(c, "ContactIteration");

  using X = dia_XplStatus;
  py::class_<Node<X>> x(m, "XplStatus");
  Value<X>(x, "incrementNumber", [](const X& r) { return r.GetIncrementNumber(); });
  Value<X>(x, "critElementLabel", [](const X& r) { return r.GetCritElementLabel(); });
  Value<X>(x, "critElementInst", [](const X& r) { return Text(r.GetCritElementInst()); });
  Value<X>(x, "values", [](const X& r) { return Values(r.GetRealValues()); });
}

}  // namespace

void BindTree(py::module_& m) {
  BindJob(m);
  BindStep(m);
  BindIncrementAndAttempt(m);
  BindIteration(m);
  BindResidual(m);
  BindContactIterationAndXpl(m);
  BindSequence<dia_Step>(m, "Steps");
  BindSequence<dia_Warning>(m, "Warnings");
  BindSequence<dia_Error>(m, "Errors");
  BindSequence<dia_Increment>(m, "Increments");
  BindSequence<dia_XplStatus>(m, "XplStatuses");
  BindSequence<dia_Attempt>(m, "Attempts");
  BindSequence<dia_Iteration>(m, "Iterations");
  BindSequence<dia_Residual>(m, "Residuals");
  BindSequence<dia_CompatibilityError>(m, "CompatibilityErrors");
  BindSequence<dia_ContactIteration>(m, "ContactIterations");
  BindSequence<dia_ContactDiagnostic>(m, "ContactDiagnostics");
  BindSequence<dia_ElementDiagnostic>(m, "ElementDiagnostics");
  BindSequence<dia_AuxiliaryData>(m, "Occurrences");
}

}  // namespace ddbpy
