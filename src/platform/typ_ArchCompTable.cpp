#include "ddb/platform/typ_ArchCompTable.h"

#include <map>

#include "ddb/platform/thr_GlobalLock.h"

namespace {

std::map<int, typ_ArchCompEntry>& Components() {
  static auto& components = *new std::map<int, typ_ArchCompEntry>;
  return components;
}

const typ_Entry* LookupLocked(std::uint32_t typeId) {
  auto it = Components().find(static_cast<int>(typ_Component(typeId)));
  if (it == Components().end()) return nullptr;
  const std::uint32_t index = typ_Index(typeId);
  if (index == 0 || index >= static_cast<std::uint32_t>(it->second.count)) return nullptr;
  return &it->second.entries[index];
}

}  // namespace

void typ_ArchCompTable::InsertEntry(int component, const typ_ArchCompEntry& entry) {
  thr_GlobalLock::Guard guard;
  Components()[component] = entry;
}

bool typ_ArchCompTable::HasComponent(int component) {
  thr_GlobalLock::Guard guard;
  return Components().count(component) != 0;
}

int typ_ArchCompTable::ComponentCount() {
  thr_GlobalLock::Guard guard;
  return static_cast<int>(Components().size());
}

void typ_ArchCompTable::Clear() {
  thr_GlobalLock::Guard guard;
  Components().clear();
}

const typ_Entry* typ_ArchCompTable::Lookup(std::uint32_t typeId) {
  thr_GlobalLock::Guard guard;
  return LookupLocked(typeId);
}

const char* typ_ArchCompTable::GetName(std::uint32_t typeId) {
  const typ_Entry* e = Lookup(typeId);
  return e ? e->name : nullptr;
}

std::uint32_t typ_ArchCompTable::GetBase(std::uint32_t typeId) {
  const typ_Entry* e = Lookup(typeId);
  return e ? e->base : 0;
}

std::uint32_t typ_ArchCompTable::GetFlags(std::uint32_t typeId) {
  const typ_Entry* e = Lookup(typeId);
  return e ? e->flags : 0;
}

bool typ_ArchCompTable::IsDerivedFrom(std::uint32_t typeId, std::uint32_t baseId) {
  thr_GlobalLock::Guard guard;
  // The chain is bounded by the number of indices a component can hold, so a malformed table
  // with a base cycle cannot loop forever.
  for (int step = 0; step <= 0x10000; ++step) {
    if (typeId == baseId) return true;
    const typ_Entry* e = LookupLocked(typeId);
    if (!e || e->base == typ_NoBase) return false;
    typeId = e->base;
  }
  return false;
}
