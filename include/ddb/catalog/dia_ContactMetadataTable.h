// dia_ContactMetadataTable: the calling thread's lookup object over the contact catalog.
//
// Obtained with thr_ThreadSingleton<dia_ContactMetadataTable>::Instance(); one object per thread,
// owned by the thread-singleton machinery and destroyed by Finalize() or at thread exit. Use it
// only on the thread that obtained it.
#pragma once

#include "ddb/catalog/dia_MetadataTable.h"
#include "ddb/platform/thr_ThreadSingleton.h"

class dia_ContactMetadataTable : public thr_ThreadSingleton<dia_ContactMetadataTable>,
                                 public dia_MetadataTable {
 private:
  friend class thr_ThreadSingleton<dia_ContactMetadataTable>;
  dia_ContactMetadataTable() = default;

 protected:
  dia_EntryTable GetTable() const override;
};
