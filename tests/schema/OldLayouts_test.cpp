// Every older layout of every class, from a file of its own: the layouts a case names are
// written as the older release wrote them, hung into a job whose other records have their
// current layouts (the database record 848 unless a case names another), and the file is
// opened read-only (each row goes through the row steps of its layout as it is read) and walked
// through the tree, then upgraded in place (by the same steps), walked again and saved. What the
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
#include <iterator>
#include <random>
#include <stdexcept>
#include <thread>

#include "OldFileWriter.h"
#include "SchemaHistory.h"
#include "TestFiles.h"
#include "ddb/database/ddr_Ddb.h"
#include "ddb/database/ddr_Root.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"
#include "ddb/diagnostics/dia_Error.h"
#include "ddb/diagnostics/dia_Warning.h"
#include "ddb/platform/nex_Exception.h"

using namespace ddb_test;

namespace {

constexpr std::uint32_t kDdb = 0x220006, kModel = 0x220007, kJob = 0x2B0001, kStep = 0x2B0002,
                        kIncrement = 0x2B0003, kAttempt = 0x2B0004, kIteration = 0x2B0005,
                        kFieldCriteria = 0x2B0006, kConstraintCriteria = 0x2B0007,
                        kContact = 0x2B0008, kSingularity = 0x2B0009, kZeroPivot = 0x2B000A,
                        kSummary = 0x2B000B, kSummaryInfo = 0x2B000C, kWarningData = 0x2B000D,
                        kWarningErrorBase = 0x2B000E, kResidual = 0x2B0011,
                        kCompatibility = 0x2B0012, kElement = 0x2B0013, kAuxiliary = 0x2B0014,
                        kNodeData = 0x2B0015, kElementData = 0x2B0016;
constexpr long long kList = 0x230002, kArray = 0x230001;
const ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

// The records of the job as cells, which a case extends before they are written.
struct Job {
  OldFileWriter& w;
  Cells ddb{{"name", "old job"}, {"creationTime", 1000LL}};
  Cells job{{"m_jobUserTime", 1.5}};
  Cells step{{"m_stepNumber", 1LL}, {"m_stepName", "Step-1"}};
  Cells increment{{"m_incrementNumber", 3LL}};
  Cells attempt{{"m_attemptNumber", 2LL}};
  Cells iteration{{"m_iterationNumber", 4LL}};

