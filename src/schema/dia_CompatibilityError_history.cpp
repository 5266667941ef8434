// The first stored layout of the compatibility error. It has the fields of the current layout;
// only the constraint type was stored as its display text, which the conversion turns into the
// canonical string.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_CompatibilityError";
constexpr std::uint32_t kTypeId = 0x2B0012;

void* ConvertCompatibilityError(const dbc_Row& stored, dbc_Row& converted, int) {
  MapText(stored, converted, "m_constraintEquationType",
          {{"Pressure Stress", "PRESSURE_STRESS_CONSTRAINT"},
           {"Axial Force", "AXIAL_FORCE_CONSTRAINT"},
           {"Transverse Shear Force", "TRANSVERSE_SHEAR_FORCE_CONSTRAINT"},
           {"Coupling Force", "COUPLING_FORCE_CONSTRAINT"},
           {"Coupling Moment", "COUPLING_MOMENT_CONSTRAINT"}});
  return nullptr;
}

class dia_CompatibilityError_410 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareConstraintCriteriaLayout(registrar, kClass, kTypeId, 410);
  }
  void SchemaChanges(dbc_DatabaseConverter& converter) override {
    BindRowFunction(converter, 1001, kClass, kTypeId, 410, &ConvertCompatibilityError);
  }
};

}  // namespace

void dia_RegisterCompatibilityErrorHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_CompatibilityError_410), 4);
}
