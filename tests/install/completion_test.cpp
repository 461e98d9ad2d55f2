// The bash completion, driven as bash drives it: the script sourced, the
// words of a command line in COMP_WORDS (split at "=" as bash splits them),
// the function that `complete -p orvant-in` names called, COMPREPLY read back.
#include <gtest/gtest.h>

#include <algorithm>
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

const char kDriver[] = R"(source "$1" || exit 9
shift
spec=$(complete -p orvant-in) || exit 9
function=${spec#*-F }
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

TEST(BashCompletion, OptionsViewsModelPathsAndDirectories) {
  NEED_TOOL(HaveTool("bash"), "bash");
  // A model folder from Windows: a family in mixed letter case, with a listing of another name.
  TempDir tmp;
  fs::create_directories(tmp.path + "/jobs/sub");
  for (const char* file : {"Frame.xSz", "FRAME.L1", "frame.mtm", "FRAME.CHECK.MTM", "Beam.XSZ", "Beam.L1", "notes.txt",
                           "orphan.L1"})
    WriteFile(tmp.path + "/jobs/" + file, std::string("x"));

  // Every program option that --help shows.
  std::set<std::string> options;
  const std::string usage = UsageText();
  const std::regex option("--[a-z-]+");
  for (std::sregex_iterator m(usage.begin(), usage.end(), option), end; m != end; ++m) options.insert(m->str());

  const std::pair<std::vector<std::string>, std::set<std::string>> cases[] = {
      {{"--"}, options},
      {{"--v"}, {"--version", "--view", "--vtk"}},
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
