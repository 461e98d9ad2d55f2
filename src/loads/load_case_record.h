#pragma once
// The load case record: one instance, refilled for every load case read.
// Per-entry tables hold entries 1..capacity; element-indexed tables
// 0..MaxElementLabel; code-indexed tables 0..PhysicalPropertyCount.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/checked.h"
#include "loads/lookahead.h"
#include "base/file_system.h"

namespace orvant {

// The no-value marker of a blank field.
constexpr float NoValue = -10101.0f;

struct PrescribedDisplacement {
  int16_t node = 0;
  std::array<float, 7> value{};  // 1..6: Tx Ty Tz Rx Ry Rz
  int16_t commentNo = 0;
};

struct NodalLoad {
  int16_t node = 0;
  std::array<float, 7> value{};  // 1..6: Fx Fy Fz Mx My Mz
  float mass = 0;
  int16_t commentNo = 0;
};

struct NodalTemperature {
  int16_t node = 0;
  float temperature = 0;
};

struct PointLoad {
  int16_t element = 0;
  int16_t axes = 0;
  float position = 0;
  std::array<float, 7> value{};  // 1..6: Fx Fy Fz Mx My Mz
  int16_t commentNo = 0;
};

struct DistributedLoad {
  int16_t element = 0;
  int16_t axes = 0;
  float startLength = 0, finishLength = 0;
  float wx1 = 0, wx2 = 0, wy1 = 0, wy2 = 0, wz1 = 0, wz2 = 0;
  int16_t commentNo = 0;
};

struct FaceLoad {
  int16_t element = 0;
  int16_t face = 0;
  int16_t faceKind = 0;
  std::array<float, 5> value{};  // 1..4
};

struct ElementTempPress {
  float temperature = 0, intPressure = 0, extPressure = 0, oppositeTemperature = 0;
  int16_t commentNo = 0;
};

struct PropertyUdl {
  int16_t axesCode = 0;         // 0 none, 1 global, 3 local
  std::array<float, 4> udl{};   // by direction 0..3
};

struct PropertyTempPress {
  float temperature = 0, intPressure = 0, extPressure = 0;
};

// Interpreted command lines (ESTR/SEFO or CDISP/CFACT): up to 100 lines of 20
// characters, slots 1..100.
struct CommandLines {
  int16_t count = 0;
  Table<std::string> lines{{}, "interpreted commands"};
};

// A per-entry table with its count; adding beyond the capacity is an index
// failure.
template <class T>
struct EntryTable {
  int16_t count = 0;
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
    written.assign(table.items.size(), 0);
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
      written[static_cast<size_t>(i)] = 0;
    }
    writtenIndices.clear();
  }
  long long MaxIndex() const { return table.MaxIndex(); }
  T& operator[](long long i) {
    T& entry = table[i];
    if (written.size() != table.items.size()) written.resize(table.items.size(), 0);
    if (!written[static_cast<size_t>(i)]) {
      written[static_cast<size_t>(i)] = 1;
      writtenIndices.push_back(i);
    }
    return entry;
  }
  const T& operator[](long long i) const { return table[i]; }
  // The indices that may hold something other than T{}, ascending.
  const std::vector<long long>& WrittenIndices() {
    std::sort(writtenIndices.begin(), writtenIndices.end());
    return writtenIndices;
  }
};

struct LoadCaseRecord {
  // Header texts: description, dateText, timeText and ambientTemperature
  // survive from one case to the next.
  std::string description;
  std::string dateText;
  std::string timeText;
  std::string scaseText;
  float ambientTemperature = 0;

  std::array<float, 3> acceleration{};   // X Y Z
  std::array<float, 10> centreOfForce{};  // 1..9
  std::array<float, 4> savedTotalLoad{};  // 1..3

  EntryTable<PrescribedDisplacement> prescribedDisplacements{0, {{}, "prescribed displacements"}};
  EntryTable<NodalLoad> nodalLoads{0, {{}, "nodal loads"}};
  EntryTable<NodalTemperature> nodalTemperatures{0, {{}, "nodal temperatures"}};
  EntryTable<PointLoad> pointLoads{0, {{}, "point loads"}};
  EntryTable<DistributedLoad> distributedLoads{0, {{}, "distributed loads"}};
  EntryTable<FaceLoad> faceLoads{0, {{}, "face loads"}};

  WrittenTable<ElementTempPress> elementTempPress{{{}, "element temperature/pressure"}, {}, {}};
  int16_t elementTempPressCount = 0;

  Table<PropertyUdl> propertyUdl{{}, "property UDL"};
  int16_t propertyUdlGiven = 0;
  Table<PropertyTempPress> propertyTempPress{{}, "property temperature/pressure"};
  int16_t propertyTempPressGiven = 0;

  CommandLines interpretedElementCommands;
  CommandLines interpretedCoupleCommands;

  int16_t commentCounter = 0;

  // The ".#" file of the case: the load summation found by the analysis.
  std::array<float, 3> SavedTotals{};
  std::string analysisText1;
  std::string analysisText2;
  int16_t savedTotalsPresent = 0;

  // Reading state.
  int16_t capacity = 0;          // LoadItemCapacity + 2
  std::string lastCaseFile;      // name of the load case file read last
  // The text of a case file as the reader read it, and that file's name:
  // the case end scans the file read last again for its ACOM lines.
  TextBuffer lastCaseText;
  std::string lastCaseTextFile;
  // Per case file read so far, its lines on which a header-only read acts,
  // each closed by a line feed: a later header-only read replays them.
  std::unordered_map<std::string, std::string> headerLines;
  // ".#" files read ahead, by name.
  std::unordered_map<std::string, std::string> savedTotalsText;
  int16_t HeaderOnlyMode = 0;
  int16_t lastPrintedComment = 0;
  std::string lineBuffer;        // an interpreted command line as split
  std::string spillBuffer;       // a data line too long to be split on the stack
  // The next case read ahead, and the lines of the case being parsed that
  // were split ahead (views into lastCaseText), looked up in order.
  CaseLookaheadPtr lookahead;
  std::vector<SplitLine> splitLines;
  size_t splitResumeAt = 0;  // where the lines after them begin
  size_t splitCursor = 0;
};

}  // namespace orvant
