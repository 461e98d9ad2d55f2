#include "base/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <compare>
#include <cstring>
#include <numeric>
#include <optional>
#include <utility>

#include "base/faults.h"
#include "base/text_values.h"

namespace orvant {

namespace {

// Ordering and equality of names without regard to ASCII letter case.
std::strong_ordering CompareFolded(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    auto x = static_cast<unsigned char>(UpperAscii(a[i]));
    auto y = static_cast<unsigned char>(UpperAscii(b[i]));
    if (x != y) return x <=> y;
  }
  return a.size() <=> b.size();
}

bool EqualFolded(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareFolded(a, b) == 0;
}

// Wildcard match, '*' any run and '?' one character, without regard to
// ASCII letter case.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
  size_t n = 0, p = 0;
  // The last '*' met and where in the name its run ends so far: when the
  // rest does not match, the run takes one more character.
  std::optional<std::pair<size_t, size_t>> star;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = {p++, n};
    } else if (p < pattern.size() && (pattern[p] == '?' || UpperAscii(pattern[p]) == UpperAscii(name[n]))) {
      ++p;
      ++n;
    } else if (star) {
      p = star->first + 1;
      n = ++star->second;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}


// A directory and a name in it, joined. "." stands for the working
// directory and is left out of the joined path.
std::string Join(const std::string& dir, std::string_view name) {
  if (dir == ".") return std::string(name);
  std::string out = dir;
  if (out.empty() || out.back() != '/') out += '/';
  out += name;
  return out;
}

// Where a name is, or would go, in a listing sorted by byte order.
template <class List>
auto ExactPlace(List& list, std::string_view name) {
  return std::lower_bound(list.begin(), list.end(), name,
                          [](const FileSystem::DirEntry& e, std::string_view n) { return e.name.compare(n) < 0; });
}

// A Linux path's directory part (with its last slash, so "/x" has dir "/")
// and its last name.
struct PathParts {
  std::string_view dir, name;
};
PathParts SplitLast(std::string_view path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {{}, path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

}  // namespace

std::string FileSystem::ToLinux(std::string_view path) const {
  std::string out;
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'))) {
    auto drive = drives.find(UpperAscii(path[0]));
    if (drive != drives.end()) {
      out = drive->second;
      while (!out.empty() && (out.back() == '/' || out.back() == '\\')) out.pop_back();
      path.remove_prefix(2);
      if (path.empty()) {
        if (out.empty()) out.push_back('/');
      } else if (path[0] != '/' && path[0] != '\\') {
        out += '/';
      }
    }
  }
  out.reserve(out.size() + path.size());  // equivalent: statement (room only)
  for (char c : path) out += c == '\\' ? '/' : c;
  return out;
}

const std::vector<FileSystem::DirEntry>& FileSystem::Listing(const std::string& dir) {
  auto found = listings.find(dir);
  if (found != listings.end()) return found->second;

  ++directoryReads;
  std::vector<DirEntry> entries;
  if (const std::unique_ptr<DIR, int (*)(DIR*)> d{opendir(dir.c_str()), closedir}; d) {
    while (const dirent* e = readdir(d.get())) {
      std::string_view name = e->d_name;
      if (name == "." || name == "..") continue;
      DirEntry entry{std::string(name), e->d_type == DT_DIR, e->d_type == DT_REG, e->d_type == DT_LNK};
      if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
        const std::string path = Join(dir, name);
        struct stat st;
        if (e->d_type == DT_UNKNOWN) entry.isLink = lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
        if (stat(path.c_str(), &st) != 0) continue;  // a dangling link names nothing
        entry.isDir = S_ISDIR(st.st_mode);
        entry.isFile = S_ISREG(st.st_mode);
      }
      entries.push_back(std::move(entry));
    }
    std::sort(entries.begin(), entries.end(),
              [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });  // equivalent: boundary (no two names are equal)
  } else if (errno != ENOENT && errno != ENOTDIR) {
    unlistable.insert(dir);
  }
  return listings.emplace(dir, std::move(entries)).first->second;
}

bool FileSystem::Listable(const std::string& dir) {
  Listing(dir);
  return unlistable.count(dir) == 0;
}

const std::vector<size_t>& FileSystem::FoldedOrder(const std::string& dir) {
  auto found = foldedOrder.find(dir);
  if (found != foldedOrder.end()) return found->second;
  const std::vector<DirEntry>& list = Listing(dir);
  std::vector<size_t> order(list.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return CompareFolded(list[a].name, list[b].name) < 0; });
  return foldedOrder.emplace(dir, std::move(order)).first->second;
}

