// cls_Uid: the persistent identity of a stored object (its OID in the file).
//
// New objects take AllocateUid(); copies copy the value and so are the same persistent object.
// Identities are 64-bit and start each process from a clock-derived base, far above anything an
// earlier process could have handed out; on top of that, opening a file raises the allocator
// above the largest identity the file stores, so appending never reuses one. The allocator is
// atomic and may be used from any thread.
#pragma once

#include <cstdint>

class cls_Uid {
 public:
  cls_Uid() = default;
  explicit cls_Uid(std::int64_t value) : m_value(value) {}

  static cls_Uid AllocateUid();
  // Replaces this identity by a freshly allocated one.
  void NewUid() { *this = AllocateUid(); }
  // Makes every later allocation exceed `stored`.
  static void ReserveAbove(std::int64_t stored);

  std::int64_t Value() const { return m_value; }
  bool IsNull() const { return m_value == 0; }

  friend bool operator==(cls_Uid a, cls_Uid b) { return a.m_value == b.m_value; }
  friend bool operator!=(cls_Uid a, cls_Uid b) { return a.m_value != b.m_value; }
  friend bool operator<(cls_Uid a, cls_Uid b) { return a.m_value < b.m_value; }

 private:
  std::int64_t m_value = 0;
};
