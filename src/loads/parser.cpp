// The load case line parser: text lines (COM, LDESC, LDATE, LTIME, SCASE,
// AMBT) taken from fixed character positions, and data lines, a keyword and
// up to 20 comma-separated numeric fields, stored into the load case record.
#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "base/checked.h"
#include "base/file_system.h"
#include "base/text_values.h"
#include "loads/comment_file.h"
#include "loads/load_case.h"
#include "loads/load_cases.h"
#include "model/model_tables.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

constexpr int16_t kCommandSlots = 100;
constexpr size_t kDescriptionWidth = 55;
constexpr size_t kCommandWidth = 20;

// True when the first characters of line, upper-cased, are word.
bool StartsWithUpper(std::string_view line, std::string_view word) {
  if (line.size() < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i)
    if (UpperAscii(line[i]) != word[i]) return false;
  return true;
}

bool Blank(float v) { return v == NoValue; }
float Or(float v, float whenBlank) { return Blank(v) ? whenBlank : v; }

// A whole number from a field: nearest integer, halves to even, 16 bits.
int16_t Whole(float v) {
  // A whole number in range, the usual label, is itself.
  if (v >= -32768.0f && v <= 32767.0f) {
    const int i = static_cast<int>(v);
    if (static_cast<float>(i) == v) return static_cast<int16_t>(i);
  }
  return ToInt16(static_cast<double>(v));
}

// Counts one more entry of a per-entry table and returns it; past the
// capacity the checked table fails with an index error.
template <class T>
T& NewEntry(EntryTable<T>& table) {
  table.count = Add16(table.count, 1);
  T& entry = table.entries[table.count];
  entry = T{};
  return entry;
}

// ESTR/SEFO and CDISP/CFACT: the line as split, blanks trimmed at both
// ends, kept as a 20-character line.
void StoreCommand(CommandLines& commands, const std::string& line) {
  commands.count = Add16(commands.count, 1);
  std::string& slot = commands.lines[commands.count];
  std::string_view text(line);
  size_t b = text.find_first_not_of(' ');
  if (b == std::string_view::npos) {
    text = {};
  } else {
    size_t e = text.find_last_not_of(' ');
    text = text.substr(b, e - b + 1);
  }
  if (text.size() > kCommandWidth) text = text.substr(0, kCommandWidth);  // equivalent: boundary (cut to its own length)
  slot.assign(text);
  slot.append(kCommandWidth - text.size(), ' ');
  if (commands.count >= kCommandSlots) commands.count = kCommandSlots - 1;
}

bool NodeInRange(const RunSettings& s, int16_t node) { return node >= 1 && node <= s.MaxNodeLabel; }
bool ElementInRange(const RunSettings& s, int16_t element) { return element >= 1 && element <= s.MaxElementLabel; }
bool CodeInRange(const RunSettings& s, int16_t code) { return code >= 1 && code <= s.PhysicalPropertyCount; }

// A keyword as one number to choose its case by: its characters in the low
// seven bytes, its length in the top one (so that no two keywords kept
// share a number). Longer ones are never kept.
constexpr uint64_t KeywordCode(std::string_view keyword) {
  static_assert(kKeywordRoom == 8);
  uint64_t code = static_cast<uint64_t>(keyword.size() < kKeywordRoom ? keyword.size() : 0) << 56;  // equivalent: constant (codes stay apart: ASCII leaves bit 55 free, a long word keeps seven characters)
  for (size_t i = 0; i < keyword.size() && i < kKeywordRoom - 1; ++i)
    code |= static_cast<uint64_t>(static_cast<unsigned char>(keyword[i])) << (8 * i);
  return code;
}

// ESTR/SEFO and CDISP/CFACT keep the line as split: upper-cased, empty
// fields filled, closing comma appended.
void StoreCommandLine(CaseParse& p, CommandLines& commands, std::string_view line) {
  std::string& prepared = p.lineBuffer;
  PrepareDataLine(line, prepared);
  prepared.push_back(',');
  StoreCommand(commands, prepared);
}

