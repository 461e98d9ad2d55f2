#include "loads/lookahead.h"

#include <optional>
#include <thread>
#include <utility>

#include "base/faults.h"
#include "base/handoff.h"
#include "base/text_values.h"
#include "loads/load_case.h"
#include "loads/load_case_reader.h"
#include "loads/load_cases.h"
#include "settings/run_settings.h"

namespace orvant {

namespace {

// An analysis comment: a line beginning "ACOM", from its 6th character on,
// trailing blanks removed.
void KeepIfAnalysisComment(std::string_view line, std::vector<std::string>& comments) {
  if (line.starts_with("ACOM")) comments.emplace_back(TextFrom(line, 6));
}

}  // namespace

void ReadWholeCase(const RunSettings& s, const ModelTables& m, WholeCaseJob& job) {
  LoadCase& lc = *job.lc;
  try {
    ResetLoadCase(s, lc);
    lc.label = job.label;
    lc.scaseText.clear();
    if (!FileSystem::ReadFound(job.caseFile, job.text)) throw RunFault("cannot read " + job.caseFile);
    lc.analysisComments.clear();
    LineReader lines(job.text.View());
    for (std::string_view line; lines.Next(line);) {
      ParseLoadCaseLine(s, m, job.parse, lc, line, 0);  // equivalent: constant (only 1 asks for the header)
      KeepIfAnalysisComment(line, lc.analysisComments);
    }
    lc.elementTempPress.SortWritten();

    // The ".#" file, read ahead or read now.
    lc.savedTotalsPresent = 0;
    if (!job.totalsExist) return;
    lc.savedTotalsPresent = 1;
    std::optional<std::string> text = job.totalsText ? std::optional<std::string>(*job.totalsText)
                                                     : FileSystem::ReadFoundText(job.totalsFile);
    if (!text) throw RunFault("cannot read " + job.totalsFile);
    ReadSavedTotals(std::move(*text), job.totalsFile, true, lc);
  } catch (...) {
    job.failure = std::current_exception();
  }
}

// A file read ahead for the summaries, by its name and Linux path: what is
// kept of it, when it could be read.
struct FileAhead {
  std::string name;
  std::string found;
  bool read = false;
  std::string kept;
};

struct CaseLookahead {
  Handoff handoff;
  // The job handed over: a whole case, or with headersJob every case file
  // and ".#" file of the run.
  const RunSettings* settings = nullptr;
  const ModelTables* model = nullptr;
  WholeCaseJob* job = nullptr;
  bool headersJob = false;
  std::vector<FileAhead> caseHeaders;
  std::vector<FileAhead> savedTotals;
  TextBuffer text;
  std::thread thread;

  CaseLookahead() : thread([this] { Run(); }) {}
  ~CaseLookahead() {
    handoff.Stop();
    thread.join();
  }
  CaseLookahead(const CaseLookahead&) = delete;
  CaseLookahead& operator=(const CaseLookahead&) = delete;

 private:
  void Run() {
    while (handoff.NextJob()) {
      if (headersJob) {
        ReadHeaders();
      } else {
        ReadWholeCase(*settings, *model, *job);
      }
      handoff.JobDone();
    }
  }

  void ReadHeaders() {
    for (FileAhead& f : caseHeaders) {
      f.read = FileSystem::ReadFound(f.found, text);
      LineReader reader(text.View());
      for (std::string_view line; f.read && reader.Next(line);) KeepIfHeaderLine(line, f.kept);
    }
    for (FileAhead& f : savedTotals) {
      f.read = FileSystem::ReadFound(f.found, text);
      if (f.read) f.kept.assign(text.View());
    }
  }
};

void CaseLookaheadStop::operator()(CaseLookahead* ahead) const { delete ahead; }

namespace {

CaseLookahead& Worker(CaseLookaheadPtr& worker) {
  if (!worker) worker.reset(new CaseLookahead());
  return *worker;
}

}  // namespace

void ReadAhead::ReadHeaders(const RunSettings& s, FileSystem& files) {
  CaseLookahead& ahead = Worker(worker);
  ahead.handoff.WaitDone();
  std::vector<FileAhead> headers, totals;
  for (int c = 0; c <= s.MaxLoadLabel; ++c) {
    if (s.SelectedCaseCount != 0 && s.SelectedLoadCases[c] == 0) continue;
    std::string name = LoadCaseFileName(s, c);
    std::optional<std::string> found = files.FoundFile(name);
    if (!found) continue;
    headers.push_back({std::move(name), std::move(*found), false, {}});
    name = SavedTotalsFileName(s, c);
    found = files.FoundFile(name);
    if (found) totals.push_back({std::move(name), std::move(*found), false, {}});
  }
  ahead.caseHeaders = std::move(headers);
  ahead.savedTotals = std::move(totals);
  ahead.headersJob = true;
  ahead.handoff.Hand();
}

void ReadAhead::TakeHeaders(TextsByName& headerLines, TextsByName& savedTotals) {
  if (!worker) return;
  CaseLookahead& ahead = *worker;
  ahead.handoff.WaitDone();
  for (FileAhead& f : ahead.caseHeaders)
    if (f.read) headerLines.emplace(f.name, std::move(f.kept));
  for (FileAhead& f : ahead.savedTotals)
    if (f.read) savedTotals.emplace(f.name, std::move(f.kept));
}

void ReadAhead::ReadCase(const RunSettings& s, const ModelTables& m, WholeCaseJob& job) {
  CaseLookahead& ahead = Worker(worker);
  ahead.handoff.WaitDone();  // equivalent: statement (the reader has waited already: the headers taken, the case before waited for or dropped)
  ahead.settings = &s;
  ahead.model = &m;
  ahead.job = &job;
  ahead.headersJob = false;
  ahead.handoff.Hand();
}

void ReadAhead::WaitCase() {
  if (worker) worker->handoff.WaitDone();
}

}  // namespace orvant
