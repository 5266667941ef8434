// Older stored layouts of the iteration record. The criteria lists of the early layouts held
// classes that no longer exist; their replacements (residuals, compatibility errors) start
// empty through the framework's default conversion.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_Iteration";
constexpr std::uint32_t kTypeId = 0x2B0005;

cls_ClassMetadata& DeclareFirstLayout(cls_ClassRegistrar& registrar, int version) {
  return DeclareLayout(registrar, kClass, kTypeId, version,
                       {{"m_iterationNumber", kInt}, {"m_isSevereDiscontinuity", kBool}});
}

cls_ClassMetadata& DeclareCriteriaLayout(cls_ClassRegistrar& registrar, int version) {
  cls_ClassMetadata& metadata = DeclareFirstLayout(registrar, version);
  AddFields(metadata,
            {{"m_fieldCriteriaList", kObjectList},
             {"m_constraintCriteriaList", kObjectList},
             {"m_contactDiagnosticList", kObjectList}},
            2);
  return metadata;
}

cls_ClassMetadata& DeclareSingularityLayout(cls_ClassRegistrar& registrar, int version) {
  cls_ClassMetadata& metadata = DeclareCriteriaLayout(registrar, version);
  AddFields(metadata,
            {{"m_isSeparationToleranceTooLarge", kBool},
             {"m_numberOfPointsExceedingPenetrationTolerance", kInt},
             {"m_maximumPenetration", kDouble},
             {"m_numberOfNegativeEigenvalues", kInt},
             {"m_numericalSingularityList", kObjectList}},
            5);
  return metadata;
}

class dia_Iteration_309 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareFirstLayout(registrar, 309);
  }
};

class dia_Iteration_312 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareCriteriaLayout(registrar, 312);
  }
};

class dia_Iteration_318 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareSingularityLayout(registrar, 318);
  }
};

class dia_Iteration_321 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    AddFields(DeclareSingularityLayout(registrar, 321),
              {{"m_zeroPivotList", kObjectList}, {"m_isConverged", kBool}}, 10);
  }
};

class dia_Iteration_410 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 410,
                  {{"m_iterationNumber", kInt},
                   {"m_isSevereDiscontinuity", kBool},
                   {"m_residualList", kObjectList},
                   {"m_compatibiltyErrorList", kObjectList},
                   {"m_contactDiagnosticList", kObjectList},
                   {"m_isSeparationToleranceTooLarge", kBool},
                   {"m_numberOfPointsExceedingPenetrationTolerance", kInt},
                   {"m_maximumPenetration", kDouble},
                   {"m_numberOfNegativeEigenvalues", kInt},
                   {"m_numericalSingularityList", kObjectList},
                   {"m_zeroPivotList", kObjectList},
                   {"m_isConverged", kBool},
                   {"m_elementDiagnosticList", kObjectList}});
  }
};

class dia_Iteration_415 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 415,
                  {{"m_iterationNumber", kInt},
                   {"m_isConverged", kBool},
                   {"m_residualList", kObjectList},
                   {"m_compatibiltyErrorList", kObjectList},
                   {"m_isSevereDiscontinuity", kBool},
                   {"m_isSeparationToleranceTooLarge", kBool},
                   {"m_isPenetrationToleranceExceeded", kBool},
                   {"m_contactDiagnosticList", kObjectList},
                   {"m_elementDiagnosticList", kObjectList},
                   {"m_numberOfNegativeEigenvalues", kInt},
                   {"m_numberOfNumericalSingularities", kInt},
                   {"m_numberOfZeroPivots", kInt}});
  }
};

}  // namespace

void dia_RegisterIterationHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_Iteration_309), 4);
  registrar.Register(dbc_OldClassHandle(new dia_Iteration_312), 4);
  registrar.Register(dbc_OldClassHandle(new dia_Iteration_318), 4);
  registrar.Register(dbc_OldClassHandle(new dia_Iteration_321), 4);
  registrar.Register(dbc_OldClassHandle(new dia_Iteration_410), 4);
  registrar.Register(dbc_OldClassHandle(new dia_Iteration_415), 4);
}
