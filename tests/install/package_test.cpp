// The Debian package: built by CPack from this build, unpacked with
// dpkg-deb into a temporary root, its program run on its own copy of the
// example model; the listing is the reviewed one.
#include <gtest/gtest.h>

#include <filesystem>

#include "install/tools.h"
#include "run/arguments.h"
#include "support/model_builder.h"

using namespace orvant;
using namespace orvant::testing;
namespace fs = std::filesystem;

namespace {

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

std::string Masked(std::string listing, const std::string& modelDir) {
  listing = MaskDateTime(listing);
  for (size_t at = listing.find(modelDir); at != std::string::npos; at = listing.find(modelDir, at))
    listing.replace(at, modelDir.size(), "<model directory>");
  return listing;
}

}  // namespace

TEST(DebianPackage, UnpackedProgramListsTheExampleAsReviewed) {
  for (const char* tool : {"cpack", "dpkg-deb", "dpkg-shlibdeps"})
    if (!HaveTool(tool)) GTEST_SKIP() << tool << " is not installed (apt-get install cmake dpkg-dev): no package test";
  TempDir tmp;
  const CommandOutput built =
      RunCommand("cpack --config " + ShellWord(std::string(ORVANT_BINARY_DIR) + "/CPackConfig.cmake") + " -B " +
                 ShellWord(tmp.path + "/package"));
  ASSERT_EQ(built.status, 0) << built.text;

  // orvant-in_VERSION_ARCH.deb, its fields, and dependencies found in the binary.
  const std::string version = FirstLine(std::string(VersionText()).substr(std::string("orvant-in ").size()));
  const std::string arch = FirstLine(RunCommand("dpkg --print-architecture").text);
  const std::string deb = tmp.path + "/package/orvant-in_" + version + "_" + arch + ".deb";
  ASSERT_TRUE(PathExists(deb)) << built.text;
  auto field = [&](const std::string& name) { return FirstLine(RunCommand("dpkg-deb -f " + ShellWord(deb) + " " + name).text); };
  for (const auto& [name, want] : {std::pair{"Package", "orvant-in"}, {"Version", version.c_str()}, {"Architecture", arch.c_str()}})
    EXPECT_EQ(field(name), want) << name;
  EXPECT_NE(field("Maintainer").find('@'), std::string::npos);
  EXPECT_NE(field("Depends").find("libc6 (>="), std::string::npos) << field("Depends");
  EXPECT_NE(field("Depends").find("libstdc++6"), std::string::npos) << field("Depends");

  const std::string root = tmp.path + "/root";
  const CommandOutput unpacked = RunCommand("dpkg-deb -x " + ShellWord(deb) + " " + ShellWord(root));
  ASSERT_EQ(unpacked.status, 0) << unpacked.text;
  for (const char* file : {"/usr/bin/orvant-in", "/usr/share/man/man1/orvant-in.1", "/usr/share/doc/orvant-in/README.md",
                           "/usr/share/doc/orvant-in/examples/frame/FRAME.XSZ"})
    EXPECT_TRUE(PathExists(root + file)) << file;

  // The example as the man page lists it: in place, written elsewhere.
  TestInstall install;
  const std::string example = root + "/usr/share/doc/orvant-in/examples/frame";
  const std::string out = tmp.path + "/out";
  fs::create_directory(out);
  RunResult r = RunBinary(root + "/usr/bin/orvant-in", install,
                          {"--model", example + "/FRAME", "--output-dir", out, "1/1/1/1/1/1/1/1/1/1/1/1/"});
  ASSERT_EQ(r.status, 0) << r.stderrText;
  const std::string expected = ReadFileText(std::string(ORVANT_SOURCE_DIR) + "/examples/expected/FRAME.MTM");
  EXPECT_TRUE(Masked(ReadFileText(out + "/FRAME.MTM"), fs::canonical(example).string()) == expected);
  EXPECT_TRUE(PathExists(out + "/FRAME.LCM"));
}
