// The contact catalog: one row per type code of the contact diagnostics: overclosures, openings,
// stick/slip changes and the initial-contact checks. Texts are stored as the solver has always
// printed them, misspellings and trailing blanks included, because readers compare and display them
// verbatim.
#include "dia_EntryBuilder.h"

namespace {

using namespace dia_catalog;

// clang-format off
constexpr dia_Entry kContactRows[] = {
    MakeEntry(0x01000020, "Overclosures", kLocal,
        "Points that were assumed to be open are now overclosed.\n\nOstrel must continue iterating in order to determine the correct contact state.",
        {
          {"Node", "Contact pair (%S,%S) node %N is overclosed by %R.", {0, 1, 2, 1, 0}, {kAbsent, "Overclosure", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face", "Contact pair (%S,%S) with underlying element %E face %S point %I is overclosed by %R.", {1, 1, 3, 0, 1}, {"Point", "Overclosure", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Element", "Interface/gap element %E point %I is overclosed by %R.", {1, 1, 0, 0, 1}, {"Point", "Overclosure", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
        }),
    MakeEntry(0x01000040, "Severe overclosures", kLocal,
        "Points that were assumed to be open are now overclosed by so much that convergence of the contact calculations is judged to be unlikely.\n\nSevere overclosures commonly occur when establishing contact between two parts and Ostrel can usually resolve the contact state by reducing the load and attempting the increment again. If Ostrel is unable to resolve severe overclousures then possible causes include unrestrained rigid body motion and improperly oriented surface normals.",
        {
          {"Node", "Contact pair (%S,%S) node %N is overclosed by %R which is too severe.", {0, 1, 2, 1, 0}, {kAbsent, "Overclosure", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face", "Contact pair (%S,%S) with underlying element %E face %S point %I is overclosed by %R which is too severe.", {1, 1, 3, 0, 1}, {"Point", "Overclosure", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Element", "Overclosure of element %E it too severe.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x01000060, "Openings", kLocal,
        "Points that were assumed to be closed are now open.\n\nOstrel must continue iterating in order to determine the correct contact state.",
        {
          {"Node - no intersection", "Contact pair (%S,%S) node %N opens. No intersection with a rigid surface or slide line has been found.", {0, 0, 2, 1, 0}, {kAbsent, kAbsent, "Slave.Master", "Node", kAbsent}, "%N0%S0%S1"},
          {"Face - no intersection", "Contact pair (%S,%S) with underlying element %E face %S point %I opens. No intersection with a rigid surface or slide line has been found.", {1, 0, 3, 0, 1}, {"Point", kAbsent, "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%S0%S1"},
          {"Element - no intersection", "Interface/gap element %E point %I opens. No intersection with a rigid surface or slide line has been found.", {1, 0, 0, 0, 1}, {"Point", kAbsent, kAbsent, kAbsent, "Element"}, "%E0%I0"},
          {"Node  - opening/pressure", "Contact pair (%S,%S) node %N opens by %R with a contact pressure/force of %R.", {0, 2, 2, 1, 0}, {kAbsent, "Opening.Pressure/Force", "Slave.Master", "Node", kAbsent}, "%N0%R0%R1%S0%S1"},
          {"Face - opening/pressure", "Contact pair (%S,%S) with underlying element %E face %S point %I opens by %R with a contact pressure/force of %R.", {1, 2, 3, 0, 1}, {"Point", "Opening.Pressure/Force", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%R1%S0%S1"},
          {"Element - opening/pressure", "Interface/gap element %E point %I opens by %R with a contact pressure/force of %R.", {1, 2, 0, 0, 1}, {"Point", "Opening.Pressure/Force", kAbsent, kAbsent, "Element"}, "%E0%I0%R0%R1"},
          {"Node - pressure", "Contact pair (%S,%S) node %N opens. Contact pressure/force is %R.", {0, 1, 2, 1, 0}, {kAbsent, "Pressure/Force", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face - pressure", "Contact pair (%S,%S) with underlying element %E face %S point %I opens. Contact pressure/force is %R.", {1, 1, 3, 0, 1}, {"Point", "Pressure/Force", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Element - pressure", "Interface/gap element %E point %I opens. Contact pressure/force is %R.", {1, 1, 0, 0, 1}, {"Point", "Pressure/Force", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
        }),
    MakeEntry(0x01000080, "Points now sticking", kLocal,
        "Points that were slipping are now sticking.",
        {
          {"Node", "Contact pair (%S,%S) node %N is now sticking.", {0, 0, 2, 1, 0}, {kAbsent, kAbsent, "Slave.Master", "Node", kAbsent}, "%N0%S0%S1"},
          {"Face", "Contact pair (%S,%S) with underlying element %E face %S point %I is now sticking.", {1, 0, 3, 0, 1}, {"Point", kAbsent, "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%S0%S1"},
          {"Element", "Interface/gap element %E point %I is now sticking.", {1, 0, 0, 0, 1}, {"Point", kAbsent, kAbsent, kAbsent, "Element"}, "%E0%I0"},
        }),
    MakeEntry(0x010000A0, "Points now slipping", kLocal,
        "Points that were sticking are now slipping.",
        {
          {"Node", "Contact pair (%S,%S) node %N is now slipping.", {0, 0, 2, 1, 0}, {kAbsent, kAbsent, "Slave.Master", "Node", kAbsent}, "%N0%S0%S1"},
          {"Face", "Contact pair (%S,%S) with underlying element %E face %S point %I is now slipping.", {1, 0, 3, 0, 1}, {"Point", kAbsent, "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%S0%S1"},
          {"Element", "Interface/gap element %E point %I is now slipping.", {1, 0, 0, 0, 1}, {"Point", kAbsent, kAbsent, kAbsent, "Element"}, "%E0%I0"},
        }),
    MakeEntry(0x010000C0, "Soft contact incompatibilities", kLocal,
        kAbsent,
        {
          {"Node", "Soft contact incompatibility error of %R at contact pair (%S,%S) node %N.", {0, 1, 2, 1, 0}, {kAbsent, "Error", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face", "Soft contact incompatibility error of %R at contact pair (%S,%S) with underlying element %E face %S point %I.", {1, 1, 3, 0, 1}, {"Point", "Error", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Element", "Soft contact incompatibility error of %R at element %E point %I.", {1, 1, 0, 0, 1}, {"Point", "Error", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
        }),
    MakeEntry(0x010000E0, "Augmented Lagrange or Penalty incompatibilities", kLocal,
        kAbsent,
        {
          {"Node", "Augmented Lagrange or Penalty incompatibility error of %R at contact pair (%S,%S) node %N.", {0, 1, 2, 1, 0}, {kAbsent, "Error", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face", "Augmented Lagrange or Penalty incompatibility error of %R at contact pair (%S,%S) with underlying element %E face %S point %I.", {1, 1, 3, 0, 1}, {"Point", "Error", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Element", "Augmented Lagrange or Penalty incompatibility error of %R at element %E point %I.", {1, 1, 0, 0, 1}, {"Point", "Error", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
        }),
    MakeEntry(0x01000100, "Penetration tolerance exceeded", kLocal,
        kAbsent,
        {
          {"Node", "Penetration value of %R at contact pair (%S,%S) node %N exceeds the allowed penetration tolerance.", {0, 1, 2, 1, 0}, {kAbsent, "Penetration", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face", "Penetration value of %R at contact pair (%S,%S) with underlying element %E face %S point %I exceeds the allowed penetration tolerance.", {1, 1, 3, 0, 1}, {"Point", "Penetration", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Element", "Penetration value of %R at at element %E point %I exceeds the allowed penetration tolerance.", {1, 1, 0, 0, 1}, {"Point", "Penetration", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
        }),
    MakeEntry(0x01000120, "Kinematic violations", kLocal,
        kAbsent,
        {
          {"Node - overclosure", "Kinematic violation: Slave surface %S master surface %S node %N overclosed by %R.", {0, 1, 2, 1, 0}, {kAbsent, "Overclosure", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face - overclosure", "Kinematic violation: Slave surface %S master surface %S with underlying element %E face %S point %I overclosed by %R.", {1, 1, 3, 0, 1}, {"Point", "Overclosure", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Element - overclosure", "Kinematic violation: Interface/gap/connector element %E point %I overclosed by %R.", {1, 1, 0, 0, 1}, {"Point", "Overclosure", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
          {"Node - pressure", "Kinematic violation: Slave surface %S master surface %S node number %N has a contact pressure/force of %R", {0, 1, 2, 1, 0}, {kAbsent, "Pressure/Force", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face - pressure", "Kinematic violation: Slave surface %S master surface %S with underlying element %E face %S point %I has a contact pressure/force of %R.", {1, 1, 3, 0, 1}, {"Point", "Pressure/Force", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Element - pressure", "Kinematic violation: Interface/gap/connector element %E point %I has a contact pressure/force of %R.", {1, 1, 0, 0, 1}, {"Point", "Pressure/Force", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
          {"Node - opening/pressure", "Kinematic violation: Slave surface %S master surface %S node number %N opened by %R with a contact pressure/force of %R", {0, 2, 2, 1, 0}, {kAbsent, "Opening.Pressure/Force", "Slave.Master", "Node", kAbsent}, "%N0%R0%R1%S0%S1"},
          {"Face - opening/pressure", "Kinematic violation: Slave surface %S master surface %S with underlying element %E face %S point %I opened by %R with a contact pressure/force of %R.", {1, 2, 3, 0, 1}, {"Point", "Opening.Pressure/Force", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%R1%S0%S1"},
          {"Element - opening/pressure", "Kinematic violation: Interface/gap/connector element %E point %I opened by %R with a contact pressure/force of %R.", {1, 2, 0, 0, 1}, {"Point", "Opening.Pressure/Force", kAbsent, kAbsent, "Element"}, "%E0%I0%R0%R1"},
        }),
    MakeEntry(0x01000140, "Slide distance exceeded", kLocal,
        kAbsent,
        {
          {"Node", "Contact pair (%S,%S) node %N has exceeded the maximum slide distance. A cutback will result.", {0, 0, 2, 1, 0}, {kAbsent, kAbsent, "Slave.Master", "Node", kAbsent}, "%N0%S0%S1"},
          {"Face", "Contact pair (%S,%S) with underlying element %E face %S point %I has exceeded the maximum slide distance. A cutback will result.", {1, 0, 3, 0, 1}, {"Point", kAbsent, "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%S0%S1"},
        }),
    MakeEntry(0x01000160, "New contact patch", kLocal,
        kAbsent,
        {
          {"Node", "Contact pair (%S,%S) node %N has just closed. A new contact patch needs to be defined.", {0, 0, 2, 1, 0}, {kAbsent, kAbsent, "Slave.Master", "Node", kAbsent}, "%N0%S0%S1"},
          {"Face", "Contact pair (%S,%S) with underlying element %E face %S point %I has just closed. A new contact patch needs to be defined.", {1, 0, 3, 0, 1}, {"Point", kAbsent, "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%S0%S1"},
        }),
    MakeEntry(0x01000180, "Slipped off patch", kLocal,
        kAbsent,
        {
          {"Node", "Contact pair (%S,%S) node %N has entered a new contact patch.", {0, 0, 2, 1, 0}, {kAbsent, kAbsent, "Slave.Master", "Node", kAbsent}, "%N0%S0%S1"},
          {"Face", "Contact pair (%S,%S) with underlying element %E face %S point %I has entered a new contact patch.", {1, 0, 3, 0, 1}, {"Point", kAbsent, "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%S0%S1"},
        }),
    MakeEntry(0x010001A0, "No initial intersection", kLocal,
        kAbsent,
        {
          {"Node", "Contact pair (%S,%S) node %N finds no initial intersection with the master surface or is farther than cutoff distance away from the master surface.", {0, 0, 2, 1, 0}, {kAbsent, kAbsent, "Slave.Master", "Node", kAbsent}, "%N0%S0%S1"},
          {"Face", "Contact pair (%S,%S) with underlying element %E face %S point %I finds no initial intersection with the master surface or is farther than cutoff distance away from the master surface.", {1, 0, 3, 0, 1}, {"Point", kAbsent, "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%S0%S1"},
          {"Element", "Element %E point %I finds no initial intersection with the master surface or is farther than cutoff distance away from the master surface.", {1, 0, 0, 0, 1}, {"Point", kAbsent, kAbsent, kAbsent, "Element"}, "%E0%I0"},
        }),
    MakeEntry(0x010001C0, "Initial openings", kLocal,
        kAbsent,
        {
          {"Node", "Contact pair (%S,%S) node %N is initially opened by %R. The tangent directions are (%R,%R,%R) and (%R,%R,%R).", {0, 7, 2, 1, 0}, {kAbsent, "Opening.T1x.T1y.T1z.T2x.T2y.T2z", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face", "Contact pair (%S,%S) with underlying element %E face %S point %I is initially opened by %R. The tangent directions are (%R,%R,%R) and (%R,%R,%R).", {1, 7, 3, 0, 1}, {"Point", "Opening.T1x.T1y.T1z.T2x.T2y.T2z", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Node 2D", "Contact pair (%S,%S) node %N is initially opened by %R. The tangent direction is (%R,%R).", {0, 3, 2, 1, 0}, {kAbsent, "Opening.Tx.Ty", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face 2D", "Contact pair (%S,%S) with underlying element %E face %S point %I is initially opened by %R. The tangent direction is (%R,%R). ", {1, 3, 3, 0, 1}, {"Point", "Opening.Tx.Ty", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Element", "Element %E point %I is initially opened by %R. ", {1, 1, 0, 0, 1}, {"Point", "Opening", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
          {"Node", "Contact pair (%S,%S) node %N is initially opened by %R. The tangent directions are (%R,%R,%R) and (%R,%R,%R),Since softened contact behavior is used, the opening is calculated relative to the value defined at zero pressure.", {0, 7, 2, 1, 0}, {kAbsent, "Opening.T1x.T1y.T1z.T2x.T2y.T2z", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face", "Contact pair (%S,%S) with underlying element %E face %S point %I is initially opened by %R. The tangent directions are (%R,%R,%R) and (%R,%R,%R); Since softened contact behavior is used, the opening is calculated relative to the value defined at zero pressure.", {1, 7, 3, 0, 1}, {"Point", "Opening.T1x.T1y.T1z.T2x.T2y.T2z", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Node 2D", "Contact pair (%S,%S) node %N is initially opened by %R. The tangent direction is (%R,%R); Since softened contact behavior is used, the opening is calculated relative to the value defined at zero pressure.", {0, 3, 2, 1, 0}, {kAbsent, "Opening.Tx.Ty", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face 2D", "Contact pair (%S,%S) with underlying element %E face %S point %I is initially opened by %R. The tangent direction is (%R,%R); Since softened contact behavior is used, the opening is calculated relative to the value defined at zero pressure.", {1, 3, 3, 0, 1}, {"Point", "Opening.Tx.Ty", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Element", "Element %E point %I is initially opened by %R; Since softened contact behavior is used, the opening is calculated relative to the value defined at zero pressure.", {1, 1, 0, 0, 1}, {"Point", "Opening", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
        }),
    MakeEntry(0x010001E0, "Initial overclosures", kLocal,
        kAbsent,
        {
          {"Node", "Contact pair (%S,%S) node %N is initially overclosed by %R. The tangent directions are (%R,%R,%R) and (%R,%R,%R).", {0, 7, 2, 1, 0}, {kAbsent, "Overclosure.T1y.T1z.T2x.T2y.T2z", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face", "Contact pair (%S,%S) with underlying element %E face %S point %I is initially overclosed by %R. The tangent directions are (%R,%R,%R) and (%R,%R,%R). ", {1, 7, 3, 0, 1}, {"Point", "Overclosure.T1x.T1y.T1z.T2x.T2y.T2z", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Node 2D", "Contact pair (%S,%S) node %N is initially overclosed by %R. The tangent direction is (%R,%R). ", {0, 3, 2, 1, 0}, {kAbsent, "Overclosure.Tx.Ty", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face 2D", "Contact pair (%S,%S) with underlying element %E face %S point %I is initially overclosed by %R. The tangent direction is (%R,%R). ", {1, 3, 3, 0, 1}, {"Point", "Overclosure.Tx.Ty", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Element", "Element %E point %I is initially overclosed by %R. ", {1, 1, 0, 0, 1}, {"Point", "Overclosure", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
          {"Node", "Contact pair (%S,%S) node %N is initially overclosed by %R. The tangent directions are (%R,%R,%R) and (%R,%R,%R); Since softened contact behavior is used, the overclosure is calculated relative to the value defined at zero pressure.", {0, 7, 2, 1, 0}, {kAbsent, "Overclosure.T1y.T1z.T2x.T2y.T2z", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face", "Contact pair (%S,%S) with underlying element %E face %S point %I is initially overclosed by %R. The tangent directions are (%R,%R,%R) and (%R,%R,%R); Since softened contact behavior is used, the overclosure is calculated relative to the value defined at zero pressure.", {1, 7, 3, 0, 1}, {"Point", "Overclosure.T1x.T1y.T1z.T2x.T2y.T2z", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Node 2D", "Contact pair (%S,%S) node %N is initially overclosed by %R. The tangent direction is (%R,%R); Since softened contact behavior is used, the overclosure is calculated relative to the value defined at zero pressure.", {0, 3, 2, 1, 0}, {kAbsent, "Overclosure.Tx.Ty", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face 2D", "Contact pair (%S,%S) with underlying element %E face %S point %I is initially overclosed by %R. The tangent direction is (%R,%R); Since softened contact behavior is used, the overclosure is calculated relative to the value defined at zero pressure.", {1, 3, 3, 0, 1}, {"Point", "Overclosure.Tx.Ty", "Slave.Master.Face", kAbsent, "Element"}, "%E0%S2%I0%R0%S0%S1"},
          {"Element", "Element %E point %I is initially overclosed by %R; Since softened contact behavior is used, the overclosure is calculated relative to the value defined at zero pressure.", {1, 1, 0, 0, 1}, {"Point", "Overclosure", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
        }),
    MakeEntry(0x01000200, "Maximum contact force error", kOrvel,
        "Contact point at which maximum contact force error occurs.\n\n",
        {
          {"Element", "Max. contact force error %R at element %E point %I", {1, 1, 0, 0, 1}, {"Point", "Force Error", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
          {"Node", "Max. contact force error %R at node %N of contact pair (%S,%S)", {0, 1, 2, 1, 0}, {kAbsent, "Force Error", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face", "Max. contact force error %R at element %E face %S point %I of contact pair (%S,%S)", {1, 1, 3, 0, 1}, {"Point", "Force Error", "Face.Slave.Master", kAbsent, "Element"}, "%R0%E0%S0%I0%S1%S2"},
        }),
    MakeEntry(0x01000220, "Maximum penetration error", kOrvel,
        "Contact point at which maximum penetration error occurs.\n\n",
        {
          {"Element", "Max. penetration error %R at element %E point %I", {1, 1, 0, 0, 1}, {"Point", "Penetration", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
          {"Node", "Max. penetration error %R at node %N of contact pair (%S,%S)", {0, 1, 2, 1, 0}, {kAbsent, "Penetration", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face", "Max. penetration error %R at element %E face %S point %I of contact pair (%S,%S)", {1, 1, 3, 0, 1}, {"Point", "Penetration", "Face.Slave.Master", kAbsent, "Element"}, "%R0%E0%S0%I0%S1%S2"},
        }),
    MakeEntry(0x01000240, "Maximum slip error", kOrvel,
        "Contact point at which maximum slip error occurs.\n\n",
        {
          {"Element", "Max. slip error %R at element %E point %I", {1, 1, 0, 0, 1}, {"Point", "Slip Error", kAbsent, kAbsent, "Element"}, "%E0%I0%R0"},
          {"Node", "Max. slip error %R at node %N of contact pair (%S,%S)", {0, 1, 2, 1, 0}, {kAbsent, "Slip Error", "Slave.Master", "Node", kAbsent}, "%N0%R0%S0%S1"},
          {"Face", "Max. slip error %R at element %E face %S point %I of contact pair (%S,%S)", {1, 1, 3, 0, 1}, {"Point", "Slip Error", "Face.Slave.Master", kAbsent, "Element"}, "%R0%E0%S0%I0%S1%S2"},
        }),
    MakeEntry(0x02000020, "Initial overclosures", kLocal,
        "Initial node-face, edge-edge or node-analytical rigid surface overclosure.",
        {
          {"Node-face", "Initial node-face overclosure is %R at node %N and face %S of element %E", {0, 1, 1, 1, 1}, {kAbsent, "Initial Overclosure", "Face", "Node", "Element"}, "%N0%E0%S0%R0"},
          {"Edge-edge", "Initial edge-edge overclosure is %R between the edge defined by nodes %N and %N and the edge defined by nodes %N and %N", {0, 1, 0, 4, 0}, {kAbsent, "Initial Overclosure", kAbsent, "Edge1 Node1.Edge1 Node2.Edge2 Node1.Edge2 Node2", kAbsent}, "%N0%N1%N2%N3%R0"},
          {"Node-Analytical rigid surf", "Initial node-analytical rigid surface overclosure is %R between slave node %N and analytical rigid surface with reference node %N.", {0, 1, 0, 2, 0}, {kAbsent, "Initial Overclosure", kAbsent, "Node.Rigid body reference node", kAbsent}, "%N0%N1%R0"},
        }),
    MakeEntry(0x02000040, "Strain free corrections", kLocal,
        kAbsent,
        {
          {"Node", "Adjustment for initial overclosure is %R at node %N", {0, 1, 0, 1, 0}, {kAbsent, "Adjustment", kAbsent, "Node", kAbsent}, "%N0%R0"},
        }),
    MakeEntry(0x02000060, "Unresolved initial overclosures", kLocal,
        "Unresolved initial node-face, edge-edge or node-analytical rigid surface overclosure.",
        {
          {"Node-face", "Unresolved initial overclosure is %R between node %N and face %S of element %E", {0, 1, 1, 1, 1}, {kAbsent, "Overclousure", "Face", "Node", "Element"}, "%N0%E0%S0%R0"},
          {"Edge-edge", "Unresolved initial overclosure is %R between the edge defined by nodes %N and %N and the edge defined by nodes %N and %N", {0, 1, 0, 4, 0}, {kAbsent, "Overclousure", kAbsent, "Edge1 Node1.Edge1 Node2.Edge2 Node1.Edge2 Node2", kAbsent}, "%N0%N1%N2%N3%R0"},
          {"Node-analytical surface", "Unresolved initial overclosure is %R between node %N and analytical rigid surface with reference node %N.", {0, 1, 0, 2, 0}, {kAbsent, "Overclousure", kAbsent, "Node.Rigid surface reference node", kAbsent}, "%N0%N1%R0"},
        }),
    MakeEntry(0x02000080, "Adjacent slave nodes on opposite sides of a surface", kLocal,
        "Adjacent slave nodes may be on opposite sides of a surface in the configuration before or after the initial overclosure procedure.",
        {
          {"before the initial overclosure procedure", "Adjacent slave nodes %I and %I may be on opposite sides of a surface near face %S of element %I in the configuration before the initial overclosure procedure.", {0, 0, 1, 2, 1}, {kAbsent, kAbsent, "Face", "Node 1.Node 2", "Element"}, "%N0%N1%E0%S0"},
          {"after the initial overclosure procedure", "Adjacent slave nodes %I and %I may be on opposite sides of a surface near face %S of element %I in the configuration after the initial overclosure procedure.", {0, 0, 1, 2, 1}, {kAbsent, kAbsent, "Face", "Node 1.Node 2", "Element"}, "%N0%N1%E0%S0"},
        }),
    MakeEntry(0x020000A0, "Contact clearance offsets", kLocal,
        kAbsent,
        {
          {"", "Contact clearance offset is %R between node %N and surface %S", {0, 1, 1, 1, 0}, {kAbsent, "Contact clearance offset", "Surface", "Node", kAbsent}, "%N0%S0%R0"},
        }),
    MakeEntry(0x020000C0, "Initial node-face clearance definition violation", kLocal,
        kAbsent,
        {
          {"", "Initial node-face clearance definition violation is %R at node %I and face %S of element %I", {0, 1, 1, 1, 1}, {kAbsent, "Clearance definition violation", "Face", "Node", "Element"}, "%N0%E0%S0%R0"},
        }),
    MakeEntry(0x020000E0, "Facet has very small size", kLocal,
        kAbsent,
        {
          {"Two noded facet", "Facet %I between nodes %N and %N of instance %S on surface %S has very small size. Please check the mesh on this surface.", {1, 0, 1, 2, 0}, {"Facet", kAbsent, "Surface", "Node.Node", kAbsent}, "%S0%N0%N1"},
          {"Three noded facet", "Facet %I between nodes %N, %N, %N, and %N on surface %S has very small area. Please check the mesh on this surface.", {1, 0, 1, 4, 0}, {"Facet", kAbsent, "Surface", "Node.Node.Node.Node", kAbsent}, "%S0%N0%N1%N2%N3"},
          {"Six noded facet", "The facet between nodes %N, %N, %N, %N, %N, and %N on surface %S has very small area. Please check the mesh on this surface.", {0, 0, 1, 6, 0}, {kAbsent, kAbsent, "Surface", "Node.Node.Node.Node.Node.Node", kAbsent}, "%S0%N0%N1%N2%N3%N4%N5"},
        }),
    MakeEntry(0x02000100, "Facet collapsed while resolving initial overclousure", kLocal,
        "Facet collapsed while resolving initial overclousure. This may indicate inconsistencies in defining surface normals. ",
        {
          {"Two noded facet", "Facet %I between nodes %N and %N on surface %S has collapsed while resolving initial overclosures. This may indicate inconsistencies in defining surface normals.", {1, 0, 1, 2, 0}, {"Facet", kAbsent, "Surface", "Node.Node", kAbsent}, "%S0%N0%N1"},
          {"Three noded facet", "Facet %I between nodes %N, %N, %N, and %N on surface %S has collapsed while 'resolving initial overclosure. This may indicate inconsistencies in defining surface normals.", {1, 0, 1, 4, 0}, {"Facet", kAbsent, "Surface", "Node.Node.Node.Node", kAbsent}, "%S0%N0%N1%N2%N3"},
          {"Six noded facet", "The facet between nodes %N, %N, %N, %N, %N, and %N on surface %S has collapsed while resolving initial overclosure. This may indicate inconsistencies in defining surface normals.", {0, 0, 1, 6, 0}, {kAbsent, kAbsent, "Surface", "Node.Node.Node.Node.Node.Node", kAbsent}, "%S0%N0%N1%N2%N3%N4%N5"},
        }),
    MakeEntry(0x02000120, "Initial contact adjustment", kLocal,
        kAbsent,
        {
          {"", "Initial contact adjustment is %R at node %I", {0, 1, 0, 1, 0}, {kAbsent, "Initial contact adjustment", kAbsent, "Node", kAbsent}, "%N0%R0"},
        }),
    MakeEntry(0x02000140, "Facets have large offsets", kLocal,
        "Some facets have an offset which is greater than one-half the length, an edge or diagonal length of the facet ",
        {
          {"Offset greater than one-half the length of the facet", "For surface %S, some facets have an offset which is greater than one-half the length of the facet (for example, the offset is %R times the element size for the face on parent element %E. This surfacemay be poorly defined near any corner in the surface.", {0, 1, 1, 0, 1}, {kAbsent, "Offset", "Surface", kAbsent, "Element"}, "%S0%E0%R0"},
          {"Offset greater than one-half times an edge or diagonal length of the facet", "For surface %S, some facets have an offset which is greater than one-half times an edge or diagonal length of the facet (for example, the offset is %R times the element size for the facet on parent  element %E). This surface may be poorly defined  near any angles or corners in the surface.", {0, 1, 1, 0, 1}, {kAbsent, "Offset", "Surface", kAbsent, "Element"}, "%S0%E0%R0"},
        }),
    MakeEntry(0x02000160, "Adjacent slave nodes on opposite sides of double-sided master surface", kLocal,
        "At least one pair of adjacent slave nodes are on the opposite sides of double-sided master surface.",
        {
          {"Adjacent slave nodes on opposite sides of double-sided master surface", "At least one pair of adjacent slave nodes (%N,%N) on slave surface %S are on the opposite sides of double-sided master surface %S.", {0, 0, 2, 2, 0}, {kAbsent, kAbsent, "Slave surface.Master surface", "Node.Node", kAbsent}, "%N0%N1%S0%S1"},
          {"Adjacent slave nodes on opposite sides of double-sided master surface ", "At least one pair of adjacent slave nodes (%N,%N)  on slave surface are on the opposite sides of double-sided master surface %S, here the slave surface is the union of the following surfaces:", {0, 0, 1, 2, 0}, {kAbsent, kAbsent, "Master surface", "Node.Node", kAbsent}, "%N0%N1%S0"},
        }),
};
// clang-format on

}  // namespace

dia_EntryTable dia_ContactEntryTable() {
  return dia_EntryTable(kContactRows,
                        static_cast<std::int32_t>(sizeof kContactRows / sizeof kContactRows[0]));
}
