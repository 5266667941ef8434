// Every older layout of every class, from a file of its own: the case's layouts as the older
// release wrote them, in a job whose other records have their current layouts (ddr_Ddb 848
// unless a case names another). The file is walked through the tree read-only (each row taken
// through its row steps as it is read), then upgraded in place, walked again and saved; what the
// steps made of each row is read from the upgraded file. Then: a newer layout refused, and an
// upgrade killed anywhere.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <stdexcept>

#include "OldFileWriter.h"
#include "TestFiles.h"
#include "ddb/database/ddr_Ddb.h"
#include "ddb/database/ddr_Root.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"
#include "ddb/diagnostics/dia_Error.h"
#include "ddb/platform/nex_Exception.h"

using namespace ddb_test;

namespace {

constexpr long long kList = cls_ObjListTypeId, kArray = cls_PrimArrayTypeId;
const ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

// What a row holds in a plain field that its case does not set: a value of the field's own, so
// that a step which drops, moves or swaps values shows. Enumerations and objects stay unset.
std::optional<Cell> Filling(const cls_Attribute& field) {
  const long long n = static_cast<long long>(std::hash<std::string>{}(field.name) % 997) + 2;
  if (field.attributeType == cls_AttrInt) return n;
  if (field.attributeType == cls_AttrBool) return 1LL;
  if (field.attributeType == cls_AttrDouble) return n + 0.5;
  if (field.attributeType == cls_AttrString) return field.name;
  return std::nullopt;
}

// The cell as SQL quotes it.
std::string Quoted(const Cell& cell) {
  if (auto* t = std::get_if<std::string>(&cell)) return "'" + *t + "'";
  std::ostringstream number;
  std::visit([&](const auto& v) { number << v; }, cell);
  return number.str();
}

// The job's records as cells, which a case extends before they are written; every row is
// completed with the filling of the fields it leaves out.
struct Job {
  explicit Job(OldFileWriter& writer) : w(writer) {}
  OldFileWriter& w;
  std::vector<StoredLayout> layouts;
  std::map<std::string, std::set<std::string>> set;  // by class: the fields some case sets
  Cells ddb{{"name", "old job"}}, job, step{{"m_stepName", "Step-1"}}, increment, attempt,
      iteration;

