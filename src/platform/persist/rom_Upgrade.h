// Files stored in older layouts: reading them without changing them, and upgrading them.
//
// A file keeps the layout each class had when its table was created. Reading such a file goes
// through a converted copy: the whole database is converted (the registered older versions'
// row and table steps, deletions of removed classes; see src/platform/persist/
// DatabaseConversion.h) into a temporary database in $TMPDIR (/tmp when unset), which is
// unlinked at once and lives while the transporter and the lists read from it do. The file
// itself is only read. Upgrading converts into a new file beside the original and replaces
// the original by an atomic rename, so that at every moment the file's name holds either the
// original or the complete converted file.
#pragma once

#include <cstdint>
#include <memory>

#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/rfm_File.h"
#include "ddb/platform/rom_Transporter.h"

// A transporter reading `file`'s database `dbName`: on the file itself when every class is
// stored in the layout `registrar` declares, else on a converted copy (reads give the current
// layouts; the copy refuses writes as a read-only file does, naming `file`). Raises
// nex_PrimException naming the file when a class is stored in a layout newer than this
// release's, and nex_CmdException when a file of older layouts is opened for writing
// ("'<file>' is stored in the layouts of an older release: upgrade it before writing to it").
std::unique_ptr<rom_Transporter> rom_OpenTransporter(const cls_ClassRegistrar* registrar,
                                                     const rfm_FileHandle& file,
                                                     const cow_String& dbName,
                                                     const rom_Progress& progress = {});

// Upgrades the file in place; false (and nothing done) when it is up to date. Holds the file's
// write lock throughout (raises when another process writes it) and works in three moves: the
// converted database is written and synced as "<file>.upgrading"; the original is linked as
// "<file>.backup"; the new file is renamed over the original, then the backup is removed. A
// process killed at any point leaves under the name either the original, unchanged, or the
// complete converted file; leftovers of an interrupted upgrade are replaced by the next one.
bool rom_UpgradeFile(const cow_String& fileName, const cls_ClassRegistrar* registrar,
                     const cow_String& dbName, const rom_Progress& progress = {});
