// dia_XplStatus: the status of one reported explicit-dynamics increment: the increment number,
// the increment's critical element (label and part instance) and the real-valued status
// quantities in the producer's order.
//
// An immutable value record built complete by its value constructor; it owns its real-value
// array; copies share its identity (and so are the same persistent object). The destructor is
// not virtual, so the class is final. Not thread-safe.
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

class dia_XplStatus final : public mem_AllocationOperators {
 public:
  static std::uint32_t TypeId();
  static cow_String TypeName();
  static void InitializeMetadata(cls_ClassRegistrar& registrar);
  static void* Ctor(cls_ReadVisitor& reader);
  // Releases a counted holder of a dia_XplStatus, destroying the record with the last reference.
  static void CowDtor(void* cowHandle);

  dia_XplStatus();
  // The values are copied; the list is not modified.
  dia_XplStatus(int incrementNumber, int critElementLabel, cow_String critElementInstance,
                cow_List<double>& realValues);
  explicit dia_XplStatus(const cls_ReadVisitor& reader);
  dia_XplStatus(const dia_XplStatus&) = default;
  dia_XplStatus& operator=(const dia_XplStatus&) = default;
  ~dia_XplStatus() = default;

  virtual void DBWrite(const cls_WriteVisitor& writer) const;
  virtual std::uint32_t DynTypeId() const { return TypeId(); }

  int GetIncrementNumber() const { return m_incrementNumber; }
  // Read access for reports and scripts.
  int GetCritElementLabel() const { return m_critElementLabel; }
  const cow_String& GetCritElementInst() const { return m_critElementInst; }
  const cow_List<double>& GetRealValues() const { return m_XplStatusRealv.Values(); }
  // Equal in every member, identities of the record and of its real-value array included.
  bool operator==(const dia_XplStatus& other) const;
  bool operator!=(const dia_XplStatus& other) const { return !(*this == other); }

 private:
  template <class>
  friend struct cls_LayoutOf;
  int m_incrementNumber = 0;
  int m_critElementLabel = 0;
  cow_String m_critElementInst;
  cls_xp1DArrayListDouble m_XplStatusRealv;
  cls_Uid m_uid;
};
