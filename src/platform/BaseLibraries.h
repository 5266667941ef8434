// Entry points of the base service libraries this library builds on.
//
// Each library is started by X_initialize and stopped by X_finalize, both reference counted by the
// library's own counter: only the first initialise and the last finalise do work. The caller's
// counter is accepted to keep the suite's calling convention but is left unchanged here (the
// library entry points account for it themselves). What each library owns:
//   ZunRomCore       the type-name registry (typ_ArchCompTable) and the debug flags
//   ZunKelGeom       the threading base: global lock and the per-thread singleton registry
//   ZunKelBasicUtils the translatable-format service (atr_String translator)
//   ZunBasShared     the container settings (cow_String natural-order switch)
//   ZunBasVelt       the text-encoding converters of ZunBasI18n
//   ZunBasCoreUtils  the running-edition singleton ZunBasUtlVersion
//   ZunBasAlloc      the allocator's live-object accounting
//
// Every call (counted or not) is appended to a process-wide call log, e.g. "ZunRomCore_initialize";
// the library's own entry points log there too, so the start-up and shut-down order can be
// observed. Not locked beyond the log: call from one thread, as at process attach and detach.
#pragma once

#include <string>
#include <vector>

void ZunRomCore_initialize(int& n);
void ZunRomCore_finalize(int& n);
void ZunKelGeom_initialize(int& n);
void ZunKelGeom_finalize(int& n);
void ZunKelBasicUtils_initialize(int& n);
void ZunKelBasicUtils_finalize(int& n);
void ZunBasShared_initialize(int& n);
void ZunBasShared_finalize(int& n);
void ZunBasVelt_initialize(int& n);
void ZunBasVelt_finalize(int& n);
void ZunBasCoreUtils_initialize(int& n);
void ZunBasCoreUtils_finalize(int& n);
void ZunBasAlloc_initialize(int& n);
void ZunBasAlloc_finalize(int& n);

// Debug-flags module of the allocator: when its flags are non-zero, the last ZunBasAlloc_finalize
// reports on stderr how many allocator objects are still alive.
constexpr int ZunBasAlloc_DebugModule = 0x7fff0001;

// Reference count of a base library by name ("ZunBasVelt"); 0 for unknown names.
int BaseLibraries_Count(const std::string& library);

std::vector<std::string> BaseLibraries_CallLog();
void BaseLibraries_ClearCallLog();
void BaseLibraries_LogCall(const char* entry);
