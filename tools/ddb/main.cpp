// ddb: reads the diagnostics of analysis jobs kept in ddb files. One program with subcommands
// (Commands.h); this file turns their descriptions into the command line.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>

#include "Commands.h"

namespace {

using namespace ddbcli;

const char kFooter[] =
    "Exit status: 0 when the subcommand did what was asked, 1 when it reported an error (on\n"
    "stderr, naming the file), 2 for a usage error.";

// Declares a command's positional argument and options on its subcommand.
void Declare(CLI::App& sub, const Command& command, Arguments& arguments) {
  const std::string positional = command.positional == "CODE" ? "code" : "file";
  sub.add_option(positional, arguments.positional, command.positional)
      ->required(command.positionalRequired);
  for (const OptionSpec& spec : command.options) {
    if (spec.kind == ArgKind::Flag) {
      sub.add_flag(spec.name, spec.help);
      continue;
    }
    CLI::Option* option = sub.add_option(spec.name, spec.help);
    option->type_name(spec.kind == ArgKind::Integer ? "N" : "TEXT");
    if (spec.kind == ArgKind::Integer) option->check(CLI::Range(0, 1 << 30));
    if (!spec.choices.empty()) option->check(CLI::IsMember(spec.choices));
  }
}

// The options given on the command line, by name.
void Collect(const CLI::App& sub, const Command& command, Arguments& arguments) {
  for (const OptionSpec& spec : command.options) {
    const CLI::Option* option = sub.get_option(spec.name);
    if (option->count() == 0) continue;
    arguments.options[spec.name] = spec.kind == ArgKind::Flag ? "1" : option->as<std::string>();
  }
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app("Reads the diagnostics of analysis jobs kept in ddb files.", "ddb");
  app.footer(kFooter);
  app.require_subcommand(1);
  const std::vector<Command> commands = AllCommands();
  std::vector<Arguments> arguments(commands.size());
  std::vector<CLI::App*> subs;
  for (std::size_t c = 0; c < commands.size(); ++c) {
    subs.push_back(app.add_subcommand(commands[c].name, commands[c].summary));
    subs.back()->footer(kFooter);
    Declare(*subs.back(), commands[c], arguments[c]);
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = app.exit(e);
    return code == 0 ? kOk : kUsage;
  }
  for (std::size_t c = 0; c < commands.size(); ++c) {
    if (!subs[c]->parsed()) continue;
    Collect(*subs[c], commands[c], arguments[c]);
    try {
      const int status = commands[c].run(arguments[c]);
      std::fflush(stdout);
      return status;
    } catch (const std::exception& e) {
      ReportError(commands[c].positional == "FILE" ? arguments[c].positional : "", e.what());
      return kError;
    }
  }
  return kUsage;
}
