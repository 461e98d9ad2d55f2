#pragma once
// The state of one run: settings, model tables, the listing, the file
// lookup and the comment file. Owned by the start procedure; WriteListing
// hands each stretch the parts it uses (and makes the load case reader).
#include "listing/listing.h"
#include "loads/comment_file.h"
#include "model/model_tables.h"
#include "base/file_system.h"
#include "run/terminal.h"
#include "settings/run_settings.h"

namespace orvant {

struct RunContext {
  RunSettings settings;
  ModelTables model;
  CommentFile comments;
  Listing listing;
  FileSystem files;
  ProgressLine progress;
  bool batch = true;

  // Whole contents of a model file named in the system's path form
  // (backslashes, drive letters, any letter case).
  std::string ReadFile(const std::string& path) { return files.ReadFile(path); }
  bool FileExists(const std::string& path) { return files.FileExists(path); }
};

}  // namespace orvant
