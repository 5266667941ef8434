#include <gtest/gtest.h>

#include "SchemaHistory.h"

using namespace ddb_test;

namespace {

constexpr std::uint32_t kQueued = 0x7f0042;

}  // namespace

TEST(ClassesToDelete, NodeDiagnosticData_GoesFirstAndLeavesBothRegistrars) {
  cls_ClassRegistrar stored, current;
  dbc_OldClassVersion* v = FindVersion("dia_NodeDiagnosticData", 415);
  ASSERT_NE(v, nullptr);
  v->InitializeMetadata(stored);
  v->InitializeMetadata(current);
  dbc_DatabaseConverter converter(stored, current);
  converter.GetClassesToDelete().push_back(kQueued);
  v->ClassesToDelete(converter);
  EXPECT_EQ(converter.GetClassesToDelete(), (std::list<std::uint32_t>{0x2B0015, kQueued}));
  EXPECT_EQ(stored.FindByName("dia_NodeDiagnosticData"), nullptr);
  EXPECT_EQ(current.Find(0x2B0015), nullptr);
}
