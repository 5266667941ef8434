// The per-element data of a contact or element diagnostic, a class that no longer exists: the
// auxiliary data block, its base, now carries the element labels itself.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_ElementDiagnosticData";
constexpr std::uint32_t kTypeId = 0x2B0016;
constexpr std::uint32_t kAuxiliaryDataId = 0x2B0014;

class dia_ElementDiagnosticData_415 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 415,
                  {{"m_label", kInt},
                   {"m_instanceName", kString},
                   {"m_pointNumber", kInt},
                   {"m_faceLabel", kString}},
                  kAuxiliaryDataId);
  }
  void ClassesToDelete(dbc_DatabaseConverter& converter) override {
    DeleteRemovedClass(converter, kClass, kTypeId);
  }
};

}  // namespace

void dia_RegisterElementDiagnosticDataHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_ElementDiagnosticData_415), 4);
}
