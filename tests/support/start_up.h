#pragma once
// Start-up as a batch run of an option string, or an interactive run when
// it is empty: what the tests start most runs with.
#include <string>

#include "run/arguments.h"
#include "run/run_context.h"
#include "run/startup.h"

namespace orvant::testing {

inline void StartUp(RunContext& ctx, const std::string& commandLine, bool openListing = true) {
  Arguments args;
  args.mode = commandLine.empty() ? RunMode::kInteractive : RunMode::kBatch;
  args.options = commandLine;
  orvant::StartUp(ctx, args, openListing);
}

}  // namespace orvant::testing
