// dia_DiagnosticBase: the shared part of every coded diagnostic (contact, element, warning,
// error): the catalog type code, one auxiliary data block per reported occurrence, and the
// distinct variations of those blocks in the order they first occurred.
//
// The diagnostic owns its blocks by value in a persistent list; copies share the blocks
// (copy-on-write) and the identity. Derived classes add a part with an identity of its own and
// override Copy, so polymorphic holders copy the whole object. Not thread-safe.
#pragma once

#include <cstdint>

#include "ddb/diagnostics/dia_AuxiliaryData.h"
#include "ddb/frame/cls_ListObj.h"
#include "ddb/platform/cls_ArrayPrim.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_List.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

class dia_DiagnosticBase : public mem_AllocationOperators {
 public:
  using DataList = cls_ListObj<dia_AuxiliaryData>;

  static std::uint32_t TypeId();
  static cow_String TypeName();
  static void InitializeMetadata(cls_ClassRegistrar& registrar);
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* cowHandle);

  dia_DiagnosticBase();
  explicit dia_DiagnosticBase(int type);
  explicit dia_DiagnosticBase(const cls_ReadVisitor& reader);
  dia_DiagnosticBase(const dia_DiagnosticBase&) = default;
  dia_DiagnosticBase& operator=(const dia_DiagnosticBase&) = default;
  virtual ~dia_DiagnosticBase() = default;

  // Records the block's variation (once) and appends a copy of the block.
  virtual void AddData(const dia_AuxiliaryData& block);
  virtual void DBWrite(const cls_WriteVisitor& writer) const;
  virtual std::uint32_t DynTypeId() const { return TypeId(); }
  // A new heap copy of the same dynamic class; the caller owns it.
  virtual dia_DiagnosticBase* Copy() const { return new dia_DiagnosticBase(*this); }

  int GetType() const { return m_type; }
  const DataList& GetData() const { return m_data; }
  const cow_List<int>& GetVariationNumbers() const { return m_variationNumbers.Values(); }
  // The identity of the base part; a derived class's own identity hides it.
  cls_Uid Uid() const { return m_uid; }

 private:
  template <class>
  friend struct cls_LayoutOf;
  int m_type = 0;
  DataList m_data;
  cls_xp1DArrayListInt m_variationNumbers;
  cls_Uid m_uid;
};
