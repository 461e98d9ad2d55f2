#pragma once
// A load case as read, and the tables it is made of. Per-entry tables hold
// entries 1..capacity; element-indexed tables 0..MaxElementLabel;
// code-indexed tables 0..PhysicalPropertyCount.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "base/checked.h"

namespace orvant {

// The no-value marker of a blank field.
constexpr float NoValue = -10101.0f;

struct PrescribedDisplacement {
  int16_t node{};
  std::array<float, 7> value{};  // 1..6: Tx Ty Tz Rx Ry Rz
  int16_t commentNo{};
};

struct NodalLoad {
  int16_t node{};
  std::array<float, 7> value{};  // 1..6: Fx Fy Fz Mx My Mz
  float mass{};
  int16_t commentNo{};
};

struct NodalTemperature {
  int16_t node{};
  float temperature{};
};

struct PointLoad {
  int16_t element{};
  int16_t axes{};
  float position{};
  std::array<float, 7> value{};  // 1..6: Fx Fy Fz Mx My Mz
  int16_t commentNo{};
};

struct DistributedLoad {
  int16_t element{};
  int16_t axes{};
  float startLength{}, finishLength{};
  float wx1{}, wx2{}, wy1{}, wy2{}, wz1{}, wz2{};
  int16_t commentNo{};
};

struct FaceLoad {
  int16_t element{};
  int16_t face{};
  int16_t faceKind{};
  std::array<float, 5> value{};  // 1..4
};

struct ElementTempPress {
  float temperature{}, intPressure{}, extPressure{}, oppositeTemperature{};
  int16_t commentNo{};
};

struct PropertyUdl {
  int16_t axesCode{};           // 0 none, 1 global, 3 local
  std::array<float, 4> udl{};   // by direction 0..3
};

struct PropertyTempPress {
  float temperature{}, intPressure{}, extPressure{};
};

// Interpreted command lines (ESTR/SEFO or CDISP/CFACT): up to 100 lines of 20
// characters, slots 1..100.
struct CommandLines {
  int16_t count{};
  Table<std::string> lines{{}, "interpreted commands"};
};

// A per-entry table with its count; adding beyond the capacity is an index
// failure.
template <class T>
struct EntryTable {
  int16_t count{};
  Table<T> entries;
};

// A checked table that remembers which entries were written through it
// since it was sized or cleared: clearing zeroes only those, and they can be
// visited in index order. Every other entry holds T{}.
template <class T>
struct WrittenTable {
  Table<T> table;
  std::vector<unsigned char> written;  // per index: written since the last clear
  std::vector<long long> writtenIndices;

  // Sizes the table to indices 0..maxIndex, all values T{}.
  void Size(long long maxIndex) {
    table.Size(maxIndex);
    written.assign(table.items.size(), false);
    writtenIndices.clear();
  }
  // As Size, but when the size stays the same only the written entries are
  // set back to T{}.
  void Reset(long long maxIndex) {
    if (table.MaxIndex() != maxIndex || written.size() != table.items.size()) {
      Size(maxIndex);
      return;
    }
    for (long long i : writtenIndices) {
      table.items[static_cast<size_t>(i)] = T{};
      written[static_cast<size_t>(i)] = false;
    }
    writtenIndices.clear();
  }
  long long MaxIndex() const { return table.MaxIndex(); }
  T& operator[](long long i) {
    T& entry = table[i];
    if (written.size() != table.items.size()) written.resize(table.items.size(), false);
    if (!written[static_cast<size_t>(i)]) {
      written[static_cast<size_t>(i)] = true;
      writtenIndices.push_back(i);
    }
    return entry;
  }
  const T& operator[](long long i) const { return table[i]; }
  // Puts the written indices in ascending order (once all are written).
  void SortWritten() { std::sort(writtenIndices.begin(), writtenIndices.end()); }
  // The indices that may hold something other than T{}, ascending once
  // SortWritten has been called.
  const std::vector<long long>& WrittenIndices() const { return writtenIndices; }
};

// One load case as read: its header texts, every entry table with its
// count, the totals saved with it, the ".#" figures of its analysis and its
// analysis comment lines. A plain value (no file, thread or cache in it):
// the reader fills it, the printers only read it. The header texts
// (description, dateText, timeText, ambientTemperature) and the ".#"
// presence flag are carried from the case read before when a read does not
// set them, as one record refilled for every case carries them.
struct LoadCase {
  int16_t label{};    // the case number

  std::string description;
  std::string dateText;
  std::string timeText;
  std::string scaseText;
  float ambientTemperature{};

  std::array<float, 3> acceleration{};   // X Y Z
  std::array<float, 10> centreOfForce{};  // 1..9
  std::array<float, 4> savedTotalLoad{};  // 1..3

  EntryTable<PrescribedDisplacement> prescribedDisplacements{{}, {{}, "prescribed displacements"}};
  EntryTable<NodalLoad> nodalLoads{{}, {{}, "nodal loads"}};
  EntryTable<NodalTemperature> nodalTemperatures{{}, {{}, "nodal temperatures"}};
  EntryTable<PointLoad> pointLoads{{}, {{}, "point loads"}};
  EntryTable<DistributedLoad> distributedLoads{{}, {{}, "distributed loads"}};
  EntryTable<FaceLoad> faceLoads{{}, {{}, "face loads"}};

  WrittenTable<ElementTempPress> elementTempPress{{{}, "element temperature/pressure"}, {}, {}};
  int16_t elementTempPressCount{};

  Table<PropertyUdl> propertyUdl{{}, "property UDL"};
  int16_t propertyUdlGiven{};
  Table<PropertyTempPress> propertyTempPress{{}, "property temperature/pressure"};
  int16_t propertyTempPressGiven{};

  CommandLines interpretedElementCommands;
  CommandLines interpretedCoupleCommands;

  // The ".#" file of the case: the load summation found by the analysis.
  std::array<float, 3> SavedTotals{};
  std::string analysisText1;
  std::string analysisText2;
  int16_t savedTotalsPresent{};

  // The case file's "ACOM" lines, from their 6th character on, trailing
  // blanks removed (read with the whole case only).
  std::vector<std::string> analysisComments;
};

// A plain value: a copy is a whole case, so no thread or owned handle can
// sit in it.
static_assert(std::is_copy_constructible_v<LoadCase> && std::is_copy_assignable_v<LoadCase>);

}  // namespace orvant
