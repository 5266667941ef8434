// dia_ContactIteration: one contact iteration inside an equilibrium iteration: its number,
// whether it converged, and the contact diagnostics raised in it.
//
// Owns its contact diagnostics by value in a persistent list (loaded on demand once read from a
// file); copies share the diagnostics (copy-on-write) and the identity. Not thread-safe.
#pragma once

#include <cstdint>

#include "ddb/diagnostics/dia_ContactDiagnostic.h"
#include "ddb/frame/cls_ListObj.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"

class dia_ContactIteration : public mem_AllocationOperators {
 public:
  using ContactDiagnosticList = cls_ListObj<dia_ContactDiagnostic>;

  static std::uint32_t TypeId();
  static cow_String TypeName();
  static void InitializeMetadata(cls_ClassRegistrar& registrar);
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* cowHandle);

  dia_ContactIteration();
  explicit dia_ContactIteration(int iterationNumber);
  explicit dia_ContactIteration(const cls_ReadVisitor& reader);
  dia_ContactIteration(const dia_ContactIteration&) = default;
  dia_ContactIteration& operator=(const dia_ContactIteration&) = default;
  virtual ~dia_ContactIteration() = default;

  virtual void DBWrite(const cls_WriteVisitor& writer) const;
  virtual std::uint32_t DynTypeId() const { return TypeId(); }

  void AddContactDiagnostic(const dia_ContactDiagnostic& diagnostic);
  // Index from 0 below GetNumberOfContactDiagnostics(); loads a stored diagnostic if needed.
  dia_ContactDiagnostic& GetContactDiagnosticByIndex(int index);
  const dia_ContactDiagnostic& ConstGetContactDiagnosticByIndex(int index) const;
  int GetNumberOfContactDiagnostics() const { return m_contactDiagnosticList.Length(); }
  const ContactDiagnosticList& GetContactDiagnostics() const { return m_contactDiagnosticList; }

  int GetIterationNumber() const { return m_iterationNumber; }
  bool IsConverged() const { return m_isConverged; }
  // Marks the contact iteration converged; nothing clears the flag.
  void SetConverged() { m_isConverged = true; }
  cls_Uid Uid() const { return m_uid; }

 private:
  template <class>
  friend struct cls_LayoutOf;
  int m_iterationNumber = 0;
  bool m_isConverged = false;
  ContactDiagnosticList m_contactDiagnosticList;
  cls_Uid m_uid;
};
