// Library-level start and stop of the diagnostics and database library.
//
// ZunRomDiagEx_initialize brings up the base libraries, then the diagnostics and the database
// modules; ZunRomDiagEx_finalize takes them down in reverse order. Both are reference counted by
// the library counter, so only the first initialise and the last finalise do work. Loading the
// shared library counts as one initialise (with a counter of the library's own) and unloading as
// the matching finalise, so a client's own pair normally moves the library counter between 1 and
// 2. The caller's int& is raised by one for each counter brought from 0 to 1 (library counter,
// specific counter) and lowered by one for each brought back to 0.
//
// The specific counter is also moved on its own by ZunRomDiagEx_specific_initialize/_finalize.
// None of these is locked: call them from one thread (process attach and detach do).
#pragma once

void ZunRomDiagEx_initialize(int& n);
void ZunRomDiagEx_finalize(int& n);
void ZunRomDiagEx_specific_initialize(int& n);
void ZunRomDiagEx_specific_finalize(int& n);

// Current values of the library and specific counters.
int ZunRomDiagEx_LibraryCount();
int ZunRomDiagEx_SpecificCount();