void ParseDataLine(const RunSettings& s, const ModelTables& m, CaseParse& p, LoadCase& lc, std::string_view line) {
  char keywordRoom[kKeywordRoom];
  std::string_view k;
  float f[kMaxLoadFields + 1];
  SplitDataLine(line, p.spillBuffer, keywordRoom, k, f);

  switch (KeywordCode(k)) {
  case KeywordCode("ACCEL"): {
    for (int j = 0; j < 3; ++j) lc.acceleration[j] = Or(f[j + 1], 0);
    break;
  }
  case KeywordCode("COF"): {
    for (int j = 1; j <= 9; ++j) lc.centreOfForce[j] = f[j];
    break;
  }
  case KeywordCode("LSUM"): {
    for (int j = 1; j <= 3; ++j) lc.savedTotalLoad[j] = f[j];
    break;
  }
  case KeywordCode("ND"): {
    int16_t node = Whole(f[1]);
    if (!NodeInRange(s, node)) return;
    PrescribedDisplacement& e = NewEntry(lc.prescribedDisplacements);
    e.node = node;
    for (int j = 1; j <= 6; ++j) e.value[j] = Or(f[j + 1], 0);
    e.commentNo = p.commentCounter;
    break;
  }
  case KeywordCode("NF"): {
    int16_t node = Whole(f[1]);
    if (!NodeInRange(s, node)) return;
    NodalLoad& e = NewEntry(lc.nodalLoads);
    e.node = node;
    for (int j = 1; j <= 6; ++j) e.value[j] = Or(f[j + 1], 0);
    e.mass = Or(f[8], 0);
    e.commentNo = p.commentCounter;
    break;
  }
  case KeywordCode("NT"): {
    int16_t node = Whole(f[1]);
    if (!NodeInRange(s, node)) return;
    NodalTemperature& e = NewEntry(lc.nodalTemperatures);
    e.node = node;
    if (!Blank(f[2])) e.temperature = e.temperature + f[2];
    break;
  }
  case KeywordCode("EP"): {
    int16_t element = Whole(f[1]);
    if (!ElementInRange(s, element)) return;
    int16_t axes = Blank(f[2]) ? int16_t{1} : Whole(f[2]);
    PointLoad& e = NewEntry(lc.pointLoads);
    e.element = element;
    e.axes = axes;
    e.position = Or(f[3], 0);
    for (int j = 1; j <= 6; ++j) e.value[j] = Or(f[j + 3], 0);
    e.commentNo = p.commentCounter;
    break;
  }
  case KeywordCode("ED"): {
    int16_t element = Whole(f[1]);
    if (!ElementInRange(s, element)) return;
    int16_t axes = Blank(f[2]) ? int16_t{0} : Whole(f[2]);
    DistributedLoad& e = NewEntry(lc.distributedLoads);
    e.element = element;
    e.axes = axes;
    e.startLength = Or(f[3], 1.0f);
    e.finishLength = Or(f[4], 0);
    e.wx1 = Or(f[5], 0);
    e.wx2 = Or(f[6], 0);
    e.wy1 = Or(f[7], 0);
    e.wy2 = Or(f[8], 0);
    e.wz1 = Or(f[9], 0);
    e.wz2 = Or(f[10], 0);
    e.commentNo = p.commentCounter;
    break;
  }
  case KeywordCode("UDL"): {
    int16_t element = Whole(f[1]);
    if (!ElementInRange(s, element)) return;
    if (m.ElemNode1[element] == m.ElemNode2[element]) return;
    int16_t axes = Blank(f[5]) ? int16_t{1} : Whole(f[5]);
    DistributedLoad& e = NewEntry(lc.distributedLoads);
    e.element = element;
    e.axes = axes;
    e.wx1 = e.wx2 = Or(f[2], 0);
    e.wy1 = e.wy2 = Or(f[3], 0);
    e.wz1 = e.wz2 = Or(f[4], 0);
    break;
  }
  case KeywordCode("FP"): {
    int16_t element = Whole(f[1]);
    if (!ElementInRange(s, element)) return;
    if (m.SolidElemType[element] == 0) return;
    int16_t face = Blank(f[2]) ? int16_t{1} : Whole(f[2]);
    int16_t faceKind = Blank(f[3]) ? int16_t{1} : Whole(f[3]);
    FaceLoad& e = NewEntry(lc.faceLoads);
    e.element = element;
    e.face = face;
    e.faceKind = faceKind;
    for (int j = 1; j <= 4; ++j) e.value[j] = Or(f[j + 3], 0);
    break;
  }
  case KeywordCode("TEPR"): {
    int16_t element = Whole(f[1]);
    if (!ElementInRange(s, element)) return;
    ElementTempPress& e = lc.elementTempPress[element];
    e.temperature = Or(f[2], 0);
    e.intPressure = Or(f[3], 0);
    e.extPressure = Or(f[5], 0);
    if (!Blank(f[4])) {
      e.oppositeTemperature = f[4];
      lc.elementTempPressCount = Add16(lc.elementTempPressCount, 1);
    } else {
      e.oppositeTemperature = e.temperature;
      if (!Blank(f[2]) || !Blank(f[3]) || !Blank(f[5]))
        lc.elementTempPressCount = Add16(lc.elementTempPressCount, 1);
    }
    e.commentNo = p.commentCounter;
    break;
  }
  case KeywordCode("PUDL"): {
    int16_t code = Whole(f[1]);
    int16_t direction = Whole(f[2]);
    if (!CodeInRange(s, code) || direction < -3 || direction > 3) return;
    PropertyUdl& p = lc.propertyUdl[code];
    p.axesCode = direction >= 0 ? 1 : 3;
    lc.propertyUdlGiven = 1;
    At(p.udl, std::abs(direction)) = Or(f[3], 0);
    break;
  }
  case KeywordCode("PTEMP"): {
    int16_t code = Whole(f[1]);
    if (!CodeInRange(s, code)) return;
    lc.propertyTempPressGiven = 1;
    lc.propertyTempPress[code].temperature = Or(f[2], 0);
    break;
  }
  case KeywordCode("PPRESS"): {
    int16_t code = Whole(f[1]);
    if (!CodeInRange(s, code)) return;
    lc.propertyTempPressGiven = 1;
    PropertyTempPress& p = lc.propertyTempPress[code];
    p.intPressure = Or(f[2], 0);
    p.extPressure = Or(f[3], 0);
    break;
  }
  case KeywordCode("ESTR"):
  case KeywordCode("SEFO"): {
    StoreCommandLine(p, lc.interpretedElementCommands, line);
    break;
  }
  case KeywordCode("CDISP"):
  case KeywordCode("CFACT"): {
    StoreCommandLine(p, lc.interpretedCoupleCommands, line);
    break;
  }
  default:
    break;
  }
}

}  // namespace

