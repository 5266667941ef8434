#include "ddb/database/ddr_DdbShortcutImpl.h"

#include "ddb/database/ddr_DdbContainer.h"
#include "ddb/platform/ZunBasI18n.h"

namespace {

cls_FieldHandle NameField() {
  return cls_FieldHandle("name", 0);
}

}  // namespace

void* ddr_DdbShortcutImpl::Ctor(cls_ReadVisitor& reader) {
  return static_cast<omu_ShortcutImpl*>(new ddr_DdbShortcutImpl(reader));
}

void ddr_DdbShortcutImpl::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar
      .CreateClassMD("ddr_DdbShortcutImpl", TypeId(), 203, &Ctor,
                     ddr_ShortcutImpl<ddr_Ddb>::TypeId())
      .AddDtor(&CowDtor)
      .AddAttribute(NameField(), cls_AttrString, 1, cls_CollNone);
}

ddr_DdbShortcutImpl::ddr_DdbShortcutImpl(const cow_String& persistentName, ZunBasStringMode mode)
    : m_name(mode == ZunBasStringMode::Locale ? ZunBasI18n::ToUTF8(persistentName)
                                              : persistentName),
      m_uid(cls_Uid::AllocateUid()) {}

ddr_DdbShortcutImpl::ddr_DdbShortcutImpl(const cls_ReadVisitor& reader)
    : m_name(ddr_Ddb::NormaliseName(reader.ReadString(NameField(), cow_String()))),
      m_uid(reader.GetUid()) {}

cow_String ddr_DdbShortcutImpl::Path() const {
  return "ddbCont['" + m_name + "']";
}

cow_String ddr_DdbShortcutImpl::DdbName(ZunBasStringMode mode) const {
  return mode == ZunBasStringMode::Locale ? ZunBasI18n::ToLocale(m_name) : m_name;
}

const ddr_Ddb& ddr_DdbShortcutImpl::ConstGet(const ddr_DdbContainer& container) const {
  return container.ConstGet(m_name, ZunBasStringMode::UTF8);
}

ddr_Ddb& ddr_DdbShortcutImpl::Get(ddr_DdbContainer& container) const {
  return container.Get(m_name, ZunBasStringMode::UTF8);
}

void ddr_DdbShortcutImpl::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  ddr_ShortcutImpl<ddr_Ddb>::DBWrite(cls_WriteVisitor(writer, ddr_ShortcutImpl<ddr_Ddb>::TypeId()));
  writer.Memento().WriteString(NameField(), ddr_Ddb::MarkName(m_name));
}
