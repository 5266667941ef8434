// The diagnostics module: start and stop, type identifiers and type-name table.
//
// Type identifiers of the module are component 43 in the upper 16 bits and the class index in the
// lower 16; index 0 names no class. dia_ArchEntry() returns the module's type-name table (26
// entries, the placeholder at index 0 included); the table is static data, valid for the life of
// the process. ZunRomDia_initialize / _finalize are reference counted by the module's own counter
// and raise / lower the caller's int& when that counter leaves / returns to 0. Not locked.
#pragma once

#include <cstdint>

#include "ddb/platform/typ_ArchCompTable.h"

constexpr std::uint32_t dia_Component = 43;

constexpr std::uint32_t dia_TypeId_DiagnosticData = 0x2b0001;
constexpr std::uint32_t dia_TypeId_Step = 0x2b0002;
constexpr std::uint32_t dia_TypeId_Increment = 0x2b0003;
constexpr std::uint32_t dia_TypeId_Attempt = 0x2b0004;
constexpr std::uint32_t dia_TypeId_Iteration = 0x2b0005;
constexpr std::uint32_t dia_TypeId_FieldCriteria = 0x2b0006;
constexpr std::uint32_t dia_TypeId_ConstraintCriteria = 0x2b0007;
constexpr std::uint32_t dia_TypeId_ContactDiagnostic = 0x2b0008;
constexpr std::uint32_t dia_TypeId_NumericalSingularity = 0x2b0009;
constexpr std::uint32_t dia_TypeId_ZeroPivot = 0x2b000a;
constexpr std::uint32_t dia_TypeId_NumericalProblemSummary = 0x2b000b;
constexpr std::uint32_t dia_TypeId_NumericalProblemSummaryInfo = 0x2b000c;
constexpr std::uint32_t dia_TypeId_WarningErrorData = 0x2b000d;
constexpr std::uint32_t dia_TypeId_WarningErrorBase = 0x2b000e;
constexpr std::uint32_t dia_TypeId_Warning = 0x2b000f;
constexpr std::uint32_t dia_TypeId_Error = 0x2b0010;
constexpr std::uint32_t dia_TypeId_Residual = 0x2b0011;
constexpr std::uint32_t dia_TypeId_CompatibilityError = 0x2b0012;
constexpr std::uint32_t dia_TypeId_ElementDiagnostic = 0x2b0013;
constexpr std::uint32_t dia_TypeId_AuxiliaryData = 0x2b0014;
constexpr std::uint32_t dia_TypeId_NodeDiagnosticData = 0x2b0015;
constexpr std::uint32_t dia_TypeId_ElementDiagnosticData = 0x2b0016;
constexpr std::uint32_t dia_TypeId_DiagnosticBase = 0x2b0017;
constexpr std::uint32_t dia_TypeId_ContactIteration = 0x2b0018;
constexpr std::uint32_t dia_TypeId_XplStatus = 0x2b0019;

typ_ArchCompEntry dia_ArchEntry();
// The persisted class name of a diagnostics type identifier; null when it names no class.
const char* dia_TypeNameOf(std::uint32_t typeId);

void ZunRomDia_initialize(int& n);
void ZunRomDia_finalize(int& n);
int ZunRomDia_Count();
