// ddb_testing: the C++ side of the Python module's tests. It registers the database test
// classes (a concrete model, result, user data and custom data) in the process and writes files
// with them or with a long job.
#include <pybind11/pybind11.h>

#include <string>

#include "database/DatabaseTestClasses.h"
#include "ddb/database/ddr_Root.h"

namespace py = pybind11;

namespace {

constexpr ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;

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
  m.def("write_long_job", &WriteLongJob);
}
