// The module steps of start-up and shut-down that belong to the modules' own classes: class
// metadata, older schema versions and module state. Called by ZunRomDia_* / ZunRomDdr_* only,
// once per module start or stop, from one thread.
#pragma once

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
