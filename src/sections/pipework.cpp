#include <string>

#include "base/file_system.h"
#include "listing/labels.h"
#include "listing/listing.h"
#include "model/binary_reader.h"
#include "model/model_tables.h"
#include "sections/group_order.h"
#include "sections/sections.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

constexpr size_t kPipeworkRecordSize = 24;

struct PipeworkRecord {
  int16_t PipeType{};
  int16_t PipeNode{};
  float KFlex{}, SIFI{}, SIFO{}, BendRad{}, MitreAngle{};
};

// Record n (from 1) holds the coefficients of element n. A record that the
// file does not hold (or a missing file) reads as zeros.
PipeworkRecord ReadPipeworkRecord(const std::string& data, long long element) {
  BinaryReader r(reinterpret_cast<const unsigned char*>(data.data()), data.size());
  r.Seek(static_cast<size_t>(element - 1) * kPipeworkRecordSize);
  PipeworkRecord rec;
  rec.PipeType = r.I16();
  rec.PipeNode = r.I16();
  rec.KFlex = r.F32();
  rec.SIFI = r.F32();
  rec.SIFO = r.F32();
  rec.BendRad = r.F32();
  rec.MitreAngle = r.F32();
  return rec;
}

// The type name by code; codes 4, 5 and 0 and below assign no name, so the
// previous row's name stays.
void FormPipeTypeName(int16_t code, std::string& name) {
  const std::string digits = std::to_string(code);
  if (code >= 6 && code <= 11) name = "Tee " + digits;
  if (code > 11) name = "Conn " + digits;
  switch (code) {
    case 1: name = "BEND" + digits; break;
    case 2: name = "MITRE" + digits; break;
    case 3: name = "SCELBOW" + digits; break;
    case 16: name = "UserDef" + digits; break;
    default: break;
  }
}

}  // namespace

// Pipework rows use the plain formatter, each value from its column; only
// the diameter and wall thickness are right-justified fields.
void WritePipeworkCoefficients(const RunSettings& s, const ModelTables& m, Listing& out, FileSystem& files) {
  out.End();
  if (m.PipeworkPresent == 1) {
    out.End();
    out.End();
    out.Line("*** PIPEWORK COEFFICIENTS ***");
    out.End();
    out.Line("Elem     Type    Node  KFlex     SIFI      SIFO     BendRad    MitreAngle     Diam       Wall");
    out.Line("                                                   (Saddle t)  (TeeRad rx)");
    out.End();

    const std::string path = s.ModelPath + ".XEP";
    std::string data;
    if (files.FileExists(path)) data = files.ReadFile(path);

    const SelectedLabels elements = SelectByGroup(GroupFilterOnly(s), m.ElementGroup, s.MaxElementLabel);
    std::string typeName;
    for (int16_t e : elements.labelOrder) {
      if (m.ElemPipeworkFlag[e] <= 0) continue;
      PipeworkRecord rec = ReadPipeworkRecord(data, e);
      FormPipeTypeName(rec.PipeType, typeName);

      WriteGroupLabel(out, e, m.ElementGroup[e]);
      out.Column(11).Text(typeName);
      out.Column(19).Plain(rec.PipeNode, "###0");
      out.Column(23).Plain(rec.KFlex, "##0.0###");
      out.Column(33).Plain(rec.SIFI, "##0.0###");
      out.Column(43).Plain(rec.SIFO, "##0.0###");
      out.Column(59).Plain(rec.BendRad, "#0.0###");
      out.Column(69).Plain(rec.MitreAngle, "##0.0###");
      out.Column(75);
      int16_t code = m.ElemGeomCode[e];
      out.Field(m.GeometricPropertyTable[code].GeomDiam, "#####0.0000", 11);
      out.Field(m.GeometricPropertyTable[code].GeomWallThick, "#####0.0000", 11);
      out.End();
    }
  }
  if (s.BriefModelData != 1) out.End();
}

}  // namespace orvant
