// Rows written in older layouts, read back one by one with the current classes.
#include <gtest/gtest.h>

#include "SchemaHistory.h"
#include "TestFiles.h"
#include "ddb/diagnostics/dia_Step.h"
#include "ddb/platform/rom_Transporter.h"

using namespace ddb_test;

namespace {

// A row of any class, writing the given fields by name, as an older release wrote them.
struct StoredRow {
  std::uint32_t typeId;
  std::vector<std::pair<std::string, std::string>> texts;
  std::vector<std::pair<std::string, int>> ints;
  cls_Uid uid = cls_Uid::AllocateUid();

  void DBWrite(const cls_WriteVisitor& writer) const {
    if (!writer.StartWrite(typeId, uid)) return;
    for (const auto& f : texts) writer.Memento().WriteString(cls_FieldHandle(f.first), f.second);
    for (const auto& f : ints) writer.Memento().WriteInt(cls_FieldHandle(f.first), f.second);
  }
};

class OldFiles : public ::testing::Test {
 protected:
  // Writes `row` into a new file whose table of the class has the layout of that version.
  void Write(const char* className, int version, const StoredRow& row) {
    cls_ClassRegistrar old;
    dbc_OldClassVersion* v = FindVersion(className, version);
    ASSERT_NE(v, nullptr);
    v->InitializeMetadata(old);
    rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Create, true, ZunBasStringMode::UTF8);
    rom_Transporter transporter(&old, file, "D0", "old release", 0, -1);
    rom_MementoWrite memento(transporter, row.typeId, -1);
    row.DBWrite(cls_WriteVisitor(memento));
  }
  template <class T>
  T Read() {
    rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Read, true, ZunBasStringMode::UTF8);
    rom_Transporter transporter(nullptr, file, "D0", -1);
    rom_MementoRead memento(transporter, T::TypeId(), 0, cls_Uid());
    return T(cls_ReadVisitor(memento));
  }

  ScratchDir dir;
  std::string path = dir.Path("old.ddb");
};

}  // namespace

// A row read on its own through a transporter goes through the row steps of its layout.
TEST_F(OldFiles, RowReadDirectly_GoesThroughItsRowSteps) {
  const struct {
    int version;
    const char* stored;
    dia_IncrementationSchemeEnum read;
  } cases[] = {
      {434, "Direct no stop incrementation",
       dia_IncrementationSchemeEnum::DIRECT_NO_STOP_INCREMENTATION},
      {434, "DIRECT_INCREMENTATION", dia_IncrementationSchemeEnum::AUTO_INCREMENTATION},
      {1001, "DIRECT_INCREMENTATION", dia_IncrementationSchemeEnum::DIRECT_INCREMENTATION},
      {309, nullptr, dia_IncrementationSchemeEnum::AUTO_INCREMENTATION},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.version) + " " + (c.stored ? c.stored : "-"));
    StoredRow row{0x2B0002, {{"m_stepName", "Step-1"}}, {{"m_stepNumber", 3}}};
    if (c.stored) row.texts.push_back({"m_incrementationScheme", c.stored});
    Write("dia_Step", c.version, row);
    dia_Step step = Read<dia_Step>();
    EXPECT_EQ(step.GetIncrementationScheme(), c.read);
    EXPECT_EQ(step.GetStepName(), "Step-1");
    EXPECT_EQ(step.GetStepNumber(), 3);
  }
}
