#include "ddb/diagnostics/dia_DiagnosticData.h"

#include <cstdint>

#include "ddb/frame/ZunRomDia.h"
#include "ddb/platform/nex_Exception.h"
#include "frame/cls_Layout.h"

using namespace cls_kind;

template <>
struct cls_LayoutOf<dia_DiagnosticData> : cls_LayoutRows<dia_DiagnosticData> {
  static constexpr Row kRows[] = {
      {"m_jobStatus", kInt, At<&T::m_jobStatus>},
      {"m_jobUserTime", kDouble, At<&T::m_jobUserTime>},
      {"m_jobSystemTime", kDouble, At<&T::m_jobSystemTime>},
      {"m_jobWallclockTime", kDouble, At<&T::m_jobWallclockTime>},
      {"m_stepList", kObjectList, At<&T::m_stepList>},
      // Stored and read in pages (cls_PagedArrayInt), declared as an integer array.
      {"m_jobHistoryDescription", kIntArray, At<&T::m_jobHistoryDescription>},
      {"m_warningList", kObjectList, At<&T::m_warningList>},
      {"m_errorList", kObjectList, At<&T::m_errorList>},
      {"m_doublePrecision", kBool, At<&T::m_doublePrecision>},
      {"m_numDomains", kInt, At<&T::m_numDomains>},
  };
  static constexpr cls_Layout<T> kLayout{"dia_DiagnosticData", dia_TypeId_DiagnosticData, 1037,
                                         &T::m_uid, kRows};
};

CLS_DEFINE_PROTOCOL(dia_DiagnosticData)

namespace {

// Offsets inside the header and inside a step block.
constexpr int kStepCount = 0, kJobSums = 1, kJobFlags = 4;
constexpr int kBlockCount = 1, kPerturbation = 3, kStepSums = 4, kBlockZeros = 7;

// Walks `steps` step blocks, taking every increment block to be `blockLength` long. Returns the
// index of the last step block when the walk meets well-formed blocks (perturbation entry 0 or
// 1, trailing entries zero) and ends exactly at the end of the history, else -1.
int WalkSteps(const cow_List<int>& h, int steps, std::int64_t blockLength) {
  const std::int64_t length = h.Length();
  std::int64_t p = dia_DiagnosticData::kHeaderSize;
  std::int64_t last = -1;
  for (int k = 0; k < steps; ++k) {
    if (p + dia_DiagnosticData::kStepBlockSize > length) return -1;
    int i = static_cast<int>(p);
    if (h[i + kPerturbation] != 0 && h[i + kPerturbation] != 1) return -1;
    if (h[i + kBlockCount] < 0) return -1;
    for (int z = kBlockZeros; z < dia_DiagnosticData::kStepBlockSize; ++z)
      if (h[i + z] != 0) return -1;
    last = p;
    p += dia_DiagnosticData::kStepBlockSize + h[i + kBlockCount] * blockLength;
    if (p > length) return -1;
  }
  return p == length ? static_cast<int>(last) : -1;
}

}  // namespace

dia_DiagnosticData::dia_DiagnosticData()
    : m_jobHistoryDescription(kHeaderSize), m_uid(cls_Uid::AllocateUid()) {}

// The last-step offset is not stored. After reading it is recomputed from the history when first
// needed, as the index of the last step block (FindLastStepBlock), or -1 when the history does
// not show it: a reader that never asks reads only the pages of the history it uses.
dia_DiagnosticData::dia_DiagnosticData(const cls_ReadVisitor& reader)
    : m_lastStepOffset(kOffsetUnknown) {
  cls_LayoutOf<dia_DiagnosticData>::kLayout.Read(reader, *this);
  CheckHeaderAfterRead();
}

int dia_DiagnosticData::LastStepOffset() const {
  if (m_lastStepOffset == kOffsetUnknown) m_lastStepOffset = FindLastStepBlock();
  return m_lastStepOffset;
}

void dia_DiagnosticData::CheckHeaderAfterRead() {
  cls_PagedArrayInt& h = m_jobHistoryDescription;
  if (h.Length() > kStepCount && h.At(kStepCount) != m_stepList.Length()) h.Set(kStepCount, 0);
}

// The header and the last step's block change with every update: their pages stay in memory.
void dia_DiagnosticData::KeepChangingHistory() {
  m_jobHistoryDescription.Keep({{0, kHeaderSize}, {m_lastStepOffset, kStepBlockSize}});
}

