// cls_PC: base of the persistent containers (lists and maps of records).
//
// A container is linked while it exists and unlinks itself when it is destroyed, detached or
// assigned to; the process keeps the number of linked containers, which tests and tools read
// to see that trees are released. Thread-safe (atomic count).
#pragma once

#include "ddb/platform/mem_AllocationOperators.h"

class cls_PC : public mem_AllocationOperators {
 public:
  cls_PC() { Link(); }
  cls_PC(const cls_PC&) : mem_AllocationOperators() { Link(); }
  cls_PC& operator=(const cls_PC&) { return *this; }
  virtual ~cls_PC() { Unlink(); }

  // Writes the container's new and changed elements to its file; nothing when it has none or is
  // not attached. Raises when the write fails, keeping the elements for a later flush.
  virtual void Flush() const {}

  static long LinkedContainers();

 protected:
  void Link();
  void Unlink();

 private:
  bool m_linked = false;
};
