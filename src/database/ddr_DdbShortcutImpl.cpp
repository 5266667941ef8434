#include "ddb/database/ddr_DdbShortcutImpl.h"

#include "ddb/database/ddr_DdbContainer.h"
#include "ddb/frame/ZunRomDdr.h"
#include "frame/cls_Layout.h"
#include "platform/ZunBasI18n.h"

using namespace cls_kind;

// The name is stored marked as the database record stores its own.
template <>
struct cls_LayoutOf<ddr_DdbShortcutImpl> : cls_LayoutRows<ddr_DdbShortcutImpl> {
  static void ReadName(const cls_ReadVisitor& r, const cls_FieldHandle& f, T& o) {
    o.m_name = ddr_Ddb::NormaliseName(r.ReadString(f, cow_String()));
  }
  static void WriteName(const cls_WriteVisitor& w, const cls_FieldHandle& f, const T& o) {
    w.Memento().WriteString(f, ddr_Ddb::MarkName(o.m_name));
  }

  static constexpr Row kRows[] = {{"name", kString, {&ReadName, &WriteName}}};
  static constexpr cls_Layout<T> kLayout{
      "ddr_DdbShortcutImpl",          ddr_TypeId_DdbShortcutImpl, 203, &T::m_uid, kRows,
      Base<ddr_ShortcutImpl<ddr_Ddb>>};
};

CLS_DEFINE_LAYOUT_FUNCTIONS(ddr_DdbShortcutImpl)

static constexpr const auto& kLayout = cls_LayoutOf<ddr_DdbShortcutImpl>::kLayout;

void* ddr_DdbShortcutImpl::Ctor(cls_ReadVisitor& reader) {
  return static_cast<omu_ShortcutImpl*>(new ddr_DdbShortcutImpl(reader));
}

ddr_DdbShortcutImpl::ddr_DdbShortcutImpl(const cow_String& persistentName, ZunBasStringMode mode)
    : m_name(mode == ZunBasStringMode::Locale ? ZunBasI18n::ToUTF8(persistentName)
                                              : persistentName),
      m_uid(cls_Uid::AllocateUid()) {}

ddr_DdbShortcutImpl::ddr_DdbShortcutImpl(const cls_ReadVisitor& reader) {
  kLayout.Read(reader, *this);
}

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
