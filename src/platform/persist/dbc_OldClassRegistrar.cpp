#include "platform/persist/dbc_OldClassRegistrar.h"

#include <typeinfo>

cow_String dbc_Row::GetText(const std::string& field) const {
  auto it = m_fields.find(field);
  return it == m_fields.end() ? cow_String() : cow_String(it->second);
}

dbc_ClassConverter& dbc_Converter::Upgrade(const cow_String& className, std::uint32_t typeId,
                                           int fromVersion) {
  m_converters.push_back(std::make_unique<dbc_ClassConverter>(className, typeId, fromVersion));
  return *m_converters.back();
}

dbc_OldClassRegistrar& dbc_OldClassRegistrar::Instance() {
  static auto& instance = *new dbc_OldClassRegistrar;
  return instance;
}

// A version class is kept once: registering it again (a module started anew in the same
// process) changes nothing.
void dbc_OldClassRegistrar::Register(const dbc_OldClassHandle& version, int) {
  const auto& added = version.ConstGet();
  const std::type_info& type = typeid(added);
  for (const dbc_OldClassHandle& known : m_versions) {
    const auto& stored = known.ConstGet();
    if (typeid(stored) == type) return;
  }
  m_versions.push_back(version);
}
