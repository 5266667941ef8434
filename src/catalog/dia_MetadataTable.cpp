#include "ddb/catalog/dia_MetadataTable.h"

#include "ddb/catalog/dia_TypeCodeUtils.h"

namespace {

cow_String TextOf(const char* text) {
  return cow_String(text ? text : "");
}

}  // namespace

const dia_Entry* dia_MetadataTable::GetEntry(unsigned code) {
  const unsigned typeId = dia_TypeCodeUtils::GetTypeId(code);
  if (m_cachedEntry && m_cachedEntry->code == typeId) return m_cachedEntry;
  const dia_EntryTable table = GetTable();
  for (std::int32_t i = 0; i < table.count; ++i) {
    if (table.entries[i].code == typeId) {
      m_cachedEntry = &table.entries[i];
      return m_cachedEntry;
    }
  }
  return nullptr;
}

cow_List<cow_String> dia_MetadataTable::Texts(unsigned code, TextSlots slots) {
  cow_List<cow_String> result;
  if (const dia_Entry* e = GetEntry(code)) {
    result.Presize(e->numVariations);
    for (int v = 0; v < e->numVariations; ++v) result.Append(TextOf((e->*slots)[v]));
  }
  return result;
}

cow_List<int> dia_MetadataTable::Counts(unsigned code, CountSlots slots) {
  cow_List<int> result;
  if (const dia_Entry* e = GetEntry(code)) {
    result.Presize(e->numVariations);
    for (int v = 0; v < e->numVariations; ++v) result.Append((e->*slots)[v]);
  }
  return result;
}

bool dia_MetadataTable::IsValid(unsigned code) {
  return GetEntry(code) != nullptr;
}

int dia_MetadataTable::GetNumVariations(unsigned code) {
  const dia_Entry* e = GetEntry(code);
  return e ? e->numVariations : 0;
}

cow_String dia_MetadataTable::GetDescription(unsigned code) {
  const dia_Entry* e = GetEntry(code);
  return e ? TextOf(e->description) : cow_String();
}

cow_String dia_MetadataTable::GetKnowledgeItem(unsigned code) {
  const dia_Entry* e = GetEntry(code);
  return e ? TextOf(e->knowledgeItem) : cow_String();
}

bool dia_MetadataTable::GetSendToOrvel(unsigned code) {
  const dia_Entry* e = GetEntry(code);
  return e ? e->sendToOrvel : false;
}

cow_List<cow_String> dia_MetadataTable::GetVariationDescriptions(unsigned code) {
  return Texts(code, &dia_Entry::variationDescriptions);
}

cow_List<cow_String> dia_MetadataTable::GetDetailStrings(unsigned code) {
  return Texts(code, &dia_Entry::detailStrings);
}

cow_List<cow_String> dia_MetadataTable::GetIntDescriptions(unsigned code) {
  return Texts(code, &dia_Entry::intDescriptions);
}

cow_List<cow_String> dia_MetadataTable::GetRealDescriptions(unsigned code) {
  return Texts(code, &dia_Entry::realDescriptions);
}

cow_List<cow_String> dia_MetadataTable::GetStringDescriptions(unsigned code) {
  return Texts(code, &dia_Entry::stringDescriptions);
}

cow_List<cow_String> dia_MetadataTable::GetNodeDescriptions(unsigned code) {
  return Texts(code, &dia_Entry::nodeDescriptions);
}

cow_List<cow_String> dia_MetadataTable::GetElementDescriptions(unsigned code) {
  return Texts(code, &dia_Entry::elementDescriptions);
}

cow_List<cow_String> dia_MetadataTable::GetDefaultFormats(unsigned code) {
  return Texts(code, &dia_Entry::defaultFormats);
}

cow_List<int> dia_MetadataTable::GetNumIntValues(unsigned code) {
  return Counts(code, &dia_Entry::numIntValues);
}

cow_List<int> dia_MetadataTable::GetNumRealValues(unsigned code) {
  return Counts(code, &dia_Entry::numRealValues);
}

cow_List<int> dia_MetadataTable::GetNumStringValues(unsigned code) {
  return Counts(code, &dia_Entry::numStringValues);
}

cow_List<int> dia_MetadataTable::GetNumNodeLabels(unsigned code) {
  return Counts(code, &dia_Entry::numNodeLabels);
}

cow_List<int> dia_MetadataTable::GetNumElementLabels(unsigned code) {
  return Counts(code, &dia_Entry::numElementLabels);
}
