#include "ddb/database/ddr_Result.h"

#include "ddb/frame/ZunRomDdr.h"
#include "frame/cls_Layout.h"

// Only the identity of the base part is stored; the derived class writes the rest.
template <>
struct cls_LayoutOf<ddr_Result> {
  static constexpr cls_Layout<ddr_Result> kLayout{"ddr_Result", ddr_TypeId_Result, 203,
                                                  &ddr_Result::m_uid};
};

CLS_DEFINE_LAYOUT_FUNCTIONS(ddr_Result)

static constexpr const auto& kLayout = cls_LayoutOf<ddr_Result>::kLayout;

ddr_Result::ddr_Result(const cls_ReadVisitor& baseReader) {
  kLayout.Read(baseReader, *this);
  if (m_uid.IsNull()) m_uid = cls_Uid::AllocateUid();
}

void* ddr_Result::Ctor(cls_ReadVisitor&) {
  return nullptr;
}

void ddr_Result::CowDtor(void* handle) {
  cls_DestroyHandle<ddr_Result, cow_Virtual<ddr_Result>>(handle);
}
