// typ_ArchCompTable: the process's type-name registry.
//
// A type identifier is 32 bits: the component number in the upper 16 and the class index within
// the component in the lower 16. Each component hands over one table (typ_ArchCompEntry) whose
// entry i names the class with index i, its base type identifier (1 when it has none) and its
// flags; entry 0 is a placeholder. The registry keeps the pointer to the table, not a copy, so a
// table must outlive the registry (module tables are static data). Inserting a component again
// replaces its table. All operations take thr_GlobalLock and are thread-safe.
#pragma once

#include <cstdint>

struct typ_Entry {
  std::uint32_t flags;
  std::uint32_t base;
  const char* name;
};

struct typ_ArchCompEntry {
  const typ_Entry* entries;
  int count;
};

constexpr std::uint32_t typ_TypeId(std::uint32_t component, std::uint32_t index) {
  return (component << 16) | (index & 0xffffu);
}
constexpr std::uint32_t typ_Component(std::uint32_t typeId) {
  return typeId >> 16;
}
constexpr std::uint32_t typ_Index(std::uint32_t typeId) {
  return typeId & 0xffffu;
}

// Base type identifier meaning "no base class".
constexpr std::uint32_t typ_NoBase = 1;

class typ_ArchCompTable {
 public:
  static void InsertEntry(int component, const typ_ArchCompEntry& entry);
  static bool HasComponent(int component);
  static int ComponentCount();
  // Forgets every component (used by the registry's owner at process shutdown).
  static void Clear();

  // The entry for a type identifier, or null when its component is unknown, its index is out of
  // the component's table, or the index is 0 (the placeholder names no class).
  static const typ_Entry* Lookup(std::uint32_t typeId);
  // Null when the type identifier names no class.
  static const char* GetName(std::uint32_t typeId);
  // 0 when the type identifier names no class.
  static std::uint32_t GetBase(std::uint32_t typeId);
  static std::uint32_t GetFlags(std::uint32_t typeId);
  // True when typeId is baseId or derives from it through the registered base chain.
  static bool IsDerivedFrom(std::uint32_t typeId, std::uint32_t baseId);
};
