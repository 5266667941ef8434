// ddr_Result: the abstract base of a named result of a database (results collection).
//
// Other libraries derive the concrete classes. A derived class starts its own row, writes this
// base part through a base-part writer (writer.WriteBase(ddr_Result::TypeId(), ...)) and then
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

class ddr_Result : public mem_AllocationOperators {
 public:
  static std::uint32_t TypeId();
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* handle);
  static void InitializeMetadata(cls_ClassRegistrar& registrar);

  ddr_Result() : m_uid(cls_Uid::AllocateUid()) {}
  virtual ~ddr_Result() = default;
  virtual std::uint32_t DynTypeId() const { return TypeId(); }
  // Starts the base row (ddr_TypeId_Result and the uid); nothing else.
  virtual void DBWrite(const cls_WriteVisitor& writer) const = 0;
  // A new heap copy of the derived object; the caller owns it.
  virtual ddr_Result* Copy() const = 0;

  cls_Uid Uid() const { return m_uid; }

 protected:
  explicit ddr_Result(const cls_ReadVisitor& baseReader);
  ddr_Result(const ddr_Result&) = default;
  ddr_Result& operator=(const ddr_Result&) = default;

 private:
  template <class>
  friend struct cls_LayoutOf;
  cls_Uid m_uid;
};
