#pragma once
// A run context prepared for the load sections of one listed case: every
// node exists, every element has a span, the record's tables are sized.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "loads/load_sections.h"
#include "run/run_context.h"
#include "support/model_builder.h"

namespace loadsec {

using namespace orvant;

class LoadSectionTest : public ::testing::Test {
 protected:
  RunContext ctx;

  void SetUp() override {
    ctx.settings.MaxNodeLabel = 12345;
    ctx.settings.MaxElementLabel = 12345;
    ctx.settings.MaxSpringLabel = 0;
    ctx.settings.PhysicalPropertyCount = 12;
    AllocateModelTables(ctx.settings, ctx.model);
    for (int n = 1; n <= ctx.settings.MaxNodeLabel; ++n) ctx.model.NodeExists[n] = 1;
    for (int e = 1; e <= ctx.settings.MaxElementLabel; ++e) {
      ctx.model.ElemNode1[e] = 1;
      ctx.model.ElemNode2[e] = 2;
    }
    LoadCaseRecord& r = ctx.loads;
    r.capacity = 20;
    r.prescribedDisplacements.entries.Size(r.capacity);
    r.nodalLoads.entries.Size(r.capacity);
    r.nodalTemperatures.entries.Size(r.capacity);
    r.pointLoads.entries.Size(r.capacity);
    r.distributedLoads.entries.Size(r.capacity);
    r.faceLoads.entries.Size(r.capacity);
    r.elementTempPress.Size(ctx.settings.MaxElementLabel);
    r.propertyUdl.Size(ctx.settings.PhysicalPropertyCount);
    r.propertyTempPress.Size(ctx.settings.PhysicalPropertyCount);
  }

  void Units(int converted, int imperial) {
    ctx.settings.ConvertedUnits = static_cast<int16_t>(converted);
    ctx.settings.ImperialUnits = static_cast<int16_t>(imperial);
  }

  template <class T>
  T& Add(EntryTable<T>& table) {
    ++table.count;
    return table.entries[table.count];
  }

  std::vector<std::string> Lines() const { return orvant::testing::ListingLines(ctx.listing.buffer); }
  void Clear() {
    ctx.listing.buffer.clear();
    ctx.listing.column = 1;
  }
};

// Lines from position first on.
inline std::vector<std::string> From(const std::vector<std::string>& lines, size_t first) {
  if (first >= lines.size()) return {};
  return {lines.begin() + static_cast<long>(first), lines.end()};
}

}  // namespace loadsec
