// Older stored layouts of the model record.
//
// The steps between them rework the model's surroundings rather than the model row: 203 to 401
// moves the containers of the suite's classic model class into the model's extension table,
// 401 to 857 turns connector properties into connector sections, 857 to 874 turns connectors
// into element sets, section assignments and connector orientations. They work in the
// database being converted (dbc_Row::Database); a row converted outside a file's conversion is
// left as it is. The rows they read and create belong to classes of other libraries; the
// layouts below declare the fields these steps use.
#include "schema/ModelParts.h"
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"
#include "schema/dbc_Utils.h"

namespace {

using namespace schema_detail;
using namespace model_detail;

constexpr const char* kClass = "ddr_Model";
constexpr std::uint32_t kTypeId = ddr_TypeId_Model;

void DeclareExtensionLayout(cls_ClassRegistrar& registrar, int version) {
  DeclareLayout(registrar, kClass, kTypeId, version,
                {{"modelName", kString}, {"instanceTable", Member(kExtensionTableId)}});
}

constexpr std::uint32_t kClassicModelId = 0x2a50001;

// The last row of the classic model table, read on the step's first row and kept for the
// conversion until the table step releases it; null when the file has none.
struct ClassicModelRow {
  bool present = false;
  dbc_Row row;
};

const dbc_Row* ClassicModel(dbc_Database& db) {
  std::shared_ptr<void>& state = db.StepState("odiK_Model");
  if (!state) {
    auto cached = std::make_shared<ClassicModelRow>();
    std::vector<std::int64_t> oids = db.RowOids(kClassicModelId);
    cached->present = !oids.empty() && db.ReadRow(kClassicModelId, oids.back(), cached->row);
    state = cached;
  }
  auto* cached = static_cast<ClassicModelRow*>(state.get());
  return cached->present ? &cached->row : nullptr;
}

void ReleaseClassicModel(dbc_DatabaseConverter& converter) {
  if (dbc_Database* db = converter.Database()) db->StepState("odiK_Model").reset();
}

// The model's extension table and its map: a new one when the row has none.
void* UpgradeModel_203_401(const dbc_Row& in, dbc_Row& out, int) {
  dbc_Database* db = out.Database();
  if (!db || dbc_Utils::IsPresentAndSet(in, "instanceTable#ClassID")) return nullptr;
  const std::int64_t map = db->NewOid();
  dbc_Row table;
  SetRef(table, "map", cls_ObjListTypeId, map);
  const std::int64_t tableOid = db->AddRow(db->CurrentClasses().Get(kExtensionTableId), table);
  SetRef(out, "instanceTable", kExtensionTableId, tableOid);
  const dbc_Row* classic = ClassicModel(*db);
  if (!classic) return nullptr;
  if (dbc_Utils::IsPresentAndSet(*classic, "steps#ClassID")) {
    dbc_Row wrapper;
    for (const char* f : {"steps#ClassID", "steps#OID", "stepsorder#ClassID", "stepsorder#OID"})
      if (classic->Has(f)) wrapper.SetText(f, classic->GetText(f));
    wrapper.SetText("##BaseClassOID", "-1");
    const std::int64_t oid = db->AddRow(Foreign(kStepWrapperId), wrapper);
    db->PutMapEntry(map, {"step", kStepWrapperId, oid});
  }
  for (const ModelContainer& c : kModelContainers) {
    const std::string attribute = c.classicAttribute;
    if (!dbc_Utils::IsPresentAndSet(*classic, attribute + "#ClassID")) continue;
    dbc_Row container;
    container.SetText("extension#ClassID", classic->GetText(attribute + "#ClassID"));
    container.SetText("extension#OID", classic->GetText(attribute + "#OID"));
    container.SetText("##BaseClassOID", "-1");
    db->PutMapEntry(map, {c.key, c.typeId, db->AddRow(Foreign(c.typeId), container)});
  }
  return nullptr;
}

void* UpgradeModel_401_857(const dbc_Row& in, dbc_Row&, int) {
  if (dbc_Database* db = in.Database()) ConnectorPropertiesToSections(*db, in);
  return nullptr;
}

void* UpgradeModel_857_874(const dbc_Row& in, dbc_Row&, int) {
  if (dbc_Database* db = in.Database()) ConnectorsToAssignments(*db, in);
  return nullptr;
}

void FinalizeModel_857_874(dbc_DatabaseConverter& converter) {
  if (dbc_Database* db = converter.Database()) CompleteAssignmentTables(*db);
}

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
    Step(converter, 401, 203, &UpgradeModel_203_401).BindFinalizeFunction(&ReleaseClassicModel);
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
