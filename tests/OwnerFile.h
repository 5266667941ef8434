// Test support: an owner test record as the top record of a file, written and read the way
// the database layer does it.
#pragma once

#include <memory>
#include <string>

#include "TestRecords.h"
#include "ddb/platform/rom_Transporter.h"

namespace ddb_test {

struct OwnerFile {
  rfm_FileHandle file;
  std::unique_ptr<rom_Transporter> transporter;

  static OwnerFile Create(const std::string& path) {
    RegisterTestRecords();
    OwnerFile f;
    f.file = rfm_File::Open(path, rfm_Access::Create, true, ZunBasStringMode::UTF8);
    f.transporter = std::make_unique<rom_Transporter>(nullptr, f.file, "D0", "test", 1, -1);
    return f;
  }
  static OwnerFile Open(const std::string& path, rfm_Access access = rfm_Access::Read) {
    RegisterTestRecords();
    OwnerFile f;
    f.file = rfm_File::Open(path, access, true, ZunBasStringMode::UTF8);
    f.transporter = std::make_unique<rom_Transporter>(nullptr, f.file, "D0", -1);
    return f;
  }
  void Save(const Owner& owner) {
    rom_MementoWrite memento(*transporter, kOwnerId, -1);
    cls_WriteVisitor writer(memento);
    owner.DBWrite(writer);
  }
  Owner Load() {
    int rows = transporter->GetTableSize(kOwnerId);
    rom_MementoRead memento(*transporter, kOwnerId, rows > 0 ? rows - 1 : 0, cls_Uid());
    return Owner(cls_ReadVisitor(memento));
  }
};

inline Owner OwnerWithLeaves(int n) {
  Owner owner;
  owner.name = "owner";
  for (int i = 0; i < n; ++i) owner.leaves.Append(Leaf(i, i * 1.5, "leaf " + std::to_string(i)));
  return owner;
}

}  // namespace ddb_test
