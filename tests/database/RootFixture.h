// Test support for the database layer: a file whose top record is a ddr_Ddb, and, for the
// open-file registry, a fixture that registers the test classes and closes whatever a test left
// open in the process-wide root.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "DatabaseTestClasses.h"
#include "TestFiles.h"
#include "ddb/database/ddr_Root.h"

namespace ddb_test {

using DdbRecordFile = RecordFile<ddr_Ddb, UseDatabaseTestClasses>;

inline rfm_FileHandle OpenFile(const std::string& path, rfm_Access access = rfm_Access::Read) {
  return rfm_File::Open(path, access, true, ZunBasStringMode::UTF8);
}

class RootTest : public ScratchFile {
 protected:
  void SetUp() override { UseDatabaseTestClasses(); }
  void TearDown() override {
    for (const cow_String& name : root.Keys(ZunBasStringMode::UTF8)) {
      try {
        root.CloseDdb(name, ZunBasStringMode::UTF8);
      } catch (const std::exception&) {
        root.Remove(name, ZunBasStringMode::UTF8);
      }
    }
  }

  const cow_String& Create(const std::string& path, const cow_String& description = "") {
    return root.CreateDdb(path, description, ZunBasStringMode::UTF8);
  }
  cow_String Open(const std::string& path, rfm_Access access = rfm_Access::Read,
                  const cow_String& name = "") {
    return root.OpenDdb(OpenFile(path, access), name, ZunBasStringMode::UTF8);
  }
  void Save(const cow_String& name) { root.SaveDdb(name, true, ZunBasStringMode::UTF8); }
  void Close(const cow_String& name) { root.CloseDdb(name, ZunBasStringMode::UTF8); }
  // Creates, saves and closes an empty database; returns its persistent name.
  cow_String Make(const std::string& path) {
    cow_String name = Create(path);
    Save(name);
    Close(name);
    return name;
  }

  ddr_Root& root = ddr_Root::Instance();
};

}  // namespace ddb_test
