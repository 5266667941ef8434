// cls_PagedArrayInt: a persistent array of ints that grows at its end and changes in place, for
// arrays too long to hold or rewrite whole (a job's history). Stored as an int array
// (doc/ddb-format.md): in a file of layout 3 or later in pages of kPageValues values, so that a
// write stores only the pages changed since the last one and memory holds only the pages in
// use; in a file of an older layout, and until it is first written, whole.
//
// Once attached to a paged file the array keeps in memory the pages it was told to keep
// (Keep), the page it grows into, the pages changed since they were last written and at most
// kCachedPages others; every other page is read again when a value in it is asked for. A page
// that has filled up and holds no kept value is written at once, in a transaction of its own
// that begins only when no other is open; until the array's own write (DBWrite, Flush) stores
// its length, a reader sees the array as that write left it.
//
// Copies share the stored pages and copy the pages in memory. One thread at a time. Reading a
// page raises nex_PrimException "'<file>' is damaged: ..." when the page is missing or does not
// match its checksum.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_List.h"

class cls_PagedArrayInt {
 public:
  static constexpr int kPageValues = 960;
  static constexpr int kCachedPages = 4;

  // `length` zeros, under a new identity.
  explicit cls_PagedArrayInt(int length = 0);
  explicit cls_PagedArrayInt(const cls_ReadVisitor& reader);
  cls_PagedArrayInt(const cls_PagedArrayInt&);
  cls_PagedArrayInt& operator=(const cls_PagedArrayInt&);
  ~cls_PagedArrayInt();

  int Length() const { return m_length; }
  int At(int i) const;
  void Set(int i, int value);
  void Append(int value);
  // Every value, in order (pages not in memory are read and dropped again).
  cow_List<int> Values() const;
  // The pages holding the ranges (first, count) of values stay in memory: the values the owner
  // changes. Replaces the ranges given before.
  void Keep(std::initializer_list<std::pair<int, int>> ranges);
  cls_Uid Uid() const { return m_uid; }

  void DBWrite(const cls_WriteVisitor& writer) const;
  // Writes what changed since the last write in a transaction of its own (joining one already
  // open); nothing when the array was never written or read.
  void Flush() const;

 private:
  struct Page {
    std::vector<int> values;
    bool dirty = false;
    std::uint64_t used = 0;
  };
  bool Paged() const;
  Page& Load(int page) const;
  void Fill(int page, std::vector<int>& values) const;
  void LoadAll() const;
  void WritePages(bool all) const;
  void WriteFullPages();
  void Trim() const;
  bool Kept(int page) const;

  cls_Uid m_uid;
  int m_length = 0;
  std::vector<std::pair<int, int>> m_kept;  // (first, count) ranges
  mutable std::map<int, Page> m_pages;
  mutable std::uint64_t m_clock = 0;
  // Whole arrays hold every page; set once the array is read from or written to a paged file.
  mutable bool m_paged = false;
  mutable std::shared_ptr<rom_detail::Store> m_store;
};
