#include "ddb/catalog/dia_TextChannel.h"

#include <cstring>

namespace {

constexpr int kMaxRecordLength = 120;

}  // namespace

// The Fortran side of the channel (dia_WriteRecord.f90): one formatted write of the buffer's
// first length characters as one record.
extern "C" int dia_writerecord(int unit, int length, const char* buffer);

extern "C" {

int dia_Write(int unit, const char* text) {
  int length = text ? static_cast<int>(std::strlen(text)) : 0;
  return dia_writefort(&unit, &length, text ? text : "");
}

// A null text writes an empty record whatever length comes with it.
int dia_writefort(int* unit, int* length, const char* text) {
  char buffer[128];
  int n = text ? *length : 0;
  if (n < 0) n = 0;
  if (n > kMaxRecordLength) n = kMaxRecordLength;
  dia_intbtofstr(buffer, text, n);
  return dia_writerecord(*unit, n, buffer);
}

void dia_Flush(int unit) {
  dia_flushfort(&unit);
}

void dia_flushfort(int*) {}

void dia_intbtofstr(void* destination, const void* source, int length) {
  if (length > 0) std::memcpy(destination, source, static_cast<std::size_t>(length));
}
}
