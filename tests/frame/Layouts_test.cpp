#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <sstream>
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

// A class's layout: name, version, base, extent quantum and its fields with their kinds.
std::string Layout(const cls_ClassMetadata& md) {
  std::string text = md.Name().str() + " " + std::to_string(md.Version()) + " " +
                     std::to_string(md.BaseTypeId()) + " " + std::to_string(md.ExtentQuantum());
  for (const cls_Attribute& a : md.Attributes())
    text += " " + a.name + ":" + std::to_string(a.attributeType) + ":" + std::to_string(a.typeId) +
            ":" + std::to_string(a.collectionType);
  return text;
}

// Every class the library registers, stored by a job file or not (shortcuts, containers, models),
// keeps the layout files of this release have always had.
TEST(Layouts_Registration, EveryRegisteredClassKeepsItsLayout) {
  std::string text;
  for (const cls_ClassMetadata* md : cls_MetadataRegistrar::Instance().ProcessRegistrar().Classes())
    if (typ_Component(md->TypeId()) == dia_Component ||
        typ_Component(md->TypeId()) == ddr_Component)
      text += Layout(*md) + "\n";
  EXPECT_EQ(Digest(text), 16405041422045889210ull) << text;
}

// The catalog of a job file, one line per class: its type id, its checksum and its layout.
std::string Catalog(const std::string& path) {
  return ddb_test::QueryText(
      path,
      "SELECT group_concat(line, char(10)) FROM (SELECT c.\"Type Id\" || ' ' || c.\"Check\" || ' ' "
      "|| c.\"Class Name\" || ' ' || c.Version || ' ' || c.\"Base Type Id\" || ' ' || "
      "c.\"Extent Quantum\" || coalesce((SELECT group_concat(' ' || f, '') FROM (SELECT "
      "\"Field Name\" || ':' || \"Attribute Type\" || ':' || \"Field Type Id\" || ':' || "
      "\"Collection Type\" AS f FROM \"##Fields\" WHERE \"Type Id\" = c.\"Type Id\" ORDER BY "
      "Position)), '') AS line FROM \"##Classes\" c ORDER BY c.\"Type Id\")");
}

// The fields a file stores for each class are the ones its layout declares, in order, with
// their kinds; and the catalog of a job file is the one files of this release have always had.
TEST(Layouts_Catalog, StoredFieldsAreTheDeclaredOnesAndUnchanged) {
  ddb_test::ScratchDir dir;
  const std::string path = dir.Path("job.ddb");
  ddb_damage::WriteJob(path);
  const cls_ClassRegistrar& registrar = cls_MetadataRegistrar::Instance().ProcessRegistrar();
  std::istringstream lines(Catalog(path));
  int classes = 0;
  for (std::string id, check, layout; lines >> id >> check && std::getline(lines, layout);
       ++classes) {
    const cls_ClassMetadata* md = registrar.Find(static_cast<std::uint32_t>(std::stoul(id)));
    ASSERT_NE(md, nullptr) << id;
    EXPECT_EQ(layout, " " + Layout(*md));
  }
  EXPECT_EQ(classes, 17);
  EXPECT_EQ(Digest(Catalog(path)), 11737940865861037432ull) << Catalog(path);
}

}  // namespace
