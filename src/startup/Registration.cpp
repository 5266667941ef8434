#include "startup/Registration.h"

#include <cstddef>

#include "ddb/catalog/dia_ContactMetadataTable.h"
#include "ddb/catalog/dia_ElementMetadataTable.h"
#include "ddb/catalog/dia_WarningErrorMetadataTable.h"
#include "ddb/database/ddr_CustomData.h"
#include "ddb/database/ddr_Ddb.h"
#include "ddb/database/ddr_DdbShortcutImpl.h"
#include "ddb/database/ddr_DictionaryShortcut.h"
#include "ddb/database/ddr_MemberShortcut.h"
#include "ddb/database/ddr_Model.h"
#include "ddb/database/ddr_Result.h"
#include "ddb/database/ddr_Root.h"
#include "ddb/database/ddr_UserData.h"
#include "ddb/database/mdl_DdbExtensionTable.h"
#include "ddb/database/mdl_Extension.h"
#include "ddb/diagnostics/dia_Attempt.h"
#include "ddb/diagnostics/dia_AuxiliaryData.h"
#include "ddb/diagnostics/dia_CompatibilityError.h"
#include "ddb/diagnostics/dia_ContactDiagnostic.h"
#include "ddb/diagnostics/dia_ContactIteration.h"
#include "ddb/diagnostics/dia_DiagnosticBase.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"
#include "ddb/diagnostics/dia_ElementDiagnostic.h"
#include "ddb/diagnostics/dia_Error.h"
#include "ddb/diagnostics/dia_Increment.h"
#include "ddb/diagnostics/dia_Iteration.h"
#include "ddb/diagnostics/dia_Residual.h"
#include "ddb/diagnostics/dia_Step.h"
#include "ddb/diagnostics/dia_Warning.h"
#include "ddb/diagnostics/dia_WarningErrorBase.h"
#include "ddb/diagnostics/dia_XplStatus.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "platform/persist/dbc_OldClassRegistrar.h"
#include "schema/OldVersions.h"

namespace {

constexpr cls_ClassRegistrar::InitFn kDiagnosticsClasses[] = {
    &dia_DiagnosticData::InitializeMetadata,
    &dia_Step::InitializeMetadata,
    &dia_Increment::InitializeMetadata,
    &dia_Attempt::InitializeMetadata,
    &dia_Iteration::InitializeMetadata,
    &dia_ContactIteration::InitializeMetadata,
    &dia_Residual::InitializeMetadata,
    &dia_CompatibilityError::InitializeMetadata,
    &dia_AuxiliaryData::InitializeMetadata,
    &dia_DiagnosticBase::InitializeMetadata,
    &dia_ContactDiagnostic::InitializeMetadata,
    &dia_ElementDiagnostic::InitializeMetadata,
    &dia_WarningErrorBase::InitializeMetadata,
    &dia_Warning::InitializeMetadata,
    &dia_Error::InitializeMetadata,
    &dia_XplStatus::InitializeMetadata,
};

constexpr cls_ClassRegistrar::InitFn kDatabaseClasses[] = {
    &ddr_Ddb::InitializeMetadata,
    &ddr_Result::InitializeMetadata,
    &ddr_UserData::InitializeMetadata,
    &ddr_Model::InitializeMetadata,
    &ddr_ResultContainerShortcut::InitializeMetadata,
    &ddr_ResultContainerInDdbShortcut::InitializeMetadata,
    &ddr_ShortcutImpl<ddr_ResultMap>::InitializeMetadata,
    &ddr_UserDataContainerShortcut::InitializeMetadata,
    &ddr_UserDataContainerInDdbShortcut::InitializeMetadata,
    &ddr_ShortcutImpl<ddr_UserDataMap>::InitializeMetadata,
    &ddr_ModelContainerShortcut::InitializeMetadata,
    &ddr_ModelContainerInDdbShortcut::InitializeMetadata,
    &ddr_ShortcutImpl<ddr_ModelMap>::InitializeMetadata,
    &ddr_ShortcutImpl<ddr_Model>::InitializeMetadata,
    &ddr_ModelShortcut::InitializeMetadata,
    &ddr_ModelInModelContainerShortcut::InitializeMetadata,
    &ddr_DdbShortcut::InitializeMetadata,
    &ddr_DdbShortcutImpl::InitializeMetadata,
    &ddr_ShortcutImpl<ddr_Ddb>::InitializeMetadata,
    &mdl_DdbExtensionTable<mdl_Extension>::InitializeMetadata,
    &ddr_CustomData::InitializeMetadata,
    &ddr_CustomDataContainerShortcut::InitializeMetadata,
    &ddr_CustomDataContainerInDdbShortcut::InitializeMetadata,
    &ddr_ShortcutImpl<ddr_CustomDataMap>::InitializeMetadata,
};

template <std::size_t N>
cls_ClassList ListOf(const cls_ClassRegistrar::InitFn (&functions)[N]) {
  return {functions, static_cast<int>(N)};
}

void Register(cls_ClassList classes) {
  for (cls_ClassRegistrar::InitFn fn : classes)
    cls_MetadataRegistrar::Instance().initClassMetadata(fn, 4);
}

}  // namespace

