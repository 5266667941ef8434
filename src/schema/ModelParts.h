// The parts of a model that its older layouts' steps rework, as they are stored in a file being
// converted: the extension table and its containers, connector properties and sections,
// connectors, the assembly's connector elements, sets, section assignments and connector
// orientations. The classes are other libraries'; the layouts here declare the fields the
// steps read and write. Stateless except for what a conversion keeps in its step state.
//
// How the parts hang together (what the steps read):
// - model "instanceTable" -> ddr_ExtensionTable "map" -> entries by key -> a container row
//   whose "extension" is the container's content: for "section" (and the other containers the
//   classic model had) a map of items by name; for "connectorProperty" and "connector" an
//   object whose "connPropCont" / "connCont" is the map of items by name.
// - a connector property: "assmType", "rotType", "transType", "integrationMethod", the six
//   reference lengths and angles, "behaviorOptions".
// - a connector: "property" (a section name), "point1"/"point2" (points whose
//   "meshNodeIndex" names a mesh node), "csys1"/"csys2", and its orientation data "angle1",
//   "angle2", "projection1", "projection2", "orient2sameAs1".
// - the assembly ("odiK_Assembly", last row): "elementClasses", a map of element classes with
//   "elemTypeLabel", "meshIndex" (the mesh index of its first element) and "DDBconnectivity"
//   (an int array, two mesh node indices per element).
#pragma once

#include <cstdint>
#include <string>

#include "ddb/frame/ZunRomDdr.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "platform/persist/dbc_OldClassRegistrar.h"

namespace model_detail {

constexpr std::uint32_t kExtensionTableId = ddr_TypeId_ExtensionTable;
constexpr std::uint32_t kStepWrapperId = 0x23c004a;
constexpr std::uint32_t kSectionContainerId = 0x260003b;
constexpr std::uint32_t kAssemblyId = 0x2a50002;
constexpr std::uint32_t kConnectorSectionId = 0x2600040;
constexpr std::uint32_t kAssignmentContainerId = 0x2600041;
constexpr std::uint32_t kOrientationContainerId = 0x2600042;
constexpr std::uint32_t kSectionAssignmentId = 0x2600043;
constexpr std::uint32_t kConnectorOrientationId = 0x2600044;
constexpr std::uint32_t kSetDataId = 0x2540001;
constexpr std::uint32_t kSubsetDataId = 0x2540002;
constexpr std::uint32_t kRegionId = 0x2540003;

// The model containers of the other libraries: the classic model's attribute, the extension key
// the container is filed under, and the container's class.
struct ModelContainer {
  const char* classicAttribute;
  const char* key;
  const char* className;
  std::uint32_t typeId;
};
constexpr ModelContainer kModelContainers[] = {
    {"matCont", "material", "materialContainer", 0x238007d},
    {"sectCont", "section", "sectionContainer", kSectionContainerId},
    {"ampCont", "amplitude", "amplitudeContainer", 0x2440017},
    {"constraintCont", "constraint", "constraintContainer", 0x2d00012},
    {"bpCont", "profile", "profileContainer", 0x2640014},
    {"amcCont", "adaptiveMeshControl", "adaptiveMeshControlContainer", 0x2680010},
    {"loadCont", "load", "loadContainer", 0x2880052},
    {"bcCont", "bc", "bcContainer", 0x2980030},
    {"ipCont", "interactionProperty", "interactionPropertyContainer", 0x2a00062},
    {"intCont", "interaction", "interactionContainer", 0x2a00061},
    {"fCont", "field", "fieldContainer", 0x2ec002c},
    {"foCont", "fieldOutputRequest", "fieldOutputRequestContainer", 0x2400032},
    {"hoCont", "historyOutputRequest", "historyOutputRequestContainer", 0x2400033},
};

// An object reference as the pair of columns "<field>#ClassID" / "<field>#OID".
void SetRef(dbc_Row& row, const std::string& field, std::uint32_t typeId, std::int64_t oid);
bool Ref(const dbc_Row& row, const std::string& field, std::uint32_t& typeId, std::int64_t& oid);

// The declared layout of a class of another library that the steps create.
const cls_ClassMetadata& Foreign(std::uint32_t typeId);

// 401 to 857: the model's connector properties become connector sections of its "section"
// container (made when missing); a property named like a section gets "_connprop" appended,
// and the connectors' "property" follows.
void ConnectorPropertiesToSections(dbc_Database& db, const dbc_Row& model);
// 857 to 874: each connector gets an element set " connector_<n>_set" holding the connector
// element that joins its two points, a section assignment of its property to that set and,
// when it has a coordinate system, a connector orientation "connector orientation <n>".
void ConnectorsToAssignments(dbc_Database& db, const dbc_Row& model);
// The table step of 857 to 874: files each model's new assignments and orientations under its
// "sectionAssignments" and "connectorOrientations" containers.
void CompleteAssignmentTables(dbc_Database& db);

}  // namespace model_detail
