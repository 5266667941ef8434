// Every record of a job, every field set to a value of its own (no default, no two alike where
// the kind allows), written and read back in a fresh process: what the reader's walk prints equals
// what the writer's walk printed, identities included. A field that is not written, not read, or
// read into another member shows as a difference.
#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>

#include "JobFile.h"
#include "TestFiles.h"
#include "damage/JobTree.h"
#include "ddb/diagnostics/dia_Error.h"
#include "ddb/diagnostics/dia_Warning.h"

using namespace ddb_test;
using ddb_damage::Data;
using ddb_damage::Diagnostic;
using ddb_damage::FullIteration;

namespace {

dia_Step FullStep() {
  dia_Step step(2, "Load", 17, true, true);
  step.SetIncrementationControls(dia_IncrementationSchemeEnum::FIXED_INCREMENTATION, 2.0, 0.1, 1e-5,
                                 0.5, 100);
  step.m_stepTimeCompleted = 1.5;
  step.m_incrementsCompleted = 3;
  step.m_isStabilized = true;
  step.m_stabilizeFactor = 2e-4;
  step.m_isUnsymm = true;
  step.m_isNlgeom = true;
  step.m_solverCode = 8;
  step.m_extrapolationCode = 9;
  step.m_characteristicElementLength = 0.03;
  step.m_ActiveXplStatus.Values() = {4, 5};
  cow_List<double> realv{0.5, 1e9}, none;
  step.AddXplStatus(dia_XplStatus(17, 1024, "PART-5", realv));
  step.AddXplStatus(dia_XplStatus(18, 0, "", none));
  step.AddXplStatus(dia_XplStatus());
  step.AddContactDiagnostic(Diagnostic<dia_ContactDiagnostic>(0x01000080, 7));
  dia_Increment inc(6, 0.2);
  inc.SetStepTimeCompleted(0.8);
  dia_Attempt cut(1, 0.2);
  cut.AddCutbackDiagnostic(3);
  cut.AddIteration(dia_Iteration(1));
  inc.AddAttempt(cut);
  dia_Attempt attempt(2, 0.125);
  attempt.AddCutbackDiagnostic(1);
  attempt.AddCutbackDiagnostic(7);
  attempt.SetNeedsReordering();
  attempt.SetAutoStabilize();
  attempt.AddIteration(FullIteration(1));
  attempt.AddIteration(FullIteration(2));
  inc.AddAttempt(attempt);
  inc.AddElementDiagnostic(Diagnostic<dia_ElementDiagnostic>(0x02000040, 9));
  step.AddIncrement(inc);
  return step;
}

dia_DiagnosticData FullJob() {
  dia_DiagnosticData job;
  job.SetNumDomains(4);
  job.SetXplDoublePrecision(true);
  job.SetJobStatus(3);
  job.SetJobCpuTimes(1.5, 0.25, 2.0);
  job.AddStep(FullStep());
  job.AddStep(dia_Step(3, "Riks", 2, false, true));
  job.UpdateJobHistoryDescription(1, 2, 3, true, false, true, {});
  dia_Warning warning(0x01010020, 2, 5, 1, 3);
  warning.AddData(Data(30));
  job.AddAnalysisWarning(warning);
  dia_Error error(0x0A010020, 4, 6, 2, 1);
  error.SetInternalErrorString("solver stopped");
  error.AddData(Data(40));
  job.AddAnalysisError(error);
  job.AddAnalysisError(error);  // a copy: stored once, read back as the same record
  return job;
}

// The walk of the job without its own identity: the top record of a file is given one when read.
std::string Walk(const dia_DiagnosticData& job) {
  ddb_damage::Dump dump(true);
  dump.Job(job);
  return dump.Text().substr(dump.Text().find('\n'));
}

}  // namespace

