#pragma once

namespace orvant {

struct RunSettings;
struct Listing;
struct FileSystem;

// Copies the check-run files (".dc1", ".dc2") to the head of the listing
// when there is no listing name or it is REP.
void WritePrologue(const RunSettings& s, Listing& out, FileSystem& files);
// The title block, ending with the active group set's listing.
void WriteTitleBlock(const RunSettings& s, Listing& out);

}  // namespace orvant
