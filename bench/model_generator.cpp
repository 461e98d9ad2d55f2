#include "model_generator.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace orvant::bench {

using testing::Bytes;
using testing::GroupRecord;
using testing::SetRecord;
using testing::TestInstall;
using testing::TestModel;

namespace {

// A small deterministic generator: the same model on every run.
struct Random {
  uint64_t state;
  explicit Random(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 1) {}
  uint32_t Next() {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return static_cast<uint32_t>(state >> 11);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
  int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
  // A value of magnitude about `scale`, with up to five significant digits.
  float Value(float scale) {
    float v = static_cast<float>(Below(200001) - 100000) / 100000.0f * scale;
    return v;
  }
};

void Num(std::string& out, double v) {
  char buf[32];
  int n = std::snprintf(buf, sizeof buf, "%.5g", v);
  out.append(buf, static_cast<size_t>(n));
}

void Int(std::string& out, long long v) { out += std::to_string(v); }

// The group of an entity in set 1: every entity has one.
int16_t GroupOf(const ModelSize& z, int kind, int label) {
  return static_cast<int16_t>(1 + (label * 37 + kind * 11) % z.groups);
}

int SolidEvery() { return 100; }
bool IsSolid(int e) { return e % SolidEvery() == 50; }

TestModel BuildModel(const ModelSize& z) {
  Random rnd(7);
  TestModel m;
  m.modelName = "BENCH-" + z.label;
  m.analysisDescription = "Benchmark model " + z.label;
  m.definitionUnits = "Metres, Newtons, Kilograms";
  m.addDescription = "Generated";
  m.createdChecked = "GEN / CHK";
  m.jobReference = "BENCH";

  const int columns = 100;
  m.nodes.reserve(static_cast<size_t>(z.nodes) + 1);
  for (int n = 1; n <= z.nodes; ++n) {
    float x = static_cast<float>((n - 1) % columns) * 1.25f;
    float y = static_cast<float>((n - 1) / columns) * 0.75f;
    float z3 = static_cast<float>(n % 7) * 0.5f;
    int label = m.AddNode(x, y, z3);
    testing::NodeRec& r = m.nodes[static_cast<size_t>(label)];
    if (n % 997 == 500) r.exists = false;  // a few unused labels
    if (n % 10 == 3) {
      r.system = static_cast<int16_t>(1 + n % 3);
      r.def = {x - 10.0f, y * 0.5f + 1.0f, z3 + 2.25f};
    }
  }
  m.coordSystems[1] = {0, 10.0f, 0.0f, 0.0f, 0.0f, 0.0f, 30.0f, 0, 0, 1};
  m.coordSystems[2] = {1, 0.0f, 5.0f, 0.0f, 0.0f, 90.0f, 0.0f, 0, 0, 2};
  m.coordSystems[3] = {0, 1, 2, 3, 0, 0, 0, 0, 0, 0};

  m.elements.reserve(static_cast<size_t>(z.elements) + 1);
  for (int e = 1; e <= z.elements; ++e) {
    int n1 = 1 + (e - 1) % (z.nodes - 1);
    int label = m.AddElement(n1, n1 + 1, 1 + e % z.geomCodes, 1 + e % z.matCodes,
                             0.5f + static_cast<float>(rnd.Below(10000)) / 1000.0f);
    testing::ElementRec& r = m.elements[static_cast<size_t>(label)];
    r.type = static_cast<int16_t>(1 + e % 2);
    r.rotation = static_cast<float>(rnd.Below(4)) * 45.0f;
    if (e % 13 == 0) r.releaseZ = 1;
    if (e % 17 == 0) r.releaseY = 1;
    if (e % 29 == 0) r.taper = 1;
    if (e % 3 == 0) r.n3 = static_cast<int16_t>(1 + (n1 + 50) % z.nodes);
    if (IsSolid(e)) {
      r.solidType = 1;
      r.type = 8;
      r.releaseZ = 8;
      for (int k = 0; k < 8; ++k) r.solidNodes.push_back(static_cast<int16_t>(1 + (n1 + k) % z.nodes));
    } else if (e % 10 == 0) {
      r.type = 2;
      r.co = 1;
      r.pipework = 1;
      r.bendRadius = 0.229f;
      m.pipework[e] = testing::PipeRec{static_cast<int16_t>(1 + e % 3), static_cast<int16_t>(n1 + 1), 2.5f, 1.8f,
                                       1.5f, 0.229f, 0.0f};
    }
  }

  for (int s = 1; s <= z.springs; ++s) {
    int n1 = 1 + rnd.Below(z.nodes);
    int n2 = s % 5 == 0 ? n1 : 1 + rnd.Below(z.nodes);
    m.springs.push_back(testing::SpringRec{static_cast<int16_t>(n1), static_cast<int16_t>(n2),
                                           static_cast<float>(s % 8) * 15.0f,
                                           static_cast<int16_t>(1 + rnd.Below(z.elements)),
                                           static_cast<int16_t>(1 + s % z.springCodes), static_cast<int16_t>(s % 3),
                                           1});
  }

  for (int n = 1; n <= z.nodes; n += 50)
    m.restraints.push_back({static_cast<int16_t>(n), {1, 1, 1, static_cast<int16_t>(n % 2), 0, 1}});

  for (int g = 1; g <= z.geomCodes; ++g) {
    testing::GeomRec r;
    r.prefix = g % 3 == 0 ? "UC " : (g % 3 == 1 ? "UB " : "USD");
    r.number = 100 + g;
    r.area = 0.001f + static_cast<float>(g) * 1.0e-4f;
    r.iy = 1.0e-5f * static_cast<float>(g);
    r.iz = 2.5e-6f * static_cast<float>(g);
    r.j = 3.0e-7f * static_cast<float>(g);
    if (g % 3 == 2) {
      r.diam = 0.1683f;
      r.wall = 0.00711f;
    }
    r.lz = {0.1f, -0.1f, 0.1f, -0.1f};
    r.ly = {0.103f, 0.103f, -0.103f, -0.103f};
    r.az = 0.0055f;
    r.ay = 0.0019f;
    r.sectionType = static_cast<int16_t>(1 + g % 3);
    r.sz = 1.0e-4f * static_cast<float>(g);
    r.sy = 2.0e-4f;
    r.sx = 3.0e-4f;
    m.geoms.push_back(r);
  }
  for (int c = 1; c <= z.matCodes; ++c) {
    m.mats.push_back(testing::MatRec{2.05e11f + static_cast<float>(c) * 1.0e9f, 7.9e10f, 7850.0f, 0.3f, 1.2e-5f,
                                     2.75e8f, 4.3e8f, "MAT" + std::to_string(c)});
  }
  for (int k = 1; k <= z.springCodes; ++k) {
    m.springConsts.push_back(testing::SpringConstRec{
        static_cast<int16_t>(1 + k % 2),
        {1.0e6f * static_cast<float>(k), 1.0e6f, 5.0e5f, 0, 2.5e7f, static_cast<float>(k)},
        static_cast<int16_t>(k % 2)});
  }
  m.ic.push_back({1, 0, 12, 0, -1, 0, 3});
  m.ic.push_back({2, 1, 6, 0, 0, 1, 1});
  testing::RcRec rc;
  rc.x = {0.0f, 0.001f, 0.002f, 0.005f, 0.01f, 0.02f, 0.05f};
  rc.y = {0.0f, 1.0e3f, 1.8e3f, 3.5e3f, 5.0e3f, 6.0e3f, 6.5e3f};
  m.rc.push_back(rc);

  for (int e = 20; e <= z.elements; e += 20) {
    m.offsets.push_back(testing::OffsetRec{static_cast<int16_t>(e), 0, static_cast<int16_t>(e % 4),
                                           {0.0f, 0.15f, 0.0f}, static_cast<int16_t>(e % 3), {0.0f, -0.125f, 0.05f}});
  }

  m.writeXpm = true;
  m.pipeworkData.resize(static_cast<size_t>(z.geomCodes) + 1);
  for (int g = 2; g <= z.geomCodes; g += 3)
    m.pipeworkData[static_cast<size_t>(g)].values = {0.001f, 12.5f, 1000.0f, 0.05f, 120.0f, 0.0f, 0.0f};
  m.materialBlocks.resize(static_cast<size_t>(z.matCodes) + 1);
  for (int c = 1; c <= z.matCodes; c += 2) {
    auto& b = m.materialBlocks[static_cast<size_t>(c)];
    b.head = {1.0f, 0.85f, 1.37e8f, 4.1e8f};
    b.points[0] = {20.0f, 1.17e-5f, 2.07e11f, 1.37e8f};
    b.points[1] = {150.0f, 1.22e-5f, 1.99e11f, 1.28e8f};
  }
  return m;
}

// The group set 1 file: every node, element and spring/couple in a group.
std::string GroupSetText(const ModelSize& z) {
  std::string t = "\"Benchmark groups\"\r\n";
  t.reserve(static_cast<size_t>(z.nodes + z.elements + z.springs) * 14);
  for (int n = 1; n <= z.nodes; ++n) {
    t += "2,";
    Int(t, n);
    t += ',';
    Int(t, GroupOf(z, 2, n));
    t += "\r\n";
  }
  for (int e = 1; e <= z.elements; ++e) {
    t += "1,";
    Int(t, e);
    t += ',';
    Int(t, GroupOf(z, 1, e));
    t += "\r\n";
  }
  for (int s = 1; s <= z.springs; ++s) {
    t += "3,";
    Int(t, s);
    t += ',';
    Int(t, GroupOf(z, 3, s));
    t += "\r\n";
  }
  return t;
}

std::string ElementLineDataText(const ModelSize& z) {
  std::string t = "Element line data,Benchmark model\r\n\"  Elem    Ins.t    Ins.d    Lin.t    Lin.d    Corr\"\r\n";
  for (int e = 1; e <= z.elements; e += 2) {
    t += e % 4 == 1 ? "ME," : "me,";
    Int(t, e);
    t += ",0.05,120,0,";
    Num(t, 0.001 * (e % 7));
    t += ",0.001\r\n";
  }
  return t;
}

// One load case file. The entries cycle through the data keywords; the
// comments are spread evenly among them.
std::string LoadCaseText(const ModelSize& z, int c) {
  Random rnd(static_cast<uint64_t>(1000 + c));
  std::string t;
  t.reserve(static_cast<size_t>(z.entriesPerCase) * 64 + 4096);
  if (c % 7 != 3) {
    t += "LDESC Benchmark load case ";
    Int(t, c);
    t += c % 5 == 0 ? " with a description that is longer than fifty-five characters\r\n" : "\r\n";
  }
  t += "LDATE 01/02/2026\r\nLTIME 10:";
  t += c % 60 < 10 ? "0" : "";
  Int(t, c % 60);
  t += ":00\r\n";
  if (c % 3 == 0) t += "SCASE Second line of case " + std::to_string(c) + "\r\n";
  t += "AMBT ";
  Int(t, 10 + c % 15);
  t += "\r\n";
  if (c % 4 == 1) t += "ACCEL,0,-9.81,0\r\n";
  t += "LSUM,";
  Num(t, rnd.Value(1.0e5f));
  t += ",";
  Num(t, rnd.Value(1.0e5f));
  t += ",0\r\n";
  t += "COF,6.0,2.5,4.0,6.0,2.5,4.0,6.0,2.5,4.0\r\n";

  const int entries = z.entriesPerCase;
  const int comments = std::max(1, z.commentsPerCase);
  const int commentEvery = std::max(1, entries / comments);
  const int firstSolid = SolidEvery() / 2;
  const int solidCount = z.elements >= firstSolid ? (z.elements - firstSolid) / SolidEvery() + 1 : 0;
  for (int j = 0; j < entries; ++j) {
    if (j % commentEvery == 0 && j / commentEvery < comments) {
      int k = j / commentEvery;
      if (k % 5 == 4)
        t += "COM Load per Amendment ";  // "Amend" past the 9th character: not printed
      else
        t += k % 2 ? "com Loads of group " : "COM Loads of group ";
      Int(t, k + 1);
      t += " in case ";
      Int(t, c);
      t += "\r\n";
    }
    const int node = 1 + rnd.Below(z.nodes);
    const int element = 1 + rnd.Below(z.elements);
    int kind = j % 20;
    if (kind == 19 && solidCount == 0) kind = 2;
    if (kind <= 1) {
      t += "ND,";
      Int(t, node);
      t += ",";
      Num(t, rnd.Value(0.01f));
      t += j % 3 ? ",," : ",0,";
      Num(t, rnd.Value(0.01f));
      t += ",0,0,";
      Num(t, rnd.Value(0.001f));
    } else if (kind <= 6) {
      t += kind == 6 ? "nf," : "NF,";
      Int(t, node);
      for (int f = 0; f < 6; ++f) {
        t += ',';
        if (f == 4 && j % 4 == 0) continue;  // a blank field
        Num(t, rnd.Value(f < 3 ? 50000.0f : 2000.0f));
      }
      if (j % 5 == 0) {
        t += ',';
        Num(t, rnd.Value(1000.0f) + 1000.0f);
      } else if (j % 5 == 1) {
        t += ',';  // an empty last field: mass 0
      }
    } else if (kind <= 9) {
      t += "EP,";
      Int(t, element);
      t += kind == 9 ? ",2," : ",1,";
      Num(t, static_cast<float>(rnd.Below(1000)) / 250.0f);
      for (int f = 0; f < 6; ++f) {
        t += ',';
        Num(t, rnd.Value(f < 3 ? 20000.0f : 500.0f));
      }
    } else if (kind <= 12) {
      t += "ED,";
      Int(t, element);
      t += ',';
      Int(t, 1 + j % 3);
      t += ',';
      if (kind != 12) {
        Num(t, static_cast<float>(rnd.Below(100)) / 100.0f);
        t += ',';
        Num(t, 1.0f + static_cast<float>(rnd.Below(300)) / 100.0f);
      } else {
        t += ',';  // blank start length (1.0), blank finish length (full span)
      }
      for (int f = 0; f < 6; ++f) {
        t += ',';
        Num(t, rnd.Value(3000.0f));
      }
    } else if (kind <= 14) {
      t += "UDL,";
      Int(t, element);
      t += ",0,";
      Num(t, rnd.Value(5000.0f));
      t += ",0";
      if (kind == 14) t += ",3";
    } else if (kind <= 16) {
      t += "TEPR,";
      Int(t, element);
      t += ',';
      Num(t, 20.0f + static_cast<float>(rnd.Below(2000)) / 10.0f);
      t += ',';
      Num(t, 1.0e6f + rnd.Value(5.0e5f));
      t += kind == 15 ? "," : ",170";
      t += ',';
      if (j % 3 == 0) Num(t, 1.0e5f);
    } else if (kind <= 18) {
      t += "NT,";
      Int(t, node);
      t += ',';
      Num(t, 20.0f + static_cast<float>(rnd.Below(1600)) / 10.0f);
    } else {
      const int solid = firstSolid + SolidEvery() * rnd.Below(solidCount);
      t += "FP,";
      Int(t, solid);
      t += ",-2,3";
      for (int f = 0; f < 4; ++f) {
        t += ',';
        Num(t, 50000.0f + rnd.Value(1000.0f));
      }
    }
    t += "\r\n";
  }

  for (int k = 0; k < 3; ++k) {
    t += "PUDL,";
    Int(t, 1 + (c + k) % z.geomCodes);
    t += ',';
    Int(t, k == 1 ? -2 : k + 1);
    t += ',';
    Num(t, rnd.Value(500.0f));
    t += "\r\n";
  }
  for (int k = 0; k < 2; ++k) {
    t += "PTEMP,";
    Int(t, 1 + (c * 3 + k) % z.geomCodes);
    t += ",180\r\nPPRESS,";
    Int(t, 1 + (c * 5 + k) % z.geomCodes);
    t += ",1.5E6,0\r\n";
  }
  t += "ESTR,22,0.0005\r\nSEFO,16,25000\r\nESTR,40,-0.0002\r\nCDISP,1,0.001,0,0\r\nCFACT,2,0.5\r\n";
  t += "ACOM Analysis comment of case " + std::to_string(c) + "\r\nACOM Checked\r\n";
  return t;
}

std::string SavedTotalsText(int c) {
  Random rnd(static_cast<uint64_t>(5000 + c));
  std::string t;
  Num(t, rnd.Value(1.0e5f));
  t += ',';
  Num(t, rnd.Value(1.0e5f));
  t += ',';
  Num(t, rnd.Value(1.0e3f));
  t += ",\"Linear static\",\"01/02/2026\"\r\n";
  return t;
}

std::string CombinationText(const ModelSize& z, int n) {
  std::string t;
  Int(t, z.casesPerCombination);
  t += "\r\n";
  for (int i = 0; i < z.casesPerCombination; ++i) {
    // One combination in ten names a case that does not exist.
    int label = (n % 10 == 0 && i == 0) ? z.cases + 5 : 1 + ((n - 1) * z.casesPerCombination + i) % z.cases;
    Int(t, label);
    t += ',';
    t += i % 2 ? "1.5" : "1.35";
    t += "\r\n";
  }
  t += n % 4 == 0 ? "\"\"\r\n" : "\"Combination " + std::to_string(n) + "\"\r\n";
  return t;
}

}  // namespace

ModelSize ModelSize::Doubled(const std::string& newLabel) const {
  ModelSize d = *this;
  d.label = newLabel;
  d.nodes *= 2;
  d.elements *= 2;
  d.springs *= 2;
  d.geomCodes *= 2;
  d.matCodes *= 2;
  d.springCodes *= 2;
  d.cases *= 2;
  d.combinations *= 2;
  return d;
}

ModelSize SizeN() {
  ModelSize z;
  z.label.append("N");
  return z;
}

ModelSize SizeMax() {
  ModelSize z;
  z.label.append("max");
  z.nodes = 32767;
  z.elements = 32000;
  z.springs = 700;
  z.geomCodes = 200;
  z.matCodes = 50;
  z.springCodes = 20;
  z.cases = 300;
  z.entriesPerCase = 1000;
  z.commentsPerCase = 20;
  z.combinations = 50;
  z.casesPerCombination = 6;
  z.loadItemCapacity = 1000;
  return z;
}

void WriteBenchModel(const ModelSize& z, TestInstall& install) {
  install.WriteConfig(z.loadItemCapacity, z.maxLoadLabel);
  install.WriteModel(BuildModel(z));

  install.WriteModelText(".G1", GroupSetText(z));
  Bytes sets;
  sets.Append(SetRecord(0, "")).Append(SetRecord(1, "Benchmark groups")).Append(SetRecord(1, "Spare set"));
  install.WriteModelBytes(".NSG", sets);
  Bytes groups;
  groups.Append(GroupRecord(0, ""));
  for (int g = 1; g <= z.groups; ++g) groups.Append(GroupRecord(1, "Group " + std::to_string(g)));
  install.WriteModelBytes(".BG1", groups);
  Bytes results;
  results.Append(SetRecord(0, "")).Append(SetRecord(1, "Ultimate limit state")).Append(SetRecord(1, "Serviceability"));
  install.WriteModelBytes(".NSS", results);

  for (int c = 1; c <= z.cases; ++c) {
    install.WriteModelText(".L" + std::to_string(c), LoadCaseText(z, c));
    if (c % 5 != 0) install.WriteModelText(".#" + std::to_string(c), SavedTotalsText(c));
  }
  for (int n = 1; n <= z.combinations; ++n) install.WriteModelText(".C" + std::to_string(n), CombinationText(z, n));

  install.WriteModelText(".ELN", ElementLineDataText(z));
  install.WriteModelText(".ECI", "Element connectivity check: no free ends\r\n");
  install.WriteModelText(".WIN", "Wind zone 2, basic speed 24 m/s\r\n");
  install.WriteModelText(".PRI", "Print options: full\r\n");
  install.WriteModelText(".dc1", "Check run 1: model geometry verified\r\n");
}

std::string BenchOptions(const ModelSize& z) {
  return "1/1/1/1/0/1/1/1/1/1/0/1/-" + std::to_string(z.groupLimit) + "/0/";
}

}  // namespace orvant::bench
