#include "ddb/database/ddr_ProductAddOnList.h"

#include <string>

#include "ddb/platform/cls_ArrayPrim.h"

ddr_ProductAddOnList::ddr_ProductAddOnList(const cls_ReadVisitor& reader) : m_uid(reader.GetUid()) {
  if (m_uid.IsNull()) m_uid = cls_Uid::AllocateUid();
  int collection = 0;
  std::string bytes;
  if (!reader.ReadArray(collection, bytes)) return;
  cow_List<cow_String> names;
  cls_ArrayCodec::Decode(bytes, names);
  m_list.Presize(names.Length());
  for (const cow_String& name : names) m_list.Append(AddOn(name));
}

void ddr_ProductAddOnList::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  writer.CheckCollectionType(cls_CollList);
  cow_List<cow_String> names;
  names.Presize(m_list.Length());
  for (const AddOn& addOn : m_list) names.Append(addOn.GetString());
  std::string bytes;
  cls_ArrayCodec::Encode(names, bytes);
  writer.WriteArray(cls_CollStrings, names.Length(), bytes);
}
