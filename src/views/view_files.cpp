#include "views/view_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "base/faults.h"
#include "base/file_system.h"
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

// Writes content to a new file beside path; its name, or empty on failure.
std::string WriteBeside(const std::string& path, const std::string& content) {
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return {};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string temporary = path + "." + std::to_string(::getpid()) + "-" + std::to_string(attempt) + ".part";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return {};
    bool ok = WriteAll(fd, content) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok) return temporary;
    ::unlink(temporary.c_str());
    return {};
  }
  return {};
}

}  // namespace

void WriteViewFiles(const ViewOptions& options, const RunSettings& settings, const ModelTables& model) {
  const DrawnModel drawn = CollectDrawnModel(settings, model);
  std::vector<PendingFile> files;
  if (!options.picturePath.empty())
    files.push_back({options.picturePath, SvgPicture(settings, model, drawn, options), {}});
  if (!options.vtkPath.empty()) files.push_back({options.vtkPath, VtkFile(settings, drawn), {}});

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
  for (size_t i = 0; i < files.size(); ++i) {
    if (::rename(files[i].temporary.c_str(), files[i].path.c_str()) != 0) {
      const std::string failed = files[i].path;
      for (size_t k = i; k < files.size(); ++k) ::unlink(files[k].temporary.c_str());
      throw RunFault("cannot write " + failed);
    }
  }
}

}  // namespace orvant
