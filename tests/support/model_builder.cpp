#include "support/model_builder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <regex>
#include <span>
#include <stdexcept>

#include "install/tools.h"
#include "run/startup.h"

namespace orvant::testing {

namespace fs = std::filesystem;

TempDir::TempDir() : path((fs::temp_directory_path() / "orvant-test-XXXXXX").string()) {
  if (!::mkdtemp(path.data())) throw std::runtime_error("mkdtemp failed");
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path, ec);
}

int TestModel::AddNode(float x, float y, float z) {
  nodes.push_back(NodeRec{true, x, y, z, 0, {x, y, z}});
  return MaxNode();
}

int TestModel::AddElement(int n1, int n2, int geom, int mat, float length) {
  ElementRec& e = elements.emplace_back();
  e.n1 = static_cast<int16_t>(n1), e.n2 = static_cast<int16_t>(n2);
  e.geom = static_cast<int16_t>(geom), e.mat = static_cast<int16_t>(mat), e.length = length;
  return MaxElement();
}

namespace {

// The entries of a table indexed by label (entry 0 unused).
template <class T>
std::span<const T> Labelled(const std::vector<T>& v) { return std::span<const T>(v).subspan(1); }

// Entry i of a table that may be shorter than the model's count: an empty one beyond it.
template <class T> const T& Entry(const std::vector<T>& v, int i) {
  static const T empty{};
  return i < static_cast<int>(v.size()) ? v[static_cast<size_t>(i)] : empty;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

std::string ModelSizeText(const TestModel& m) {
  std::string text;
  for (const std::string& line :
       {Quoted("ORVANT"), Quoted(m.modelName), Quoted(m.analysisDescription), Quoted(m.definitionUnits),
        Quoted(m.dateCreated), Quoted(m.timeCreated), std::to_string(m.MaxElement()), std::to_string(m.MaxSpring()),
        std::to_string(m.MaxNode()), std::to_string(m.Restrained()), std::to_string(m.GeomCount()),
        std::to_string(m.MatCount()), std::to_string(m.SpringCodeCount()), Quoted(""), Quoted(""),
        Quoted(m.addDescription), Quoted(m.createdChecked), Quoted(m.jobReference), Quoted(""),
        std::to_string(m.imperialUnits)})
    text += line + "\r\n";
  return text;
}

// Element and spring records share one shape: five int16, the rotation, seven int16.
Bytes ConnectivityFile(const TestModel& m) {
  Bytes b;
  for (const ElementRec& r : Labelled(m.elements))
    b.I16s(r.n1, r.n2, r.n3, 0, 0).F32(r.rotation).I16s(r.geom, r.mat, r.releaseZ, r.releaseY, r.taper, r.pipework, 0);
  for (const SpringRec& r : Labelled(m.springs))
    b.I16s(r.n1, r.n2, 0, 0, 0).F32(r.rotation).I16s(r.refElement, r.propCode, r.coordSystem, r.defined, 0, 0, 0);
  for (const OffsetRec& o : m.offsets) b.I16s(o.element, o.spare, o.ref1).All(o.o1).I16(o.ref2).All(o.o2);
  return b;
}

namespace {

Bytes NodesFile(const TestModel& m) {
  Bytes b;
  for (const NodeRec& r : Labelled(m.nodes)) b.I16(r.exists ? 1 : 0).F32s(r.x, r.y, r.z);
  for (const RestraintRec& r : m.restraints) b.I16(r.node).All(r.codes);
  return b;
}

Bytes NodeDefinitionsFile(const TestModel& m) {
  Bytes b;
  b.All(std::span(m.coordSystems).subspan(1));
  for (const NodeRec& r : Labelled(m.nodes)) if (r.exists) b.I16(r.system).All(r.def);
  return b;
}

Bytes ElementTypesFile(const TestModel& m) {
  Bytes b;
  b.I16(static_cast<int>(m.ic.size())).All(m.ic).I16(static_cast<int>(m.rc.size()));
  for (const RcRec& r : m.rc) b.All(r.x).All(r.y);
  for (const ElementRec& r : Labelled(m.elements)) b.I16s(r.type, r.co).F32s(r.bendRadius, 0.0f);
  for (const SpringConstRec& r : Labelled(m.springConsts)) b.I16(r.co);
  return b;
}

Bytes SolidsFile(const TestModel& m) {
  Bytes b;
  for (const ElementRec& r : Labelled(m.elements)) {
    b.I16(r.solidType);
    if (r.solidType != 0) b.I16(static_cast<int>(r.solidNodes.size())).All(r.solidNodes);
  }
  return b;
}

Bytes PropertiesFile(const TestModel& m) {
  Bytes b;
  for (const GeomRec& g : Labelled(m.geoms)) {
    b.Text(g.prefix, 3).I32(g.number).F32s(g.area, g.iy, g.iz, g.j, g.diam, g.wall);
    for (size_t k = 0; k < 4; ++k) b.F32s(g.lz[k], g.ly[k]);
    b.F32s(g.az, g.ay, g.zt).I16(g.sectionType).F32s(g.sz, g.sy, g.sx);
  }
  for (const MatRec& r : Labelled(m.mats))
    b.F32s(r.e, r.g, r.density, r.poisson, r.coefExp, r.yield, r.ultimate).Text(r.name, 8);
  // The springs' part: in the marker form 19191.0, then each code's kind before its stiffnesses.
  if (m.springMarkerForm) b.F32(19191.0f);
  for (const SpringConstRec& r : Labelled(m.springConsts)) {
    if (m.springMarkerForm) b.I16(r.kind);
    b.All(r.k);
  }
  return b;
}

Bytes LengthsFile(const TestModel& m) {
  Bytes b;
  for (const ElementRec& r : Labelled(m.elements)) b.F32(r.length).All(std::array<float, 11>{});
  return b;
}

Bytes PipeworkCoefficientFile(const TestModel& m) {
  Bytes b;
  for (int e = 1; !m.pipework.empty() && e <= m.pipework.rbegin()->first; ++e) {
    const auto it = m.pipework.find(e);
    const PipeRec r = it == m.pipework.end() ? PipeRec{} : it->second;
    b.I16s(r.type, r.node).F32s(r.kflex, r.sifi, r.sifo, r.bendRad, r.mitreAngle);
  }
  return b;
}

Bytes PipeworkDataFile(const TestModel& m) {
  Bytes b;
  for (int p = 1; p <= m.GeomCount(); ++p) b.All(Entry(m.pipeworkData, p).values);
  for (int c = 1; c <= m.MatCount(); ++c) b.All(Entry(m.materialBlocks, c).head).All(Entry(m.materialBlocks, c).points);
  return b;
}

}  // namespace

// A group record is a set record without its last 20 bytes: the flag in
// byte 1 of 16 zero bytes, then the description.
Bytes GroupRecord(int flag, const std::string& description) {
  Bytes b;
  b.data.resize(16);
  b.data[1] = static_cast<unsigned char>(flag);
  return b.Text(description, 50);
}

Bytes SetRecord(int flag, const std::string& description) { return GroupRecord(flag, description).Text("", 20); }

void WriteFile(const std::string& path, const std::string& content) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool PathExists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }

std::map<std::string, std::string> Snapshot(const std::string& dir) {
  std::map<std::string, std::string> files;
  struct stat st;
  for (const auto& f : fs::recursive_directory_iterator(dir, fs::directory_options::skip_permission_denied))
    if (f.is_regular_file() && f.path().filename() != "stderr.txt")
      files[f.path().string()] = ::stat(f.path().c_str(), &st) == 0 && (st.st_mode & S_IRUSR)
                                     ? ReadFileText(f.path().string()) : "(unreadable)";
  return files;
}

namespace {

// Every model file of m, each path base + its extension.
void WriteModelFilesAt(const TestModel& m, const std::string& base) {
  WriteFile(base + ".XSZ", ModelSizeText(m));
  const struct {
    const char* extension;
    Bytes (*bytes)(const TestModel&);
    bool written;
  } files[] = {{".XYZ", NodesFile, true},   {".XZY", NodeDefinitionsFile, true},
               {".XEC", ConnectivityFile, true},  {".XCO", ElementTypesFile, m.writeXco},
               {".XEN", SolidsFile, true},  {".XEL", PropertiesFile, true},
               {".XE1", LengthsFile, true}, {".XEP", PipeworkCoefficientFile, !m.pipework.empty()},
               {".XPM", PipeworkDataFile, m.writeXpm}};
  for (const auto& file : files) if (file.written) WriteFile(base + file.extension, file.bytes(m));
}

}  // namespace

void WriteModelFiles(const TestModel& m, const std::string& dir) { WriteModelFilesAt(m, dir + "/" + m.name); }

TestInstall::TestInstall()
    : configHome(root.path + "/config"), dataDir(root.path + "/data"), modelDir(root.path + "/jobs") {
  for (const std::string& dir : {configHome, dataDir, modelDir}) fs::create_directories(dir);
  WriteSettings();
  WriteNameFiles();
}

void TestInstall::WriteNameFiles() {
  std::string text = Quoted(ModelPath()) + "\r\n" + Quoted("unused") + "\r\n" + Quoted(modelDir) + "\r\n";
  for (const char* file : {"/BATCH.NAM", "/MODEL.NAM"}) WriteFile(dataDir + file, text);
}

void TestInstall::WriteSettings(const std::string& extraSections) {
  WriteFile(configHome + "/ORVANT/settings.ini", "[Setup]\nFiles1=" + dataDir + "\n" + extraSections);
}

void TestInstall::WriteConfig(int capacity, int maxLoadLabel) {
  WriteFile(dataDir + "/config.ini", "\"Load items\"," + std::to_string(capacity) +
                                         "\r\n\"a\",0\r\n\"b\",0\r\n\"c\",0\r\n\"d\",0\r\n\"Max load label\"," +
                                         std::to_string(maxLoadLabel) + "\r\n");
}

void TestInstall::WriteModel(const TestModel& m) { WriteModelFilesAt(m, ModelPath()); }

namespace {

// With ORVANT_RECORD_RUNS=DIR set, each whole run is first recorded for scripts/compare-builds in a new
// folder DIR/N: the installation as it is (root), the arguments (args, each closed by a NUL), where the
// run starts (run), and each temporary directory outside the installation that an absolute argument or a
// link names (outside).
void RecordRun(const std::string& binary, const TestInstall& install, const std::vector<std::string>& args) {
  const char* into = std::getenv("ORVANT_RECORD_RUNS");
  if (!into || !*into) return;
  fs::create_directories(into);
  std::string dir;
  for (auto n = std::distance(fs::directory_iterator(into), {}) + 1;
       ::mkdir((dir = std::string(into).append("/").append(std::to_string(n))).c_str(), 0755) != 0; ++n)
    if (errno != EEXIST) throw std::runtime_error("cannot record a run in " + dir);
  const auto copy = [&dir](const std::string& from, const std::string& to) {  // links kept as links, modes kept
    return RunCommand("cp -a -- " + ShellWord(from) + " " + ShellWord(dir + to)).status == 0;
  };
  std::ofstream run(dir + "/run"), argFile(dir + "/args", std::ios::binary);
  std::vector<fs::path> named;  // absolute arguments ("--name=" left out) and link targets
  for (const std::string& a : args) argFile << a << '\0', named.push_back(a.substr(a.rfind("--", 0) ? 0 : a.find('=') + 1));
  run << "root=" << install.root.path << "\ncwd=" << fs::current_path().string() << "\nconfig=" << install.configHome
      << "\nbinary=" << binary << "\neuid=" << ::geteuid() << "\ncopied=" << copy(install.root.path, "/root") << "\n";
  std::ifstream cmdline("/proc/self/cmdline");  // the test, as CTest names it
  for (std::string a; std::getline(cmdline, a, '\0');)
    if (a.rfind("--gtest_filter=", 0) == 0) run << "test=" << a.substr(15) << "\n";
  std::error_code ec;
  for (auto e = fs::recursive_directory_iterator(install.root.path, ec); !ec && e != fs::end(e); e.increment(ec))
    if (e->is_symlink(ec)) named.push_back(e->path().parent_path() / fs::read_symlink(e->path(), ec));
  const std::string tmp = fs::temp_directory_path().string() + "/";
  fs::create_directories(dir + "/outside" + tmp);
  std::set<std::string> copied{install.root.path};
  for (const fs::path& path : named) {
    const std::string p = path.lexically_normal().string(), unit = p.substr(0, p.find('/', tmp.size()));
    if (p.rfind(tmp, 0) == 0 && unit.size() > tmp.size() && fs::exists(unit, ec) && copied.insert(unit).second)
      run << (copy(unit, "/outside" + unit) ? "outside=" : "uncopied=") << unit << "\n";
  }
}

// What a run wrote to standard error (into path), the file removed.
std::string TakeText(const std::string& path) {
  std::string text = ReadFileText(path);
  ::unlink(path.c_str());
  return text;
}

}  // namespace

RunResult RunInProcess(const TestInstall& install, const std::vector<std::string>& args) {
  RecordRun("", install, args);
  const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
  const std::optional<std::string> saved = oldConfig ? std::optional<std::string>(oldConfig) : std::nullopt;
  ::setenv("XDG_CONFIG_HOME", install.configHome.c_str(), 1);
  const std::string errPath = install.root.path + "/stderr.txt";
  std::fflush(stderr);
  const int savedErr = ::dup(2), errFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ::dup2(errFd, 2);
  ::close(errFd);
  RunResult r{RunOrvantIn(args), ""};
  std::fflush(stderr);
  ::dup2(savedErr, 2);
  ::close(savedErr);
  saved ? ::setenv("XDG_CONFIG_HOME", saved->c_str(), 1) : ::unsetenv("XDG_CONFIG_HOME");
  r.stderrText = TakeText(errPath);
  return r;
}

RunResult RunBinary(const std::string& binary, const TestInstall& install, const std::vector<std::string>& args) {
  RecordRun(binary, install, args);
  const std::string errPath = install.root.path + "/stderr.txt";
  std::string command = "XDG_CONFIG_HOME=" + ShellWord(install.configHome) + " " + ShellWord(binary);
  for (const std::string& a : args) command += " " + ShellWord(a);
  const int status = std::system((command + " </dev/null 2>" + ShellWord(errPath)).c_str());  // a signal: 128 + it
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, TakeText(errPath)};
}

