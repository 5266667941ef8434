// dia_ElementMetadataTable: the calling thread's lookup object over the element catalog.
//
// Obtained with thr_ThreadSingleton<dia_ElementMetadataTable>::Instance(); one object per thread,
// owned by the thread-singleton machinery and destroyed by Finalize() or at thread exit. Use it
// only on the thread that obtained it.
#pragma once

#include "ddb/catalog/dia_MetadataTable.h"
#include "ddb/platform/thr_ThreadSingleton.h"

class dia_ElementMetadataTable : public thr_ThreadSingleton<dia_ElementMetadataTable>,
                                 public dia_MetadataTable {
 private:
  friend class thr_ThreadSingleton<dia_ElementMetadataTable>;
  dia_ElementMetadataTable() = default;

 protected:
  dia_EntryTable GetTable() const override;
};
