// The pipe rack example: a one-bay rack carrying a pipe run on a spring,
// beside a pump plinth, with a load case of nearly every kind of load line
// and the awkward ones among them (blank fields, lower-case keywords, loads
// on missing nodes and elements, comments that are not printed), saved
// totals, combinations and a results set. The same files under another
// name, in imperial units and with pinned column bases, make the second model.
#include "examples/models/example_models.h"

#include <string>

namespace orvant::testing {

namespace {

TestModel Rack(const std::string& name, bool imperial) {
  TestModel m;
  m.name = m.modelName = name;
  m.analysisDescription = "Pipe rack with pump plinth";
  m.definitionUnits = imperial ? "Inches, Pounds" : "Metres, Newtons, Kilograms";
  m.imperialUnits = imperial ? 1 : 0;
  m.dateCreated = "02/04/2026";
  m.timeCreated = "08:05:10";
  m.addDescription = "Load case example";
  m.createdChecked = "PDE / RKW";
  m.jobReference = "EX-002";

  // Nodes 1-4: two columns 6 m apart, 4 m high; 5, 6 and 8 the pipe run
  // 0.5 m above the beam (7 is an unused label); 9-12 the plinth; 13 the
  // middle of the beam, defined in system 4; 14 at the head of column A,
  // where node 2 is.
  const float at[][3] = {{0, 0, 0},    {0, 4, 0},  {6, 0, 0},  {6, 4, 0}, {0, 4.5f, 0},  {3, 4.5f, 0}, {0, 0, 0},
                         {6, 4.5f, 0}, {2, 0, -1}, {3, 0, -1}, {2, 0, 1}, {2.5f, 1, 0}, {3, 4, 0},    {0, 4, 0}};
  for (const auto& p : at) m.AddNode(p[0], p[1], p[2]);
  m.nodes[7].exists = false;
  m.nodes[13].system = 4;
  m.nodes[13].def = {1.5f, 4.0f, 2.0f};
  m.coordSystems[3] = {2, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  m.coordSystems[4] = {0, 1.5f, 0, -2.0f, 0, 0, 0, 0, 0, 1};
  m.coordSystems[6] = {2, 3.0f, 4.5f, 0, 0, 90.0f, 0, 0, 0, 1};

  // Elements: 1, 2 columns; 3 and 8 the beam halves; 4 an unused label;
  // 5, 6 the pipe (an elbow and a user-defined piece); 7 the plinth; 9 a
  // link of no length from the head of column A to node 14.
  const struct { int n1, n2, geom, mat; float length; } elements[] = {
      {1, 2, 1, 1, 4.0f}, {3, 4, 1, 1, 4.0f}, {2, 13, 3, 1, 3.0f}, {0, 0, 0, 0, 0.0f},
      {5, 6, 2, 2, 3.0f}, {6, 8, 2, 2, 3.0f}, {9, 10, 4, 3, 1.0f},  {13, 4, 3, 1, 3.0f},
      {2, 14, 1, 1, 0.0f}};
  for (const auto& e : elements) m.AddElement(e.n1, e.n2, e.geom, e.mat, e.length);
  for (size_t e : {1, 2, 3, 8, 9}) m.elements[e].type = 1;
  m.elements[2].rotation = 90.0f;
  m.elements[3].releaseY = 1;
  for (size_t e : {5, 6}) {
    m.elements[e].type = 2;
    m.elements[e].co = 1;
    m.elements[e].pipework = 1;
  }
  m.elements[5].bendRadius = 0.1524f;
  m.pipework[5] = PipeRec{3, 6, 3.2f, 2.1f, 1.75f, 0.1524f, 0.0f};
  m.pipework[6] = PipeRec{16, 8, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f};
  ElementRec& plinth = m.elements[7];
  plinth.type = 4;
  plinth.solidType = 2;
  plinth.releaseZ = 4;
  plinth.solidNodes = {9, 10, 11, 12};

  m.geoms.push_back(Section("UC ", 152, 2.92e-3f, 1.25e-5f, 4.0e-6f, 4.6e-8f, 1));
  GeomRec pipe = Section("USD", 0, 2.05e-3f, 3.0e-6f, 3.0e-6f, 6.0e-6f, 3);
  pipe.diam = 0.1143f;
  pipe.wall = 0.00602f;
  pipe.lz = {0.057f, -0.057f, 0, 0};
  pipe.ly = {0, 0, 0.057f, -0.057f};
  pipe.az = pipe.ay = 1.03e-3f;  // the levers cancel; these keep the code in the stress point table
  m.geoms.push_back(pipe);
  m.geoms.push_back(Section("UB ", 254, 4.17e-3f, 4.41e-5f, 3.07e-6f, 1.5e-7f, 1));
  m.geoms.push_back(Section("   ", 0, 1.0f, 0.0833f, 0.0833f, 0.141f, 1));
  m.mats.push_back(MatRec{2.1e11f, 8.1e10f, 7850.0f, 0.3f, 1.2e-5f, 3.55e8f, 5.1e8f, "S355"});
  m.mats.push_back(MatRec{2.1e11f, 8.1e10f, 7850.0f, 0.3f, 1.2e-5f, 2.35e8f, 3.6e8f, "P235GH"});
  m.mats.push_back(MatRec{3.1e10f, 1.29e10f, 2400.0f, 0.2f, 1.0e-5f, 0.0f, 0.0f, "C25/30"});

  // Spring 1 carries the pipe (no definition flag, which only matters to one
  // to ground); 2 is an undefined label (its nodes equal, no flag); 3 ties
  // node 10 to ground, its rotation dropped; 4 a label left free (no nodes).
  m.springs.push_back(SpringRec{6, 13, 15.0f, 3, 1, 0, 0});
  m.springs.push_back(SpringRec{12, 12, 30.0f, 0, 1, 0, 0});
  m.springs.push_back(SpringRec{10, 10, 45.0f, 0, 1, 0, 1});
  m.springs.push_back(SpringRec{0, 0, 0.0f, 0, 0, 0, 0});
  m.springConsts.push_back(SpringConstRec{1, {2.0e6f, 2.0e6f, 2.0e6f, 0, 0, 0}, 0});
  m.offsets.push_back(OffsetRec{3, 0, 0, {0.0f, -0.125f, 0.0f}, 0, {0.0f, -0.125f, 0.0f}});
  m.offsets.push_back(OffsetRec{5, 0, 3, {0.0f, 0.25f, 0.0f}, 8, {0.0f, 0.25f, 0.0f}});
  const int16_t columnBase = imperial ? 0 : 1;  // rotations fixed or free
  for (int16_t node : {1, 3}) m.restraints.push_back({node, {1, 1, 1, columnBase, columnBase, columnBase}});
  m.restraints.push_back({9, {1, 1, 1, 0, 0, 0}});
  m.restraints.push_back({10, {1, 1, 1, 0, 0, 0}});
  return m;
}

// The load cases, combinations and text files, the same for both models.
const struct {
  const char* extension;
  const char* text;
} kRackTexts[] = {
    // Case 0: gravity in two directions, saved totals that sum to 0 (no echo).
    {".L0",
     "LDESC Self weight\r\nLDATE 02/04/2026\r\nLTIME 08:15:00\r\nACCEL,0.5,,-9.81\r\n"
     "COF,3.0,2.25,0,3.0,2.25,0,3.0,2.25,0\r\nLSUM,100,-100,0\r\nACOM Self weight from the densities\r\n"},
    {".#0", "0,0,-18250.5,\"Linear static\",\"02/04/2026\"\r\n"},
    // Case 1: displacements, nodal, point, distributed and face loads.
    {".L1",
     "LDESC Pipe and plant loads\r\nSCASE Operating, pumps running\r\nCOM Settlement of column B\r\n"
     "ND,3,0,-0.012,0,0,0,0\r\nnd,4,0.002\r\nND,13,0.001,,,0.0005,0,-0.0003\r\nND,99,1\r\n ND,5,1\r\n"
     "COM Pump reactions (first estimate)\r\nCOM Pump reactions (second estimate)\r\n"
     "COM Pump reactions from the vendor drawing\r\n"
     "NF,5,1000,0,0,0,0,0,\r\nNF,6,0,-2500,0,0,0,1200,12.5\r\nNF,7,0,-999,0,0,0,0\r\nNF,13,,-1500,,,,,\r\n"
     "COM Beam loads  Amend 2\r\nEP,3,1,2.5,0,-10000,0,0,0,0\r\nEP,3,2,1.0,0,0,-2000,0,0,0\r\n"
     "EP,8,0,0.25,500,0,0,0,0,0\r\nEP,8,1,-10101,0,-750,0,0,0,0\r\nEP,4,1,1.0,0,-1,0,0,0,0\r\n"
     "EP,9,1,0,0,-100,0,0,0,0\r\n"
     "COM Amended UDLs on the beam\r\nUDL,3,0,-2000,0\r\nUDL,8,0,-1500,0,2\r\nED,3,2,0.5,3.0,0,0,-1000,-3000,0,0\r\n"
     "ED,8,5,0,1.5,100,100,0,0,0,0\r\nED,1\r\nED,2,1,,,0,0,0,-500\r\nUDL,4,0,-1,0\r\nED,4,1,0,1,0,0,-1,-1,0,0\r\n"
     "FP,7,-2,3,50000,50000,50000,50000\r\nFP,7,,,-2500\r\nFP,7,2,,-100\r\nFP,3,1,1,1,1,1,1\r\n"
     "NF,9,0,0,0,0,0,0,1\r\n"
     "LSUM,1000,-19250,0\r\nCOF,6.0,4.5,0,3.5,4.1,0,0,0,0\r\n"},
    {".#1", "1000,-19250,0,\"Linear static\",\"02/04/2026\"\r\n"},
    // Case 2: temperatures and pressures by code and by element; no saved totals.
    {".L2",
     "LDESC Operating temperature and pressure\r\nAMBT 15.5\r\nPTEMP,2,40\r\nPPRESS,2,1.2E6\r\nPPRESS,3,0,2.0E5\r\n"
     "PUDL,2,2,-5000\r\nPUDL,2,-3,-200\r\nPUDL,1,1,300\r\nPUDL,3,0,7\r\nPUDL,9,1,1\r\nPUDL,1,4,1\r\nPUDL,4,1,300\r\n"
     "COM Hot leg from the pump\r\nTEPR,5,180,1.5E6,170,0\r\nTEPR,6,,,,1.5E5\r\nTEPR,1,60\r\nTEPR,5,200,1.6E6\r\n"
     "TEPR,2,,5.0E5\r\nTEPR,4,50\r\nTEPR,7,25\r\n"
     "NT,5,180\r\nNT,6,175\r\nNT,8,170\r\nNT,1,40\r\nNT,2,40\r\nNT,3,35\r\nNT,4,35\r\nNT,13\r\nNT,7,30\r\nNT,15,10\r\n"},
    // Case 3: no description of its own, a date and time that the cases after
    // it carry; interpreted commands, a code load in direction 0 only, and
    // temperatures (by element, by code with no pressure, and one nodal one)
    // listed with case 2's ambient temperature, and a sideways acceleration.
    {".L3",
     "SCASE Interpreted commands only\r\nLDATE 03/04/2026\r\nLTIME 09:30:00\r\nCOM Strains\r\n"
     "ESTR,3,0.001,0.002,0.003\r\nsefo,8,25000\r\nCDISP,1,,0.5\r\nCFACT,1,0.5\r\nPUDL,3,0,7\r\n"
     "TEPR,1,70\r\nPTEMP,3,45\r\nNT,5,60\r\nACCEL,,,1.5\r\nLSUM,0,0,-1500\r\n"
     "acom not echoed\r\nACOM Birth of spring 1 after stage\r\nACOM 2\r\n"},
    {".#3", "1500,0,0,\"Non-linear\",\"03/04/2026\"\r\n"},
    // Case 4: its description from a comment; a light distributed load (its
    // arrow scale below 1 per cm); a centre of force whose first
    // field is blank: listed as the no-value marker, its total not drawn.
    {".L4", "COM LDESC Wind on the rack from the north\r\nEP,1,1,2.0,1250,0,0,0,0,0\r\nEP,2,1,2.0,1250,0,0,0,0,0\r\n"
            "NF,12,0,0,0,0,0,1\r\nUDL,1,1.5\r\nLSUM,2500,0,0\r\nCOF,,4.5,3.0\r\n"},
    {".#4", "2500,0,0,\"Linear static\",\"03/04/2026\"\r\n"},
    // Case 5: a description cut to 55 characters; halves to round; an ambient
    // temperature of its own, which case 3 (listed before it) must not show.
    {".L5",
     "LDESC Hydrotest of the pipe run with the rack loaded to its full design capacity\r\nAMBT 20\r\n"
     "NF,5,2125,-2125,1062.5,0,0,0,\r\nNF,1,0,0,0,800,0,0\r\nNF,8,0.004,-0.0049,0,0,0,0,1.0E-7\r\nEP,5,1,0.5,0,-1062.5,0,0,0,0\r\n"
     "LSUM,0,-4500,0\r\nCOF,1.5,4.5,0,1.5,4.5,0,0,0,0\r\n"},
    {".#5", "0,-4499.75,0,\"Linear static\",\"04/04/2026\"\r\n"},
    // Combination 0 without a description; 3 with a missing case after one
    // with saved totals; 12 with the long description, after a blank first
    // line (which gives no value).
    {".C0", "2\r\n0,1.5\r\n1,-1\r\n\"\"\r\n"},
    {".C3", "3\r\n1,1.35\r\n7,1\r\n2,1.0E-5\r\n\"Operating with plant\"\r\n"},
    {".C12", "\r\n2\r\n5,1.0\r\n4,-0.5\r\n\"\"\r\n"},
    {".Q2", "\"Ultimate\"\r\n3,,12\r\n"},
    {".G1",
     "\"Rack and pipe\"\r\n2,1,1\r\n2,2,1\r\n2,3,1\r\n2,4,1\r\n2,5,2\r\n2,6,2\r\n2,8,2\r\n2,9,5\r\n2,10,5\r\n2,11,5\r\n"
     "2,12,5\r\n2,13,-1\r\n1,0,1\r\n1,1,1\r\n1,2,1\r\n1,3,1\r\n1,5,2\r\n1,6,2\r\n1,7,5\r\n3,1,2\r\n3,3,5\r\n3,5,5\r\n"},
    {".ELN",
     "Element line data,Pipe run insulation\r\n\"  Elem    Ins.t    Ins.d    Lin.t    Lin.d    Corr\"\r\n"
     "ME,1,0,0,0,0,0.002\r\nme,5,0.05,120,0,0,0.001\r\nME,6,0.05,120,0.003,1100,0.001\r\nME,4,1,1,1,1,1\r\n"},
    {".dc2", "Check run 2: loads checked against the pump datasheet\r\n"},
    {".WAV1", "Wave data not used\r\n"},
    {".PRT", ""},
    {".UM2", "User module 2: pump skid\r\n"},
    {".UMRegions", "Regions of user module data\r\n"},
};

}  // namespace

void WriteExampleRack(const std::string& dir, const std::string& name, bool imperial) {
  WriteModelFiles(Rack(name, imperial), dir);
  for (const auto& file : kRackTexts) WriteFile(dir + "/" + name + file.extension, std::string(file.text));
  Bytes sets;
  sets.Append(SetRecord(1, "Columns")).Append(SetRecord(1, "Rack and pipe")).Append(SetRecord(1, "Plinth"));
  WriteFile(dir + "/" + name + ".NSG", sets);
  Bytes groups;
  for (int g = 0; g <= 5; ++g)
    groups.Append(GroupRecord(g == 1 || g == 2 || g == 5 ? 1 : 0, g == 1 ? "Steelwork" : g == 2 ? "Pipe" : "Plinth"));
  Bytes results;
  results.Append(SetRecord(1, "Serviceability")).Append(SetRecord(0, "")).Append(SetRecord(1, "Ultimate"));
  // Sets and groups up to the highest load label (99) are listed, one beyond it not.
  for (int k = 3; k < 99; ++k) results.Append(SetRecord(0, ""));
  for (int g = 6; g < 99; ++g) groups.Append(GroupRecord(0, ""));
  results.Append(SetRecord(1, "Envelope")).Append(SetRecord(1, "Beyond the highest load label"));
  groups.Append(GroupRecord(1, "Spare")).Append(GroupRecord(1, "Beyond the highest load label"));
  WriteFile(dir + "/" + name + ".NSS", results);
  WriteFile(dir + "/" + name + ".BG1", groups);
  // Group set 0, listed before set 1.
  WriteFile(dir + "/" + name + ".BG0", Bytes().Append(GroupRecord(0, "")).Append(GroupRecord(1, "Columns")));
}

}  // namespace orvant::testing