  // A row whose base part, when given, is the row `base`.
  long long Row(const std::string& className, Cells cells, long long base = 0) {
    for (const auto& c : cells) set[className].insert(c.first);
    for (const StoredLayout& l : layouts)
      for (const cls_Attribute& f : l.name == className ? l.fields : std::vector<cls_Attribute>{})
        if (auto value = Filling(f); value && !set[className].count(f.name))
          cells.push_back({f.name, *value});
    if (base) cells.push_back({"##BaseClassOID", base});
    return w.Row(className, cells);
  }
  void List(Cells& owner, const std::string& field, const std::string& className,
            std::vector<long long> oids, long long kind = kList) {
    w.ListIn(owner, field, w.Id(className), oids, kind);
  }
  // A list of one new row of the class in `owner`'s field.
  void One(Cells& owner, const std::string& field, const std::string& className, Cells cells = {}) {
    List(owner, field, className, {Row(className, std::move(cells))});
  }
};

// What the file holds once converted, as "what=value": "table.column" (its values joined by "|",
// NULL for none), "table.column[]" (the stored bytes of its arrays, in hex) or "#table" (its
// number of rows).
using Holdings = std::vector<std::string>;

struct Case {
  std::string layouts;  // "dia_Step 434, dia_Increment 434"; a class without version: current
  std::function<void(Job&)> write;
  Holdings holds;
  std::function<void(const ddr_Ddb&)> read = [](const ddr_Ddb&) {};  // what only a reader makes
};

std::string Holding(const std::string& path, const std::string& what) {
  if (what[0] == '#')  // a table that is not there holds no rows
    return std::to_string(
        std::max(0LL, Query(path, "SELECT COUNT(*) FROM \"" + what.substr(1) + "\"")));
  const std::string table = what.substr(0, what.find('.'));
  const std::string column = what.substr(table.size() + 1);
  if (column.back() == ']')
    return Column(path, "SELECT hex(data) FROM \"##Array\" WHERE oid IN (SELECT \"" +
                            column.substr(0, column.size() - 2) + "#OID\" FROM \"" + table + "\")");
  return Column(path, "SELECT \"" + column + "\" FROM \"" + table + "\"");
}

// The hex of an array's stored bytes.
template <class T>
std::string Stored(const std::vector<T>& values) {
  std::string bytes, hex;
  cls_ArrayCodec::Encode(cow_List<T>(values), bytes);
  for (unsigned char c : bytes)
    hex += "0123456789ABCDEF"[c >> 4], hex += "0123456789ABCDEF"[c & 15];
  return hex;
}

// The fields filled that the class's current layout keeps with the same type, by class.
using Filled = std::map<std::string, std::vector<cls_Attribute>>;

// The case's file; with `increments`, its step holds that many copies of the increment.
Filled Write(const std::string& path, const Case& c, int increments = 1) {
  OldFileWriter w(path);
  w.Begin();
  Job j(w);
  int ddbLayout = 0;
  // The case's layouts, then those of the job's classes that it does not name.
  std::istringstream layouts(c.layouts + ", ddr_Ddb 848, dia_DiagnosticData, dia_Step, " +
                             "dia_Increment, dia_Attempt, dia_Iteration");
  for (std::string entry; std::getline(layouts, entry, ',');) {
    std::string name;
    int version = 0;
    std::istringstream(entry) >> name >> version;
    if (std::any_of(j.layouts.begin(), j.layouts.end(), [&](auto& l) { return l.name == name; }))
      continue;
    j.layouts.push_back(LayoutOf(name, version));
    w.Declare(name, version);
    if (name == "ddr_Ddb") ddbLayout = version;
  }
  if (c.write) c.write(j);
  j.One(j.attempt, "m_iterationList", "dia_Iteration", j.iteration);
  j.One(j.increment, "m_attemptList", "dia_Attempt", j.attempt);
  std::vector<long long> incrementRows;
  for (int k = 0; k < increments; ++k) incrementRows.push_back(j.Row("dia_Increment", j.increment));
  j.List(j.step, "m_incrementList", "dia_Increment", incrementRows);
  j.One(j.job, "m_stepList", "dia_Step", j.step);
  const long long job = j.Row("dia_DiagnosticData", j.job);
  if (ddbLayout == 309)
    OldFileWriter::Ref(j.ddb, "diagnosticData", w.Id("dia_DiagnosticData"), job);
  if (ddbLayout >= 321) j.List(j.ddb, "diagnosticData", "dia_DiagnosticData", {job});
  j.Row("ddr_Ddb", j.ddb);
  w.Commit();
  Filled filled;
  const cls_ClassRegistrar& current = cls_MetadataRegistrar::Instance().ProcessRegistrar();
  for (const StoredLayout& l : j.layouts) {
    const cls_ClassMetadata* md = j.set.count(l.name) ? current.FindByName(l.name) : nullptr;
    const std::vector<cls_Attribute> now = md ? md->Attributes() : std::vector<cls_Attribute>{};
    for (const cls_Attribute& f : l.fields)
      if (Filling(f) && !j.set[l.name].count(f.name) &&
          std::any_of(now.begin(), now.end(), [&](const cls_Attribute& a) {
            return a.name == f.name && a.attributeType == f.attributeType;
          }))
        filled[l.name].push_back(f);
  }
  return filled;
}

// Every value filled is still there once the file is converted, in every row.
void ExpectFillingKept(const std::string& path, const Filled& filled) {
  for (const auto& [className, fields] : filled)
    for (const cls_Attribute& f : fields)
      EXPECT_EQ(QueryText(path, "SELECT group_concat(DISTINCT quote(\"" + f.name + "\")) FROM \"" +
                                    className + "\""),
                Quoted(*Filling(f)))
          << className << "." << f.name;
}

cow_String Open(const std::string& path, rfm_Access access) {
  return ddr_Root::Instance().OpenDdb(rfm_File::Open(path, access, true, kUtf8), "", kUtf8);
}

// Opens the file, reads the case's values through the tree and, once the file is upgraded
// (current, so open for writing), saves it.
void ReadBack(const std::string& path, bool upgraded, const Case& c, int increments = 1) {
  ddr_Root& root = ddr_Root::Instance();
  cow_String name = Open(path, upgraded ? rfm_Access::Update : rfm_Access::Read);
  try {
    const ddr_Ddb& ddb = root.ConstGet(name, kUtf8);
    EXPECT_EQ(ddb.checkWriteCompatibility(), upgraded);
    EXPECT_EQ(ddb.Name(), "old job");
    c.read(ddb);
    if (ddb.GetNumberOfDiagnosticData() > 0) {
      const dia_Step& step = ddb.ConstGetDiagnosticData().ConstGetStepByIndex(0);
      EXPECT_EQ(step.GetNumberOfIncrements(), increments);
      EXPECT_EQ(step.GetStepName(), "Step-1");
    } else {
      EXPECT_EQ(Message<nex_CmdException>([&] { ddb.ConstGetDiagnosticData(); }),
                "No diagnostic data available");
    }
    if (upgraded) root.SaveDdb(name, true, kUtf8);
  } catch (...) {
    root.CloseDdb(name, kUtf8);
    throw;
  }
  root.CloseDdb(name, kUtf8);
}

// An upgraded file declares only classes of this release, at their current versions, and holds
// no table of a class it does not declare.
void ExpectCurrentClassesOnly(const std::string& path) {
  std::string current = "''";
  for (const cls_ClassMetadata* md : cls_MetadataRegistrar::Instance().ProcessRegistrar().Classes())
    current += ", '" + md->Name().str() + " " + std::to_string(md->Version()) + "'";
  EXPECT_EQ(
      QueryText(path,
                "SELECT group_concat(c) FROM (SELECT \"Class Name\" || ' ' || \"Version\" AS c "
                "FROM \"##Classes\") WHERE c NOT IN (" +
                    current + ")"),
      "");
  EXPECT_EQ(QueryText(path,
                      "SELECT group_concat(name) FROM sqlite_master WHERE type = 'table' AND name "
                      "NOT LIKE '##%' AND name NOT IN (SELECT \"Class Table\" FROM \"##Classes\")"),
            "");
}

// Models are read by the suite's own model class (ddr_Model has no reader); the model steps'
// cases are in ModelSteps_test.cpp.
void WriteModel(Job& j) {
  const long long model = j.Row("ddr_Model", {});
  OldFileWriter::Ref(j.ddb, "models", kList, j.w.Map({{"Model-1", j.w.Id("ddr_Model"), model}}));
}

// A case's write that only adds cells to one of the job's rows.
std::function<void(Job&)> Add(Cells Job::*row, const Cells& cells) {
  return [=](Job& j) { (j.*row).insert((j.*row).end(), cells.begin(), cells.end()); };
}

const Case kCases[] = {
    // An unset sequence takes the oldest one; the version is the 203 release's.
    {"ddr_Ddb 203",
     Add(&Job::ddb, {{"sequenceData", ""}, {"ddbVersion", 1700LL}}),
     {"ddr_Ddb.sequenceData=prior to 2000_04_25-21.21.10 17429", "ddr_Ddb.ddbVersion=1804",
      "ddr_Ddb.models#OID=NULL", "ddr_Ddb.diagnosticData#OID=NULL"}},
    {"ddr_Ddb 204", {}, {"ddr_Ddb.diagnosticData#OID=NULL"}},
    // Its single job is not carried into the list.
    {"ddr_Ddb 309", {}, {"ddr_Ddb.diagnosticData#OID=NULL"}},
    {"ddr_Ddb 321",
     [](Job& j) {
       OldFileWriter::Ref(j.ddb, "productAddOns", kArray, j.w.Array<cow_String>({"FATIGUE_LIFE"}));
     },
     {"ddr_Ddb.productAddOns[]=" + Stored<cow_String>({"FATIGUE_LIFE"})}},
    {"ddr_Ddb 818, ddr_Model", WriteModel, {"ddr_Ddb.customData#OID=NULL"}},
    {"ddr_Model 203", WriteModel, {"#ddr_Model=1"}},
    {"ddr_Model 401", WriteModel, {"#ddr_Model=1"}},
    {"ddr_Model 857", WriteModel, {"#ddr_Model=1"}},
    // No incrementation scheme yet: the step reads the first.
    {"dia_DiagnosticData 309, dia_Step 309, dia_Increment 309, dia_Attempt 309, dia_Iteration 309",
     Add(&Job::job, {{"m_status", "Completed"}}),
     {"dia_DiagnosticData.m_jobStatus=NULL", "dia_Step.m_incrementationScheme=NULL",
      "dia_Attempt.m_cutbackCodes#OID=NULL"}},
    // With its numerical problem summary, a class that the conversion removes.
    {"dia_DiagnosticData 332, dia_NumericalProblemSummary 332, dia_NumericalProblemSummaryInfo 332",
     [](Job& j) {
       OldFileWriter::Ref(j.job, "m_jobHistoryDescription", kArray, j.w.Array<int>({1, 4, 9}));
       Cells summary;
       j.One(summary, "m_infoList", "dia_NumericalProblemSummaryInfo");
       OldFileWriter::Ref(j.job, "m_numericalProblemSummary", j.w.Id("dia_NumericalProblemSummary"),
                          j.Row("dia_NumericalProblemSummary", summary));
     },
     {"dia_DiagnosticData.m_jobHistoryDescription[]=" + Stored<int>({1, 4, 9})}},
    {"dia_DiagnosticData 410, dia_WarningErrorBase 410, dia_WarningErrorData 410, dia_Warning",
     [](Job& j) {
       Cells base = {{"m_code", 0x10000020LL}}, data;
       OldFileWriter::Ref(data, "m_intValues", kArray, j.w.Array<int>({7}));
       j.List(base, "m_data", "dia_WarningErrorData", {j.Row("dia_WarningErrorData", data)},
              kArray);
       j.List(j.job, "m_warningList", "dia_Warning",
              {j.Row("dia_Warning", {}, j.Row("dia_WarningErrorBase", base))});
     },
     // The code is dropped by the next layout, and with it the data blocks.
     {"#dia_Warning=1", "dia_DiagnosticBase.m_type=NULL", "#dia_AuxiliaryData=0"}},
    {"dia_DiagnosticData 415, dia_WarningErrorBase 415, dia_AuxiliaryData 415, "
     "dia_WarningErrorData 415, dia_Error",
     [](Job& j) {
       j.job.push_back({"m_jobStatus", 2LL});
       Cells values = {{"m_variation", 1LL}}, labels, base = {{"m_type", 0x40000020LL}};
       OldFileWriter::Ref(values, "m_intValues", kArray, j.w.Array<int>({7, 8}));
       OldFileWriter::Ref(labels, "m_elementLabels", kArray, j.w.Array<int>({12}));
       j.List(base, "m_data", "dia_WarningErrorData",
              {j.Row("dia_WarningErrorData", labels, j.Row("dia_AuxiliaryData", values))}, kArray);
       j.List(j.job, "m_errorList", "dia_Error",
              {j.Row("dia_Error", {}, j.Row("dia_WarningErrorBase", base))});
     },
     {"dia_DiagnosticData.m_jobStatus=2", "dia_DiagnosticBase.m_type=" + std::to_string(0x40000020),
      "dia_AuxiliaryData.m_intValues[]=" + Stored<int>({7, 8}),
      "dia_AuxiliaryData.m_elementLabels[]=" + Stored<int>({12})},
     // The variations of the data blocks are taken from the blocks as the error is read.
     [](const ddr_Ddb& d) {
       const dia_Error& error = d.ConstGetDiagnosticData().ConstGetAnalysisErrorByIndex(0);
       EXPECT_EQ(error.GetVariationNumbers().vector(), (std::vector<int>{1}));
     }},
    {"dia_Step 317, dia_Increment 317",
     Add(&Job::step, {{"m_incrementationScheme", "Direct incrementation"}}),
     {"dia_Step.m_incrementationScheme=DIRECT_INCREMENTATION",
      "dia_Increment.m_initialIncrementSize=NULL"}},
    {"dia_Step 434, dia_Increment 434",
     Add(&Job::step, {{"m_incrementationScheme", "Direct no stop incrementation"}}),
     {"dia_Step.m_incrementationScheme=DIRECT_NO_STOP_INCREMENTATION",
      "dia_Increment.m_elementDiagnosticList#OID=NULL"}},
    {"dia_Step 418, dia_ContactDiagnostic 415",
     [](Job& j) {
       j.One(j.step, "m_contactDiagnosticList", "dia_ContactDiagnostic",
             {{"m_code", 0x01000020LL}});
     },
     {"#dia_ContactDiagnostic=1", "#dia_DiagnosticBase=0"}},
    {"dia_Step 1001",
     Add(&Job::step, {{"m_incrementationScheme", "FIXED_INCREMENTATION"}}),
     {"dia_Step.m_incrementationScheme=FIXED_INCREMENTATION", "dia_Step.m_XplStatusList#OID=NULL"}},
    {"dia_Iteration 312, dia_FieldCriteria 312, dia_ConstraintCriteria 312, dia_ContactDiagnostic "
     "312",
     [](Job& j) {
       j.One(j.iteration, "m_fieldCriteriaList", "dia_FieldCriteria");
       j.One(j.iteration, "m_constraintCriteriaList", "dia_ConstraintCriteria");
       j.One(j.iteration, "m_contactDiagnosticList", "dia_ContactDiagnostic",
             {{"m_contactDiagnosticType", "Overclosure"}});
     },
     {"#dia_Residual=0", "#dia_CompatibilityError=0", "#dia_ContactDiagnostic=1",
      "#dia_DiagnosticBase=0"}},
    {"dia_Iteration 318, dia_FieldCriteria 318, dia_NumericalSingularity 318",
     [](Job& j) {
       j.One(j.iteration, "m_fieldCriteriaList", "dia_FieldCriteria");
       j.One(j.iteration, "m_numericalSingularityList", "dia_NumericalSingularity");
     },
     {"dia_Iteration.m_numberOfNumericalSingularities=NULL", "#dia_Residual=0"}},
    {"dia_Iteration 321, dia_ZeroPivot 321, dia_ContactDiagnostic 321",
     [](Job& j) {
       Cells contact;
       OldFileWriter::Ref(contact, "m_nodeLabels", kArray, j.w.Array<int>({3}));
       j.One(j.iteration, "m_zeroPivotList", "dia_ZeroPivot");
       j.One(j.iteration, "m_contactDiagnosticList", "dia_ContactDiagnostic", contact);
     },
     {"dia_Iteration.m_numberOfZeroPivots=NULL", "#dia_ContactDiagnostic=1",
      "#dia_AuxiliaryData=0"}},
    {"dia_Step 410, dia_Iteration 410, dia_Residual 410, dia_CompatibilityError 410, "
     "dia_ElementDiagnostic 410, dia_ContactDiagnostic 408",
     [](Job& j) {
       j.step.push_back({"m_incrementationScheme", "Auto incrementation"});
       j.One(j.iteration, "m_residualList", "dia_Residual",
             {{"m_fieldEquationType", "Rotation"},
              {"m_residualCheck", "Residual not accepted"},
              {"m_correctionCheck", "Correction accepted"}});
       j.One(j.iteration, "m_compatibiltyErrorList", "dia_CompatibilityError",
             {{"m_constraintEquationType", "Axial Force"}});
       Cells element = {{"m_code", 0x02000020LL}};
       OldFileWriter::Ref(element, "m_labels", kArray, j.w.Array<int>({21}));
       j.One(j.iteration, "m_elementDiagnosticList", "dia_ElementDiagnostic", element);
       j.One(j.iteration, "m_contactDiagnosticList", "dia_ContactDiagnostic",
             {{"m_contactDiagnosticType", "Overclosure"}});
     },
     // A text that no conversion knows (this one is spelled right) is stored as none.
     {"dia_Step.m_incrementationScheme=AUTO_INCREMENTATION",
      "dia_Residual.m_fieldEquationType=ROTATION_FIELD",
      "dia_Residual.m_residualCheck=RESIDUAL_NOT_ACCEPTED", "dia_Residual.m_correctionCheck=NULL",
      "dia_CompatibilityError.m_constraintEquationType=AXIAL_FORCE_CONSTRAINT",
      "#dia_ElementDiagnostic=1", "#dia_ContactDiagnostic=1", "#dia_DiagnosticBase=0"}},
    {"dia_Step 415, dia_Increment 415, dia_Iteration 415, dia_ElementDiagnostic 415, "
     "dia_ContactDiagnostic 415, dia_AuxiliaryData 415, dia_ElementDiagnosticData 415, "
     "dia_NodeDiagnosticData 415",
     [](Job& j) {
       auto block = [&](const char* className, const char* field, const char* owner, Cells record) {
         Cells values;
         OldFileWriter::Ref(values, "m_realValues", kArray, j.w.Array<double>({0.5}));
         j.List(record, field, className,
                {j.Row(className, {}, j.Row("dia_AuxiliaryData", values))}, kArray);
         return j.Row(owner, record);
       };
       j.List(j.iteration, "m_elementDiagnosticList", "dia_ElementDiagnostic",
              {block("dia_ElementDiagnosticData", "m_elementData", "dia_ElementDiagnostic",
                     {{"m_code", 0x02000020LL}})});
       j.List(j.iteration, "m_contactDiagnosticList", "dia_ContactDiagnostic",
              {block("dia_NodeDiagnosticData", "m_nodeData", "dia_ContactDiagnostic",
                     {{"m_code", 0x01000020LL}})});
     },
     {"#dia_ElementDiagnostic=1", "#dia_ContactDiagnostic=1", "#dia_DiagnosticBase=0"}},
};

using OldLayouts = ScratchFile;

}  // namespace

