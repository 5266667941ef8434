// The first stored layout of the residual record. It has the fields of the current layout,
// but its enumerated fields hold the display texts of old releases; the residual conversion
// turns them into canonical strings. The stored texts are kept byte for byte as those
// releases wrote them, misspelling and cut-off last word included.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_Residual";
constexpr std::uint32_t kTypeId = 0x2B0011;

void* ConvertResidual(const dbc_Row& stored, dbc_Row& converted, int) {
  MapText(stored, converted, "m_fieldEquationType",
          {{"Displacement", "DISPLACEMENT_FIELD"},
           {"Rotation", "ROTATION_FIELD"},
           {"Temperature", "TEMPERATURE_FIELD"},
           {"Pore Liquid Pressure", "PORE_LIQUID_PRESSURE_FIELD"},
           {"Normalized Concentration", "NORMALIZED_CONCENTRATION_FIELD"},
           {"Fluid Pressure", "FLUID_PRESSURE_FIELD"},
           {"Electrical Potential", "ELECTRICAL_POTENTIAL_FIELD"},
           {"Piezo-electrical Potential", "PIEZO_ELECTRICAL_POTENTIAL_FIELD"},
           {"Material Flow", "MATERIAL_FLOW_FIELD"}});
  MapText(stored, converted, "m_residualCheck",
          {{"Residual accepted", "RESIDUAL_ACCEPTED"},
           {"Residual not accepted", "RESIDUAL_NOT_ACCEPTED"}});
  MapText(stored, converted, "m_correctionCheck",
          {{"Correcton accepted", "CORRECTION_ACCEPTED"},
           {"Correction accepted based on small increment", "CORRECTION_ACCEPTED_SMALL_INCREMENT"},
           {"Correction accepted based on estimated correctio",
            "CORRECTION_ACCEPTED_ESTIMATED_CORRECTION"},
           {"Correction not accepted", "CORRECTION_NOT_ACCEPTED"}});
  return nullptr;
}

class dia_Residual_410 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    AddCorrectionChecks(DeclareFieldCriteriaLayout(registrar, kClass, kTypeId, 410));
  }
  void SchemaChanges(dbc_DatabaseConverter& converter) override {
    BindRowFunction(converter, 1001, kClass, kTypeId, 410, &ConvertResidual);
  }
};

}  // namespace

void dia_RegisterResidualHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_Residual_410), 4);
}
