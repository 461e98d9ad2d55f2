// Writes the bundled example model: a two-bay portal frame carrying a pipe
// run on springs, with a concrete foundation block, a group set, load cases
// of every kind, combinations, sets and auxiliary files.
// Usage: make-example DIRECTORY
#include <cstdio>

#include "support/example_frame.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-example DIRECTORY\n");
    return 2;
  }
  orvant::testing::WriteExampleModel(argv[1]);
  return 0;
}
