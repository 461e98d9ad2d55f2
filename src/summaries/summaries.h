#pragma once
#include <cstdint>
#include <string>

namespace orvant {

struct RunContext;

// Group and results set summaries (".NSG", ".NSS") and group set listings.
void WriteSetSummary(RunContext& ctx, const std::string& extension);
void WriteAllGroupSets(RunContext& ctx);
void WriteActiveGroupSet(RunContext& ctx, int16_t n);

// The load case summary.
void WriteLoadCaseSummary(RunContext& ctx);
// The load combinations: mode 1 summary, mode 2 full listing.
void WriteLoadCombinations(RunContext& ctx, const std::string& modelPath, int16_t lastLabel, int16_t mode);

}  // namespace orvant
