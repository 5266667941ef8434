#include "ddb/database/ddr_Ddb.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "ddb/database/ddr_Root.h"
#include "ddb/frame/ZunRomDdr.h"
#include "ddb/platform/cow_COW.h"
#include "ddb/platform/nex_Exception.h"
#include "ddb/platform/rfm_File.h"
#include "frame/cls_Layout.h"
#include "platform/ZunBasI18n.h"

using namespace cls_kind;

// The name is stored with the "[UTF8]" mark when it holds non-ASCII bytes; files of releases
// that wrote neither description nor version keep their tables as they are; the product add-ons
// are read only when the row refers to some.
template <>
struct cls_LayoutOf<ddr_Ddb> : cls_LayoutRows<ddr_Ddb> {
  static void ReadName(const cls_ReadVisitor& r, const cls_FieldHandle& f, T& o) {
    o.m_name = T::NormaliseName(r.ReadString(f, cow_String()));
  }
  static void WriteName(const cls_WriteVisitor& w, const cls_FieldHandle& f, const T& o) {
    w.Memento().WriteString(f, T::MarkName(o.m_name));
  }
  static void ReadAddOns(const cls_ReadVisitor& r, const cls_FieldHandle& f, T& o) {
    if (r.DataIsPresent(cls_FieldHandle("productAddOns#OID")))
      At<&T::m_productAddOns>.read(r, f, o);
  }

  static constexpr Row kRows[] = {
      {"models", MapOf(ddr_TypeId_Model), At<&T::m_models>},
      {"results", kObjectMap, At<&T::m_results>},
      {"userData", kObjectMap, At<&T::m_userData>},
      {"diagnosticData", kObjectList, At<&T::m_diagnosticData>},
      {"name", kString, {&ReadName, &WriteName}},
      {"modifyTime", kInt, At<&T::m_modifyTime>},
      {"creationTime", kInt, At<&T::m_creationTime>},
      {"analysisVersion", kString, At<&T::m_analysisVersion>},
      {"sequenceData", kString, At<&T::m_sequenceData>},
      {"onlyHasUserDefinedData", kBool, At<&T::m_onlyHasUserDefinedData>},
      {"description", kString, IfDeclared<&T::m_description>},
      {"ddbVersion", kInt, IfDeclared<&T::m_ddbVersion>},
      {"productAddOns", kEmbeddedList, {&ReadAddOns, At<&T::m_productAddOns>.write}},
      {"customData", kObjectMap, At<&T::m_customData>},
  };
  static constexpr cls_Layout<T> kLayout{"ddr_Ddb", ddr_TypeId_Ddb,    1307, &T::m_uid, kRows,
                                         {},        cls_Extent::kSmall};
};

CLS_DEFINE_TYPE_ID(ddr_Ddb)

static constexpr const auto& kLayout = cls_LayoutOf<ddr_Ddb>::kLayout;

namespace {

const char kUtf8Marker[] = "[UTF8]";
const char kDateFormat[] = "%a %b %d %H:%M:%S <zone> %Y";
const std::size_t kMaxSizeDate = 80;

std::int32_t Now() {
  return static_cast<std::int32_t>(std::time(nullptr));
}

bool HasHighByte(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0x80) return true;
  return false;
}

// The zone as its name when that is plain single-byte text, else as an offset from Greenwich.
std::string ZoneText(const std::tm& local) {
  char zone[kMaxSizeDate];
  std::size_t length = std::strftime(zone, sizeof zone, "%Z", &local);
  bool plain = length > 0;
  std::mblen(nullptr, 0);
  for (std::size_t i = 0; plain && i < length; ++i)
    plain = static_cast<unsigned char>(zone[i]) <= 127 && std::mblen(zone + i, length - i) == 1;
  if (plain) return std::string(zone, length);
  long minutes = timezone / 60;
  if (local.tm_isdst == 1) minutes -= 60;
  while (minutes < 0) minutes += 1440;
  char sign = '-';
  if (minutes > 720) {
    sign = '+';
    minutes = 1440 - minutes;
  }
  char text[kMaxSizeDate];
  std::snprintf(text, sizeof text, "GMT%c%02d:%02d", sign, static_cast<int>(minutes / 60),
                static_cast<int>(minutes % 60));
  return text;
}

}  // namespace

void* ddr_Ddb::Ctor(cls_ReadVisitor& reader) {
  return new ddr_Ddb(reader);
}

void ddr_Ddb::CowDtor(void* handle) {
  cls_DestroyHandle<ddr_Ddb, cow_Virtual<ddr_Ddb>>(handle);
}

