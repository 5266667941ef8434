// ddr_Ddb: the top record of one ddb file: the database's identity (persistent name, file name,
// creation and modification times, analysis version, description, schema-level version) and
// everything stored with it: models, results, user data, custom data, the add-on list and, as
// element 0 of a one-element persistent list, the job diagnostics record.
//
// A file keeps its record as the last row of the "ddr_Ddb" table; ddr_Root creates, reads and
// writes it. The record owns its collections; its transporter (the channel to the file) is
// shared by copies and deleted with the last of them. Names with bytes of 0x80 or above are
// stored with the prefix "[UTF8]"; a stored name with such bytes and no prefix (written in a
// local code page) reads back with each of them as "=xx". Values, not thread-safe.
#pragma once

#include <cstdint>
#include <memory>

#include "ddb/database/ddr_CustomData.h"
#include "ddb/database/ddr_Model.h"
#include "ddb/database/ddr_ProductAddOnList.h"
#include "ddb/database/ddr_Result.h"
#include "ddb/database/ddr_UserData.h"
#include "ddb/database/mdl_MapString2Obj.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"
#include "ddb/frame/cls_ListObj.h"
#include "ddb/frame/cls_Map2Obj.h"
#include "ddb/platform/ZunBasStringMode.h"
#include "ddb/platform/cls_ClassRegistrar.h"
#include "ddb/platform/cls_ReadVisitor.h"
#include "ddb/platform/cls_Uid.h"
#include "ddb/platform/cls_WriteVisitor.h"
#include "ddb/platform/cow_String.h"
#include "ddb/platform/mem_AllocationOperators.h"
#include "ddb/platform/rom_Transporter.h"

using ddr_ModelMap =
    cls_Map2Obj<cow_String, ddr_Model, cow_ArrayCOW<ddr_Model, cow_Virtual<ddr_Model>>>;
using ddr_ResultMap = mdl_MapString2Obj<ddr_Result>;
using ddr_UserDataMap = mdl_MapString2Obj<ddr_UserData>;
using ddr_CustomDataMap = mdl_MapString2Obj<ddr_CustomData>;
using ddr_DiagnosticDataList = cls_ListObj<dia_DiagnosticData>;

class ddr_Ddb : public mem_AllocationOperators {
 public:
  static constexpr int kCreatedDdbVersion = 1804;

  static std::uint32_t TypeId();
  static void* Ctor(cls_ReadVisitor& reader);
  static void CowDtor(void* handle);
  static void InitializeMetadata(cls_ClassRegistrar& registrar);

  // A new record owning one default job diagnostics record; the file name is converted to
  // UTF-8 when mode is Locale.
  ddr_Ddb(const cow_String& name, const cow_String& fileName, const cow_String& description,
          ZunBasStringMode mode);
  explicit ddr_Ddb(const cls_ReadVisitor& reader);
  ddr_Ddb(const ddr_Ddb&) = default;
  ddr_Ddb& operator=(const ddr_Ddb&) = delete;
  virtual ~ddr_Ddb() = default;

  virtual ddr_Ddb* Copy() const { return new ddr_Ddb(*this); }
  virtual std::uint32_t DynTypeId() const { return TypeId(); }
  void DBWrite(const cls_WriteVisitor& writer) const;

  const cow_String& Name() const { return m_name; }
  ddr_ModelMap& GetModels() { return m_models; }
  const ddr_ModelMap& ConstGetModels() const { return m_models; }
  // Replaces the models and gives each of them this record's file name.
  void SetModels(const ddr_ModelMap& models);
  ddr_ResultMap& GetResults() { return m_results; }
  const ddr_ResultMap& ConstGetResults() const { return m_results; }
  ddr_UserDataMap& GetUserData() { return m_userData; }
  const ddr_UserDataMap& ConstGetUserData() const { return m_userData; }
  ddr_CustomDataMap& GetCustomData() { return m_customData; }
  const ddr_CustomDataMap& ConstGetCustomData() const { return m_customData; }
  ddr_ProductAddOnList& GetProductAddOns() { return m_productAddOns; }
  const ddr_ProductAddOnList& ConstGetProductAddOns() const { return m_productAddOns; }
  // Element 0 of the diagnostics list; raises nex_CmdException ("No diagnostic data
  // available") when the list is empty.
  dia_DiagnosticData& GetDiagnosticData();
  const dia_DiagnosticData& ConstGetDiagnosticData() const;
  int GetNumberOfDiagnosticData() const { return m_diagnosticData.Length(); }

