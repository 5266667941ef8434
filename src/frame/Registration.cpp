#include "frame/Registration.h"

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

void dia_RegisterOldVersions() {}

void dia_FinalizeThreadCatalogs() {}

void ddr_InitializeModuleState() {}

void ddr_RegisterClasses() {}

void ddr_RegisterOldVersions() {}

void ddr_FinalizeModuleState() {}
