#include "schema/ModelParts.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "schema/OldLayout.h"
#include "schema/dbc_Utils.h"

namespace model_detail {

namespace {

using namespace schema_detail;

constexpr FieldKind kObject{cls_AttrObject, 1, cls_CollNone};

cls_ClassRegistrar* BuildForeignClasses() {
  auto* r = new cls_ClassRegistrar;
  DeclareLayout(*r, "kprC_SCWrapper", kStepWrapperId, 1804,
                {{"steps", kObject}, {"stepsorder", kObject}});
  for (const ModelContainer& c : kModelContainers)
    DeclareLayout(*r, c.className, c.typeId, 1, {{"extension", kObject}});
  DeclareLayout(*r, "sectionAssignmentContainer", kAssignmentContainerId, 1,
                {{"extension", kObject}});
  DeclareLayout(*r, "connectorOrientationContainer", kOrientationContainerId, 1,
                {{"extension", kObject}});
  DeclareLayout(*r, "kseC_ConnectorSection", kConnectorSectionId, 1,
                {{"name", kString},
                 {"assembledType", kString},
                 {"rotationalType", kString},
                 {"translationalType", kString},
                 {"integration", kString},
                 {"u1ReferenceLength", kDouble},
                 {"u2ReferenceLength", kDouble},
                 {"u3ReferenceLength", kDouble},
                 {"ur1ReferenceAngle", kDouble},
                 {"ur2ReferenceAngle", kDouble},
                 {"ur3ReferenceAngle", kDouble},
                 {"behaviorOptions", kObject}});
  DeclareLayout(*r, "rgnC_SetData", kSetDataId, 1, {{"elements", kIntArray}});
  DeclareLayout(*r, "rgnC_SubsetData", kSubsetDataId, 1, {{"setData", kObject}});
  DeclareLayout(*r, "rgnC_Region", kRegionId, 1,
                {{"name", kString}, {"type", kString}, {"subset", kObject}});
  DeclareLayout(*r, "ptoC_SectionAssignment", kSectionAssignmentId, 1,
                {{"sectionName", kString},
                 {"region", kObject},
                 {"offset", kDouble},
                 {"isReinforcement", kBool}});
  DeclareLayout(*r, "ptoC_ConnectorOrientation", kConnectorOrientationId, 1,
                {{"m_name", kString},
                 {"m_csys1", kObject},
                 {"m_csys2", kObject},
                 {"m_axis1", kString},
                 {"m_axis2", kString},
                 {"m_angle1", kDouble},
                 {"m_angle2", kDouble},
                 {"m_projection1", kString},
                 {"m_projection2", kString},
                 {"m_orient2sameAs1", kBool},
                 {"m_region", kObject}});
  return r;
}

using Entries = std::vector<dbc_Database::MapEntry>;

// The model's extension map; 0 when it has none.
std::int64_t ExtensionMap(dbc_Database& db, const dbc_Row& model) {
  std::uint32_t cls = 0;
  std::int64_t oid = 0;
  dbc_Row table;
  if (!Ref(model, "instanceTable", cls, oid) || !db.ReadRow(kExtensionTableId, oid, table) ||
      !Ref(table, "map", cls, oid))
    return 0;
  return oid;
}

bool Find(const Entries& entries, const std::string& key, dbc_Database::MapEntry& found) {
  for (const auto& e : entries)
    if (e.key == key) {
      found = e;
      return true;
    }
  return false;
}

// The container's "extension" reference of the entry `key` of the extension map.
bool ContainerContent(dbc_Database& db, std::int64_t extensionMap, const std::string& key,
                      std::uint32_t& cls, std::int64_t& oid) {
  dbc_Database::MapEntry entry;
  dbc_Row container;
  return Find(db.ReadMap(extensionMap), key, entry) &&
         db.ReadRow(entry.typeId, entry.oid, container) && Ref(container, "extension", cls, oid);
}

// The map of items of a container whose content is an object holding the map in `field`.
std::int64_t ItemMap(dbc_Database& db, std::int64_t extensionMap, const std::string& key,
                     const std::string& field) {
  std::uint32_t cls = 0;
  std::int64_t oid = 0;
  dbc_Row content;
  if (!ContainerContent(db, extensionMap, key, cls, oid) || !db.ReadRow(cls, oid, content) ||
      !Ref(content, field, cls, oid))
    return 0;
  return oid;
}

// The "section" container's map of sections, made (with the container) when missing.
std::int64_t SectionMap(dbc_Database& db, std::int64_t extensionMap) {
  std::uint32_t cls = 0;
  std::int64_t oid = 0;
  if (ContainerContent(db, extensionMap, "section", cls, oid)) return oid;
  const std::int64_t map = db.NewOid();
  dbc_Row container;
  SetRef(container, "extension", cls_ObjListTypeId, map);
  db.PutMapEntry(extensionMap, {"section", kSectionContainerId,
                                db.AddRow(Foreign(kSectionContainerId), container)});
  return map;
}

std::string Mapped(const dbc_Row& row, const char* field, const char* from, const char* to) {
  const std::string text = row.GetText(field).str();
  return text == from ? to : text;
}

dbc_Row ConnectorSection(const dbc_Row& property, const std::string& name) {
  dbc_Row section;
  section.SetText("name", name);
  section.SetText("assembledType", property.GetText("assmType"));
  section.SetText("rotationalType",
                  Mapped(property, "rotType", "PROJ_FLEX_TORS", "PROJECTION_FLEXION_TORSION"));
  section.SetText("translationalType",
                  Mapped(property, "transType", "PROJ_CARTESIAN", "PROJECTION_CARTESIAN"));
  const std::string integration = property.GetText("integrationMethod").str();
  section.SetText("integration",
                  integration.empty() || integration == "UNSET" ? "UNSPECIFIED" : integration);
  for (const char* f :
       {"u1ReferenceLength", "u2ReferenceLength", "u3ReferenceLength", "ur1ReferenceAngle",
        "ur2ReferenceAngle", "ur3ReferenceAngle", "behaviorOptions#ClassID", "behaviorOptions#OID"})
    if (property.Has(f)) section.SetText(f, property.GetText(f));
  return section;
}

// The mesh node index of the point a connector references; -1 when there is none.
long long NodeOf(dbc_Database& db, const dbc_Row& connector, const char* field) {
  std::uint32_t cls = 0;
  std::int64_t oid = 0;
  dbc_Row point;
  if (!Ref(connector, field, cls, oid) || !db.ReadRow(cls, oid, point) ||
      !dbc_Utils::IsPresentAndSet(point, "meshNodeIndex"))
    return -1;
  return std::stoll(point.GetText("meshNodeIndex").str());
}

// The mesh index of the element of one of the labelled classes that joins nodes a and b.
long long FindElement(dbc_Database& db, const Entries& classes, long long a, long long b,
                      std::initializer_list<const char*> labels) {
  for (const auto& e : classes) {
    dbc_Row cls;
    if (!db.ReadRow(e.typeId, e.oid, cls)) continue;
    const std::string label = cls.GetText("elemTypeLabel").str();
    bool wanted = false;
    for (const char* l : labels) wanted = wanted || label == l;
    std::uint32_t arrayClass = 0;
    std::int64_t array = 0;
    if (!wanted || !Ref(cls, "DDBconnectivity", arrayClass, array)) continue;
    const std::vector<int> nodes = db.ReadIntArray(array);
    const long long first = std::stoll("0" + cls.GetText("meshIndex").str());
    for (std::size_t k = 0; k + 1 < nodes.size(); k += 2)
      if ((nodes[k] == a && nodes[k + 1] == b) || (nodes[k] == b && nodes[k + 1] == a))
        return first + static_cast<long long>(k / 2);
  }
  return -1;
}

Entries ElementClasses(dbc_Database& db) {
  std::vector<std::int64_t> assemblies = db.RowOids(kAssemblyId);
  dbc_Row assembly;
  std::uint32_t cls = 0;
  std::int64_t map = 0;
  if (assemblies.empty() || !db.ReadRow(kAssemblyId, assemblies.back(), assembly) ||
      !Ref(assembly, "elementClasses", cls, map))
    return {};
  return db.ReadMap(map);
}

// What 857 to 874 made for each model (by extension map), until its table step files it.
struct NewParts {
  int connectors = 0;
  std::map<std::int64_t, Entries> assignments;
  std::map<std::int64_t, Entries> orientations;
};

NewParts& Parts(dbc_Database& db) {
  std::shared_ptr<void>& state = db.StepState("connector parts");
  if (!state) state = std::make_shared<NewParts>();
  return *static_cast<NewParts*>(state.get());
}

std::int64_t ElementSet(dbc_Database& db, const std::string& name, long long element) {
  std::vector<int> elements;
  if (element >= 0) elements.push_back(static_cast<int>(element));
  dbc_Row set, subset, region;
  SetRef(set, "elements", cls_PrimArrayTypeId, db.AddIntArray(elements));
  SetRef(subset, "setData", kSetDataId, db.AddRow(Foreign(kSetDataId), set));
  region.SetText("name", name);
  region.SetText("type", "ELEMENT_SET");
  SetRef(region, "subset", kSubsetDataId, db.AddRow(Foreign(kSubsetDataId), subset));
  return db.AddRow(Foreign(kRegionId), region);
}

void CopyIfSet(const dbc_Row& from, const char* field, dbc_Row& to, const char* as,
               const char* fallback) {
  to.SetText(as, dbc_Utils::IsPresentAndSet(from, field) ? from.GetText(field) : fallback);
}

}  // namespace

void SetRef(dbc_Row& row, const std::string& field, std::uint32_t typeId, std::int64_t oid) {
  row.SetText(field + "#ClassID", std::to_string(typeId));
  row.SetText(field + "#OID", std::to_string(oid));
}

bool Ref(const dbc_Row& row, const std::string& field, std::uint32_t& typeId, std::int64_t& oid) {
  if (!dbc_Utils::IsPresentAndSet(row, field + "#ClassID") ||
      !dbc_Utils::IsPresentAndSet(row, field + "#OID"))
    return false;
  typeId = static_cast<std::uint32_t>(std::stoll(row.GetText(field + "#ClassID").str()));
  oid = std::stoll(row.GetText(field + "#OID").str());
  return true;
}

const cls_ClassMetadata& Foreign(std::uint32_t typeId) {
  static const cls_ClassRegistrar& classes = *BuildForeignClasses();
  return classes.Get(typeId);
}

void ConnectorPropertiesToSections(dbc_Database& db, const dbc_Row& model) {
  const std::int64_t extensions = ExtensionMap(db, model);
  const std::int64_t properties =
      extensions ? ItemMap(db, extensions, "connectorProperty", "connPropCont") : 0;
  if (!properties) return;
  const std::int64_t sections = SectionMap(db, extensions);
  std::set<std::string> sectionNames;
  for (const auto& e : db.ReadMap(sections)) sectionNames.insert(e.key);
  std::map<std::string, std::string> renamed;
  for (const auto& p : db.ReadMap(properties)) {
    const std::string name = sectionNames.count(p.key) ? p.key + "_connprop" : p.key;
    if (name != p.key) renamed[p.key] = name;
    dbc_Row property;
    if (!db.ReadRow(p.typeId, p.oid, property)) continue;
    const std::int64_t oid =
        db.AddRow(Foreign(kConnectorSectionId), ConnectorSection(property, name));
    db.PutMapEntry(sections, {name, kConnectorSectionId, oid});
  }
  const std::int64_t connectors = ItemMap(db, extensions, "connector", "connCont");
  if (!connectors || renamed.empty()) return;
  for (const auto& c : db.ReadMap(connectors)) {
    dbc_Row connector;
    if (!db.ReadRow(c.typeId, c.oid, connector)) continue;
    auto it = renamed.find(connector.GetText("property").str());
    if (it == renamed.end()) continue;
    dbc_Row change;
    change.SetText("property", it->second);
    db.UpdateRow(c.typeId, c.oid, change);
  }
}

void ConnectorsToAssignments(dbc_Database& db, const dbc_Row& model) {
  const std::int64_t extensions = ExtensionMap(db, model);
  const std::int64_t connectors = extensions ? ItemMap(db, extensions, "connector", "connCont") : 0;
  if (!connectors) return;
  NewParts& parts = Parts(db);
  const Entries classes = ElementClasses(db);
  for (const auto& c : db.ReadMap(connectors)) {
    dbc_Row connector;
    if (!db.ReadRow(c.typeId, c.oid, connector)) continue;
    const int n = ++parts.connectors;
    const long long a = NodeOf(db, connector, "point1"), b = NodeOf(db, connector, "point2");
    long long element = FindElement(db, classes, a, b, {"CONN3D2", "CONN2D2"});
    if (element < 0)
      element = FindElement(db, classes, a, b, {"CONN3D2", "CONN2D2", "CONN3D2G", "CONN2D2G"});
    const std::string setName = " connector_" + std::to_string(n) + "_set";
    const std::int64_t region = ElementSet(db, setName, element);
    dbc_Row assignment;
    assignment.SetText("sectionName", connector.GetText("property"));
    SetRef(assignment, "region", kRegionId, region);
    assignment.SetText("offset", "0");
    assignment.SetText("isReinforcement", "0");
    parts.assignments[extensions].push_back(
        {setName, kSectionAssignmentId, db.AddRow(Foreign(kSectionAssignmentId), assignment)});
    if (!dbc_Utils::IsPresentAndSet(connector, "csys1#OID") &&
        !dbc_Utils::IsPresentAndSet(connector, "csys2#OID"))
      continue;
    dbc_Row orientation;
    const std::string name = "connector orientation " + std::to_string(n);
    orientation.SetText("m_name", name);
    for (const char* f : {"csys1", "csys2"})
      for (const char* part : {"#ClassID", "#OID"})
        if (connector.Has(std::string(f) + part))
          orientation.SetText(std::string("m_") + f + part,
                              connector.GetText(std::string(f) + part));
    orientation.SetText("m_axis1", "AXIS_1");
    orientation.SetText("m_axis2", "AXIS_1");
    CopyIfSet(connector, "angle1", orientation, "m_angle1", "0");
    CopyIfSet(connector, "angle2", orientation, "m_angle2", "0");
    CopyIfSet(connector, "projection1", orientation, "m_projection1", "");
    CopyIfSet(connector, "projection2", orientation, "m_projection2", "");
    CopyIfSet(connector, "orient2sameAs1", orientation, "m_orient2sameAs1", "1");
    SetRef(orientation, "m_region", kRegionId, region);
    parts.orientations[extensions].push_back(
        {name, kConnectorOrientationId, db.AddRow(Foreign(kConnectorOrientationId), orientation)});
  }
}

void CompleteAssignmentTables(dbc_Database& db) {
  NewParts& parts = Parts(db);
  auto file = [&](const std::map<std::int64_t, Entries>& made, const char* key,
                  std::uint32_t containerId) {
    for (const auto& model : made) {
      const std::int64_t map = db.NewOid();
      for (const auto& e : model.second) db.PutMapEntry(map, e);
      dbc_Row container;
      SetRef(container, "extension", cls_ObjListTypeId, map);
      db.PutMapEntry(model.first, {key, containerId, db.AddRow(Foreign(containerId), container)});
    }
  };
  file(parts.assignments, "sectionAssignments", kAssignmentContainerId);
  file(parts.orientations, "connectorOrientations", kOrientationContainerId);
  db.StepState("connector parts").reset();
}

}  // namespace model_detail
