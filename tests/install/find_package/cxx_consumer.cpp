// Writes a two-step job into a new ddb, closes it, reads it back and prints what it read.
#include <cstdio>
#include <exception>

#include "ddb/ddb.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  const auto utf8 = ZunBasStringMode::UTF8;
  try {
    ddr_Root& root = ddr_Root::Instance();
    const cow_String name = root.CreateDdb(argv[1], "consumer", utf8);
    root.SaveDdb(name, true, utf8);
    dia_DiagnosticData& job = root.Get(name, utf8).GetDiagnosticData();
    job.AddStep(dia_Step(1, "Step-1", 1, false, false));
    job.AddStep(dia_Step(2, "Step-2", 1, false, false));
    job.AddAnalysisError(dia_Error(dia_ErrorCode::TOO_MANY_ATTEMPTS, 2, 1, 5, 0));
    job.FlushSteps();
    job.FlushAndReleaseErrors();
    root.SaveDdb(name, true, utf8);
    root.CloseDdb(name, utf8);

    const cow_String read =
        root.OpenDdb(rfm_File::Open(argv[1], rfm_Access::Read, true, utf8), "", utf8);
    const dia_DiagnosticData& back = root.ConstGet(read, utf8).ConstGetDiagnosticData();
    std::printf("read back %d steps, last \"%s\", error 0x%08X\n", back.GetNumberOfSteps(),
                back.ConstGetStepByIndex(back.GetNumberOfSteps() - 1).GetStepName().c_str(),
                static_cast<unsigned>(back.ConstGetAnalysisErrorByIndex(0).GetType()));
    root.CloseDdb(read, utf8);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "consumer: %s\n", e.what());
    return 1;
  }
  return 0;
}
