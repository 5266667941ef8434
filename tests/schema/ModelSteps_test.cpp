// The model steps of the database history, from files holding models of layouts 203 and 401
// with the classic model, connector properties, connectors and the assembly's mesh around them.
#include <gtest/gtest.h>

#include "OldFileWriter.h"
#include "TestFiles.h"
#include "ddb/database/ddr_Root.h"

using namespace ddb_test;

namespace {

constexpr std::uint32_t kDdb = 0x220006, kModel = 0x220007, kExtensionTable = 0x220018,
                        kClassic = 0x2a50001, kAssembly = 0x2a50002, kElementClass = 0x2a50003,
                        kPoint = 0x2a50004, kSectionContainer = 0x260003b,
                        kPropContainer = 0x2a00070, kPropExtension = 0x2a00071,
                        kProperty = 0x2a00072, kConnContainer = 0x2a00073,
                        kConnExtension = 0x2a00074, kConnector = 0x2a00075, kSection = 0x2a00076;
constexpr long long kMap = 0x230002, kArray = 0x230001;
const ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

// Texts of a one-column query, joined by "|".
std::string Column(const std::string& path, const std::string& sql) {
  return QueryText(
      path, "WITH q(c) AS (" + sql + ") SELECT group_concat(coalesce(c, 'NULL'), '|') FROM q");
}

const std::string kExtensionKeys =
    "SELECT key FROM \"##Map\" WHERE map = (SELECT \"map#OID\" FROM ddr_ExtensionTable WHERE OID "
    "= (SELECT \"instanceTable#OID\" FROM ddr_Model)) ORDER BY key";

// A database record of layout 848 holding one model row.
void WriteDdb(OldFileWriter& w, long long model) {
  w.Declare("ddr_Ddb", 848);
  Cells ddb = {{"name", "models"}, {"creationTime", 1000LL}};
  for (auto& c : OldFileWriter::Ref("models", kMap, w.Map({{"Model-1", kModel, model}})))
    ddb.push_back(c);
  w.Row(kDdb, ddb);
}

class ModelSteps : public ScratchFile {
 protected:
  void Upgrade() { ASSERT_TRUE(ddr_Root::Instance().UpgradeDdb(path, kUtf8)); }
};

}  // namespace