TEST(dia_RecordTree, EveryFieldOfEveryRecordReadsBackInAFreshProcess) {
  ScratchDir dir;
  const std::string path = dir.Path("tree.ddb");
  const dia_DiagnosticData job = FullJob();
  const std::string written = Walk(job);
  JobFile::Create(path).Save(job);
  EXPECT_EQ(
      InChild([&] {
        dia_DiagnosticData back = JobFile::Open(path).Load();
        EXPECT_EQ(Walk(back), written);
        // The element set is not stored: a block for an element read back is kept again.
        dia_Iteration& it =
            back.GetStepByIndex(0).GetIncrementByIndex(0).GetAttemptByIndex(1).GetIterationByIndex(
                0);
        it.GetElementDiagnosticByIndex(0).AddData(Data(5));
        EXPECT_EQ(it.ConstGetElementDiagnosticByIndex(0).GetData().Length(), 3);
        // The walk does not show a status's identities: its equality compares them.
        for (int i = 0; i < 3; ++i)
          EXPECT_EQ(back.ConstGetStepByIndex(0).ConstGetXplStatusByIndex(i),
                    job.ConstGetStepByIndex(0).ConstGetXplStatusByIndex(i));
      }),
      0);
  // Enumerations are stored by their canonical names; the copy of the error writes none of its
  // parts again.
  const std::pair<const char*, long long> rows[] = {
      {"dia_Step WHERE m_incrementationScheme = 'FIXED_INCREMENTATION'", 1},
      {"dia_Residual WHERE m_fieldEquationType = 'SHARED_LM_VOLUME_FIELD' AND m_residualCheck = "
       "'RESIDUAL_ACCEPTED' AND m_correctionCheck = 'CORRECTION_ACCEPTED_ESTIMATED_CORRECTION'",
       2},
      {"dia_CompatibilityError WHERE m_constraintEquationType = "
       "'TRANSVERSE_SHEAR_FORCE_CONSTRAINT'",
       2},
      {"dia_Error", 1},
      {"dia_WarningErrorBase", 2}};
  for (const auto& [stored, count] : rows)
    EXPECT_EQ(Query(path, std::string("SELECT COUNT(*) FROM ") + stored), count) << stored;
}

// A copy is the same stored object (copies are the compiler's); every constructor of a record
// gives a new one an identity of its own.
template <class... T>
void ExpectCopiesShareIdentity(const T&... records) {
  const auto expect = [](const auto& record) {
    using R = std::decay_t<decltype(record)>;
    SCOPED_TRACE(typeid(R).name());
    EXPECT_EQ(R(record).Uid(), record.Uid());
    EXPECT_NE(R().Uid(), R().Uid());
    EXPECT_NE(R().Uid(), record.Uid());
    EXPECT_FALSE(record.Uid().IsNull());
  };
  (expect(records), ...);
}

TEST(dia_RecordTree, CopiesShareIdentityNewRecordsDoNot) {
  const dia_DiagnosticData job = FullJob();
  const dia_Step& step = job.ConstGetStepByIndex(0);
  const dia_Increment& inc = step.ConstGetIncrementByIndex(0);
  const dia_Iteration& it = inc.ConstGetAttemptByIndex(1).ConstGetIterationByIndex(0);
  ExpectCopiesShareIdentity(
      job, step, inc, inc.ConstGetAttemptByIndex(1), it, it.ConstGetResidualByIndex(0),
      it.ConstGetCompatibilityErrorByIndex(0), it.ConstGetContactIterationByIndex(0),
      it.ConstGetContactDiagnosticByIndex(0), it.ConstGetElementDiagnosticByIndex(0),
      it.ConstGetElementDiagnosticByIndex(0).GetData().ConstGet(0),
      job.ConstGetAnalysisWarningByIndex(0), job.ConstGetAnalysisErrorByIndex(0),
      dia_DiagnosticBase(7));
  EXPECT_NE(dia_XplStatus(), dia_XplStatus());
  // A derived record is stored as one row per class: each part has an identity of its own.
  const dia_Error& error = job.ConstGetAnalysisErrorByIndex(0);
  EXPECT_NE(error.Uid(), error.dia_WarningErrorBase::Uid());
  EXPECT_NE(error.dia_WarningErrorBase::Uid(), error.dia_DiagnosticBase::Uid());
  const dia_ContactDiagnostic& contact = it.ConstGetContactDiagnosticByIndex(0);
  EXPECT_NE(contact.Uid(), contact.dia_DiagnosticBase::Uid());
}
