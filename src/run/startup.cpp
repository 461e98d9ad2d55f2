#include "run/startup.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "base/file_system.h"
#include "base/settings_store.h"
#include "base/source_date.h"
#include "base/text_values.h"
#include "loads/load_case_reader.h"
#include "loads/load_cases.h"
#include "model/geometry.h"
#include "run/arguments.h"
#include "run/run_context.h"
#include "run/terminal.h"
#include "sections/sections.h"
#include "sections/title_block.h"
#include "settings/settings_inputs.h"
#include "summaries/summaries.h"
#include "views/view_files.h"
#include "views/view_options.h"

namespace orvant {

namespace {

const char kLoadLabelMessage[] = "Load label too high - Check or reset CONFIG.INI for maximum";

// The directory --output-dir names, as found: it must exist and be writable.
std::string FindOutputDirectory(FileSystem& files, const std::string& dir) {
  const std::string formed = files.ToLinux(dir);
  std::error_code ec;
  const std::optional<std::string> found = files.Find(dir);
  if (!found || !std::filesystem::is_directory(*found, ec))
    throw RunFault("output directory " + formed + " does not exist");
  if (::access(found->c_str(), W_OK | X_OK) != 0)
    throw RunFault("cannot write in output directory " + formed + ": " + std::strerror(errno));
  return *found;
}

// The model a direct run names: the path itself, or the path less its
// extensions one at a time (a file of the model was named), the first that
// has a model size file. The origin directory is that file's directory.
void NameDirectModel(RunSettings& s, FileSystem& files, const std::string& path) {
  std::string candidate = path;
  std::string lookedFor;
  for (;;) {
    const std::string sizeFile = candidate + ".XSZ";
    if (const std::optional<std::string> found = files.FoundFile(sizeFile)) {
      s.ModelPath = candidate;
      std::filesystem::path dir = std::filesystem::path(*found).parent_path();
      if (dir.empty()) dir = ".";
      std::error_code ec;
      std::filesystem::path absolute = std::filesystem::canonical(dir, ec);
      if (ec) absolute = std::filesystem::absolute(dir, ec).lexically_normal();
      s.OriginDirectory = absolute.string();
      return;
    }
    lookedFor += (lookedFor.empty() ? "" : ", ") + files.ToLinux(sizeFile);
    size_t nameStart = candidate.find_last_of("/\\");
    nameStart = nameStart == std::string::npos ? (candidate.size() > 1 && candidate[1] == ':' ? 2 : 0) : nameStart + 1;  // equivalent: boundary (a one-character name has its terminator at [1])
    const size_t dot = candidate.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) break;
    candidate.resize(dot);
  }
  throw RunFault("no model " + path + ": looked for " + lookedFor);
}

}  // namespace

