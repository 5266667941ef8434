#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "Command.h"
#include "ddb/catalog/dia_WarningErrorCodes.h"

namespace ddbcli {

namespace {
constexpr ZunBasStringMode kUtf8 = ZunBasStringMode::UTF8;
}

bool OutputIsTerminal() {
  return isatty(STDOUT_FILENO) != 0;
}

Progress::Progress(const char* what, long total)
    : m_what(what), m_total(total), m_shown(isatty(STDERR_FILENO) != 0) {}

void Progress::Show(long done) const {
  if (!m_shown || m_total <= 0) return;
  const long width = 40, filled = done * width / m_total;
  std::fprintf(stderr, "\r%s [%s%s] %3ld%%", m_what, std::string(filled, '#').c_str(),
               std::string(width - filled, ' ').c_str(), done * 100 / m_total);
  if (done == m_total) std::fprintf(stderr, "\n");
}

void ReportError(const std::string& file, const std::string& message) {
  std::fflush(stdout);
  if (file.empty() || message.find(file) != std::string::npos)
    std::fprintf(stderr, "ddb: %s\n", message.c_str());
  else
    std::fprintf(stderr, "ddb: '%s': %s\n", file.c_str(), message.c_str());
}

namespace {
rfm_FileHandle OpenForRead(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
    throw Failure("'" + path + "' is a directory, not a ddb file");
  return rfm_File::Open(path, rfm_Access::Read, true, kUtf8);
}
}  // namespace

OpenedJob::OpenedJob(const std::string& path)
    : m_path(path), m_file(OpenForRead(path)), m_snapshot(m_file) {
  m_name = ddr_Root::Instance().OpenDdb(m_file, "", kUtf8);
}

OpenedJob::~OpenedJob() {
  m_snapshot.End();
  ddr_Root::Instance().CloseDdb(m_name, kUtf8);
}

const ddr_Ddb& OpenedJob::Ddb() const {
  return ddr_Root::Instance().ConstGet(m_name, kUtf8);
}

const dia_DiagnosticData& OpenedJob::Job() const {
  const ddr_Ddb& ddb = Ddb();
  if (ddb.GetNumberOfDiagnosticData() == 0)
    throw Failure("'" + m_path + "' holds no job diagnostics");
  return ddb.ConstGetDiagnosticData();
}

std::string CutbackReasons(const dia_Attempt& attempt) {
  std::string text;
  for (int c = 0; c < attempt.GetNumberOfCutbackDiagnostics(); ++c) {
    if (c > 0) text += ", ";
    text +=
        EnumName<dia_CutbackDiagnosticEnum>(static_cast<unsigned>(attempt.GetCutbackDiagnostic(c)));
  }
  return text;
}

std::string Plural(int n, const char* noun) {
  return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

std::string Hex(unsigned code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", code);
  return text;
}

std::string NodeDof(const cow_String& instance, int node, int dof) {
  std::string text = instance.empty() ? "" : instance.str() + ".";
  return text + std::to_string(node) + " dof " + std::to_string(dof);
}

const dia_Residual* WorstResidual(const dia_Iteration& iteration) {
  const dia_Residual* worst = nullptr;
  for (int r = 0; r < iteration.GetNumberOfResiduals(); ++r) {
    const dia_Residual& residual = iteration.ConstGetResidualByIndex(r);
    if (!worst || residual.GetMaxResidual() > worst->GetMaxResidual()) worst = &residual;
  }
  return worst;
}

TreeCounts CountTree(const dia_DiagnosticData& job) {
  TreeCounts n;
  n.steps = job.GetNumberOfSteps();
  n.warnings = job.GetNumberOfAnalysisWarnings();
  n.errors = job.GetNumberOfAnalysisErrors();
  for (int s = 0; s < n.steps; ++s) {
    const dia_Step& step = job.ConstGetStepByIndex(s);
    for (int i = 0; i < step.GetNumberOfIncrements(); ++i) {
      const dia_Increment& increment = step.ConstGetIncrementByIndex(i);
      ++n.increments;
      if (increment.IsConverged()) ++n.convergedIncrements;
      for (int a = 0; a < increment.GetNumberOfAttempts(); ++a) {
        const dia_Attempt& attempt = increment.ConstGetAttemptByIndex(a);
        ++n.attempts;
        if (attempt.IsCutback()) ++n.cutbacks;
        n.iterations += attempt.GetNumberOfIterations();
        increment.ReleaseAttempt(a);
      }
      step.ReleaseIncrement(i);
    }
    job.ReleaseStep(s);
  }
  return n;
}

bool ParseCode(const std::string& text, unsigned& code) {
  for (const dia_WarningErrorCodeName& named : dia_WarningErrorCodes) {
    const std::string name = named.name;
    if (text == name || text == name.substr(name.find("::") + 2)) {
      code = named.code;
      return true;
    }
  }
  try {
    std::size_t used = 0;
    const unsigned long value = std::stoul(text, &used, 0);
    if (used != text.size() || value > 0xFFFFFFFFul) return false;
    code = static_cast<unsigned>(value);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace ddbcli
