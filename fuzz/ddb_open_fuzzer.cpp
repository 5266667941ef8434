// libFuzzer target: opens the input as a ddb file and walks the whole job through the public
// read API. Any outcome but a full walk or the library's exception naming the file (a crash, a
// hang, an over-large allocation, another exception) is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "damage/Damage.h"
#include "damage/JobTree.h"

namespace {

const std::string& InputPath() {
  static const std::string path = [] {
    char dir[] = "/tmp/ddb-fuzz-XXXXXX";
    return std::string(mkdtemp(dir)) + "/input.ddb";
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = InputPath();
  for (const char* side : {"-wal", "-shm", "-journal"}) ::unlink((path + side).c_str());
  ddb_damage::WriteBytes(path, std::string(reinterpret_cast<const char*>(data), size));
  try {
    ddb_damage::ReadJob(path);
  } catch (const nex_Exception& e) {
    // A sound file that holds no job yet says so in the record's own words.
    const std::string message = e.what();
    if (message.rfind("'" + path + "'", 0) != 0 && message != "No diagnostic data available")
      std::abort();
  }
  return 0;
}
