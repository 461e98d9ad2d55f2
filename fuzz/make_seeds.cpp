// Writes the seed corpora of the fuzz targets: make-fuzz-seeds OUTDIR
// [MODELDIR]. A small model built in code (every kind of entity, every load
// keyword, sets, groups, combinations) gives a seed for each target; a
// model directory (such as examples/frame) adds its files as one more.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "support/model_builder.h"

using namespace orvant::testing;
using orvant::fuzz::Pack;
using orvant::fuzz::Packed;
using orvant::fuzz::kRunSlotCount;
using orvant::fuzz::kRunSlots;

namespace fs = std::filesystem;

namespace {

std::string Str(const Bytes& b) { return std::string(b.data.begin(), b.data.end()); }

TestModel SeedModel() {
  TestModel m;
  for (int i = 0; i < 6; ++i) m.AddNode(static_cast<float>(i), 1.5f * static_cast<float>(i % 2), 0.25f);
  m.nodes[3].system = 2;
  m.nodes[3].def = {1.0f, 45.0f, 0.0f};
  m.coordSystems[2] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  m.AddElement(1, 2, 1, 1, 2.0f);
  m.AddElement(2, 3, 2, 1, 1.5f);
  int pipe = m.AddElement(3, 4, 2, 2, 1.0f);
  m.elements[static_cast<size_t>(pipe)].pipework = 1;
  m.elements[static_cast<size_t>(pipe)].taper = -1;
  int solid = m.AddElement(1, 5, 1, 1, 0.0f);
  m.elements[static_cast<size_t>(solid)].solidType = 8;
  m.elements[static_cast<size_t>(solid)].solidNodes = {1, 2, 3, 4, 5, 6, 1, 2};
  SpringRec s1;
  s1.n1 = 2;
  s1.n2 = 2;
  s1.propCode = 1;
  m.springs.push_back(s1);
  SpringRec s2;
  s2.n1 = 5;
  s2.n2 = 6;
  s2.propCode = 1;
  s2.rotation = 30;
  m.springs.push_back(s2);
  m.restraints.push_back(RestraintRec{1, {1, 1, 1, 0, 0, 0}});
  m.restraints.push_back(RestraintRec{6, {1, 1, 1, 1, 1, 1}});
  GeomRec g;
  g.prefix = "UB ";
  g.number = 254146;
  g.area = 0.0037f;
  g.iy = 5.5e-5f;
  g.diam = 0.3f;
  g.wall = 0.01f;
  g.lz = {0.1f, -0.1f, 0.1f, -0.1f};
  m.geoms.push_back(g);
  g.prefix = "CHS";
  g.sectionType = 2;
  m.geoms.push_back(g);
  MatRec mat;
  mat.e = 2.1e11f;
  mat.g = 8.1e10f;
  mat.density = 7850;
  mat.name = "STEEL   ";
  m.mats.push_back(mat);
  mat.name = "ALLOY   ";
  m.mats.push_back(mat);
  SpringConstRec k;
  k.kind = 1;
  k.k = {1e6f, 1e6f, 1e6f, 0, 0, 0};
  k.co = 1;
  m.springConsts.push_back(k);
  m.ic.push_back({0, 1, 2, 3, 4, 5, 6});
  m.rc.push_back(RcRec{});
  OffsetRec o;
  o.element = 1;
  o.ref1 = 1;
  o.o1 = {0.1f, 0, 0};
  m.offsets.push_back(o);
  m.pipework[3] = PipeRec{1, 3, 1.2f, 1.1f, 1.0f, 0.5f, 0};
  m.writeXpm = true;
  return m;
}

const char kLoadCase[] =
    "LDESC Seed load case with every keyword\r\nLDATE 01/02/2026\r\nLTIME 10:20:30\r\nSCASE Seed\r\n"
    "AMBT 20\r\nCOM First comment\r\nACCEL,0,-9.81,0\r\nCOF,1,2,3,4,5,6,7,8,9\r\nLSUM,0,-100,0\r\n"
    "ND,1,0.001,,0\r\nNF,2,100,,-200,0,0,0,5\r\nNT,3,40\r\nCOM Beam loads Amend\r\nEP,1,1,0.5,0,-10\r\n"
    "ED,2,2,0.5,1.0,0,0,-1,-3\r\nUDL,1,0,-5,0\r\nFP,4,1,1,100\r\nTEPR,3,180,1.5E6,170,0\r\n"
    "TEPR,2,,,,1.0E5\r\nPUDL,1,2,-450\r\nPUDL,2,-3,-20\r\nPTEMP,1,80\r\nPPRESS,2,1E6,0\r\n"
    "ESTR,1,0.001\r\nSEFO,2,50\r\nCDISP,1,0.5\r\nCFACT,2,0\r\nACOM Analysis note\r\n";

void Put(const fs::path& dir, const std::string& name, const std::string& bytes) {
  fs::create_directories(dir);
  WriteFile((dir / name).string(), bytes);
}

size_t SlotOf(const std::string& extension) {
  for (size_t i = 0; i < kRunSlotCount; ++i)
    if (extension == kRunSlots[i]) return i;
  return kRunSlotCount;
}

std::string GeometrySeed(const TestModel& m) {
  Pack p;
  Bytes sizes;
  sizes.I16(m.MaxElement()).I16(m.MaxSpring()).I16(m.MaxNode()).I16(m.Restrained()).I16(m.GeomCount())
      .I16(m.MatCount()).I16(m.SpringCodeCount());
  p.files = {Str(sizes),
             Str(NodesFile(m)),
             Str(NodeDefinitionsFile(m)),
             Str(ConnectivityFile(m)),
             Str(ElementTypesFile(m)),
             Str(SolidsFile(m)),
             Str(PropertiesFile(m)),
             Str(LengthsFile(m))};
  if (!m.writeXco) p.files[4].reset();
  return Packed(p);
}

std::string WholeRunSeed(const TestModel& m, uint8_t selector) {
  Pack p;
  p.selector = selector;
  p.files.resize(kRunSlotCount);
  auto set = [&](const char* ext, const std::string& bytes) { p.files[SlotOf(ext)] = bytes; };
  set("config.ini", "\"Load items\",500\r\n\"a\",0\r\n\"b\",0\r\n\"c\",0\r\n\"d\",0\r\n\"Max load label\",120\r\n");
  set(".XSZ", ModelSizeText(m));
  set(".XYZ", Str(NodesFile(m)));
  set(".XZY", Str(NodeDefinitionsFile(m)));
  set(".XEC", Str(ConnectivityFile(m)));
  set(".XCO", Str(ElementTypesFile(m)));
  set(".XEN", Str(SolidsFile(m)));
  set(".XEL", Str(PropertiesFile(m)));
  set(".XE1", Str(LengthsFile(m)));
  set(".XEP", Str(PipeworkCoefficientFile(m)));
  set(".XPM", Str(PipeworkDataFile(m)));
  set(".ELN", "Element line data\r\nME,1,0.05,120,0,0,0.001\r\nme,3,1,2,3,4,5\r\n");
  set(".L1", kLoadCase);
  set(".L2", "LDESC Second\r\nNF,1,1\r\n");
  set(".#1", "0,-100,0,\"Linear static\",\"01/02/2026\"\r\n");
  set(".C1", "2\r\n1,1.35\r\n2,1.5\r\n\"Ultimate\"\r\n");
  set(".Q1", "\"Results\"\r\n1\r\n");
  set(".G1", "\"Group set\"\r\n1,1,1\r\n2,3,2\r\n3,2,1\r\n");
  set(".NSG", Str(SetRecord(0, "")) + Str(SetRecord(1, "Front frame")));
  set(".NSS", Str(SetRecord(0, "")) + Str(SetRecord(1, "Ultimate")));
  set(".BG1", Str(GroupRecord(0, "")) + Str(GroupRecord(1, "Columns")) + Str(GroupRecord(1, "Beams")));
  set(".dc1", "Check run line\r\n");
  set(".WIN", "Wind file\r\n");
  return Packed(p);
}

// A model directory's files (MODEL.EXT) in their slots.
std::string DirectorySeed(const fs::path& dir, uint8_t selector) {
  Pack p;
  p.selector = selector;
  p.files.resize(kRunSlotCount);
  for (const auto& entry : fs::directory_iterator(dir)) {
    std::string name = entry.path().filename().string();
    size_t dot = name.find('.');
    if (dot == std::string::npos) continue;
    size_t slot = SlotOf(name.substr(dot));
    if (slot < kRunSlotCount) p.files[slot] = ReadFileText(entry.path().string());
  }
  return Packed(p);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make-fuzz-seeds OUTDIR [MODELDIR]\n");
    return 2;
  }
  const fs::path out = argv[1];
  const TestModel m = SeedModel();

