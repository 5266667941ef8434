// dia_Iteration: one equilibrium iteration of an attempt, with the convergence test of each
// solution field, the constraint compatibility errors, contact and element diagnostics, three
// condition flags and three counts of numerical trouble.
//
// The iteration owns its child records by value in persistent lists; they are written with the
// iteration and released with it, so it offers no flush or release of its own. Flag setters only
// ever set. A copy is the same persistent object (same uid). Not thread-safe.
#pragma once

#include <cstdint>

#include "ddb/diagnostics/dia_CompatibilityError.h"
#include "ddb/diagnostics/dia_ContactDiagnostic.h"
#include "ddb/diagnostics/dia_ContactIteration.h"
#include "ddb/diagnostics/dia_ElementDiagnostic.h"
#include "ddb/diagnostics/dia_Residual.h"
#include "ddb/frame/cls_ListObj.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

// Final: the destructor is not virtual, and holders delete iterations through this type.
class dia_Iteration final : public mem_AllocationOperators {
 public:
  using ResidualList = cls_ListObj<dia_Residual>;
  using CompatibilityErrorList = cls_ListObj<dia_CompatibilityError>;
  using ContactDiagnosticList = cls_ListObj<dia_ContactDiagnostic>;
  using ContactIterationList = cls_ListObj<dia_ContactIteration>;
  using ElementDiagnosticList = cls_ListObj<dia_ElementDiagnostic>;

  dia_Iteration();
  explicit dia_Iteration(int iterationNumber);
  explicit dia_Iteration(const cls_ReadVisitor& reader);
  dia_Iteration(const dia_Iteration&) = default;
  dia_Iteration& operator=(const dia_Iteration&) = delete;
  ~dia_Iteration() = default;

  int GetIterationNumber() const { return m_iterationNumber; }
  void SetConverged() { m_isConverged = true; }
  bool IsConverged() const { return m_isConverged; }

  void SetSevereDiscontinuity() { m_isSevereDiscontinuity = true; }
  bool IsSevereDiscontinuity() const { return m_isSevereDiscontinuity; }
  void SetSeparationToleranceTooLarge() { m_isSeparationToleranceTooLarge = true; }
  bool IsSeparationToleranceTooLarge() const { return m_isSeparationToleranceTooLarge; }
  void SetPenetrationToleranceExceeded() { m_isPenetrationToleranceExceeded = true; }
  bool IsPenetrationToleranceExceeded() const { return m_isPenetrationToleranceExceeded; }

  void SetNumberOfNegativeEigenvalues(int n) { m_numberOfNegativeEigenvalues = n; }
  int GetNumberOfNegativeEigenvalues() const { return m_numberOfNegativeEigenvalues; }
  void SetNumberOfNumericalSingularities(int n) { m_numberOfNumericalSingularities = n; }
  int GetNumberOfNumericalSingularities() const { return m_numberOfNumericalSingularities; }
  void SetNumberOfZeroPivots(int n) { m_numberOfZeroPivots = n; }
  int GetNumberOfZeroPivots() const { return m_numberOfZeroPivots; }

  void AddResidual(const dia_Residual& residual) { m_residualList.Append(residual); }
  int GetNumberOfResiduals() const { return m_residualList.Length(); }
  dia_Residual& GetResidualByIndex(int i) { return m_residualList.Get(i); }
  const dia_Residual& ConstGetResidualByIndex(int i) const { return m_residualList.ConstGet(i); }
  // False without residuals; otherwise whether every residual was accepted.
  bool IsResidualCriteriaAccepted() const;

  void AddCompatibilityError(const dia_CompatibilityError& error) {
    m_compatibiltyErrorList.Append(error);
  }
  int GetNumberOfCompatibilityErrors() const { return m_compatibiltyErrorList.Length(); }
  dia_CompatibilityError& GetCompatibilityErrorByIndex(int i) {
    return m_compatibiltyErrorList.Get(i);
  }
  const dia_CompatibilityError& ConstGetCompatibilityErrorByIndex(int i) const {
    return m_compatibiltyErrorList.ConstGet(i);
  }
  // False without errors; otherwise whether no error has elements exceeding its tolerance.
  bool IsCompatibilityErrorCriteriaAccepted() const;

  void AddContactDiagnostic(const dia_ContactDiagnostic& d) { m_contactDiagnosticList.Append(d); }
  int GetNumberOfContactDiagnostics() const { return m_contactDiagnosticList.Length(); }
  dia_ContactDiagnostic& GetContactDiagnosticByIndex(int i) {
    return m_contactDiagnosticList.Get(i);
  }
  const dia_ContactDiagnostic& ConstGetContactDiagnosticByIndex(int i) const {
    return m_contactDiagnosticList.ConstGet(i);
  }
  const ContactDiagnosticList& GetContactDiagnostics() const { return m_contactDiagnosticList; }

  void AddContactIteration(const dia_ContactIteration& c) { m_contactIterationList.Append(c); }
  int GetNumberOfContactIterations() const { return m_contactIterationList.Length(); }
  dia_ContactIteration& GetContactIterationByIndex(int i) { return m_contactIterationList.Get(i); }
  const dia_ContactIteration& ConstGetContactIterationByIndex(int i) const {
    return m_contactIterationList.ConstGet(i);
  }

  void AddElementDiagnostic(const dia_ElementDiagnostic& d) { m_elementDiagnosticList.Append(d); }
  int GetNumberOfElementDiagnostics() const { return m_elementDiagnosticList.Length(); }
  dia_ElementDiagnostic& GetElementDiagnosticByIndex(int i) {
    return m_elementDiagnosticList.Get(i);
  }
  const dia_ElementDiagnostic& ConstGetElementDiagnosticByIndex(int i) const {
    return m_elementDiagnosticList.ConstGet(i);
  }
  const ElementDiagnosticList& GetElementDiagnostics() const { return m_elementDiagnosticList; }
  const ResidualList& GetResiduals() const { return m_residualList; }
  const CompatibilityErrorList& GetCompatibilityErrors() const { return m_compatibiltyErrorList; }
  const ContactIterationList& GetContactIterations() const { return m_contactIterationList; }

  cls_Uid Uid() const { return m_uid; }

  static cow_String TypeName();
  static std::uint32_t TypeId();
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* handle);
  static void InitializeMetadata(cls_ClassRegistrar& registrar);
  virtual void DBWrite(const cls_WriteVisitor& writer) const;
  virtual std::uint32_t DynTypeId() const { return TypeId(); }

 private:
  template <class>
  friend struct cls_LayoutOf;
  int m_iterationNumber = 0;
  bool m_isConverged = false;
  ResidualList m_residualList;
  // Spelled as the field has always been persisted.
  CompatibilityErrorList m_compatibiltyErrorList;
  bool m_isSevereDiscontinuity = false;
  bool m_isSeparationToleranceTooLarge = false;
  bool m_isPenetrationToleranceExceeded = false;
  ContactDiagnosticList m_contactDiagnosticList;
  ContactIterationList m_contactIterationList;
  ElementDiagnosticList m_elementDiagnosticList;
  int m_numberOfNegativeEigenvalues = 0;
  int m_numberOfNumericalSingularities = 0;
  int m_numberOfZeroPivots = 0;
  cls_Uid m_uid;
};
