#pragma once
// Which entries of a load case the listing prints, and what it prints for
// each. The load sections print by these rules, and the picture and the VTK
// file of a case draw by them, so that what is drawn is what is listed.
#include <cstdint>
#include <string>
#include <string_view>

#include "listing/listing.h"
#include "loads/load_case.h"

namespace orvant {

struct RunSettings;
struct ModelTables;

// An element without a span: both end nodes the same.
bool UndefinedElement(const ModelTables& m, int16_t element);

// A nodal load on a node the model does not hold has no row.
bool ListedNodalLoad(const ModelTables& m, const NodalLoad& e);
// A point load on an undefined element has no row.
bool ListedPointLoad(const ModelTables& m, const PointLoad& e);
// A distributed load whose axes are 0, or on an undefined element, has no row.
bool ListedDistributedLoad(const ModelTables& m, const DistributedLoad& e);
// A code whose X, Y and Z intensities are all 0 has no row (the intensity
// under direction 0 is never listed).
bool ListedPropertyUdl(const PropertyUdl& p);
// A code whose temperature and internal pressure are both 0 has no row.
bool ListedPropertyTempPress(const PropertyTempPress& p);
// An element whose temperature, internal pressure and opposite-surface
// temperature are all 0 has no row (an external pressure alone gives none).
bool ListedElementTempPress(const ElementTempPress& e);
// Gravity is listed when a component is not 0; the echo of the saved totals
// when their sum, taken in single precision, is not 0.
bool ListedGravity(const LoadCase& r);
bool ListedSavedEcho(const LoadCase& r);

// The axes texts of the rows: point loads 1 "Gl", any other "Lo";
// distributed loads 1 "Gl", 2 "Lo", any other "GP"; property code loads
// "GP" for axes code 3, else "G ".
std::string_view PointAxisText(int16_t axes);
std::string_view DistributedAxisText(int16_t axes);
std::string_view PropertyUdlAxisText(const PropertyUdl& p);

// What the listing prints for one entry, in the run's units: its section's
// title, column heading, unit row (converted units only) and the entry's
// row, each line with its runs of blanks made one and its rules and
// asterisks dropped, joined by line ends.
struct ListedText {
  ListedText(const RunSettings& s, const ModelTables& m) : s(s), m(m) {}

  std::string Of(const PrescribedDisplacement& e);
  std::string Of(const NodalLoad& e);
  std::string Of(const NodalTemperature& e);
  std::string Of(const PointLoad& e);
  std::string Of(const DistributedLoad& e);
  std::string Of(const FaceLoad& e);
  std::string OfPropertyUdl(int16_t code, const PropertyUdl& p);
  std::string OfPropertyTempPress(int16_t code, const PropertyTempPress& p, float ambientTemperature);
  std::string OfElementTempPress(int16_t element, const ElementTempPress& e, float ambientTemperature);
  std::string OfGravity(const LoadCase& r);
  std::string OfSavedEcho(const LoadCase& r);

 private:
  const RunSettings& s;
  const ModelTables& m;
  Listing scratch;  // without a file: it keeps what is written

  // The scratch listing's lines as the text above; the scratch is emptied.
  std::string Take();
};

}  // namespace orvant
