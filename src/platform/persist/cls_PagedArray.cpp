#include "ddb/platform/cls_PagedArray.h"

#include <cstring>

#include "ddb/platform/cls_ArrayPrim.h"
#include "ddb/platform/nex_Exception.h"
#include "platform/persist/Store.h"

namespace {
constexpr int P = cls_PagedArrayInt::kPageValues;
}

cls_PagedArrayInt::cls_PagedArrayInt(int length) : m_uid(cls_Uid::AllocateUid()) {
  for (int i = 0; i < length; ++i) Append(0);
}

cls_PagedArrayInt::cls_PagedArrayInt(const cls_ReadVisitor& reader) : m_uid(reader.GetUid()) {
  int collection = 0;
  std::string bytes;
  if (reader.ReadArray(collection, bytes)) {
    m_store = reader.StoreRef();
    if (collection == rom_detail::Store::kIntPages) {
      std::int32_t head[2];
      std::memcpy(head, bytes.data(), sizeof head);
      if (head[0] != P)
        reader.Damaged("array " + std::to_string(reader.Oid()) + " is stored in pages of " +
                       std::to_string(head[0]) + " values");
      m_length = head[1];
      m_paged = true;
    } else if (collection == cls_CollInts) {
      cow_List<int> values;
      cls_ArrayCodec::Decode(bytes, values);
      for (int v : values) Append(v);
    } else {
      reader.Damaged("array " + std::to_string(reader.Oid()) + " holds values of another type");
    }
  }
  if (m_uid.IsNull()) m_uid = cls_Uid::AllocateUid();
}

cls_PagedArrayInt::cls_PagedArrayInt(const cls_PagedArrayInt&) = default;
cls_PagedArrayInt& cls_PagedArrayInt::operator=(const cls_PagedArrayInt&) = default;
cls_PagedArrayInt::~cls_PagedArrayInt() = default;

int cls_PagedArrayInt::At(int i) const {
  if (i < 0 || i >= m_length)
    DDB_THROW(nex_PrimException, "cls_PagedArrayInt: index %d out of range (%d values)", i,
              m_length);
  return Load(i / P).values[i % P];
}

void cls_PagedArrayInt::Set(int i, int value) {
  At(i);
  Page& page = Load(i / P);
  page.values[i % P] = value;
  page.dirty = true;
}

void cls_PagedArrayInt::Append(int value) {
  const int index = m_length / P;
  Page& page = m_length % P == 0 ? m_pages[index] : Load(index);
  page.values.push_back(value);
  page.dirty = true;
  page.used = ++m_clock;
  if (++m_length % P == 0) WriteFullPages();
}

cow_List<int> cls_PagedArrayInt::Values() const {
  cow_List<int> values;
  std::vector<int> read;
  for (int page = 0; page * P < m_length; ++page) {
    auto it = m_pages.find(page);
    const std::vector<int>* held = it != m_pages.end() ? &it->second.values : nullptr;
    if (!held) Fill(page, read);
    for (int v : held ? *held : read) values.Append(v);
  }
  return values;
}

void cls_PagedArrayInt::Keep(std::initializer_list<std::pair<int, int>> ranges) {
  m_kept.clear();
  for (const auto& [first, count] : ranges)
    if (first >= 0 && count > 0) m_kept.emplace_back(first / P, (first + count - 1) / P);
}

bool cls_PagedArrayInt::Kept(int page) const {
  if (page == (m_length - 1) / P) return true;
  for (const auto& range : m_kept)
    if (page >= range.first && page <= range.second) return true;
  return false;
}

cls_PagedArrayInt::Page& cls_PagedArrayInt::Load(int index) const {
  auto it = m_pages.find(index);
  if (it == m_pages.end()) {
    Page page;
    Fill(index, page.values);
    it = m_pages.emplace(index, std::move(page)).first;
  }
  it->second.used = ++m_clock;
  Trim();
  return it->second;
}

