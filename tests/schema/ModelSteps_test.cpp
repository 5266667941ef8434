// The model steps of the database history, from files holding models of layouts 203 and 401
// with the classic model, connector properties, connectors and the assembly's mesh around them.
#include <gtest/gtest.h>

#include "OldFileWriter.h"
#include "TestFiles.h"
#include "ddb/database/ddr_Root.h"

using namespace ddb_test;

namespace {

// Classes of other libraries, which the model steps find by these type ids.
constexpr std::uint32_t kClassic = 0x2a50001, kAssembly = 0x2a50002, kElementClass = 0x2a50003,
                        kPoint = 0x2a50004, kSectionContainer = 0x260003b,
                        kPropContainer = 0x2a00070, kPropExtension = 0x2a00071,
                        kProperty = 0x2a00072, kConnContainer = 0x2a00073,
                        kConnExtension = 0x2a00074, kConnector = 0x2a00075, kSection = 0x2a00076;
constexpr long long kMap = cls_ObjListTypeId, kArray = cls_PrimArrayTypeId;
const ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

const std::string kExtensionKeys =
    "SELECT key FROM \"##Map\" WHERE map = (SELECT \"map#OID\" FROM ddr_ExtensionTable WHERE OID "
    "= (SELECT \"instanceTable#OID\" FROM ddr_Model)) ORDER BY key";

// A database record of layout 848 holding one model row.
void WriteDdb(OldFileWriter& w, long long model) {
  w.Declare("ddr_Ddb", 848);
  Cells ddb = {{"name", "models"}, {"creationTime", 1000LL}};
  w.Row("ddr_Ddb",
        OldFileWriter::Ref(ddb, "models", kMap, w.Map({{"Model-1", w.Id("ddr_Model"), model}})));
}

using ModelSteps = ScratchFile;

}  // namespace

TEST_F(ModelSteps, Model203_ClassicContainersBecomeExtensionsOnlyWhenSet) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, long long>> classicMaps;  // none: no classic model
    const char* keys;
  } cases[] = {
      {"no classic model", {}, ""},
      {"material and steps",
       {{"matCont", 900}, {"steps", 901}, {"stepsorder", 902}},
       "material|step"},
      {"sections and steps without materials",
       {{"sectCont", 903}, {"steps", 904}, {"stepsorder", 905}},
       "section|step"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    {
      OldFileWriter w(path);
      w.Declare("ddr_Model", 203);
      if (!c.classicMaps.empty()) {
        w.DeclareForeign("odiK_Model", kClassic, 304,
                         {{"matCont", 15}, {"sectCont", 15}, {"steps", 15}, {"stepsorder", 15}});
        Cells classic;
        for (const auto& m : c.classicMaps) OldFileWriter::Ref(classic, m.first, kMap, m.second);
        w.Row(kClassic, classic);
      }
      WriteDdb(w, w.Row("ddr_Model", {{"modelName", "Model-1"}}));
    }
    ASSERT_TRUE(ddr_Root::Instance().UpgradeDdb(path, kUtf8));
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
    // A row whose one object field refers to `oid`.
    auto holding = [&](std::uint32_t typeId, const char* field, long long refType, long long oid) {
      Cells row;
      return w.Row(typeId, OldFileWriter::Ref(row, field, refType, oid));
    };
    auto element = [&](const char* type, long long mesh, const std::vector<int>& nodes) {
      Cells row = {{"elemTypeLabel", type}, {"meshIndex", mesh}};
      return w.Row(kElementClass,
                   OldFileWriter::Ref(row, "DDBconnectivity", kArray, w.Array<int>(nodes)));
    };
    holding(kAssembly, "elementClasses", kMap,
            w.Map({{"A", kElementClass, element("CONN3D2", 10, {5, 6, 7, 8})},
                   {"B", kElementClass, element("CONN2D2G", 20, {1, 2})}}));
    auto connector = [&](Cells row, long long node1, long long node2) {
      OldFileWriter::Ref(row, "point1", kPoint, w.Row(kPoint, {{"meshNodeIndex", node1}}));
      OldFileWriter::Ref(row, "point2", kPoint, w.Row(kPoint, {{"meshNodeIndex", node2}}));
      return w.Row(kConnector, row);
    };
    Cells beam = {{"property", "Beam"}, {"angle1", 30.0}};
    long long wire1 = connector(OldFileWriter::Ref(beam, "csys1", 77, 5000), 8, 7);
    long long wire2 = connector({{"property", "Hinge"}}, 1, 2);
    long long beamProp = w.Row(kProperty, {{"assmType", "BEAM"},
                                           {"rotType", "PROJ_FLEX_TORS"},
                                           {"transType", "PROJ_CARTESIAN"},
                                           {"u1ReferenceLength", 2.5}});
    long long hingeProp =
        w.Row(kProperty,
              {{"assmType", "HINGE"}, {"rotType", "ROTATION"}, {"integrationMethod", "UNSET"}});
    long long properties = w.Map({{"Beam", kProperty, beamProp}, {"Hinge", kProperty, hingeProp}});
    long long connectors = w.Map({{"Wire-1", kConnector, wire1}, {"Wire-2", kConnector, wire2}});
    long long sections = w.Map({{"Beam", kSection, w.Row(kSection, {{"material", "Steel"}})}});
    long long extensions = w.Map(
        {{"section", kSectionContainer, holding(kSectionContainer, "extension", kMap, sections)},
         {"connectorProperty", kPropContainer,
          holding(kPropContainer, "extension", kPropExtension,
                  holding(kPropExtension, "connPropCont", kMap, properties))},
         {"connector", kConnContainer,
          holding(kConnContainer, "extension", kConnExtension,
                  holding(kConnExtension, "connCont", kMap, connectors))}});
    const std::uint32_t table = w.Id("ddr_ExtensionTable");
    Cells model = {{"modelName", "Model-1"}};
    OldFileWriter::Ref(model, "instanceTable", table, holding(table, "map", kMap, extensions));
    WriteDdb(w, w.Row("ddr_Model", model));
  }
  ASSERT_TRUE(ddr_Root::Instance().UpgradeDdb(path, kUtf8));
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
