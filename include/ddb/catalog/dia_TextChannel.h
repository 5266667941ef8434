// The text channel: plain, unmangled entry points that put lines of text on a Fortran unit.
//
// Each write call produces exactly one formatted sequential record on the unit, among the
// caller's own Fortran writes to it; text beyond 120 characters is cut off. An unopened unit
// behaves as the Fortran runtime defines (it is preconnected to its default file). Write errors
// belong to the runtime: the write calls return its I/O status (0 on success) unexamined.
// Flushing does nothing: records reach the unit in call order anyway. The channel keeps no
// state; the order of lines written by different threads to one unit is the callers' concern.
// Fortran code calls the channel through the shipped module ddb_text (use ddb_text).
#pragma once

extern "C" {

// Writes a zero-terminated text as one record.
int dia_Write(int unit, const char* text);
// Fortran-callable (all arguments by address): writes the first *length characters of text.
int dia_writefort(int* unit, int* length, const char* text);
void dia_Flush(int unit);
void dia_flushfort(int* unit);
// Copies length bytes from source to destination, e.g. into a fixed Fortran character buffer.
void dia_intbtofstr(void* destination, const void* source, int length);
}
