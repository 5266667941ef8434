#include "frame/Registration.h"

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
#include "ddb/platform/dbc_OldClassRegistrar.h"
#include "schema/OldVersions.h"

// Each body is filled in by its module with that module's classes and versions, in registration
// order.

void dia_RegisterClasses() {
  cls_MetadataRegistrar& registrar = cls_MetadataRegistrar::Instance();
  registrar.initClassMetadata(&dia_DiagnosticData::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_Step::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_Increment::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_Attempt::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_Iteration::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_ContactIteration::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_Residual::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_CompatibilityError::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_AuxiliaryData::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_DiagnosticBase::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_ContactDiagnostic::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_ElementDiagnostic::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_WarningErrorBase::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_Warning::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_Error::InitializeMetadata, 4);
  registrar.initClassMetadata(&dia_XplStatus::InitializeMetadata, 4);
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
  cls_MetadataRegistrar& registrar = cls_MetadataRegistrar::Instance();
  registrar.initClassMetadata(&ddr_Ddb::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_Result::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_UserData::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_Model::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_ResultContainerShortcut::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_ResultContainerInDdbShortcut::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_ShortcutImpl<ddr_ResultMap>::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_UserDataContainerShortcut::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_UserDataContainerInDdbShortcut::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_ShortcutImpl<ddr_UserDataMap>::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_ModelContainerShortcut::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_ModelContainerInDdbShortcut::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_ShortcutImpl<ddr_ModelMap>::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_ShortcutImpl<ddr_Model>::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_ModelShortcut::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_ModelInModelContainerShortcut::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_DdbShortcut::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_DdbShortcutImpl::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_ShortcutImpl<ddr_Ddb>::InitializeMetadata, 4);
  registrar.initClassMetadata(&mdl_DdbExtensionTable<mdl_Extension>::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_CustomData::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_CustomDataContainerShortcut::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_CustomDataContainerInDdbShortcut::InitializeMetadata, 4);
  registrar.initClassMetadata(&ddr_ShortcutImpl<ddr_CustomDataMap>::InitializeMetadata, 4);
  // A root made before this start-up (or left from an earlier one) takes the classes now; one
  // made later builds its registrar itself on first use.
  if (ddr_Root::Exists()) ddr_Root::Instance().SetClassRegistrar(registrar.NewClassRegistrar());
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
