#pragma once
// The start procedure: settings, name file, config.ini, model size file,
// options, selections, geometry, group set, then the listing.
#include <string>
#include <vector>

namespace orvant {

struct RunContext;
struct RunSettings;

// Exit status of a run.
enum ExitStatus { kListingComplete = 0, kListingStopped = 1, kStartUpFailed = 2 };

// Runs the program for the given arguments (argv without the program name):
// start-up, listing, close. Returns the exit status.
int RunOrvantIn(const std::vector<std::string>& args);

// Start-up, from the default settings to the opened listing. Throws
// IndexFault or RunFault on a start-up failure.
void StartUp(RunContext& ctx, const std::string& commandLine);

// Option fields: stores field number fieldNo (1..17) of the command line;
// field 1 goes to field1. Fields beyond 17 are ignored.
void StoreOptionField(RunSettings& s, int fieldNo, const std::string& text, std::string& field1);
// Walks the command line: every "/" closes a field; text after the last
// "/" is never stored.
void ParseCommandLine(RunSettings& s, const std::string& commandLine, std::string& field1);
// Reads the 17 values of in.CNT (listing name first).
void ReadRunControl(RunSettings& s, const std::string& text, const std::string& fileName, std::string& field1);
// config.ini: LoadItemCapacity and MaxLoadLabel with their floors.
void ReadConfig(RunSettings& s, const std::string& text, const std::string& fileName);
// The model size file's 20 values.
void ReadModelSize(RunSettings& s, const std::string& text, const std::string& fileName);
// The settings derived from the options (brief mode, selections trimmed,
// field 1, group limit and mode, listing name and path).
void DeriveOptionSettings(RunSettings& s, const std::string& field1);

// The listing procedure: every section in its fixed order.
void WriteListing(RunContext& ctx);

// Closes the listing (keeping what was written) and writes the comment
// file back. False when a file could not be written.
bool CloseAllFiles(RunContext& ctx);

}  // namespace orvant
