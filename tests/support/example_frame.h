#pragma once
// The bundled example model (examples/frame), described in code: make-example
// writes its files, and tests compare what the program makes of them with
// this description.
#include <string>
#include <vector>

#include "support/model_builder.h"

namespace orvant::testing {

// The model files' description: a two-bay portal frame (Y up) carrying a pipe
// run on springs, with a concrete foundation block.
TestModel ExampleFrame();

// Group set 1 of the example: (kind, label, group) with kind 1 element,
// 2 node, 3 spring/couple.
struct GroupEntry {
  int kind = 0, label = 0, group = 0;
};
std::vector<GroupEntry> ExampleGroups();

// Every file of the example into dir.
void WriteExampleModel(const std::string& dir);

}  // namespace orvant::testing
