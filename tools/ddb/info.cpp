// ddb info FILE: the job's names, versions, times, models and status, and the counts of its
// steps, increments, attempts, iterations, warnings and errors, counted from the records.
#include <cstdio>

#include "Command.h"

namespace ddbcli {
namespace {

int Run(const Arguments& args) {
  OpenedJob opened(args.positional);
  const ddr_Ddb& ddb = opened.Ddb();
  std::printf("file: %s\n", args.positional.c_str());
  std::printf("description: %s\n", ddb.Description().c_str());
  std::printf("created: %s\n", ddb.CreateTime().c_str());
  std::printf("modified: %s\n", ddb.ModifyTime().c_str());
  std::printf("analysis version: %s\n", ddb.AnalysisVersion().c_str());
  std::printf("ddb version: %d\n", ddb.DdbVersion());
  std::string models;
  for (const cow_String& name : ddb.ConstGetModels().Keys())
    models += (models.empty() ? "" : ", ") + name.str();
  std::printf("models: %d%s%s\n", ddb.ConstGetModels().Length(), models.empty() ? "" : " (",
              models.empty() ? "" : (models + ")").c_str());
  if (ddb.GetNumberOfDiagnosticData() == 0) {
    std::printf("job: none\n");
    return kOk;
  }
  const dia_DiagnosticData& job = opened.Job();
  double user = 0, system = 0, wall = 0;
  job.GetJobCpuTimes(user, system, wall);
  std::printf("job status: %s\n",
              EnumName<dia_JobStatusEnum>(static_cast<unsigned>(job.GetJobStatus())).c_str());
  std::printf("cpu times: user %g s, system %g s, wall clock %g s\n", user, system, wall);
  const TreeCounts n = CountTree(job);
  std::printf("steps: %d\n", n.steps);
  std::printf("increments: %d (%d converged)\n", n.increments, n.convergedIncrements);
  std::printf("attempts: %d (%d cut back)\n", n.attempts, n.cutbacks);
  std::printf("iterations: %d\n", n.iterations);
  std::printf("warnings: %d\n", n.warnings);
  std::printf("errors: %d\n", n.errors);
  return kOk;
}

}  // namespace

Command InfoCommand() {
  return {"info", "Names, versions, times, models and counts of a job's records", "FILE", true, {},
          Run};
}

}  // namespace ddbcli
