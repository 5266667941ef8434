// The first stored layout of the auxiliary data block, before the element and node labels.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

class dia_AuxiliaryData_415 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, "dia_AuxiliaryData", 0x2B0014, 415,
                  {{"m_intValues", kIntArray},
                   {"m_realValues", kDoubleArray},
                   {"m_stringValues", kStringArray},
                   {"m_variation", kInt}});
  }
};

}  // namespace

void dia_RegisterAuxiliaryDataHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_AuxiliaryData_415), 4);
}
