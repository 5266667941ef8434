// The module steps of start-up and shut-down that belong to the modules' own classes: class
// metadata, older schema versions and module state. Called by ZunRomDia_* / ZunRomDdr_* only,
// once per module start or stop, from one thread.
#pragma once

#include "ddb/platform/cls_ClassRegistrar.h"

// The persistent classes of a module, each once, in registration order: start-up declares
// exactly these, and a test checks them against the module's type-name table.
struct cls_ClassList {
  const cls_ClassRegistrar::InitFn* functions;
  int count;
  const cls_ClassRegistrar::InitFn* begin() const { return functions; }
  const cls_ClassRegistrar::InitFn* end() const { return functions + count; }
};
cls_ClassList dia_Classes();
cls_ClassList ddr_Classes();

// Diagnostics module: class metadata, older versions, and the calling thread's catalog tables.
void dia_RegisterClasses();
void dia_RegisterOldVersions();
void dia_FinalizeThreadCatalogs();

// Database module: the model-extension table, class metadata, older versions, and the teardown
// of the process-wide root and the extension table.
void ddr_InitializeModuleState();
void ddr_RegisterClasses();
void ddr_RegisterOldVersions();
void ddr_FinalizeModuleState();
// Closes every open database; raises when one cannot be closed (it stays open).
void ddr_CloseOpenDatabases();
