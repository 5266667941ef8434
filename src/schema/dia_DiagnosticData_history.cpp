// Older stored layouts of the job record. Fields added, dropped and moved between them are
// left to the framework's default conversion.
#include "schema/OldLayout.h"
#include "schema/OldVersions.h"

namespace {

using namespace schema_detail;

constexpr const char* kClass = "dia_DiagnosticData";
constexpr std::uint32_t kTypeId = 0x2B0001;
constexpr std::uint32_t kNumericalProblemSummaryId = 0x2B000B;

cls_ClassMetadata& DeclareFirstLayout(cls_ClassRegistrar& registrar, int version) {
  return DeclareLayout(registrar, kClass, kTypeId, version,
                       {{"m_status", kEnum},
                        {"m_jobUserTime", kDouble},
                        {"m_jobSystemTime", kDouble},
                        {"m_jobWallclockTime", kDouble},
                        {"m_stepList", kObjectList}});
}

cls_ClassMetadata& DeclareSummaryLayout(cls_ClassRegistrar& registrar, int version) {
  cls_ClassMetadata& metadata = DeclareFirstLayout(registrar, version);
  AddFields(metadata,
            {{"m_jobHistoryDescription", kIntArray},
             {"m_offsetToLastStepSubArray", kInt},
             {"m_numericalProblemSummary", Member(kNumericalProblemSummaryId)}},
            5);
  return metadata;
}

class dia_DiagnosticData_309 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareFirstLayout(registrar, 309);
  }
};

class dia_DiagnosticData_332 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareSummaryLayout(registrar, 332);
  }
};

class dia_DiagnosticData_410 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    AddFields(DeclareSummaryLayout(registrar, 410),
              {{"m_warningList", kObjectList}, {"m_errorList", kObjectList}}, 8);
  }
};

class dia_DiagnosticData_415 : public dbc_OldClassVersion {
 public:
  void InitializeMetadata(cls_ClassRegistrar& registrar) override {
    DeclareLayout(registrar, kClass, kTypeId, 415,
                  {{"m_jobStatus", kInt},
                   {"m_jobUserTime", kDouble},
                   {"m_jobSystemTime", kDouble},
                   {"m_jobWallclockTime", kDouble},
                   {"m_stepList", kObjectList},
                   {"m_jobHistoryDescription", kIntArray},
                   {"m_warningList", kObjectList},
                   {"m_errorList", kObjectList}});
  }
};

}  // namespace

void dia_RegisterDiagnosticDataHistory(dbc_OldClassRegistrar& registrar) {
  registrar.Register(dbc_OldClassHandle(new dia_DiagnosticData_309), 4);
  registrar.Register(dbc_OldClassHandle(new dia_DiagnosticData_332), 4);
  registrar.Register(dbc_OldClassHandle(new dia_DiagnosticData_410), 4);
  registrar.Register(dbc_OldClassHandle(new dia_DiagnosticData_415), 4);
}
