// Writes the seed corpus of the fuzz targets: the pristine job file and damaged variants of it.
// Usage: make_corpus DIR [VARIANTS [SEED]]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "damage/Damage.h"
#include "damage/JobTree.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_corpus DIR [VARIANTS [SEED]]\n");
    return 2;
  }
  const std::string dir = argv[1];
  const int variants = argc > 2 ? std::atoi(argv[2]) : 300;
  const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 20261206;
  const std::string pristine = dir + "/pristine.ddb";
  ddb_damage::WriteJob(pristine);
  ddb_damage::Generator generator(pristine, seed);
  const std::string scratch = dir + "/scratch.ddb";
  for (int i = 0; i < variants; ++i) {
    generator.Make(i, scratch);
    ddb_damage::WriteBytes(dir + "/variant-" + std::to_string(i) + ".ddb",
                           ddb_damage::ReadBytes(scratch));
  }
  for (const char* side : {"", "-wal", "-shm", "-journal"}) std::remove((scratch + side).c_str());
  return 0;
}
