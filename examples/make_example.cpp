// Writes the bundled example model: a small portal frame with a pipe run.
// Usage: make-example DIRECTORY
#include <cstdio>
#include <string>

#include "support/model_builder.h"

using namespace orvant::testing;

namespace {

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

  // Columns and beams of three frames 4 m apart, 5 m high, two 6 m bays.
  for (int frame = 0; frame < 3; ++frame) {
    float z = 4.0f * static_cast<float>(frame);
    for (int col = 0; col < 3; ++col) {
      float x = 6.0f * static_cast<float>(col);
      m.AddNode(x, 0.0f, z);
      m.AddNode(x, 5.0f, z);
    }
  }
  auto base = [](int frame, int col) { return 6 * frame + 2 * col + 1; };
  for (int frame = 0; frame < 3; ++frame) {
    for (int col = 0; col < 3; ++col) m.AddElement(base(frame, col), base(frame, col) + 1, 1, 1, 5.0f);
    for (int col = 0; col < 2; ++col) m.AddElement(base(frame, col) + 1, base(frame, col + 1) + 1, 2, 1, 6.0f);
  }
  for (int frame = 0; frame < 2; ++frame)
    for (int col = 0; col < 3; ++col) m.AddElement(base(frame, col) + 1, base(frame + 1, col) + 1, 2, 1, 4.0f);
  for (size_t e = 1; e < m.elements.size(); ++e) m.elements[e].type = 1;

  GeomRec column;
  column.prefix = "UC ";
  column.number = 203;
  column.area = 0.00764f;
  column.iy = 6.125e-5f;
  column.iz = 2.065e-5f;
  column.j = 4.7e-7f;
  column.sectionType = 1;
  m.geoms.push_back(column);
  GeomRec beam;
  beam.prefix = "UB ";
  beam.number = 305;
  beam.area = 0.00545f;
  beam.iy = 8.196e-5f;
  beam.iz = 4.49e-6f;
  beam.j = 1.5e-7f;
  beam.sectionType = 1;
  m.geoms.push_back(beam);

  MatRec steel;
  steel.e = 2.05e11f;
  steel.g = 7.9e10f;
  steel.density = 7850.0f;
  steel.poisson = 0.3f;
  steel.coefExp = 1.2e-5f;
  steel.yield = 2.75e8f;
  steel.ultimate = 4.3e8f;
  steel.name = "S275";
  m.mats.push_back(steel);

  for (int frame = 0; frame < 3; ++frame)
    for (int col = 0; col < 3; ++col) m.restraints.push_back({static_cast<int16_t>(base(frame, col)), {1, 1, 1, 1, 1, 1}});
  return m;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-example DIRECTORY\n");
    return 2;
  }
  std::string dir = argv[1];
  TestModel m = ExampleFrame();
  WriteModelFiles(m, dir);
  WriteFile(dir + "/FRAME.L1",
            "LDESC Dead load\r\nCOM Self weight of the frame\r\nACCEL,0,-9.81,0\r\n");
  WriteFile(dir + "/FRAME.L2",
            "LDESC Imposed load on the roof beams\r\nCOM Roof load\r\nUDL,4,0,-5000,0\r\nUDL,5,0,-5000,0\r\n"
            "LSUM,0,-60000,0\r\n");
  WriteFile(dir + "/FRAME.C1", "2\r\n1,1.35\r\n2,1.5\r\n\"Ultimate: dead + imposed\"\r\n");
  return 0;
}
