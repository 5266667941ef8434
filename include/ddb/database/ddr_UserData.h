// ddr_UserData: the abstract base of named user data of a database (userData collection).
//
// Other libraries derive the concrete classes. A derived class starts its own row, writes this
// base part through a base-part writer (writer.WriteBase(ddr_UserData::TypeId(), ...)) and then
// its fields; its read constructor passes a base-part reader (cls_ReadVisitor(reader)) to the
// protected reader constructor here. The base class is registered with no fields and a reader
// that yields no object: stored rows are always of a derived class. Polymorphic value type,
// copied through Copy(); not thread-safe.
#pragma once

#include <cstdint>

#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/mem_AllocationOperators.h"

class ddr_UserData : public mem_AllocationOperators {
 public:
  static std::uint32_t TypeId();
  static void* Ctor(cls_ReadVisitor& reader);
  static void InitializeMetadata(cls_ClassRegistrar& registrar);

  ddr_UserData() : m_uid(cls_Uid::AllocateUid()) {}
  virtual ~ddr_UserData() = default;
  virtual std::uint32_t DynTypeId() const { return TypeId(); }
  // Starts the base row (ddr_TypeId_UserData and the uid); nothing else.
  virtual void DBWrite(const cls_WriteVisitor& writer) const = 0;
  // A new heap copy of the derived object; the caller owns it.
  virtual ddr_UserData* Copy() const = 0;

  cls_Uid Uid() const { return m_uid; }

 protected:
  explicit ddr_UserData(const cls_ReadVisitor& baseReader);
  ddr_UserData(const ddr_UserData&) = default;
  ddr_UserData& operator=(const ddr_UserData&) = default;

 private:
  template <class>
  friend struct cls_LayoutOf;
  cls_Uid m_uid;
};
