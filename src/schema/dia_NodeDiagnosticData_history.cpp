// The per-node data of a contact diagnostic, a class that no longer exists: the auxiliary data
// block, its base, now carries the node labels itself.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_NodeDiagnosticData";
constexpr std::uint32_t kTypeId = 0x2B0015;
constexpr std::uint32_t kAuxiliaryDataId = 0x2B0014;

class dia_NodeDiagnosticData_415 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 415, {{"m_label", kInt}, {"m_instanceName", kString}},
                  kAuxiliaryDataId);
  }
  void ClassesToDelete(dbc_DatabaseConverter& converter) override {
    DeleteRemovedClass(converter, kClass, kTypeId);
  }
};

}  // namespace

void dia_RegisterNodeDiagnosticDataHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_NodeDiagnosticData_415), 4);
}
