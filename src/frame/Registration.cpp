#include "frame/Registration.h"

#include "ddb/diagnostics/dia_Attempt.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"
#include "ddb/diagnostics/dia_Increment.h"
#include "ddb/diagnostics/dia_Iteration.h"
#include "ddb/diagnostics/dia_Step.h"
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
}

void dia_RegisterOldVersions() {}

void dia_FinalizeThreadCatalogs() {}

void ddr_InitializeModuleState() {}

void ddr_RegisterClasses() {}

void ddr_RegisterOldVersions() {}

void ddr_FinalizeModuleState() {}
