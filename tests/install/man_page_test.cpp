// The man page, read by mandoc: no warning (in the source, and compressed as
// it is installed), every program option of the usage, all seventeen option
// fields, and every model file extension that the sources name.
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
  const std::regex literal("\"(\\.[A-Za-z#][A-Za-z0-9]*)");
  for (const auto& e : fs::recursive_directory_iterator(std::string(ORVANT_SOURCE_DIR) + "/src")) {
    if (!e.is_regular_file()) continue;
    const std::string text = ReadFileText(e.path().string());
    for (std::sregex_iterator m(text.begin(), text.end(), literal), end; m != end; ++m) found.insert((*m)[1]);
  }
  return found;
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

  // Every program option that --help shows.
  const std::string options = Section(page, "OPTIONS"), usage = UsageText();
  const std::regex programOption("--[a-z-]+");
  for (std::sregex_iterator m(usage.begin(), usage.end(), programOption), end; m != end; ++m)
    EXPECT_NE(options.find(m->str()), std::string::npos) << m->str();
  // The option string's table: a row for each of the seventeen fields.
  for (int field = 1; field <= 17; ++field)
    EXPECT_TRUE(std::regex_search(options, std::regex("\n +" + std::to_string(field) + " +[a-z.]")))
        << "field " << field;

  // Every extension the sources form, as written there, numbered (".Ln",
  // ".dc1") or as a wildcard (".UM*").
  const std::string files = Section(page, "FILES");
  std::set<std::string> listed;
  const std::regex token("\\.[A-Za-z#][A-Za-z0-9]*\\*?");
  for (std::sregex_iterator m(files.begin(), files.end(), token), end; m != end; ++m) listed.insert(m->str());
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
