#pragma once

namespace orvant {

struct RunContext;

// Copies the check-run files (".dc1", ".dc2") to the head of the listing
// when there is no listing name or it is REP.
void WritePrologue(RunContext& ctx);
// The title block, ending with the active group set's listing.
void WriteTitleBlock(RunContext& ctx);

}  // namespace orvant
