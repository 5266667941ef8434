// Older stored layouts of the contact diagnostic, before it derived from the diagnostic base.
// Their fields have no counterpart in the current layout; the default conversion drops them.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_ContactDiagnostic";
constexpr std::uint32_t kTypeId = 0x2B0008;

// The type and fifteen parallel arrays: node data, face data and gap-element data.
cls_ClassMetadata& DeclareArrayLayout(cls_ClassRegistrar& registrar, int version) {
  return DeclareLayout(registrar, kClass, kTypeId, version,
                       {{"m_contactDiagnosticType", kEnum},
                        {"m_nodeLabels", kIntArray},
                        {"m_nodeInstanceNames", kStringArray},
                        {"m_nodeSlaveSurfaceNames", kStringArray},
                        {"m_nodeMasterSurfaceNames", kStringArray},
                        {"m_nodeValues", kDoubleArray},
                        {"m_elementLabels", kIntArray},
                        {"m_elementFaceLabels", kStringArray},
                        {"m_elementInstanceNames", kStringArray},
                        {"m_elementSlaveSurfaceNames", kStringArray},
                        {"m_elementMasterSurfaceNames", kStringArray},
                        {"m_elementValues", kDoubleArray},
                        {"m_gapElementLabels", kIntArray},
                        {"m_gapElementInstanceNames", kStringArray},
                        {"m_gapElementPoints", kIntArray},
                        {"m_gapElementValues", kDoubleArray}});
}

class dia_ContactDiagnostic_312 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 312, {{"m_contactDiagnosticType", kEnum}});
  }
};

class dia_ContactDiagnostic_321 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareArrayLayout(registrar, 321);
  }
};

class dia_ContactDiagnostic_408 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareArrayLayout(registrar, 408);
  }
};

class dia_ContactDiagnostic_415 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 415,
                  {{"m_code", kInt},
                   {"m_nodeData", kEmbeddedList},
                   {"m_elementData", kEmbeddedList},
                   {"m_hasPoints", kBool},
                   {"m_hasFaces", kBool}});
  }
};

}  // namespace

void dia_RegisterContactDiagnosticHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_ContactDiagnostic_312), 4);
  registrar.Register(dbc_OldClassHandle(new dia_ContactDiagnostic_321), 4);
  registrar.Register(dbc_OldClassHandle(new dia_ContactDiagnostic_408), 4);
  registrar.Register(dbc_OldClassHandle(new dia_ContactDiagnostic_415), 4);
}
