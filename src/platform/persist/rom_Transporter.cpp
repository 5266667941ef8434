#include "ddb/platform/rom_Transporter.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "ddb/platform/nex_Exception.h"
#include "platform/persist/Store.h"

using rom_detail::Store;
using rom_detail::Value;

namespace {

// A new file gets its fixed tables and marks before it appears under its name.
std::shared_ptr<Store> BuildNew(const cls_ClassRegistrar* registrar, const rfm_FileHandle& file,
                                const cow_String& dbName, const cow_String& description,
                                std::int64_t creationTime) {
  {
    Store builder(file, registrar);
    builder.InitializeNew(dbName.str(), description.str(), creationTime);
  }
  file->Publish();
  return std::make_shared<Store>(file, registrar);
}

std::size_t SlotOf(std::uint32_t typeId, std::int64_t oid, std::size_t mask) {
  std::uint64_t h = static_cast<std::uint64_t>(oid) * 0x9e3779b97f4a7c15ULL ^ typeId;
  return static_cast<std::size_t>(h ^ (h >> 29)) & mask;
}

}  // namespace

bool rom_CowBarn::MarkWritten(std::uint32_t typeId, cls_Uid uid) {
  if ((m_count + 1) * 2 > m_slots.size()) Grow();
  const std::size_t mask = m_slots.size() - 1;
  for (std::size_t i = SlotOf(typeId, uid.Value(), mask);; i = (i + 1) & mask) {
    Slot& slot = m_slots[i];
    if (slot.generation != m_generation) {
      slot = {uid.Value(), typeId, m_generation};
      ++m_count;
      return true;
    }
    if (slot.oid == uid.Value() && slot.typeId == typeId) return false;
  }
}

void rom_CowBarn::Clear() {
  if (m_count == 0) return;
  m_count = 0;
  if (++m_generation != 0) return;
  for (Slot& slot : m_slots) slot.generation = 0;
  m_generation = 1;
}

void rom_CowBarn::Grow() {
  std::vector<Slot> old(std::max<std::size_t>(64, m_slots.size() * 2), Slot{0, 0, 0});
  old.swap(m_slots);
  const std::size_t mask = m_slots.size() - 1;
  for (const Slot& slot : old) {
    if (slot.generation != m_generation) continue;
    std::size_t i = SlotOf(slot.typeId, slot.oid, mask);
    while (m_slots[i].generation == m_generation) i = (i + 1) & mask;
    m_slots[i] = slot;
  }
}

rom_Transporter::rom_Transporter(const cls_ClassRegistrar* registrar, const rfm_FileHandle& file,
                                 const cow_String& dbName, const cow_String& description,
                                 std::int64_t creationTime, int)
    : m_store(BuildNew(registrar, file, dbName, description, creationTime)) {
  m_store->OpenDatabase(dbName.str());
}

rom_Transporter::rom_Transporter(const cls_ClassRegistrar* registrar, const rfm_FileHandle& file,
                                 const cow_String& dbName, int)
    : m_store(std::make_shared<Store>(file, registrar)) {
  m_store->OpenDatabase(dbName.str());
}

rom_Transporter::rom_Transporter(std::shared_ptr<Store> store) : m_store(std::move(store)) {}

rom_Transporter::~rom_Transporter() = default;

rom_CowBarn& rom_Transporter::CowBarn() {
  return m_store->Barn();
}

int rom_Transporter::GetTableSize(std::uint32_t typeId) const {
  return m_store->TableSize(typeId);
}

int rom_Transporter::GetUpToDateStatus() const {
  return m_store->UpToDateStatus();
}

const rfm_FileHandle& rom_Transporter::File() const {
  return m_store->File();
}

cow_String rom_Transporter::Description() const {
  return cow_String(m_store->MetaValue("description"));
}

void rom_Transporter::WriteAndFlush(const std::function<void()>& write) {
  if (m_store->ReadOnly()) {
    if (write) write();
    return;
  }
  m_store->BeginScope();
  try {
    if (write) write();
    m_store->FlushAttached();
  } catch (...) {
    m_store->EndScope(false);
    throw;
  }
  m_store->EndScope(true);
}