// The history does not record how long an increment block is (the caller decides), so the
// walk assumes one length for every increment block of the job and tries each length that
// divides what follows the header and the step blocks. The offset is taken only when every
// length that fits gives the same last block; otherwise it stays unknown rather than guessed.
int dia_DiagnosticData::FindLastStepBlock() const {
  const int steps = m_stepList.Length();
  const cow_List<int> h = m_jobHistoryDescription.Values();
  const std::int64_t rest =
      static_cast<std::int64_t>(h.Length()) - kHeaderSize - std::int64_t{kStepBlockSize} * steps;
  if (steps == 0 || rest < 0) return -1;
  if (rest == 0) return WalkSteps(h, steps, 1);
  int found = -1;
  for (std::int64_t d = 1; d * d <= rest; ++d) {
    if (rest % d != 0) continue;
    for (std::int64_t length : {d, rest / d}) {
      int offset = WalkSteps(h, steps, length);
      if (offset < 0) continue;
      if (found >= 0 && found != offset) return -1;
      found = offset;
    }
  }
  return found;
}

void dia_DiagnosticData::AddStep(const dia_Step& step) {
  m_stepList.Append(step);
  cls_PagedArrayInt& h = m_jobHistoryDescription;
  m_lastStepOffset = h.Length();
  KeepChangingHistory();
  h.Append(step.GetStepNumber());
  h.Append(0);
  h.Append(step.GetProcedureCode());
  h.Append(step.IsPerturbation() ? 1 : 0);
  for (int i = 4; i < kStepBlockSize; ++i) h.Append(0);
  h.Set(kStepCount, h.At(kStepCount) + 1);
}

dia_Step& dia_DiagnosticData::GetStepByNumber(int number) {
  const int n = m_stepList.Length();
  for (int i = 0; i < n; ++i) {
    dia_Step& step = m_stepList.Get(i);
    if (step.GetStepNumber() == number) return step;
  }
  return m_stepList.Get(n - 1);
}

void dia_DiagnosticData::SetJobCpuTimes(double user, double system, double wallclock) {
  m_jobUserTime = user;
  m_jobSystemTime = system;
  m_jobWallclockTime = wallclock;
}

void dia_DiagnosticData::GetJobCpuTimes(double& user, double& system, double& wallclock) const {
  user = m_jobUserTime;
  system = m_jobSystemTime;
  wallclock = m_jobWallclockTime;
}

void dia_DiagnosticData::UpdateJobHistoryDescription(int a, int b, int c, bool f1, bool f2, bool f3,
                                                     const cow_List<int>& incrementBlock) {
  const int steps = m_stepList.Length();
  const bool known = m_lastStepOffset != kOffsetUnknown;
  const int s = LastStepOffset();
  if (!known) KeepChangingHistory();
  if (steps > 0 && s < 0)
    DDB_THROW(nex_PrimException,
              "dia_DiagnosticData::UpdateJobHistoryDescription - the block of step %d cannot be "
              "found in the job history",
              steps);
  // A history read back empty (a file that stored none) starts with a zero header.
  cls_PagedArrayInt& h = m_jobHistoryDescription;
  while (h.Length() < kHeaderSize) h.Append(0);
  const int sums[] = {a, b, c};
  const bool flags[] = {f1, f2, f3};
  for (int i = 0; i < 3; ++i) {
    h.Set(kJobSums + i, h.At(kJobSums + i) + sums[i]);
    if (flags[i]) h.Set(kJobFlags + i, 1);
  }
  if (steps == 0) return;
  for (int i = 0; i < 3; ++i) h.Set(s + kStepSums + i, h.At(s + kStepSums + i) + sums[i]);
  if (incrementBlock.IsEmpty()) return;
  const int r = h.At(s + kBlockCount) + 1;
  if (m_stepList.ConstGet(steps - 1).GetNumberOfIncrements() != r) return;
  for (int v : incrementBlock) h.Append(v);
  h.Set(s + kBlockCount, r);
}

void dia_DiagnosticData::FlushAndReleaseWarnings() {
  m_warningList.Flush();
  for (int i = 0; i < m_warningList.Length(); ++i) m_warningList.Release(i);
}

void dia_DiagnosticData::FlushAndReleaseErrors() {
  m_errorList.Flush();
  for (int i = 0; i < m_errorList.Length(); ++i) m_errorList.Release(i);
}