TEST_F(ModelSteps, Model203_ClassicContainersBecomeExtensionsOnlyWhenSet) {
  struct Case {
    const char* name;
    bool classicTable;
    Cells classic;
    const char* keys;
  } cases[] = {
      {"no classic model", false, {}, ""},
      {"material and steps",
       true,
       {{"matCont#ClassID", kMap},
        {"matCont#OID", 900LL},
        {"steps#ClassID", kMap},
        {"steps#OID", 901LL},
        {"stepsorder#ClassID", kMap},
        {"stepsorder#OID", 902LL}},
       "material|step"},
      {"sections and steps without materials",
       true,
       {{"sectCont#ClassID", kMap},
        {"sectCont#OID", 903LL},
        {"steps#ClassID", kMap},
        {"steps#OID", 904LL},
        {"stepsorder#ClassID", kMap},
        {"stepsorder#OID", 905LL}},
       "section|step"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    {
      OldFileWriter w(path);
      w.Declare("ddr_Model", 203);
      if (c.classicTable) {
        w.DeclareForeign("odiK_Model", kClassic, 304,
                         {{"matCont", 15}, {"sectCont", 15}, {"steps", 15}, {"stepsorder", 15}});
        w.Row(kClassic, c.classic);
      }
      WriteDdb(w, w.Row(kModel, {{"modelName", "Model-1"}}));
    }
    Upgrade();
    EXPECT_EQ(Column(path, kExtensionKeys), c.keys);
    EXPECT_EQ(Column(path, "SELECT modelName FROM ddr_Model"), "Model-1");
    EXPECT_EQ(
        Column(path, "SELECT \"Version\" FROM \"##Classes\" WHERE \"Class Name\" = 'ddr_Model'"),
        "874");
  }
  // The last file's section container holds the classic model's, its step container wraps the
  // classic steps with their order.
  EXPECT_EQ(Column(path, "SELECT \"extension#OID\" FROM sectionContainer"), "903");
  EXPECT_EQ(Column(path,
                   "SELECT \"steps#OID\" || ',' || \"stepsorder#OID\" || ',' || "
                   "\"##BaseClassOID\" FROM kprC_SCWrapper"),
            "904,905,-1");
}

// A model of layout 401 with a section "Beam", connector properties "Beam" and "Hinge", and
// two connectors: one on a CONN3D2 element with a coordinate system, one on a CONN2D2G element
// without.
TEST_F(ModelSteps, Model401_ConnectorPropertiesBecomeSectionsAndConnectorsGetSetsAndOrientations) {
  {
    OldFileWriter w(path);
    w.Declare("ddr_Model", 401);
    w.Declare("ddr_ExtensionTable", 401);
    w.DeclareForeign("sectionContainer", kSectionContainer, 1, {{"extension", 15}});
    w.DeclareForeign("beamSection", kSection, 1, {{"material", 11}});
    w.DeclareForeign("connPropContainer", kPropContainer, 1, {{"extension", 15}});
    w.DeclareForeign("connPropExtension", kPropExtension, 1, {{"connPropCont", 15}});
    w.DeclareForeign("kcnC_ConnectorProperty", kProperty, 1,
                     {{"assmType", 11},
                      {"rotType", 11},
                      {"transType", 11},
                      {"integrationMethod", 11},
                      {"u1ReferenceLength", 10}});
    w.DeclareForeign("connContainer", kConnContainer, 1, {{"extension", 15}});
    w.DeclareForeign("connExtension", kConnExtension, 1, {{"connCont", 15}});
    w.DeclareForeign(
        "kcnC_Connector", kConnector, 1,
        {{"property", 11}, {"point1", 15}, {"point2", 15}, {"csys1", 15}, {"angle1", 10}});
    w.DeclareForeign("odiK_Point", kPoint, 1, {{"meshNodeIndex", 5}});
    w.DeclareForeign("odiK_Assembly", kAssembly, 1, {{"elementClasses", 15}});
    w.DeclareForeign("odiK_ElementClass", kElementClass, 1,
                     {{"elemTypeLabel", 11}, {"meshIndex", 5}, {"DDBconnectivity", 15}});
    auto point = [&](long long node) { return w.Row(kPoint, {{"meshNodeIndex", node}}); };
    long long conn3d = w.Row(kElementClass, {{"elemTypeLabel", "CONN3D2"},
                                             {"meshIndex", 10LL},
                                             {"DDBconnectivity#ClassID", kArray},
                                             {"DDBconnectivity#OID", w.IntArray({5, 6, 7, 8})}});
    long long conn2dg = w.Row(kElementClass, {{"elemTypeLabel", "CONN2D2G"},
                                              {"meshIndex", 20LL},
                                              {"DDBconnectivity#ClassID", kArray},
                                              {"DDBconnectivity#OID", w.IntArray({1, 2})}});
    w.Row(kAssembly,
          OldFileWriter::Ref("elementClasses", kMap,
                             w.Map({{"A", kElementClass, conn3d}, {"B", kElementClass, conn2dg}})));
    long long wire1 = w.Row(kConnector, {{"property", "Beam"},
                                         {"point1#ClassID", (long long)kPoint},
                                         {"point1#OID", point(8)},
                                         {"point2#ClassID", (long long)kPoint},
                                         {"point2#OID", point(7)},
                                         {"csys1#ClassID", 77LL},
                                         {"csys1#OID", 5000LL},
                                         {"angle1", 30.0}});
    long long wire2 = w.Row(kConnector, {{"property", "Hinge"},
                                         {"point1#ClassID", (long long)kPoint},
                                         {"point1#OID", point(1)},
                                         {"point2#ClassID", (long long)kPoint},
                                         {"point2#OID", point(2)}});
    long long beamProp = w.Row(kProperty, {{"assmType", "BEAM"},
                                           {"rotType", "PROJ_FLEX_TORS"},
                                           {"transType", "PROJ_CARTESIAN"},
                                           {"u1ReferenceLength", 2.5}});
    long long hingeProp =
        w.Row(kProperty,
              {{"assmType", "HINGE"}, {"rotType", "ROTATION"}, {"integrationMethod", "UNSET"}});
    long long propExt =
        w.Row(kPropExtension, OldFileWriter::Ref("connPropCont", kMap,
                                                 w.Map({{"Beam", kProperty, beamProp},
                                                        {"Hinge", kProperty, hingeProp}})));
    long long connExt = w.Row(
        kConnExtension,
        OldFileWriter::Ref("connCont", kMap,
                           w.Map({{"Wire-1", kConnector, wire1}, {"Wire-2", kConnector, wire2}})));
    long long sections = w.Map({{"Beam", kSection, w.Row(kSection, {{"material", "Steel"}})}});
    long long extensions =
        w.Map({{"section", kSectionContainer,
                w.Row(kSectionContainer, OldFileWriter::Ref("extension", kMap, sections))},
               {"connectorProperty", kPropContainer,
                w.Row(kPropContainer, OldFileWriter::Ref("extension", kPropExtension, propExt))},
               {"connector", kConnContainer,
                w.Row(kConnContainer, OldFileWriter::Ref("extension", kConnExtension, connExt))}});
    long long table = w.Row(kExtensionTable, OldFileWriter::Ref("map", kMap, extensions));
    Cells model = {{"modelName", "Model-1"}};
    for (auto& c : OldFileWriter::Ref("instanceTable", kExtensionTable, table)) model.push_back(c);
    WriteDdb(w, w.Row(kModel, model));
  }
  Upgrade();
  EXPECT_EQ(Column(path, kExtensionKeys),
            "connector|connectorOrientations|connectorProperty|section|sectionAssignments");
  EXPECT_EQ(Column(path,
                   "SELECT key FROM \"##Map\" WHERE map = (SELECT \"extension#OID\" FROM "
                   "sectionContainer) ORDER BY key"),
            "Beam|Beam_connprop|Hinge");
  EXPECT_EQ(Column(path,
                   "SELECT name || ',' || assembledType || ',' || rotationalType || ',' || "
                   "translationalType || ',' || integration || ',' || "
                   "IFNULL(u1ReferenceLength, '-') FROM kseC_ConnectorSection ORDER BY name"),
            "Beam_connprop,BEAM,PROJECTION_FLEXION_TORSION,PROJECTION_CARTESIAN,UNSPECIFIED,2.5|"
            "Hinge,HINGE,ROTATION,,UNSPECIFIED,-");
  EXPECT_EQ(Column(path, "SELECT property FROM kcnC_Connector ORDER BY OID"),
            "Beam_connprop|Hinge");
  EXPECT_EQ(Column(path,
                   "SELECT r.name || ',' || r.type || ',' || a.sectionName FROM "
                   "ptoC_SectionAssignment a JOIN rgnC_Region r ON r.OID = a.\"region#OID\" "
                   "ORDER BY r.name"),
            " connector_1_set,ELEMENT_SET,Beam_connprop| connector_2_set,ELEMENT_SET,Hinge");
  EXPECT_EQ(Column(path,
                   "SELECT hex(a.data) FROM rgnC_Region r JOIN rgnC_SubsetData s ON s.OID = "
                   "r.\"subset#OID\" JOIN rgnC_SetData d ON d.OID = s.\"setData#OID\" JOIN "
                   "\"##Array\" a ON a.oid = d.\"elements#OID\" ORDER BY r.name"),
            "0B000000|14000000");
  EXPECT_EQ(Column(path,
                   "SELECT m_name || ',' || \"m_csys1#OID\" || ',' || m_axis1 || ',' || "
                   "m_angle1 || ',' || m_orient2sameAs1 FROM ptoC_ConnectorOrientation"),
            "connector orientation 1,5000,AXIS_1,30.0,1");
}
