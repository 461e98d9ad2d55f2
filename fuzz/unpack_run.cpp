// orvant-unpack-run ROOT INPUT: writes one input of the whole-run fuzz target
// as the target writes it (config.ini and the model's files, the settings
// store and BATCH.NAM) into a new installation at ROOT, an absolute path
// that must not exist yet, and prints the arguments the target runs the
// program with, one a line. The run's XDG_CONFIG_HOME is ROOT/config.
// scripts/compare-builds runs two builds on the fuzz corpus this way.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "fuzz_support.h"

using namespace orvant::fuzz;

int main(int argc, char** argv) {
  if (argc != 3 || argv[1][0] != '/') {
    std::fputs("usage: orvant-unpack-run ROOT INPUT (ROOT an absolute path)\n", stderr);
    return 2;
  }
  const auto input = ReadWholeFile(argv[2]);
  if (!input || ::mkdir(argv[1], 0755) != 0) {
    std::perror(input ? argv[1] : argv[2]);
    return 2;
  }
  const RunTree tree{argv[1]};
  tree.Create();
  const Pack pack = Unpack(reinterpret_cast<const uint8_t*>(input->data()), input->size(), kRunSlotCount);
  tree.Write(pack);
  for (const std::string& arg : tree.Arguments(pack)) std::printf("%s\n", arg.c_str());
  return 0;
}
