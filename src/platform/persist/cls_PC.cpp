#include "ddb/platform/cls_PC.h"

#include <atomic>

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
