#include "ddb/database/ddr_Root.h"

#include <cstdio>
#include <ctime>
#include <exception>
#include <string>

#include "ddb/frame/ZunRomDdr.h"
#include "ddb/platform/nex_Exception.h"
#include "ddb/platform/rom_Transporter.h"
#include "platform/ZunBasUtlUrlParser.h"
#include "platform/omi_Timer.h"
#include "platform/persist/rom_Upgrade.h"
#include "platform/typ_DebugFlags.h"

template class omi_Singleton<ddr_Root>;

namespace {

const char kDatabaseName[] = "D0";
const ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

// A file created but never saved stores no class at all.
bool StoresNoClass(const rfm_FileHandle& file) {
  return rom_DDBHeaderParser(rfm_Database::Open(file, kDatabaseName)).Classes().empty();
}

int LastRow(const rom_Transporter& transporter) {
  int rows = transporter.GetTableSize(ddr_TypeId_Ddb);
  return rows > 0 ? rows - 1 : 0;
}

}  // namespace

// Created on first use. While the database module is started it takes a registrar of every
// class declared so far; before start-up (or after shut-down) it has none, and create and open
// refuse until the module is started.
ddr_Root::ddr_Root() {
  if (ZunRomDdr_Count() > 0) m_registrar = cls_MetadataRegistrar::Instance().NewClassRegistrar();
}

ddr_Root::~ddr_Root() {
  Clear();
}

void ddr_Root::SetClassRegistrar(std::unique_ptr<cls_ClassRegistrar> registrar) {
  if (m_registrar) m_retiredRegistrars.push_back(std::move(m_registrar));
  m_registrar = std::move(registrar);
}

void ddr_Root::RequireRegistrar() const {
  if (!m_registrar) DDB_THROW(nex_CmdException, "Class registrar not initialized");
}

cow_String ddr_Root::PersistentName(std::int64_t time, const cow_String& fileNameUtf8) {
  std::time_t t = static_cast<std::time_t>(time);
  std::tm local{};
  localtime_r(&t, &local);
  char buffer[PERS_STRING_PAD + 1];
  std::size_t dsLen = std::strftime(buffer, PERS_STRING_PAD, "%Y/%m/%d %H:%M:%S ", &local);
  if (dsLen == 0 || dsLen > static_cast<std::size_t>(PERS_STRING_PAD))
    DDB_THROW(nex_PrimException, "the creation time %d has no local date and time",
              static_cast<long long>(time));
  std::string name(buffer, dsLen);
  name += fileNameUtf8.str().substr(0, PERS_STRING_PAD - dsLen);
  name.resize(PERS_STRING_PAD, ' ');
  return cow_String(std::move(name));
}

const cow_String& ddr_Root::CreateDdb(const cow_String& fileName, const cow_String& description,
                                      ZunBasStringMode mode) {
  cow_String fileNameU = In(fileName, mode);
  RequireRegistrar();
  cow_String persistent = PersistentName(std::time(nullptr), fileNameU);
  std::unique_ptr<ddr_Ddb> record(new ddr_Ddb(persistent, fileNameU, description, kUtf8));
  rfm_FileHandle file = rfm_File::Open(fileNameU, rfm_Access::Create, true, kUtf8);
  record->SetTransporter(new rom_Transporter(m_registrar.get(), file, kDatabaseName, description,
                                             record->CreateTimeAsInt(), -1));
  ddr_DdbContainer::Insert(persistent, record.release(), kUtf8);
  m_openCounts.Insert(persistent, ddr_OpenCountEntry{1, false});
  m_persistentNames.Insert(fileNameU, persistent);
  m_nameResult = Out(persistent, mode);
  return m_nameResult;
}

std::unique_ptr<rom_Transporter> ddr_Root::StampName(rfm_FileHandle& handle,
                                                     const cow_String& name) {
  const cow_String fileName = handle->FileName();
  if (ZunBasUtlUrlParser::IsUrl(fileName))
    DDB_THROW(
        nex_CmdException,
        "ERROR: The Network DDB file you are opening\nconflicts with a DDB file that was opened "
        "previously.  Please close any open DDB files before opening this DDB file.");
  bool readOnly = handle->IsReadOnly();
  if (readOnly) handle = rfm_File::Open(fileName, rfm_Access::Update, true, kUtf8);
  {
    rom_Transporter stamper(m_registrar.get(), handle, kDatabaseName, -1);
    rom_MementoWrite(stamper, ddr_TypeId_Ddb, LastRow(stamper))
        .NeuterString(cls_FieldHandle("name"), name);
  }
  if (readOnly) handle = rds_RfmFile::Open(fileName, rfm_Access::Read, true, kUtf8);
  return rom_OpenTransporter(m_registrar.get(), handle, kDatabaseName);
}

