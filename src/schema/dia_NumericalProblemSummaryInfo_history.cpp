// One entry of the job's numerical-problem summary, a class that no longer exists.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_NumericalProblemSummaryInfo";
constexpr std::uint32_t kTypeId = 0x2B000C;

class dia_NumericalProblemSummaryInfo_332 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 332,
                  {{"m_stepNumber", kInt},
                   {"m_incrementNumber", kInt},
                   {"m_attemptNumber", kInt},
                   {"m_iterationNumber", kInt},
                   {"m_numberOfNumericalSingularities", kInt},
                   {"m_numberOfZeroPivots", kInt},
                   {"m_numberOfNegativeEigenvalues", kInt},
                   {"m_isConverged", kBool}});
  }
  void ClassesToDelete(dbc_DatabaseConverter& converter) override {
    DeleteRemovedClass(converter, kClass, kTypeId);
  }
};

}  // namespace

void dia_RegisterNumericalProblemSummaryInfoHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_NumericalProblemSummaryInfo_332), 4);
}
