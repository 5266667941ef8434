// The constraint criteria, the compatibility checks of one constraint before the class was
// renamed dia_CompatibilityError. The class no longer exists: its rows are never read.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace schema_detail {

cls_ClassMetadata& DeclareConstraintCriteriaLayout(cls_ClassRegistrar& registrar,
                                                   const char* className, std::uint32_t typeId,
                                                   int version) {
  return DeclareLayout(registrar, className, typeId, version,
                       {{"m_constraintEquationType", kEnum},
                        {"m_numElementsExceedingTolerance", kInt},
                        {"m_maxError", kDouble},
                        {"m_partInstanceName", kString},
                        {"m_elementNumber", kInt}});
}

}  // namespace schema_detail

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_ConstraintCriteria";
constexpr std::uint32_t kTypeId = 0x2B0007;

class dia_ConstraintCriteria_312 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareConstraintCriteriaLayout(registrar, kClass, kTypeId, 312);
  }
  void ClassesToDelete(dbc_DatabaseConverter& converter) override {
    DeleteRemovedClass(converter, kClass, kTypeId);
  }
};

}  // namespace

void dia_RegisterConstraintCriteriaHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_ConstraintCriteria_312), 4);
}
