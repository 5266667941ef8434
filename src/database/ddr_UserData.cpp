#include "ddb/database/ddr_UserData.h"

#include "ddb/frame/ZunRomDdr.h"
#include "frame/cls_Layout.h"

// Only the identity of the base part is stored; the derived class writes the rest.
template <>
struct cls_LayoutOf<ddr_UserData> {
  static constexpr cls_Layout<ddr_UserData> kLayout{"ddr_UserData", ddr_TypeId_UserData, 203,
                                                    &ddr_UserData::m_uid};
};

CLS_DEFINE_ABSTRACT(ddr_UserData)
