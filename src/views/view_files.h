#pragma once
// Writing the picture and the VTK file that the options ask for, from the
// model tables as loaded.
#include <cstdint>
#include <vector>

#include "views/view_options.h"

namespace orvant {

struct RunSettings;
struct ModelTables;
struct FileSystem;

// The load cases that the options name, in ascending order, each once:
// every case of a range that has a file, up to the maximum load label (the
// load case selection of the listing does not select). Throws RunFault
// when a case named alone has no file, or a range none.
std::vector<int16_t> LoadCasesAskedFor(const ViewOptions& options, const RunSettings& settings, FileSystem& files);

// Writes every file the options name, all or none: each is written whole
// beside its final name first, and only when every one was written are they
// put in place. The picture draws the first load case asked for, the VTK
// file has them all; the cases are read as the listing reads them, but no
// comment file is written. Throws RunFault "cannot write FILE" naming the
// first that could not be written; nothing of any of them is left then,
// and older files at their names are as they were.
// Returns the load cases asked for.
std::vector<int16_t> WriteViewFiles(const ViewOptions& options, const RunSettings& settings, const ModelTables& model,
                                    FileSystem& files);

}  // namespace orvant
