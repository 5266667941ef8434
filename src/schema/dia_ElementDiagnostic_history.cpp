// Older stored layouts of the element diagnostic, before it derived from the diagnostic base.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_ElementDiagnostic";
constexpr std::uint32_t kTypeId = 0x2B0013;

class dia_ElementDiagnostic_410 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 410,
                  {{"m_code", kInt}, {"m_labels", kIntArray}, {"m_instanceNames", kStringArray}});
  }
};

class dia_ElementDiagnostic_415 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 415,
                  {{"m_code", kInt},
                   {"m_elementData", kEmbeddedList},
                   {"m_hasPoints", kBool},
                   {"m_hasFaces", kBool}});
  }
};

}  // namespace

void dia_RegisterElementDiagnosticHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_ElementDiagnostic_410), 4);
  registrar.Register(dbc_OldClassHandle(new dia_ElementDiagnostic_415), 4);
}
