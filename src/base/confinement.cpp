#include "base/confinement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "base/faults.h"

namespace orvant {

namespace {

// The real path of a file or directory (links resolved); empty when it
// cannot be had.
std::string RealPath(const std::string& linuxPath) {
  std::unique_ptr<char, decltype(&std::free)> real(realpath(linuxPath.c_str(), nullptr), &std::free);
  return real ? std::string(real.get()) : std::string();
}

bool Within(std::string_view real, std::string_view root) {
  if (root == "/") return true;
  return real.substr(0, root.size()) == root && (real.size() == root.size() || real[root.size()] == '/');
}

}  // namespace

void FileSystem::AllowLinuxDirectory(const std::string& formed) {
  const auto dir = formed.empty() ? std::nullopt : Resolve(formed, true);
  const std::string real = dir ? RealPath(dir->path) : std::string();
  if (!real.empty() && std::find(copyRoots.begin(), copyRoots.end(), real) == copyRoots.end())
    copyRoots.push_back(real);
}

void FileSystem::AllowCopiesFrom(std::string_view directory) { AllowLinuxDirectory(ToLinux(directory)); }

void FileSystem::AllowCopiesBeside(std::string_view path) {
  const std::string formed = ToLinux(path);
  const size_t slash = formed.rfind('/');  // the slash kept, so "/x" gives "/"
  AllowLinuxDirectory(slash == std::string::npos ? std::string(".") : formed.substr(0, slash + 1));
}

std::optional<std::string> FileSystem::ReadCopy(std::string_view path) {
  const std::string formed = ToLinux(path);
  const auto found = FoundLinux(formed);
  const int fd = found ? open(found->c_str(), O_RDONLY | O_CLOEXEC) : -1;
  if (fd < 0) throw RunFault("cannot open " + formed);
  // The file opened must be the one that its real path names: a link
  // changed after the check would otherwise slip through.
  const std::string real = RealPath(*found);
  struct stat atPath, opened;
  bool inside = !real.empty() && stat(real.c_str(), &atPath) == 0 && fstat(fd, &opened) == 0 &&
                atPath.st_dev == opened.st_dev && atPath.st_ino == opened.st_ino;
  inside = inside && std::any_of(copyRoots.begin(), copyRoots.end(),
                                 [&real](const std::string& root) { return Within(real, root); });
  if (!inside) {
    close(fd);
    if (std::find(refusedCopies.begin(), refusedCopies.end(), *found) == refusedCopies.end())
      refusedCopies.push_back(*found);
    return std::nullopt;
  }
  std::optional<std::string> data = ReadOpenedText(fd);
  if (!data) throw RunFault("cannot open " + formed);
  return data;
}

std::string FileSystem::PathToWrite(std::string_view path) {
  std::optional<Resolved> dir;
  const std::string target = CreateTarget(path, dir);
  if (dir && dir->linkByCase)
    throw RunFault("not written: " + target + " lies behind a symbolic link named in another letter case");
  struct stat st;
  if (lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
    throw RunFault("not written: " + target + " is a symbolic link");
  return target;
}

int OpenToWrite(const std::string& linuxPath) {
  return open(linuxPath.c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
}

}  // namespace orvant
