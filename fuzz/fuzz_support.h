#pragma once
// Shared by the fuzz targets and the seed program: one input split into
// several files, and a scratch directory per process to write them to.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace orvant::fuzz {

// A property every input must keep; a broken one is a finding. Written to
// standard output: the whole-run target closes standard error while fuzzing.
inline void Check(bool ok, const char* what) {
  if (!ok) {
    std::printf("check failed: %s\n", what);
    std::fflush(stdout);
    std::abort();
  }
}

// One input holding several files: a selector byte, then a 16-bit
// little-endian length per slot (0xFFFF: the file is absent), then the
// files' bytes in slot order. A length that runs past the input is cut
// short; slots that the input does not reach are absent.
struct Pack {
  uint8_t selector = 0;
  std::vector<std::optional<std::string>> files;
};

constexpr uint16_t kAbsent = 0xFFFF;

// The files of the whole-run target, in slot order: config.ini of the data
// directory, then model path + extension.
inline constexpr const char* kRunSlots[] = {
    "config.ini", ".XSZ", ".XYZ", ".XZY", ".XEC", ".XCO", ".XEN", ".XEL", ".XE1", ".XEP", ".XPM",
    ".ELN",       ".L0",  ".L1",  ".L2",  ".L3",  ".#1",  ".#2",  ".C1",  ".C2",  ".Q1",  ".G1",
    ".NSG",       ".NSS", ".BG1", ".BG2", ".dc1", ".ECI", ".WIN", ".PRI", ".UM1", ".BR1", ".LCM"};
inline constexpr size_t kRunSlotCount = sizeof kRunSlots / sizeof kRunSlots[0];

inline Pack Unpack(const uint8_t* data, size_t size, size_t slots) {
  Pack p;
  p.files.resize(slots);
  if (size == 0) return p;
  p.selector = data[0];
  size_t header = 1 + 2 * slots;
  size_t at = header < size ? header : size;
  for (size_t i = 0; i < slots; ++i) {
    size_t h = 1 + 2 * i;
    if (h + 1 >= size) break;
    uint16_t len = static_cast<uint16_t>(data[h] | (data[h + 1] << 8));
    if (len == kAbsent) continue;
    size_t n = len < size - at ? len : size - at;
    p.files[i] = std::string(reinterpret_cast<const char*>(data) + at, n);
    at += n;
  }
  return p;
}

inline std::string Packed(const Pack& p) {
  std::string out(1, static_cast<char>(p.selector));
  std::string body;
  for (const auto& f : p.files) {
    uint16_t len = f ? static_cast<uint16_t>(f->size() < kAbsent ? f->size() : kAbsent - 1) : kAbsent;
    out += static_cast<char>(len & 0xFF);
    out += static_cast<char>(len >> 8);
    if (f) body.append(*f, 0, len);
  }
  return out + body;
}

inline void WriteWholeFile(const std::string& path, const std::string& bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    std::perror(path.c_str());
    std::abort();
  }
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) std::abort();
    done += static_cast<size_t>(n);
  }
  ::close(fd);
}

