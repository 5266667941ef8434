// Older stored layouts of the step record. Up to version 434 the incrementation scheme was
// stored as its display text; the step conversion turns it into the canonical string.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_Step";
constexpr std::uint32_t kTypeId = 0x2B0002;

cls_ClassMetadata& Declare317Layout(cls_ClassRegistrar& registrar, int version) {
  return DeclareLayout(registrar, kClass, kTypeId, version,
                       {{"m_stepNumber", kInt},
                        {"m_stepName", kString},
                        {"m_isStabilized", kBool},
                        {"m_stabilizeFactor", kDouble},
                        {"m_incrementList", kObjectList},
                        {"m_isNlgeom", kBool},
                        {"m_isUnsymm", kBool},
                        {"m_isPerturbation", kBool},
                        {"m_isRiks", kBool},
                        {"m_lproc", kInt},
                        {"m_incrementationScheme", kEnum}});
}

cls_ClassMetadata& Declare415Layout(cls_ClassRegistrar& registrar, int version) {
  return DeclareLayout(registrar, kClass, kTypeId, version,
                       {{"m_stepNumber", kInt},
                        {"m_stepName", kString},
                        {"m_lproc", kInt},
                        {"m_isPerturbation", kBool},
                        {"m_isRiks", kBool},
                        {"m_incrementList", kObjectList},
                        {"m_stepTimeCompleted", kDouble},
                        {"m_incrementsCompleted", kInt},
                        {"m_incrementationScheme", kEnum},
                        {"m_isNlgeom", kBool},
                        {"m_timePeriod", kDouble},
                        {"m_initialTimeIncrement", kDouble},
                        {"m_minimumTimeIncrement", kDouble},
                        {"m_maximumTimeIncrement", kDouble},
                        {"m_isStabilized", kBool},
                        {"m_stabilizeFactor", kDouble},
                        {"m_isUnsymm", kBool},
                        {"m_characteristicElementLength", kDouble}});
}

cls_ClassMetadata& Declare434Layout(cls_ClassRegistrar& registrar, int version) {
  return DeclareLayout(registrar, kClass, kTypeId, version,
                       {{"m_stepNumber", kInt},
                        {"m_stepName", kString},
                        {"m_lproc", kInt},
                        {"m_isPerturbation", kBool},
                        {"m_isRiks", kBool},
                        {"m_incrementList", kObjectList},
                        {"m_stepTimeCompleted", kDouble},
                        {"m_incrementsCompleted", kInt},
                        {"m_incrementationScheme", kEnum},
                        {"m_timePeriod", kDouble},
                        {"m_initialTimeIncrement", kDouble},
                        {"m_minimumTimeIncrement", kDouble},
                        {"m_maximumTimeIncrement", kDouble},
                        {"m_maximumNumberOfIncrements", kInt},
                        {"m_isStabilized", kBool},
                        {"m_stabilizeFactor", kDouble},
                        {"m_isUnsymm", kBool},
                        {"m_isNlgeom", kBool},
                        {"m_solverCode", kInt},
                        {"m_extrapolationCode", kInt},
                        {"m_characteristicElementLength", kDouble},
                        {"m_contactDiagnosticList", kObjectList}});
}

// A step stored before the scheme existed (309) keeps it missing.
void* ConvertStep(const dbc_Row& stored, dbc_Row& converted, int) {
  if (!stored.Has("m_incrementationScheme")) return nullptr;
  MapText(stored, converted, "m_incrementationScheme",
          {{"Auto incrementation", "AUTO_INCREMENTATION"},
           {"Direct incrementation", "DIRECT_INCREMENTATION"},
           {"Direct no stop incrementation", "DIRECT_NO_STOP_INCREMENTATION"}});
  return nullptr;
}

class dia_Step_309 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 309,
                  {{"m_stepNumber", kInt},
                   {"m_stepName", kString},
                   {"m_isStabilizeActive", kBool},
                   {"m_stabilizeFactor", kDouble},
                   {"m_incrementList", kObjectList}});
  }
};

class dia_Step_317 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    Declare317Layout(registrar, 317);
  }
};

class dia_Step_410 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    AddFields(Declare317Layout(registrar, 410),
              {{"m_characteristicElementLength", kDouble},
               {"m_timePeriod", kDouble},
               {"m_initialTimeIncrement", kDouble},
               {"m_minimumTimeIncrement", kDouble},
               {"m_maximumTimeIncrement", kDouble}},
              11);
  }
};

class dia_Step_415 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    Declare415Layout(registrar, 415);
  }
};

class dia_Step_418 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    AddFields(Declare415Layout(registrar, 418), {{"m_contactDiagnosticList", kObjectList}}, 18);
  }
};

class dia_Step_434 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    Declare434Layout(registrar, 434);
  }
  void SchemaChanges(dbc_DatabaseConverter& converter) override {
    BindRowFunction(converter, 1001, kClass, kTypeId, 434, &ConvertStep);
  }
};

class dia_Step_1001 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    Declare434Layout(registrar, 1001);
  }
};

}  // namespace

void dia_RegisterStepHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_Step_309), 4);
  registrar.Register(dbc_OldClassHandle(new dia_Step_317), 4);
  registrar.Register(dbc_OldClassHandle(new dia_Step_410), 4);
  registrar.Register(dbc_OldClassHandle(new dia_Step_415), 4);
  registrar.Register(dbc_OldClassHandle(new dia_Step_418), 4);
  registrar.Register(dbc_OldClassHandle(new dia_Step_434), 4);
  registrar.Register(dbc_OldClassHandle(new dia_Step_1001), 4);
}
