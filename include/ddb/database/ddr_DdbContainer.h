// ddr_DdbContainer: open database records keyed by persistent name (UTF-8), in plain byte
// order of the names; ddr_DdbContainerIT walks it in that order.
//
// The container owns its records through shared copy-on-write handles: Insert stores a copy or
// adopts the given object, replacing a record under the same name; Remove destroys the record
// (and, with its last copy, its transporter). Every name argument is converted from the locale
// encoding first when mode is Locale, and names handed out are converted back. Get/ConstGet of
// an absent name raise nex_CmdException ("No ddb file by specified persistent name in
// container: '%s'"). Not thread-safe.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ddb/database/ddr_Ddb.h"
#include "ddb/platform/ZunBasStringMode.h"
#include "ddb/platform/cow_COW.h"
#include "ddb/platform/cow_String.h"

class ddr_DdbContainer {
 public:
  struct PlainLess {
    bool operator()(const cow_String& a, const cow_String& b) const { return a.str() < b.str(); }
  };
  using Handle = cow_COW<ddr_Ddb, cow_Virtual<ddr_Ddb>>;
  using Map = std::map<cow_String, Handle, PlainLess>;

  ddr_DdbContainer() = default;
  ddr_DdbContainer(const ddr_DdbContainer&) = default;
  ddr_DdbContainer& operator=(const ddr_DdbContainer&) = default;
  virtual ~ddr_DdbContainer() = default;

  void Insert(const cow_String& name, const ddr_Ddb& ddb, ZunBasStringMode mode);
  void Insert(const cow_String& name, ddr_Ddb* ddb, ZunBasStringMode mode);
  bool Remove(const cow_String& name, ZunBasStringMode mode);
  bool IsMember(const cow_String& name, ZunBasStringMode mode) const;
  ddr_Ddb& Get(const cow_String& name, ZunBasStringMode mode);
  const ddr_Ddb& ConstGet(const cow_String& name, ZunBasStringMode mode) const;
  std::vector<cow_String> Keys(ZunBasStringMode mode) const;
  int Length() const { return static_cast<int>(m_records.size()); }
  void Clear() { m_records.clear(); }

  const Map& Records() const { return m_records; }

 protected:
  static cow_String In(const cow_String& name, ZunBasStringMode mode);
  static cow_String Out(const cow_String& name, ZunBasStringMode mode);

 private:
  Map m_records;
};

class ddr_DdbContainerIT {
 public:
  explicit ddr_DdbContainerIT(const ddr_DdbContainer& container)
      : m_it(container.Records().begin()), m_end(container.Records().end()) {}
  bool IsDone() const { return m_it == m_end; }
  void Next() { ++m_it; }
  cow_String CurrentKey(ZunBasStringMode mode) const;
  const ddr_Ddb& CurrentValue() const { return m_it->second.ConstGet(); }

 private:
  ddr_DdbContainer::Map::const_iterator m_it, m_end;
};
