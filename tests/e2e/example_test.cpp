// The example models: their files are what make-example writes, and their listings, comment files and
// views under each line of examples/expected/CASES match the reviewed ones there (run date, time and
// model directory masked). ORVANT_UPDATE_EXPECTED=1 rewrites the expected files for review.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "support/model_builder.h"

using namespace orvant::testing;
namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

const std::string kExamplesDir = std::string(ORVANT_SOURCE_DIR) + "/examples";
const std::string kExpectedDir = kExamplesDir + "/expected";

std::string Masked(const std::string& listing, const std::string& modelDir) {
  std::string out = MaskDateTime(listing);
  for (size_t at = out.find(modelDir); at != std::string::npos; at = out.find(modelDir, at))
    out.replace(at, modelDir.size(), "<model directory>");
  return out;
}

// A copy of an example model (its path under examples/) in a fresh installation.
struct ExampleCopy : TestInstall {
  explicit ExampleCopy(const std::string& model = "frame/FRAME") {
    modelName = fs::path(model).filename().string();
    WriteNameFiles();
    fs::copy(kExamplesDir + "/" + fs::path(model).parent_path().string(), modelDir,
             fs::copy_options::overwrite_existing | fs::copy_options::recursive);
  }
};

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
  // Every file under a folder, by its path in it; examples/ also holds the
  // expected listings and make-example's sources (models/ too), which it does not write.
  auto files = [](const std::string& at) {
    std::map<std::string, std::string> texts;
    for (const auto& entry : fs::recursive_directory_iterator(at)) {
      const std::string path = fs::relative(entry.path(), at).string();
      if (entry.is_regular_file() && path.rfind("expected/", 0) != 0 && path.rfind("models/", 0) != 0 &&
          path != "make_example.cpp")
        texts[path] = ReadFileText(entry.path().string());
    }
    return texts;
  };
  const auto written = files(dir.path), committed = files(kExamplesDir);
  for (const auto& [path, text] : written) EXPECT_TRUE(committed.count(path) && committed.at(path) == text) << path;
  for (const auto& [path, text] : committed) EXPECT_TRUE(written.count(path)) << path << " is not written by make-example";
}

TEST(ExampleModel, ListingsAndCommentFilesMatchTheReviewedOnes) {
  const bool update = std::getenv("ORVANT_UPDATE_EXPECTED") != nullptr;
  std::istringstream cases(ReadFileText(kExpectedDir + "/CASES"));
  std::set<std::string> names;
  for (std::string line; std::getline(cases, line);) {
    std::istringstream fields(line);
    std::string name, model, options;
    if (!(fields >> name >> model >> options) || name[0] == '#') continue;
    SCOPED_TRACE(name + " " + options);
    names.insert(name);
    ExampleCopy install(model);
    // Further words: view options, each file named (NAME.svg, NAME.vtk) written in the model's folder.
    std::vector<std::string> args{options}, views;
    for (std::string word; fields >> word; args.push_back(word))
      if (word.ends_with(".svg") || word.ends_with(".vtk")) views.push_back(word), word = install.modelDir + "/" + word;
    const RunResult r = RunInProcess(install, args);
    ASSERT_EQ(r.status, 0) << r.stderrText;
    ASSERT_EQ(r.stderrText, "");
    // The one listing written: the model's name, the listing name, ".MTM".
    std::string listing;
    for (const auto& entry : fs::directory_iterator(install.modelDir))
      if (entry.path().extension() == ".MTM") listing = ReadFileText(entry.path().string());
    std::vector<std::string> actual, expectedFile;  // a view is written instead of the listing
    if (views.empty())
      actual = {Masked(listing, install.modelDir), ReadFileText(install.ModelFile(".LCM"))},
      expectedFile = {kExpectedDir + "/" + name + ".MTM", kExpectedDir + "/" + name + ".LCM"};
    for (const std::string& view : views)
      actual.push_back(ReadFileText(install.modelDir + "/" + view)), expectedFile.push_back(kExpectedDir + "/" + view);
    for (size_t k = 0; k < actual.size(); ++k) {
      if (update) WriteFile(expectedFile[k], actual[k]);
      EXPECT_EQ(actual[k], ReadFileText(expectedFile[k])) << expectedFile[k];  // with the lines that differ
    }
  }
  // Every expected file belongs to a line of the table.
  for (const auto& entry : fs::directory_iterator(kExpectedDir)) {
    if (entry.path().filename() == "CASES") continue;
    EXPECT_TRUE(names.count(entry.path().stem().string())) << entry.path() << " is no file of CASES";
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
    EXPECT_EQ(over, fresh);
    const Lines lines = ListingLines(std::get<2>(fresh));
    const auto title = std::find(lines.begin(), lines.end(), "Group SET " + c.set + " is Active");
    ASSERT_LE(title + 5, lines.end());
    EXPECT_EQ(title[4], std::string(105, '='));
    EXPECT_EQ(title + 5 == lines.end() ? "" : title[5].substr(0, c.next.size()), c.next);
  }
}