void StartUp(RunContext& ctx, const Arguments& args, bool openListing) {
  RunSettings& s = ctx.settings;
  const bool direct = args.mode == RunMode::kDirect;
  ctx.batch = args.mode != RunMode::kInteractive;
  // The listing is dated now, or at the moment SOURCE_DATE_EPOCH names.
  const ListingMoment moment = ListingMomentFrom(std::getenv("SOURCE_DATE_EPOCH"));
  s.ListingDate = moment.date;
  s.ListingTime = moment.time;

  SettingsStore store = SettingsStore::Load(SettingsFilePath());
  s.DataDirectory = store.Get("Setup", "Files1");
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    std::string dir = store.Get("Drives", std::string(1, letter));
    if (!dir.empty()) ctx.files.drives[letter] = dir;
  }
  const std::string outputDir = args.outputDir.empty() ? "" : FindOutputDirectory(ctx.files, args.outputDir);

  if (direct) {
    NameDirectModel(s, ctx.files, args.modelPath);
  } else {
    std::string name = s.DataDirectory + (ctx.batch ? "\\BATCH.NAM" : "\\MODEL.NAM");
    TextValues values(ctx.ReadFile(name), name);
    s.ModelPath = values.Text();
    s.OriginDirectory = values.Text();
    s.OriginDirectory = values.Text();
  }
  // Files copied into the listing come from the model's directory or the
  // origin directory only, links resolved.
  ctx.files.AllowCopiesBeside(s.ModelPath);
  ctx.files.AllowCopiesFrom(s.OriginDirectory);

  if (!ctx.batch) ctx.progress.Show();

  // A direct run without a data directory looks for no config.ini.
  std::string configName = s.DataDirectory + "\\config.ini";
  if ((!direct || !s.DataDirectory.empty()) && ctx.FileExists(configName))
    ReadConfig(s, ctx.ReadFile(configName), configName);
  s.MaxLoadLabel = std::max<int16_t>(s.MaxLoadLabel, 99);
  s.LoadItemCapacity = std::max<int16_t>(s.LoadItemCapacity, 502);
  s.SelectedLoadCases.Size(s.MaxLoadLabel);
  s.SelectedCombinations.Size(s.MaxLoadLabel);
  s.SelectedLoadCases.name = "SelectedLoadCases";
  s.SelectedCombinations.name = "SelectedCombinations";

  {
    std::string name = s.ModelPath + ".XSZ";
    ReadModelSize(s, ctx.ReadFile(name), name);
  }
  AllocateModelTables(s, ctx.model);

  std::string field1;
  if (ctx.batch) {
    ParseCommandLine(s, args.options, field1);
  } else {
    std::string name = s.DataDirectory + "\\in.CNT";
    ReadRunControl(s, ctx.ReadFile(name), name, field1);
  }

  DeriveOptionSettings(s, field1);
  ReadCombinationSelection(s, ctx.files);
  ReadResultsSetSelection(s, ctx.files);

  LoadModel(s, ctx.model, ctx.files);
  if (!openListing) return;

  // Neither the listing nor the comment file is written through a symbolic
  // link; both are checked before the listing is emptied. With an output
  // directory both are written there, under the names they have beside the
  // model.
  std::string listingPath = s.ListingPath;
  ctx.comments.path = s.ModelPath + ".LCM";
  if (!outputDir.empty()) {
    listingPath = outputDir + "/" + NameWithoutDirectory(ctx.files.ToLinux(s.ListingPath));
    ctx.comments.path = outputDir + "/" + NameWithoutDirectory(ctx.files.ToLinux(ctx.comments.path));
  }
  const std::string listingFile = ctx.files.PathToWrite(listingPath);
  ctx.files.PathToWrite(ctx.comments.path);
  ctx.listing.Open(listingFile);
  ctx.files.NoteCreated(listingFile);
}

bool CloseAllFiles(RunContext& ctx) {
  // The comment file is written while the listing's last block still is.
  // (A failed write of the listing shows again when it is closed.)
  ctx.listing.HandOver();
  const int commentsError = CloseCommentFile(ctx.comments, ctx.files);
  const std::string listingPath = ctx.listing.path;
  const int listingError = ctx.listing.Close();
  // A file left short or unwritten (a full disk, a folder in its place) is
  // named; the listing's is the failure of the listing procedure too.
  if (listingError != 0) ShowMessage("cannot write " + listingPath + ": " + std::strerror(listingError));
  if (commentsError != 0)
    ShowMessage("cannot write " + ctx.files.PathForCreate(ctx.comments.path) + ": " + std::strerror(commentsError));
  return listingError == 0 && commentsError == 0;
}