void ddr_Ddb::InitializeMetadata(cls_ClassRegistrar& registrar) {
  kLayout.Declare(registrar, &Ctor, &CowDtor);
}

ddr_Ddb::ddr_Ddb(const cow_String& name, const cow_String& fileName, const cow_String& description,
                 ZunBasStringMode mode)
    : m_name(name),
      m_fileName(mode == ZunBasStringMode::Locale ? ZunBasI18n::ToUTF8(fileName) : fileName),
      m_modifyTime(Now()),
      m_creationTime(Now()),
      m_description(description),
      m_uid(cls_Uid::AllocateUid()) {
  m_diagnosticData.Append(dia_DiagnosticData());
}

ddr_Ddb::ddr_Ddb(const cls_ReadVisitor& reader) : m_fileName(reader.DbId()) {
  kLayout.Read(reader, *this);
  if (m_analysisVersion.empty()) m_analysisVersion = "Unknown Version";
}

void ddr_Ddb::DBWrite(const cls_WriteVisitor& writer) const {
  if (m_updateTime) m_modifyTime = Now();
  kLayout.Write(writer, *this);
}

void ddr_Ddb::SetModels(const ddr_ModelMap& models) {
  m_models = models;
  for (const cow_String& key : m_models.Keys()) m_models.Get(key).SetFileName(m_fileName);
}

dia_DiagnosticData& ddr_Ddb::GetDiagnosticData() {
  if (m_diagnosticData.Length() == 0) DDB_THROW(nex_CmdException, "No diagnostic data available");
  return m_diagnosticData.Get(0);
}

const dia_DiagnosticData& ddr_Ddb::ConstGetDiagnosticData() const {
  if (m_diagnosticData.Length() == 0) DDB_THROW(nex_CmdException, "No diagnostic data available");
  return m_diagnosticData.ConstGet(0);
}

const cow_String& ddr_Ddb::FileName(ZunBasStringMode mode) const {
  m_fileNameResult =
      mode == ZunBasStringMode::Locale ? ZunBasI18n::ToLocale(m_fileName) : m_fileName;
  return m_fileNameResult;
}

const cow_String& ddr_Ddb::CreateTime() const {
  if (m_creationTimeText.empty()) m_creationTimeText = DateText(m_creationTime);
  return m_creationTimeText;
}

const cow_String& ddr_Ddb::ModifyTime() const {
  if (m_modifyTimeText.empty()) m_modifyTimeText = DateText(m_modifyTime);
  return m_modifyTimeText;
}

bool ddr_Ddb::checkUpwardsCompatibility() const {
  return m_ddbVersion <= kCreatedDdbVersion;
}

bool ddr_Ddb::checkWriteCompatibility() const {
  return m_transporter && m_transporter->GetUpToDateStatus() == 0;
}

cow_String ddr_Ddb::MarkName(const cow_String& name) {
  return HasHighByte(name.str()) ? cow_String(kUtf8Marker) + name : name;
}

cow_String ddr_Ddb::NormaliseName(const cow_String& stored) {
  const std::string& text = stored.str();
  if (text.empty() || !HasHighByte(text)) return stored;
  if (text.rfind(kUtf8Marker, 0) == 0) return cow_String(text.substr(sizeof kUtf8Marker - 1));
  std::string escaped;
  escaped.reserve(text.size() + 16);
  for (unsigned char c : text) {
    if (c < 0x80) {
      escaped += static_cast<char>(c);
      continue;
    }
    char hex[4];
    std::snprintf(hex, sizeof hex, "=%02x", c);
    escaped += hex;
  }
  return cow_String(std::move(escaped));
}

cow_String ddr_Ddb::DateText(std::int32_t time) {
  std::time_t t = static_cast<std::time_t>(time);
  tzset();
  std::tm local{};
  localtime_r(&t, &local);
  char date[kMaxSizeDate];
  if (std::strftime(date, kMaxSizeDate, kDateFormat, &local) == 0)
    DDB_THROW(nex_PrimException, "%s",
              "strftime(date,maxSizeDate,\"%a %b %d %H:%M:%S <zone> %Y\", localtime(&t))");
  std::string text(date);
  std::size_t at = text.find("<zone>");
  if (at != std::string::npos) text.replace(at, 6, ZoneText(local));
  if (text.size() > kMaxSizeDate) text.resize(kMaxSizeDate);
  return cow_String(std::move(text));
}

ddr_DdbTimeStamp::ddr_DdbTimeStamp() : m_value(++counter()) {}

std::uint32_t& ddr_DdbTimeStamp::counter() {
  static std::uint32_t value = 0;
  return value;
}
