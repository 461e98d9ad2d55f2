#pragma once
// Builds model files for tests and the example models: the settings file,
// the name files, config.ini, in.CNT, the model size file and every binary
// and text model file, written from a description held in code.
#include <array>
#include <bit>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace orvant::testing {

// A fresh temporary directory, removed with everything in it.
struct TempDir {
  std::string path;
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
};

// Little-endian byte writer for binary model files.
struct Bytes {
  std::vector<unsigned char> data;
  Bytes& Le(uint32_t u, int n) {
    for (int i = 0; i < n; ++i) data.push_back(static_cast<unsigned char>(u >> (8 * i)));
    return *this;
  }
  Bytes& U8(int v) { return Le(static_cast<uint32_t>(v), 1); }
  Bytes& I16(int v) { return Le(static_cast<uint32_t>(v), 2); }
  Bytes& I32(int32_t v) { return Le(static_cast<uint32_t>(v), 4); }
  Bytes& F32(float v) { return Le(std::bit_cast<uint32_t>(v), 4); }
  template <class... T> Bytes& I16s(T... v) { return (I16(static_cast<int>(v)), ..., *this); }
  template <class... T> Bytes& F32s(T... v) { return (F32(v), ..., *this); }
  // Every value of a range of floats or int16_t, or of ranges of them.
  template <class R> Bytes& All(const R& values) {
    for (const auto& v : values) {
      if constexpr (std::is_same_v<std::decay_t<decltype(v)>, float>) F32(v);
      else if constexpr (std::is_integral_v<std::decay_t<decltype(v)>>) I16(v);
      else All(v);
    }
    return *this;
  }
  // A fixed-width text field, blank-padded or cut.
  Bytes& Text(const std::string& s, size_t width) {
    for (size_t i = 0; i < width; ++i) data.push_back(static_cast<unsigned char>(i < s.size() ? s[i] : ' '));
    return *this;
  }
  Bytes& Append(const Bytes& other) {
    data.insert(data.end(), other.data.begin(), other.data.end());
    return *this;
  }
  size_t size() const { return data.size(); }
};

struct NodeRec {
  bool exists = true;
  float x = 0, y = 0, z = 0;          // global Cartesian
  int16_t system = 0;                 // definition system
  std::array<float, 3> def{};         // coordinates in the definition system
};

struct ElementRec {
  int16_t n1 = 0, n2 = 0, n3 = 0;
  float rotation = 0;
  int16_t geom = 0, mat = 0, releaseZ = 0, releaseY = 0, taper = 0, pipework = 0;
  int16_t type = 0, co = 0;           // ".XCO"
  float bendRadius = 0;               // ".XCO"
  float length = 0;                   // ".XE1"
  int16_t solidType = 0;              // ".XEN"
  std::vector<int16_t> solidNodes;    // ".XEN"
};

struct SpringRec {
  int16_t n1 = 0, n2 = 0;
  float rotation = 0;
  int16_t refElement = 0, propCode = 0, coordSystem = 0, defined = 1;
};

struct RestraintRec {
  int16_t node = 0;
  std::array<int16_t, 6> codes{};  // Tx Ty Tz Rx Ry Rz
};

struct GeomRec {
  std::string prefix = "   ";
  int32_t number = 0;
  float area = 0, iy = 0, iz = 0, j = 0, diam = 0, wall = 0;
  std::array<float, 4> lz{}, ly{};
  float az = 0, ay = 0, zt = 0;
  int16_t sectionType = 0;
  float sz = 0, sy = 0, sx = 0;
};

struct MatRec {
  float e = 0, g = 0, density = 0, poisson = 0, coefExp = 0, yield = 0, ultimate = 0;
  std::string name = "        ";
};

struct SpringConstRec {
  int16_t kind = 0;
  std::array<float, 6> k{};
  int16_t co = 0;                     // ".XCO"
};

struct RcRec { std::array<float, 7> x{}, y{}; };

struct OffsetRec {
  int16_t element = 0, spare = 0, ref1 = 0;
  std::array<float, 3> o1{};
  int16_t ref2 = 0;
  std::array<float, 3> o2{};
};

struct PipeRec {
  int16_t type = 0, node = 0;
  float kflex = 0, sifi = 0, sifo = 0, bendRad = 0, mitreAngle = 0;
};

struct PipeworkDataRec { std::array<float, 7> values{}; };  // ".XPM" per geometric code

struct MaterialBlockRec {             // ".XPM" per material code
  std::array<float, 4> head{};        // PressCoef QualFact ColdAllowStress UTS
  std::array<std::array<float, 4>, 15> points{};  // Temp CoefExp EMod Stress
};

// A model: tables indexed by label, entry 0 unused. The label maxima and
// counts of the model size file are the table sizes less one.
struct TestModel {
  std::string name = "FRAME";
  // Model size file texts.
  std::string modelName = "FRAME", analysisDescription = "Test frame", definitionUnits = "Metres, Newtons";
  std::string dateCreated = "01/02/2026", timeCreated = "10:20:30";
  std::string addDescription, createdChecked, jobReference;
  int16_t imperialUnits = 0;

