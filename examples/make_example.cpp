// Writes the example models, each into its own folder of DIRECTORY:
// frame/ (a two-bay portal frame carrying a pipe run on springs, with a
// concrete foundation block, a group set, load cases of every kind,
// combinations, sets and auxiliary files), rack/ (a pipe rack whose load
// cases hold nearly every kind of load line, awkward ones included) and
// rack-imperial/ (the same rack in imperial units).
// Usage: make-example DIRECTORY (examples/ for the committed ones)
#include <cstdio>

#include "examples/models/example_models.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-example DIRECTORY\n");
    return 2;
  }
  const std::string dir = argv[1];
  orvant::testing::WriteExampleModel(dir + "/frame");
  orvant::testing::WriteExampleRack(dir + "/rack", "RACK", false);
  orvant::testing::WriteExampleRack(dir + "/rack-imperial", "RACKIMP", true);
  return 0;
}
