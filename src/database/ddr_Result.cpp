#include "ddb/database/ddr_Result.h"

#include "ddb/frame/ZunRomDdr.h"
#include "frame/cls_Layout.h"

// Only the identity of the base part is stored; the derived class writes the rest.
template <>
struct cls_LayoutOf<ddr_Result> {
  static constexpr cls_Layout<ddr_Result> kLayout{"ddr_Result", ddr_TypeId_Result, 203,
                                                  &ddr_Result::m_uid};
};

CLS_DEFINE_ABSTRACT_WITH_DTOR(ddr_Result)