rom_MementoWrite::rom_MementoWrite(rom_Transporter& transporter, std::uint32_t typeId, int rowIndex)
    : m_storeRef(transporter.GetStore()),
      m_store(m_storeRef.get()),
      m_typeId(typeId),
      m_rowIndex(rowIndex) {}

rom_MementoWrite::rom_MementoWrite(rom_detail::Store& store) : m_store(&store) {}

rom_MementoWrite::~rom_MementoWrite() {
  if (m_row) m_store->ReleaseRow(m_row);
}

void rom_MementoWrite::StartRow(std::uint32_t typeId, rom_detail::ClassTable& table,
                                std::int64_t oid) {
  if (m_row) m_store->ReleaseRow(std::exchange(m_row, nullptr));
  m_typeId = typeId;
  m_row = &m_store->AcquireRow(table, oid);
}

void rom_MementoWrite::NoRow() {
  DDB_THROW(nex_PrimException, "rom_MementoWrite: no object was started");
}

void rom_MementoWrite::WriteInt(const cls_FieldHandle& field, int value) {
  WriteInt64(field, value);
}

void rom_MementoWrite::WriteInt64(const cls_FieldHandle& field, std::int64_t value) {
  rom_detail::PendingRow& row = Row();
  row.SetInt(row.Table().Column(field), value);
}

void rom_MementoWrite::WriteDouble(const cls_FieldHandle& field, double value) {
  rom_detail::PendingRow& row = Row();
  row.SetReal(row.Table().Column(field), value);
}

void rom_MementoWrite::WriteBool(const cls_FieldHandle& field, bool value) {
  WriteInt64(field, value ? 1 : 0);
}

void rom_MementoWrite::WriteString(const cls_FieldHandle& field, const cow_String& value) {
  rom_detail::PendingRow& row = Row();
  row.SetText(row.Table().Column(field), value.c_str(), value.size());
}

void rom_MementoWrite::WriteHeldString(const cls_FieldHandle& field, const cow_String& value) {
  rom_detail::PendingRow& row = Row();
  row.SetHeldText(row.Table().Column(field), value.c_str(), value.size());
}

void rom_MementoWrite::WriteText(const cls_FieldHandle& field, const char* text) {
  rom_detail::PendingRow& row = Row();
  row.SetHeldText(row.Table().Column(field), text, std::strlen(text));
}

void rom_MementoWrite::NeuterString(const cls_FieldHandle& field, const cow_String& value) {
  std::int64_t oid = m_store->RowOid(m_typeId, m_rowIndex < 0 ? 0 : m_rowIndex);
  Value v;
  v.kind = Value::Text;
  v.s = value.str();
  m_store->BeginScope();
  try {
    m_store->UpdateField(m_typeId, oid, field.Name(), v);
  } catch (...) {
    m_store->EndScope(false);
    throw;
  }
  m_store->EndScope(true);
}

rom_MementoRead::rom_MementoRead(rom_Transporter& transporter, std::uint32_t typeId, int rowIndex,
                                 cls_Uid uid)
    : m_store(transporter.GetStore()),
      m_typeId(typeId),
      m_oid(m_store->RowOid(typeId, rowIndex)),
      m_uid(uid) {}

rom_DDBHeaderParser::rom_DDBHeaderParser(const rfm_Database& database) {
  Store store(database.File(), nullptr);
  SqlStmt s(store.Db(),
            "SELECT \"Class Name\", \"Class Table\", \"Type Id\", \"Version\", \"Base Type Id\""
            " FROM \"##Classes\" ORDER BY \"Type Id\"");
  while (s.Step())
    m_classes.push_back({s.Text(0), s.Text(1), static_cast<std::uint32_t>(s.Int(2)),
                         static_cast<int>(s.Int(3)), static_cast<std::uint32_t>(s.Int(4))});
}

int rom_DDBHeaderParser::GetUpToDateStatus(const cls_ClassRegistrar& registrar) const {
  int status = 0;
  for (const ClassRow& row : m_classes) {
    const cls_ClassMetadata* md = registrar.Find(row.typeId);
    if (!md || row.version > md->Version()) return 2;
    if (row.version < md->Version()) status = 1;
  }
  return status;
}