std::string_view TextFrom(std::string_view line, size_t from) {
  if (line.size() < from) return {};
  std::string_view text = line;
  text.remove_prefix(from - 1);
  size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// The data line upper-cased into data, with every ",," made ", ," until
// none is left: one blank goes between any two commas that follow each
// other. One pass; data (the record's line buffer) keeps its storage from
// line to line.
void PrepareDataLine(std::string_view line, std::string& data) {
  if (data.size() < 2 * line.size()) data.resize(2 * line.size());  // equivalent: boundary (a resize to its size)
  char* const begin = data.data();
  char* o = begin;
  char previous = 0;
  for (char c : line) {
    c = UpperAscii(c);
    if (c == ',' && previous == ',') *o++ = ' ';
    *o++ = c;
    previous = c;
  }
  data.resize(static_cast<size_t>(o - begin));
}

// Splits a data line as read into its upper-cased keyword and its fields,
// exactly as they would be split from the line once it is upper-cased, its
// empty fields filled with a blank and its closing comma appended, but
// without making that line: upper-casing changes no number, and a field that is
// empty before a comma is the filled blank, a blank field; the last field,
// after the line's last comma, is empty and reads 0. A keyword too long for
// the room is given as empty, which matches no keyword either.
// The line is read from a copy in `spill` with a comma after its end, so
// that no scan has to watch for the end.
void SplitDataLine(std::string_view line, std::string& spill, char (&keywordRoom)[kKeywordRoom],
                   std::string_view& keyword, float (&fieldValue)[kMaxLoadFields + 1]) {
  for (int i = 1; i <= kMaxLoadFields; ++i) fieldValue[i] = NoValue;
  // The copy is followed by 16 zero bytes that the number reading may look at.
  constexpr size_t kPadding = 16;  // equivalent: constant (one less leaves the string's own closing zero as the 16th)
  spill.assign(line);
  spill += ',';
  spill.append(kPadding, '\0');
  const char* const copy = spill.data();
  const char* const end = copy + line.size();
  // The keyword: the first piece, up to the first comma.
  const char* comma = copy;
  while (*comma != ',') ++comma;
  const size_t keywordSize = static_cast<size_t>(comma - copy);
  const size_t kept = keywordSize < kKeywordRoom ? keywordSize : 0;
  for (size_t i = 0; i < kept; ++i) keywordRoom[i] = UpperAscii(copy[i]);
  keyword = std::string_view(keywordRoom, kept);
  if (comma == end) return;  // no field at all
  for (int field = 1;; ++field) {
    if (field > kMaxLoadFields) ThrowIndexFault("load case fields", field, kMaxLoadFields);
    const char* const start = comma + 1;
    // A field's number is read where it stands: it never takes in a comma,
    // so the search for the closing comma goes on from its end.
    double number = 0;
    const char* const from = QuickNumberBeforeComma(start, number);
    comma = from ? from : start;
    while (*comma != ',') ++comma;
    const bool last = comma == end;
    const size_t size = static_cast<size_t>(comma - start);
    // A blank field: one blank, or empty before a comma.
    if ((size == 1 && *start == ' ') || (size == 0 && !last))
      fieldValue[field] = NoValue;
    else
      fieldValue[field] = static_cast<float>(from ? number : LeadingNumber(std::string_view(start, size)));
    if (last) return;
  }
}

std::string_view DataTextOf(std::string_view line) {
  return StartsWithUpper(line, "COM") ? TextFrom(line, 5) : line;
}

void ParseLoadCaseLine(const RunSettings& s, const ModelTables& m, CaseParse& p, LoadCase& lc, std::string_view line,
                       int16_t headerOnly) {
  // Every text keyword begins with C, L, S or A: other lines go straight on.
  if (MayBeHeaderLine(line) && StartsWithUpper(line, "COM")) {
    line = DataTextOf(line);
    p.commentCounter = Add16(p.commentCounter, 1);
    p.comments.push_back(line);
  }

  if (MayBeHeaderLine(line)) {
    if (StartsWithUpper(line, "LDESC")) {
      std::string_view text = TextFrom(line, 7);
      lc.description.assign(text.substr(0, std::min(text.size(), kDescriptionWidth)));
      return;
    }
    if (StartsWithUpper(line, "LDATE")) {
      lc.dateText.assign(TextFrom(line, 7));
      return;
    }
    if (StartsWithUpper(line, "LTIME")) {
      lc.timeText.assign(TextFrom(line, 7));
      return;
    }
    if (StartsWithUpper(line, "SCASE")) {
      lc.scaseText.assign(TextFrom(line, 7));
      return;
    }
    if (StartsWithUpper(line, "AMBT")) {
      lc.ambientTemperature = static_cast<float>(LeadingNumber(TextFrom(line, 6)));
      return;
    }
  }
  if (headerOnly == 1) return;

  ParseDataLine(s, m, p, lc, line);
}

void WriteParsedComments(CaseParse& p, CommentFile& c, FileSystem& files) {
  int16_t n = static_cast<int16_t>(p.commentCounter - static_cast<int16_t>(p.comments.size()));
  for (std::string_view text : p.comments) WriteCommentRecord(c, files, ++n, text);
  p.comments.clear();
}

}  // namespace orvant
