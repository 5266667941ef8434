// ddb upgrade FILE: converts a file written in the layouts of an older release to the current
// layouts, in place and safely: the name holds either the original or the complete new file at
// every moment. A progress bar on a terminal counts the rows converted.
#include <cstdio>

#include "Command.h"

namespace ddbcli {
namespace {

int Run(const Arguments& args) {
  const std::string& path = args.positional;
  std::unique_ptr<Progress> progress;
  const bool upgraded = ddr_Root::Instance().UpgradeDdb(
      path.c_str(), ZunBasStringMode::UTF8, [&](std::int64_t done, std::int64_t total) {
        if (!progress) progress = std::make_unique<Progress>("converting rows", total);
        progress->Show(done);
      });
  std::printf(upgraded ? "%s: upgraded to the current layouts\n" : "%s: already up to date\n",
              path.c_str());
  return kOk;
}

}  // namespace

Command UpgradeCommand() {
  return {
      "upgrade", "Converts a file of an older release to the current layouts, in place and safely",
      "FILE",    true,
      {},        Run};
}

}  // namespace ddbcli
