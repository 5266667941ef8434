// The first stored layout of the attempt record, before the cutback codes and the reordering
// and stabilization flags.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

class dia_Attempt_309 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(
        registrar, "dia_Attempt", 0x2B0004, 309,
        {{"m_attemptNumber", kInt}, {"m_attemptSize", kDouble}, {"m_iterationList", kObjectList}});
  }
};

}  // namespace

void dia_RegisterAttemptHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_Attempt_309), 4);
}
