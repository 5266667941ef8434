#include "ddb/catalog/dia_ContactMetadataTable.h"
#include "ddb/catalog/dia_ElementMetadataTable.h"
#include "ddb/catalog/dia_WarningErrorMetadataTable.h"

dia_EntryTable dia_ContactMetadataTable::GetTable() const {
  return dia_ContactEntryTable();
}

dia_EntryTable dia_ElementMetadataTable::GetTable() const {
  return dia_ElementEntryTable();
}

dia_EntryTable dia_WarningErrorMetadataTable::GetTable() const {
  return dia_WarningErrorEntryTable();
}
