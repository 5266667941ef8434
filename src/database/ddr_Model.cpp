#include "ddb/database/ddr_Model.h"

#include "ddb/frame/ZunRomDdr.h"
#include "ddb/platform/cow_COW.h"
#include "ddb/platform/nex_Exception.h"
#include "frame/cls_Layout.h"
#include "platform/ZunBasI18n.h"

using namespace cls_kind;

namespace {

using ExtensionTable = mdl_DdbExtensionTable<mdl_Extension>;

void RegisterPrototype(const char* key, const mdl_Extension& prototype) {
  ddr_ModelExtensionSubject::RegisterExtension(key, prototype);
}

}  // namespace

// A model read remembers its file; the instance table is taken over from the stored one, so
// that the extensions keep their registered prototypes.
template <>
struct cls_LayoutOf<ddr_Model> : cls_LayoutRows<ddr_Model> {
  static void ReadTable(const cls_ReadVisitor& r, const cls_FieldHandle& f, T& o) {
    o.m_fileName = r.DbId();
    ExtensionTable stored{cls_ReadVisitor(r, f)};
    o.MutableInstanceTable().TakeOver(stored);
  }
  static void WriteTable(const cls_WriteVisitor& w, const cls_FieldHandle& f, const T& o) {
    w.WriteMember(f, o.InstanceTable());
  }

  static constexpr Row kRows[] = {
      {"modelName", kString, At<&T::m_modelName>},
      {"instanceTable", Member(ddr_TypeId_ExtensionTable), {&ReadTable, &WriteTable}},
  };
  static constexpr cls_Layout<T> kLayout{"ddr_Model", ddr_TypeId_Model, 874, &T::m_uid, kRows};
};

CLS_DEFINE_ABSTRACT_WITH_DTOR(ddr_Model)

ddr_Model::ddr_Model() : m_uid(cls_Uid::AllocateUid()) {}

ddr_Model::ddr_Model(const cow_String& modelName)
    : m_modelName(modelName), m_uid(cls_Uid::AllocateUid()) {}

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
