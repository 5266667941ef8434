// dia_AuxiliaryData: one reported occurrence of a coded diagnostic: its integer, real and string
// values, the element and node labels it names with their part instance names, and the catalog
// variation (message sub-form) that tells how to read and print them.
//
// A value record: it owns its seven primitive arrays, copies share its identity (and so are the
// same persistent object). Empty arrays are not stored and read back empty. Not thread-safe.
#pragma once

#include <cstdint>

#include "ddb/platform/cls_ArrayPrim.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_List.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

class dia_AuxiliaryData : public mem_AllocationOperators {
 public:
  static std::uint32_t TypeId();
  static cow_String TypeName();
  static void InitializeMetadata(cls_ClassRegistrar& registrar);
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* cowHandle);

  dia_AuxiliaryData();
  dia_AuxiliaryData(const cow_List<int>& intValues, const cow_List<double>& realValues,
                    const cow_List<cow_String>& stringValues, const cow_List<int>& elementLabels,
                    const cow_List<cow_String>& elementInstanceNames,
                    const cow_List<int>& nodeLabels, const cow_List<cow_String>& nodeInstanceNames,
                    int variation);
  explicit dia_AuxiliaryData(const cls_ReadVisitor& reader);
  dia_AuxiliaryData(const dia_AuxiliaryData&) = default;
  dia_AuxiliaryData& operator=(const dia_AuxiliaryData&) = default;
  virtual ~dia_AuxiliaryData() = default;

  // Whether the block carries any value or label; instance names alone do not count.
  virtual bool HasValues() const;
  virtual void DBWrite(const cls_WriteVisitor& writer) const;
  virtual std::uint32_t DynTypeId() const { return TypeId(); }
  // A new heap copy; the caller owns it.
  virtual dia_AuxiliaryData* Copy() const { return new dia_AuxiliaryData(*this); }

  const cow_List<int>& GetIntValues() const { return m_intValues.Values(); }
  const cow_List<double>& GetRealValues() const { return m_realValues.Values(); }
  const cow_List<cow_String>& GetStringValues() const { return m_stringValues.Values(); }
  const cow_List<int>& GetElementLabels() const { return m_elementLabels.Values(); }
  const cow_List<cow_String>& GetElementInstanceNames() const {
    return m_elementInstanceNames.Values();
  }
  const cow_List<int>& GetNodeLabels() const { return m_nodeLabels.Values(); }
  const cow_List<cow_String>& GetNodeInstanceNames() const { return m_nodeInstanceNames.Values(); }
  int GetVariation() const { return m_variation; }
  cls_Uid Uid() const { return m_uid; }

 private:
  template <class>
  friend struct cls_LayoutOf;
  cls_xp1DArrayListInt m_intValues;
  cls_xp1DArrayListDouble m_realValues;
  cls_xp1DArrayListString m_stringValues;
  cls_xp1DArrayListInt m_elementLabels;
  cls_xp1DArrayListString m_elementInstanceNames;
  cls_xp1DArrayListInt m_nodeLabels;
  cls_xp1DArrayListString m_nodeInstanceNames;
  int m_variation = 0;
  cls_Uid m_uid;
};
