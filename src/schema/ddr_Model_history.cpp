// Older stored layouts of the model record.
//
// The steps between them rework the model's surroundings rather than the model row: 203 to 401
// moves the containers of the suite's classic model class into the model's extension table,
// 401 to 857 turns connector properties into connector sections, 857 to 874 turns connectors
// into mesh elements, sets, section assignments and connector orientations. Every row and table
// they read or create belongs to classes of other libraries of the suite, which files of this
// system do not hold, and a conversion here works on one row while it is read. So the row and
// table functions are bound to keep the chain complete, and they leave the model row as stored:
// its "modelName" is unchanged by every step, and a model without "instanceTable" reads with an
// empty extension table.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "ddr_Model";
constexpr std::uint32_t kTypeId = 0x220007;
constexpr std::uint32_t kExtensionTableId = 0x220018;

void DeclareExtensionLayout(cls_ClassRegistrar& registrar, int version) {
  DeclareLayout(registrar, kClass, kTypeId, version,
                {{"modelName", kString}, {"instanceTable", Member(kExtensionTableId)}});
}

// With "instanceTable" already set there is nothing to do; without it the step would build the
// extension table from the classic model's rows, which are not stored here.
void* UpgradeModel_203_401(const dbc_Row&, dbc_Row&, int) {
  return nullptr;
}

// Releases the classic model table that the 203 step would have cached; none is ever cached.
void FinalizeModel_203_401(dbc_DatabaseConverter&) {}

// The connector properties live in an extension container of another library.
void* UpgradeModel_401_857(const dbc_Row&, dbc_Row&, int) {
  return nullptr;
}

// The connectors and the assembly's mesh live in tables of other libraries.
void* UpgradeModel_857_874(const dbc_Row&, dbc_Row&, int) {
  return nullptr;
}

// Completes the section-assignment and connector-orientation tables, which no row step fills.
void FinalizeModel_857_874(dbc_DatabaseConverter&) {}

dbc_ClassConverter& Step(dbc_DatabaseConverter& converter, int level, int fromVersion,
                         dbc_ConversionFn fn) {
  dbc_ClassConverter& step = converter.GetConverter(level).Upgrade(kClass, kTypeId, fromVersion);
  step.BindConversionFunction(fn);
  return step;
}

class ddr_Model_203 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 203, {{"modelName", kString}});
  }
  void SchemaChanges(dbc_DatabaseConverter& converter) override {
    Step(converter, 401, 203, &UpgradeModel_203_401).BindFinalizeFunction(&FinalizeModel_203_401);
  }
};

class ddr_Model_401 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareExtensionLayout(registrar, 401);
  }
  void SchemaChanges(dbc_DatabaseConverter& converter) override {
    Step(converter, 857, 401, &UpgradeModel_401_857);
  }
};

class ddr_Model_857 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareExtensionLayout(registrar, 857);
  }
  void SchemaChanges(dbc_DatabaseConverter& converter) override {
    Step(converter, 874, 857, &UpgradeModel_857_874).BindFinalizeFunction(&FinalizeModel_857_874);
  }
};

}  // namespace

void ddr_RegisterModelHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new ddr_Model_203), 4);
  registrar.Register(dbc_OldClassHandle(new ddr_Model_401), 4);
  registrar.Register(dbc_OldClassHandle(new ddr_Model_857), 4);
}
