// Older stored layouts of the database record and the steps that bring a row of each up to
// the next layout.
#include "ddb/frame/ZunRomDdr.h"
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"
#include "schema/dbc_Utils.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "ddr_Ddb";
constexpr std::uint32_t kTypeId = ddr_TypeId_Ddb;
constexpr std::uint32_t kModelId = ddr_TypeId_Model;
constexpr std::uint32_t kDiagnosticDataId = 0x2B0001;

constexpr OldField kPlainFields[] = {
    {"name", kString},         {"modifyTime", kInt},
    {"creationTime", kInt},    {"analysisVersion", kString},
    {"sequenceData", kString}, {"onlyHasUserDefinedData", kBool},
    {"description", kString},  {"ddbVersion", kInt},
};

void AddPlainFields(cls_ClassMetadata& metadata, int firstIndex) {
  for (const OldField& f : kPlainFields) AddFields(metadata, {f}, firstIndex++);
}

// Versions 203 and 204; 309 adds the single diagnostics object after "userData".
void DeclareEarlyLayout(cls_ClassRegistrar& registrar, int version, bool withDiagnostics) {
  cls_ClassMetadata& metadata =
      DeclareLayout(registrar, kClass, kTypeId, version,
                    {{"models", kObjectMap}, {"results", kObjectMap}, {"userData", kObjectMap}});
  int next = 3;
  if (withDiagnostics) AddFields(metadata, {{"diagnosticData", Member(kDiagnosticDataId)}}, next++);
  AddPlainFields(metadata, next);
}

// Versions 321, 818 and 848; 848 also declares the small table extent quantum.
void DeclareListLayout(cls_ClassRegistrar& registrar, int version, bool withExtentQuantum) {
  cls_ClassMetadata& metadata = DeclareLayout(registrar, kClass, kTypeId, version,
                                              {{"models", MapOf(kModelId)},
                                               {"results", kObjectMap},
                                               {"userData", kObjectMap},
                                               {"diagnosticData", kObjectList}});
  AddPlainFields(metadata, 4);
  if (withExtentQuantum)
    metadata.AddTableExtentQuantum(cls_ExtQuant::Instance().ExtentQuantumConstSmall());
  AddFields(metadata, {{"productAddOns", kEmbeddedList}}, 12);
}

void* Upgrade_ddr_Ddb_203_204(const dbc_Row& in, dbc_Row& out, int) {
  if (!dbc_Utils::IsPresentAndSet(in, "sequenceData"))
    out.SetText("sequenceData", "prior to 2000_04_25-21.21.10 17429");
  if (!dbc_Utils::IsPresentAndSet(in, "onlyHasUserDefinedData"))
    out.SetText("onlyHasUserDefinedData", "0");
  if (!dbc_Utils::IsPresentAndSet(in, "description")) out.SetText("description", "");
  out.SetText("ddbVersion", "1804");
  for (const char* field : {"models", "results", "userData"})
    if (!dbc_Utils::IsPresentAndSet(in, std::string(field) + "#OID"))
      dbc_Utils::SetNewAttributeMapInOutputDatabase(out, field);
  return nullptr;
}

void* Upgrade_ddr_Ddb_204_309(const dbc_Row&, dbc_Row& out, int) {
  dbc_Utils::SetNewAttributeMapListInOutputDatabase(out, "diagnosticData");
  return nullptr;
}

void CopyIfSet(const dbc_Row& in, dbc_Row& out, const std::string& field) {
  if (dbc_Utils::IsPresentAndSet(in, field)) out.SetText(field, in.GetText(field));
}

// The single diagnostics object of version 309 is not carried into the list of version 321.
void* Upgrade_ddr_Ddb_309_321(const dbc_Row& in, dbc_Row& out, int) {
  for (const char* field : {"ddbVersion", "creationTime", "onlyHasUserDefinedData", "modifyTime",
                            "description", "analysisVersion", "name", "sequenceData"})
    CopyIfSet(in, out, field);
  for (const char* field : {"models", "productAddOns", "results", "userData"}) {
    const std::string classId = std::string(field) + "#ClassID";
    const std::string oid = std::string(field) + "#OID";
    if (!dbc_Utils::IsPresentAndSet(in, classId) || !dbc_Utils::IsPresentAndSet(in, oid)) continue;
    out.SetText(classId, in.GetText(classId));
    out.SetText(oid, in.GetText(oid));
  }
  dbc_Utils::SetNewAttributeMapListInOutputDatabase(out, "diagnosticData");
  return nullptr;
}

void* Upgrade_ddr_Ddb_848_1307(const dbc_Row& in, dbc_Row& out, int) {
  if (!dbc_Utils::IsPresentAndSet(in, "customData#OID"))
    dbc_Utils::SetNewAttributeMapInOutputDatabase(out, "customData");
  return nullptr;
}

// Registers the step from `fromVersion` at `level`, with its row function when it has one;
// a step without one relies on the default copy of the fields both layouts share.
void DeclareStep(dbc_DatabaseConverter& converter, int level, int fromVersion,
                 dbc_ConversionFn fn) {
  dbc_ClassConverter& step = converter.GetConverter(level).Upgrade(kClass, kTypeId, fromVersion);
  if (fn) step.BindConversionFunction(fn);
}

class ddr_Ddb_203 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareEarlyLayout(registrar, 203, false);
  }
  void SchemaChanges(dbc_DatabaseConverter& converter) override {
    DeclareStep(converter, 203, 203, &Upgrade_ddr_Ddb_203_204);
  }
};

class ddr_Ddb_204 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareEarlyLayout(registrar, 204, false);
  }
  void SchemaChanges(dbc_DatabaseConverter& converter) override {
    DeclareStep(converter, 309, 204, &Upgrade_ddr_Ddb_204_309);
  }
};

class ddr_Ddb_309 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareEarlyLayout(registrar, 309, true);
  }
  void SchemaChanges(dbc_DatabaseConverter& converter) override {
    DeclareStep(converter, 321, 309, &Upgrade_ddr_Ddb_309_321);
  }
};

class ddr_Ddb_321 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareListLayout(registrar, 321, false);
  }
  void SchemaChanges(dbc_DatabaseConverter& converter) override {
    DeclareStep(converter, 818, 321, nullptr);
  }
};

class ddr_Ddb_818 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareListLayout(registrar, 818, false);
  }
  void SchemaChanges(dbc_DatabaseConverter& converter) override {
    DeclareStep(converter, 848, 818, nullptr);
  }
};

class ddr_Ddb_848 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareListLayout(registrar, 848, true);
  }
  void SchemaChanges(dbc_DatabaseConverter& converter) override {
    DeclareStep(converter, 1307, 848, &Upgrade_ddr_Ddb_848_1307);
  }
};

}  // namespace

void ddr_RegisterDdbHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new ddr_Ddb_203), 4);
  registrar.Register(dbc_OldClassHandle(new ddr_Ddb_204), 4);
  registrar.Register(dbc_OldClassHandle(new ddr_Ddb_309), 4);
  registrar.Register(dbc_OldClassHandle(new ddr_Ddb_321), 4);
  registrar.Register(dbc_OldClassHandle(new ddr_Ddb_818), 4);
  registrar.Register(dbc_OldClassHandle(new ddr_Ddb_848), 4);
}
