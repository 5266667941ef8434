// Starts the library, lists the type-name tables of both modules as the process registry holds
// them, and shuts the library down again.
#include <cinttypes>
#include <cstdio>

#include "ddb/ddb.h"

namespace {

void PrintTable(const char* title, std::uint32_t component, const typ_ArchCompEntry& entry) {
  std::printf("%s (component %" PRIu32 ", %d entries)\n", title, component, entry.count);
  for (int i = 1; i < entry.count; ++i) {
    const std::uint32_t id = typ_TypeId(component, i);
    const std::uint32_t base = typ_ArchCompTable::GetBase(id);
    std::printf("  0x%06" PRIx32 "  %-40s", id, typ_ArchCompTable::GetName(id));
    if (base == typ_NoBase)
      std::printf("  base none\n");
    else
      std::printf("  base 0x%06" PRIx32 " %s\n", base, typ_ArchCompTable::GetName(base));
  }
}

}  // namespace

int main() {
  int owned = 0;
  ZunRomDiagEx_initialize(owned);
  PrintTable("Diagnostics types", dia_Component, dia_ArchEntry());
  PrintTable("Database types", ddr_Component, ddr_ArchEntry());
  ZunRomDiagEx_finalize(owned);
  return 0;
}
