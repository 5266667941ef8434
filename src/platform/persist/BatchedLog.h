// The VFS every connection of the library opens its files through.
//
// It is SQLite's default VFS, except that a write-ahead log's writes reach the system a
// transaction at a time instead of two at a frame (its header, then its page): writes that
// continue one another are gathered in memory and handed over in one write when the commit
// frame's page is complete, and before anything else is done with the log (read, sync,
// truncate, size, close, a file control) or a write lands elsewhere. A commit that returned is
// therefore in the system's hands, as before, and survives a kill of the process; readers find
// its frames in the log by the time the log's index announces them. Database files and every
// other file are the default VFS's own. A write the system refuses fails the call that handed
// the gathered writes over, with the default VFS's error; what was gathered is dropped, as
// SQLite drops the transaction.
#pragma once

#include <sqlite3.h>

namespace rom_detail {

// The VFS, registered under "ddb" on first use (not as the default).
sqlite3_vfs* BatchedLogVfs();

}  // namespace rom_detail
