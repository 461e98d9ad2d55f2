#include <string_view>

#include "listing/listing.h"
#include "model/model_tables.h"
#include "sections/sections.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

constexpr size_t kCsType = 0;
constexpr size_t kCsDefinition = 9;

}  // namespace

void WriteModelSizeParameters(const RunSettings& s, Listing& out) {
  out.Line("*** Model Size Parameters ***");
  out.End();
  const struct {
    std::string_view label;
    int16_t value;
  } rows[] = {
      {"Max Node Label                     ", s.MaxNodeLabel},
      {"Max Element Label                  ", s.MaxElementLabel},
      {"Max Spring/Couple Label            ", s.MaxSpringLabel},
      {"Number of Restrained Nodes         ", s.RestrainedNodeCount},
      {"Number of Physical Property Codes  ", s.PhysicalPropertyCount},
      {"Number of Material Property Codes  ", s.MaterialPropertyCount},
      {"Number of Spring Property Codes    ", s.SpringPropertyCount},
  };
  for (const auto& row : rows) {
    out.Text(row.label).NextZone().Int(row.value);
    out.End();
  }
  out.End();
}

// Systems 0 to 2 are always listed; systems up to 3 are the global ones.
// A kind other than 0, 1 and 2 has no name of its own: the line repeats the
// name written for the previous system listed.
void WriteCoordinateSystems(const ModelTables& m, Listing& out) {
  const auto& systems = m.CoordSystemTable;
  out.End();
  out.Line("*** CO-ORDINATE SYSTEMS ***");
  out.Line("                            Origin Location                      Origin Orientation (Degrees) ");
  out.Line("No                 Type           X            Y            Z           Rx           Ry           Rz");
  out.Line("                                 (N1)         (N2)         (N3)");

  std::string_view kindName;
  for (size_t i = 0; i < systems.size(); ++i) {
    const auto& cs = systems[i];
    const bool listed = i <= 2 || cs[kCsDefinition] != 0;
    if (!listed) continue;
    out.Digits(static_cast<long long>(i)).Column(4);
    if (cs[kCsType] == 0)
      kindName = "Cartesian";
    else if (cs[kCsType] == 1)
      kindName = "Cylindrical";
    else if (cs[kCsType] == 2)
      kindName = "Spherical";
    out.Text(kindName);
    if (i <= 3) {
      out.Column(20).Text("Global");
      out.End();
      continue;
    }
    if (cs[kCsDefinition] == 1)
      out.Column(15).Field(cs[kCsType], "#", 11);
    else
      out.Column(18).Text("3-Node").Field(cs[kCsType], "#", 2);
    for (size_t field = 1; field <= 6; ++field) out.Field(cs[field], "#####0.0000", 13);
    out.End();
  }
  out.End();
}

}  // namespace orvant
