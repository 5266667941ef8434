#include "ddb/platform/cls_PC.h"

#include <atomic>
#include <cstdio>

#include "ddb/frame/cls_ListObj.h"
#include "ddb/frame/cls_Map2Obj.h"
#include "ddb/platform/nex_Exception.h"

namespace {
std::atomic<long>& Linked() {
  static std::atomic<long> linked{0};
  return linked;
}
}  // namespace

void cls_PC::Link() {
  if (m_linked) return;
  m_linked = true;
  ++Linked();
}

void cls_PC::Unlink() {
  if (!m_linked) return;
  m_linked = false;
  --Linked();
}

long cls_PC::LinkedContainers() {
  return Linked();
}

namespace cls_ListDetail {

void ThrowIndex(int index, int length) {
  DDB_THROW(nex_PrimException, "cls_ListObj: index %d out of range (%d elements)", index, length);
}

void ThrowNotLoaded(int index) {
  DDB_THROW(nex_PrimException, "cls_ListObj: element %d could not be loaded", index);
}

void ReportFailedFlush(const char* what) {
  std::fprintf(stderr, "cls_ListObj: the flush of a list going out of scope failed: %s\n", what);
}

}  // namespace cls_ListDetail

namespace cls_MapDetail {

void ThrowMissing(const cow_String& key) {
  DDB_THROW(nex_PrimException, "cls_Map2Obj: no entry '%s'", key);
}

void ReportFailedFlush(const char* what) {
  std::fprintf(stderr, "cls_Map2Obj: the flush of a map going out of scope failed: %s\n", what);
}

}  // namespace cls_MapDetail
