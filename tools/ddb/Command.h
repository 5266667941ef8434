// The ddb command's subcommands. Each is one source file that returns a Command: its name,
// help, arguments and the function that runs it. main.cpp turns the list in Commands.h into the
// command line; nothing here depends on the argument parser.
//
// Exit codes: 0 when the subcommand did what it was asked, 1 when it reported an error (on
// stderr, naming the file), 2 for a usage error (unknown option, missing or malformed argument).
#pragma once

#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ddb/database/ddr_Root.h"
#include "ddb/diagnostics/dia_DiagnosticData.h"

namespace ddbcli {

enum ExitCode { kOk = 0, kError = 1, kUsage = 2 };

// A failure that ends the subcommand with exit code 1; the message is printed as it stands.
struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

enum class ArgKind { Flag, Integer, Text };

struct OptionSpec {
  std::string name;  // "--step"
  ArgKind kind;
  std::string help;
  std::vector<std::string> choices = {};  // for Text options: the accepted values
};

// What the parser found: the positional argument and the options given (flags as "1").
struct Arguments {
  std::string positional;
  std::map<std::string, std::string> options;

  bool Has(const std::string& name) const { return options.count(name) > 0; }
  int Int(const std::string& name) const { return std::stoi(options.at(name)); }
  std::string Text(const std::string& name, const std::string& fallback) const {
    auto it = options.find(name);
    return it == options.end() ? fallback : it->second;
  }
};

struct Command {
  std::string name;
  std::string summary;
  std::string positional;  // "FILE" or "CODE"
  bool positionalRequired;
  std::vector<OptionSpec> options;
  int (*run)(const Arguments&);
};

// Standard output is a terminal (progress bars only then).
bool OutputIsTerminal();
// A progress bar on stderr while it is a terminal; nothing otherwise.
class Progress {
 public:
  Progress(const char* what, long total);
  void Show(long done) const;

 private:
  const char* m_what;
  long m_total;
  bool m_shown;
};

// Prints "ddb: <message>" on stderr, with the file named when the message does not name it.
void ReportError(const std::string& file, const std::string& message);

// A ddb file opened read-only through the library and read in one snapshot (rfm_ReadSnapshot):
// a subcommand sees one state of the file, however far a running writer gets meanwhile. The
// snapshot ends and the file closes when the object goes.
class OpenedJob {
 public:
  explicit OpenedJob(const std::string& path);
  ~OpenedJob();
  OpenedJob(const OpenedJob&) = delete;
  OpenedJob& operator=(const OpenedJob&) = delete;

  const std::string& Path() const { return m_path; }
  const ddr_Ddb& Ddb() const;
  const dia_DiagnosticData& Job() const;
  rfm_FileHandle File() const { return m_file; }

 private:
  std::string m_path;
  rfm_FileHandle m_file;
  rfm_ReadSnapshot m_snapshot;
  cow_String m_name;
};

// The canonical name of an enumeration value, "UNKNOWN(v)" outside its table.
template <class E>
std::string EnumName(unsigned value) {
  const char* name = omu_PrimEnum<E, 1>::NameOf(value);
  return name ? name : "UNKNOWN(" + std::to_string(value) + ")";
}
std::string CutbackReasons(const dia_Attempt& attempt);  // "A, B" or ""
std::string Plural(int n, const char* noun);             // "1 attempt", "2 attempts"
std::string Hex(unsigned code);                          // "0x4A0A0040"
// "PLATE-1.42 dof 2" (the instance part only when there is one).
std::string NodeDof(const cow_String& instance, int node, int dof);
// The residual of an iteration with the largest maximum residual, or null when it has none.
const dia_Residual* WorstResidual(const dia_Iteration& iteration);

// Counts taken from the records themselves, not from progress fields a solver may leave unset.
struct TreeCounts {
  int steps = 0, increments = 0, convergedIncrements = 0, attempts = 0, cutbacks = 0;
  int iterations = 0, warnings = 0, errors = 0;
};
TreeCounts CountTree(const dia_DiagnosticData& job);

}  // namespace ddbcli

namespace ddbcli {
// A diagnostic code given as hexadecimal ("0x4A0A0040"), decimal, or the name of a warning or
// error constant with or without its namespace ("TOO_MANY_ATTEMPTS"). False when it is none.
bool ParseCode(const std::string& text, unsigned& code);
}  // namespace ddbcli