// A page may hold more values than the stored length needs (a full page written ahead of the
// array's own write); a page holding fewer is damage.
void cls_PagedArrayInt::Fill(int page, std::vector<int>& values) const {
  const int needed = std::min(P, m_length - page * P);
  if (!m_store || !m_paged)
    DDB_THROW(nex_PrimException, "cls_PagedArrayInt: page %d is not in memory", page);
  rom_detail::ReadScope snapshot(*m_store);
  const std::string what =
      "page " + std::to_string(page) + " of array " + std::to_string(m_uid.Value());
  if (!m_store->ReadArrayPage(m_uid.Value(), page, values)) m_store->Damaged(what + " is missing");
  if (static_cast<int>(values.size()) < needed)
    m_store->Damaged(what + " holds " + std::to_string(values.size()) + " values where " +
                     std::to_string(needed) + " belong");
  values.resize(needed);
}

// Drops the least recently used pages that are neither kept nor changed.
void cls_PagedArrayInt::Trim() const {
  if (!m_paged) return;
  for (;;) {
    int spare = 0;
    auto oldest = m_pages.end();
    for (auto it = m_pages.begin(); it != m_pages.end(); ++it) {
      if (it->second.dirty || Kept(it->first)) continue;
      ++spare;
      if (oldest == m_pages.end() || it->second.used < oldest->second.used) oldest = it;
    }
    if (spare <= kCachedPages) return;
    m_pages.erase(oldest);
  }
}

void cls_PagedArrayInt::LoadAll() const {
  for (int page = 0; page * P < m_length; ++page)
    if (!m_pages.count(page)) Fill(page, m_pages[page].values);
}

void cls_PagedArrayInt::WritePages(bool all) const {
  rom_detail::Store& store = *m_store;
  for (const auto& [index, page] : m_pages)
    if (all || page.dirty) store.WriteArrayPage(m_uid.Value(), index, page.values);
  std::int32_t head[2] = {P, m_length};
  std::string bytes(sizeof head, '\0');
  std::memcpy(&bytes[0], head, sizeof head);
  store.WriteArray(m_uid.Value(), rom_detail::Store::kIntPages, m_length, bytes);
}

// Pages that filled up and hold no kept value never change again: they are stored at once
// when no transaction is open, and dropped. A failed write leaves them for the array's own.
void cls_PagedArrayInt::WriteFullPages() {
  if (!m_paged || !m_store || m_store->ReadOnly() || m_store->Depth() > 0) return;
  std::vector<std::map<int, Page>::iterator> full;
  for (auto it = m_pages.begin(); it != m_pages.end(); ++it)
    if (it->second.dirty && static_cast<int>(it->second.values.size()) == P && !Kept(it->first))
      full.push_back(it);
  if (full.empty()) return;
  m_store->BeginScope();
  try {
    for (auto it : full) m_store->WriteArrayPage(m_uid.Value(), it->first, it->second.values);
  } catch (const nex_Exception&) {
    m_store->EndScope(false);
    return;
  }
  try {
    m_store->EndScope(true);
  } catch (const nex_Exception&) {
    return;
  }
  for (auto it : full) it->second.dirty = false;
  Trim();
}

void cls_PagedArrayInt::DBWrite(const cls_WriteVisitor& writer) const {
  if (!writer.StartWrite(cls_PrimArrayTypeId, m_uid)) return;
  std::shared_ptr<rom_detail::Store> store = writer.StoreRef();
  // An array moving to another file, or from pages to whole, takes every page along.
  const bool all = !m_paged || m_store != store;
  if (all && m_paged) LoadAll();
  if (!store->StoresPages()) {
    std::string bytes;
    cls_ArrayCodec::Encode(Values(), bytes);
    writer.WriteArray(cls_CollInts, m_length, bytes);
    m_store = std::move(store);
    m_paged = false;
    return;
  }
  m_store = std::move(store);
  m_paged = true;
  WritePages(all);
}

void cls_PagedArrayInt::Flush() const {
  if (!m_store) return;
  if (!m_paged) {
    std::string bytes;
    cls_ArrayCodec::Encode(Values(), bytes);
    cls_ArrayCodec::Rewrite(*m_store, m_uid, cls_CollInts, m_length, bytes);
    return;
  }
  const bool own = m_store->Depth() == 0;
  m_store->BeginScope();
  try {
    WritePages(false);
  } catch (...) {
    m_store->EndScope(false);
    throw;
  }
  m_store->EndScope(true);
  if (!own) return;
  for (auto& entry : m_pages) entry.second.dirty = false;
  Trim();
}
