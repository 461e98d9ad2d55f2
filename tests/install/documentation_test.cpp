// What the program tells of itself outside the binary: the man page as mandoc reads it (no warning, source
// and installed; every option, option field and model file extension), and the bash completion as bash
// drives it (the script sourced, COMP_WORDS split at "=", the function `complete -p` names, COMPREPLY).
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "install/tools.h"
#include "run/arguments.h"
#include "support/model_builder.h"

using namespace orvant;
using namespace orvant::testing;
namespace fs = std::filesystem;

namespace {

// Every match of `pattern` in `text` (its first group, when it has one).
std::set<std::string> Matches(const std::string& text, const std::string& pattern) {
  std::set<std::string> found;
  const std::regex re(pattern);
  for (std::sregex_iterator m(text.begin(), text.end(), re), end; m != end; ++m) found.insert((*m)[m->size() > 1 ? 1 : 0]);
  return found;
}

// Every program option that --help shows.
std::set<std::string> ProgramOptions() { return Matches(UsageText(), "--[a-z-]+"); }

const std::string kPage = std::string(ORVANT_SOURCE_DIR) + "/man/orvant-in.1";

// The page as mandoc shows it, bold and underlining taken out.
std::string Rendered() {  // "x\bx" or "_\bx": the character after the backspace stays
  return std::regex_replace(RunCommand("mandoc -Tascii -O width=300 " + ShellWord(kPage)).text, std::regex(".\b"), "");
}

// The text of one section: from its heading line to the next heading.
std::string Section(const std::string& page, const std::string& name) {
  const size_t start = page.find("\n" + name + "\n");
  if (start == std::string::npos) return "";
  std::smatch next;
  const std::string rest = page.substr(start + name.size() + 2);
  return std::regex_search(rest, next, std::regex("\n[A-Z][A-Z ]+\n")) ? rest.substr(0, next.position()) : rest;
}

// The file extensions named by string literals in the sources (".XSZ",
// ".L" + number, ".WAV*").
std::set<std::string> ExtensionsInSources() {
  std::set<std::string> found;
  for (const auto& e : fs::recursive_directory_iterator(std::string(ORVANT_SOURCE_DIR) + "/src"))
    if (e.is_regular_file()) found.merge(Matches(ReadFileText(e.path().string()), "\"(\\.[A-Za-z#][A-Za-z0-9]*)"));
  return found;
}

const char kDriver[] = R"(source "$1" || exit 9
shift
registered=$(complete -p orvant-in) || exit 9
function=${registered#*-F }
function=${function%% *}
COMP_WORDS=("$@") COMP_CWORD=$(($# - 1)) COMP_LINE='' COMPREPLY=()
for word; do
  [[ -z $COMP_LINE || $word == = || $COMP_LINE == *= ]] && COMP_LINE+=$word || COMP_LINE+=" $word"
done
COMP_POINT=${#COMP_LINE}
"$function" orvant-in "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}" || exit 9
printf '%s\n' "${COMPREPLY[@]}")";

// The completions offered for the words after the program's name, the last
// one being completed.
std::set<std::string> Completions(const std::string& dir, const std::vector<std::string>& words) {
  std::string command = "cd " + ShellWord(dir) + " && bash -c " + ShellWord(kDriver) + " bash " +
                        ShellWord(std::string(ORVANT_SOURCE_DIR) + "/completion/orvant-in.bash") + " orvant-in";
  for (const std::string& w : words) command += " " + ShellWord(w);
  const CommandOutput out = RunCommand(command);
  EXPECT_EQ(out.status, 0) << out.text;
  std::set<std::string> offered;
  for (size_t start = 0, end; (end = out.text.find('\n', start)) != std::string::npos; start = end + 1)
    if (end > start) offered.insert(out.text.substr(start, end - start));
  return offered;
}

}  // namespace

TEST(ManPage, NoWarningAndDocumentsEveryOptionFieldAndModelFile) {
  NEED_TOOL(HaveTool("mandoc"), "mandoc");
  for (const std::string& file : {kPage, std::string(ORVANT_BINARY_DIR) + "/packaging/orvant-in.1.gz"}) {
    const CommandOutput lint = RunCommand("mandoc -Tlint -W warning " + ShellWord(file));
    EXPECT_EQ(lint.status, 0) << file;
    EXPECT_EQ(lint.text, "") << file;
  }
  const std::string page = Rendered();
  for (const char* name : {"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "ENVIRONMENT", "FILES", "EXIT STATUS",
                           "EXAMPLES", "BUGS", "SECURITY"})
    EXPECT_NE(Section(page, name), "") << name;

  const std::string options = Section(page, "OPTIONS");
  for (const std::string& option : ProgramOptions()) EXPECT_NE(options.find(option), std::string::npos) << option;
  // The option string's table: a row for each of the seventeen fields.
  for (int field = 1; field <= 17; ++field)
    EXPECT_TRUE(std::regex_search(options, std::regex("\n +" + std::to_string(field) + " +[a-z.]")))
        << "field " << field;

  // Every extension the sources form, as written there, numbered (".Ln",
  // ".dc1") or as a wildcard (".UM*").
  const std::string files = Section(page, "FILES");
  const std::set<std::string> listed = Matches(files, "\\.[A-Za-z#][A-Za-z0-9]*\\*?");
  const std::set<std::string> extensions = ExtensionsInSources();
  EXPECT_GT(extensions.size(), 30u);
  for (const std::string& ext : extensions) {
    bool named = false;
    for (const std::string& t : listed)
      named = named || t == ext || t == ext + "n" || t == ext + "*" ||
              (t.size() > ext.size() && t.compare(0, ext.size(), ext) == 0 && std::isdigit(static_cast<unsigned char>(t[ext.size()])));
    EXPECT_TRUE(named) << ext << " is not in FILES";
  }
}

TEST(BashCompletion, OptionsViewsModelPathsAndDirectories) {
  NEED_TOOL(HaveTool("bash"), "bash");
  // A model folder from Windows: a family in mixed letter case, with a listing of another name.
  TempDir tmp;
  fs::create_directories(tmp.path + "/jobs/sub");
  for (const char* file : {"Frame.xSz", "FRAME.L1", "frame.mtm", "FRAME.CHECK.MTM", "Beam.XSZ", "Beam.L1", "notes.txt",
                           "orphan.L1"})
    WriteFile(tmp.path + "/jobs/" + file, std::string("x"));

  const std::pair<std::vector<std::string>, std::set<std::string>> cases[] = {
      {{"--"}, ProgramOptions()}, {{"--v"}, {"--version", "--view", "--vtk"}},
      {{"--labels", "--no"}, {"--no-labels"}},  // options again after a flag
      {{"--picture", "f.svg", "--view", ""}, {"iso", "xy", "yz", "xz"}},
      {{"--view", "=", "x"}, {"xy", "xz"}},
      {{"--picture", "f.svg", "--up", ""}, {"x", "y", "z"}},
      {{"--load-case", ""}, {}},  // case numbers: nothing to offer
      // Each family once, in the spelling of its model size file when that one is offered.
      {{"--model", "jobs/"}, {"jobs/Frame", "jobs/Beam", "jobs/sub"}},
      {{"--model", "=", "jobs/FR"}, {"jobs/FRAME"}},
      {{"--model", "jobs/Frame."}, {"jobs/Frame"}},
      {{"--model", "jobs/o"}, {}},
      {{"--output-dir", "jobs/"}, {"jobs/sub"}},
      {{"--vtk", "jobs/B"}, {"jobs/Beam.XSZ", "jobs/Beam.L1"}},
      {{"--model", "jobs/Beam", "1/"}, {}},  // the option string
  };
  for (const auto& [words, want] : cases) {
    std::string line;
    for (const std::string& w : words) line += " " + w;
    EXPECT_EQ(Completions(tmp.path, words), want) << "orvant-in" << line;
  }
}