TEST_F(OldLayouts, EveryLayoutReadsThroughTheTreeBeforeAndAfterAnUpgrade) {
  ddr_Root& root = ddr_Root::Instance();
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.layouts);
    try {
      const Filled filled = Write(path, c);
      const std::string before = FileBytes(path);
      ReadBack(path, false, c);
      EXPECT_EQ(FileBytes(path), before) << "a read-only open changed the file";
      std::int64_t done = -1, total = -2;
      ASSERT_TRUE(root.UpgradeDdb(path, kUtf8, [&](std::int64_t d, std::int64_t t) {
        done = d;
        total = t;
      }));
      EXPECT_EQ(done, total);
      EXPECT_FALSE(root.UpgradeDdb(path, kUtf8));
      for (const char* left : {".backup", ".upgrading"})
        EXPECT_EQ(access((path + left).c_str(), F_OK), -1) << left;
      ExpectCurrentClassesOnly(path);
      ExpectFillingKept(path, filled);
      for (const std::string& h : c.holds)
        EXPECT_EQ(Holding(path, h.substr(0, h.find('='))), h.substr(h.find('=') + 1)) << h;
      ReadBack(path, true, c);
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
    }
  }
}

TEST_F(OldLayouts, EveryRegisteredLayoutHasACase) {
  std::string named = ", ddr_Ddb 848, ";  // in every case's file
  for (const Case& c : kCases) named += c.layouts + ", ";
  for (const dbc_OldClassHandle& handle : dbc_OldClassRegistrar::Instance().Versions()) {
    const StoredLayout d = DeclaredBy(handle);
    EXPECT_NE(named.find(", " + d.name + " " + std::to_string(d.version) + ","), std::string::npos)
        << d.name << " " << d.version;
  }
}