  std::vector<NodeRec> nodes{NodeRec{false}};
  std::vector<ElementRec> elements{ElementRec{}};
  std::vector<SpringRec> springs{SpringRec{}};
  std::vector<RestraintRec> restraints;
  std::array<std::array<float, 10>, 21> coordSystems{};  // systems 1..20
  std::vector<GeomRec> geoms{GeomRec{}};
  std::vector<MatRec> mats{MatRec{}};
  std::vector<SpringConstRec> springConsts{SpringConstRec{}};
  bool springMarkerForm = true;       // ".XEL" spring part opens with 19191.0
  bool writeXco = true;
  std::vector<std::array<int16_t, 7>> ic;   // codes 1..n
  std::vector<RcRec> rc;                    // codes 1..n
  std::vector<OffsetRec> offsets;           // appended to ".XEC"
  std::map<int, PipeRec> pipework;          // ".XEP" records by element
  bool writeXpm = false;
  std::vector<PipeworkDataRec> pipeworkData{PipeworkDataRec{}};  // codes 1..NG
  std::vector<MaterialBlockRec> materialBlocks{MaterialBlockRec{}};  // codes 1..NM

  // Adds entities at the next label and returns the label.
  int AddNode(float x, float y, float z);
  int AddElement(int n1, int n2, int geom, int mat, float length);

  int MaxNode() const { return static_cast<int>(nodes.size()) - 1; }
  int MaxElement() const { return static_cast<int>(elements.size()) - 1; }
  int MaxSpring() const { return static_cast<int>(springs.size()) - 1; }
  int Restrained() const { return static_cast<int>(restraints.size()); }
  int GeomCount() const { return static_cast<int>(geoms.size()) - 1; }
  int MatCount() const { return static_cast<int>(mats.size()) - 1; }
  int SpringCodeCount() const { return static_cast<int>(springConsts.size()) - 1; }
};

// The bytes of the model size file and the connectivity file.
std::string ModelSizeText(const TestModel& m);
Bytes ConnectivityFile(const TestModel& m);   // .XEC

// Set files: 86-byte set records and 66-byte group records.
Bytes SetRecord(int flag, const std::string& description);
Bytes GroupRecord(int flag, const std::string& description);

void WriteFile(const std::string& path, const std::string& content);
inline void WriteFile(const std::string& path, const Bytes& content) {
  WriteFile(path, std::string(content.data.begin(), content.data.end()));
}
std::string ReadFileText(const std::string& path);
bool PathExists(const std::string& path);
// Every regular file under a directory but a run's stderr.txt (links followed, unreadable folders passed
// by) and its bytes, by path.
std::map<std::string, std::string> Snapshot(const std::string& dir);

// Writes every model file of m into dir (model path dir + "/" + m.name).
void WriteModelFiles(const TestModel& m, const std::string& dir);

// A complete installation in a temporary directory: a settings file whose
// [Setup] Files1 is the data directory, the name files and the model.
struct TestInstall {
  TempDir root;
  std::string configHome;   // XDG_CONFIG_HOME for the run
  std::string dataDir;      // Files1
  std::string modelDir;     // directory of the model files
  std::string modelName = "FRAME";

  TestInstall();
  std::string ModelPath() const { return modelDir + "/" + modelName; }
  std::string ModelFile(const std::string& extension) const { return ModelPath() + extension; }
  // BATCH.NAM and MODEL.NAM naming the model (origin directory = modelDir).
  void WriteNameFiles();
  void WriteSettings(const std::string& extraSections = "");
  void WriteConfig(int capacity, int maxLoadLabel);
  // in.CNT: listing name first, then fields 1..14, 16, 17.
  void WriteRunControl(const std::string& content) { WriteFile(dataDir + "/in.CNT", content); }
  void WriteModel(const TestModel& m);
  void WriteModelText(const std::string& extension, const std::string& content) { WriteFile(ModelFile(extension), content); }
  void WriteModelBytes(const std::string& extension, const Bytes& content) { WriteFile(ModelFile(extension), content); }
  std::string Listing(const std::string& listingName = "") const {  // contents of the .MTM
    return ReadFileText(ModelPath() + (listingName.empty() ? "" : "." + listingName) + ".MTM");
  }
};

struct RunResult { int status = -1; std::string stderrText; };

// Runs the program in this process (XDG_CONFIG_HOME set to the install's,
// standard error captured).
RunResult RunInProcess(const TestInstall& install, const std::vector<std::string>& args);
// Runs the program binary as a child process.
RunResult RunBinary(const std::string& binary, const TestInstall& install, const std::vector<std::string>& args);

// The listing with the run's date and time masked ("dd/mm/yyyy", "HH:MM:SS").
std::string MaskDateTime(const std::string& listing);

// The lines of a listing (split at CR LF).
std::vector<std::string> ListingLines(std::string_view listing);

// The rows of the section titled `title`: its non-empty lines up to the next
// title ("***..."), rule ("===...") or ":" line, the first `skip` of them (headings) left out.
std::vector<std::string> SectionRows(const std::vector<std::string>& lines, const std::string& title, size_t skip);

// A line with its runs of blanks made one and none at its end.
std::string Collapsed(const std::string& line);

// The entry rows (those that start with a label) that the listing prints for
// load case `label`, by section title (its asterisks dropped), blanks
// collapsed; the nodal temperatures one entry a row.
std::map<std::string, std::multiset<std::string>> CaseRows(const std::string& listing, int label);

}  // namespace orvant::testing
