#include "ddb/database/mdl_Extension.h"

#include <cstdio>

#include "ddb/database/mdl_DdbExtensionTable.h"
#include "ddb/platform/nex_Exception.h"
#include "frame/cls_Layout.h"

namespace mdl_detail {
void ThrowUnregistered(const cow_String& name) {
  DDB_THROW(nex_PrimException, "No model extension registered under '%s'", name);
}
}  // namespace mdl_detail

namespace {
[[noreturn]] void ThrowNotRepository(std::uint32_t typeId) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%x", static_cast<unsigned>(typeId));
  DDB_THROW(nex_PrimException, "mdl_Extension: content of type %s is not a repository", hex);
}
}  // namespace

mdl_Repository& mdl_AsRepository(mdl_Object& content) {
  auto* repository = dynamic_cast<mdl_Repository*>(&content);
  if (!repository) ThrowNotRepository(content.DynTypeId());
  return *repository;
}

const mdl_Repository& mdl_AsRepository(const mdl_Object& content) {
  auto* repository = dynamic_cast<const mdl_Repository*>(&content);
  if (!repository) ThrowNotRepository(content.DynTypeId());
  return *repository;
}

template <class E>
struct cls_LayoutOf<mdl_DdbExtensionTable<E>> {
  using T = mdl_DdbExtensionTable<E>;
  static constexpr cls_LayoutRow<T> kRows[] = {
      {"map", cls_kind::kObjectMap, cls_LayoutRows<T>::template At<&T::m_map>},
  };
  static constexpr cls_Layout<T> kLayout{"ddr_ExtensionTable", ddr_TypeId_ExtensionTable, 401,
                                         &T::m_uid, kRows};
};

CLS_DEFINE_LAYOUT_TEMPLATE(mdl_DdbExtensionTable, (class E), (E))

template class mdl_DdbExtensionTable<mdl_Extension>;
