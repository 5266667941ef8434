// The persistence channel between records and one open ddb file.
//
// rom_Transporter binds a file's inner database to a class registrar. Records are written
// through rom_MementoWrite + cls_WriteVisitor and read through rom_MementoRead +
// cls_ReadVisitor. A transporter owns its store (connection state, statement cache, the object
// cache rom_CowBarn); persistent lists attached to the file share that store, so it lives until
// the last of them goes. One thread at a time.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/rfm_File.h"

// Called with the stored rows converted so far and their total, now and then and at the end
// (opening or upgrading a file of older layouts).
using rom_Progress = std::function<void(std::int64_t done, std::int64_t total)>;

namespace rom_detail {
class Store;
class PendingRow;
struct ClassTable;
}  // namespace rom_detail

// Which objects the current write pass has already written, so that copies sharing an
// identity are stored once. A pass ends with the outermost transaction, or with Clear. The
// identities sit in one flat table that a pass ending empties at once (a new generation).
class rom_CowBarn {
 public:
  // True the first time an identity is seen in the pass.
  bool MarkWritten(std::uint32_t typeId, cls_Uid uid);
  void Clear();

 private:
  struct Slot {
    std::int64_t oid;
    std::uint32_t typeId;
    std::uint32_t generation;  // the slot is empty unless it is the current one
  };
  void Grow();

  std::vector<Slot> m_slots;
  std::size_t m_count = 0;
  std::uint32_t m_generation = 1;
};

class rom_Transporter {
 public:
  // A new file: records the database name, description and creation time in it.
  rom_Transporter(const cls_ClassRegistrar* registrar, const rfm_FileHandle& file,
                  const cow_String& dbName, const cow_String& description,
                  std::int64_t creationTime, int flag);
  // An existing file.
  rom_Transporter(const cls_ClassRegistrar* registrar, const rfm_FileHandle& file,
                  const cow_String& dbName, int flag);
  // A store already open (a converted copy of a file of older layouts).
  explicit rom_Transporter(std::shared_ptr<rom_detail::Store> store);
  ~rom_Transporter();
  rom_Transporter(const rom_Transporter&) = delete;
  rom_Transporter& operator=(const rom_Transporter&) = delete;

  rom_CowBarn& CowBarn();
  // Number of stored rows of the class's table (0 when the file has no such table).
  int GetTableSize(std::uint32_t typeId) const;
  const rfm_FileHandle& File() const;
  // The description stored when the file was created.
  cow_String Description() const;
  // Runs `write` and then flushes every attached container of the file holding new or changed
  // elements, all as one transaction; raises when a write fails, keeping the elements marked
  // for the next flush.
  void WriteAndFlush(const std::function<void()>& write);
  const std::shared_ptr<rom_detail::Store>& GetStore() const { return m_store; }
  // 0 when the file stores every class at the version the registrar declares, 1 when it was
  // written by an older release (and is read through a converted copy), 2 when some class is
  // newer or unknown.
  int GetUpToDateStatus() const;

 private:
  std::shared_ptr<rom_detail::Store> m_store;
};

// Write channel of one object row. The top-level memento is built by the caller on a
// transporter: with row -1 the object is appended as a new row; with a row index, that row is
// updated in place (as NeuterString does for one field). Inner mementos are made by
// cls_WriteVisitor::StartWrite for each started object.
class rom_MementoWrite {
 public:
  rom_MementoWrite(rom_Transporter& transporter, std::uint32_t typeId, int rowIndex);
  ~rom_MementoWrite();
  rom_MementoWrite(const rom_MementoWrite&) = delete;
  rom_MementoWrite& operator=(const rom_MementoWrite&) = delete;

  void WriteInt(const cls_FieldHandle& field, int value);
  void WriteInt64(const cls_FieldHandle& field, std::int64_t value);
  void WriteDouble(const cls_FieldHandle& field, double value);
  void WriteBool(const cls_FieldHandle& field, bool value);
  void WriteString(const cls_FieldHandle& field, const cow_String& value);
  // A text that stays unchanged where it is until the row is stored (a member of the record
  // being written), written without a copy of its own.
  void WriteHeldString(const cls_FieldHandle& field, const cow_String& value);
  // A constant text (an enumeration's canonical string), written without a copy of its own.
  void WriteText(const cls_FieldHandle& field, const char* text);
  // Overwrites one string field of the existing row at once, in its own transaction.
  void NeuterString(const cls_FieldHandle& field, const cow_String& value);

  rom_detail::Store& GetStore() const { return *m_store; }
  std::uint32_t TypeId() const { return m_typeId; }
  int RowIndex() const { return m_rowIndex; }

 private:
  friend class cls_WriteVisitor;
  explicit rom_MementoWrite(rom_detail::Store& store);
  rom_detail::PendingRow& Row() {
    if (!m_row) NoRow();
    return *m_row;
  }
  [[noreturn]] static void NoRow();
  // Takes a pooled row of the store for the started object.
  void StartRow(std::uint32_t typeId, rom_detail::ClassTable& table, std::int64_t oid);

  std::shared_ptr<rom_detail::Store> m_storeRef;
  rom_detail::Store* m_store;
  std::uint32_t m_typeId = 0;
  int m_rowIndex = -1;
  rom_detail::PendingRow* m_row = nullptr;
};

// Read channel positioned on one stored row of a class: row `rowIndex` in table order. The
// object read through it takes `uid` as its identity when one is given, else the stored one.
class rom_MementoRead {
 public:
  rom_MementoRead(rom_Transporter& transporter, std::uint32_t typeId, int rowIndex, cls_Uid uid);

  rom_detail::Store& GetStore() const { return *m_store; }
  std::uint32_t TypeId() const { return m_typeId; }
  std::int64_t Oid() const { return m_oid; }
  cls_Uid Uid() const { return m_uid; }

 private:
  std::shared_ptr<rom_detail::Store> m_store;
  std::uint32_t m_typeId;
  std::int64_t m_oid;
  cls_Uid m_uid;
};

// Reads the header catalog of a file's database and compares it with a registrar.
class rom_DDBHeaderParser {
 public:
  explicit rom_DDBHeaderParser(const rfm_Database& database);

  struct ClassRow {
    cow_String className;
    cow_String classTable;
    std::uint32_t typeId;
    int version;
    std::uint32_t baseTypeId;
  };
  const std::vector<ClassRow>& Classes() const { return m_classes; }
  // 0 when every stored class has the version the registrar declares, 1 when some stored class
  // is older (the file needs conversion), 2 when some is newer or unknown to the registrar.
  int GetUpToDateStatus(const cls_ClassRegistrar& registrar) const;

 private:
  std::vector<ClassRow> m_classes;
};
