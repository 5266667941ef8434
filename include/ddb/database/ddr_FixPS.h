// ddr_FixPS: makes a file's persistent name consistent. Every database row (ddr_Ddb) and every
// database shortcut row (ddr_DdbShortcutImpl) of the file gets the stored name of the newest
// database row, so shortcuts kept in the file resolve to the database under its current name.
// The file is given through its transporter and must be open for update; rows are changed in
// place, one transaction per row. Errors of the file layer pass through. Stateless.
#pragma once

#include "ddb/platform/rom_Transporter.h"

class ddr_FixPS {
 public:
  static void FixPersistentString(rom_Transporter& database);
};
