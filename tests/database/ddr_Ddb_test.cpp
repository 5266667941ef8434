#include "ddb/database/ddr_Ddb.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>

#include "RootFixture.h"
#include "ddb/platform/nex_Exception.h"

using namespace ddb_test;

namespace {

using DdbFile = ScratchFile;

ddr_Ddb NewRecord(const cow_String& name = "P") {
  return ddr_Ddb(name, "/runs/job1.ddb", "a description", ZunBasStringMode::UTF8);
}

}  // namespace

// Values a new record starts with that the end-to-end test does not read back.
TEST(ddr_Ddb_New, HasCreatedDefaultsOneJobRecordAndReadsUpTo1804) {
  ddr_Ddb record = NewRecord();
  EXPECT_TRUE(record.UpdateTime());
  EXPECT_FALSE(record.OnlyHasUserDefinedData());
  EXPECT_LE(record.ModifyTimeAsInt() - record.CreateTimeAsInt(), 1);
  EXPECT_EQ(record.GetNumberOfDiagnosticData(), 1);
  EXPECT_TRUE(record.checkUpwardsCompatibility());
  record.SetDdbVersion(1805);
  EXPECT_FALSE(record.checkUpwardsCompatibility());
}

TEST(ddr_DdbTimeStamp_Counter, ConsecutiveStampsAreConsecutive) {
  ddr_DdbTimeStamp first;
  ddr_DdbTimeStamp second;
  EXPECT_GE(first.Value(), 1u);
  EXPECT_EQ(second.Value(), first.Value() + 1);
  EXPECT_EQ(ddr_DdbTimeStamp::counter(), second.Value());
}

