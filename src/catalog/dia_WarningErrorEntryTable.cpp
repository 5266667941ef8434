// The warning/error catalog: one row per analysis warning (error flag clear) and error (error flag
// set), grouped by the solver component that reports them: 1 general, 2 model checks, 4 and 5
// constraints and contact, 6 memory, 7 output, 9 fluid cavities and adaptive meshing, 10 the
// solution procedure. Templates carry one specifier per value of the counts; the column formats
// list the values worth a table column. Titles are kept as the solver has always printed them.
#include "dia_EntryBuilder.h"

namespace {

using namespace dia_catalog;

// Texts shared by the solver-problem families of rows (singularities, pivots, eigenvalues).
constexpr const char* kLoadCase = ".Load Case";

// clang-format off
constexpr dia_Entry kWarningErrorRows[] = {
    // Group 1: general.
    MakeEntry(0x41010020, "Internal error", kOrvel,
        "The analysis stopped because of an error inside the solver that the input data does not explain.\n\nKeep the input file and the output files of the job and report the message to technical support.",
        {
          {"", "Internal error: %S", {0, 0, 1, 0, 0}, {kAbsent, kAbsent, "Message", kAbsent, kAbsent}, "%S0"},
        }),
    MakeEntry(0x01010020, "Warnings limit reached", kLocal,
        kAbsent,
        {
          {"", "Only the first 10 messages are reported for one or more warnings in this increment.", {0, 0, 0, 0, 0}, {kAbsent, kAbsent, kAbsent, kAbsent, kAbsent}, ""},
        }),

    // Group 2, category 1: nodes.
    MakeEntry(0x02010020, "Displacement jump at the beginning of step", kLocal,
        "Boundary conditions prescribed at the beginning of the step differ from the displacements at the end of the previous step, so the nodes jump to the new values in the first increment.\n\nRamp the boundary condition from its current value with an amplitude if the jump is not intended.",
        {
          {"", "Node %N has a displacement jump of %R in D.O.F. %I at the beginning of the step.", {1, 1, 0, 1, 0}, {"DOF", "Displacement jump", kAbsent, "Node", kAbsent}, "%N0%I0%R0"},
        }),
    MakeEntry(0x02010040, "Displacement jump at the beginning of step (transformed node)", kLocal,
        "Boundary conditions prescribed in the local system of a transformed node differ from the displacements at the end of the previous step.",
        {
          {"Translation", "Transformed node %N has a displacement jump of %R in local D.O.F. %I at the beginning of the step.", {1, 1, 0, 1, 0}, {"Local DOF", "Displacement jump", kAbsent, "Node", kAbsent}, "%N0%I0%R0"},
          {"Rotation", "Transformed node %N has a rotation jump of %R in local D.O.F. %I at the beginning of the step.", {1, 1, 0, 1, 0}, {"Local DOF", "Rotation jump", kAbsent, "Node", kAbsent}, "%N0%I0%R0"},
        }),
    MakeEntry(0x02010060, "Displacement jump at the beginning of step (transformed node)", kLocal,
        kAbsent,
        {
          {"", "Transformed node %N has a displacement jump of %R at the beginning of the step.", {0, 1, 0, 1, 0}, {kAbsent, "Displacement jump", kAbsent, "Node", kAbsent}, "%N0%R0"},
        }),
    MakeEntry(0x02010080, "Mass of nodes augmented by small amounts", kLocal,
        "Nodes that carry no mass but have active translational degrees of freedom receive a small mass so that the equations of motion can be solved.\n\nCheck that mass or density is defined wherever it is intended.",
        {
          {"", "The mass of node %N was augmented by %R.", {0, 1, 0, 1, 0}, {kAbsent, "Added mass", kAbsent, "Node", kAbsent}, "%N0%R0"},
        }),
    MakeEntry(0x020100A0, "Rotary inertia of nodes augmented by small amounts", kLocal,
        "Nodes that carry no rotary inertia but have active rotational degrees of freedom receive a small rotary inertia so that the equations of motion can be solved.",
        {
          {"", "The rotary inertia of node %N was augmented by %R.", {0, 1, 0, 1, 0}, {kAbsent, "Added rotary inertia", kAbsent, "Node", kAbsent}, "%N0%R0"},
        }),
    MakeEntry(0x020100C0, "Connector nodes with zero mass but non-zero initial velocity", kLocal,
        kAbsent,
        {
          {"", "Connector node %N has zero mass but a non-zero initial velocity; the initial velocity has no effect.", {0, 0, 0, 1, 0}, {kAbsent, kAbsent, kAbsent, "Node", kAbsent}, "%N0"},
        }),
    MakeEntry(0x020100E0, "Node has spatial as well as acoustic pressure DOF active", kLocal,
        kAbsent,
        {
          {"", "Node %N has spatial as well as acoustic pressure degrees of freedom active.", {0, 0, 0, 1, 0}, {kAbsent, kAbsent, kAbsent, "Node", kAbsent}, "%N0"},
        }),
    MakeEntry(0x02010100, "Node is part of both the slave and master surfaces for tie definition", kLocal,
        "A node that belongs to both surfaces of a tie constraint cannot be tied to itself; it is removed from the slave surface of that tie.",
        {
          {"", "Node %N belongs to both the slave surface %S and the master surface %S of a tie constraint; it is removed from the slave surface.", {0, 0, 2, 1, 0}, {kAbsent, kAbsent, "Slave.Master", "Node", kAbsent}, "%N0%S0%S1"},
        }),
    MakeEntry(0x02010120, "Node may have insufficient mass to allow setting an appropriate contact stiffnes", kLocal,
        kAbsent,
        {
          {"", "Node %N may have insufficient mass to allow setting an appropriate penalty stiffness for contact on surface %S.", {0, 0, 1, 1, 0}, {kAbsent, kAbsent, "Surface", "Node", kAbsent}, "%N0%S0"},
        }),
    MakeEntry(0x02010140, "Portions of master surfaces in the general contact domain have been tied together", kLocal,
        kAbsent,
        {
          {"", "Portions of master surfaces %S and %S in the general contact domain have been tied together at node %N.", {0, 0, 2, 1, 0}, {kAbsent, kAbsent, "Surface 1.Surface 2", "Node", kAbsent}, "%N0%S0%S1"},
        }),
    MakeEntry(0x42010020, "Excessive rotation of node", kLocal,
        "The incremental rotation of a node is too large for the rotation update to be accurate.\n\nThe increment will be attempted again with a smaller size. Repeated cutbacks usually point to an unrestrained rotation or a load applied too suddenly.",
        {
          {"", "Node %N has an excessive rotation of %R in D.O.F. %I.", {1, 1, 0, 1, 0}, {"DOF", "Rotation", kAbsent, "Node", kAbsent}, "%N0%I0%R0"},
        }),
    MakeEntry(0x42010040, "Node has zero mass but not all spatial DOF constrained", kLocal,
        "In a dynamic analysis every node with active translational degrees of freedom needs mass. Add mass or density, or constrain the node.",
        {
          {"", "Node %N has zero mass but not all of its spatial degrees of freedom are constrained.", {0, 0, 0, 1, 0}, {kAbsent, kAbsent, kAbsent, "Node", kAbsent}, "%N0"},
        }),
    MakeEntry(0x42010060, "Node has zero rotary inertia but not all rotational DOF constrained", kLocal,
        "In a dynamic analysis every node with active rotational degrees of freedom needs rotary inertia. Add rotary inertia, or constrain the rotations of the node.",
        {
          {"", "Node %N has zero rotary inertia but not all of its rotational degrees of freedom are constrained.", {0, 0, 0, 1, 0}, {kAbsent, kAbsent, kAbsent, "Node", kAbsent}, "%N0"},
        }),

    // Group 2, category 2: elements.
    MakeEntry(0x02020020, "Distorted elements", kLocal,
        "The elements listed are distorted enough to make their results inaccurate.\n\nRefine the mesh in the region or improve the element shapes.",
        {
          {"Negative volume", "Element %E is distorted: the volume at integration point %I is negative.", {1, 0, 0, 0, 1}, {"Point", kAbsent, kAbsent, kAbsent, "Element"}, "%E0%I0"},
          {"Small volume ratio", "Element %E is distorted: the volume at integration point %I is %R times the original volume.", {1, 1, 0, 0, 1}, {"Point", "Volume ratio", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
          {"Inverted face", "Face %S of element %E has turned inside out.", {0, 0, 1, 0, 1}, {kAbsent, kAbsent, "Face", kAbsent, "Element"}, "%E0%S0"},
          {"Excessive angle", "Element %E has an interior angle of %R degrees at node %N.", {0, 1, 0, 1, 1}, {kAbsent, "Angle", kAbsent, "Node", "Element"}, "%E0%N0%R0"},
          {"Collapsed edge", "The edge between nodes %N and %N of element %E has collapsed.", {0, 0, 0, 2, 1}, {kAbsent, kAbsent, kAbsent, "Node 1.Node 2", "Element"}, "%E0%N0%N1"},
        }),
    MakeEntry(0x02020040, "Elements with large aspect ratio", kLocal,
        "Elements much longer in one direction than in another give poor accuracy, and in explicit dynamics a small stable time increment.",
        {
          {"Solid", "Element %E has an aspect ratio of %R.", {0, 1, 0, 0, 1}, {kAbsent, "Aspect ratio", kAbsent, kAbsent, "Element"}, "%E0%R0"},
          {"Shell", "Shell element %E has an aspect ratio of %R.", {0, 1, 0, 0, 1}, {kAbsent, "Aspect ratio", kAbsent, kAbsent, "Element"}, "%E0%R0"},
        }),
    MakeEntry(0x02020060, "Warped elements", kLocal,
        kAbsent,
        {
          {"Quadrilateral face", "Face %S of element %E is warped by %R degrees.", {0, 1, 1, 0, 1}, {kAbsent, "Warp angle", "Face", kAbsent, "Element"}, "%E0%S0%R0"},
          {"Shell", "Shell element %E is warped by %R degrees.", {0, 1, 0, 0, 1}, {kAbsent, "Warp angle", kAbsent, kAbsent, "Element"}, "%E0%R0"},
          {"Membrane", "Membrane element %E is warped by %R degrees.", {0, 1, 0, 0, 1}, {kAbsent, "Warp angle", kAbsent, kAbsent, "Element"}, "%E0%R0"},
        }),
    MakeEntry(0x02020080, "Elements with small volume", kLocal,
        kAbsent,
        {
          {"Solid", "Element %E has a volume of %R, which is small compared with the average element volume.", {0, 1, 0, 0, 1}, {kAbsent, "Volume", kAbsent, kAbsent, "Element"}, "%E0%R0"},
          {"Shell or membrane", "Element %E has an area of %R, which is small compared with the average element area.", {0, 1, 0, 0, 1}, {kAbsent, "Area", kAbsent, kAbsent, "Element"}, "%E0%R0"},
        }),
    MakeEntry(0x020200A0, "Deformation speed warnings", kLocal,
        "Elements deforming faster than the waves of their material can travel give results of doubtful value; check the loading rate and the material's density and stiffness.",
        {
          {"Dilatational wave speed", "Element %E deforms at %R times the dilatational wave speed of its material.", {0, 1, 0, 0, 1}, {kAbsent, "Speed ratio", kAbsent, kAbsent, "Element"}, "%E0%R0"},
          {"Shear wave speed", "Element %E deforms at %R times the shear wave speed of its material.", {0, 1, 0, 0, 1}, {kAbsent, "Speed ratio", kAbsent, kAbsent, "Element"}, "%E0%R0"},
          {"Speed limit", "Element %E deforms at a speed of %R, which exceeds the limit of %R.", {0, 2, 0, 0, 1}, {kAbsent, "Speed.Limit", kAbsent, kAbsent, "Element"}, "%E0%R0%R1"},
        }),
    MakeEntry(0x020200C0, "Excessive mass change at the beginning of step", kLocal,
        kAbsent,
        {
          {"", "The mass of element %E changed by a factor of %R at the beginning of the step.", {0, 1, 0, 0, 1}, {kAbsent, "Mass ratio", kAbsent, kAbsent, "Element"}, "%E0%R0"},
        }),
    MakeEntry(0x020200E0, "Large rotation of truss elements", kLocal,
        kAbsent,
        {
          {"", "Truss element %E has rotated by %R radians in this increment.", {0, 1, 0, 0, 1}, {kAbsent, "Rotation", kAbsent, kAbsent, "Element"}, "%E0%R0"},
        }),
    MakeEntry(0x02020100, "Large rotation of spring or dashpot elements", kLocal,
        "Springs and dashpots acting in a fixed direction do not rotate with the structure; after a large rotation their line of action no longer follows the nodes.",
        {
          {"Spring", "Spring element %E has rotated by %R radians; its line of action is fixed.", {0, 1, 0, 0, 1}, {kAbsent, "Rotation", kAbsent, kAbsent, "Element"}, "%E0%R0"},
          {"Dashpot", "Dashpot element %E has rotated by %R radians; its line of action is fixed.", {0, 1, 0, 0, 1}, {kAbsent, "Rotation", kAbsent, kAbsent, "Element"}, "%E0%R0"},
        }),
    MakeEntry(0x02020120, "Negligible mass", kLocal,
        kAbsent,
        {
          {"", "Element %E has a negligible mass of %R.", {0, 1, 0, 0, 1}, {kAbsent, "Mass", kAbsent, kAbsent, "Element"}, "%E0%R0"},
        }),
    MakeEntry(0x02020140, "Connector stop options defined such that initial configuration violates connector stop limits", kLocal,
        kAbsent,
        {
          {"", "The initial configuration of connector element %E violates the stop limit of component %I by %R.", {1, 1, 0, 0, 1}, {"Component", "Violation", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
        }),
    MakeEntry(0x02020160, "User defined normal of the material orientation is orthogonal to the shell, membrane, or cohesive element normal", kLocal,
        kAbsent,
        {
          {"", "The user-defined normal of material orientation %S is orthogonal to the normal of element %E.", {0, 0, 1, 0, 1}, {kAbsent, kAbsent, "Orientation", kAbsent, "Element"}, "%E0%S0"},
        }),
    MakeEntry(0x02020180, "Master surface has been defined on a collapsed face of the element", kLocal,
        kAbsent,
        {
          {"", "Master surface %S has been defined on collapsed face %S of element %E.", {0, 0, 2, 0, 1}, {kAbsent, kAbsent, "Surface.Face", kAbsent, "Element"}, "%S0%E0%S1"},
        }),
    MakeEntry(0x020201A0, "Warped double-sided quadrilateral elements included in general contact", kLocal,
        kAbsent,
        {
          {"", "Double-sided quadrilateral element %E in general contact is warped by %R degrees.", {0, 1, 0, 0, 1}, {kAbsent, "Warp angle", kAbsent, kAbsent, "Element"}, "%E0%R0"},
        }),
    MakeEntry(0x42020020, "Excessively distorted elements", kLocal,
        "Elements are distorted so severely that their integration cannot continue.\n\nThe increment will be attempted again with a smaller size. If the distortion persists, refine the mesh, use elements better suited to large distortion, or check for loads concentrated on few nodes.",
        {
          {"Negative volume", "Element %E is excessively distorted: the volume at integration point %I is negative.", {1, 0, 0, 0, 1}, {"Point", kAbsent, kAbsent, kAbsent, "Element"}, "%E0%I0"},
          {"Inverted face", "Face %S of element %E has turned inside out.", {0, 0, 1, 0, 1}, {kAbsent, kAbsent, "Face", kAbsent, "Element"}, "%E0%S0"},
          {"Jacobian", "The jacobian of element %E at integration point %I is %R.", {1, 1, 0, 0, 1}, {"Point", "Jacobian", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
        }),
    MakeEntry(0x42020040, "Elements with small volume", kLocal,
        "Elements with zero or negative volume usually have their nodes in the wrong order or coincident nodes.",
        {
          {"Zero volume", "Element %E has zero volume.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Negative volume", "Element %E has a negative volume of %R.", {0, 1, 0, 0, 1}, {kAbsent, "Volume", kAbsent, kAbsent, "Element"}, "%E0%R0"},
        }),
    MakeEntry(0x42020060, "Elements with small area", kLocal,
        "Elements with zero or negative area usually have their nodes in the wrong order or coincident nodes.",
        {
          {"Zero area", "Element %E has zero area.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Negative area", "Element %E has a negative area of %R.", {0, 1, 0, 0, 1}, {kAbsent, "Area", kAbsent, kAbsent, "Element"}, "%E0%R0"},
        }),
    MakeEntry(0x42020080, "Elements with zero length", kLocal,
        kAbsent,
        {
          {"Element", "Element %E has zero length.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Coincident nodes", "Element %E has zero length: nodes %N and %N are coincident.", {0, 0, 0, 2, 1}, {kAbsent, kAbsent, kAbsent, "Node 1.Node 2", "Element"}, "%E0%N0%N1"},
        }),
    MakeEntry(0x420200A0, "Element normals cannot be calculated", kLocal,
        kAbsent,
        {
          {"Element", "The normal of element %E cannot be calculated.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Node", "The normal at node %N of element %E cannot be calculated.", {0, 0, 0, 1, 1}, {kAbsent, kAbsent, kAbsent, "Node", "Element"}, "%E0%N0"},
        }),
    MakeEntry(0x420200C0, "Excessive incremental rotation", kLocal,
        kAbsent,
        {
          {"", "Element %E has an incremental rotation of %R radians, which is too large.", {0, 1, 0, 0, 1}, {kAbsent, "Rotation", kAbsent, kAbsent, "Element"}, "%E0%R0"},
        }),
    MakeEntry(0x420200E0, "Zero or negative mass", kLocal,
        "Check the density of the element's material and the mass or inertia given for point-mass elements.",
        {
          {"", "Element %E has a mass of %R.", {0, 1, 0, 0, 1}, {kAbsent, "Mass", kAbsent, kAbsent, "Element"}, "%E0%R0"},
        }),
    MakeEntry(0x42020100, "Connector stop conflicts with motion", kLocal,
        kAbsent,
        {
          {"", "The stop of component %I of connector element %E conflicts with the prescribed motion.", {1, 0, 0, 0, 1}, {"Component", kAbsent, kAbsent, kAbsent, "Element"}, "%E0%I0"},
        }),
    MakeEntry(0x42020120, "No material left in slipring connector", kLocal,
        kAbsent,
        {
          {"", "No material is left in slipring connector element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x42020140, "Deformable element references material with zero density", kLocal,
        kAbsent,
        {
          {"", "Element %E references material %S, which has zero density.", {0, 0, 1, 0, 1}, {kAbsent, kAbsent, "Material", kAbsent, "Element"}, "%E0%S0"},
        }),
    MakeEntry(0x42020160, "Acoustic element references material with zero density", kLocal,
        kAbsent,
        {
          {"", "Acoustic element %E references material %S, which has zero density.", {0, 0, 1, 0, 1}, {kAbsent, kAbsent, "Material", kAbsent, "Element"}, "%E0%S0"},
        }),
    MakeEntry(0x42020180, "Acoustic infinite element references material with zero density", kLocal,
        kAbsent,
        {
          {"", "Acoustic infinite element %E references material %S, which has zero density.", {0, 0, 1, 0, 1}, {kAbsent, kAbsent, "Material", kAbsent, "Element"}, "%E0%S0"},
        }),
    MakeEntry(0x420201A0, "Acoustic element references material with zero bulk modulus", kLocal,
        kAbsent,
        {
          {"", "Acoustic element %E references material %S, which has zero bulk modulus.", {0, 0, 1, 0, 1}, {kAbsent, kAbsent, "Material", kAbsent, "Element"}, "%E0%S0"},
        }),
    MakeEntry(0x420201C0, "Acoustic infinite element references material with zero bulk modulus", kLocal,
        kAbsent,
        {
          {"", "Acoustic infinite element %E references material %S, which has zero bulk modulus.", {0, 0, 1, 0, 1}, {kAbsent, kAbsent, "Material", kAbsent, "Element"}, "%E0%S0"},
        }),
    MakeEntry(0x420201E0, "User defined normal of the material orientation is orthogonal to the shell, membrane, or cohesive element normal", kLocal,
        "The material directions of the element cannot be projected onto its surface. Choose an orientation whose normal direction is not in the plane of the element.",
        {
          {"", "The user-defined normal of material orientation %S is orthogonal to the normal of element %E.", {0, 0, 1, 0, 1}, {kAbsent, kAbsent, "Orientation", kAbsent, "Element"}, "%E0%S0"},
        }),

    // Group 2, category 4: contact surfaces.
    MakeEntry(0x02040020, "Rescaled facet thickness", kLocal,
        kAbsent,
        {
          {"", "The thickness of facet %I of surface %S was rescaled to %R.", {1, 1, 1, 0, 0}, {"Facet", "Thickness", "Surface", kAbsent, kAbsent}, "%S0%I0%R0"},
        }),
    MakeEntry(0x02040040, "Facets thicker than length of the facet", kLocal,
        "Contact on a surface whose thickness exceeds the size of its facets can behave poorly near corners; consider reducing the thickness used for contact.",
        {
          {"Element face", "Face %S of element %E on surface %S is thicker than its length; the thickness is %R times the length.", {0, 1, 2, 0, 1}, {kAbsent, "Thickness ratio", "Face.Surface", kAbsent, "Element"}, "%S1%E0%S0%R0"},
          {"Analytical surface segment", "Segment %I of analytical surface %S is thicker than its length; the thickness is %R times the length.", {1, 1, 1, 0, 0}, {"Segment", "Thickness ratio", "Surface", kAbsent, kAbsent}, "%S0%I0%R0"},
        }),
    MakeEntry(0x02040060, "Facets thicker than 0.6 times an edge or diagonal length", kLocal,
        kAbsent,
        {
          {"Element face", "Face %S of element %E on surface %S has a thickness of %R times its shortest edge or diagonal.", {0, 1, 2, 0, 1}, {kAbsent, "Thickness ratio", "Face.Surface", kAbsent, "Element"}, "%S1%E0%S0%R0"},
          {"Analytical surface segment", "Segment %I of analytical surface %S has a thickness of %R times its length.", {1, 1, 1, 0, 0}, {"Segment", "Thickness ratio", "Surface", kAbsent, kAbsent}, "%S0%I0%R0"},
        }),
    MakeEntry(0x02040080, "Facet of the axisymmetric surface has both endpoints on the z-axis", kLocal,
        kAbsent,
        {
          {"", "The facet of element %E on axisymmetric surface %S has both end points on the z-axis.", {0, 0, 1, 0, 1}, {kAbsent, kAbsent, "Surface", kAbsent, "Element"}, "%S0%E0"},
        }),
    MakeEntry(0x020400A0, "Adjacent slave nodes on opposite sides of double-sided master surface", kLocal,
        kAbsent,
        {
          {"Contact pair", "Adjacent slave nodes %N and %N of slave surface %S are on opposite sides of double-sided master surface %S.", {0, 0, 2, 2, 0}, {kAbsent, kAbsent, "Slave.Master", "Node 1.Node 2", kAbsent}, "%N0%N1%S0%S1"},
          {"General contact", "Adjacent slave nodes %N and %N are on opposite sides of double-sided master surface %S in the general contact domain.", {0, 0, 1, 2, 0}, {kAbsent, kAbsent, "Master", "Node 1.Node 2", kAbsent}, "%N0%N1%S0"},
        }),
    MakeEntry(0x020400C0, "Slave node is nearly coincident with the reference plane of a double-sided element", kLocal,
        kAbsent,
        {
          {"Contact pair", "Slave node %N of surface %S is nearly coincident with the reference plane of double-sided element %E; the distance is %R.", {0, 1, 1, 1, 1}, {kAbsent, "Distance", "Slave", "Node", "Element"}, "%N0%E0%S0%R0"},
          {"General contact", "Slave node %N is nearly coincident with the reference plane of double-sided element %E in the general contact domain.", {0, 0, 0, 1, 1}, {kAbsent, kAbsent, kAbsent, "Node", "Element"}, "%N0%E0"},
        }),
    MakeEntry(0x020400E0, "At least one line segment of the analytical surface has both endpoints on the z-axis", kLocal,
        kAbsent,
        {
          {"", "At least one line segment of analytical surface %S has both end points on the z-axis.", {0, 0, 1, 0, 0}, {kAbsent, kAbsent, "Surface", kAbsent, kAbsent}, "%S0"},
        }),
    MakeEntry(0x42040020, "Facets thicker than length of the facet", kLocal,
        "The thickness used for contact on the surface is larger than its facets allow. Reduce the thickness used for contact or refine the surface.",
        {
          {"", "Face %S of element %E on surface %S is thicker than its length; the thickness is %R times the length.", {0, 1, 2, 0, 1}, {kAbsent, "Thickness ratio", "Face.Surface", kAbsent, "Element"}, "%S1%E0%S0%R0"},
        }),
    MakeEntry(0x42040040, "Facets thicker than an edge or diagonal length", kLocal,
        kAbsent,
        {
          {"", "Face %S of element %E on surface %S has a thickness of %R times its shortest edge or diagonal.", {0, 1, 2, 0, 1}, {kAbsent, "Thickness ratio", "Face.Surface", kAbsent, "Element"}, "%S1%E0%S0%R0"},
        }),
    MakeEntry(0x42040060, "Surface contains coincident nodes", kLocal,
        "Merge the coincident nodes or remove the duplicate facets from the surface definition.",
        {
          {"", "Surface %S contains coincident nodes %N and %N.", {0, 0, 1, 2, 0}, {kAbsent, kAbsent, "Surface", "Node 1.Node 2", kAbsent}, "%S0%N0%N1"},
        }),

    // Group 2, category 9: model connectivity.
    MakeEntry(0x02090020, "Unconnected regions in the model", kLocal,
        "Parts of the model are not connected to each other. Each unconnected region needs its own supports, or it moves as a free rigid body.",
        {
          {"", "Region %I of the model is not connected to the rest of the model; it contains node %N.", {1, 0, 0, 1, 0}, {"Region", kAbsent, kAbsent, "Node", kAbsent}, "%I0%N0"},
        }),

    // Group 4: constraints, rigid bodies, connectors and boundary conditions.
    MakeEntry(0x44040020, "Distributing coupling has less than 3 cloud nodes", kLocal,
        "A distributing coupling needs at least three coupling nodes that are not on one line to carry moments.",
        {
          {"", "The distributing coupling with reference node %N has only %I coupling nodes.", {1, 0, 0, 1, 0}, {"Coupling nodes", kAbsent, kAbsent, "Reference node", kAbsent}, "%N0%I0"},
        }),
    MakeEntry(0x040B0020, "Rotational initial conditions corresponding to directions with no rotary inertia", kLocal,
        kAbsent,
        {
          {"", "The rotational initial velocity at node %N in D.O.F. %I has no effect: the node has no rotary inertia in that direction.", {1, 0, 0, 1, 0}, {"DOF", kAbsent, kAbsent, "Node", kAbsent}, "%N0%I0"},
        }),
    MakeEntry(0x040B0040, "Rigid body hass mass value less than cutoff value", kLocal,
        kAbsent,
        {
          {"", "The rigid body with reference node %N has a mass of %R, which is less than the cutoff value %R.", {0, 2, 0, 1, 0}, {kAbsent, "Mass.Cutoff", kAbsent, "Reference node", kAbsent}, "%N0%R0%R1"},
        }),
    MakeEntry(0x440B0020, "Rigid body reference node has no mass and not all translational DOF constrained", kLocal,
        kAbsent,
        {
          {"", "Reference node %N of rigid body %S has no mass and not all of its translational degrees of freedom are constrained.", {0, 0, 1, 1, 0}, {kAbsent, kAbsent, "Rigid body", "Reference node", kAbsent}, "%N0%S0"},
        }),
    MakeEntry(0x440B0040, "Rotary inertia not defined for the ref node and corresponding rotational DOF is unconstrained", kLocal,
        kAbsent,
        {
          {"", "Rotary inertia is not defined for reference node %N of rigid body %S and its rotational D.O.F. %I is unconstrained.", {1, 0, 1, 1, 0}, {"DOF", kAbsent, "Rigid body", "Reference node", kAbsent}, "%N0%S0%I0"},
        }),
    MakeEntry(0x440B0060, "Rigid body has at least one axis about which rotary inertia magnitude is zero", kLocal,
        kAbsent,
        {
          {"", "Rigid body %S with reference node %N has zero rotary inertia about axis %I.", {1, 0, 1, 1, 0}, {"Axis", kAbsent, "Rigid body", "Reference node", kAbsent}, "%N0%S0%I0"},
        }),
    MakeEntry(0x440B0080, "Two rigid bodies share node", kLocal,
        "A node can belong to one rigid body only. Merge the rigid bodies or tie them with a constraint.",
        {
          {"", "Node %N belongs to both rigid body %S and rigid body %S.", {0, 0, 2, 1, 0}, {kAbsent, kAbsent, "Rigid body 1.Rigid body 2", "Node", kAbsent}, "%N0%S0%S1"},
        }),
    MakeEntry(0x440B00A0, "Element assigned to rigid body has an illegal section reference", kLocal,
        kAbsent,
        {
          {"", "Element %E assigned to rigid body %S refers to section %S, which a rigid body element cannot use.", {0, 0, 2, 0, 1}, {kAbsent, kAbsent, "Rigid body.Section", kAbsent, "Element"}, "%E0%S0%S1"},
        }),
    MakeEntry(0x440B00C0, "Rigid body node belongs to a PIN and a TIE node set", kLocal,
        kAbsent,
        {
          {"", "Node %N of rigid body %S belongs to both a PIN node set and a TIE node set.", {0, 0, 1, 1, 0}, {kAbsent, kAbsent, "Rigid body", "Node", kAbsent}, "%N0%S0"},
        }),
    MakeEntry(0x440B00E0, "Capacitance not defined for the isothermal rigid bodies", kLocal,
        kAbsent,
        {
          {"", "Heat capacitance is not defined for isothermal rigid body %S with reference node %N.", {0, 0, 1, 1, 0}, {kAbsent, kAbsent, "Rigid body", "Reference node", kAbsent}, "%N0%S0"},
        }),
    MakeEntry(0x040C0020, "Large flux ratio", kLocal,
        kAbsent,
        {
          {"Node", "The flux ratio at node %N in D.O.F. %I is %R.", {1, 1, 0, 1, 0}, {"DOF", "Flux ratio", kAbsent, "Node", kAbsent}, "%N0%I0%R0"},
          {"Element", "The flux ratio at element %E integration point %I is %R.", {1, 1, 0, 0, 1}, {"Point", "Flux ratio", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
          {"Field", "The ratio of the largest residual flux to the average flux of field %S is %R.", {0, 1, 1, 0, 0}, {kAbsent, "Flux ratio", "Field", kAbsent, kAbsent}, "%S0%R0"},
        }),
    MakeEntry(0x040C0040, "Conflicting BC", kOrvel,
        "Two boundary conditions prescribe the same degree of freedom of a node. The later definition replaces the earlier one; check that this is intended.",
        {
          {"", "Conflicting boundary conditions at node %N D.O.F. %I: the value %R prescribed by %S replaces the value %R.", {1, 2, 1, 1, 0}, {"DOF", "Prescribed value.Replaced value", "Source", "Node", kAbsent}, "%N0%I0%R0%R1%S0"},
        }),
    MakeEntry(0x44080020, "Connector elasticity is not positive definite", kLocal,
        kAbsent,
        {
          {"", "The elasticity of connector element %E is not positive definite.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x04080040, "Jumps in connector motion at the beginning of step", kLocal,
        kAbsent,
        {
          {"", "Connector element %E has a jump of %R in component %I of its motion at the beginning of the step.", {1, 1, 0, 0, 1}, {"Component", "Jump", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
        }),
    // An earlier form of "Conflicting BC"; the first row of the code is the one looked up.
    MakeEntry(0x040C0040, "Conflicting BC", kOrvel,
        kAbsent,
        {
          {"", "Boundary conditions at node %N conflict.", {0, 0, 0, 1, 0}, {kAbsent, kAbsent, kAbsent, "Node", kAbsent}, "%N0"},
        }),
    MakeEntry(0x440D0020, "Rigid body modes found", kOrvel,
        "The model can move as a rigid body in at least one direction, so the stiffness matrix is singular.\n\nAdd supports or constraints that remove the free motion, or use stabilization while contact is being established.",
        {
          {"", "The model has %I rigid body modes; one of them moves node %N in D.O.F. %I.", {2, 0, 0, 1, 0}, {"Modes.DOF", kAbsent, kAbsent, "Node", kAbsent}, "%N0%I0%I1"},
        }),

    // Group 5: contact.
    MakeEntry(0x45010020, "Lagrange multiplier for hard contact", kOrvel,
        "The Lagrange multiplier of hard contact cannot be resolved at these points, usually because they are overconstrained by boundary conditions or other constraints.\n\nRemove the conflicting constraints, or use penalty or augmented Lagrange contact.",
        {
          {"Node", "The Lagrange multiplier of hard contact at node %N of contact pair (%S,%S) cannot be resolved.", {0, 0, 2, 1, 0}, {kAbsent, kAbsent, "Slave.Master", "Node", kAbsent}, "%N0%S0%S1"},
          {"Face", "The Lagrange multiplier of hard contact at element %E face %S of contact pair (%S,%S) cannot be resolved.", {0, 0, 3, 0, 1}, {kAbsent, kAbsent, "Face.Slave.Master", kAbsent, "Element"}, "%E0%S0%S1%S2"},
        }),
    MakeEntry(0x05010040, "Deep Penetrations of nodes in General Contact", kLocal,
        kAbsent,
        {
          {"", "Node %N penetrates face %S of element %E by %R in the general contact domain.", {0, 1, 1, 1, 1}, {kAbsent, "Penetration", "Face", "Node", "Element"}, "%N0%E0%S0%R0"},
        }),

    // Group 6: memory.
    MakeEntry(0x46010020, "Memory allocation failed", kOrvel,
        "The solver could not obtain the memory it needed.\n\nIncrease the memory made available to the analysis, run on a machine with more memory, or reduce the size of the model.",
        {
          {"Solver", "Memory allocation of %R megabytes failed in the equation solver.", {0, 1, 0, 0, 0}, {kAbsent, "Requested (MB)", kAbsent, kAbsent, kAbsent}, "%R0"},
          {"Element", "Memory allocation of %R megabytes failed for element %E.", {0, 1, 0, 0, 1}, {kAbsent, "Requested (MB)", kAbsent, kAbsent, "Element"}, "%E0%R0"},
          {"Named", "Memory allocation of %R megabytes failed for %S.", {0, 1, 1, 0, 0}, {kAbsent, "Requested (MB)", "Purpose", kAbsent, kAbsent}, "%S0%R0"},
        }),
    MakeEntry(0x46010040, "Tarn memory too small", kOrvel,
        "The memory made available to the analysis is too small for the model. Increase it to at least the required amount.",
        {
          {"", "The memory available to the analysis, %R megabytes, is less than the %R megabytes needed to solve in memory.", {0, 2, 0, 0, 0}, {kAbsent, "Available (MB).Required (MB)", kAbsent, kAbsent, kAbsent}, "%R0%R1"},
          {kAbsent, "The memory available to the analysis, %R megabytes, is less than the minimum of %R megabytes.", {0, 2, 0, 0, 0}, {kAbsent, "Available (MB).Minimum (MB)", kAbsent, kAbsent, kAbsent}, "%R0%R1"},
        }),
    MakeEntry(0x46010060, "Tarn memory too large", kOrvel,
        kAbsent,
        {
          {"", "The requested memory of %R megabytes exceeds the %R megabytes of physical memory.", {0, 2, 0, 0, 0}, {kAbsent, "Requested (MB).Physical (MB)", kAbsent, kAbsent, kAbsent}, "%R0%R1"},
        }),
    MakeEntry(0x46010080, "Required memory too large", kOrvel,
        kAbsent,
        {
          {"Physical memory", "The %R megabytes required exceed the %R megabytes of physical memory.", {0, 2, 0, 0, 0}, {kAbsent, "Required (MB).Physical (MB)", kAbsent, kAbsent, kAbsent}, "%R0%R1"},
          {"Addressable memory", "The %R megabytes required exceed the %R megabytes that one process can address.", {0, 2, 0, 0, 0}, {kAbsent, "Required (MB).Addressable (MB)", kAbsent, kAbsent, kAbsent}, "%R0%R1"},
        }),

    // Group 7: output.
    MakeEntry(0x07010020, "Cutoff frequency used to filter the output may be too high", kLocal,
        "A filter can only remove frequencies below half the output sampling rate. Lower the cutoff frequency or write output more often.",
        {
          {"", "The cutoff frequency %R of output filter %S may be too high for the output time interval %R.", {0, 2, 1, 0, 0}, {kAbsent, "Cutoff frequency.Time interval", "Filter", kAbsent, kAbsent}, "%S0%R0%R1"},
        }),

    // Group 9: fluid cavities and adaptive meshing.
    MakeEntry(0x490C0020, "Fluid cavity has negative volume", kLocal,
        "Check that the normals of the cavity surface point into the cavity and that the cavity is closed.",
        {
          {"", "Fluid cavity %S with reference node %N has a negative volume of %R.", {0, 1, 1, 1, 0}, {kAbsent, "Volume", "Cavity", "Reference node", kAbsent}, "%S0%N0%R0"},
        }),
    MakeEntry(0x490C0040, "Fluid cavity has a negative heat capacity at constant pressure", kLocal,
        kAbsent,
        {
          {"", "Fluid cavity %S has a negative heat capacity at constant pressure of %R.", {0, 1, 1, 0, 0}, {kAbsent, "Heat capacity", "Cavity", kAbsent, kAbsent}, "%S0%R0"},
        }),
    MakeEntry(0x490C0060, "Fluid cavity has a negative heat capacity at constant temperature", kLocal,
        kAbsent,
        {
          {"", "Fluid cavity %S has a negative heat capacity at constant temperature of %R.", {0, 1, 1, 0, 0}, {kAbsent, "Heat capacity", "Cavity", kAbsent, kAbsent}, "%S0%R0"},
        }),
    MakeEntry(0x490C0080, "Fluid inflator has a negative heat capacity at constant pressure", kLocal,
        kAbsent,
        {
          {"", "Fluid inflator %S has a negative heat capacity at constant pressure of %R.", {0, 1, 1, 0, 0}, {kAbsent, "Heat capacity", "Inflator", kAbsent, kAbsent}, "%S0%R0"},
        }),
    MakeEntry(0x490C00A0, "Fluid inflator has a negative heat capacity at constant temperature", kLocal,
        kAbsent,
        {
          {"", "Fluid inflator %S has a negative heat capacity at constant temperature of %R.", {0, 1, 1, 0, 0}, {kAbsent, "Heat capacity", "Inflator", kAbsent, kAbsent}, "%S0%R0"},
        }),
    MakeEntry(0x490C00C0, "Error in solving pressure for fluid cavity", kLocal,
        kAbsent,
        {
          {"", "The pressure of fluid cavity %S could not be solved in %I iterations.", {1, 0, 1, 0, 0}, {"Iterations", kAbsent, "Cavity", kAbsent, kAbsent}, "%S0%I0"},
        }),
    MakeEntry(0x09100020, "Adaptive mesh constraint angle for node should be greater than 45 degrees", kLocal,
        kAbsent,
        {
          {"", "The adaptive mesh constraint angle %R at node %N should be greater than 45 degrees.", {0, 1, 0, 1, 0}, {kAbsent, "Angle", kAbsent, "Node", kAbsent}, "%N0%R0"},
        }),
    MakeEntry(0x09100040, "Node in an Eulerian region without adaptive mesh constraints", kLocal,
        kAbsent,
        {
          {"", "Node %N in an Eulerian boundary region has no adaptive mesh constraints.", {0, 0, 0, 1, 0}, {kAbsent, kAbsent, kAbsent, "Node", kAbsent}, "%N0"},
        }),
    MakeEntry(0x09100060, "Node is made nonadaptive.", kLocal,
        kAbsent,
        {
          {"", "Node %N is made nonadaptive.", {0, 0, 0, 1, 0}, {kAbsent, kAbsent, kAbsent, "Node", kAbsent}, "%N0"},
        }),
    MakeEntry(0x49100020, "Adaptive mesh constraint angle for node cannot be less than a certain value", kLocal,
        kAbsent,
        {
          {"", "The adaptive mesh constraint angle %R at node %N is less than the smallest allowed value of %R.", {0, 2, 0, 1, 0}, {kAbsent, "Angle.Smallest angle", kAbsent, "Node", kAbsent}, "%N0%R0%R1"},
        }),
    MakeEntry(0x49100040, "Eulerian boundary region defined on interior node", kLocal,
        kAbsent,
        {
          {"", "Node %N of Eulerian boundary region %S is an interior node of the adaptive mesh domain.", {0, 0, 1, 1, 0}, {kAbsent, kAbsent, "Region", "Node", kAbsent}, "%N0%S0"},
        }),
    MakeEntry(0x49100060, "Eulerian boundary region overlaps a Lagrangian boundary region", kLocal,
        kAbsent,
        {
          {"", "Eulerian boundary region %S overlaps Lagrangian boundary region %S at node %N.", {0, 0, 2, 1, 0}, {kAbsent, kAbsent, "Eulerian region.Lagrangian region", "Node", kAbsent}, "%N0%S0%S1"},
        }),
    MakeEntry(0x49100080, "Eulerian boundary region overlaps a sliding boundary region", kLocal,
        kAbsent,
        {
          {"", "Eulerian boundary region %S overlaps sliding boundary region %S at node %N.", {0, 0, 2, 1, 0}, {kAbsent, kAbsent, "Eulerian region.Sliding region", "Node", kAbsent}, "%N0%S0%S1"},
        }),
    MakeEntry(0x491000A0, "Node cannot belong to an Eulerian boundary region", kLocal,
        kAbsent,
        {
          {"", "Node %N cannot belong to Eulerian boundary region %S.", {0, 0, 1, 1, 0}, {kAbsent, kAbsent, "Region", "Node", kAbsent}, "%N0%S0"},
        }),
    MakeEntry(0x491000C0, "Node cannot have both MATERIAL and SPATIAL adaptive mesh constraints", kLocal,
        kAbsent,
        {
          {"", "Node %N has both MATERIAL and SPATIAL adaptive mesh constraints.", {0, 0, 0, 1, 0}, {kAbsent, kAbsent, kAbsent, "Node", kAbsent}, "%N0"},
        }),
    MakeEntry(0x491000E0, "Adaptive mesh constraint specified for a node that does not belong to an adaptive mesh domain", kLocal,
        kAbsent,
        {
          {"", "An adaptive mesh constraint is specified for node %N, which does not belong to an adaptive mesh domain.", {0, 0, 0, 1, 0}, {kAbsent, kAbsent, kAbsent, "Node", kAbsent}, "%N0"},
        }),
    MakeEntry(0x49100100, "Adaptive mesh constraints may only be defined for one degree of freedom", kLocal,
        kAbsent,
        {
          {"", "Adaptive mesh constraints at node %N are defined for %I degrees of freedom; only one is allowed at a node on a surface edge.", {1, 0, 0, 1, 0}, {"Degrees of freedom", kAbsent, kAbsent, "Node", kAbsent}, "%N0%I0"},
        }),
    MakeEntry(0x49100120, "Adaptive mesh constraints may only be defined for one degree of freedom", kLocal,
        kAbsent,
        {
          {"", "Adaptive mesh constraints at node %N of region %S are defined for %I degrees of freedom; only one is allowed in this region.", {1, 0, 1, 1, 0}, {"Degrees of freedom", kAbsent, "Region", "Node", kAbsent}, "%N0%S0%I0"},
        }),
    MakeEntry(0x49100140, "Spatial adaptive mesh constraints cannot be specified", kLocal,
        kAbsent,
        {
          {"", "Spatial adaptive mesh constraints cannot be specified at node %N, which lies on a Lagrangian boundary.", {0, 0, 0, 1, 0}, {kAbsent, kAbsent, kAbsent, "Node", kAbsent}, "%N0"},
        }),
    MakeEntry(0x49100160, "Spatial adaptive mesh constraints cannot be specified", kLocal,
        kAbsent,
        {
          {"", "Spatial adaptive mesh constraints cannot be specified at node %N, which is part of tie constraint %S.", {0, 0, 1, 1, 0}, {kAbsent, kAbsent, "Tie", "Node", kAbsent}, "%N0%S0"},
        }),
    MakeEntry(0x49100180, "Spatial adaptive mesh constraints cannot be specified", kLocal,
        kAbsent,
        {
          {"", "Spatial adaptive mesh constraints cannot be specified at node %N, which belongs to contact surface %S.", {0, 0, 1, 1, 0}, {kAbsent, kAbsent, "Surface", "Node", kAbsent}, "%N0%S0"},
        }),
    MakeEntry(0x491001A0, "Adaptive mesh constraints may only be defined for two degrees of freedom", kLocal,
        kAbsent,
        {
          {"", "Adaptive mesh constraints at node %N are defined for %I degrees of freedom; at most two are allowed.", {1, 0, 0, 1, 0}, {"Degrees of freedom", kAbsent, kAbsent, "Node", kAbsent}, "%N0%I0"},
        }),

    // Group 10, category 1: the equation solver.
    MakeEntry(0x0A010020, "Negative eigenvalues", kLocal,
        "The system matrix has negative eigenvalues: the structure is unstable under the current load, for example past a buckling or limit load, or a material has softened.\n\nIf the instability is expected, use an arc-length method or stabilization; otherwise check the model for missing supports or unstable material data.",
        {
          {"System", "The system matrix has %I negative eigenvalues%S%S.", {1, 0, 2, 0, 0}, {"Negative eigenvalues", kAbsent, kLoadCase, kAbsent, kAbsent}, "%I0%S1"},
          {"Node", "Solver problem. Negative eigenvalue%S%S when processing node %N D.O.F. %I ratio = %R.", {1, 1, 2, 1, 0}, {"DOF", "Ratio", kLoadCase, "Node", kAbsent}, "%N0%I0%R0%S1"},
          {"Element", "Solver problem. Negative eigenvalue%S%S when processing element %E internal node %I D.O.F. %I ratio = %R.", {2, 1, 2, 0, 1}, {"Internal Node.DOF", "Ratio", kLoadCase, kAbsent, "Element"}, "%E0%I0%I1%R0%S1"},
          {"Coupling release", "Solver problem. Negative eigenvalue%S%S when processing the coupling release of reference node %N coupling node %N D.O.F. %I ratio = %R.", {1, 1, 2, 2, 0}, {"DOF", "Ratio", kLoadCase, "Ref Node.Coupling Node", kAbsent}, "%N0%N1%I0%R0%S1"},
          {"Internal connector", "Solver problem. Negative eigenvalue%S%S when processing connector element %E internal D.O.F. %I ratio = %R.", {1, 1, 2, 0, 1}, {"DOF", "Ratio", kLoadCase, kAbsent, "Element"}, "%E0%I0%R0%S1"},
          {"Contact constraint", "Solver problem. Negative eigenvalue%S%S when processing the contact constraint of contact pair (%S,%S) at node %N D.O.F. %I ratio = %R.", {1, 1, 4, 1, 0}, {"DOF", "Ratio", ".Load Case.Slave.Master", "Node", kAbsent}, "%N0%I0%R0%S1%S2%S3"},
        }),
    MakeEntry(0x0A010040, "Numerical singularities", kLocal,
        "The system matrix is singular or nearly so at the degrees of freedom listed: nothing resists motion there.\n\nCommon causes are missing boundary conditions, parts connected to nothing, zero material stiffness, and constraints that leave a degree of freedom free. The solution may still converge, but check the listed nodes.",
        {
          {"Node", "Solver problem. Numerical singularity%S%S when processing node %N D.O.F. %I ratio = %R.", {1, 1, 2, 1, 0}, {"DOF", "Ratio", kLoadCase, "Node", ""}, "%N0%I0%R0%S1"},
          {"Element", "Solver problem. Numerical singularity%S%S when processing element %E internal node %I D.O.F. %I ratio = %R.", {2, 1, 2, 0, 1}, {"Internal Node.DOF", "Ratio", kLoadCase, kAbsent, "Element"}, "%E0%I0%I1%R0%S1"},
          {"Coupling release", "Solver problem. Numerical singularity%S%S when processing the coupling release of reference node %N coupling node %N D.O.F. %I ratio = %R.", {1, 1, 2, 2, 0}, {"DOF", "Ratio", kLoadCase, "Ref Node.Coupling Node", kAbsent}, "%N0%N1%I0%R0%S1"},
          {"Internal connector", "Solver problem. Numerical singularity%S%S when processing connector element %E internal D.O.F. %I ratio = %R.", {1, 1, 2, 0, 1}, {"DOF", "Ratio", kLoadCase, kAbsent, "Element"}, "%E0%I0%R0%S1"},
          {"Contact constraint", "Solver problem. Numerical singularity%S%S when processing the contact constraint of contact pair (%S,%S) at node %N D.O.F. %I ratio = %R.", {1, 1, 4, 1, 0}, {"DOF", "Ratio", ".Load Case.Slave.Master", "Node", kAbsent}, "%N0%I0%R0%S1%S2%S3"},
          {"Node ratio 0", "Solver problem. Numerical singularity%S%S when processing node %N D.O.F. %I ratio = 0.", {1, 0, 2, 1, 0}, {"DOF", kAbsent, kLoadCase, "Node", kAbsent}, "%N0%I0%S1"},
          {"Element ratio 0", "Solver problem. Numerical singularity%S%S when processing element %E internal node %I D.O.F. %I ratio = 0.", {2, 0, 2, 0, 1}, {"Internal Node.DOF", kAbsent, kLoadCase, kAbsent, "Element"}, "%E0%I0%I1%S1"},
          {"Coupling release ratio 0", "Solver problem. Numerical singularity%S%S when processing the coupling release of reference node %N coupling node %N D.O.F. %I ratio = 0.", {1, 0, 2, 2, 0}, {"DOF", kAbsent, kLoadCase, "Ref Node.Coupling Node", kAbsent}, "%N0%N1%I0%S1"},
          {"Internal connector ratio 0", "Solver problem. Numerical singularity%S%S when processing connector element %E internal D.O.F. %I ratio = 0.", {1, 0, 2, 0, 1}, {"DOF", kAbsent, kLoadCase, kAbsent, "Element"}, "%E0%I0%S1"},
          {"Contact constraint ratio 0", "Solver problem. Numerical singularity%S%S when processing the contact constraint of contact pair (%S,%S) at node %N D.O.F. %I ratio = 0.", {1, 0, 4, 1, 0}, {"DOF", kAbsent, ".Load Case.Slave.Master", "Node", kAbsent}, "%N0%I0%S1%S2%S3"},
          {"Matrix input internal", "Solver problem. Numerical singularity%S%S when processing internal D.O.F. %I of matrix %S ratio = %R.", {1, 1, 3, 0, 0}, {"DOF", "Ratio", ".Load Case.Matrix", kAbsent, kAbsent}, "%S2%I0%R0%S1"},
        }),
    MakeEntry(0x0A010060, "Zero pivots", kLocal,
        "A pivot of the factorization is exactly zero at the degrees of freedom listed: the system matrix is singular there. Check for missing supports and for degrees of freedom that no element or constraint acts on.",
        {
          {"Node", "Solver problem. Zero pivot%S%S when processing node %N D.O.F. %I.", {1, 0, 2, 1, 0}, {"DOF", kAbsent, kLoadCase, "Node", kAbsent}, "%N0%I0%S1"},
          {"Element", "Solver problem. Zero pivot%S%S when processing element %E internal node %I D.O.F. %I.", {2, 0, 2, 0, 1}, {"Internal Node.DOF", kAbsent, kLoadCase, kAbsent, "Element"}, "%E0%I0%I1%S1"},
          {"Coupling release", "Solver problem. Zero pivot%S%S when processing the coupling release of reference node %N coupling node %N D.O.F. %I.", {1, 0, 2, 2, 0}, {"DOF", kAbsent, kLoadCase, "Ref Node.Coupling Node", kAbsent}, "%N0%N1%I0%S1"},
          {"Internal connector", "Solver problem. Zero pivot%S%S when processing connector element %E internal D.O.F. %I.", {1, 0, 2, 0, 1}, {"DOF", kAbsent, kLoadCase, kAbsent, "Element"}, "%E0%I0%S1"},
          {"Contact constraint", "Solver problem. Zero pivot%S%S when processing the contact constraint of contact pair (%S,%S) at node %N D.O.F. %I.", {1, 0, 4, 1, 0}, {"DOF", kAbsent, ".Load Case.Slave.Master", "Node", kAbsent}, "%N0%I0%S1%S2%S3"},
        }),
    MakeEntry(0x0A010080, "Potential ill-conditioning", kOrvel,
        "Pivots of the factorization have become very small compared with the original diagonal terms, so the solution may have lost accuracy. Large differences in stiffness between connected parts and nearly incompressible materials are common causes.",
        {
          {"Node", "Solver problem. Potential ill-conditioning%S%S at node %N D.O.F. %I: the pivot is %R times the original diagonal term.", {1, 1, 2, 1, 0}, {"DOF", "Pivot ratio", kLoadCase, "Node", kAbsent}, "%N0%I0%R0%S1"},
          {"Element", "Solver problem. Potential ill-conditioning%S%S at element %E internal node %I D.O.F. %I: the pivot is %R times the original diagonal term.", {2, 1, 2, 0, 1}, {"Internal Node.DOF", "Pivot ratio", kLoadCase, kAbsent, "Element"}, "%E0%I0%I1%R0%S1"},
          {"Internal connector", "Solver problem. Potential ill-conditioning%S%S at connector element %E internal D.O.F. %I: the pivot is %R times the original diagonal term.", {1, 1, 2, 0, 1}, {"DOF", "Pivot ratio", kLoadCase, kAbsent, "Element"}, "%E0%I0%R0%S1"},
          {"System", "The ratio of the largest to the smallest pivot of the system matrix is %R%S%S.", {0, 1, 2, 0, 0}, {kAbsent, "Pivot ratio", kLoadCase, kAbsent, kAbsent}, "%R0%S1"},
        }),
    MakeEntry(0x4A010020, "Regularization failed", kOrvel,
        kAbsent,
        {
          {"", "Regularization of the system matrix failed%S%S.", {0, 0, 2, 0, 0}, {kAbsent, kAbsent, kLoadCase, kAbsent, kAbsent}, "%S1"},
        }),

    // Group 10, category 8: eigenvalue extraction.
    MakeEntry(0x4A080020, "Factorization failed", kOrvel,
        kAbsent,
        {
          {"", "Factorization of the %S matrix failed at equation %I.", {1, 0, 1, 0, 0}, {"Equation", kAbsent, "Matrix", kAbsent, kAbsent}, "%S0%I0"},
        }),
    MakeEntry(0x4A080040, "Numerical singularity or zero pivot", kOrvel,
        kAbsent,
        {
          {"", "The eigenvalue extraction met a numerical singularity or zero pivot at node %N D.O.F. %I.", {1, 0, 0, 1, 0}, {"DOF", kAbsent, kAbsent, "Node", kAbsent}, "%N0%I0"},
        }),
    MakeEntry(0x4A080060, "Non positive normalization matrix", kOrvel,
        "The eigenvectors are normalized with the mass matrix, which must be positive definite. Check for negative or missing mass and density.",
        {
          {"", "The %S matrix used to normalize the eigenvectors is not positive definite.", {0, 0, 1, 0, 0}, {kAbsent, kAbsent, "Matrix", kAbsent, kAbsent}, "%S0"},
        }),
    MakeEntry(0x4A080080, "Eigenvalues exceeds expected number", kOrvel,
        kAbsent,
        {
          {"", "%I eigenvalues were found in the range, more than the %I expected.", {2, 0, 0, 0, 0}, {"Found.Expected", kAbsent, kAbsent, kAbsent, kAbsent}, "%I0%I1"},
        }),
    MakeEntry(0x0A0800A0, "No eigenvalues found", kOrvel,
        kAbsent,
        {
          {"", "No eigenvalues were found between %R and %R.", {0, 2, 0, 0, 0}, {kAbsent, "Lower bound.Upper bound", kAbsent, kAbsent, kAbsent}, "%R0%R1"},
        }),
    MakeEntry(0x4A0800C0, "Upper value close to an eigenvalue", kOrvel,
        kAbsent,
        {
          {"", "The upper bound %R of the frequency range is close to an eigenvalue; move it to at least %R.", {0, 2, 0, 0, 0}, {kAbsent, "Upper bound.Suggested bound", kAbsent, kAbsent, kAbsent}, "%R0%R1"},
        }),
    MakeEntry(0x4A0800E0, "Lower value close to an eigenvalue", kOrvel,
        kAbsent,
        {
          {"", "The lower bound %R of the frequency range is close to an eigenvalue; move it to at most %R.", {0, 2, 0, 0, 0}, {kAbsent, "Lower bound.Suggested bound", kAbsent, kAbsent, kAbsent}, "%R0%R1"},
        }),

    // Group 10, category 10: incrementation.
    MakeEntry(0x4A0A0020, "Too many increments", kOrvel,
        "Ostrel terminated the analysis because the step needs more increments than the maximum allowed for it.\n\nIncrease the maximum number of increments of the step, or allow larger increments if the solution converges easily.",
        {
          {"", "The step has exceeded the maximum of %I increments.", {1, 0, 0, 0, 0}, {"Maximum increments", kAbsent, kAbsent, kAbsent, kAbsent}, "%I0"},
        }),
    MakeEntry(0x4A0A0040, "Too many attempts", kOrvel,
        "Ostrel terminated the analysis because a converged solution could not be found in the maximum allowable number of attempts.\n\nConvergence problems often come from the model rather than from the solution controls: unrestrained rigid body motion, contact that opens and closes between iterations, material instability, or loads applied too suddenly.\n\nInspect the warnings of the last increments and the diagnostics of the failed attempts to find the region where the solution does not converge, and correct the model there before relaxing the controls.",
        {
          {"", "Too many attempts made for this increment", {0, 0, 0, 0, 0}, {kAbsent, kAbsent, kAbsent, kAbsent, kAbsent}, ""},
        }),
    MakeEntry(0x4A0A0060, "Time increment too small", kOrvel,
        "The time increment needed to converge has fallen below the minimum allowed for the step. Look for the cause in the diagnostics of the last attempts; lowering the minimum rarely helps by itself.",
        {
          {"", "The time increment %R is smaller than the minimum %R allowed.", {0, 2, 0, 0, 0}, {kAbsent, "Time increment.Minimum", kAbsent, kAbsent, kAbsent}, "%R0%R1"},
        }),
    MakeEntry(0x4A0A0080, "Fixed time increment too large", kOrvel,
        kAbsent,
        {
          {"", "The fixed time increment %R is larger than the stable time increment %R.", {0, 2, 0, 0, 0}, {kAbsent, "Fixed increment.Stable increment", kAbsent, kAbsent, kAbsent}, "%R0%R1"},
        }),
    MakeEntry(0x4A0A00A0, "Loading amplitude too small", kOrvel,
        kAbsent,
        {
          {"", "The loading amplitude %R is smaller than the minimum %R.", {0, 2, 0, 0, 0}, {kAbsent, "Amplitude.Minimum", kAbsent, kAbsent, kAbsent}, "%R0%R1"},
        }),
    MakeEntry(0x4A0A00C0, "Too many iterations", kOrvel,
        kAbsent,
        {
          {"", "The equilibrium iterations have exceeded the maximum of %I.", {1, 0, 0, 0, 0}, {"Maximum iterations", kAbsent, kAbsent, kAbsent, kAbsent}, "%I0"},
        }),

    // Group 10, category 11: convergence checks.
    MakeEntry(0x0A0B0020, "Equilibrium accepted using alternate tolerance", kOrvel,
        kAbsent,
        {
          {"", "Equilibrium of field %S was accepted using the alternate tolerance: the largest residual %R is below %R.", {0, 2, 1, 0, 0}, {kAbsent, "Largest residual.Alternate tolerance", "Field", kAbsent, kAbsent}, "%S0%R0%R1"},
        }),
    MakeEntry(0x0A0B0040, "Criterion for zero flux is too large", kOrvel,
        kAbsent,
        {
          {"", "The criterion %R for zero flux of field %S is too large compared with the average flux %R.", {0, 2, 1, 0, 0}, {kAbsent, "Criterion.Average flux", "Field", kAbsent, kAbsent}, "%S0%R0%R1"},
        }),
    MakeEntry(0x0A0B0060, "Flux is zero everywhere", kOrvel,
        kAbsent,
        {
          {"", "The flux of field %S is zero everywhere in the model.", {0, 0, 1, 0, 0}, {kAbsent, kAbsent, "Field", kAbsent, kAbsent}, "%S0"},
        }),
    MakeEntry(0x0A0B0080, "Equilibrium not satisfied", kOrvel,
        kAbsent,
        {
          {"", "Equilibrium of field %S is not satisfied: the largest residual %R at node %N D.O.F. %I exceeds the tolerance %R.", {1, 2, 1, 1, 0}, {"DOF", "Largest residual.Tolerance", "Field", "Node", kAbsent}, "%S0%N0%I0%R0%R1"},
        }),
    MakeEntry(0x0A0B00A0, "Contact violations", kOrvel,
        kAbsent,
        {
          {"", "%I contact points of contact pair (%S,%S) violate the contact conditions.", {1, 0, 2, 0, 0}, {"Points", kAbsent, "Slave.Master", kAbsent, kAbsent}, "%S0%S1%I0"},
        }),
    MakeEntry(0x0A0B00C0, "Plasticity algorithm failed to converge at least at one material point", kOrvel,
        kAbsent,
        {
          {"", "The plasticity algorithm failed to converge at integration point %I of element %E.", {1, 0, 0, 0, 1}, {"Point", kAbsent, kAbsent, kAbsent, "Element"}, "%E0%I0"},
        }),

    // Group 10, category 12: stabilization.
    MakeEntry(0x0A0C0020, "Excessive static stabilization", kOrvel,
        "The energy dissipated by stabilization is large compared with the strain energy, so the stabilization may be changing the solution. Reduce the damping factor or the stabilized region.",
        {
          {"Whole model", "The energy dissipated by static stabilization, %R, is %R times the strain energy.", {0, 2, 0, 0, 0}, {kAbsent, "Dissipated energy.Energy ratio", kAbsent, kAbsent, kAbsent}, "%R0%R1"},
          {"Element set", "The energy dissipated by static stabilization in element set %S, %R, is %R times its strain energy.", {0, 2, 1, 0, 0}, {kAbsent, "Dissipated energy.Energy ratio", "Element set", kAbsent, kAbsent}, "%S0%R0%R1"},
        }),
    MakeEntry(0x0A0C0040, "Excessive automatic stabilization", kOrvel,
        kAbsent,
        {
          {"", "The energy dissipated by automatic stabilization, %R, is %R times the strain energy.", {0, 2, 0, 0, 0}, {kAbsent, "Dissipated energy.Energy ratio", kAbsent, kAbsent, kAbsent}, "%R0%R1"},
        }),
    MakeEntry(0x0A0C0060, "Improper use of stabilization", kOrvel,
        kAbsent,
        {
          {"", "Stabilization with a damping factor of %R is used in step %S, which has no unstable response to stabilize.", {0, 1, 1, 0, 0}, {kAbsent, "Damping factor", "Step", kAbsent, kAbsent}, "%S0%R0"},
        }),

    // Group 10, category 14: the perturbation solver.
    MakeEntry(0x0A0E0020, "Numerical singularities", kLocal,
        "The matrix of the perturbation solution is singular or nearly so at the degrees of freedom listed. Check the supports of the perturbation step.",
        {
          {"Node", "Numerical singularity%S%S in the perturbation solution at node %N D.O.F. %I ratio = %R.", {1, 1, 2, 1, 0}, {"DOF", "Ratio", kLoadCase, "Node", kAbsent}, "%N0%I0%R0%S1"},
          {"Element", "Numerical singularity%S%S in the perturbation solution at element %E internal node %I D.O.F. %I ratio = %R.", {2, 1, 2, 0, 1}, {"Internal Node.DOF", "Ratio", kLoadCase, kAbsent, "Element"}, "%E0%I0%I1%R0%S1"},
          {"Coupling release", "Numerical singularity%S%S in the perturbation solution at the coupling release of reference node %N coupling node %N D.O.F. %I ratio = %R.", {1, 1, 2, 2, 0}, {"DOF", "Ratio", kLoadCase, "Ref Node.Coupling Node", kAbsent}, "%N0%N1%I0%R0%S1"},
          {"Internal connector", "Numerical singularity%S%S in the perturbation solution at connector element %E internal D.O.F. %I ratio = %R.", {1, 1, 2, 0, 1}, {"DOF", "Ratio", kLoadCase, kAbsent, "Element"}, "%E0%I0%R0%S1"},
          {"Contact constraint", "Numerical singularity%S%S in the perturbation solution at the contact constraint of contact pair (%S,%S) at node %N D.O.F. %I ratio = %R.", {1, 1, 4, 1, 0}, {"DOF", "Ratio", ".Load Case.Slave.Master", "Node", kAbsent}, "%N0%I0%R0%S1%S2%S3"},
          {"Matrix input internal", "Numerical singularity%S%S in the perturbation solution at internal D.O.F. %I of matrix %S ratio = %R.", {1, 1, 3, 0, 0}, {"DOF", "Ratio", ".Load Case.Matrix", kAbsent, kAbsent}, "%S2%I0%R0%S1"},
        }),
    MakeEntry(0x4A0E0040, "Negative pivots", kLocal,
        "The perturbation solution requires a positive definite matrix, but the factorization found negative pivots at the degrees of freedom listed. The base state of the perturbation step may be unstable.",
        {
          {"Node", "Negative pivot%S%S in the perturbation solution at node %N D.O.F. %I ratio = %R.", {1, 1, 2, 1, 0}, {"DOF", "Ratio", kLoadCase, "Node", kAbsent}, "%N0%I0%R0%S1"},
          {"Element", "Negative pivot%S%S in the perturbation solution at element %E internal node %I D.O.F. %I ratio = %R.", {2, 1, 2, 0, 1}, {"Internal Node.DOF", "Ratio", kLoadCase, kAbsent, "Element"}, "%E0%I0%I1%R0%S1"},
          {"Coupling release", "Negative pivot%S%S in the perturbation solution at the coupling release of reference node %N coupling node %N D.O.F. %I ratio = %R.", {1, 1, 2, 2, 0}, {"DOF", "Ratio", kLoadCase, "Ref Node.Coupling Node", kAbsent}, "%N0%N1%I0%R0%S1"},
          {"Internal connector", "Negative pivot%S%S in the perturbation solution at connector element %E internal D.O.F. %I ratio = %R.", {1, 1, 2, 0, 1}, {"DOF", "Ratio", kLoadCase, kAbsent, "Element"}, "%E0%I0%R0%S1"},
          {"Contact constraint", "Negative pivot%S%S in the perturbation solution at the contact constraint of contact pair (%S,%S) at node %N D.O.F. %I ratio = %R.", {1, 1, 4, 1, 0}, {"DOF", "Ratio", ".Load Case.Slave.Master", "Node", kAbsent}, "%N0%I0%R0%S1%S2%S3"},
          {"Matrix input internal", "Negative pivot%S%S in the perturbation solution at internal D.O.F. %I of matrix %S ratio = %R.", {1, 1, 3, 0, 0}, {"DOF", "Ratio", ".Load Case.Matrix", kAbsent, kAbsent}, "%S2%I0%R0%S1"},
        }),
};
// clang-format on

}  // namespace

dia_EntryTable dia_WarningErrorEntryTable() {
  return dia_EntryTable(kWarningErrorRows, static_cast<std::int32_t>(sizeof kWarningErrorRows /
                                                                     sizeof kWarningErrorRows[0]));
}
