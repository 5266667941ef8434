// The data block of a warning or error, a class that no longer exists: the auxiliary data
// block took its place.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_WarningErrorData";
constexpr std::uint32_t kTypeId = 0x2B000D;
constexpr std::uint32_t kAuxiliaryDataId = 0x2B0014;

class dia_WarningErrorData_410 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 410,
                  {{"m_intValues", kIntArray},
                   {"m_realValues", kDoubleArray},
                   {"m_stringValues", kStringArray},
                   {"m_elementLabels", kIntArray},
                   {"m_elementInstanceNames", kStringArray},
                   {"m_nodeLabels", kIntArray},
                   {"m_nodeInstanceNames", kStringArray}});
  }
  // The class is deleted by the later layout; this one changes nothing.
  void SchemaChanges(dbc_DatabaseConverter&) override {}
};

// The value arrays and the variation are the base part's (the auxiliary data).
class dia_WarningErrorData_415 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 415,
                  {{"m_elementLabels", kIntArray},
                   {"m_elementInstanceNames", kStringArray},
                   {"m_nodeLabels", kIntArray},
                   {"m_nodeInstanceNames", kStringArray}},
                  kAuxiliaryDataId);
  }
  void ClassesToDelete(dbc_DatabaseConverter& converter) override {
    DeleteRemovedClass(converter, kClass, kTypeId);
  }
};

}  // namespace

void dia_RegisterWarningErrorDataHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_WarningErrorData_410), 4);
  registrar.Register(dbc_OldClassHandle(new dia_WarningErrorData_415), 4);
}