const cow_String& ddr_Root::OpenDdb(const rfm_FileHandle& file, const cow_String& name,
                                    ZunBasStringMode mode) {
  cow_String nameU = In(name, mode);
  RequireRegistrar();
  const cow_String fileName = file->FileName();
  if (IsMember(fileName, kUtf8)) return OpenAgain(file, mode);
  rfm_FileHandle handle = file;
  // A file that stores no record yet has nothing to stamp a name into.
  const bool stamp = !nameU.empty() && !StoresNoClass(handle);
  std::unique_ptr<rom_Transporter> transporter;
  if (stamp) transporter = StampName(handle, nameU);
  // The catalog and the record are read from one state of the file.
  rfm_ReadSnapshot snapshot(handle);
  if (!stamp) transporter = rom_OpenTransporter(m_registrar.get(), handle, kDatabaseName);
  omi_Timer timer;
  std::unique_ptr<ddr_Ddb> record = ReadRecord(*transporter, nameU);
  snapshot.End();
  if (typ_DebugFlags::GetDebugFlags(static_cast<int>(ddr_Component)) >= 2)
    std::fprintf(stderr, "ddr_Root::OpenDdb: It took %g to read ddb\n", timer.Elapsed());
  rom_Transporter& channel = *transporter;
  record->SetTransporter(transporter.release());
  cow_String recordName = record->Name();
  ddr_DdbContainer::Insert(recordName, record.release(), kUtf8);
  channel.CowBarn().Clear();
  m_persistentNames.Insert(fileName, recordName);
  m_openCounts.Insert(recordName, ddr_OpenCountEntry{1, handle->IsReadOnly()});
  m_nameResult = Out(recordName, mode);
  return m_nameResult;
}

// A file created but never saved (its writer stopped during set-up) stores no class at all: it
// reads as the empty job its creation made, named as a creation at its stored time names it.
std::unique_ptr<ddr_Ddb> ddr_Root::ReadRecord(rom_Transporter& transporter,
                                              const cow_String& name) {
  if (transporter.GetTableSize(ddr_TypeId_Ddb) == 0 && StoresNoClass(transporter.File())) {
    const cow_String& fileName = transporter.File()->FileName();
    std::int64_t created = rfm_Database::GetCreationTime(transporter.File());
    cow_String persistent = name.empty() ? PersistentName(created, fileName) : name;
    auto record = std::make_unique<ddr_Ddb>(persistent, fileName, transporter.Description(), kUtf8);
    record->SetCreateTimeAsInt(static_cast<std::int32_t>(created));
    return record;
  }
  rom_MementoRead memento(transporter, ddr_TypeId_Ddb, LastRow(transporter),
                          cls_Uid::AllocateUid());
  transporter.CowBarn().Clear();
  return std::unique_ptr<ddr_Ddb>(new ddr_Ddb(cls_ReadVisitor(memento)));
}

const cow_String& ddr_Root::OpenAgain(const rfm_FileHandle& file, ZunBasStringMode mode) {
  if (!VerifyCreationDate(file))
    DDB_THROW(nex_CmdException,
              "The database has been regenerated since it was first opened. Close the existing "
              "database and reopen using the new file.");
  cow_String persistent = GetPersistentName(file->FileName(), kUtf8);
  ddr_OpenCountEntry entry;
  if (m_openCounts.IsMember(persistent)) entry = m_openCounts.Get(persistent);
  if (!entry.readOnly && !file->IsReadOnly())
    DDB_THROW(nex_CmdException, "Two applications opening the same file for write is not allowed.");
  if (!entry.readOnly) entry.readOnly = file->IsReadOnly();
  ++entry.openCount;
  m_openCounts.Insert(persistent, entry);
  m_nameResult = Out(persistent, mode);
  return m_nameResult;
}