std::string MaskDateTime(const std::string& listing) {
  static const std::regex stamp("Date:[0-9]{2}/[0-9]{2}/[0-9]{4}  Time:[0-9]{2}:[0-9]{2}:[0-9]{2}");
  return std::regex_replace(listing, stamp, "Date:dd/mm/yyyy  Time:HH:MM:SS", std::regex_constants::format_first_only);
}

std::vector<std::string> ListingLines(std::string_view listing) {
  std::vector<std::string> lines;
  for (size_t start = 0, end; start < listing.size(); start = end + 2) {
    end = std::min(listing.find("\r\n", start), listing.size());
    lines.emplace_back(listing.substr(start, end - start));
  }
  return lines;
}

std::vector<std::string> SectionRows(const std::vector<std::string>& lines, const std::string& title, size_t skip) {
  std::vector<std::string> rows;
  auto line = std::find(lines.begin(), lines.end(), title);
  if (line == lines.end()) return {"(no " + title + ")"};
  while (++line != lines.end() && line->rfind("***", 0) != 0 && line->rfind("===", 0) != 0 && *line != ":") {
    if (line->empty()) continue;
    if (skip > 0) --skip;
    else rows.push_back(*line);
  }
  return rows;
}

std::string Collapsed(const std::string& line) {
  std::string out;
  for (char c : line) if (c != ' ' || (!out.empty() && out.back() != ' ')) out += c;
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::map<std::string, std::multiset<std::string>> CaseRows(const std::string& listing, int label) {
  std::map<std::string, std::multiset<std::string>> rows;
  const std::regex entry(R"(\d+(-G\d+)? .*)"), temperature(R"((\d[^ ]* [^ ]+) ?)"), stars(R"(^[* ]+|[* ]+$)");
  const std::string caseLine = "Load Case No: " + std::to_string(label) + " ";
  bool inCase = false;
  std::string section;
  for (const std::string& line : ListingLines(listing)) {
    const std::string text = Collapsed(line);
    if (text.rfind("Load Case No:", 0) == 0) inCase = text.rfind(caseLine, 0) == 0;
    if (line == std::string(77, '=')) inCase = false;  // the case's closing line
    if (!inCase) continue;
    if (text.rfind("***", 0) == 0) section = std::regex_replace(text, stars, "");
    if (!std::regex_match(text, entry)) continue;
    if (section != "NODAL TEMPERATURES") rows[section].insert(text);
    for (std::sregex_iterator m(text.begin(), text.end(), temperature), end;
         section == "NODAL TEMPERATURES" && m != end; ++m)
      rows[section].insert((*m)[1]);
  }
  return rows;
}

}  // namespace orvant::testing
