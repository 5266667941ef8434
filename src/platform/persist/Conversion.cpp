#include "platform/persist/Conversion.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <mutex>
#include <string>

#include "platform/persist/Store.h"

namespace rom_detail {

namespace {

std::vector<dbc_ConversionFn> Collect(std::uint32_t typeId, int storedVersion) {
  cls_ClassRegistrar stored;
  cls_ClassRegistrar current;
  dbc_DatabaseConverter converter(stored, current);
  for (const dbc_OldClassHandle& handle : dbc_OldClassRegistrar::Instance().Versions()) {
    auto& version = const_cast<dbc_OldClassVersion&>(handle.ConstGet());
    cls_ClassRegistrar declared;
    version.InitializeMetadata(declared);
    const cls_ClassMetadata* md = declared.Find(typeId);
    if (md && md->Version() >= storedVersion) version.SchemaChanges(converter);
  }
  std::vector<const dbc_ClassConverter*> bound;
  for (const auto& level : converter.Converters())
    for (const auto& c : level.second.ClassConverters())
      if (c->TypeId() == typeId && c->FromVersion() >= storedVersion && c->RowFunction())
        bound.push_back(c.get());
  std::stable_sort(bound.begin(), bound.end(),
                   [](auto* a, auto* b) { return a->FromVersion() < b->FromVersion(); });
  std::vector<dbc_ConversionFn> functions;
  for (const dbc_ClassConverter* c : bound) functions.push_back(c->RowFunction());
  return functions;
}

}  // namespace

std::string AsText(const Value& v) {
  switch (v.kind) {
    case Value::Int:
      return std::to_string(v.i);
    case Value::Real: {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%.17g", v.d);
      return buffer;
    }
    case Value::Text:
      return v.s;
    default:
      return std::string();
  }
}

const std::vector<dbc_ConversionFn>& ConversionsFor(std::uint32_t typeId, int storedVersion) {
  static auto& mutex = *new std::mutex;
  static auto& cache = *new std::map<std::pair<std::uint32_t, int>, std::vector<dbc_ConversionFn>>;
  std::lock_guard<std::mutex> guard(mutex);
  auto key = std::make_pair(typeId, storedVersion);
  auto it = cache.find(key);
  if (it == cache.end()) it = cache.emplace(key, Collect(typeId, storedVersion)).first;
  return it->second;
}

void ApplyConversions(const std::vector<dbc_ConversionFn>& conversions, LoadedRow& row) {
  const ClassTable& table = *row.table;
  dbc_Row current;
  for (std::size_t c = 2; c < table.columns.size(); ++c)
    if (row.values[c].kind != Value::Null) current.SetText(table.columns[c], AsText(row.values[c]));
  for (dbc_ConversionFn fn : conversions) {
    dbc_Row next = current;
    fn(current, next, 0);
    current = std::move(next);
  }
  for (const auto& field : current.Fields()) {
    int c = table.Column(field.first);
    Value* target = c >= 2 ? &row.values[c] : c < 0 ? &row.added[field.first] : nullptr;
    if (!target || (target->kind != Value::Null && AsText(*target) == field.second)) continue;
    // An enumeration text that no conversion knows reads as the enumeration's first value.
    const cls_Attribute* declared = c >= 2 ? table.FieldAt(c) : nullptr;
    const bool unknownEnum =
        field.second.empty() && declared && declared->attributeType == cls_AttrEnum;
    target->kind = unknownEnum ? Value::Null : Value::Text;
    target->s = field.second;
  }
}

}  // namespace rom_detail
