// The stored layouts of the shortcut handles and of the member and dictionary elements, with
// their persistence functions for every target the database layer names.
#include "ddb/database/ddr_Shortcut.h"

#include "ddb/database/ddr_DictionaryShortcut.h"
#include "ddb/database/ddr_MemberShortcut.h"
#include "ddb/frame/ZunRomDdr.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

// An empty handle stores a null element.
template <class X>
struct cls_LayoutOf<ddr_Shortcut<X>> {
  using T = ddr_Shortcut<X>;
  static void ReadImpl(const cls_ReadVisitor& r, const cls_FieldHandle& f, T& o) {
    o.m_impl = decltype(o.m_impl)(
        ddr_ShortcutBaseImpl::ReadElementAs<typename T::Element>(cls_ReadVisitor(r, f)));
  }
  static void WriteImpl(const cls_WriteVisitor& w, const cls_FieldHandle& f, const T& o) {
    cls_WriteVisitor impl(w, f, nullptr, nullptr);
    if (o.HasValue()) o.m_impl->DBWrite(impl);
    impl.StoreRow();
  }
  static constexpr cls_LayoutRow<T> kRows[] = {
      {"impl", Member(T::Types::kImplId), {&ReadImpl, &WriteImpl}},
  };
  static constexpr cls_Layout<T> kLayout{
      T::Types::kHandleName, T::Types::kHandleId, 203, &T::m_uid, kRows, {}, cls_Extent::kSmall};
};

template <class P, class M, int N>
struct cls_LayoutOf<ddr_MemberShortcut<P, M, N>> {
  using T = ddr_MemberShortcut<P, M, N>;
  using L = cls_LayoutRows<T>;
  static constexpr cls_LayoutRow<T> kRows[] = {
      {"parent", Member(ddr_ShortcutTypes<P>::kHandleId), L::template At<&T::m_parent>},
  };
  static constexpr cls_Layout<T> kLayout{T::Member::kClassName,
                                         T::Member::kTypeId,
                                         203,
                                         &T::m_uid,
                                         kRows,
                                         L::template Base<typename T::Base>,
                                         cls_Extent::kMedium};
};

template <class Map, class X, int N>
struct cls_LayoutOf<ddr_DictionaryShortcut<Map, X, N>> {
  using T = ddr_DictionaryShortcut<Map, X, N>;
  using L = cls_LayoutRows<T>;
  static constexpr cls_LayoutRow<T> kRows[] = {
      {"name", kString, L::template At<&T::m_name>},
      {"parent", Member(ddr_ShortcutTypes<Map>::kHandleId), L::template At<&T::m_parent>},
  };
  static constexpr cls_Layout<T> kLayout{
      T::Dictionary::kClassName,          T::Dictionary::kTypeId, 203, &T::m_uid, kRows,
      L::template Base<typename T::Base>, cls_Extent::kSmall};
};

CLS_DEFINE_LAYOUT_TEMPLATE(ddr_Shortcut, (class X), (X))
CLS_DEFINE_LAYOUT_TEMPLATE(ddr_MemberShortcut, (class P, class M, int N), (P, M, N))
CLS_DEFINE_LAYOUT_TEMPLATE(ddr_DictionaryShortcut, (class Map, class X, int N), (Map, X, N))

template class ddr_Shortcut<ddr_Ddb>;
template class ddr_Shortcut<ddr_Model>;
template class ddr_Shortcut<ddr_ModelMap>;
template class ddr_Shortcut<ddr_ResultMap>;
template class ddr_Shortcut<ddr_UserDataMap>;
template class ddr_Shortcut<ddr_CustomDataMap>;
template class ddr_MemberShortcut<ddr_Ddb, ddr_ModelMap, 1>;
template class ddr_MemberShortcut<ddr_Ddb, ddr_ResultMap, 1>;
template class ddr_MemberShortcut<ddr_Ddb, ddr_UserDataMap, 1>;
template class ddr_MemberShortcut<ddr_Ddb, ddr_CustomDataMap, 1>;
template class ddr_DictionaryShortcut<ddr_ModelMap, ddr_Model, 1>;