void WriteListing(RunContext& ctx) {
  const RunSettings& s = ctx.settings;
  // The summaries and the load case pass read the load cases through one
  // reader: its comment numbering and the header lines it keeps go on from
  // one to the next.
  LoadCaseReader loads(ctx.settings, ctx.model, ctx.comments, ctx.files);
  // The load case files that the summaries read are read meanwhile: only
  // sooner, as the reader would read them itself.
  const bool summaries = s.ListLoadCaseSummary == 1 || s.ListCombinationSummary == 1 || s.ListCombinations == 1;  // equivalent: constant, equality, logical (the headers read ahead are those the reader reads otherwise)
  if (summaries) loads.ReadHeadersAhead();
  WritePrologue(ctx.settings, ctx.listing, ctx.files);
  WriteTitleBlock(ctx.settings, ctx.listing);
  // The title block ends with the active group set's listing.
  if (!s.ActiveGroupSet.empty())
    WriteActiveGroupSet(ctx.settings, ctx.listing, ctx.files, ToInt16(LeadingNumber(s.ActiveGroupSet)));

  if (s.ListModelData != 0) {
    WriteModelSizeParameters(ctx.settings, ctx.listing);
    if (s.BriefModelData != 1) {
      WriteCoordinateSystems(ctx.model, ctx.listing);
      WriteNodalCoordinates(ctx.settings, ctx.model, ctx.listing);
      WriteElementData(ctx.settings, ctx.model, ctx.listing);
      WriteElementOffsets(ctx.settings, ctx.model, ctx.listing);
    }
    WritePipeworkCoefficients(ctx.settings, ctx.model, ctx.listing, ctx.files);
    if (s.BriefModelData != 1) {
      WriteSolidElements(ctx.settings, ctx.model, ctx.listing);
      WriteSpringData(ctx.settings, ctx.model, ctx.listing);
    }
    WriteGeometricProperties(ctx.settings, ctx.model, ctx.listing);
    WriteMaterialProperties(ctx.settings, ctx.model, ctx.listing, ctx.files);
    WriteConstantsTables(ctx.settings, ctx.model, ctx.listing);
    if (s.BriefModelData != 1) WriteRestrainedNodes(ctx.settings, ctx.model, ctx.listing);
  }

  if (s.ListGroupSetSummary == 1) WriteSetSummary(ctx.settings, ctx.listing, ctx.files, ".NSG");
  if (s.ListGroupSets == 1) WriteAllGroupSets(ctx.settings, ctx.listing, ctx.files);
  // The survey's closing empty line is also the one that opens the
  // summaries stretch.
  WriteModelFileSurvey(ctx.settings, ctx.model, ctx.listing, ctx.files);
  ctx.listing.End();

  if (summaries) loads.TakeHeadersAhead();
  if (s.ListLoadCaseSummary == 1) WriteLoadCaseSummary(s, loads, ctx.listing);
  if (s.ListCombinationSummary == 1)
    WriteLoadCombinations(s, loads, ctx.listing, ctx.files, s.ModelPath, s.MaxLoadLabel, 1);
  if (s.ListCombinations == 1) WriteLoadCombinations(s, loads, ctx.listing, ctx.files, s.ModelPath, s.MaxLoadLabel, 2);
  ctx.listing.End();

  // The load cases need only part of the model tables: the rest goes.
  ReleaseTablesNotUsedByLoads(ctx.model);
  WriteLoadCasePass(s, ctx.model, loads, ctx.comments, ctx.listing, ctx.files);
  if (s.ListResultsSetSummary == 1) WriteSetSummary(ctx.settings, ctx.listing, ctx.files, ".NSS");
}

int RunOrvantIn(const std::vector<std::string>& argv) {
  const Arguments args = ParseArguments(argv);
  switch (args.mode) {
    case RunMode::kHelp:
      std::fputs(UsageText(), stdout);
      return kListingComplete;
    case RunMode::kVersion:
      std::fputs(VersionText(), stdout);
      return kListingComplete;
    case RunMode::kBadUse:
      ShowMessage(args.error);
      return kStartUpFailed;
    default:
      break;  // equivalent: statement (the switch ends here)
  }
  auto ctx = std::make_unique<RunContext>();

  // The start-up handler: any failure ends the run without a listing (or
  // without the views). A picture or VTK file asked for is written instead
  // of the listing.
  const ViewOptions& views = args.views;
  try {
    StartUp(*ctx, args, !views.Any());
    if (views.Any()) {
      const std::vector<int16_t> cases = WriteViewFiles(views, ctx->settings, ctx->model, ctx->files);
      ctx->progress.Clear();
      if (!views.picturePath.empty() && cases.size() > 1)
        ShowMessage("note: the picture shows load case " + std::to_string(cases[0]) + ", the first of the " +
                    std::to_string(cases.size()) + " asked for");
      return kListingComplete;
    }
  } catch (const IndexFault& e) {
    ctx->progress.Clear();
    ShowMessage(e.what());
    return kStartUpFailed;
  } catch (const RunFault& e) {
    ctx->progress.Clear();
    ShowMessage(e.what());
    return kStartUpFailed;
  }

  // The listing handler: an index error shows its message, any other
  // failure stops the listing quietly; what was written stays.
  int status = kListingComplete;
  try {
    WriteListing(*ctx);
    ctx->listing.Flush();
  } catch (const IndexFault&) {
    ctx->progress.Clear();
    ShowMessage(kLoadLabelMessage);
    status = kListingStopped;
  } catch (const RunFault&) {
    status = kListingStopped;
  }

  // Close every file: the listing keeps what was written, the comment file
  // gets its records.
  ctx->progress.Clear();
  if (!CloseAllFiles(*ctx) && status == kListingComplete) status = kListingStopped;
  for (const std::string& file : ctx->files.refusedCopies)
    ShowMessage("warning: " + file + " not copied: it links outside the model's directory");
  return status;
}

}  // namespace orvant
