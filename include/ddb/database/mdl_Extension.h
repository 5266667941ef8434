// mdl_Extension and mdl_Repository: what the model record asks of the libraries that supply
// model contents (materials, sections, steps, loads and the other definitions).
//
// An extension is one named container of a model. The libraries register one prototype
// extension per container name at start-up (ddr_Model::Register…Container); a model copies the
// prototype on first mutable access, lets the copy prepare itself, and keeps the copy in its
// extension table, which persists with the model. An extension's content is a repository: the
// model's container functions hand it out after checking that it is one (mdl_AsRepository).
//
// Both are polymorphic value types copied through Copy(); not thread-safe.
#pragma once

#include <cstdint>

#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/mem_AllocationOperators.h"

// Type identifiers of the two interfaces (component 47, the libraries that supply model
// contents).
constexpr std::uint32_t mdl_TypeId_Extension = 0x2f0001;
constexpr std::uint32_t mdl_TypeId_Repository = 0x2f0002;

// The dynamic type of anything an extension holds.
class mdl_Object : public mem_AllocationOperators {
 public:
  virtual ~mdl_Object() = default;
  virtual std::uint32_t DynTypeId() const = 0;
};

class mdl_Repository : public mdl_Object {
 public:
  // Type identifier of the interface; the supplying libraries' classes carry their own and
  // declare it as their base in the type-name registry.
  static std::uint32_t TypeId() { return mdl_TypeId_Repository; }

  virtual mdl_Repository* Copy() const = 0;
  virtual int NumEntries() const = 0;
};

class mdl_Extension : public mem_AllocationOperators {
 public:
  static std::uint32_t TypeId() { return mdl_TypeId_Extension; }

  virtual ~mdl_Extension() = default;
  // A new heap copy; the caller owns it.
  virtual mdl_Extension* Copy() const = 0;
  // Called on a fresh copy of the prototype before a model takes it.
  virtual void PrepareForModel() = 0;
  virtual mdl_Object& Content() = 0;
  virtual const mdl_Object& ConstContent() const = 0;
  virtual std::uint32_t DynTypeId() const = 0;
  virtual void DBWrite(const cls_WriteVisitor& writer) const = 0;
};

// The content as a repository; raises nex_PrimException ("mdl_Extension: content of type %s is
// not a repository") when its dynamic type is not one.
mdl_Repository& mdl_AsRepository(mdl_Object& content);
const mdl_Repository& mdl_AsRepository(const mdl_Object& content);
