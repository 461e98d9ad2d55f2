#include "support/model_builder.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

#include "install/tools.h"
#include "run/startup.h"

extern char** environ;

namespace orvant::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string tmpl = (fs::temp_directory_path() / "orvant-test-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  path = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path, ec);
}

Bytes& Bytes::I16(int v) {
  uint16_t u = static_cast<uint16_t>(v);
  data.push_back(static_cast<unsigned char>(u & 0xff));
  data.push_back(static_cast<unsigned char>(u >> 8));
  return *this;
}

Bytes& Bytes::I32(int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) data.push_back(static_cast<unsigned char>((u >> (8 * i)) & 0xff));
  return *this;
}

Bytes& Bytes::F32(float v) {
  uint32_t u;
  std::memcpy(&u, &v, 4);
  return I32(static_cast<int32_t>(u));
}

Bytes& Bytes::U8(int v) {
  data.push_back(static_cast<unsigned char>(v));
  return *this;
}

Bytes& Bytes::Text(const std::string& s, size_t width) {
  for (size_t i = 0; i < width; ++i) data.push_back(static_cast<unsigned char>(i < s.size() ? s[i] : ' '));
  return *this;
}

Bytes& Bytes::Append(const Bytes& other) {
  data.insert(data.end(), other.data.begin(), other.data.end());
  return *this;
}

int TestModel::AddNode(float x, float y, float z) {
  NodeRec n;
  n.x = x;
  n.y = y;
  n.z = z;
  n.def = {x, y, z};
  nodes.push_back(n);
  return static_cast<int>(nodes.size()) - 1;
}

int TestModel::AddElement(int n1, int n2, int geom, int mat, float length) {
  ElementRec e;
  e.n1 = static_cast<int16_t>(n1);
  e.n2 = static_cast<int16_t>(n2);
  e.geom = static_cast<int16_t>(geom);
  e.mat = static_cast<int16_t>(mat);
  e.length = length;
  elements.push_back(e);
  return static_cast<int>(elements.size()) - 1;
}