cls_ClassList dia_Classes() {
  return ListOf(kDiagnosticsClasses);
}

cls_ClassList ddr_Classes() {
  return ListOf(kDatabaseClasses);
}

void dia_RegisterClasses() {
  Register(dia_Classes());
}

void dia_RegisterOldVersions() {
  dbc_OldClassRegistrar& registrar = dbc_OldClassRegistrar::Instance();
  dia_RegisterDiagnosticDataHistory(registrar);
  dia_RegisterStepHistory(registrar);
  dia_RegisterIncrementHistory(registrar);
  dia_RegisterAttemptHistory(registrar);
  dia_RegisterIterationHistory(registrar);
  dia_RegisterContactDiagnosticHistory(registrar);
  dia_RegisterElementDiagnosticHistory(registrar);
  dia_RegisterWarningErrorBaseHistory(registrar);
  dia_RegisterAuxiliaryDataHistory(registrar);
  dia_RegisterResidualHistory(registrar);
  dia_RegisterCompatibilityErrorHistory(registrar);
  dia_RegisterFieldCriteriaHistory(registrar);
  dia_RegisterConstraintCriteriaHistory(registrar);
  dia_RegisterNumericalProblemSummaryInfoHistory(registrar);
  dia_RegisterNumericalProblemSummaryHistory(registrar);
  dia_RegisterZeroPivotHistory(registrar);
  dia_RegisterNumericalSingularityHistory(registrar);
  dia_RegisterWarningErrorDataHistory(registrar);
  dia_RegisterNodeDiagnosticDataHistory(registrar);
  dia_RegisterElementDiagnosticDataHistory(registrar);
}

void dia_FinalizeThreadCatalogs() {
  dia_WarningErrorMetadataTable::Finalize();
  dia_ElementMetadataTable::Finalize();
  dia_ContactMetadataTable::Finalize();
}

void ddr_InitializeModuleState() {
  ddr_ModelExtensionSubject::Initialize();
}

// The root's registrar is built once every class of both modules is declared.
void ddr_RegisterClasses() {
  Register(ddr_Classes());
  // A root made before this start-up (or left from an earlier one) takes the classes now; one
  // made later builds its registrar itself on first use.
  if (ddr_Root::Exists())
    ddr_Root::Instance().SetClassRegistrar(cls_MetadataRegistrar::Instance().NewClassRegistrar());
}

void ddr_RegisterOldVersions() {
  dbc_OldClassRegistrar& registrar = dbc_OldClassRegistrar::Instance();
  ddr_RegisterModelHistory(registrar);
  ddr_RegisterDdbHistory(registrar);
}

void ddr_CloseOpenDatabases() {
  ddr_Root::Instance().CloseAll();
}

void ddr_FinalizeModuleState() {
  ddr_Root::Finalize();
  ddr_ModelExtensionSubject::Finalize();
}
