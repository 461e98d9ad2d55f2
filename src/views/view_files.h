#pragma once
// Writing the picture and the VTK file that the options ask for, from the
// model tables as loaded.
#include "views/view_options.h"

namespace orvant {

struct RunSettings;
struct ModelTables;

// Writes every file the options name, all or none: each is written whole
// beside its final name first, and only when every one was written are they
// put in place. Throws RunFault "cannot write FILE" naming the first that
// could not be written; nothing of any of them is left then.
void WriteViewFiles(const ViewOptions& options, const RunSettings& settings, const ModelTables& model);

}  // namespace orvant
