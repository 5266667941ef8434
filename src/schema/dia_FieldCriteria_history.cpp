// The field criteria, the residual checks of one solution field before the class was renamed
// dia_Residual. The class no longer exists: its rows are never read.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace schema_detail {

cls_ClassMetadata& DeclareFieldCriteriaLayout(cls_ClassRegistrar& registrar, const char* className,
                                              std::uint32_t typeId, int version) {
  return DeclareLayout(registrar, className, typeId, version,
                       {{"m_fieldEquationType", kEnum},
                        {"m_isResponseLinear", kBool},
                        {"m_averageFlux", kDouble},
                        {"m_timeAverageFlux", kDouble},
                        {"m_hasUserDefinedNorm", kBool},
                        {"m_maxResidual", kDouble},
                        {"m_maxResidualNode", kInt},
                        {"m_maxResidualPartInstanceName", kString},
                        {"m_maxResidualDOF", kInt},
                        {"m_maxIncrement", kDouble},
                        {"m_maxIncrementNode", kInt},
                        {"m_maxIncrementPartInstanceName", kString},
                        {"m_maxIncrementDOF", kInt},
                        {"m_maxCorrection", kDouble},
                        {"m_maxCorrectionNode", kInt},
                        {"m_maxCorrectionPartInstanceName", kString},
                        {"m_maxCorrectionDOF", kInt}});
}

void AddCorrectionChecks(cls_ClassMetadata& metadata) {
  AddFields(metadata,
            {{"m_residualCheck", kEnum},
             {"m_correctionCheck", kEnum},
             {"m_estimatedCorrection", kDouble}},
            17);
}

}  // namespace schema_detail

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_FieldCriteria";
constexpr std::uint32_t kTypeId = 0x2B0006;

class dia_FieldCriteria_312 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareFieldCriteriaLayout(registrar, kClass, kTypeId, 312);
  }
  // The class is deleted by the later layout; this one changes nothing.
  void SchemaChanges(dbc_DatabaseConverter&) override {}
};

class dia_FieldCriteria_318 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    AddCorrectionChecks(DeclareFieldCriteriaLayout(registrar, kClass, kTypeId, 318));
  }
  void ClassesToDelete(dbc_DatabaseConverter& converter) override {
    DeleteRemovedClass(converter, kClass, kTypeId);
  }
};

}  // namespace

void dia_RegisterFieldCriteriaHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_FieldCriteria_312), 4);
  registrar.Register(dbc_OldClassHandle(new dia_FieldCriteria_318), 4);
}
