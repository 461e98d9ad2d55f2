// The floors of src/: every #include "..." under src/ is checked against
// src/floors.txt.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "support/model_builder.h"

namespace fs = std::filesystem;
using namespace orvant::testing;

namespace {

using Rules = std::map<std::string, std::set<std::string>>;

const Rules& FloorRules() {
  static Rules rules;
  if (!rules.empty()) return rules;
  std::istringstream in(ReadFileText(std::string(ORVANT_SOURCE_DIR) + "/src/floors.txt"));
  for (std::string line, folder, allowed; std::getline(in, line);) {
    std::istringstream words(line);
    if (line.empty() || line[0] == '#' || !(words >> folder)) continue;
    while (words >> allowed) rules[folder].insert(allowed);
  }
  return rules;
}

// One line per include that breaks a rule: "file:line: ... (rule)", by file.
std::string Violations(const fs::path& src) {
  std::map<std::string, std::string> found;
  const std::regex include(R"(^\s*#\s*include\s*"(([^/"]*)/)?[^"]*")");
  for (const auto& e : fs::recursive_directory_iterator(src)) {
    if (!e.is_regular_file() || (e.path().extension() != ".h" && e.path().extension() != ".cpp")) continue;
    const fs::path rel = fs::relative(e.path(), src);
    const std::string folder = rel.has_parent_path() ? rel.begin()->string() : rel.string();
    const auto rule = FloorRules().find(folder);
    std::istringstream in(ReadFileText(e.path().string()));
    std::string& out = found[rel.generic_string()];
    std::smatch m;
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
      ++lineNo;
      if (!std::regex_search(line, m, include)) continue;
      const std::string where = "src/" + rel.generic_string() + ":" + std::to_string(lineNo) + ": ";
      if (rule == FloorRules().end()) {
        out += where + "folder " + folder + " has no line in floors.txt\n";
      } else if (!rule->second.count(m[1].matched ? m[2].str() : folder)) {
        std::string allowed;
        for (const std::string& a : rule->second) allowed += (allowed.empty() ? "" : " ") + a;
        out += where + "includes " + m.str().substr(m.str().find('"')) + ": " + folder + " may include only " + allowed + "\n";
      }
    }
  }
  std::string all;
  for (const auto& [file, lines] : found) all += lines;
  return all;
}

}  // namespace

TEST(Layering, EveryIncludeUnderSrcKeepsItsFloor) {
  const Rules& rules = FloorRules();
  ASSERT_TRUE(rules.count("base") && rules.count("run") && rules.count("main.cpp"));
  EXPECT_EQ(Violations(fs::path(ORVANT_SOURCE_DIR) / "src"), "");
}

TEST(Layering, PlantedIncludesThatBreakARuleAreNamedWithFileLineAndRule) {
  TempDir dir;
  // Allowed: the folder's own and a lower floor's includes, a system header,
  // a name in quotes in a comment. Named: a floor reaching up, a sideways
  // include, an include from a folder with no rule, one with blanks after the hash.
  WriteFile(dir.path + "/listing/listing.cpp",
            std::string("#include \"listing/listing.h\"\n#include <vector>\n#include \"model/model_tables.h\"\n"));
  WriteFile(dir.path + "/base/platform.cpp", std::string("// \"run/startup.h\" in a comment is no include\n"));
  WriteFile(dir.path + "/main.cpp", std::string("#include \"run/startup.h\"\n"));
  WriteFile(dir.path + "/loads/parser.cpp", std::string("#include \"summaries/summaries.h\"\n"));
  WriteFile(dir.path + "/extra/x.cpp", std::string("#include \"base/faults.h\"\n"));
  WriteFile(dir.path + "/base/checked.h", std::string("#  include \"run/run_context.h\"\n"));
  EXPECT_EQ(Violations(dir.path),
            "src/base/checked.h:1: includes \"run/run_context.h\": base may include only base\n"
            "src/extra/x.cpp:1: folder extra has no line in floors.txt\n"
            "src/listing/listing.cpp:3: includes \"model/model_tables.h\": listing may include only base listing\n"
            "src/loads/parser.cpp:1: includes \"summaries/summaries.h\": loads may include only base listing loads "
            "model settings\n");
}
