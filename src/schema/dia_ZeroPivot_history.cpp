// A zero pivot found by the equation solver, a class that no longer exists (iterations count
// them instead).
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_ZeroPivot";
constexpr std::uint32_t kTypeId = 0x2B000A;

class dia_ZeroPivot_321 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 321,
                  {{"m_location", kEnum},
                   {"m_firstLabel", kInt},
                   {"m_firstInstanceName", kString},
                   {"m_secondLabel", kInt},
                   {"m_secondInstanceName", kString},
                   {"m_dof", kInt},
                   {"m_loadCaseId", kInt}});
  }
  void ClassesToDelete(dbc_DatabaseConverter& converter) override {
    DeleteRemovedClass(converter, kClass, kTypeId);
  }
};

}  // namespace

void dia_RegisterZeroPivotHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_ZeroPivot_321), 4);
}
