#include "ddb/platform/omu_PrimEnum.h"

#include <cstring>

#include "ddb/platform/nex_Exception.h"

namespace omu_detail {

void ThrowValueNotAllowed(int value, const cow_String& permissible) {
  DDB_THROW(nex_CmdException, "omu_PrimEnum(Enum) - Enum value not allowed: %d  Permissible: %s",
            value, permissible);
}

void ThrowStringNotAllowed(const char* format, const cow_String& text,
                           const cow_String& permissible) {
  DDB_THROW(nex_CmdException, format, text, permissible);
}

void ThrowOtherNotAllowed(const cow_String& text) {
  DDB_THROW(nex_CmdException, "omu_PrimEnum(const omu_PrimEnumBase&) - str not allowed: %s", text);
}

const omu_PrimEnumRow* FindValue(const omu_PrimEnumRow* rows, unsigned value) {
  for (; rows->name; ++rows)
    if (rows->value == value) return rows;
  return nullptr;
}

const omu_PrimEnumRow* FindName(const omu_PrimEnumRow* rows, const char* text) {
  if (!text) return nullptr;
  for (; rows->name; ++rows)
    if (std::strcmp(rows->name, text) == 0) return rows;
  return nullptr;
}

int CountRows(const omu_PrimEnumRow* rows) {
  int count = 0;
  while (rows[count].name) ++count;
  return count;
}

cow_Map<cow_String, unsigned> MapRows(const omu_PrimEnumRow* rows) {
  cow_Map<cow_String, unsigned> map;
  for (; rows->name; ++rows) map.Insert(rows->name, rows->value);
  return map;
}

}  // namespace omu_detail
