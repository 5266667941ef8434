// A numerical singularity found by the equation solver, a class that no longer exists
// (iterations count them instead).
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_NumericalSingularity";
constexpr std::uint32_t kTypeId = 0x2B0009;

class dia_NumericalSingularity_318 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 318,
                  {{"m_location", kEnum},
                   {"m_firstLabel", kInt},
                   {"m_firstInstanceName", kString},
                   {"m_secondLabel", kInt},
                   {"m_secondInstanceName", kString},
                   {"m_dof", kInt},
                   {"m_dofRatio", kDouble},
                   {"m_loadCaseId", kInt}});
  }
  void ClassesToDelete(dbc_DatabaseConverter& converter) override {
    DeleteRemovedClass(converter, kClass, kTypeId);
  }
};

}  // namespace

void dia_RegisterNumericalSingularityHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_NumericalSingularity_318), 4);
}