  Put(out / "text_values", "xsz", std::string(1, '\x00') + ModelSizeText(m));
  Put(out / "text_values", "config", std::string(1, '\x44') +
                                          "\"Load items\",1000\r\n\"a\",0\r\n\"b\",1.5e3\r\n\"c\",-0\r\n\"d\",.5\r\n"
                                          "\"Max load label\",250\r\n");
  Put(out / "text_values", "group", std::string(1, '\xA8') + "\"Set, one\" junk\r\n1,2,3\r\n2 , 900,1\r\n\r\n3,2,5,\r\n");
  Put(out / "text_values", "numbers", std::string(1, '\x55') + " 3 ,4\n3 4\r\n5\t,6 \n abc,7,,2.5e1x ,-8,1D-3,+.5E+2");
  // Text, number, 16-bit number, 16-bit number with quotes dropped, in turn.
  Put(out / "text_values", "quoted", std::string(1, '\xE4') + "\"2\",4,2\t3,\"-1.5\" x\r\n\t\"7\"\t,8 ,\"9");

  Put(out / "load_line", "every_keyword", std::string("\x14\x0a\x03\x00", 4) + kLoadCase);
  Put(out / "load_line", "header_only", std::string("\x14\x0a\x03\x01", 4) + kLoadCase);

  const struct { uint8_t mode; float v; std::vector<uint8_t> pattern; uint8_t width; } numbers[] = {
      {0, 1234.5f, {0, 5, 1, 2, 4, 0}, 15},  // "#####0.0000"
      {0, -4.5e-7f, {5, 3, 2}, 15},          // "0.000E+00"
      {0, 0.125f, {2, 1, 1, 2, 0}, 10},      // "#0.00"
      {0, 2.0f, {2, 3, 0, 0, 3}, 10},        // "###.###"
  };
  int n = 0;
  for (const auto& c : numbers) {
    Bytes b;
    b.U8(c.mode).F32(c.v);
    for (uint8_t x : c.pattern) b.U8(x);
    b.U8(c.width).F32(1.35f).F32(0.0f).I32(-3).I32(0);
    Put(out / "numbers", "case" + std::to_string(n++), Str(b));
  }
  Put(out / "numbers", "raw_pattern", std::string("\xFF\x00\x00\xc0\x3f", 5) + "##0.0###");

  Put(out / "geometry", "seed_model", GeometrySeed(m));
  TestModel oldForm = m;
  oldForm.springMarkerForm = false;
  oldForm.writeXco = false;
  Put(out / "geometry", "old_spring_form", GeometrySeed(oldForm));

  Put(out / "whole_run", "seed_model", WholeRunSeed(m, 0));
  Put(out / "whole_run", "seed_model_range", WholeRunSeed(m, 1));
  if (argc > 2) Put(out / "whole_run", "model_directory", DirectorySeed(argv[2], 0));
  return 0;
}
