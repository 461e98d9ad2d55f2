#pragma once
// The start procedure: settings, name file, config.ini, model size file,
// options, selections, geometry, group set, then the listing.
#include <string>
#include <vector>

namespace orvant {

struct Arguments;
struct RunContext;
struct RunSettings;

// Exit status of a run.
enum ExitStatus { kListingComplete = 0, kListingStopped = 1, kStartUpFailed = 2 };

// Runs the program for the given arguments (argv without the program name):
// usage, or start-up, listing, close. Returns the exit status.
int RunOrvantIn(const std::vector<std::string>& args);

// Start-up, from the default settings to the opened listing, in the mode
// the arguments give (direct, batch or interactive); without the listing
// when openListing is false (the views are written instead). Throws
// IndexFault or RunFault on a start-up failure.
void StartUp(RunContext& ctx, const Arguments& args, bool openListing = true);

// The listing procedure: every section in its fixed order.
void WriteListing(RunContext& ctx);

// Closes the listing (keeping what was written) and writes the comment
// file back. False when a file could not be written.
bool CloseAllFiles(RunContext& ctx);

}  // namespace orvant
