#include "ddb/database/ddr_Model.h"

#include "ddb/platform/ZunBasI18n.h"
#include "ddb/platform/cow_COW.h"
#include "ddb/platform/nex_Exception.h"

namespace {

const cls_FieldHandle kModelName("modelName", 0);
const cls_FieldHandle kInstanceTable("instanceTable", 1);

using ExtensionTable = mdl_DdbExtensionTable<mdl_Extension>;

void RegisterPrototype(const char* key, const mdl_Extension& prototype) {
  ddr_ModelExtensionSubject::RegisterExtension(key, prototype);
}

}  // namespace

void* ddr_Model::Ctor(cls_ReadVisitor&) {
  return nullptr;
}

void ddr_Model::CowDtor(void* handle) {
  cow_COW<ddr_Model, cow_Virtual<ddr_Model>>::Destroy(
      static_cast<cow_COW<ddr_Model, cow_Virtual<ddr_Model>>*>(handle));
}

void ddr_Model::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD("ddr_Model", TypeId(), 874, &Ctor, cls_NoBaseTypeId)
      .AddDtor(&CowDtor)
      .AddAttribute(kModelName, cls_AttrString, 1, cls_CollNone)
      .AddAttribute(kInstanceTable, cls_AttrObject, ExtensionTable::TypeId(), cls_CollNone);
}

ddr_Model::ddr_Model() : m_uid(cls_Uid::AllocateUid()) {}

ddr_Model::ddr_Model(const cow_String& modelName)
    : m_modelName(modelName), m_uid(cls_Uid::AllocateUid()) {}

ddr_Model::ddr_Model(const cls_ReadVisitor& reader)
    : m_fileName(reader.DbId()),
      m_modelName(reader.ReadString(kModelName, cow_String())),
      m_uid(reader.GetUid()) {
  ExtensionTable stored{cls_ReadVisitor(reader, kInstanceTable)};
  MutableInstanceTable().TakeOver(stored);
}

void ddr_Model::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  writer.Memento().WriteString(kModelName, m_modelName);
  InstanceTable().DBWrite(cls_WriteVisitor(writer, kInstanceTable, nullptr, nullptr));
}

cow_String ddr_Model::FileName(ZunBasStringMode mode) const {
  return mode == ZunBasStringMode::Locale ? ZunBasI18n::ToLocale(m_fileName) : m_fileName;
}

#define DDR_MODEL_DEFINE_ACCESS(Stem, RegStem, key, cmd)                         \
  omn_FixedString ddr_Model::cmd() {                                             \
    return key;                                                                  \
  }                                                                              \
  void ddr_Model::Register##RegStem##Container(const mdl_Extension& prototype) { \
    RegisterPrototype(key, prototype);                                           \
  }                                                                              \
  void ddr_Model::UnRegister##RegStem##Container() {                             \
    UnRegisterExtension(key);                                                    \
  }                                                                              \
  mdl_Repository& ddr_Model::Get##Stem() {                                       \
    return mdl_AsRepository(GetExtension(key).Content());                        \
  }                                                                              \
  const mdl_Repository& ddr_Model::ConstGet##Stem() const {                      \
    return mdl_AsRepository(ConstGetExtension(key).ConstContent());              \
  }                                                                              \
  int ddr_Model::Num##Stem() const {                                             \
    return ConstGet##Stem().NumEntries();                                        \
  }

#define DDR_MODEL_DEFINE_SET(Stem, RegStem, key, cmd)         \
  void ddr_Model::Set##Stem(const mdl_Extension& extension) { \
    SetExtension(key, extension);                             \
  }

DDR_MODEL_SETTABLE_CONTAINERS(DDR_MODEL_DEFINE_ACCESS)
DDR_MODEL_FIXED_CONTAINERS(DDR_MODEL_DEFINE_ACCESS)
DDR_MODEL_SETTABLE_CONTAINERS(DDR_MODEL_DEFINE_SET)
