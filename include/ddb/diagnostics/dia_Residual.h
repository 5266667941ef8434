// dia_Residual: the convergence test of one solution field in one equilibrium iteration: the
// largest residual, increment and correction of the field with where each occurred, the field's
// fluxes and the outcome of the residual and correction checks.
//
// An immutable value record built complete by its full constructor; copies share its identity
// (and so are the same persistent object). Enumeration members are plain values, validated only
// when the record is written or read. Not thread-safe.
#pragma once

#include <cstdint>

#include "ddb/diagnostics/dia_Enums.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

class dia_Residual : public mem_AllocationOperators {
 public:
  static std::uint32_t TypeId();
  static cow_String TypeName();
  static void InitializeMetadata(cls_ClassRegistrar& registrar);
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* cowHandle);

  dia_Residual();
  dia_Residual(dia_FieldVariableEnum fieldVariable, dia_ResidualCheckEnum residualCheck,
               dia_CorrectionCheckEnum correctionCheck, double estimatedCorrection,
               bool isResponseLinear, double averageFlux, double timeAverageFlux,
               bool hasUserDefinedNorm, double maxResidual, int maxResidualNode,
               const cow_String& maxResidualInstance, int maxResidualDof, double maxIncrement,
               int maxIncrementNode, const cow_String& maxIncrementInstance, int maxIncrementDof,
               double maxCorrection, int maxCorrectionNode, const cow_String& maxCorrectionInstance,
               int maxCorrectionDof);
  explicit dia_Residual(const cls_ReadVisitor& reader);
  dia_Residual(const dia_Residual&) = default;
  dia_Residual& operator=(const dia_Residual&) = default;
  virtual ~dia_Residual() = default;

  // Raises when an enumeration member is outside its table; earlier fields are then written.
  virtual void DBWrite(const cls_WriteVisitor& writer) const;
  virtual std::uint32_t DynTypeId() const { return TypeId(); }

  dia_FieldVariableEnum GetFieldVariable() const { return m_fieldEquationType; }
  dia_ResidualCheckEnum GetResidualCheck() const { return m_residualCheck; }
  dia_CorrectionCheckEnum GetCorrectionCheck() const { return m_correctionCheck; }
  double GetEstimatedCorrection() const { return m_estimatedCorrection; }
  bool IsResponseLinear() const { return m_isResponseLinear; }
  double GetAverageFlux() const { return m_averageFlux; }
  double GetTimeAverageFlux() const { return m_timeAverageFlux; }
  bool HasUserDefinedNorm() const { return m_hasUserDefinedNorm; }
  double GetMaxResidual() const { return m_maxResidual; }
  int GetMaxResidualNodeLabel() const { return m_maxResidualNode; }
  const cow_String& GetMaxResidualInstanceName() const { return m_maxResidualPartInstanceName; }
  int GetMaxResidualDof() const { return m_maxResidualDOF; }
  double GetMaxIncrement() const { return m_maxIncrement; }
  int GetMaxIncrementNodeLabel() const { return m_maxIncrementNode; }
  const cow_String& GetMaxIncrementInstanceName() const { return m_maxIncrementPartInstanceName; }
  int GetMaxIncrementDof() const { return m_maxIncrementDOF; }
  double GetMaxCorrection() const { return m_maxCorrection; }
  int GetMaxCorrectionNodeLabel() const { return m_maxCorrectionNode; }
  const cow_String& GetMaxCorrectionInstanceName() const { return m_maxCorrectionPartInstanceName; }
  int GetMaxCorrectionDof() const { return m_maxCorrectionDOF; }
  cls_Uid Uid() const { return m_uid; }

  // Residual accepted and correction accepted in any of its three accepted forms.
  bool IsAccepted() const;
  // "Displacement", "Rotation", ...; empty for a value outside the table.
  cow_String GetFieldVariableName() const;
  // "Force", "Moment", ...; empty for a value outside the table.
  cow_String GetConjugateFluxName() const;

 private:
  template <class>
  friend struct cls_LayoutOf;
  dia_FieldVariableEnum m_fieldEquationType = dia_FieldVariableEnum::DISPLACEMENT_FIELD;
  dia_ResidualCheckEnum m_residualCheck = dia_ResidualCheckEnum::RESIDUAL_NOT_ACCEPTED;
  dia_CorrectionCheckEnum m_correctionCheck = dia_CorrectionCheckEnum::CORRECTION_NOT_ACCEPTED;
  double m_estimatedCorrection = 0;
  bool m_isResponseLinear = false;
  double m_averageFlux = 0;
  double m_timeAverageFlux = 0;
  bool m_hasUserDefinedNorm = false;
  double m_maxResidual = 0;
  int m_maxResidualNode = 0;
  cow_String m_maxResidualPartInstanceName;
  int m_maxResidualDOF = 0;
  double m_maxIncrement = 0;
  int m_maxIncrementNode = 0;
  cow_String m_maxIncrementPartInstanceName;
  int m_maxIncrementDOF = 0;
  double m_maxCorrection = 0;
  int m_maxCorrectionNode = 0;
  cow_String m_maxCorrectionPartInstanceName;
  int m_maxCorrectionDOF = 0;
  cls_Uid m_uid;
};