  // The reference is to a member that every call overwrites.
  const cow_String& FileName(ZunBasStringMode mode) const;
  // Date texts ("Thu Jan 01 00:00:00 GMT-00:00 1970"), computed on first use and then kept.
  const cow_String& CreateTime() const;
  const cow_String& ModifyTime() const;
  std::int32_t CreateTimeAsInt() const { return m_creationTime; }
  // A record made for a file that stores none takes the file's creation time.
  void SetCreateTimeAsInt(std::int32_t time) {
    m_creationTime = time;
    m_creationTimeText = cow_String();
  }
  std::int32_t ModifyTimeAsInt() const { return m_modifyTime; }
  void SetUpdateTime(bool on) { m_updateTime = on; }
  bool UpdateTime() const { return m_updateTime; }

  const cow_String& AnalysisVersion() const { return m_analysisVersion; }
  void SetAnalysisVersion(const cow_String& text) { m_analysisVersion = text; }
  const cow_String& SequenceData() const { return m_sequenceData; }
  void SetSequenceData(const cow_String& text) { m_sequenceData = text; }
  const cow_String& Description() const { return m_description; }
  std::int32_t DdbVersion() const { return m_ddbVersion; }
  void SetDdbVersion(std::int32_t version) { m_ddbVersion = version; }
  bool OnlyHasUserDefinedData() const { return m_onlyHasUserDefinedData; }
  void SetOnlyHasUserDefinedData(bool on) { m_onlyHasUserDefinedData = on; }
  cls_Uid Uid() const { return m_uid; }

  // Adopts the transporter (null clears it).
  void SetTransporter(rom_Transporter* transporter) { m_transporter.reset(transporter); }
  rom_Transporter* GetTransporter() const { return m_transporter.get(); }

  // True when the content version is at most 1804.
  bool checkUpwardsCompatibility() const;
  // True when the file's stored classes are up to date with the root's class registrar.
  bool checkWriteCompatibility() const;

  // The stored form of a name: "[UTF8]" + name when it has a byte of 0x80 or above.
  static cow_String MarkName(const cow_String& name);
  // The name as read back from its stored form (see the header comment).
  static cow_String NormaliseName(const cow_String& stored);
  // "%a %b %d %H:%M:%S <zone> %Y" in local time, the zone as its name or as GMT+hh:mm.
  static cow_String DateText(std::int32_t time);

 private:
  template <class>
  friend struct cls_LayoutOf;
  std::shared_ptr<rom_Transporter> m_transporter;
  ddr_ModelMap m_models;
  ddr_ResultMap m_results;
  ddr_UserDataMap m_userData;
  ddr_DiagnosticDataList m_diagnosticData;
  cow_String m_name;
  cow_String m_fileName;
  mutable std::int32_t m_modifyTime = 0;
  std::int32_t m_creationTime = 0;
  mutable cow_String m_modifyTimeText;
  mutable cow_String m_creationTimeText;
  cow_String m_analysisVersion;
  cow_String m_sequenceData;
  cow_String m_description;
  ddr_ProductAddOnList m_productAddOns;
  ddr_CustomDataMap m_customData;
  std::int32_t m_ddbVersion = kCreatedDdbVersion;
  bool m_updateTime = true;
  bool m_onlyHasUserDefinedData = false;
  cls_Uid m_uid;
  mutable cow_String m_fileNameResult;
};

// A process-wide stamp: each new stamp takes the next value of `counter`, the first being 1.
class ddr_DdbTimeStamp {
 public:
  ddr_DdbTimeStamp();
  std::uint32_t Value() const { return m_value; }
  static std::uint32_t& counter();

 private:
  std::uint32_t m_value;
};
