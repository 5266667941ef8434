// The element catalog: one row per type code of the element diagnostics: distortion, strain
// increments and unconverged material calculations. Texts are stored as the solver has always
// printed them, misspellings and trailing blanks included, because readers compare and display them
// verbatim.
#include "dia_EntryBuilder.h"

namespace {

using namespace dia_catalog;

// clang-format off
constexpr dia_Entry kElementRows[] = {
    MakeEntry(0x01000020, "Distorted elements", kLocal,
        "Elements are distorting so severely that the volume associated with one or more integration points has become zero or negative.\n\nOSTREL will reduce the load and attempt to perform the increment again.",
        {
          {"", "Element %E is distorting excessively.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x01000040, "Large strain increments", kLocal,
        "The strain increment exceeds fifty times the strain to cause first yield.\n\nOSTREL will attempt to perform the material point calculations but convergence problems may result.",
        {
          {"", "The strain increment exceeds fifty times the strain to cause first yield for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x01000060, "Excessive strain increments", kLocal,
        "The strain increment is so large that convergence of the material point calculations is judged to be unlikely.\n\nOSTREL will reduce the load and attempt to perform the increment again.",
        {
          {"", "The strain increment exceeds the tolerance for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x02000020, "Unconverged metal plasticity", kLocal,
        kAbsent,
        {
          {"Isotropic hardening", "Isotropic hardening plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Kinematic hardening", "Kinematic hardening plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Subspace kinematic hardening", "Subspace kinematic hardening plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Adiabatic metal", "Adiabatic metal plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Porous metal", "Porous metal plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Subspace cast iron", "Subspace cast iron plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x02000040, "Unconverged creep/plasticity", kLocal,
        kAbsent,
        {
          {"Creep", "Creep did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Creep/plasticity", "Creep and metal plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x02000060, "Unconverged hyperelasticity", kLocal,
        kAbsent,
        {
          {"Hyperelasticity", "Elastic jacobian or stretches did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x02000080, "Unstable material", kLocal,
        kAbsent,
        {
          {"Hyperelastic", "Hyperelastic instability detected for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Hyperfoam", "Hyperfoam instability detected for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x020000A0, "Hysteresis initial guesses exhausted", kLocal,
        kAbsent,
        {
          {"", "Hysteresis calculation has run out of initial guesses for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x020000C0, "Hysteresis jacobian cannot be inverted", kLocal,
        kAbsent,
        {
          {"", "Hysteresis jacobian cannot be inverted for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x020000E0, "Plane stress constraint", kLocal,
        "The calculations to satisfy the plane-stress constraint and determine through-thickness extension ratio did not converge.\n\nThe problem may be caused by large strain increments. A smaller time increment will be used.",
        {
          {"", "Plane stress constraint could not be satisfied for element %E. The problem may be caused by large strain increments. A smaller time increment will be used.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x02000100, "Uniaxial constraint", kLocal,
        "The calculations to satisfy the uniaxial constraint and determine the lateral extension ratio did not converge.\n\nThe problem may be caused by large strain increments. A smaller time increment will be used.",
        {
          {"", "Uniaxial constraint could not be satisfied for element %E. The problem may be caused by large strain increments. A smaller time increment will be used.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x02000120, "Van der Waals stretches locking", kLocal,
        kAbsent,
        {
          {"", "Van der Waals stretches are close to or exceed the locking stretch for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x02000140, "Unconverged cap plasticity", kLocal,
        kAbsent,
        {
          {"Full space", "Cap plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Subspace", "Subspace cap plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Line search", "Cap plasticity line search did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x02000160, "Unconverged Drucker-Prager plasticity", kLocal,
        kAbsent,
        {
          {"Full space", "Drucker-Prager plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Subspace", "Subspace Drucker-Prager plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x02000180, "Unconverged clay plasticity", kLocal,
        kAbsent,
        {
          {"", "Cam clay plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x020001A0, "Unconverged Mohr-Coulomb plasticity", kLocal,
        kAbsent,
        {
          {"Full space", "Mohr-Coulomb plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Subspace", "Subspace Mohr-Coulomb plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x020001C0, "Unconverged concrete plasticity", kLocal,
        kAbsent,
        {
          {"Compression", "Concrete compression plasticity did not converge for element %E integration point %I.", {1, 0, 0, 0, 1}, {"Point", kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Tension", "Concrete tension plasticity did not converge for element %E integration point %I.", {1, 0, 0, 0, 1}, {"Point", kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Damaged", "Subspace concrete damaged plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x020001E0, "Unconverged foam plasticity", kLocal,
        kAbsent,
        {
          {"Full space", "Foam plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
          {"Subspace", "Subspace foam plasticity did not converge for element %E.", {0, 0, 0, 0, 1}, {kAbsent, kAbsent, kAbsent, kAbsent, "Element"}, "%E0"},
        }),
    MakeEntry(0x03000020, "Critical elements", kLocal,
        "These elements have the smallest stable time increment. The number of elements displayed can be controlled using the CRITICAL ELEMENTS parameter on *DIAGNOSTICS.",
        {
          {"", "Critical elements.", {0, 2, 0, 0, 1}, {kAbsent, "Stable time increment.Increment ratio", kAbsent, kAbsent, "Element"}, "%E0%R0%R1"},
        }),
};
// clang-format on

}  // namespace

dia_EntryTable dia_ElementEntryTable() {
  return dia_EntryTable(kElementRows,
                        static_cast<std::int32_t>(sizeof kElementRows / sizeof kElementRows[0]));
}
