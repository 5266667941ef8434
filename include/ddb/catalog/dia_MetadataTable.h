// dia_MetadataTable: lookups of the compiled-in diagnostic catalog by type code.
//
// Every operation takes a full 32-bit diagnostic code and ignores its variation bits. Unknown
// codes yield empty results (0, false, empty string or list); nothing raises. Results are fresh
// copies of the static row texts; the catalog never hands out its own storage. Subclasses choose
// the row table (contact, element or warning/error). An instance keeps a one-row cache of the last
// row found, so it is not thread-safe: each thread uses its own instance (the per-thread
// singletons dia_ContactMetadataTable, dia_ElementMetadataTable, dia_WarningErrorMetadataTable).
#pragma once

#include "ddb/catalog/dia_Entry.h"
#include "ddb/platform/cow_List.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

class dia_MetadataTable : public mem_AllocationOperators {
 public:
  dia_MetadataTable() = default;
  dia_MetadataTable(const dia_MetadataTable&) = delete;
  dia_MetadataTable& operator=(const dia_MetadataTable&) = delete;
  virtual ~dia_MetadataTable() = default;

  bool IsValid(unsigned code);
  int GetNumVariations(unsigned code);
  cow_String GetDescription(unsigned code);
  cow_String GetKnowledgeItem(unsigned code);
  bool GetSendToOrvel(unsigned code);

  cow_List<cow_String> GetVariationDescriptions(unsigned code);
  cow_List<cow_String> GetDetailStrings(unsigned code);
  cow_List<cow_String> GetIntDescriptions(unsigned code);
  cow_List<cow_String> GetRealDescriptions(unsigned code);
  cow_List<cow_String> GetStringDescriptions(unsigned code);
  cow_List<cow_String> GetNodeDescriptions(unsigned code);
  cow_List<cow_String> GetElementDescriptions(unsigned code);
  cow_List<cow_String> GetDefaultFormats(unsigned code);

  cow_List<int> GetNumIntValues(unsigned code);
  cow_List<int> GetNumRealValues(unsigned code);
  cow_List<int> GetNumStringValues(unsigned code);
  cow_List<int> GetNumNodeLabels(unsigned code);
  cow_List<int> GetNumElementLabels(unsigned code);

 protected:
  virtual dia_EntryTable GetTable() const = 0;

 private:
  using TextSlots = const char* (dia_Entry::*)[dia_MaxVariations];
  using CountSlots = std::int32_t (dia_Entry::*)[dia_MaxVariations];

  // The row of the code's type id, or null for an unknown code.
  const dia_Entry* GetEntry(unsigned code);
  cow_List<cow_String> Texts(unsigned code, TextSlots slots);
  cow_List<int> Counts(unsigned code, CountSlots slots);

  const dia_Entry* m_cachedEntry = nullptr;
};
