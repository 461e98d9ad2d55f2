#include "views/view_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <vector>

#include "base/faults.h"
#include "base/file_system.h"
#include "loads/comment_file.h"
#include "loads/listed_loads.h"
#include "loads/load_case_reader.h"
#include "loads/load_cases.h"
#include "settings/run_settings.h"
#include "views/drawn_loads.h"
#include "views/drawn_model.h"
#include "views/svg_picture.h"
#include "views/vtk_export.h"

namespace orvant {

namespace {

struct PendingFile {
  std::string path;
  std::string content;
  std::string temporary;  // written, not yet renamed
};

// A name beside path for the files of this run.
std::string BesideName(const std::string& path, int attempt) {
  return path + "." + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".part";
}

// Names tried beside a file, one after another; as many are never all taken.
constexpr int kNameAttempts = 100;  // equivalent: constant

// Writes content to a new file beside path; its name, or empty on failure.
std::string WriteBeside(const std::string& path, const std::string& content) {
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return {};  // equivalent: constant (a folder there fails at the rename alike)
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {  // equivalent: boundary, constant (see kNameAttempts)
    std::string temporary = BesideName(path, attempt);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd == -1 && errno == EEXIST) continue;
    if (fd == -1) return {};
    bool ok = WriteAll(fd, content) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) return temporary;
    ::unlink(temporary.c_str());
    return {};
  }
  return {};
}

// Links the file at path to a new name beside it: that name, or empty when
// there is no file there or it cannot be linked.
std::string LinkBeside(const std::string& path) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {  // equivalent: boundary, constant (see kNameAttempts)
    std::string name = BesideName(path, attempt);
    if (::link(path.c_str(), name.c_str()) == 0) return name;
    if (errno != EEXIST) break;
  }
  return {};
}

}  // namespace

std::vector<int16_t> LoadCasesAskedFor(const ViewOptions& options, const RunSettings& s, FileSystem& files) {
  std::vector<int16_t> cases;
  for (const CaseRange& range : options.loadCases) {
    const size_t before = cases.size();
    for (int c = range.first; c <= range.last && c <= s.MaxLoadLabel; ++c)
      if (files.FileExists(LoadCaseFileName(s, c))) cases.push_back(static_cast<int16_t>(c));
    if (cases.size() > before) continue;
    const std::string first = std::to_string(range.first), last = std::to_string(range.last);
    if (options.allLoadCases) throw RunFault("the model has no load case");
    if (range.first != range.last) throw RunFault("no load case from " + first + " to " + last + " exists");
    if (range.first > s.MaxLoadLabel)
      throw RunFault("load case " + first + " is above the maximum load label " + std::to_string(s.MaxLoadLabel));
    throw RunFault("load case " + first + " does not exist: no file " +
                   files.ToLinux(LoadCaseFileName(s, range.first)));
  }
  std::sort(cases.begin(), cases.end());
  cases.erase(std::unique(cases.begin(), cases.end()), cases.end());
  return cases;
}

std::vector<int16_t> WriteViewFiles(const ViewOptions& options, const RunSettings& settings, const ModelTables& model,
                                    FileSystem& fileSystem) {
  const DrawnModel drawn = CollectDrawnModel(settings, model);
  const std::vector<int16_t> cases = LoadCasesAskedFor(options, settings, fileSystem);

  // The cases as the listing reads them, whatever its load case selection;
  // their comment records stay in memory.
  std::vector<DrawnCase> drawnCases;
  std::optional<DrawnCase> pictureCase;
  if (!cases.empty()) {
    RunSettings every = settings;
    every.SelectedCaseCount = 0;
    CommentFile comments;
    comments.loaded = true;
    LoadCaseReader reader(every, model, comments, fileSystem);
    ListedText texts(settings, model);
    for (int16_t c : cases) {
      reader.Restart(false, c);
      const LoadCase* lc = reader.Next();
      if (!lc || lc->label != c) throw RunFault("cannot read load case " + std::to_string(c));
      if (!options.picturePath.empty() && !pictureCase)
        pictureCase = CollectDrawnCase(settings, model, drawn, *lc, &texts);
      if (options.vtkPath.empty()) break;
      drawnCases.push_back(CollectDrawnCase(settings, model, drawn, *lc, nullptr));
    }
  }

  std::vector<PendingFile> files;
  if (!options.picturePath.empty())
    files.push_back({options.picturePath,
                     SvgPicture(settings, model, drawn, options, pictureCase ? &*pictureCase : nullptr), {}});
  if (!options.vtkPath.empty()) files.push_back({options.vtkPath, VtkFile(settings, drawn, drawnCases), {}});

  auto dropWritten = [&files] {
    for (PendingFile& f : files)
      if (!f.temporary.empty()) ::unlink(f.temporary.c_str());
  };
  for (PendingFile& f : files) {
    f.temporary = WriteBeside(f.path, f.content);
    if (f.temporary.empty()) {
      dropWritten();
      throw RunFault("cannot write " + f.path);
    }
  }
  // An older file at a name stays linked beside it until every new file is
  // in place: when one cannot be, those already put in place are undone.
  std::vector<std::string> older(files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    older[i] = LinkBeside(files[i].path);
    if (::rename(files[i].temporary.c_str(), files[i].path.c_str()) != 0) {
      for (size_t k = i; k < files.size(); ++k) ::unlink(files[k].temporary.c_str());
      if (!older[i].empty()) ::unlink(older[i].c_str());
      for (size_t k = 0; k < i; ++k) {
        if (!older[k].empty()) ::rename(older[k].c_str(), files[k].path.c_str());
        else ::unlink(files[k].path.c_str());
      }
      throw RunFault("cannot write " + files[i].path);
    }
  }
  for (const std::string& kept : older)
    if (!kept.empty()) ::unlink(kept.c_str());
  return cases;
}

}  // namespace orvant