const FileSystem::DirEntry* FileSystem::Lookup(const std::string& dir, std::string_view name, bool mustBeDir) {
  const std::vector<DirEntry>& list = Listing(dir);
  auto exact = ExactPlace(list, name);
  if (exact != list.end() && exact->name == name && (!mustBeDir || exact->isDir)) return &*exact;

  // Equal names without regard to case sit together in the folded order,
  // in byte order among themselves.
  const std::vector<size_t>& order = FoldedOrder(dir);
  auto it = std::lower_bound(order.begin(), order.end(), name,
                             [&](size_t i, std::string_view n) { return CompareFolded(list[i].name, n) < 0; });
  for (; it != order.end() && EqualFolded(list[*it].name, name); ++it)
    if (!mustBeDir || list[*it].isDir) return &list[*it];
  return nullptr;
}

std::optional<FileSystem::Resolved> FileSystem::Resolve(std::string_view path, bool mustBeDir) {
  if (path.empty()) return std::nullopt;
  Resolved r;
  r.path.assign(1, path[0] == '/' ? '/' : '.');

  // Every component followed by another (even "." or "..") or by a final
  // slash must be a directory.
  size_t i = 0;
  while (i < path.size()) {
    while (i < path.size() && path[i] == '/') ++i;
    if (i >= path.size()) break;
    size_t end = path.find('/', i);
    if (end == std::string_view::npos) end = path.size();
    std::string_view name = path.substr(i, end - i);
    i = end;
    bool needDir = mustBeDir || i < path.size();

    if (name == ".") continue;
    if (name == "..") {
      r.path = Join(r.path, "..");
      continue;
    }
    if (!Listable(r.path)) {
      // A directory that cannot be listed: only the exact name can be tried.
      std::string next = Join(r.path, name);
      struct stat st;
      if (stat(next.c_str(), &st) != 0 || (needDir && !S_ISDIR(st.st_mode))) return std::nullopt;
      r.path = std::move(next);
      continue;
    }
    const DirEntry* entry = Lookup(r.path, name, needDir);
    if (!entry) return std::nullopt;
    if (entry->name != name) {
      r.exact = false;
      if (entry->isLink) r.linkByCase = true;
    }
    r.path = Join(r.path, entry->name);
  }
  return r;
}

std::optional<FileSystem::Resolved> FileSystem::ResolveName(std::string_view path) {
  const auto [dirPart, name] = SplitLast(path);
  auto cached = resolvedDirectories.find(std::string(dirPart));
  if (cached == resolvedDirectories.end())
    cached = resolvedDirectories.emplace(std::string(dirPart), ResolveDirectoryPart(dirPart)).first;
  if (!cached->second) return std::nullopt;
  const Resolved& dir = *cached->second;

  // The last step of Resolve, from the remembered directory.
  Resolved r;
  if (!Listable(dir.path)) {
    r.path = Join(dir.path, name);
    struct stat st;
    if (stat(r.path.c_str(), &st) != 0) return std::nullopt;
    r.isFile = S_ISREG(st.st_mode);
    r.exact = dir.exact;
    return r;
  }
  const DirEntry* entry = Lookup(dir.path, name, false);
  if (!entry) return std::nullopt;
  r.path = Join(dir.path, entry->name);
  r.isFile = entry->isFile;
  r.exact = dir.exact && entry->name == name;
  return r;
}

std::optional<FileSystem::Resolved> FileSystem::ResolveDirectoryPart(std::string_view dirPart) {
  if (dirPart.empty()) return Resolved{"."};
  return Resolve(dirPart, true);
}

std::optional<std::string> FileSystem::Find(std::string_view path) {
  std::string formed = ToLinux(path);
  bool trailingSlash = !formed.empty() && formed.back() == '/';
  auto r = Resolve(formed, trailingSlash);
  if (!r) return std::nullopt;
  return std::move(r->path);
}

bool FileSystem::FileExists(std::string_view path) {
  std::string formed = ToLinux(path);
  if (!formed.empty() && formed.back() == '/') return false;
  auto r = ResolveName(formed);
  return r && r->isFile;
}

std::vector<std::string> FileSystem::Search(std::string_view pattern) {
  std::vector<std::string> names;
  std::string formed = ToLinux(pattern);
  const auto [dirPart, namePattern] = SplitLast(formed);
  auto dir = ResolveDirectoryPart(dirPart);
  if (!dir) return names;
  for (const DirEntry& e : Listing(dir->path))
    if (e.isFile && MatchesPattern(e.name, namePattern)) names.push_back(e.name);
  return names;
}

std::string FileSystem::PathForCreate(std::string_view path) {
  std::optional<Resolved> dir;
  return CreateTarget(path, dir);
}

std::string FileSystem::CreateTarget(std::string_view path, std::optional<Resolved>& dir) {
  std::string formed = ToLinux(path);
  const auto [dirPart, name] = SplitLast(formed);
  if (name.empty() || name == "." || name == "..") return formed;
  dir = ResolveDirectoryPart(dirPart);
  if (!dir) return formed;
  const DirEntry* existing = Lookup(dir->path, name, false);
  if (existing && existing->name != name && existing->isFile) return Join(dir->path, existing->name);
  // The exact name; in the directory as found when only its case differs.
  return dir->exact ? formed : Join(dir->path, name);
}

