#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "TestFiles.h"
#include "damage/JobTree.h"
#include "ddb/frame/ZunRomDdr.h"
#include "ddb/frame/ZunRomDia.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "startup/Registration.h"

namespace {

// Entries of the type-name tables that no file stores a row of: classes removed from the schema
// (older files name them) and in-memory containers.
const std::set<std::string> kNotStored = {
    "dia_FieldCriteria",     "dia_ConstraintCriteria",      "dia_NumericalSingularity",
    "dia_ZeroPivot",         "dia_NumericalProblemSummary", "dia_NumericalProblemSummaryInfo",
    "dia_WarningErrorData",  "dia_NodeDiagnosticData",      "dia_ElementDiagnosticData",
    "ddr_ResultContainer",   "ddr_ModelContainer",          "ddr_DdbContainer",
    "ddr_UserDataContainer", "ddr_ModelExtension",          "ddr_CustomDataContainer"};

// Each class of the module's list is declared once, under the name and base its module's
// type-name table gives it; every stored class of the table is in the list; the table names each
// class once, and its lookup names no id outside the table.
void ExpectListMatchesTable(const cls_ClassList& classes, const typ_ArchCompEntry& table,
                            std::uint32_t component, const char* (*nameOf)(std::uint32_t)) {
  cls_ClassRegistrar registrar;
  for (cls_ClassRegistrar::InitFn fn : classes) fn(registrar);
  int declared = 0;
  for (const cls_ClassMetadata* md : registrar.Classes())
    if (typ_Component(md->TypeId()) == component) ++declared;
  EXPECT_EQ(declared, classes.count) << "a class is registered twice";
  for (std::uint32_t outside :
       {typ_TypeId(component, 0), typ_TypeId(component, table.count), typ_TypeId(component + 1, 1)})
    EXPECT_EQ(nameOf(outside), nullptr) << std::hex << outside;
  std::set<std::string> names;
  for (int i = 1; i < table.count; ++i) {
    const typ_Entry& entry = table.entries[i];
    EXPECT_TRUE(names.insert(entry.name).second) << entry.name;
    EXPECT_STREQ(nameOf(typ_TypeId(component, i)), entry.name);
    const cls_ClassMetadata* md = registrar.Find(typ_TypeId(component, i));
    if (kNotStored.count(entry.name)) {
      EXPECT_EQ(md, nullptr) << entry.name;
      continue;
    }
    ASSERT_NE(md, nullptr) << entry.name << " is not registered";
    EXPECT_EQ(md->Name(), entry.name);
    EXPECT_EQ(md->BaseTypeId(), entry.base == typ_NoBase ? cls_NoBaseTypeId : entry.base)
        << entry.name;
  }
}

TEST(Layouts_Registration, EachModuleListsEveryStoredClassOfItsTableOnce) {
  ExpectListMatchesTable(dia_Classes(), dia_ArchEntry(), dia_Component, dia_TypeNameOf);
  ExpectListMatchesTable(ddr_Classes(), ddr_ArchEntry(), ddr_Component, ddr_TypeNameOf);
}

std::uint64_t Digest(const std::string& text) {
  std::uint64_t digest = 14695981039346656037ull;
  for (unsigned char c : text) digest = (digest ^ c) * 1099511628211ull;
  return digest;
}

// Every class the library registers, stored by a job file or not (shortcuts, containers, models),
// keeps the layout files of this release have always had: name, version, base, extent quantum and
// fields with their kinds.
TEST(Layouts_Registration, EveryRegisteredClassKeepsItsLayout) {
  std::string text;
  for (const cls_ClassMetadata* md :
       cls_MetadataRegistrar::Instance().ProcessRegistrar().Classes()) {
    if (typ_Component(md->TypeId()) != dia_Component &&
        typ_Component(md->TypeId()) != ddr_Component)
      continue;
    text += md->Name().str() + " " + std::to_string(md->Version()) + " " +
            std::to_string(md->BaseTypeId()) + " " + std::to_string(md->ExtentQuantum());
    for (const cls_Attribute& a : md->Attributes())
      text += " " + a.name + ":" + std::to_string(a.attributeType) + ":" +
              std::to_string(a.typeId) + ":" + std::to_string(a.collectionType);
    text += "\n";
  }
  EXPECT_EQ(Digest(text), 16405041422045889210ull) << text;
}

class Layouts_Catalog : public ddb_test::ScratchFile {
 protected:
  std::string Catalog() const {
    return ddb_test::QueryText(
        path,
        "SELECT group_concat(line, char(10)) FROM (SELECT c.\"Class Name\" || ' ' || c.Version || "
        "' ' || c.\"Base Type Id\" || ' ' || c.\"Extent Quantum\" || ' ' || c.\"Check\" || ' ' || "
        "coalesce((SELECT group_concat(f, ',') FROM (SELECT \"Field Name\" || ':' || "
        "\"Attribute Type\" || ':' || \"Field Type Id\" || ':' || \"Collection Type\" AS f FROM "
        "\"##Fields\" WHERE \"Type Id\" = c.\"Type Id\" ORDER BY Position)), '') AS line FROM "
        "\"##Classes\" c ORDER BY c.\"Type Id\")");
  }
};

// The fields a file stores for each class are the ones its layout declares, in order, with
// their kinds; and the catalog of a job file is the one files of this release have always had.
TEST_F(Layouts_Catalog, StoredFieldsAreTheDeclaredOnesAndUnchanged) {
  ddb_damage::WriteJob(path);
  const cls_ClassRegistrar& registrar = cls_MetadataRegistrar::Instance().ProcessRegistrar();
  long long classes = ddb_test::Query(path, "SELECT COUNT(*) FROM \"##Classes\"");
  EXPECT_EQ(classes, 17);
  for (const cls_ClassMetadata* md : registrar.Classes()) {
    const std::string id = std::to_string(md->TypeId());
    if (ddb_test::Query(path, "SELECT COUNT(*) FROM \"##Classes\" WHERE \"Type Id\" = " + id) == 0)
      continue;
    const auto& attributes = md->Attributes();
    EXPECT_EQ(ddb_test::Query(path, "SELECT COUNT(*) FROM \"##Fields\" WHERE \"Type Id\" = " + id),
              static_cast<long long>(attributes.size()))
        << md->Name().str();
    for (std::size_t i = 0; i < attributes.size(); ++i) {
      const cls_Attribute& a = attributes[i];
      const std::string row =
          "FROM \"##Fields\" WHERE \"Type Id\" = " + id + " AND Position = " + std::to_string(i);
      EXPECT_EQ(ddb_test::QueryText(path, "SELECT \"Field Name\" " + row), a.name);
      EXPECT_EQ(ddb_test::Query(path, "SELECT \"Attribute Type\" " + row), a.attributeType);
      EXPECT_EQ(ddb_test::Query(path, "SELECT \"Field Type Id\" " + row), a.typeId);
      EXPECT_EQ(ddb_test::Query(path, "SELECT \"Collection Type\" " + row), a.collectionType);
    }
  }
  EXPECT_EQ(Digest(Catalog()), 12417371744256049211ull) << Catalog();
}

}  // namespace
