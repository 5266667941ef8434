// The job's numerical-problem summary, a class that no longer exists.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_NumericalProblemSummary";
constexpr std::uint32_t kTypeId = 0x2B000B;

class dia_NumericalProblemSummary_332 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 332, {{"m_infoList", kObjectList}});
  }
  void ClassesToDelete(dbc_DatabaseConverter& converter) override {
    DeleteRemovedClass(converter, kClass, kTypeId);
  }
};

}  // namespace

void dia_RegisterNumericalProblemSummaryHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_NumericalProblemSummary_332), 4);
}
