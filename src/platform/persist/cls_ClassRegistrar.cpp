#include "ddb/platform/cls_ClassRegistrar.h"

#include <algorithm>

#include "ddb/platform/nex_Exception.h"
#include "ddb/platform/omu_Primitive.h"

cls_ClassMetadata::cls_ClassMetadata(cow_String name, std::uint32_t typeId, int version,
                                     cls_CtorFn ctor, std::uint32_t baseTypeId)
    : m_name(std::move(name)),
      m_typeId(typeId),
      m_version(version),
      m_ctor(ctor),
      m_baseTypeId(baseTypeId) {}

cls_ClassMetadata& cls_ClassMetadata::AddDtor(cls_DtorFn dtor) {
  m_dtor = dtor;
  return *this;
}

cls_ClassMetadata& cls_ClassMetadata::AddAttribute(const cls_FieldHandle& handle, int attributeType,
                                                   std::uint32_t typeId, int collectionType) {
  if (FindAttribute(handle.Name()) >= 0)
    DDB_THROW(nex_PrimException, "class %s declares the field '%s' twice", m_name, handle.Name());
  m_attributes.push_back({handle.Name(), attributeType, typeId, collectionType});
  return *this;
}

cls_ClassMetadata& cls_ClassMetadata::AddTableExtentQuantum(int quantum) {
  m_extentQuantum = quantum;
  return *this;
}

int cls_ClassMetadata::FindAttribute(const std::string& name) const {
  for (std::size_t i = 0; i < m_attributes.size(); ++i)
    if (m_attributes[i].name == name) return static_cast<int>(i);
  return -1;
}

cls_ClassMetadata& cls_ClassRegistrar::CreateClassMD(const cow_String& name, std::uint32_t typeId,
                                                     int version, cls_CtorFn ctor,
                                                     std::uint32_t baseTypeId) {
  auto md = std::make_unique<cls_ClassMetadata>(name, typeId, version, ctor, baseTypeId);
  cls_ClassMetadata& ref = *md;
  m_classes[typeId] = std::move(md);
  return ref;
}

void cls_ClassRegistrar::AddClassMD(std::unique_ptr<cls_ClassMetadata> metadata) {
  std::uint32_t id = metadata->TypeId();
  m_classes[id] = std::move(metadata);
}

void cls_ClassRegistrar::DeleteClass(const cow_String& name, std::uint32_t typeId) {
  auto it = m_classes.find(typeId);
  if (it != m_classes.end() && it->second->Name() == name) m_classes.erase(it);
}

const cls_ClassMetadata* cls_ClassRegistrar::Find(std::uint32_t typeId) const {
  auto it = m_classes.find(typeId);
  return it == m_classes.end() ? nullptr : it->second.get();
}

const cls_ClassMetadata* cls_ClassRegistrar::FindByName(const std::string& name) const {
  for (const auto& entry : m_classes)
    if (entry.second->Name() == name) return entry.second.get();
  return nullptr;
}

const cls_ClassMetadata& cls_ClassRegistrar::Get(std::uint32_t typeId) const {
  const cls_ClassMetadata* md = Find(typeId);
  if (!md)
    DDB_THROW(nex_PrimException, "no class is registered with type id %d",
              static_cast<long>(typeId));
  return *md;
}

std::vector<const cls_ClassMetadata*> cls_ClassRegistrar::Classes() const {
  std::vector<const cls_ClassMetadata*> out;
  for (const auto& entry : m_classes) out.push_back(entry.second.get());
  return out;
}

cls_MetadataRegistrar::cls_MetadataRegistrar() {
  initClassMetadata(&omu_PrimEnumBase::InitializeMetadata, 4);
}

cls_MetadataRegistrar& cls_MetadataRegistrar::Instance() {
  static auto& instance = *new cls_MetadataRegistrar;
  return instance;
}

void cls_MetadataRegistrar::initClassMetadata(cls_ClassRegistrar::InitFn fn, int) {
  fn(m_registrar);
  if (std::find(m_functions.begin(), m_functions.end(), fn) == m_functions.end())
    m_functions.push_back(fn);
}

std::unique_ptr<cls_ClassRegistrar> cls_MetadataRegistrar::NewClassRegistrar() const {
  auto registrar = std::make_unique<cls_ClassRegistrar>();
  for (cls_ClassRegistrar::InitFn fn : m_functions) fn(*registrar);
  return registrar;
}

cls_ExtQuant& cls_ExtQuant::Instance() {
  thread_local cls_ExtQuant instance;
  return instance;
}