const Case& Named(const std::string& name) {
  for (const Case& c : kCases)
    if (c.layouts == name) return c;
  throw std::invalid_argument(name);
}

TEST_F(OldLayouts, NewerLayoutIsRefusedAndOlderOnesAreNotWritten) {
  ddr_Root& root = ddr_Root::Instance();
  Write(path, Named("dia_Step 1001"));
  Execute(path, "UPDATE \"##Classes\" SET \"Version\" = 2000 WHERE \"Class Name\" = 'dia_Step'");
  const std::string newer = "'" + path +
                            "' was written by a newer release of ddb (class dia_Step at version "
                            "2000; this release reads up to version 1037)";
  EXPECT_EQ(Message<nex_PrimException>([&] { Open(path, rfm_Access::Read); }), newer);
  EXPECT_EQ(Message<nex_PrimException>([&] { root.UpgradeDdb(path, kUtf8); }), newer);
  Write(path, Named("dia_Step 434, dia_Increment 434"));
  EXPECT_EQ(Message<nex_CmdException>([&] { Open(path, rfm_Access::Update); }),
            "'" + path +
                "' is stored in the layouts of an older release: upgrade it before writing to it");
  EXPECT_FALSE(root.IsMember(path, kUtf8));
}

// True when the file still is the original; otherwise it must be the whole converted file.
bool IsOriginalOrConverted(const std::string& path, const std::string& original, const Case& c,
                           int increments) {
  if (FileBytes(path) == original) return true;
  EXPECT_EQ(Query(path, "SELECT \"Version\" FROM \"##Classes\" WHERE \"Class Name\" = 'dia_Step'"),
            1037);
  ReadBack(path, true, c, increments);
  return false;
}