inline std::optional<std::string> ReadWholeFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string out;
  char buf[65536];
  ssize_t n;
  while ((n = ::read(fd, buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
  ::close(fd);
  return out;
}

// Names of the entries of a directory (without "." and "..").
inline std::vector<std::string> NamesIn(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir(dir.c_str())) {
    while (const dirent* e = ::readdir(d)) {
      std::string n = e->d_name;
      if (n != "." && n != "..") names.push_back(n);
    }
    ::closedir(d);
  }
  return names;
}

inline void RemoveFilesIn(const std::string& dir) {
  for (const std::string& n : NamesIn(dir)) ::unlink((dir + "/" + n).c_str());
}

inline void RemoveTree(const std::string& dir) {
  for (const std::string& n : NamesIn(dir)) {
    std::string p = dir + "/" + n;
    struct stat st;
    if (::lstat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
      RemoveTree(p);
    else
      ::unlink(p.c_str());
  }
  ::rmdir(dir.c_str());
}

// The whole-run target's installation under a root directory: the settings
// store in config/ naming data/ as the data directory, whose BATCH.NAM names
// the model jobs/M; config.ini in data/, the model's files in jobs/, the
// picture and VTK file in views/.
struct RunTree {
  std::string root;
  std::string Config() const { return root + "/config"; }
  std::string Data() const { return root + "/data"; }
  std::string Jobs() const { return root + "/jobs"; }
  std::string Views() const { return root + "/views"; }

  // The directories, the settings store and BATCH.NAM.
  void Create() const {
    for (const std::string& dir : {Config(), Config() + "/ORVANT", Data(), Jobs(), Views()}) ::mkdir(dir.c_str(), 0755);
    WriteWholeFile(Config() + "/ORVANT/settings.ini", "[Setup]\nFiles1=" + Data() + "\n");
    // (Built by appending: GCC 12 warns falsely of an overlap in "..." + string.)
    std::string names = "\"";
    names.append(Jobs()).append("/M\"\r\n\"unused\"\r\n\"").append(Jobs()).append("\"\r\n");
    WriteWholeFile(Data() + "/BATCH.NAM", names);
  }

  // Writes one input's config.ini and model files over the last input's;
  // returns the names written in jobs/.
  std::vector<std::string> Write(const Pack& pack) const {
    RemoveFilesIn(Jobs());
    RemoveFilesIn(Views());
    ::unlink((Data() + "/config.ini").c_str());
    if (pack.files[0]) WriteWholeFile(Data() + "/config.ini", *pack.files[0]);
    std::vector<std::string> written;
    for (size_t i = 1; i < kRunSlotCount; ++i) {
      if (!pack.files[i]) continue;
      WriteWholeFile(Jobs() + "/M" + kRunSlots[i], *pack.files[i]);
      written.push_back(std::string("M") + kRunSlots[i]);
    }
    return written;
  }

  // Option strings: everything listed with group set 1; converted units in
  // group range mode with a listing name and both selections; brief model
  // data with a group filter, grouped only; group range mode, grouped only,
  // selections of combination 2 and results set 1.
  static constexpr const char* kOptions[] = {"1/1/1/1/1/1/1/1/1/1/1/1/0/0/", "-1/1/1/1/1/1/1/1/1/1/1/1/-3/0/FZ/1/1/",
                                             "1/1/1/1/0/1/1/1/1/1/0/-/2/1/", "2/1/1/1/1/1/1/1/1/1/1/1/-2/1/none/2/1/"};
  static size_t OptionOf(const Pack& pack) { return pack.selector % 4; }
  // One input in four (by the selector's next two bits) asks for the
  // picture and the VTK file instead of the listing.
  static bool AsksForViews(const Pack& pack) { return (pack.selector / 4) % 4 == 3; }

  // The program's arguments for an input.
  std::vector<std::string> Arguments(const Pack& pack) const {
    std::vector<std::string> args{kOptions[OptionOf(pack)]};
    if (AsksForViews(pack)) args.insert(args.end(), {"--picture", Views() + "/m.svg", "--vtk", Views() + "/m.vtk"});
    return args;
  }
};

// A scratch directory for this process (in memory when /dev/shm exists),
// removed when the process exits normally.
inline const std::string& ScratchDir() {
  // Never destroyed: the exit handler still needs it.
  static const std::string& dir = *new std::string([] {
    struct stat st;
    std::string base = (::stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode)) ? "/dev/shm" : "/tmp";
    std::string tmpl = base + "/orvant-fuzz-XXXXXX";
    if (!::mkdtemp(tmpl.data())) std::abort();
    std::atexit([] { RemoveTree(ScratchDir()); });
    return tmpl;
  }());
  return dir;
}

}  // namespace orvant::fuzz
