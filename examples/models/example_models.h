#pragma once
// The example models (examples/frame, examples/rack, examples/rack-imperial),
// described in code: make-example writes their files, and tests compare what
// the program makes of them with this description.
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

// A geometric property record of the examples' sections.
inline GeomRec Section(const std::string& prefix, int number, float area, float iy, float iz, float j,
                       int16_t type = 1) {
  GeomRec g;
  g.prefix = prefix, g.number = number, g.area = area, g.iy = iy, g.iz = iz, g.j = j, g.sectionType = type;
  return g;
}

// Every file of the example into dir.
void WriteExampleModel(const std::string& dir);

// The pipe rack example (examples/rack, and in imperial units
// examples/rack-imperial): every file of the model `name` into dir.
void WriteExampleRack(const std::string& dir, const std::string& name, bool imperial);

}  // namespace orvant::testing