  // A row whose base part, when given, is the row `base`.
  long long Row(std::uint32_t typeId, Cells cells, long long base = 0) {
    if (base) cells.push_back({"##BaseClassOID", base});
    return w.Row(typeId, cells);
  }
  // Stores the objects as a list (kArray: an older layout's embedded list) in `owner`'s field.
  void List(Cells& owner, const std::string& field, std::uint32_t typeId,
            std::vector<long long> oids, long long kind = kList) {
    std::vector<std::pair<std::uint32_t, long long>> elements;
    for (long long oid : oids) elements.push_back({typeId, oid});
    Ref(owner, field, kind, w.List(elements));
  }
  static void Ref(Cells& owner, const std::string& field, long long typeId, long long oid) {
    for (auto& c : OldFileWriter::Ref(field, typeId, oid)) owner.push_back(c);
  }
};

void Add(Cells& record, const Cells& cells) {
  record.insert(record.end(), cells.begin(), cells.end());
}

// A writer that adds the cells to one record of the job.
std::function<void(Job&)> Set(Cells Job::*record, Cells cells) {
  return [record, cells](Job& j) { Add(j.*record, cells); };
}

using Layouts = std::vector<std::pair<std::string, int>>;  // version 0: the current one

// What the file holds once converted: "table.column" (its values joined by "|", NULL for none),
// "table.column[]" (the stored bytes of its arrays, in hex) or "#table" (its number of rows).
using Holdings = std::vector<std::pair<std::string, std::string>>;

struct Case {
  Layouts layouts;
  std::function<void(Job&)> write;
  Holdings holds;
  std::function<void(const ddr_Ddb&)> read = [](const ddr_Ddb&) {};  // what only a reader makes
};

// "dia_Step 434, dia_Increment 434": the case's layouts, as the names of cases read.
std::string Name(const Case& c) {
  std::string name;
  for (const auto& l : c.layouts)
    name += (name.empty() ? "" : ", ") + l.first + " " + std::to_string(l.second);
  return name;
}

std::string Holding(const std::string& path, const std::string& what) {
  if (what[0] == '#') {
    const std::string table = what.substr(1);
    const bool present =
        Query(path, "SELECT COUNT(*) FROM sqlite_master WHERE name = '" + table + "'");
    return std::to_string(present ? Query(path, "SELECT COUNT(*) FROM \"" + table + "\"") : 0);
  }
  const std::string table = what.substr(0, what.find('.'));
  const std::string column = what.substr(table.size() + 1);
  if (column.back() == ']')
    return QueryText(path,
                     "SELECT group_concat(hex(data), '|') FROM \"##Array\" WHERE oid IN "
                     "(SELECT \"" +
                         column.substr(0, column.size() - 2) + "#OID\" FROM \"" + table + "\")");
  return QueryText(path, "SELECT group_concat(coalesce(\"" + column + "\", 'NULL'), '|') FROM \"" +
                             table + "\"");
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

int Current(const std::string& className) {
  return cls_MetadataRegistrar::Instance().ProcessRegistrar().FindByName(className)->Version();
}

// The case's file; with `increments`, its step holds that many copies of the increment.
void Write(const std::string& path, const Case& c, int increments = 1) {
  OldFileWriter w(path);
  w.Begin();
  Layouts layouts = c.layouts;
  for (const char* skeleton : {"ddr_Ddb", "dia_DiagnosticData", "dia_Step", "dia_Increment",
                               "dia_Attempt", "dia_Iteration"})
    if (std::none_of(layouts.begin(), layouts.end(), [&](auto& l) { return l.first == skeleton; }))
      layouts.push_back({skeleton, std::string(skeleton) == "ddr_Ddb" ? 848 : 0});
  int ddbLayout = 0;
  for (const auto& l : layouts) {
    w.Declare(l.first, l.second ? l.second : Current(l.first));
    if (l.first == "ddr_Ddb") ddbLayout = l.second;
  }
  Job j{w};
  c.write(j);
  j.List(j.attempt, "m_iterationList", kIteration, {w.Row(kIteration, j.iteration)});
  j.List(j.increment, "m_attemptList", kAttempt, {w.Row(kAttempt, j.attempt)});
  std::vector<long long> incrementRows;
  for (int k = 0; k < increments; ++k) incrementRows.push_back(w.Row(kIncrement, j.increment));
  j.List(j.step, "m_incrementList", kIncrement, incrementRows);
  j.List(j.job, "m_stepList", kStep, {w.Row(kStep, j.step)});
  const long long job = w.Row(kJob, j.job);
  if (ddbLayout == 309) Job::Ref(j.ddb, "diagnosticData", kJob, job);
  if (ddbLayout >= 321) j.List(j.ddb, "diagnosticData", kJob, {job});
  w.Row(kDdb, j.ddb);
  w.Commit();
}

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Opens the file, reads the case's values through the tree and, once the file is upgraded
// (current, so open for writing), saves it.
void ReadBack(const std::string& path, bool upgraded, const Case& c, int increments = 1) {
  ddr_Root& root = ddr_Root::Instance();
  rfm_Access access = upgraded ? rfm_Access::Update : rfm_Access::Read;
  cow_String name = root.OpenDdb(rfm_File::Open(path, access, true, kUtf8), "", kUtf8);
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
  const std::string declared = QueryText(
      path, "SELECT group_concat(\"Class Name\" || ' ' || \"Version\", '|') FROM \"##Classes\"");
  std::string current;
  for (const cls_ClassMetadata* md : cls_MetadataRegistrar::Instance().ProcessRegistrar().Classes())
    current += "|" + md->Name().str() + " " + std::to_string(md->Version()) + "|";
  for (std::size_t at = 0, end = 0; at < declared.size(); at = end + 1) {
    end = std::min(declared.find('|', at), declared.size());
    const std::string one = declared.substr(at, end - at);
    EXPECT_NE(current.find("|" + one + "|"), std::string::npos) << one;
  }
  EXPECT_EQ(Query(path,
                  "SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name NOT LIKE '##%' "
                  "AND name NOT IN (SELECT \"Class Table\" FROM \"##Classes\")"),
            0);
}

// Models are read by the suite's own model class (ddr_Model has no reader); the model steps'
// cases are in ModelSteps_test.cpp.
void WriteModel(Job& j) {
  long long model = j.Row(kModel, {{"modelName", "Model-1"}});
  Job::Ref(j.ddb, "models", kList, j.w.Map({{"Model-1", kModel, model}}));
}

// A case whose file holds classes that the conversion removes.
constexpr const char* kRemovingCase =
    "dia_Iteration 312, dia_FieldCriteria 312, dia_ConstraintCriteria 312, "
    "dia_ContactDiagnostic 312";

const Case kCases[] = {
    {{{"ddr_Ddb", 203}},
     Set(&Job::ddb, {{"analysisVersion", "5.8"}}),
     {{"ddr_Ddb.sequenceData", "prior to 2000_04_25-21.21.10 17429"},
      {"ddr_Ddb.ddbVersion", "1804"},
      {"ddr_Ddb.analysisVersion", "5.8"},
      {"ddr_Ddb.models#OID", "NULL"},
      {"ddr_Ddb.diagnosticData#OID", "NULL"}}},
    {{{"ddr_Ddb", 204}},
     Set(&Job::ddb, {{"sequenceData", "2001_02_03"}, {"ddbVersion", 1700LL}}),
     {{"ddr_Ddb.sequenceData", "2001_02_03"},
      {"ddr_Ddb.ddbVersion", "1700"},
      {"ddr_Ddb.diagnosticData#OID", "NULL"}}},
    // Its single job is not carried into the list.
    {{{"ddr_Ddb", 309}},
     Set(&Job::ddb, {{"description", "one job"}}),
     {{"ddr_Ddb.description", "one job"}, {"ddr_Ddb.diagnosticData#OID", "NULL"}}},
    {{{"ddr_Ddb", 321}},
     [](Job& j) { Job::Ref(j.ddb, "productAddOns", kArray, j.w.StringArray({"FATIGUE_LIFE"})); },
     {{"ddr_Ddb.productAddOns[]", Stored<cow_String>({"FATIGUE_LIFE"})}}},
    {{{"ddr_Ddb", 818}, {"ddr_Model", 0}},
     WriteModel,
     {{"ddr_Model.modelName", "Model-1"}, {"ddr_Ddb.customData#OID", "NULL"}}},
    {{{"ddr_Model", 203}}, WriteModel, {{"ddr_Model.modelName", "Model-1"}}},
    {{{"ddr_Model", 401}}, WriteModel, {{"ddr_Model.modelName", "Model-1"}}},
    {{{"ddr_Model", 857}}, WriteModel, {{"ddr_Model.modelName", "Model-1"}}},
    // No incrementation scheme yet: the step reads the first.
    {{{"dia_DiagnosticData", 309},
      {"dia_Step", 309},
      {"dia_Increment", 309},
      {"dia_Attempt", 309},
      {"dia_Iteration", 309}},
     [](Job& j) {
       Add(j.job, {{"m_status", "Completed"}, {"m_jobWallclockTime", 9.5}});
       Add(j.step, {{"m_isStabilizeActive", 1LL}});
       Add(j.attempt, {{"m_attemptSize", 0.25}});
       Add(j.iteration, {{"m_isSevereDiscontinuity", 1LL}});
     },
     {{"dia_DiagnosticData.m_jobUserTime", "1.5"},
      {"dia_DiagnosticData.m_jobWallclockTime", "9.5"},
      {"dia_DiagnosticData.m_jobStatus", "NULL"},
      {"dia_Step.m_incrementationScheme", "NULL"},
      {"dia_Step.m_stepNumber", "1"},
      {"dia_Increment.m_incrementNumber", "3"},
      {"dia_Attempt.m_attemptNumber", "2"},
      {"dia_Attempt.m_attemptSize", "0.25"},
      {"dia_Attempt.m_cutbackCodes#OID", "NULL"},
      {"dia_Iteration.m_iterationNumber", "4"},
      {"dia_Iteration.m_isSevereDiscontinuity", "1"}}},
    // With its numerical problem summary, a class that the conversion removes.
    {{{"dia_DiagnosticData", 332},
      {"dia_NumericalProblemSummary", 332},
      {"dia_NumericalProblemSummaryInfo", 332}},
     [](Job& j) {
       Job::Ref(j.job, "m_jobHistoryDescription", kArray, j.w.IntArray({1, 4, 9}));
       Cells summary;
       j.List(summary, "m_infoList", kSummaryInfo,
              {j.Row(kSummaryInfo, {{"m_stepNumber", 1LL}, {"m_numberOfZeroPivots", 2LL}})});
       Job::Ref(j.job, "m_numericalProblemSummary", kSummary, j.Row(kSummary, summary));
     },
     {{"dia_DiagnosticData.m_jobHistoryDescription[]", Stored<int>({1, 4, 9})}}},
    {{{"dia_DiagnosticData", 410},
      {"dia_WarningErrorBase", 410},
      {"dia_WarningErrorData", 410},
      {"dia_Warning", 0}},
     [](Job& j) {
       Cells base = {{"m_code", 0x10000020LL}, {"m_stepNumber", 1LL}, {"m_incrementNumber", 3LL}};
       j.List(base, "m_data", kWarningData,
              {j.Row(kWarningData,
                     {{"m_intValues#ClassID", kArray}, {"m_intValues#OID", j.w.IntArray({7})}})},
              kArray);
       j.List(j.job, "m_warningList", dia_Warning::TypeId(),
              {j.Row(dia_Warning::TypeId(), {}, j.Row(kWarningErrorBase, base))});
     },
     // The code is dropped by the next layout, and with it the data blocks.
     {{"#dia_Warning", "1"},
      {"dia_WarningErrorBase.m_stepNumber", "1"},
      {"dia_WarningErrorBase.m_incrementNumber", "3"},
      {"dia_DiagnosticBase.m_type", "NULL"},
      {"#dia_AuxiliaryData", "0"}}},
    {{{"dia_DiagnosticData", 415},
      {"dia_WarningErrorBase", 415},
      {"dia_AuxiliaryData", 415},
      {"dia_WarningErrorData", 415},
      {"dia_Error", 0}},
     [](Job& j) {
       Add(j.job, {{"m_jobStatus", 2LL}});
       long long values = j.Row(kAuxiliary, {{"m_intValues#ClassID", kArray},
                                             {"m_intValues#OID", j.w.IntArray({7, 8})},
                                             {"m_variation", 1LL}});
       Cells labels = {{"m_elementLabels#ClassID", kArray},
                       {"m_elementLabels#OID", j.w.IntArray({12})}};
       Cells base = {{"m_type", 0x40000020LL}, {"m_stepNumber", 1LL}, {"m_iterationNumber", 4LL}};
       j.List(base, "m_data", kWarningData, {j.Row(kWarningData, labels, values)}, kArray);
       j.List(j.job, "m_errorList", dia_Error::TypeId(),
              {j.Row(dia_Error::TypeId(), {{"m_internalErrorString", "solver"}},
                     j.Row(kWarningErrorBase, base))});
     },
     {{"dia_DiagnosticData.m_jobStatus", "2"},
      {"dia_Error.m_internalErrorString", "solver"},
      {"dia_WarningErrorBase.m_stepNumber", "1"},
      {"dia_WarningErrorBase.m_iterationNumber", "4"},
      {"dia_DiagnosticBase.m_type", std::to_string(0x40000020)},
      {"dia_AuxiliaryData.m_intValues[]", Stored<int>({7, 8})},
      {"dia_AuxiliaryData.m_elementLabels[]", Stored<int>({12})},
      {"dia_AuxiliaryData.m_variation", "1"}},
     // The variations of the data blocks are taken from the blocks as the error is read.
     [](const ddr_Ddb& d) {
       const dia_Error& error = d.ConstGetDiagnosticData().ConstGetAnalysisErrorByIndex(0);
       EXPECT_EQ(error.GetVariationNumbers().vector(), (std::vector<int>{1}));
     }},
    {{{"dia_Step", 317}, {"dia_Increment", 317}},
     [](Job& j) {
       Add(j.step, {{"m_lproc", 11LL},
                    {"m_isRiks", 1LL},
                    {"m_incrementationScheme", "Direct incrementation"}});
       Add(j.increment, {{"m_isConverged", 1LL}});
     },
     {{"dia_Step.m_lproc", "11"},
      {"dia_Step.m_isRiks", "1"},
      {"dia_Step.m_incrementationScheme", "DIRECT_INCREMENTATION"},
      {"dia_Increment.m_initialIncrementSize", "NULL"}}},
    {{{"dia_Step", 434}, {"dia_Increment", 434}},
     [](Job& j) {
       Add(j.step, {{"m_maximumNumberOfIncrements", 100LL},
                    {"m_incrementationScheme", "Direct no stop incrementation"}});
       Add(j.increment, {{"m_stepTimeCompleted", 0.75}});
     },
     {{"dia_Step.m_maximumNumberOfIncrements", "100"},
      {"dia_Step.m_incrementationScheme", "DIRECT_NO_STOP_INCREMENTATION"},
      {"dia_Increment.m_stepTimeCompleted", "0.75"},
      {"dia_Increment.m_elementDiagnosticList#OID", "NULL"}}},
    {{{"dia_Step", 418}, {"dia_ContactDiagnostic", 415}},
     [](Job& j) {
       j.List(j.step, "m_contactDiagnosticList", kContact,
              {j.Row(kContact, {{"m_code", 0x01000020LL}, {"m_hasPoints", 1LL}})});
     },
     {{"#dia_ContactDiagnostic", "1"}, {"#dia_DiagnosticBase", "0"}}},
    {{{"dia_Step", 1001}},
     [](Job& j) {
       Add(j.step,
           {{"m_minimumTimeIncrement", 1e-5}, {"m_incrementationScheme", "FIXED_INCREMENTATION"}});
     },
     {{"dia_Step.m_minimumTimeIncrement", "1.0e-05"},
      {"dia_Step.m_incrementationScheme", "FIXED_INCREMENTATION"},
      {"dia_Step.m_XplStatusList#OID", "NULL"}}},
    {{{"dia_Iteration", 312},
      {"dia_FieldCriteria", 312},
      {"dia_ConstraintCriteria", 312},
      {"dia_ContactDiagnostic", 312}},
     [](Job& j) {
       j.List(j.iteration, "m_fieldCriteriaList", kFieldCriteria,
              {j.Row(kFieldCriteria, {{"m_fieldEquationType", "Displacement"}})});
       j.List(j.iteration, "m_constraintCriteriaList", kConstraintCriteria,
              {j.Row(kConstraintCriteria, {{"m_maxError", 0.5}})});
       j.List(j.iteration, "m_contactDiagnosticList", kContact,
              {j.Row(kContact, {{"m_contactDiagnosticType", "Overclosure"}})});
     },
     {{"#dia_Residual", "0"},
      {"#dia_CompatibilityError", "0"},
      {"#dia_ContactDiagnostic", "1"},
      {"#dia_DiagnosticBase", "0"}}},
    {{{"dia_Iteration", 318}, {"dia_FieldCriteria", 318}, {"dia_NumericalSingularity", 318}},
     [](Job& j) {
       j.List(j.iteration, "m_fieldCriteriaList", kFieldCriteria,
              {j.Row(kFieldCriteria, {{"m_residualCheck", "Residual accepted"}})});
       j.List(j.iteration, "m_numericalSingularityList", kSingularity,
              {j.Row(kSingularity, {{"m_firstLabel", 5LL}})});
       Add(j.iteration,
           {{"m_numberOfNegativeEigenvalues", 3LL}, {"m_isSeparationToleranceTooLarge", 1LL}});
     },
     {{"dia_Iteration.m_numberOfNegativeEigenvalues", "3"},
      {"dia_Iteration.m_isSeparationToleranceTooLarge", "1"},
      {"dia_Iteration.m_numberOfNumericalSingularities", "NULL"},
      {"#dia_Residual", "0"}}},
    {{{"dia_Iteration", 321}, {"dia_ZeroPivot", 321}, {"dia_ContactDiagnostic", 321}},
     [](Job& j) {
       j.List(j.iteration, "m_zeroPivotList", kZeroPivot, {j.Row(kZeroPivot, {{"m_dof", 2LL}})});
       j.List(j.iteration, "m_contactDiagnosticList", kContact,
              {j.Row(kContact,
                     {{"m_nodeLabels#ClassID", kArray}, {"m_nodeLabels#OID", j.w.IntArray({3})}})});
       Add(j.iteration, {{"m_isConverged", 1LL}});
     },
     {{"dia_Iteration.m_isConverged", "1"},
      {"dia_Iteration.m_numberOfZeroPivots", "NULL"},
      {"#dia_ContactDiagnostic", "1"},
      {"#dia_AuxiliaryData", "0"}}},
    {{{"dia_Step", 410},
      {"dia_Iteration", 410},
      {"dia_Residual", 410},
      {"dia_CompatibilityError", 410},
      {"dia_ElementDiagnostic", 410},
      {"dia_ContactDiagnostic", 408}},
     [](Job& j) {
       Add(j.step, {{"m_timePeriod", 2.0}, {"m_incrementationScheme", "Auto incrementation"}});
       j.List(j.iteration, "m_residualList", kResidual,
              {j.Row(kResidual, {{"m_fieldEquationType", "Rotation"},
                                 {"m_residualCheck", "Residual not accepted"},
                                 {"m_correctionCheck", "Correction accepted"},
                                 {"m_maxResidual", 2.5}})});
       j.List(j.iteration, "m_compatibiltyErrorList", kCompatibility,
              {j.Row(kCompatibility,
                     {{"m_constraintEquationType", "Axial Force"}, {"m_elementNumber", 12LL}})});
       j.List(j.iteration, "m_elementDiagnosticList", kElement,
              {j.Row(kElement, {{"m_code", 0x02000020LL},
                                {"m_labels#ClassID", kArray},
                                {"m_labels#OID", j.w.IntArray({21})}})});
       j.List(j.iteration, "m_contactDiagnosticList", kContact,
              {j.Row(kContact, {{"m_contactDiagnosticType", "Overclosure"}})});
     },
     // A text that no conversion knows (this one is spelled right) is stored as none.
     {{"dia_Step.m_timePeriod", "2.0"},
      {"dia_Step.m_incrementationScheme", "AUTO_INCREMENTATION"},
      {"dia_Residual.m_fieldEquationType", "ROTATION_FIELD"},
      {"dia_Residual.m_residualCheck", "RESIDUAL_NOT_ACCEPTED"},
      {"dia_Residual.m_correctionCheck", "NULL"},
      {"dia_Residual.m_maxResidual", "2.5"},
      {"dia_CompatibilityError.m_constraintEquationType", "AXIAL_FORCE_CONSTRAINT"},
      {"dia_CompatibilityError.m_elementNumber", "12"},
      {"#dia_ElementDiagnostic", "1"},
      {"#dia_ContactDiagnostic", "1"},
      {"#dia_DiagnosticBase", "0"}}},
    {{{"dia_Step", 415},
      {"dia_Increment", 415},
      {"dia_Iteration", 415},
      {"dia_ElementDiagnostic", 415},
      {"dia_ContactDiagnostic", 415},
      {"dia_AuxiliaryData", 415},
      {"dia_ElementDiagnosticData", 415},
      {"dia_NodeDiagnosticData", 415}},
     [](Job& j) {
       auto block = [&](std::uint32_t typeId, Cells own, double value) {
         return j.Row(typeId, own,
                      j.Row(kAuxiliary, {{"m_realValues#ClassID", kArray},
                                         {"m_realValues#OID", j.w.DoubleArray({value})}}));
       };
       Cells element = {{"m_code", 0x02000020LL}, {"m_hasFaces", 1LL}};
       j.List(element, "m_elementData", kElementData,
              {block(kElementData, {{"m_label", 21LL}, {"m_faceLabel", "S1"}}, 0.5)}, kArray);
       j.List(j.iteration, "m_elementDiagnosticList", kElement, {j.Row(kElement, element)});
       Cells contact = {{"m_code", 0x01000020LL}};
       j.List(contact, "m_nodeData", kNodeData,
              {block(kNodeData, {{"m_label", 3LL}, {"m_instanceName", "PART-1"}}, 1.5)}, kArray);
       j.List(j.iteration, "m_contactDiagnosticList", kContact, {j.Row(kContact, contact)});
       Add(j.iteration, {{"m_numberOfZeroPivots", 2LL}, {"m_isPenetrationToleranceExceeded", 1LL}});
       Add(j.step, {{"m_initialTimeIncrement", 0.1}, {"m_isPerturbation", 1LL}});
       Add(j.increment, {{"m_initialIncrementSize", 0.5}});
     },
     {{"dia_Step.m_initialTimeIncrement", "0.1"},
      {"dia_Step.m_isPerturbation", "1"},
      {"dia_Increment.m_initialIncrementSize", "0.5"},
      {"dia_Iteration.m_numberOfZeroPivots", "2"},
      {"dia_Iteration.m_isPenetrationToleranceExceeded", "1"},
      {"#dia_ElementDiagnostic", "1"},
      {"#dia_ContactDiagnostic", "1"},
      {"#dia_DiagnosticBase", "0"}}},
};

using OldLayouts = ScratchFile;

}  // namespace

TEST_F(OldLayouts, EveryLayoutReadsThroughTheTreeBeforeAndAfterAnUpgrade) {
  ddr_Root& root = ddr_Root::Instance();
  for (const Case& c : kCases) {
    SCOPED_TRACE(Name(c));
    try {
      Write(path, c);
      const std::string before = Bytes(path);
      ReadBack(path, false, c);
      EXPECT_EQ(Bytes(path), before) << "a read-only open changed the file";
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
      for (const auto& h : c.holds) EXPECT_EQ(Holding(path, h.first), h.second) << h.first;
      ReadBack(path, true, c);
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
    }
  }
}

TEST_F(OldLayouts, EveryRegisteredLayoutHasACase) {
  for (const dbc_OldClassHandle& handle : dbc_OldClassRegistrar::Instance().Versions()) {
    const Declared d = Declare(Mutable(handle));
    const bool covered =
        (d.name == "ddr_Ddb" && d.version == 848) ||
        std::any_of(std::begin(kCases), std::end(kCases), [&](const Case& c) {
          return std::count(c.layouts.begin(), c.layouts.end(), std::make_pair(d.name, d.version));
        });
    EXPECT_TRUE(covered) << d.name << " " << d.version;
  }
}

const Case& Named(const std::string& name) {
  for (const Case& c : kCases)
    if (Name(c) == name) return c;
  throw std::invalid_argument(name);
}

TEST_F(OldLayouts, NewerLayoutIsRefusedAndOlderOnesAreNotWritten) {
  ddr_Root& root = ddr_Root::Instance();
  Write(path, Named("dia_Step 1001"));
  Execute(path, "UPDATE \"##Classes\" SET \"Version\" = 2000 WHERE \"Class Name\" = 'dia_Step'");
  const std::string newer = "'" + path +
                            "' was written by a newer release of ddb (class dia_Step at version "
                            "2000; this release reads up to version 1037)";
  for (auto attempt : std::vector<std::function<void()>>{
           [&] { root.OpenDdb(rfm_File::Open(path, rfm_Access::Read, true, kUtf8), "", kUtf8); },
           [&] { root.UpgradeDdb(path, kUtf8); }}) {
    EXPECT_EQ(Message<nex_PrimException>(attempt), newer);
  }
  Write(path, Named("dia_Step 434, dia_Increment 434"));
  EXPECT_EQ(Message<nex_CmdException>([&] {
              root.OpenDdb(rfm_File::Open(path, rfm_Access::Update, true, kUtf8), "", kUtf8);
            }),
            "'" + path +
                "' is stored in the layouts of an older release: upgrade it before writing to it");
  EXPECT_FALSE(root.IsMember(path, kUtf8));
}

// True when the file still is the original; otherwise it must be the whole converted file.
bool IsOriginalOrConverted(const std::string& path, const std::string& original, const Case& c,
                           int increments) {
  if (Bytes(path) == original) return true;
  EXPECT_EQ(Query(path, "SELECT \"Version\" FROM \"##Classes\" WHERE \"Class Name\" = 'dia_Step'"),
            1037);
  ReadBack(path, true, c, increments);
  return false;
}

TEST_F(OldLayouts, Upgrade_KilledAnywhereLeavesTheOriginalOrTheCompleteConvertedFile) {
  const Case& c = Named(kRemovingCase);
  const int increments = 20000;
  Write(path, c, increments);
  const std::string original = Bytes(path);
  auto restore = [&] {
    for (const char* suffix : {"-wal", "-shm", ".backup", ".upgrading"})
      std::remove((path + suffix).c_str());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << original;
  };
  auto upgradeInChild = [&] {
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
      ddr_Root::Instance().UpgradeDdb(path, kUtf8);
      _exit(0);
    }
    return pid;
  };
  const auto started = std::chrono::steady_clock::now();
  int status = 0;
  waitpid(upgradeInChild(), &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  const auto duration = std::chrono::duration_cast<std::chrono::microseconds>(
                            std::chrono::steady_clock::now() - started)
                            .count();
  EXPECT_FALSE(IsOriginalOrConverted(path, original, c, increments));
  // Kills land anywhere in the upgrade; runs that end before their kill are not counted.
  std::mt19937 random(20261206);
  std::uniform_int_distribution<long long> delay(0, duration);
  int kills = 0, originals = 0, runs = 0;
  for (; kills < 60 && runs < 400; ++runs) {
    restore();
    pid_t pid = upgradeInChild();
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    if (!WIFSIGNALED(status)) continue;
    ++kills;
    if (IsOriginalOrConverted(path, original, c, increments)) ++originals;
  }
  EXPECT_GE(kills, 50);
  EXPECT_GT(originals, 0);
  std::printf("upgrade of %lld us killed %d times in %d runs: %d originals, %d converted files\n",
              static_cast<long long>(duration), kills, runs, originals, kills - originals);
}