TEST_F(OldLayouts, Upgrade_KilledAnywhereLeavesTheOriginalOrTheCompleteConvertedFile) {
  // A file holding classes that the conversion removes.
  const Case& c = Named(
      "dia_Iteration 312, dia_FieldCriteria 312, dia_ConstraintCriteria 312, dia_ContactDiagnostic "
      "312");
  const int increments = 20000;
  Write(path, c, increments);
  const std::string original = FileBytes(path);
  auto upgrade = [&] { ASSERT_TRUE(ddr_Root::Instance().UpgradeDdb(path, kUtf8)); };
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(InChild(upgrade), 0);
  const long long duration =
      std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - started).count();
  EXPECT_FALSE(IsOriginalOrConverted(path, original, c, increments));
  // Kills land anywhere in the upgrade; runs that end before their kill are not counted.
  std::mt19937 random(20261206);
  std::uniform_int_distribution<long long> delay(0, duration);
  int kills = 0, originals = 0, runs = 0;
  for (; kills < 60 && runs < 400; ++runs) {
    for (const char* suffix : {"-wal", "-shm", ".backup", ".upgrading"})
      std::remove((path + suffix).c_str());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << original;
    const pid_t pid = Spawn(upgrade);
    usleep(delay(random));
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFSIGNALED(status)) continue;
    ++kills;
    if (IsOriginalOrConverted(path, original, c, increments)) ++originals;
  }
  EXPECT_GE(kills, 50);
  EXPECT_GT(originals, 0);
  std::printf("upgrade of %lld us killed %d times in %d runs: %d originals, %d converted files\n",
              duration, kills, runs, originals, kills - originals);
}
