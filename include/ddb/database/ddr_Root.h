// ddr_Root: the process-wide registry of open ddb files.
//
// It creates new ddb files, opens existing ones (reading the last "ddr_Ddb" row of the file;
// a file of older layouts is read from a converted copy and never changed),
// upgrades files of older layouts in place,
// saves and closes them, and translates between an open database's file name and its
// persistent name (the record's "name", also its key in the container the root is). It refuses
// a second writer of one file and a file regenerated since it was first opened. Messages are
// raised as nex_CmdException (the date-text internal error as nex_PrimException).
//
// The root is created on first Instance(). The class registrar handed to every transporter is
// built then from every class declared so far when the database module is started (and
// installed by the module's initialise into a root that already exists); a root made while the
// module is not started has none and refuses to create or open. A library that declares persistent
// classes later installs a fresh registrar the same way before creating or opening databases;
// replaced registrars stay alive for the databases already open. The root owns its registrars.
//
// Saving and closing write through explicit calls: SaveDdb and CloseDdb flush every attached
// list and map of the file that holds new or changed elements, and raise naming the file when a
// write fails (a full disk), keeping the database open with everything unflushed still in
// memory, so the caller can make room and call again. CloseDdb then copies the file's
// write-ahead log into the file, so a closed ddb is one self-contained file. A file created but
// never saved opens as an empty job.
//
// A process singleton (omi_Singleton), destroyed by the database module's finalise, which
// first closes whatever is still open (CloseAll). No locks: one thread at a time; returned
// references point into result members that the next call of the same kind overwrites.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "ddb/database/ddr_DdbContainer.h"
#include "ddb/platform/ZunBasStringMode.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cow_Map.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/omi_Singleton.h"
#include "ddb/platform/rfm_File.h"
#include "ddb/platform/rom_Transporter.h"

struct ddr_OpenCountEntry {
  std::int32_t openCount = 0;
  bool readOnly = false;
};

class ddr_Root : public ddr_DdbContainer, public omi_Singleton<ddr_Root> {
 public:
  // Length of a created database's persistent name.
  static constexpr int PERS_STRING_PAD = 2048;

  ~ddr_Root() override;

  void SetClassRegistrar(std::unique_ptr<cls_ClassRegistrar> registrar);
  const cls_ClassRegistrar* GetClassRegistrar() const { return m_registrar.get(); }

  // Creates the file and its record; returns the new persistent name.
  const cow_String& CreateDdb(const cow_String& fileName, const cow_String& description,
                              ZunBasStringMode mode);
  // Opens `file`, first stamping `name` into its record when name is not empty; returns the
  // persistent name of the open database.
  const cow_String& OpenDdb(const rfm_FileHandle& file, const cow_String& name,
                            ZunBasStringMode mode);
  // Converts a file stored in the layouts of an older release to the current layouts in
  // place, safely (rom_UpgradeFile: the name holds the original or the complete new file at
  // every moment); false when it was up to date. `progress` hears of the rows converted. The
  // file must not be open here.
  bool UpgradeDdb(const cow_String& fileName, ZunBasStringMode mode,
                  const rom_Progress& progress = {});
  // Appends the record as the file's new last "ddr_Ddb" row and flushes every attached list
  // and map holding changes, as one transaction.
  void SaveDdb(const cow_String& persistentName, bool updateTime, ZunBasStringMode mode);
  // Flushes what the database holds, leaves the file self-contained and forgets the record.
  void CloseDdb(const cow_String& persistentName, ZunBasStringMode mode);
  // Closes every open database; raises the first failure after trying them all (the failed
  // ones stay open).
  void CloseAll();

  bool IsMember(const cow_String& fileName, ZunBasStringMode mode) const;
  const cow_String& GetPersistentName(const cow_String& fileName, ZunBasStringMode mode);
  const cow_String& GetFileName(const cow_String& persistentName, ZunBasStringMode mode);
  // The open count and read-only flag of a persistent name (zero when never opened here).
  ddr_OpenCountEntry GetOpenCount(const cow_String& persistentName, ZunBasStringMode mode) const;

  // The creation time stored in a file, 0 when none can be read. Never raises.
  static std::int64_t ReadCreationDate(const rfm_FileHandle& file);
  static std::int64_t ReadCreationDate(const cow_String& fileName);
  // True when the open record of that file was created when the file on disk was.
  bool VerifyCreationDate(const rfm_FileHandle& file);

  void Replace(const ddr_DdbContainer& container) { ddr_DdbContainer::operator=(container); }
  ddr_DdbContainer& Fetch() { return *this; }
  const ddr_DdbContainer& Fetch() const { return *this; }

  // The persistent name of a database created at `time` (local time) for the UTF-8 file name.
  static cow_String PersistentName(std::int64_t time, const cow_String& fileNameUtf8);

 private:
  friend class omi_Singleton<ddr_Root>;
  ddr_Root();

  const cow_String& OpenAgain(const rfm_FileHandle& file, ZunBasStringMode mode);
  std::unique_ptr<rom_Transporter> StampName(rfm_FileHandle& handle, const cow_String& name);
  std::unique_ptr<ddr_Ddb> ReadRecord(rom_Transporter& transporter, const cow_String& name);
  void RequireRegistrar() const;

  std::unique_ptr<cls_ClassRegistrar> m_registrar;
  cow_Map<cow_String, cow_String> m_persistentNames;
  cow_Map<cow_String, ddr_OpenCountEntry> m_openCounts;
  cow_String m_nameResult;
  cow_String m_fileResult;
  std::vector<std::unique_ptr<cls_ClassRegistrar>> m_retiredRegistrars;
};

// The one slot lives in the library (see omi_Singleton.h).
extern template class omi_Singleton<ddr_Root>;
