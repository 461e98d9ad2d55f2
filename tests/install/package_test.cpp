// The Debian package: built by CPack from this build, unpacked with
// dpkg-deb into a temporary root, its program run on its own copy of the
// example model. Lintian, Debian's package checker, finds no error and no
// warning in it.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "install/tools.h"
#include "run/arguments.h"
#include "support/model_builder.h"

using namespace orvant;
using namespace orvant::testing;
namespace fs = std::filesystem;

namespace {

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

const std::string kVersion = FirstLine(std::string(VersionText()).substr(std::string("orvant-in ").size()));

}  // namespace

TEST(DebianPackage, FieldsFilesTheUnpackedProgramAndLintian) {
  NEED_TOOL(HaveTool("cpack") && HaveTool("dpkg-deb") && HaveTool("dpkg-shlibdeps"), "cmake and dpkg-dev");
  TempDir tmp;
  // orvant-in_VERSION_ARCH.deb, its fields, and dependencies found in the binary.
  const std::string arch = FirstLine(RunCommand("dpkg --print-architecture").text);
  const std::string deb = tmp.path + "/orvant-in_" + kVersion + "_" + arch + ".deb";
  const CommandOutput built = RunCommand("cpack --config " + ShellWord(std::string(ORVANT_BINARY_DIR) + "/CPackConfig.cmake") +
                                         " -B " + ShellWord(tmp.path));
  ASSERT_EQ(built.status, 0) << built.text;
  ASSERT_TRUE(PathExists(deb)) << built.text;
  auto field = [&](const std::string& name) { return FirstLine(RunCommand("dpkg-deb -f " + ShellWord(deb) + " " + name).text); };
  for (const auto& [name, want] : {std::pair{"Package", "orvant-in"}, {"Version", kVersion.c_str()}, {"Architecture", arch.c_str()}})
    EXPECT_EQ(field(name), want) << name;
  EXPECT_NE(field("Maintainer").find('@'), std::string::npos);
  EXPECT_NE(field("Depends").find("libc6 (>="), std::string::npos) << field("Depends");
  EXPECT_NE(field("Depends").find("libstdc++6"), std::string::npos) << field("Depends");

  const std::string root = tmp.path + "/root";
  const CommandOutput unpacked = RunCommand("dpkg-deb -x " + ShellWord(deb) + " " + ShellWord(root));
  ASSERT_EQ(unpacked.status, 0) << unpacked.text;
  for (const char* file : {"/usr/bin/orvant-in", "/usr/share/man/man1/orvant-in.1.gz", "/usr/share/doc/orvant-in/README.md",
                           "/usr/share/doc/orvant-in/copyright", "/usr/share/bash-completion/completions/orvant-in",
                           "/usr/share/doc/orvant-in/examples/frame/FRAME.XSZ"})
    EXPECT_TRUE(PathExists(root + file)) << file;
  // The changelog's latest entry is this version (lintian does not compare them).
  EXPECT_EQ(RunCommand("gzip -dc " + ShellWord(root + "/usr/share/doc/orvant-in/changelog.gz") +
                       " | dpkg-parsechangelog -l - -S Version").text, kVersion + "\n");

  // The example as the man page lists it: in place, written elsewhere (its
  // listing is compared whole by the example test).
  TestInstall install;
  const std::string out = tmp.path + "/out";
  fs::create_directory(out);
  RunResult r = RunBinary(root + "/usr/bin/orvant-in", install,
                          {"--model", root + "/usr/share/doc/orvant-in/examples/frame/FRAME", "--output-dir", out});
  EXPECT_EQ(r.status, 0) << r.stderrText;
  EXPECT_NE(ReadFileText(out + "/FRAME.MTM").find("Load Case No: 4 "), std::string::npos);

  // Lintian's errors and warnings ("E:" and "W:" lines); its notes ("I:") may stay.
  NEED_TOOL(HaveTool("lintian"), "lintian");
  const CommandOutput lint = RunCommand("lintian " + ShellWord(deb));
  EXPECT_EQ(lint.status, 0) << lint.text;
  EXPECT_FALSE(std::regex_search(lint.text, std::regex("(^|\n)[EW]: "))) << lint.text;
}
