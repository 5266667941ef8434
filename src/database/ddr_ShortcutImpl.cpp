#include "ddb/database/ddr_ShortcutImpl.h"

#include <cstdio>
#include <regex>
#include <string>

#include "ddb/database/ddr_Root.h"
#include "ddb/platform/ZunBasUtlVersion.h"
#include "ddb/platform/cow_COW.h"
#include "ddb/platform/nex_Exception.h"
#include "platform/persist/Store.h"

namespace {

const char kContainerStart[] = "ddbCont[";
const char kDefaultUserData[] = "userData['default userData']";
const std::size_t kUserDataWord = 8;  // "userData"

// The regular-expression service: its failures are the suite's primary exception. The rest
// starts with the "." that follows the database part; it is empty for a path that names the
// database itself, so that its script path ends with the call that opens the file.
std::string RestAfterDatabase(const std::string& path) {
  try {
    static const std::regex pattern(R"(ddbCont\[\'(.*?)\'\](\..*?)$)");
    std::smatch match;
    std::regex_search(path, match, pattern);
    return match[2].str();
  } catch (const std::regex_error& e) {
    DDB_THROW(nex_PrimException, "%s", e.what());
  }
}

}  // namespace

cow_String ddr_ShortcutBaseImpl::PythonPath() const {
  cow_String path = Path();
  const ZunBasUtlVersion& version = ZunBasUtlVersion::Instance();
  bool session = version.IsProductOrvel() || version.IsProductLumet();
  cow_String fileName =
      ddr_Root::Instance().GetFileName(DdbName(ZunBasStringMode::UTF8), ZunBasStringMode::UTF8);
  return ScriptPath(path, fileName, session);
}

cow_String ddr_ShortcutBaseImpl::DdbName(ZunBasStringMode) const {
  return cow_String();
}

cow_String ddr_ShortcutBaseImpl::ScriptPath(const cow_String& path, const cow_String& fileName,
                                            bool session) {
  if (path.str().find(kContainerStart) != 0) return path;
  std::string rest;
  try {
    rest = RestAfterDatabase(path.str());
    std::size_t at = rest.find(kDefaultUserData);
    if (at != std::string::npos)
      rest.erase(at + kUserDataWord, sizeof kDefaultUserData - 1 - kUserDataWord);
  } catch (const nex_PrimException& e) {
    std::fprintf(stderr, "ERROR ddr_ShortcutBaseImpl::PythonPath() %s\n", e.what());
    throw;
  }
  std::string script = session ? "session." : "";
  script += "openDdb(r'" + fileName.str() + "')" + rest;
  return cow_String(std::move(script));
}

void ddr_ShortcutBaseImpl::CowDtor(void* handle) {
  using Handle = cow_COW<omu_ShortcutImpl, cow_Virtual<omu_ShortcutImpl>>;
  Handle::Destroy(static_cast<Handle*>(handle));
}

void* ddr_ShortcutBaseImpl::NullCtor(cls_ReadVisitor&) {
  return nullptr;
}

omu_ShortcutImpl* ddr_ShortcutBaseImpl::ReadElement(const cls_ReadVisitor& reader) {
  if (!reader.HasStore() || reader.StoredTypeId() == 0 || reader.Oid() == 0) return nullptr;
  const cls_ClassMetadata* md = reader.StoreRef()->Registrar().Find(reader.StoredTypeId());
  if (!md || !md->Ctor())
    DDB_THROW(nex_PrimException, "'%s': no reader is registered for class %d", reader.DbId(),
              static_cast<long>(reader.StoredTypeId()));
  cls_ReadVisitor element(reader.StoreRef(), reader.StoredTypeId(), reader.Oid());
  void* object = md->Ctor()(element);
  if (!object)
    DDB_THROW(nex_PrimException, "'%s': object %d of class %s could not be created", reader.DbId(),
              static_cast<long long>(reader.Oid()), md->Name());
  return static_cast<omu_ShortcutImpl*>(object);
}

void ddr_ShortcutBaseImpl::ThrowEmpty() {
  DDB_THROW(nex_PrimException, "ddr_Shortcut: the shortcut names nothing");
}

void ddr_ShortcutBaseImpl::ThrowMissingKey(const cow_String& key) {
  DDB_THROW(nex_CmdException, "%s", key);
}

void ddr_ShortcutBaseImpl::ThrowWrongElement(std::uint32_t stored, std::uint32_t expected) {
  DDB_THROW(nex_PrimException, "ddr_Shortcut: stored element of class %d where %d was expected",
            static_cast<long>(stored), static_cast<long>(expected));
}
