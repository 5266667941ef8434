#include <gtest/gtest.h>

#include <set>

#include "SchemaHistory.h"

using namespace ddb_test;

namespace {

const std::set<std::pair<std::string, int>> kRemoving = {
    {"dia_FieldCriteria", 318},           {"dia_ConstraintCriteria", 312},
    {"dia_NumericalSingularity", 318},    {"dia_ZeroPivot", 321},
    {"dia_NumericalProblemSummary", 332}, {"dia_NumericalProblemSummaryInfo", 332},
    {"dia_WarningErrorData", 415},        {"dia_NodeDiagnosticData", 415},
    {"dia_ElementDiagnosticData", 415},
};

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

TEST(ClassesToDelete, OnlyTheNineRemovingVersionsDeleteTheirClass) {
  int removing = 0;
  for (const dbc_OldClassHandle& handle : dbc_OldClassRegistrar::Instance().Versions()) {
    dbc_OldClassVersion& v = Mutable(handle);
    Declared d = Declare(v);
    SCOPED_TRACE(d.name + " " + std::to_string(d.version));
    cls_ClassRegistrar stored, current;
    v.InitializeMetadata(stored);
    v.InitializeMetadata(current);
    dbc_DatabaseConverter converter(stored, current);
    v.ClassesToDelete(converter);
    bool removes = kRemoving.count({d.name, d.version}) != 0;
    removing += removes;
    EXPECT_EQ(converter.GetClassesToDelete(),
              removes ? std::list<std::uint32_t>{d.typeId} : std::list<std::uint32_t>{});
    EXPECT_EQ(stored.Find(d.typeId) == nullptr, removes);
    EXPECT_EQ(current.Find(d.typeId) == nullptr, removes);
  }
  EXPECT_EQ(removing, 9);
}
