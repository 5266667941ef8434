// The database module: start and stop, type identifiers and type-name table.
//
// Type identifiers of the module are component 34 in the upper 16 bits and the class index in the
// lower 16; index 0 names no class. ddr_ArchEntry() returns the module's type-name table (31
// entries, the placeholder at index 0 included); the table is static data, valid for the life of
// the process. ZunRomDdr_initialize / _finalize are reference counted by the module's own counter
// and raise / lower the caller's int& when that counter leaves / returns to 0. Not locked.
#pragma once

#include <cstdint>

#include "ddb/platform/typ_ArchCompTable.h"

constexpr std::uint32_t ddr_Component = 34;

constexpr std::uint32_t ddr_TypeId_Result = 0x220001;
constexpr std::uint32_t ddr_TypeId_ResultContainer = 0x220002;
constexpr std::uint32_t ddr_TypeId_ResultContainerIMPLSC = 0x220003;
constexpr std::uint32_t ddr_TypeId_ResultContainerInDdbShortcut = 0x220004;
constexpr std::uint32_t ddr_TypeId_ResultContainerShortcut = 0x220005;
constexpr std::uint32_t ddr_TypeId_Ddb = 0x220006;
constexpr std::uint32_t ddr_TypeId_Model = 0x220007;
constexpr std::uint32_t ddr_TypeId_ModelContainer = 0x220008;
constexpr std::uint32_t ddr_TypeId_ModelContainerIMPLSC = 0x220009;
constexpr std::uint32_t ddr_TypeId_ModelContainerInDdbShortcut = 0x22000a;
constexpr std::uint32_t ddr_TypeId_ModelContainerShortcut = 0x22000b;
constexpr std::uint32_t ddr_TypeId_DdbIMPLSC = 0x22000c;
constexpr std::uint32_t ddr_TypeId_DdbShortcutImpl = 0x22000d;
constexpr std::uint32_t ddr_TypeId_DdbShortcut = 0x22000e;
constexpr std::uint32_t ddr_TypeId_DdbContainer = 0x22000f;
constexpr std::uint32_t ddr_TypeId_UserData = 0x220010;
constexpr std::uint32_t ddr_TypeId_UserDataContainer = 0x220011;
constexpr std::uint32_t ddr_TypeId_UserDataContainerIMPLSC = 0x220012;
constexpr std::uint32_t ddr_TypeId_UserDataContainerInDdbShortcut = 0x220013;
constexpr std::uint32_t ddr_TypeId_UserDataContainerShortcut = 0x220014;
constexpr std::uint32_t ddr_TypeId_ModelIMPLSC = 0x220015;
constexpr std::uint32_t ddr_TypeId_ModelShortcut = 0x220016;
constexpr std::uint32_t ddr_TypeId_ModelInModelContainerShortcut = 0x220017;
constexpr std::uint32_t ddr_TypeId_ExtensionTable = 0x220018;
constexpr std::uint32_t ddr_TypeId_ModelExtension = 0x220019;
constexpr std::uint32_t ddr_TypeId_CustomData = 0x22001a;
constexpr std::uint32_t ddr_TypeId_CustomDataContainer = 0x22001b;
constexpr std::uint32_t ddr_TypeId_CustomDataContainerIMPLSC = 0x22001c;
constexpr std::uint32_t ddr_TypeId_CustomDataContainerInDdbShortcut = 0x22001d;
constexpr std::uint32_t ddr_TypeId_CustomDataContainerShortcut = 0x22001e;

typ_ArchCompEntry ddr_ArchEntry();
// The persisted class name of a database type identifier; null when it names no class.
const char* ddr_TypeNameOf(std::uint32_t typeId);

void ZunRomDdr_initialize(int& n);
void ZunRomDdr_finalize(int& n);
int ZunRomDdr_Count();
