// Every subcommand of ddb, in the order --help lists them. A new subcommand is one source file
// defining its Command and one line here.
#pragma once

#include <vector>

#include "Command.h"

namespace ddbcli {

Command InfoCommand();
Command TreeCommand();
Command ExplainCommand();
Command PrintCommand();
Command ExportCommand();
Command WatchCommand();
Command CheckCommand();
Command CatalogCommand();
Command UpgradeCommand();

inline std::vector<Command> AllCommands() {
  return {InfoCommand(),  TreeCommand(),  ExplainCommand(), PrintCommand(),  ExportCommand(),
          WatchCommand(), CheckCommand(), CatalogCommand(), UpgradeCommand()};
}

}  // namespace ddbcli
