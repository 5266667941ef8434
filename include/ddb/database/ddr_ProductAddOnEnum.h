// ddr_ProductAddOnEnum: the add-on products that can take part in an analysis, recorded in a
// database's add-on list (ddr_ProductAddOnList) as omu_PrimEnum<ddr_ProductAddOnEnum, 1> values.
// Its wrapper is default-constructible because the list sizes itself before it reads entries; a
// default-constructed wrapper holds no value until one is assigned. Constant data; thread-safe.
#pragma once

#include <type_traits>

#include "ddb/platform/omu_PrimEnum.h"

enum class ddr_ProductAddOnEnum : unsigned {
  DESIGN_OPTIMIZATION = 0,
  FATIGUE_LIFE = 1,
  FLUID_STRUCTURE_COUPLING = 2,
  MULTIBODY_KINEMATICS = 3,
  COMPOSITE_LAYUP = 4,
  ELECTROMAGNETICS = 5,
  ADVANCED_MATERIALS = 6,
  GPU_ACCELERATION = 7,
};

template <>
struct omu_PrimEnumIsDefaultConstructible<ddr_ProductAddOnEnum> : std::true_type {};

template <>
const omu_PrimEnumTable omu_PrimEnum<ddr_ProductAddOnEnum, 1>::s_table;
