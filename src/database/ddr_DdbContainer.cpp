#include "ddb/database/ddr_DdbContainer.h"

#include "ddb/platform/nex_Exception.h"
#include "platform/ZunBasI18n.h"

namespace {
[[noreturn]] void ThrowNotOpen(const cow_String& name) {
  DDB_THROW(nex_CmdException, "No ddb file by specified persistent name in container: '%s'", name);
}
}  // namespace

cow_String ddr_DdbContainer::In(const cow_String& name, ZunBasStringMode mode) {
  return mode == ZunBasStringMode::Locale ? ZunBasI18n::ToUTF8(name) : name;
}

cow_String ddr_DdbContainer::Out(const cow_String& name, ZunBasStringMode mode) {
  return mode == ZunBasStringMode::Locale ? ZunBasI18n::ToLocale(name) : name;
}

void ddr_DdbContainer::Insert(const cow_String& name, const ddr_Ddb& ddb, ZunBasStringMode mode) {
  m_records[In(name, mode)] = Handle(ddb.Copy());
}

void ddr_DdbContainer::Insert(const cow_String& name, ddr_Ddb* ddb, ZunBasStringMode mode) {
  m_records[In(name, mode)] = Handle(ddb);
}

bool ddr_DdbContainer::Remove(const cow_String& name, ZunBasStringMode mode) {
  return m_records.erase(In(name, mode)) != 0;
}

bool ddr_DdbContainer::IsMember(const cow_String& name, ZunBasStringMode mode) const {
  return m_records.count(In(name, mode)) != 0;
}

ddr_Ddb& ddr_DdbContainer::Get(const cow_String& name, ZunBasStringMode mode) {
  cow_String key = In(name, mode);
  auto it = m_records.find(key);
  if (it == m_records.end()) ThrowNotOpen(key);
  return it->second.Get();
}

const ddr_Ddb& ddr_DdbContainer::ConstGet(const cow_String& name, ZunBasStringMode mode) const {
  cow_String key = In(name, mode);
  auto it = m_records.find(key);
  if (it == m_records.end()) ThrowNotOpen(key);
  return it->second.ConstGet();
}

std::vector<cow_String> ddr_DdbContainer::Keys(ZunBasStringMode mode) const {
  std::vector<cow_String> keys;
  for (const auto& record : m_records) keys.push_back(Out(record.first, mode));
  return keys;
}

cow_String ddr_DdbContainerIT::CurrentKey(ZunBasStringMode mode) const {
  return mode == ZunBasStringMode::Locale ? ZunBasI18n::ToLocale(m_it->first) : m_it->first;
}
