#pragma once
#include <cstdint>
#include <string>

namespace orvant {

struct RunSettings;
struct LoadCaseReader;
struct Listing;
struct FileSystem;

// Group and results set summaries (".NSG", ".NSS") and group set listings.
void WriteSetSummary(const RunSettings& s, Listing& out, FileSystem& files, const std::string& extension);
void WriteAllGroupSets(const RunSettings& s, Listing& out, FileSystem& files);
void WriteActiveGroupSet(const RunSettings& s, Listing& out, FileSystem& files, int16_t n);

// The load case summary: every case read for its header lines and totals.
void WriteLoadCaseSummary(const RunSettings& s, LoadCaseReader& reader, Listing& out);
// The load combinations: mode 1 summary, mode 2 full listing. Each case of a
// combination is read for its header lines and totals.
void WriteLoadCombinations(const RunSettings& s, LoadCaseReader& reader, Listing& out, FileSystem& files,
                           const std::string& modelPath, int16_t lastLabel, int16_t mode);

}  // namespace orvant
