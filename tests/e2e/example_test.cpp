// The bundled example model: its files are what make-example writes, and its
// listings under three option strings match the reviewed listings in
// examples/expected (run date, time and model directory masked).
// ORVANT_UPDATE_EXPECTED=1 rewrites the expected listings for review.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/model_builder.h"

using namespace orvant::testing;
namespace fs = std::filesystem;

namespace {

const std::string kExampleDir = std::string(ORVANT_SOURCE_DIR) + "/examples/frame";
const std::string kExpectedDir = std::string(ORVANT_SOURCE_DIR) + "/examples/expected";

std::string Masked(const std::string& listing, const std::string& modelDir) {
  std::string out = MaskDateTime(listing);
  for (size_t at = out.find(modelDir); at != std::string::npos; at = out.find(modelDir, at))
    out.replace(at, modelDir.size(), "<model directory>");
  return out;
}

// The first line where two listings differ, for a readable failure.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  auto e = ListingLines(expected), a = ListingLines(actual);
  for (size_t i = 0; i < std::max(e.size(), a.size()); ++i) {
    std::string el = i < e.size() ? e[i] : "<end>", al = i < a.size() ? a[i] : "<end>";
    if (el != al) return "line " + std::to_string(i + 1) + "\n expected: [" + el + "]\n actual:   [" + al + "]";
  }
  return "line ends differ";
}

}  // namespace

TEST(ExampleModel, CommittedFilesAreWhatMakeExampleWrites) {
  TempDir dir;
  RunResult r;
  TestInstall unused;
  r = RunBinary(ORVANT_MAKE_EXAMPLE, unused, {dir.path});
  ASSERT_EQ(r.status, 0) << r.stderrText;
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(dir.path)) {
    ++files;
    std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    ASSERT_TRUE(PathExists(kExampleDir + "/" + name));
    EXPECT_EQ(ReadFileText(entry.path().string()), ReadFileText(kExampleDir + "/" + name));
  }
  EXPECT_EQ(files, static_cast<size_t>(std::distance(fs::directory_iterator(kExampleDir), fs::directory_iterator())));
}

TEST(ExampleModel, ListingsMatchTheReviewedListings) {
  struct Run {
    std::string options, listingName, expected;
  };
  const Run runs[] = {
      // Everything, with the active group set 1.
      {"1/1/1/1/1/1/1/1/1/1/1/1/", "", "FRAME.MTM"},
      // Converted units, group range mode up to group 2.
      {"-1/1/1/1/0/1/1/1/1/1/0/1/-2/0/CONV/", "CONV", "FRAME.CONV.MTM"},
      // Brief model data, group filter 3, a combination and a results set selection.
      {"1/1/1/1/0/1/1/1/1/1/0/-/3/0/BRIEF/2/1/", "BRIEF", "FRAME.BRIEF.MTM"},
  };
  const bool update = std::getenv("ORVANT_UPDATE_EXPECTED") != nullptr;
  for (const Run& run : runs) {
    SCOPED_TRACE(run.options);
    TestInstall install;
    fs::copy(kExampleDir, install.modelDir, fs::copy_options::overwrite_existing | fs::copy_options::recursive);
    RunResult r = RunInProcess(install, {run.options});
    ASSERT_EQ(r.status, 0) << r.stderrText;
    std::string actual = Masked(install.Listing(run.listingName), install.modelDir);
    if (update) WriteFile(kExpectedDir + "/" + run.expected, actual);
    std::string expected = ReadFileText(kExpectedDir + "/" + run.expected);
    EXPECT_TRUE(actual == expected) << FirstDifference(expected, actual);
  }
}
