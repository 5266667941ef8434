#include "ddb/database/ddr_CustomData.h"

#include "ddb/frame/ZunRomDdr.h"
#include "frame/cls_Layout.h"

// Only the identity of the base part is stored; the derived class writes the rest.
template <>
struct cls_LayoutOf<ddr_CustomData> {
  static constexpr cls_Layout<ddr_CustomData> kLayout{"ddr_CustomData", ddr_TypeId_CustomData, 1307,
                                                      &ddr_CustomData::m_uid};
};

CLS_DEFINE_ABSTRACT(ddr_CustomData)