TEST(ddr_Ddb_Names, MarkingAndNormalisation) {
  struct Case {
    const char* name;
    const char* stored;
    const char* readBack;
  } cases[] = {
      {"abc", "abc", "abc"},
      {"", "", ""},
      {"caf\xc3\xa9", "[UTF8]caf\xc3\xa9", "caf\xc3\xa9"},
      {"[UTF8]x", "[UTF8]x", "[UTF8]x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ddr_Ddb::MarkName(c.name), c.stored);
    EXPECT_EQ(ddr_Ddb::NormaliseName(c.stored), c.readBack);
  }
  EXPECT_EQ(ddr_Ddb::NormaliseName("caf\xe9 x\xff"), "caf=e9 x=ff");
  EXPECT_EQ(ddr_Ddb::NormaliseName("x[UTF8]\xe9"), "x[UTF8]=e9");
}

// What the end-to-end test does not set: a name above 127 (stored marked; an unmarked one read as
// its escapes), the user-data-only flag, an empty analysis version and an empty list of add-ons.
TEST_F(DdbFile, Read_NamesTheFlagAnEmptyAnalysisVersionAndNoAddOns) {
  ddr_Ddb record = NewRecord("caf\xe9");
  record.SetOnlyHasUserDefinedData(true);
  DdbRecordFile::Create(path).Save(record);
  EXPECT_EQ(QueryText(path, "SELECT name FROM ddr_Ddb"), "[UTF8]caf\xe9");
  ddr_Ddb back = DdbRecordFile::Open(path).Load();
  EXPECT_EQ(back.Name(), "caf\xe9");
  EXPECT_TRUE(back.OnlyHasUserDefinedData());
  EXPECT_TRUE(back.UpdateTime());
  EXPECT_EQ(back.FileName(ZunBasStringMode::UTF8), path);
  EXPECT_EQ(back.AnalysisVersion(), "Unknown Version");
  EXPECT_EQ(back.ConstGetProductAddOns().Size(), 0);
  EXPECT_EQ(back.ConstGetProductAddOns().Uid(), record.ConstGetProductAddOns().Uid());
  EXPECT_THROW(back.ConstGetProductAddOns().Get(0), nex_PrimException);
  // A name stored as it is, without marking, reads back with its bytes above 127 escaped.
  for (const auto& [raw, read] : {std::pair{"caf\xe9", "caf=e9"}, std::pair{"abc", "abc"}}) {
    rom_MementoWrite(*DdbRecordFile::Open(path, rfm_Access::Update).transporter, ddr_Ddb::TypeId(),
                     0)
        .NeuterString("name", raw);
    EXPECT_EQ(DdbRecordFile::Open(path).Load().Name(), read);
  }
}

TEST(ddr_Ddb_Models, SetModelsGivesEveryModelTheFileName) {
  UseDatabaseTestClasses();
  ddr_Ddb record = NewRecord();
  ddr_ModelMap models;
  models.Insert("Model-1", Model("Model-1"));
  models.Insert("Model-2", Model("Model-2"));
  record.SetModels(models);
  for (const char* key : {"Model-1", "Model-2"})
    EXPECT_EQ(record.ConstGetModels().ConstGet(key).FileName(ZunBasStringMode::UTF8),
              "/runs/job1.ddb");
}

namespace {

// TZ set to `zone` for the object's life.
struct ZoneScope {
  explicit ZoneScope(const std::string& zone) {
    if (const char* old = std::getenv("TZ")) m_old = old;
    Set(zone.c_str());
  }
  ~ZoneScope() { Set(m_old ? m_old->c_str() : nullptr); }
  static void Set(const char* zone) {
    zone ? setenv("TZ", zone, 1) : unsetenv("TZ");
    tzset();
  }
  std::optional<std::string> m_old;
};

void Put32(std::string& s, unsigned v) {
  for (int i = 3; i >= 0; --i) s += static_cast<char>((v >> (8 * i)) & 0xff);
}

// A zone file with one zone type: offset east of Greenwich and abbreviation.
std::string ZoneFile(const ScratchDir& dir, const std::string& abbreviation, int offset) {
  std::string data = "TZif" + std::string(16, '\0');
  for (unsigned count : {0u, 0u, 0u, 0u, 1u, static_cast<unsigned>(abbreviation.size() + 1)})
    Put32(data, count);
  Put32(data, static_cast<unsigned>(offset));
  data += std::string(2, '\0') + abbreviation + std::string(1, '\0');
  std::string path = dir.Path("zone" + std::to_string(offset));
  std::ofstream(path, std::ios::binary) << data;
  return path;
}

}  // namespace

TEST(ddr_Ddb_DateText, ZoneNameOrOffsetFromGreenwich) {
  ScratchDir dir;
  struct Case {
    std::string zone;
    std::int32_t time;
    const char* text;
  } cases[] = {
      {"EST5", 0, "Wed Dec 31 19:00:00 EST 1969"},
      {"UTC0", 86400, "Fri Jan 02 00:00:00 UTC 1970"},
      {ZoneFile(dir, "", 3600), 0, "Thu Jan 01 01:00:00 GMT+01:00 1970"},
      {ZoneFile(dir, "\xe9t\xe9", -18000), 0, "Wed Dec 31 19:00:00 GMT-05:00 1969"},
      {ZoneFile(dir, "", 0), 0, "Thu Jan 01 00:00:00 GMT-00:00 1970"},
      {ZoneFile(dir, "", 19800), 0, "Thu Jan 01 05:30:00 GMT+05:30 1970"},
      {"CET-1CEST,M3.5.0,M10.5.0/3", 15638400, "Wed Jul 01 02:00:00 CEST 1970"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.zone);
    ZoneScope scope(c.zone);
    EXPECT_EQ(ddr_Ddb::DateText(c.time), c.text);
  }
}

TEST(ddr_Ddb_DateText, CachedOnFirstUse) {
  ddr_Ddb record = NewRecord();
  cow_String first;
  {
    ZoneScope scope("EST5");
    first = record.ModifyTime();
  }
  ZoneScope scope("UTC0");
  EXPECT_EQ(record.ModifyTime(), first);
  EXPECT_EQ(record.CreateTime(), ddr_Ddb::DateText(record.CreateTimeAsInt()));
}
