// ddr_Model: the frame of one analysis model stored in a ddb: its name, the file it belongs
// to, and its table of named containers (materials, sections, steps, loads, ...).
//
// The contents of the containers come from other libraries, which register one prototype
// extension per container at start-up (Register…Container). A model takes its own copy of a
// container on the first mutable access (Get…); const access (ConstGet…, Num…) reads the
// model's copy when it has one, else the prototype. Set… replaces the model's copy. The model
// is abstract: concrete models (other libraries, or a test) derive from it, supply Copy and
// write their own part before calling ddr_Model::DBWrite on a base-part writer. Records are
// value types; the prototype table is process-wide (see mdl_ExtensionSubject). Not
// thread-safe.
#pragma once

#include <cstdint>

#include "ddb/database/mdl_DdbExtensionTable.h"
#include "ddb/database/mdl_Extension.h"
#include "ddb/database/mdl_ExtensionSubject.h"
#include "ddb/platform/ZunBasStringMode.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_String.h"

// The key functions' result: a fixed text.
using omn_FixedString = cow_String;

class ddr_Model;
using ddr_ModelExtensionSubject =
    mdl_ExtensionSubject<ddr_Model, mdl_DdbExtensionTable<mdl_Extension>>;

// Every container: X(Stem, RegisterStem, key, keyFunction). Stems name Get/ConstGet/Num/Set,
// RegisterStem names Register…Container / UnRegister…Container.
#define DDR_MODEL_SETTABLE_CONTAINERS(X)                                                       \
  X(Materials, Material, "material", materialCmd)                                              \
  X(Sections, Section, "section", sectionCmd)                                                  \
  X(BeamProfiles, BeamProfile, "profile", profileCmd)                                          \
  X(Fields, Field, "field", fieldCmd)                                                          \
  X(FieldOutputs, FieldOutput, "fieldOutputRequest", fieldOutputRequestCmd)                    \
  X(HistoryOutputs, HistoryOutput, "historyOutputRequest", historyOutputRequestCmd)            \
  X(Interactions, Interaction, "interaction", interactionCmd)                                  \
  X(InteractionProperties, InteractionProperty, "interactionProperty", interactionPropertyCmd) \
  X(Steps, Step, "step", stepCmd)                                                              \
  X(TimePoints, TimePoint, "timePoint", timePointCmd)                                          \
  X(IntegratedOutputSections, IntegratedOutputSection, "integratedOutputSection",              \
    integratedOutputSectionCmd)                                                                \
  X(Amplitudes, Amplitude, "amplitude", amplitudeCmd)                                          \
  X(Filters, Filter, "filter", filterCmd)                                                      \
  X(ContactControls, ContactControl, "contactControls", contactControlCmd)                     \
  X(ContactInitializations, ContactInit, "contactInitializations", contactInitializationCmd)   \
  X(ContactStabilizations, ContactStab, "contactStabilizations", contactStabilizationCmd)      \
  X(BCs, BC, "bc", bcCmd)                                                                      \
  X(Loads, Load, "load", loadCmd)                                                              \
  X(Constraints, Constraint, "constraint", constraintCmd)                                      \
  X(Connectors, Connector, "connector", connectorCmd)                                          \
  X(Tasks, Task, "optimizationTask", taskCmd)

#define DDR_MODEL_FIXED_CONTAINERS(X)                                                         \
  X(AdaptiveMeshControls, AdaptiveMeshControl, "adaptiveMeshControl", adaptiveMeshControlCmd) \
  X(AdaptiveMeshConstraints, AdaptiveMeshConstraint, "adaptiveMeshConstraint",                \
    adaptiveMeshConstraintCmd)

#define DDR_MODEL_DECLARE_ACCESS(Stem, RegStem, key, cmd)                   \
  static omn_FixedString cmd();                                             \
  static void Register##RegStem##Container(const mdl_Extension& prototype); \
  static void UnRegister##RegStem##Container();                             \
  mdl_Repository& Get##Stem();                                              \
  const mdl_Repository& ConstGet##Stem() const;                             \
  int Num##Stem() const;

#define DDR_MODEL_DECLARE_SET(Stem, RegStem, key, cmd) \
  void Set##Stem(const mdl_Extension& extension);

class ddr_Model : public ddr_ModelExtensionSubject {
 public:
  static std::uint32_t TypeId();
  // Rows are always of a concrete model class registered elsewhere: this yields no object.
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* handle);
  static void InitializeMetadata(cls_ClassRegistrar& registrar);

  ddr_Model();
  explicit ddr_Model(const cow_String& modelName);
  explicit ddr_Model(const cls_ReadVisitor& reader);
  ddr_Model(const ddr_Model&) = default;
  ddr_Model& operator=(const ddr_Model&) = default;

  virtual void DBWrite(const cls_WriteVisitor& writer) const;
  ~ddr_Model() override = default;
  virtual ddr_Model* Copy() const = 0;
  virtual std::uint32_t DynTypeId() const { return TypeId(); }

  const cow_String& ModelName() const { return m_modelName; }
  void SetModelName(const cow_String& name) { m_modelName = name; }
  // The file of the database that holds the model (UTF-8 unless mode asks for the locale).
  cow_String FileName(ZunBasStringMode mode) const;
  void SetFileName(const cow_String& fileNameUtf8) { m_fileName = fileNameUtf8; }
  cls_Uid Uid() const { return m_uid; }

  DDR_MODEL_SETTABLE_CONTAINERS(DDR_MODEL_DECLARE_ACCESS)
  DDR_MODEL_FIXED_CONTAINERS(DDR_MODEL_DECLARE_ACCESS)
  DDR_MODEL_SETTABLE_CONTAINERS(DDR_MODEL_DECLARE_SET)

 private:
  template <class>
  friend struct cls_LayoutOf;
  cow_String m_fileName;
  cow_String m_modelName;
  cls_Uid m_uid;
};

#undef DDR_MODEL_DECLARE_ACCESS
#undef DDR_MODEL_DECLARE_SET
