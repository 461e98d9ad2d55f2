#pragma once
// Names and directories: file lookup by the names models use (backslash
// paths, drive letters, names matched without regard to letter case,
// wildcard search) over a cache of directory listings; whole files read by
// those names, a whole buffer written to a file. The limits on symbolic
// links (what may be copied, what may be written) are FileSystem members
// too, defined in base/confinement.cpp.
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace orvant {

// A file's contents read into storage that is kept and reused: reading
// file after file into one buffer allocates (and clears) nothing once it is
// large enough.
struct TextBuffer {
  std::unique_ptr<char[]> data;
  size_t size = 0;
  size_t capacity = 0;
  std::string_view View() const { return {data.get(), size}; }
};

// File lookup. Every directory is listed once and its listing kept, so that
// thousands of existence tests cost no system calls.
struct FileSystem {
  std::map<char, std::string> drives;  // upper-case drive letter -> directory

  // Forms the Linux path: drive prefix replaced, backslashes made slashes.
  std::string ToLinux(std::string_view path) const;
  // The existing path that a name denotes (exact name first, then each
  // component matched without regard to ASCII letter case, first match in
  // byte order). Empty when nothing matches.
  std::optional<std::string> Find(std::string_view path);
  // True when path names an existing regular file.
  bool FileExists(std::string_view path);
  // Wildcard search ("D:\JOBS\FRAME.WAV*"): names (without directory) of the
  // entries of the pattern's directory that match without regard to letter
  // case, in ascending byte order of the stored names.
  std::vector<std::string> Search(std::string_view pattern);
  // The path to create a file at: the exact formed name, unless a file of
  // that name in another letter case exists, which is then used.
  std::string PathForCreate(std::string_view path);
  // Tells the cache that a file was created.
  void NoteCreated(const std::string& linuxPath);

  // Whole contents of an existing file. Throws RunFault when it cannot be
  // found or read (also for a directory).
  std::string ReadFile(std::string_view path);
  // As ReadFile, into a buffer that is reused.
  void ReadFile(std::string_view path, TextBuffer& into);
  // The Linux path of the existing regular file that path denotes, as
  // ReadFile finds it; none when there is no such file.
  std::optional<std::string> FoundFile(std::string_view path);
  // Reads the file at a path FoundFile gave; false when it cannot be read.
  // Uses nothing of the lookup: another thread may read this way.
  static bool ReadFound(const std::string& linuxPath, TextBuffer& into);
  static std::optional<std::string> ReadFoundText(const std::string& linuxPath);
  // Reads a file opened for reading to its end, and closes it; none when it
  // is not a regular file or cannot be read.
  static std::optional<std::string> ReadOpenedText(int fd);

  // The confinement (base/confinement.cpp). Model folders are often shared,
  // and anyone who can write in one can leave a symbolic link there. So a
  // file the run writes is never written through a link (it would empty
  // someone's file elsewhere), and a file whose lines are copied into the
  // listing comes only from the model's own directories (a link there would
  // copy a private file into a listing that others read).
  //
  // The path to write a file at (as PathForCreate), checked before anything
  // is written: throws RunFault naming it when that name is a symbolic link,
  // or when a directory on its way is a symbolic link that the path does not
  // name as written (one found by matching another letter case).
  std::string PathToWrite(std::string_view path);
  // The directories that copied files may lie in (real paths, links
  // resolved; none allowed until one is); a directory that cannot be found
  // adds nothing. AllowCopiesBeside adds the directory of a file's path.
  void AllowCopiesFrom(std::string_view directory);
  void AllowCopiesBeside(std::string_view path);
  std::vector<std::string> copyRoots;
  // As ReadFile (a RunFault when the file cannot be found or read), for a
  // file whose lines are copied into the listing: none when the file opened
  // lies, links resolved, outside every allowed directory. Such a file's path
  // is noted once in refusedCopies.
  std::optional<std::string> ReadCopy(std::string_view path);
  std::vector<std::string> refusedCopies;

  // Directory listing cache: directory path -> entries sorted by byte order.
  struct DirEntry { std::string name; bool isDir; bool isFile; bool isLink = false; };
  std::unordered_map<std::string, std::vector<DirEntry>> listings;
  const std::vector<DirEntry>& Listing(const std::string& dir);

  // Positions in a directory's listing ordered by name without regard to
  // letter case (ties in byte order); built when first needed.
  std::unordered_map<std::string, std::vector<size_t>> foldedOrder;
  // Directories that exist but could not be listed: names in them are
  // looked up by their exact name only.
  std::unordered_set<std::string> unlistable;
  bool Listable(const std::string& dir);  // lists dir once: whether it could be
  // Number of directories read from the file system so far.
  size_t directoryReads = 0;

 private:
  struct Resolved {
    std::string path;
    bool isFile{};  // a regular file (only from ResolveName)
    bool exact = true;
    bool linkByCase{};  // a symbolic link on the way, found by another letter case
  };
  std::optional<Resolved> Resolve(std::string_view linuxPath, bool mustBeDir);
  // A path's directory part resolved as a directory; "" the working one.
  std::optional<Resolved> ResolveDirectoryPart(std::string_view dirPart);
  // A file as Resolve(linuxPath, false) finds it, with the directory part
  // resolved once and remembered: the many names looked up in one directory
  // cost one search of its listing each. (".", ".." and "" name no file.)
  std::optional<Resolved> ResolveName(std::string_view linuxPath);
  std::unordered_map<std::string, std::optional<Resolved>> resolvedDirectories;
  // The existing regular file (as far as the listings tell) that a formed
  // Linux name denotes.
  std::optional<std::string> FoundLinux(const std::string& formed);
  const DirEntry* Lookup(const std::string& dir, std::string_view name, bool mustBeDir);
  const std::vector<size_t>& FoldedOrder(const std::string& dir);
  // PathForCreate's path and the directory it is created in, as resolved.
  std::string CreateTarget(std::string_view path, std::optional<Resolved>& dir);
  void AllowLinuxDirectory(const std::string& formed);
};

// The last name of a path, without its directory (cut at the last "/" or
// "\"): "D:\JOBS\FRAME.ECI" gives "FRAME.ECI".
std::string NameWithoutDirectory(std::string_view path);

// Writes the whole buffer to a file descriptor, in as many writes as it
// takes (an interrupted write is tried again): 0, or the errno of the write
// that failed.
int WriteAll(int fd, std::string_view bytes);

}  // namespace orvant
