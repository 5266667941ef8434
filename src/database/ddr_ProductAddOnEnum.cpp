#include "ddb/database/ddr_ProductAddOnEnum.h"

namespace {

template <class E>
constexpr unsigned Row(E value) {
  return static_cast<unsigned>(value);
}

const omu_PrimEnumRow kProductAddOnRows[] = {
    {"DESIGN_OPTIMIZATION", Row(ddr_ProductAddOnEnum::DESIGN_OPTIMIZATION)},
    {"FATIGUE_LIFE", Row(ddr_ProductAddOnEnum::FATIGUE_LIFE)},
    {"FLUID_STRUCTURE_COUPLING", Row(ddr_ProductAddOnEnum::FLUID_STRUCTURE_COUPLING)},
    {"MULTIBODY_KINEMATICS", Row(ddr_ProductAddOnEnum::MULTIBODY_KINEMATICS)},
    {"COMPOSITE_LAYUP", Row(ddr_ProductAddOnEnum::COMPOSITE_LAYUP)},
    {"ELECTROMAGNETICS", Row(ddr_ProductAddOnEnum::ELECTROMAGNETICS)},
    {"ADVANCED_MATERIALS", Row(ddr_ProductAddOnEnum::ADVANCED_MATERIALS)},
    {"GPU_ACCELERATION", Row(ddr_ProductAddOnEnum::GPU_ACCELERATION)},
    {nullptr, 0},
};

}  // namespace

template <>
const omu_PrimEnumTable omu_PrimEnum<ddr_ProductAddOnEnum, 1>::s_table = {"ddr_ProductAddOnEnum",
                                                                          kProductAddOnRows};
