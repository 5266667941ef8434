// dia_WarningErrorMetadataTable: the calling thread's lookup object over the warning/error catalog.
//
// Obtained with thr_ThreadSingleton<dia_WarningErrorMetadataTable>::Instance(); one object per
// thread, owned by the thread-singleton machinery and destroyed by Finalize() or at thread exit.
// Use it only on the thread that obtained it.
#pragma once

#include "ddb/catalog/dia_MetadataTable.h"
#include "ddb/platform/thr_ThreadSingleton.h"

class dia_WarningErrorMetadataTable : public thr_ThreadSingleton<dia_WarningErrorMetadataTable>,
                                      public dia_MetadataTable {
 private:
  friend class thr_ThreadSingleton<dia_WarningErrorMetadataTable>;
  dia_WarningErrorMetadataTable() = default;

 protected:
  dia_EntryTable GetTable() const override;
};
