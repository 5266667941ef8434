// Older stored layouts of the warning/error base, which held the diagnostic's code and data
// itself before the diagnostic base took them over.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_WarningErrorBase";
constexpr std::uint32_t kTypeId = 0x2B000E;

// The code field (of the given kind and name) and then what every older layout shares.
void DeclareWithCode(cls_ClassRegistrar& registrar, int version, OldField code) {
  AddFields(DeclareLayout(registrar, kClass, kTypeId, version, {code}),
            {{"m_stepNumber", kInt},
             {"m_incrementNumber", kInt},
             {"m_attemptNumber", kInt},
             {"m_iterationNumber", kInt},
             {"m_data", kEmbeddedList}},
            1);
}

class dia_WarningErrorBase_410 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareWithCode(registrar, 410, {"m_code", kIntCode});
  }
};

class dia_WarningErrorBase_415 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareWithCode(registrar, 415, {"m_type", kInt});
  }
};

}  // namespace

// The newer layout has always been registered first.
void dia_RegisterWarningErrorBaseHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_WarningErrorBase_415), 4);
  registrar.Register(dbc_OldClassHandle(new dia_WarningErrorBase_410), 4);
}
