// The bundled example model: a two-bay portal frame carrying a pipe run on
// springs, with a concrete foundation block, a group set, load cases of
// every kind, combinations, sets and auxiliary files.
#include "examples/models/example_models.h"

#include <string>

namespace orvant::testing {

TestModel ExampleFrame() {
  TestModel m;
  m.name = "FRAME";
  m.modelName = "FRAME";
  m.analysisDescription = "Two-bay portal frame with a pipe run";
  m.definitionUnits = "Metres, Newtons, Kilograms";
  m.dateCreated = "14/03/2026";
  m.timeCreated = "09:12:44";
  m.addDescription = "Bundled example model";
  m.createdChecked = "ENG / CHK";
  m.jobReference = "EX-001";

  // Nodes 1-18: three frames 4 m apart, columns 5 m high, two 6 m bays.
  for (int frame = 0; frame < 3; ++frame) {
    float z = 4.0f * static_cast<float>(frame);
    for (int col = 0; col < 3; ++col) {
      float x = 6.0f * static_cast<float>(col);
      m.AddNode(x, 0.0f, z);
      m.AddNode(x, 5.0f, z);
    }
  }
  // Nodes 19-22: the pipe run 0.5 m above the front beams; node 22 is
  // defined in the cylindrical system 4 (radius, angle, height).
  m.AddNode(0.0f, 5.5f, 0.0f);
  m.AddNode(4.0f, 5.5f, 0.0f);
  m.AddNode(6.0f, 5.5f, 0.0f);
  int n22 = m.AddNode(12.0f, 5.5f, 0.0f);
  m.nodes[static_cast<size_t>(n22)].system = 4;
  m.nodes[static_cast<size_t>(n22)].def = {6.0f, 0.0f, 0.5f};
  // Node 23 is an unused label; nodes 24-31 are the foundation block.
  m.nodes.push_back(NodeRec{false});
  for (int k = 0; k < 8; ++k)
    m.AddNode(k & 1 ? 1.0f : -1.0f, k & 4 ? 0.0f : -1.2f, k & 2 ? 1.0f : -1.0f);

  // Coordinate systems: 4 cylindrical by origin and orientation, 5 by three nodes.
  m.coordSystems[4] = {1, 6.0f, 5.5f, 0.0f, 0.0f, 0.0f, 90.0f, 0, 0, 1};
  m.coordSystems[5] = {0, 1, 3, 7, 0, 0, 0, 0, 0, 2};

  auto base = [](int frame, int col) { return 6 * frame + 2 * col + 1; };
  // Elements 1-15: columns and beams of each frame.
  for (int frame = 0; frame < 3; ++frame) {
    for (int col = 0; col < 3; ++col) m.AddElement(base(frame, col), base(frame, col) + 1, 1, 1, 5.0f);
    for (int col = 0; col < 2; ++col) m.AddElement(base(frame, col) + 1, base(frame, col + 1) + 1, 2, 1, 6.0f);
  }
  // Elements 16-21: the ties between frames; 16 tapers from code 2 to 1.
  for (int frame = 0; frame < 2; ++frame)
    for (int col = 0; col < 3; ++col) m.AddElement(base(frame, col) + 1, base(frame + 1, col) + 1, 2, 1, 4.0f);
  m.elements[16].taper = 1;
  for (size_t e = 1; e < m.elements.size(); ++e) m.elements[e].type = 1;
  m.elements[1].releaseZ = 1;
  m.elements[4].rotation = 90.0f;
  // Elements 22-24: the pipe run, a bend at 20 and a tee at 21.
  for (int e : {m.AddElement(19, 20, 3, 2, 4.0f), m.AddElement(20, 21, 3, 2, 2.0f), m.AddElement(21, 22, 3, 2, 6.0f)}) {
    ElementRec& r = m.elements[static_cast<size_t>(e)];
    r.type = 2;
    r.co = 1;
  }
  m.elements[22].pipework = 1;
  m.elements[22].bendRadius = 0.229f;
  m.elements[23].pipework = 1;
  m.pipework[22] = PipeRec{1, 20, 2.5f, 1.8f, 1.5f, 0.229f, 0.0f};
  m.pipework[23] = PipeRec{7, 21, 1.0f, 2.1f, 1.75f, 0.00711f, 0.05f};
  // Element 25: an 8-node foundation block.
  {
    int e = m.AddElement(24, 25, 0, 3, 2.0f);
    ElementRec& r = m.elements[static_cast<size_t>(e)];
    r.type = 8;
    r.solidType = 1;
    r.releaseZ = 8;
    r.geom = 4;
    r.rotation = 180.0f;
    r.solidNodes = {24, 25, 26, 27, 28, 29, 30, 31};
  }

  m.geoms.push_back(Section("UC ", 203, 0.00764f, 6.125e-5f, 2.065e-5f, 4.7e-7f));
  m.geoms.push_back(Section("UB ", 305, 0.00545f, 8.196e-5f, 4.49e-6f, 1.5e-7f));
  GeomRec pipe = Section("USD", 0, 0.003601f, 1.170e-5f, 1.170e-5f, 2.340e-5f);
  pipe.diam = 0.1683f;
  pipe.wall = 0.00711f;
  pipe.sectionType = 3;
  pipe.lz = {0.084f, -0.084f, 0.0f, 0.0f};
  pipe.ly = {0.0f, 0.0f, 0.084f, -0.084f};
  m.geoms.push_back(pipe);
  m.geoms.push_back(Section("   ", 0, 4.0f, 1.333f, 1.333f, 2.25f));  // the block
  m.geoms[1].lz = {0.1f, -0.1f, 0.1f, -0.1f};
  m.geoms[1].ly = {0.103f, 0.103f, -0.103f, -0.103f};
  m.geoms[1].az = 0.0055f;
  m.geoms[1].ay = 0.0019f;
  m.geoms[1].zt = 0.0f;

  MatRec steel{2.05e11f, 7.9e10f, 7850.0f, 0.3f, 1.2e-5f, 2.75e8f, 4.3e8f, "S275"};
  MatRec pipeSteel{2.07e11f, 8.0e10f, 7850.0f, 0.3f, 1.17e-5f, 2.65e8f, 4.1e8f, "P265GH"};
  MatRec concrete{3.0e10f, 1.25e10f, 2400.0f, 0.2f, 1.0e-5f, 0.0f, 0.0f, "C30/37"};
  m.mats.push_back(steel);
  m.mats.push_back(pipeSteel);
  m.mats.push_back(concrete);

  // Springs/couples: 1 supports the pipe on the front beam; 2 is a
  // couple to ground at node 5 (equal nodes, kept as defined).
  m.springs.push_back(SpringRec{19, 2, 15.0f, 22, 1, 0, 1});
  m.springs.push_back(SpringRec{5, 5, 30.0f, 3, 2, 4, 1});
  m.springConsts.push_back(SpringConstRec{1, {1.0e6f, 1.0e6f, 5.0e5f, 0, 0, 0}, 1});
  m.springConsts.push_back(SpringConstRec{2, {0, 0, 0, 2.5e7f, 2.5e7f, 1.0e7f}, 0});
  m.ic.push_back({1, 0, 12, 0, -1, 0, 3});
  RcRec rc;
  rc.x = {0.0f, 0.001f, 0.002f, 0.005f, 0.01f, 0.02f, 0.05f};
  rc.y = {0.0f, 1.0e3f, 1.8e3f, 3.5e3f, 5.0e3f, 6.0e3f, 6.5e3f};
  m.rc.push_back(rc);

  m.offsets.push_back(OffsetRec{4, 0, 2, {0.0f, 0.15f, 0.0f}, 4, {0.0f, 0.15f, 0.0f}});
  m.offsets.push_back(OffsetRec{0, 0, 0, {9.0f, 9.0f, 9.0f}, 0, {9.0f, 9.0f, 9.0f}});
  m.offsets.push_back(OffsetRec{22, 0, 0, {1.5f, -20.0f, 0.0f}, 0, {0.0f, 0.0f, 0.0f}});

  m.writeXpm = true;
  m.pipeworkData.resize(5);
  m.pipeworkData[3].values = {0.001f, 12.5f, 1000.0f, 0.05f, 120.0f, 0.0f, 0.0f};
  m.materialBlocks.resize(4);
  m.materialBlocks[2].head = {1.0f, 0.85f, 1.37e8f, 4.1e8f};
  m.materialBlocks[2].points[0] = {20.0f, 1.17e-5f, 2.07e11f, 1.37e8f};
  m.materialBlocks[2].points[1] = {150.0f, 1.22e-5f, 1.99e11f, 1.28e8f};
  m.materialBlocks[2].points[2] = {250.0f, 1.27e-5f, 1.91e11f, 1.09e8f};

  for (int frame = 0; frame < 3; ++frame)
    for (int col = 0; col < 3; ++col)
      m.restraints.push_back({static_cast<int16_t>(base(frame, col)), {1, 1, 1, 1, 1, 1}});
  m.restraints.push_back({24, {1, 1, 1, 0, 0, 0}});
  return m;
}

std::vector<GroupEntry> ExampleGroups() {
  std::vector<GroupEntry> groups;
  for (int n = 1; n <= 6; ++n) groups.push_back({2, n, 1});
  for (int n = 19; n <= 22; ++n) groups.push_back({2, n, 2});
  for (int e = 1; e <= 5; ++e) groups.push_back({1, e, 1});
  for (int e = 22; e <= 24; ++e) groups.push_back({1, e, 2});
  groups.push_back({3, 1, 2});
  groups.push_back({1, 25, 3});
  return groups;
}

namespace {

void WriteText(const std::string& dir, const std::string& ext, const std::string& text) {
  WriteFile(dir + "/FRAME" + ext, text);
}

}  // namespace

void WriteExampleModel(const std::string& dir) {
  WriteModelFiles(ExampleFrame(), dir);

  // Group set 1: the front frame (group 1) and the pipe run (group 2).
  std::string groups = "\"Front frame and pipe run\"\r\n";
  for (const GroupEntry& g : ExampleGroups())
    groups += std::to_string(g.kind) + "," + std::to_string(g.label) + "," + std::to_string(g.group) + "\r\n";
  WriteText(dir, ".G1", groups);
  Bytes sets;
  sets.Append(SetRecord(0, "")).Append(SetRecord(1, "Front frame and pipe run"));
  WriteFile(dir + "/FRAME.NSG", sets);
  Bytes groupRecords;
  groupRecords.Append(GroupRecord(0, "")).Append(GroupRecord(1, "Front frame")).Append(GroupRecord(1, "Pipe run"));
  WriteFile(dir + "/FRAME.BG1", groupRecords);
  Bytes results;
  results.Append(SetRecord(0, "")).Append(SetRecord(1, "Ultimate limit state"));
  WriteFile(dir + "/FRAME.NSS", results);
  WriteText(dir, ".Q1", "\"Ultimate limit state\"\r\n1\r\n2\r\n");

  // Load cases.
  WriteText(dir, ".L1",
            "LDESC Dead load\r\nLDATE 14/03/2026\r\nLTIME 10:02:11\r\nCOM Self weight of the frame and pipe\r\n"
            "ACCEL,0,-9.81,0\r\nLSUM,0,-52660,0\r\nCOF,6.0,2.5,4.0,6.0,2.5,4.0,6.0,2.5,4.0\r\n"
            "ACOM Self weight from the material densities\r\n");
  WriteText(dir, ".#1", "0,-52662.4,0,\"Linear static\",\"14/03/2026\"\r\n");
  WriteText(dir, ".L2",
            "LDESC,Imposed load on the roof beams\r\nSCASE Snow and maintenance\r\nCOM Roof load on the front bays\r\n"
            "UDL,4,0,-5000,0\r\nUDL,5,0,-5000,0\r\nCOM Point loads from the hoist\r\nEP,9,1,2.5,0,-10000,0,0,0,0\r\n"
            "EP,10,2,1.25,0,-7500,0,0,0,1500\r\nCOM Side bay loads\r\nED,14,2,0.5,3.0,0,0,-1000,-3000,0,0\r\nED,15,5\r\nED,19\r\n"
            "COM Pipe contents\r\nPUDL,3,2,-450\r\nPUDL,3,-3,-20\r\nLSUM,0,-122500,0\r\n");
  WriteText(dir, ".#2", "0,-122500,0,\"Linear static\",\"14/03/2026\"\r\n");
  WriteText(dir, ".L3",
            "LDESC Thermal expansion of the pipe run\r\nAMBT 20\r\nPTEMP,3,180\r\nPPRESS,3,1.5E6,0\r\n"
            "COM Hot leg\r\nTEPR,22,180,1.5E6,170,0\r\nTEPR,23,180,1.5E6\r\nTEPR,24,,,,1.0E5\r\n"
            "NT,19,180\r\nNT,20,180\r\nNT,21,175\r\nNT,22,170\r\nNT,2,40\r\n");
  WriteText(dir, ".L4",
            "LDESC Support settlement and foundation pressure\r\ncom Settlement of the middle column\r\n"
            "nd,3,0,-0.012,0,0,0,0\r\nND,5,0.002\r\nCOM Plant loads\r\nNF,8,0,-25000,0,0,0,0,500\r\n"
            "NF,23,1000,0,0,0,0,0\r\nNF,14,0,-12000,,,,1500,\r\nFP,25,-2,3,50000,50000,50000,50000\r\n"
            "ESTR,22,0.0005\r\nSEFO,16,25000\r\nCDISP,1,0.001,0,0\r\nCFACT,2,0.5\r\n"
            "ACOM Settlement from the site survey\r\nacom not echoed\r\nACOM Foundation checked for bearing\r\n");
  WriteText(dir, ".C1", "2\r\n1,1.35\r\n2,1.5\r\n\"Ultimate: dead + imposed\"\r\n");
  WriteText(dir, ".C2", "3\r\n1,1\r\n3,1\r\n5,-0.5\r\n\"\"\r\n");

  // Auxiliary files.
  WriteText(dir, ".dc1", "Check run 1: model geometry verified\r\n");
  WriteText(dir, ".ELN",
            "Element line data,Pipe run\r\n\"  Elem    Ins.t    Ins.d    Lin.t    Lin.d    Corr\"\r\n"
            "ME,22,0.05,120,0,0,0.001\r\nme,23,0.05,120,0,0,0.001\r\nME,24,0.05,120,0.003,1100,0.001\r\n");
  WriteText(dir, ".ECI", "Element connectivity check: no free ends\r\n");
  WriteText(dir, ".WIN", "Wind zone 2, basic speed 24 m/s\r\n");
  WriteText(dir, ".WIN2", "Wind case 2: along the frames\r\n");
  WriteText(dir, ".PRI", "Print options: full\r\n");
  WriteText(dir, ".UM1", "User module 1 notes\r\n");
  WriteText(dir, ".BR1", "Bracing review notes\r\n");
}

}  // namespace orvant::testing
