#pragma once
// Large models for the benchmark: every kind of model data, a group set that
// covers every entity, load cases of every entry kind with comments, saved
// totals and combinations, written as a whole installation (settings, name
// files, config.ini, model files) with the test support.
#include <string>

#include "support/model_builder.h"

namespace orvant::bench {

struct ModelSize {
  std::string label;           // "N", "2N", "max"
  int nodes = 15000;
  int elements = 15000;        // one in 100 a solid element
  int springs = 350;           // springs/couples
  int geomCodes = 100;         // geometric property codes
  int matCodes = 25;           // material codes
  int springCodes = 10;        // spring property codes
  int cases = 150;             // load cases .L1 .. .L<cases>
  int entriesPerCase = 500;    // load entries (data lines) per case
  int commentsPerCase = 10;    // COM lines per case, spread among the entries
  int combinations = 25;       // .C1 .. .C<combinations>
  int casesPerCombination = 6;
  int groups = 20;             // groups 1..groups of the group set
  int groupLimit = 10;         // group range mode: -groupLimit in option field 13
  int maxLoadLabel = 999;      // config.ini
  int loadItemCapacity = 500;  // config.ini

  // The same model with every count that grows with the model doubled.
  ModelSize Doubled(const std::string& newLabel) const;
};

// The model sizes of the benchmark.
ModelSize SizeN();
ModelSize SizeMax();

// Writes the whole installation of a model of that size.
void WriteBenchModel(const ModelSize& size, testing::TestInstall& install);

// The option string the benchmark lists with: everything listed, group set
// 1 active, group range mode up to the group limit.
std::string BenchOptions(const ModelSize& size);

}  // namespace orvant::bench
