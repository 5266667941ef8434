#include "ddb/platform/cow_List.h"

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "ddb/platform/nex_Exception.h"

TEST(cow_List_Index, OutOfRangeRaisesWithClearMessage) {
  cow_List<int> list{1, 2, 3};
  EXPECT_EQ(list[2], 3);
  EXPECT_EQ(ddb_test::Message<nex_PrimException>([&] { (void)list[3]; }),
            "cow_List: index 3 out of range (length 3)");
  EXPECT_THROW((void)list[-1], nex_PrimException);
}
