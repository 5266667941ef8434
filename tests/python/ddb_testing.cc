// ddb_testing: the C++ side of the Python module's tests. It registers the database test
// classes (a concrete model, result, user data and custom data) in the process, writes files
// with them or with a long job, and reports the script path of every shortcut into a file with
// the identity of the object the shortcut resolves to, for the tests to compare with what
// Python reads.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <string>

#include "database/DatabaseTestClasses.h"
#include "ddb/database/ddr_DdbShortcutImpl.h"
#include "ddb/database/ddr_DictionaryShortcut.h"
#include "ddb/database/ddr_MemberShortcut.h"
#include "ddb/database/ddr_Root.h"
#include "ddb/platform/ZunBasUtlVersion.h"

namespace py = pybind11;

namespace {

constexpr ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

// The database of a file for the length of a call: opened read-only and closed again, or the
// one already open in the process (by the module under test), left open.
struct OpenHere {
  explicit OpenHere(const std::string& path) {
    ddr_Root& root = ddr_Root::Instance();
    wasOpen = root.IsMember(path, kUtf8);
    name = wasOpen ? root.GetPersistentName(path, kUtf8)
                   : root.OpenDdb(rfm_File::Open(path, rfm_Access::Read, true, kUtf8), "", kUtf8);
  }
  ~OpenHere() {
    if (!wasOpen) ddr_Root::Instance().CloseDdb(name, kUtf8);
  }
  bool wasOpen;
  cow_String name;
};

// A database with two models and one element in each named collection.
void WriteDatabase(const std::string& path) {
  ddb_test::UseDatabaseTestClasses();
  ddr_Root& root = ddr_Root::Instance();
  const cow_String name = root.CreateDdb(path, "script paths", kUtf8);
  ddr_Ddb& ddb = root.Get(name, kUtf8);
  ddb.GetModels().Insert("Model-1", ddb_test::Model("Model-1"));
  ddb.GetModels().Insert("Beam model", ddb_test::Model("Beam model", "mm"));
  ddb.GetResults().Insert("r", ddb_test::Result(2.5));
  ddb.GetUserData().Insert("u", ddb_test::UserData("note"));
  ddb.GetCustomData().Insert("c", ddb_test::CustomData(7));
  root.SaveDdb(name, true, kUtf8);
  root.CloseDdb(name, kUtf8);
}

py::dict Resolved(const omu_ShortcutBase& shortcut, const char* kind, std::int64_t uid) {
  py::dict d;
  d["kind"] = kind;
  d["path"] = shortcut.PythonPath().str();
  d["uid"] = uid;
  return d;
}

template <class M>
py::dict ResolvedMap(const omu_ShortcutBase& shortcut, const char* kind, const M& map) {
  py::dict d = Resolved(shortcut, kind, map.Uid().Value());
  py::list keys;
  for (const cow_String& k : map.Keys()) keys.append(k.str());
  d["keys"] = keys;
  return d;
}

// Every shortcut into the file, rendered while the given product edition runs, and what each
// resolves to through the root's container.
py::list ScriptPaths(const std::string& path, int edition) {
  ddb_test::UseDatabaseTestClasses();
  ddr_Root& root = ddr_Root::Instance();
  const OpenHere open(path);
  const cow_String& name = open.name;
  ZunBasUtlVersion::Instance().SetProduct(static_cast<ZunBasUtlVersion::Product>(edition));
  py::list out;
  ddr_DdbShortcut ddb(new ddr_DdbShortcutImpl(name));
  ddr_ModelContainerShortcut models(new ddr_ModelContainerInDdbShortcut(ddb));
  ddr_ResultContainerShortcut results(new ddr_ResultContainerInDdbShortcut(ddb));
  ddr_UserDataContainerShortcut userData(new ddr_UserDataContainerInDdbShortcut(ddb));
  ddr_CustomDataContainerShortcut customData(new ddr_CustomDataContainerInDdbShortcut(ddb));
  ddr_DdbContainer& container = root.Fetch();
  // A database record takes a fresh identity each time it is read: its persistent name and file
  // name identify it.
  py::dict database = Resolved(ddb, "ddb", 0);
  database["name"] = ddb.ConstGet(container).Name().str();
  out.append(database);
  out.append(ResolvedMap(models, "models", models.ConstGet(container)));
  out.append(ResolvedMap(results, "result", results.ConstGet(container)));
  out.append(ResolvedMap(userData, "userData", userData.ConstGet(container)));
  out.append(ResolvedMap(customData, "customData", customData.ConstGet(container)));
  for (const cow_String& key : models.ConstGet(container).Keys()) {
    ddr_ModelShortcut model(new ddr_ModelInModelContainerShortcut(key, models));
    py::dict d = Resolved(model, "model", model.ConstGet(container).Uid().Value());
    d["name"] = model.ConstGet(container).ModelName().str();
    out.append(d);
  }
  ZunBasUtlVersion::Instance().SetProduct(ZunBasUtlVersion::ProductSolver);
  return out;
}

// A job of `increments` increments with one attempt of `iterations` iterations each, every
// iteration with one displacement residual; streamed and released as a solver does.
void WriteLongJob(const std::string& path, int increments, int iterations) {
  ddr_Root& root = ddr_Root::Instance();
  const cow_String name = root.CreateDdb(path, "long job", kUtf8);
  root.SaveDdb(name, true, kUtf8);
  dia_DiagnosticData& job = root.Get(name, kUtf8).GetDiagnosticData();
  job.AddStep(dia_Step(1, "Step-1", 1, false, false));
  job.FlushSteps();
  dia_Step& step = job.GetStepByIndex(0);
  for (int i = 0; i < increments; ++i) {
    step.AddIncrement(dia_Increment(i + 1, 0.1));
    step.FlushIncrements();
    dia_Increment& inc = step.GetIncrementByIndex(i);
    inc.AddAttempt(dia_Attempt(1, 0.1));
    inc.FlushAttempts();
    dia_Attempt& attempt = inc.GetAttemptByIndex(0);
    for (int k = 0; k < iterations; ++k) {
      dia_Iteration it(k + 1);
      it.AddResidual(dia_Residual(dia_FieldVariableEnum::DISPLACEMENT_FIELD,
                                  dia_ResidualCheckEnum::RESIDUAL_NOT_ACCEPTED,
                                  dia_CorrectionCheckEnum::CORRECTION_NOT_ACCEPTED, 0, false, 1, 1,
                                  false, 1.0 / (k + 1), k, "PART-1", 1, 0, 0, "", 0, 0, 0, "", 0));
      attempt.AddIteration(it);
      attempt.FlushIterations();
      attempt.ReleaseIteration(k);
    }
    inc.FlushAttempts();
    inc.ReleaseAttempt(0);
    step.FlushIncrements();
    step.ReleaseIncrement(i);
  }
  job.FlushSteps();
  job.ReleaseStep(0);
  root.SaveDdb(name, true, kUtf8);
  root.CloseDdb(name, kUtf8);
}

}  // namespace

PYBIND11_MODULE(ddb_testing, m) {
  m.def("write_database", &WriteDatabase);
  m.def("script_paths", &ScriptPaths, py::arg("path"), py::arg("edition") = 0);
  m.def("write_long_job", &WriteLongJob);
  m.attr("SOLVER") = static_cast<int>(ZunBasUtlVersion::ProductSolver);
  m.attr("ORVEL") = static_cast<int>(ZunBasUtlVersion::ProductOrvel);
  m.attr("LUMET") = static_cast<int>(ZunBasUtlVersion::ProductLumet);
}
