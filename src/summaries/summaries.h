#pragma once
#include <cstdint>
#include <string>

namespace orvant {

struct RunSettings;
struct ModelTables;
struct LoadCaseRecord;
struct CommentFile;
struct Listing;
struct FileSystem;

// Group and results set summaries (".NSG", ".NSS") and group set listings.
void WriteSetSummary(const RunSettings& s, Listing& out, FileSystem& files, const std::string& extension);
void WriteAllGroupSets(const RunSettings& s, Listing& out, FileSystem& files);
void WriteActiveGroupSet(const RunSettings& s, Listing& out, FileSystem& files, int16_t n);

// The load case summary.
void WriteLoadCaseSummary(RunSettings& s, const ModelTables& m, LoadCaseRecord& loads, CommentFile& c, Listing& out,
                          FileSystem& files);
// The load combinations: mode 1 summary, mode 2 full listing.
void WriteLoadCombinations(const RunSettings& s, const ModelTables& m, LoadCaseRecord& loads, CommentFile& c,
                           Listing& out, FileSystem& files, const std::string& modelPath, int16_t lastLabel,
                           int16_t mode);

}  // namespace orvant
