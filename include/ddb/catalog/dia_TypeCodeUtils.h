// dia_TypeCodeUtils: the bit fields of a diagnostic type code.
//
// A code holds, from the top: bit 31 (unused by the catalog), bit 30 the error flag, bits 24-29
// the group, 16-23 the category, 5-15 the type and 0-4 the variation. The type id (variation bits
// cleared) keys the catalog rows. Stateless; thread-safe.
#pragma once

class dia_TypeCodeUtils {
 public:
  static bool IsError(unsigned code) { return (code & 0x40000000u) != 0; }
  static unsigned GetGroupId(unsigned code) { return code & 0x3F000000u; }
  static unsigned GetCategoryId(unsigned code) { return code & 0x3FFF0000u; }
  static unsigned GetTypeId(unsigned code) { return code & ~0x1Fu; }
  static unsigned GetGroupNumber(unsigned code) { return (code >> 24) & 0x3Fu; }
  static unsigned GetCategoryNumber(unsigned code) { return (code >> 16) & 0xFFu; }
  static unsigned GetTypeNumber(unsigned code) { return (code >> 5) & 0x7FFu; }
  static unsigned GetVariationNumber(unsigned code) { return code & 0x1Fu; }
  // Neither operand is masked: a variation above 31 spills into the type bits.
  static unsigned CreateCode(unsigned typeId, unsigned variation) { return typeId | variation; }
};
