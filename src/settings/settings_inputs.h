#pragma once
// The small inputs that fill the run settings: the option string (or
// in.CNT), config.ini, the model size file and the two selection files.
#include <string>

namespace orvant {

struct FileSystem;
struct RunSettings;

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

// The combination selection: the cases of load combination file
// ModelPath + ".C" + CombinationSelection (cleared when there is none).
void ReadCombinationSelection(RunSettings& s, FileSystem& files);
// The results set selection: ModelPath + ".Q" + ResultsSetSelection, a
// heading, then combination labels to the end (cleared when there is none).
void ReadResultsSetSelection(RunSettings& s, FileSystem& files);

}  // namespace orvant
