// Test support: a ddr_Ddb record written to and read from a file directly through a
// transporter, the way the root does it.
#pragma once

#include <memory>
#include <string>

#include "DatabaseTestClasses.h"
#include "TestFiles.h"
#include "ddb/database/ddr_Ddb.h"
#include "ddb/database/ddr_Root.h"
#include "ddb/platform/rom_Transporter.h"

namespace ddb_test {

inline const cls_ClassRegistrar* RootRegistrar() {
  UseDatabaseTestClasses();
  return ddr_Root::Instance().GetClassRegistrar();
}

inline void WriteRecord(const std::string& path, const ddr_Ddb& record) {
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Create, true, ZunBasStringMode::UTF8);
  rom_Transporter transporter(RootRegistrar(), file, "D0", record.Description(),
                              record.CreateTimeAsInt(), -1);
  rom_MementoWrite memento(transporter, ddr_Ddb::TypeId(), -1);
  cls_WriteVisitor writer(memento);
  record.DBWrite(writer);
  writer.StoreRow();
}

inline std::unique_ptr<ddr_Ddb> ReadRecord(const std::string& path) {
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Read, true, ZunBasStringMode::UTF8);
  rom_Transporter transporter(RootRegistrar(), file, "D0", -1);
  int rows = transporter.GetTableSize(ddr_Ddb::TypeId());
  rom_MementoRead memento(transporter, ddr_Ddb::TypeId(), rows - 1, cls_Uid::AllocateUid());
  return std::make_unique<ddr_Ddb>(cls_ReadVisitor(memento));
}

// Overwrites the stored "name" of row `row` as it is, without marking.
inline void StoreRawName(const std::string& path, int row, const cow_String& name) {
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Update, true, ZunBasStringMode::UTF8);
  rom_Transporter transporter(RootRegistrar(), file, "D0", -1);
  rom_MementoWrite(transporter, ddr_Ddb::TypeId(), row).NeuterString("name", name);
}

}  // namespace ddb_test
