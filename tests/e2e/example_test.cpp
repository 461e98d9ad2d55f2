// The bundled example model: its files are what make-example writes, and its
// listings under three option strings match the reviewed listings in
// examples/expected (run date, time and model directory masked).
// ORVANT_UPDATE_EXPECTED=1 rewrites the expected listings for review.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <tuple>

#include "support/model_builder.h"

using namespace orvant::testing;
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

const std::string kExampleDir = std::string(ORVANT_SOURCE_DIR) + "/examples/frame";
const std::string kExpectedDir = std::string(ORVANT_SOURCE_DIR) + "/examples/expected";

std::string Masked(const std::string& listing, const std::string& modelDir) {
  std::string out = MaskDateTime(listing);
  for (size_t at = out.find(modelDir); at != std::string::npos; at = out.find(modelDir, at))
    out.replace(at, modelDir.size(), "<model directory>");
  return out;
}

// A copy of the example in a fresh installation.
struct ExampleCopy : TestInstall {
  ExampleCopy() { fs::copy(kExampleDir, modelDir, fs::copy_options::overwrite_existing | fs::copy_options::recursive); }
};

// The first line where two listings differ, for a readable failure.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  auto e = ListingLines(expected), a = ListingLines(actual);
  for (size_t i = 0; i < std::max(e.size(), a.size()); ++i) {
    std::string el = i < e.size() ? e[i] : "<end>", al = i < a.size() ? a[i] : "<end>";
    if (el != al) return "line " + std::to_string(i + 1) + "\n expected: [" + el + "]\n actual:   [" + al + "]";
  }
  return "line ends differ";
}

// Runs the program on a copy of the example whose group set 1 is also filed
// as sets 0, -1 and -2 (set -2 without its group file), over an old listing
// of `oldSize` characters when it is not 0: the status, standard error and
// the listing masked.
std::tuple<int, std::string, std::string> ListExample(const std::string& options, size_t oldSize) {
  ExampleCopy install;
  for (std::string set : {"0", "-1", "-2"}) fs::copy_file(install.ModelFile(".G1"), install.ModelFile(".G" + set));
  for (std::string set : {"0", "-1"}) fs::copy_file(install.ModelFile(".BG1"), install.ModelFile(".BG" + set));
  if (oldSize > 0) WriteFile(install.ModelFile(".MTM"), std::string(oldSize, '#'));
  RunResult r = RunBinary(ORVANT_BINARY, install, {options});
  return {r.status, r.stderrText, Masked(install.Listing(), install.modelDir)};
}

}  // namespace

TEST(ExampleModel, CommittedFilesAreWhatMakeExampleWrites) {
  TempDir dir;
  TestInstall unused;
  const RunResult r = RunBinary(ORVANT_MAKE_EXAMPLE, unused, {dir.path});
  ASSERT_EQ(r.status, 0) << r.stderrText;
  auto files = [](const std::string& at) {
    std::map<std::string, std::string> texts;
    for (const auto& entry : fs::directory_iterator(at)) texts[entry.path().filename().string()] = ReadFileText(entry.path().string());
    return texts;
  };
  EXPECT_TRUE(files(dir.path) == files(kExampleDir)) << "make-example writes other files than examples/frame holds";
}

TEST(ExampleModel, ListingsMatchTheReviewedListings) {
  const struct { std::string options, listingName, expected; } runs[] = {
      // Everything, with the active group set 1.
      {"1/1/1/1/1/1/1/1/1/1/1/1/", "", "FRAME.MTM"},
      // Converted units, group range mode up to group 2.
      {"-1/1/1/1/0/1/1/1/1/1/0/1/-2/0/CONV/", "CONV", "FRAME.CONV.MTM"},
      // Brief model data, group filter 3, a combination and a results set selection.
      {"1/1/1/1/0/1/1/1/1/1/0/-/3/0/BRIEF/2/1/", "BRIEF", "FRAME.BRIEF.MTM"},
  };
  const bool update = std::getenv("ORVANT_UPDATE_EXPECTED") != nullptr;
  for (const auto& run : runs) {
    SCOPED_TRACE(run.options);
    ExampleCopy install;
    const RunResult r = RunInProcess(install, {run.options});
    ASSERT_EQ(r.status, 0) << r.stderrText;
    const std::string actual = Masked(install.Listing(run.listingName), install.modelDir);
    if (update) WriteFile(kExpectedDir + "/" + run.expected, actual);
    const std::string expected = ReadFileText(kExpectedDir + "/" + run.expected);
    EXPECT_TRUE(actual == expected) << FirstDifference(expected, actual);
  }
}

TEST(ExampleModel, ListingOverAnOlderLongerOneAndNegativeActiveGroupSets) {
  // The old listing is four times as long as the whole listing: nothing of
  // it may remain, after a complete listing or one stopped early.
  const size_t old = 4 * fs::file_size(kExpectedDir + "/FRAME.MTM");
  // The line after the title block, which ends with a rule ("": none).
  const struct { std::string set; int status; std::string next; } cases[] = {
      {"1", 0, "***  Group SET 1    Front frame and pipe run"},
      {"0", 0, "***  Group SET 0    "},  // record 1 of the set file, which defines no set
      {"-1", 1, ""},                   // a group file but no set record: the listing stops
      {"-2", 0, "*** Model Size Parameters ***"},  // no group file: nothing is written for the set
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.set);
    const auto fresh = ListExample("1/1/1/1/1/1/1/1/1/1/1/" + c.set + "/", 0);
    const auto over = ListExample("1/1/1/1/1/1/1/1/1/1/1/" + c.set + "/", old);
    EXPECT_EQ(std::get<0>(fresh), c.status);
    EXPECT_EQ(std::get<1>(fresh), "");
    EXPECT_TRUE(over == fresh) << FirstDifference(std::get<2>(fresh), std::get<2>(over));
    const Lines lines = ListingLines(std::get<2>(fresh));
    const auto title = std::find(lines.begin(), lines.end(), "Group SET " + c.set + " is Active");
    ASSERT_LE(title + 5, lines.end());
    EXPECT_EQ(title[4], std::string(105, '='));
    EXPECT_EQ(title + 5 == lines.end() ? "" : title[5].substr(0, c.next.size()), c.next);
  }
}
