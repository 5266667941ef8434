#include "ddb/platform/rom_Transporter.h"

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "TestRecords.h"
#include "ddb/platform/nex_Exception.h"

using namespace ddb_test;

using Transporter = ScratchFile;

TEST_F(Transporter, NeuterString_RewritesOneFieldInPlace) {
  OwnerFile f = OwnerFile::Create(path);
  Owner owner;
  owner.name = "old";
  owner.leaves.Append(Leaf(1, 2, "kept"));
  f.Save(owner);
  rom_MementoWrite memento(*f.transporter, kOwnerId, 0);
  memento.NeuterString("name", "renamed");
  EXPECT_EQ(f.transporter->GetTableSize(kOwnerId), 1);
  Owner back = f.Load();
  EXPECT_EQ(back.name, "renamed");
  EXPECT_EQ(back.leaves.ConstGet(0).text, "kept");
  EXPECT_THROW(memento.NeuterString("missing", "x"), nex_PrimException);
}

TEST_F(Transporter, HeaderCatalog_DescribesStoredClasses) {
  OwnerFile::Create(path).Save(Owner());
  rfm_FileHandle file = rfm_File::Open(path, rfm_Access::Read, true, ZunBasStringMode::UTF8);
  rom_DDBHeaderParser header(rfm_Database::Open(file, "D0"));
  ASSERT_EQ(header.Classes().size(), 1u);
  EXPECT_EQ(header.Classes()[0].className, "test_Owner");
  EXPECT_EQ(header.Classes()[0].classTable, "test_Owner");
  EXPECT_THROW(rfm_Database::Open(file, "D1"), nex_PrimException);
}

TEST_F(Transporter, Identity_NeverReusedByALaterWriter) {
  OwnerFile::Create(path).Save(OwnerWithLeaves(3));
  long long highest = Query(path, "SELECT MAX(OID) FROM test_Leaf");
  EXPECT_EQ(InChild([&] {
              OwnerFile f = OwnerFile::Open(path, rfm_Access::Update);
              EXPECT_GT(cls_Uid::AllocateUid().Value(), highest);
            }),
            0);
}

TEST_F(Transporter, ReadOnlyFile_RefusesWrites) {
  OwnerFile::Create(path).Save(OwnerWithLeaves(1));
  OwnerFile reader = OwnerFile::Open(path);
  Owner back = reader.Load();
  back.leaves.Get(0).number = 5;
  back.leaves.Flush();
  EXPECT_THROW(reader.Save(back), nex_CmdException);
  EXPECT_EQ(OwnerFile::Open(path).Load().leaves.ConstGet(0).number, 0);
}
