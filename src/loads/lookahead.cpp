#include "loads/lookahead.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <thread>
#include <utility>

#include "base/handoff.h"
#include "base/file_system.h"
#include "base/text_values.h"
#include "loads/load_cases.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

// Lines split ahead of one case at most; the parser splits any further
// ones itself. (A case file of a million lines would need 100 MB here.)
constexpr size_t kMaxLinesAhead = size_t{1} << 16;

}  // namespace

// A file read ahead, by its name and Linux path: what is kept of it, when
// it could be read.
struct FileAhead {
  std::string name;
  std::string found;
  bool read = false;
  std::string kept;
};

struct CaseLookahead {
  Handoff handoff;
  // The job, set up before the hand-over: the next case (name, found), or
  // with headersJob every case file and ".#" file of the run.
  bool headersJob = false;
  std::string name;   // the case file read ahead ("" when none)
  std::string found;  // its Linux path
  // Filled by the worker: the text, its first lines split, and where in
  // the text the lines after them begin.
  bool read = false;
  TextBuffer text;
  std::vector<SplitLine> lines;
  size_t resumeAt = 0;
  std::string spill;
  // The headers job: the header lines of each case file, each ".#" file
  // whole.
  std::vector<FileAhead> caseHeaders;
  std::vector<FileAhead> savedTotals;
  std::thread thread;

  CaseLookahead();
  ~CaseLookahead();
  CaseLookahead(const CaseLookahead&) = delete;
  CaseLookahead& operator=(const CaseLookahead&) = delete;

 private:
  void Run();
};

void CaseLookaheadStop::operator()(CaseLookahead* ahead) const { delete ahead; }

CaseLookahead::CaseLookahead() : thread([this] { Run(); }) {}

CaseLookahead::~CaseLookahead() {
  handoff.Stop();
  thread.join();
}

void CaseLookahead::Run() {
  while (handoff.NextJob()) {
    if (headersJob) {
      for (FileAhead& f : caseHeaders) {
        f.read = FileSystem::ReadFound(f.found, text);
        LineReader reader(text.View());
        for (std::string_view line; f.read && reader.Next(line);) KeepIfHeaderLine(line, f.kept);
      }
      for (FileAhead& f : savedTotals) {
        f.read = FileSystem::ReadFound(f.found, text);
        if (f.read) f.kept.assign(text.View());
      }
      handoff.JobDone();
      continue;
    }
    lines.clear();
    read = FileSystem::ReadFound(found, text);
    LineReader reader(text.View());
    std::string_view line;
    while (read && lines.size() < kMaxLinesAhead && reader.Next(line)) {
      SplitLine& s = lines.emplace_back();
      s.raw = line;
      s.line = DataTextOf(line);
      // Lines the split would fail on (more fields than a data line holds)
      // and long ones (which take storage) are left to the parser.
      if (s.line.size() >= kSplitLineRoom || std::count(s.line.begin(), s.line.end(), ',') > kMaxLoadFields)
        continue;
      std::string_view keyword;
      SplitDataLine(s.line, spill, s.keywordRoom, keyword, s.fieldValue);
      s.split = true;
      s.keywordSize = static_cast<uint8_t>(keyword.size());
    }
    resumeAt = reader.pos;
    handoff.JobDone();
  }
}

namespace {

CaseLookahead& Worker(CaseLookaheadPtr& worker) {
  if (!worker) worker.reset(new CaseLookahead());
  return *worker;
}

}  // namespace

void ReadAhead::ReadHeaders(const RunSettings& s, FileSystem& files) {
  CaseLookahead& ahead = Worker(worker);
  ahead.handoff.WaitDone();
  ahead.caseHeaders.clear();
  ahead.savedTotals.clear();
  for (int c = 0; c <= s.MaxLoadLabel; ++c) {
    if (s.SelectedCaseCount != 0 && s.SelectedLoadCases[c] == 0) continue;
    std::string name = LoadCaseFileName(s, c);
    std::optional<std::string> found = files.FoundFile(name);
    if (!found) continue;
    ahead.caseHeaders.push_back({std::move(name), std::move(*found), false, {}});
    name = SavedTotalsFileName(s, c);
    found = files.FoundFile(name);
    if (found) ahead.savedTotals.push_back({std::move(name), std::move(*found), false, {}});
  }
  ahead.headersJob = true;
  ahead.handoff.Hand();
}

void ReadAhead::TakeHeaders(TextsByName& headerLines, TextsByName& savedTotals) {
  if (!worker || !worker->headersJob) return;
  CaseLookahead& ahead = *worker;
  ahead.handoff.WaitDone();
  for (FileAhead& f : ahead.caseHeaders)
    if (f.read) headerLines.emplace(f.name, std::move(f.kept));
  for (FileAhead& f : ahead.savedTotals)
    if (f.read) savedTotals.emplace(f.name, std::move(f.kept));
  ahead.caseHeaders.clear();
  ahead.savedTotals.clear();
  ahead.headersJob = false;
}

void ReadAhead::ReadCase(const RunSettings& s, FileSystem& files, int16_t after) {
  for (int c = after + 1; c <= s.MaxLoadLabel; ++c) {
    if (s.SelectedCaseCount != 0 && s.SelectedLoadCases[c] == 0) continue;
    const std::string name = LoadCaseFileName(s, c);
    std::optional<std::string> found = files.FoundFile(name);
    if (!found) continue;
    CaseLookahead& ahead = Worker(worker);
    ahead.handoff.WaitDone();
    if (ahead.headersJob) return;  // not taken: nothing else is read ahead meanwhile
    ahead.name = name;
    ahead.found = std::move(*found);
    ahead.handoff.Hand();
    return;
  }
}

bool ReadAhead::TakeCase(const std::string& name, TextBuffer& text, std::vector<SplitLine>& lines, size_t& resumeAt) {
  if (!worker) return false;
  CaseLookahead& ahead = *worker;
  ahead.handoff.WaitDone();
  if (ahead.headersJob || ahead.name != name || !ahead.read) return false;
  std::swap(text, ahead.text);
  std::swap(lines, ahead.lines);
  resumeAt = ahead.resumeAt;
  ahead.name.clear();
  return true;
}

const SplitLine* FindSplitLine(const std::vector<SplitLine>& lines, size_t& at, std::string_view line) {
  if (line.data() == nullptr) return nullptr;
  const std::less<const char*> before;
  while (at < lines.size() && before(lines[at].line.data(), line.data())) ++at;
  if (at < lines.size() && lines[at].split && lines[at].line.data() == line.data() &&
      lines[at].line.size() == line.size())
    return &lines[at];
  return nullptr;
}

}  // namespace orvant