bool ddr_Root::UpgradeDdb(const cow_String& fileName, ZunBasStringMode mode,
                          const rom_Progress& progress) {
  cow_String fileNameU = In(fileName, mode);
  RequireRegistrar();
  if (IsMember(fileNameU, kUtf8))
    DDB_THROW(nex_CmdException, "'%s' is open: close it before upgrading it", fileNameU);
  return rom_UpgradeFile(fileNameU, m_registrar.get(), kDatabaseName, progress);
}

void ddr_Root::SaveDdb(const cow_String& persistentName, bool updateTime, ZunBasStringMode mode) {
  ddr_Ddb& record = ddr_DdbContainer::Get(persistentName, mode);
  if (!updateTime) record.SetUpdateTime(false);
  rom_Transporter& transporter = *record.GetTransporter();
  transporter.WriteAndFlush([&] {
    rom_MementoWrite memento(transporter, ddr_TypeId_Ddb, -1);
    transporter.CowBarn().Clear();
    cls_WriteVisitor writer(memento);
    record.DBWrite(writer);
    writer.StoreRow();
  });
  transporter.CowBarn().Clear();
}

void ddr_Root::CloseDdb(const cow_String& persistentName, ZunBasStringMode mode) {
  cow_String key = In(persistentName, mode);
  cow_String fileName = GetFileName(key, kUtf8);
  if (rom_Transporter* transporter = ddr_DdbContainer::ConstGet(key, kUtf8).GetTransporter()) {
    transporter->CowBarn().Clear();
    transporter->WriteAndFlush(nullptr);
    transporter->File()->Checkpoint();
  }
  m_persistentNames.Remove(fileName);
  ddr_DdbContainer::Remove(key, kUtf8);
}

void ddr_Root::CloseAll() {
  std::exception_ptr first;
  for (const cow_String& name : Keys(kUtf8)) {
    try {
      CloseDdb(name, kUtf8);
    } catch (...) {
      if (!first) first = std::current_exception();
    }
  }
  if (first) std::rethrow_exception(first);
}

bool ddr_Root::IsMember(const cow_String& fileName, ZunBasStringMode mode) const {
  cow_String key = In(fileName, mode);
  return m_persistentNames.IsMember(key) &&
         ddr_DdbContainer::IsMember(m_persistentNames.Get(key), kUtf8);
}

const cow_String& ddr_Root::GetPersistentName(const cow_String& fileName, ZunBasStringMode mode) {
  cow_String key = In(fileName, mode);
  if (!m_persistentNames.IsMember(key))
    DDB_THROW(nex_CmdException, "No ddb file by specified file name in container: '%s'", key);
  m_nameResult = Out(m_persistentNames.Get(key), mode);
  return m_nameResult;
}

const cow_String& ddr_Root::GetFileName(const cow_String& persistentName, ZunBasStringMode mode) {
  cow_String key = In(persistentName, mode);
  if (!ddr_DdbContainer::IsMember(key, kUtf8))
    DDB_THROW(nex_CmdException, "No ddb file by specified persistent name in container: '%s'", key);
  m_fileResult = cow_String();
  for (const auto& entry : m_persistentNames) {
    if (entry.second.str() != key.str()) continue;
    m_fileResult = Out(entry.first, mode);
    break;
  }
  return m_fileResult;
}

ddr_OpenCountEntry ddr_Root::GetOpenCount(const cow_String& persistentName,
                                          ZunBasStringMode mode) const {
  cow_String key = In(persistentName, mode);
  return m_openCounts.IsMember(key) ? m_openCounts.Get(key) : ddr_OpenCountEntry();
}

std::int64_t ddr_Root::ReadCreationDate(const rfm_FileHandle& file) {
  std::int64_t value = 0;
  try {
    if (!file) return 0;
    value = rfm_Database::GetCreationTime(file, "ddr_Ddb");
  } catch (...) {
  }
  return value;
}

std::int64_t ddr_Root::ReadCreationDate(const cow_String& fileName) {
  try {
    return ReadCreationDate(rfm_File::Open(fileName, rfm_Access::Read, true, kUtf8));
  } catch (...) {
    return 0;
  }
}

bool ddr_Root::VerifyCreationDate(const rfm_FileHandle& file) {
  const cow_String persistent = GetPersistentName(file->FileName(), kUtf8);
  std::int32_t open = ddr_DdbContainer::ConstGet(persistent, kUtf8).CreateTimeAsInt();
  return open == static_cast<std::int32_t>(ReadCreationDate(file));
}