namespace {

template <class T>
const T& Entry(const std::vector<T>& v, int i) {
  static const T empty{};
  return (i >= 0 && i < static_cast<int>(v.size())) ? v[static_cast<size_t>(i)] : empty;
}

std::string Quoted(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

std::string ModelSizeText(const TestModel& m) {
  std::ostringstream o;
  o << Quoted(m.sizeTitle) << "\r\n"
    << Quoted(m.modelName) << "\r\n"
    << Quoted(m.analysisDescription) << "\r\n"
    << Quoted(m.definitionUnits) << "\r\n"
    << Quoted(m.dateCreated) << "\r\n"
    << Quoted(m.timeCreated) << "\r\n"
    << m.MaxElement() << "\r\n"
    << m.MaxSpring() << "\r\n"
    << m.MaxNode() << "\r\n"
    << m.Restrained() << "\r\n"
    << m.GeomCount() << "\r\n"
    << m.MatCount() << "\r\n"
    << m.SpringCodeCount() << "\r\n"
    << Quoted("") << "\r\n"
    << Quoted("") << "\r\n"
    << Quoted(m.addDescription) << "\r\n"
    << Quoted(m.createdChecked) << "\r\n"
    << Quoted(m.jobReference) << "\r\n"
    << Quoted("") << "\r\n"
    << m.imperialUnits << "\r\n";
  return o.str();
}

Bytes NodesFile(const TestModel& m) {
  Bytes b;
  for (int n = 1; n <= m.MaxNode(); ++n) {
    const NodeRec& r = Entry(m.nodes, n);
    b.I16(r.exists ? 1 : 0).F32(r.x).F32(r.y).F32(r.z);
  }
  for (int r = 0; r < m.Restrained(); ++r) {
    const RestraintRec& rr = Entry(m.restraints, r);
    b.I16(rr.node);
    for (int16_t c : rr.codes) b.I16(c);
  }
  return b;
}

Bytes NodeDefinitionsFile(const TestModel& m) {
  Bytes b;
  for (int s = 1; s <= 20; ++s)
    for (float f : m.coordSystems[static_cast<size_t>(s)]) b.F32(f);
  for (int n = 1; n <= m.MaxNode(); ++n) {
    const NodeRec& r = Entry(m.nodes, n);
    if (!r.exists) continue;
    b.I16(r.system).F32(r.def[0]).F32(r.def[1]).F32(r.def[2]);
  }
  return b;
}

Bytes ConnectivityFile(const TestModel& m) {
  Bytes b;
  for (int e = 1; e <= m.MaxElement(); ++e) {
    const ElementRec& r = Entry(m.elements, e);
    b.I16(r.n1).I16(r.n2).I16(r.n3).I16(0).I16(0).F32(r.rotation).I16(r.geom).I16(r.mat).I16(r.releaseZ)
        .I16(r.releaseY).I16(r.taper).I16(r.pipework).I16(0);
  }
  for (int s = 1; s <= m.MaxSpring(); ++s) {
    const SpringRec& r = Entry(m.springs, s);
    b.I16(r.n1).I16(r.n2).I16(0).I16(0).I16(0).F32(r.rotation).I16(r.refElement).I16(r.propCode)
        .I16(r.coordSystem).I16(r.defined).I16(0).I16(0).I16(0);
  }
  for (const OffsetRec& o : m.offsets) {
    b.I16(o.element).I16(o.spare).I16(o.ref1).F32(o.o1[0]).F32(o.o1[1]).F32(o.o1[2]).I16(o.ref2).F32(o.o2[0])
        .F32(o.o2[1]).F32(o.o2[2]);
  }
  return b;
}

Bytes ElementTypesFile(const TestModel& m) {
  Bytes b;
  b.I16(static_cast<int>(m.ic.size()));
  for (const auto& code : m.ic)
    for (int16_t v : code) b.I16(v);
  b.I16(static_cast<int>(m.rc.size()));
  for (const RcRec& r : m.rc) {
    for (float v : r.x) b.F32(v);
    for (float v : r.y) b.F32(v);
  }
  for (int e = 1; e <= m.MaxElement(); ++e) {
    const ElementRec& r = Entry(m.elements, e);
    b.I16(r.type).I16(r.co).F32(r.bendRadius).F32(0);
  }
  for (int k = 1; k <= m.SpringCodeCount(); ++k) b.I16(Entry(m.springConsts, k).co);
  return b;
}

Bytes SolidsFile(const TestModel& m) {
  Bytes b;
  for (int e = 1; e <= m.MaxElement(); ++e) {
    const ElementRec& r = Entry(m.elements, e);
    b.I16(r.solidType);
    if (r.solidType == 0) continue;
    b.I16(static_cast<int>(r.solidNodes.size()));
    for (int16_t n : r.solidNodes) b.I16(n);
  }
  return b;
}

Bytes PropertiesFile(const TestModel& m) {
  Bytes b;
  for (int p = 1; p <= m.GeomCount(); ++p) {
    const GeomRec& g = Entry(m.geoms, p);
    b.Text(g.prefix, 3).I32(g.number).F32(g.area).F32(g.iy).F32(g.iz).F32(g.j).F32(g.diam).F32(g.wall);
    for (int k = 0; k < 4; ++k) b.F32(g.lz[static_cast<size_t>(k)]).F32(g.ly[static_cast<size_t>(k)]);
    b.F32(g.az).F32(g.ay).F32(g.zt).I16(g.sectionType).F32(g.sz).F32(g.sy).F32(g.sx);
  }
  for (int c = 1; c <= m.MatCount(); ++c) {
    const MatRec& r = Entry(m.mats, c);
    b.F32(r.e).F32(r.g).F32(r.density).F32(r.poisson).F32(r.coefExp).F32(r.yield).F32(r.ultimate).Text(r.name, 8);
  }
  if (m.springMarkerForm) {
    b.F32(19191.0f);
    for (int k = 1; k <= m.SpringCodeCount(); ++k) {
      const SpringConstRec& r = Entry(m.springConsts, k);
      b.I16(r.kind);
      for (float v : r.k) b.F32(v);
    }
  } else {
    for (int k = 1; k <= m.SpringCodeCount(); ++k)
      for (float v : Entry(m.springConsts, k).k) b.F32(v);
  }
  return b;
}

Bytes LengthsFile(const TestModel& m) {
  Bytes b;
  for (int e = 1; e <= m.MaxElement(); ++e) {
    b.F32(Entry(m.elements, e).length);
    for (int i = 0; i < 11; ++i) b.F32(0);
  }
  return b;
}

Bytes PipeworkCoefficientFile(const TestModel& m) {
  Bytes b;
  int last = m.pipework.empty() ? 0 : m.pipework.rbegin()->first;
  for (int e = 1; e <= last; ++e) {
    auto it = m.pipework.find(e);
    PipeRec r = it == m.pipework.end() ? PipeRec{} : it->second;
    b.I16(r.type).I16(r.node).F32(r.kflex).F32(r.sifi).F32(r.sifo).F32(r.bendRad).F32(r.mitreAngle);
  }
  return b;
}

Bytes PipeworkDataFile(const TestModel& m) {
  Bytes b;
  for (int p = 1; p <= m.GeomCount(); ++p)
    for (float v : Entry(m.pipeworkData, p).values) b.F32(v);
  for (int c = 1; c <= m.MatCount(); ++c) {
    const MaterialBlockRec& r = Entry(m.materialBlocks, c);
    for (float v : r.head) b.F32(v);
    for (const auto& point : r.points)
      for (float v : point) b.F32(v);
  }
  return b;
}

Bytes SetRecord(int flag, const std::string& description) {
  Bytes b;
  b.U8(0).U8(flag);
  for (int i = 0; i < 14; ++i) b.U8(0);
  b.Text(description, 50).Text("", 20);
  return b;
}

Bytes GroupRecord(int flag, const std::string& description) {
  Bytes b;
  b.U8(0).U8(flag);
  for (int i = 0; i < 14; ++i) b.U8(0);
  b.Text(description, 50);
  return b;
}

void WriteFile(const std::string& path, const std::string& content) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(content.data(), static_cast<std::streamsize>(content.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

void WriteFile(const std::string& path, const Bytes& content) {
  WriteFile(path, std::string(content.data.begin(), content.data.end()));
}

std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream o;
  o << in.rdbuf();
  return o.str();
}

bool PathExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

void WriteModelFiles(const TestModel& m, const std::string& dir) {
  std::string base = dir + "/" + m.name;
  WriteFile(base + ".XSZ", ModelSizeText(m));
  WriteFile(base + ".XYZ", NodesFile(m));
  WriteFile(base + ".XZY", NodeDefinitionsFile(m));
  WriteFile(base + ".XEC", ConnectivityFile(m));
  if (m.writeXco) WriteFile(base + ".XCO", ElementTypesFile(m));
  WriteFile(base + ".XEN", SolidsFile(m));
  WriteFile(base + ".XEL", PropertiesFile(m));
  WriteFile(base + ".XE1", LengthsFile(m));
  if (!m.pipework.empty()) WriteFile(base + ".XEP", PipeworkCoefficientFile(m));
  if (m.writeXpm) WriteFile(base + ".XPM", PipeworkDataFile(m));
}

TestInstall::TestInstall() {
  configHome = root.path + "/config";
  dataDir = root.path + "/data";
  modelDir = root.path + "/jobs";
  fs::create_directories(configHome);
  fs::create_directories(dataDir);
  fs::create_directories(modelDir);
  WriteSettings();
  WriteNameFiles();
}

void TestInstall::WriteNameFiles() {
  std::string text = Quoted(ModelPath()) + "\r\n" + Quoted("unused") + "\r\n" + Quoted(modelDir) + "\r\n";
  WriteFile(dataDir + "/BATCH.NAM", text);
  WriteFile(dataDir + "/MODEL.NAM", text);
}

void TestInstall::WriteSettings(const std::string& extraSections) {
  WriteFile(configHome + "/ORVANT/settings.ini", "[Setup]\nFiles1=" + dataDir + "\n" + extraSections);
}

void TestInstall::WriteConfig(int capacity, int maxLoadLabel) {
  std::ostringstream o;
  o << "\"Load items\"," << capacity << "\r\n\"a\",0\r\n\"b\",0\r\n\"c\",0\r\n\"d\",0\r\n\"Max load label\","
    << maxLoadLabel << "\r\n";
  WriteFile(dataDir + "/config.ini", o.str());
}

void TestInstall::WriteRunControl(const std::string& content) { WriteFile(dataDir + "/in.CNT", content); }

void TestInstall::WriteModel(const TestModel& m) {
  TestModel copy = m;
  copy.name = modelName;
  WriteModelFiles(copy, modelDir);
}

void TestInstall::WriteModelText(const std::string& extension, const std::string& content) {
  WriteFile(ModelFile(extension), content);
}

void TestInstall::WriteModelBytes(const std::string& extension, const Bytes& content) {
  WriteFile(ModelFile(extension), content);
}

std::string TestInstall::Listing(const std::string& listingName) const {
  return ReadFileText(ModelPath() + (listingName.empty() ? "" : "." + listingName) + ".MTM");
}

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

}  // namespace

RunResult RunInProcess(const TestInstall& install, const std::vector<std::string>& args) {
  RecordRun("", install, args);
  const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
  std::string saved = oldConfig ? oldConfig : "";
  ::setenv("XDG_CONFIG_HOME", install.configHome.c_str(), 1);

  std::string errPath = install.root.path + "/stderr.txt";
  std::fflush(stderr);
  int savedErr = ::dup(2);
  int errFd = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  ::dup2(errFd, 2);
  ::close(errFd);

  RunResult r;
  r.status = RunOrvantIn(args);

  std::fflush(stderr);
  ::dup2(savedErr, 2);
  ::close(savedErr);
  if (oldConfig)
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    ::unsetenv("XDG_CONFIG_HOME");
  r.stderrText = ReadFileText(errPath);
  ::unlink(errPath.c_str());
  return r;
}

RunResult RunBinary(const std::string& binary, const TestInstall& install, const std::vector<std::string>& args) {
  RecordRun(binary, install, args);
  std::string errPath = install.root.path + "/stderr.txt";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);

  std::vector<std::string> envStrings;
  for (char** e = environ; *e; ++e)
    if (std::strncmp(*e, "XDG_CONFIG_HOME=", 16) != 0) envStrings.emplace_back(*e);
  envStrings.push_back("XDG_CONFIG_HOME=" + install.configHome);
  std::vector<char*> envp;
  for (auto& s : envStrings) envp.push_back(s.data());
  envp.push_back(nullptr);

  std::vector<std::string> argStrings{binary};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& s : argStrings) argv.push_back(s.data());
  argv.push_back(nullptr);

  pid_t pid;
  RunResult r;
  if (posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    throw std::runtime_error("cannot start " + binary);
  }
  posix_spawn_file_actions_destroy(&actions);
  int wstatus = 0;
  ::waitpid(pid, &wstatus, 0);
  r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
  r.stderrText = ReadFileText(errPath);
  ::unlink(errPath.c_str());
  return r;
}

std::string MaskDateTime(const std::string& listing) {
  static const std::regex stamp("Date:[0-9]{2}/[0-9]{2}/[0-9]{4}  Time:[0-9]{2}:[0-9]{2}:[0-9]{2}");
  return std::regex_replace(listing, stamp, "Date:dd/mm/yyyy  Time:HH:MM:SS", std::regex_constants::format_first_only);
}

std::vector<std::string> ListingLines(std::string_view listing) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < listing.size()) {
    size_t end = listing.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(std::string(listing.substr(start)));
      break;
    }
    lines.push_back(std::string(listing.substr(start, end - start)));
    start = end + 2;
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
  for (char c : line)
    if (c != ' ' || (!out.empty() && out.back() != ' ')) out += c;
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