void FileSystem::NoteCreated(const std::string& linuxPath) {
  const auto [dirPart, name] = SplitLast(linuxPath);
  if (name.empty()) return;
  auto dir = ResolveDirectoryPart(dirPart);
  if (!dir) return;
  auto found = listings.find(dir->path);
  if (found == listings.end()) return;  // listed afresh when first needed
  std::vector<DirEntry>& list = found->second;
  auto at = ExactPlace(list, name);
  if (at != list.end() && at->name == name) {
    at->isFile = true;
    at->isDir = false;
    return;
  }
  list.insert(at, DirEntry{std::string(name), false, true});
  foldedOrder.erase(dir->path);
}

namespace {

// Reads a file opened for reading to its end, and closes it; the size
// read, or none when it is not a regular file or cannot be read, or no room
// can be had. `room(n, kept)` makes room for at least n bytes, keeps the
// first `kept` (those read so far) and gives where they are (nullptr: no
// room). The room first asked for is the file's size and one byte more,
// which sees the end without a second read when the size holds; a file that
// grows meanwhile is read on into more.
template <class Room>
std::optional<size_t> ReadOpened(int fd, Room room) {
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return std::nullopt;
  }
  size_t capacity = static_cast<size_t>(st.st_size) + 1;  // equivalent: constant (a size that is off is grown to)
  char* data = room(capacity, size_t{0});
  size_t size = 0;
  for (;;) {
    if (data != nullptr && size == capacity) data = room(capacity *= 2, size);  // equivalent: logical (grown more often, it holds the same bytes)
    if (data == nullptr) {
      close(fd);
      return std::nullopt;
    }
    ssize_t got = read(fd, data + size, capacity - size);
    if (got < 0) {
      if (errno == EINTR) continue;
      close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    size += static_cast<size_t>(got);
  }
  close(fd);
  return size;
}

// ReadOpened of the file at a Linux path; none when it cannot be opened.
template <class Room>
std::optional<size_t> ReadWhole(const std::string& linuxPath, Room room) {
  int fd = open(linuxPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  return ReadOpened(fd, room);
}

// Room in a reused buffer; none when it cannot be had.
char* BufferRoom(TextBuffer& into, size_t want, size_t kept) {
  if (want > into.capacity) {
    std::unique_ptr<char[]> bigger(new (std::nothrow) char[want]);
    if (!bigger) return nullptr;
    if (kept > 0) std::memcpy(bigger.get(), into.data.get(), kept);
    into.data = std::move(bigger);
    into.capacity = want;
  }
  return into.data.get();
}

}  // namespace

std::optional<std::string> FileSystem::FoundLinux(const std::string& formed) {
  if (!formed.empty() && formed.back() == '/') return std::nullopt;
  auto r = ResolveName(formed);
  if (!r || !r->isFile) return std::nullopt;
  return std::move(r->path);
}

std::optional<std::string> FileSystem::FoundFile(std::string_view path) { return FoundLinux(ToLinux(path)); }

bool FileSystem::ReadFound(const std::string& linuxPath, TextBuffer& into) {
  const auto size = ReadWhole(linuxPath, [&into](size_t want, size_t kept) { return BufferRoom(into, want, kept); });
  into.size = size.value_or(0);
  return size.has_value();
}

void FileSystem::ReadFile(std::string_view path, TextBuffer& into) {
  const std::string formed = ToLinux(path);
  const auto found = FoundLinux(formed);
  if (!found || !ReadFound(*found, into)) throw RunFault("cannot open " + formed);
}

std::optional<std::string> FileSystem::ReadOpenedText(int fd) {
  std::string data;
  const auto size = ReadOpened(fd, [&data](size_t want, size_t) {
    data.resize(want);
    return data.data();
  });
  if (!size) return std::nullopt;
  data.resize(*size);
  return data;
}

std::optional<std::string> FileSystem::ReadFoundText(const std::string& linuxPath) {
  const int fd = open(linuxPath.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  return ReadOpenedText(fd);
}

std::string FileSystem::ReadFile(std::string_view path) {
  const std::string formed = ToLinux(path);
  const auto found = FoundLinux(formed);
  std::optional<std::string> data = found ? ReadFoundText(*found) : std::nullopt;
  if (!data) throw RunFault("cannot open " + formed);
  return std::move(*data);
}

std::string NameWithoutDirectory(std::string_view path) {
  const size_t cut = path.find_last_of("/\\");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;  // no progress and no errno: a failure, not an endless loop
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

}  // namespace orvant
