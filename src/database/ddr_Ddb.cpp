#include "ddb/database/ddr_Ddb.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "ddb/database/ddr_Root.h"
#include "ddb/platform/ZunBasI18n.h"
#include "ddb/platform/cow_COW.h"
#include "ddb/platform/nex_Exception.h"
#include "ddb/platform/rfm_File.h"

namespace {

const cls_FieldHandle kModels("models", 0);
const cls_FieldHandle kResults("results", 1);
const cls_FieldHandle kUserData("userData", 2);
const cls_FieldHandle kDiagnosticData("diagnosticData", 3);
const cls_FieldHandle kName("name", 4);
const cls_FieldHandle kModifyTime("modifyTime", 5);
const cls_FieldHandle kCreationTime("creationTime", 6);
const cls_FieldHandle kAnalysisVersion("analysisVersion", 7);
const cls_FieldHandle kSequenceData("sequenceData", 8);
const cls_FieldHandle kOnlyUserDefined("onlyHasUserDefinedData", 9);
const cls_FieldHandle kDescription("description", 10);
const cls_FieldHandle kDdbVersion("ddbVersion", 11);
const cls_FieldHandle kProductAddOns("productAddOns", 12);
const cls_FieldHandle kCustomData("customData", 13);

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

template <class Member>
void ReadMember(const cls_ReadVisitor& reader, const cls_FieldHandle& field, Member& member) {
  Member stored{cls_ReadVisitor(reader, field)};
  member = stored;
}

template <class Member>
void WriteMember(const cls_WriteVisitor& writer, const cls_FieldHandle& field,
                 const Member& member) {
  member.DBWrite(cls_WriteVisitor(writer, field, nullptr, nullptr));
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
  using Handle = cow_COW<ddr_Ddb, cow_Virtual<ddr_Ddb>>;
  Handle::Destroy(static_cast<Handle*>(handle));
}

void ddr_Ddb::InitializeMetadata(cls_ClassRegistrar& registrar) {
  registrar.CreateClassMD("ddr_Ddb", TypeId(), 1307, &Ctor, cls_NoBaseTypeId)
      .AddDtor(&CowDtor)
      .AddAttribute(kModels, cls_AttrObject, ddr_Model::TypeId(), cls_CollMap)
      .AddAttribute(kResults, cls_AttrObject, cls_ObjListTypeId, cls_CollMap)
      .AddAttribute(kUserData, cls_AttrObject, cls_ObjListTypeId, cls_CollMap)
      .AddAttribute(kDiagnosticData, cls_AttrObject, cls_ObjListTypeId, cls_CollList)
      .AddAttribute(kName, cls_AttrString, 1, cls_CollNone)
      .AddAttribute(kModifyTime, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kCreationTime, cls_AttrInt, 1, cls_CollNone)
      .AddAttribute(kAnalysisVersion, cls_AttrString, 1, cls_CollNone)
      .AddAttribute(kSequenceData, cls_AttrString, 1, cls_CollNone)
      .AddAttribute(kOnlyUserDefined, cls_AttrBool, 1, cls_CollNone)
      .AddAttribute(kDescription, cls_AttrString, 1, cls_CollNone)
      .AddAttribute(kDdbVersion, cls_AttrInt, 1, cls_CollNone)
      .AddTableExtentQuantum(cls_ExtQuant::Instance().ExtentQuantumConstSmall())
      .AddAttribute(kProductAddOns, cls_AttrObject, cls_PrimArrayTypeId, cls_CollList)
      .AddAttribute(kCustomData, cls_AttrObject, cls_ObjListTypeId, cls_CollMap);
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

ddr_Ddb::ddr_Ddb(const cls_ReadVisitor& reader)
    : m_diagnosticData(cls_ReadVisitor(reader, kDiagnosticData)),
      m_name(reader.ReadString(kName, cow_String())),
      m_modifyTime(reader.ReadInt(kModifyTime, 0)),
      m_creationTime(reader.ReadInt(kCreationTime, 0)),
      m_analysisVersion(reader.ReadString(kAnalysisVersion, cow_String())),
      m_ddbVersion(reader.ReadInt(kDdbVersion, 0)),
      m_updateTime(true),
      m_uid(reader.GetUid()) {
  m_sequenceData = reader.ReadString(kSequenceData, cow_String());
  m_onlyHasUserDefinedData = reader.ReadBool(kOnlyUserDefined, false);
  m_description = reader.ReadString(kDescription, cow_String());
  m_fileName = reader.DbId();
  ReadMember(reader, kModels, m_models);
  ReadMember(reader, kResults, m_results);
  ReadMember(reader, kUserData, m_userData);
  if (reader.DataIsPresent(cls_FieldHandle("productAddOns#OID")))
    ReadMember(reader, kProductAddOns, m_productAddOns);
  ReadMember(reader, kCustomData, m_customData);
  if (m_analysisVersion.empty()) m_analysisVersion = "Unknown Version";
  m_name = NormaliseName(m_name);
}

void ddr_Ddb::DBWrite(const cls_WriteVisitor& writer) const {
  if (m_updateTime) m_modifyTime = Now();
  if (!writer.StartWrite(TypeId(), m_uid)) return;
  WriteMember(writer, kModels, m_models);
  WriteMember(writer, kResults, m_results);
  WriteMember(writer, kUserData, m_userData);
  WriteMember(writer, kDiagnosticData, m_diagnosticData);
  rom_MementoWrite& memento = writer.Memento();
  memento.WriteString(kName, MarkName(m_name));
  memento.WriteInt(kModifyTime, m_modifyTime);
  memento.WriteInt(kCreationTime, m_creationTime);
  memento.WriteString(kAnalysisVersion, m_analysisVersion);
  memento.WriteString(kSequenceData, m_sequenceData);
  memento.WriteBool(kOnlyUserDefined, m_onlyHasUserDefinedData);
  if (writer.FieldIsPresent(kDescription)) memento.WriteString(kDescription, m_description);
  if (writer.FieldIsPresent(kDdbVersion)) memento.WriteInt(kDdbVersion, m_ddbVersion);
  WriteMember(writer, kProductAddOns, m_productAddOns);
  WriteMember(writer, kCustomData, m_customData);
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
