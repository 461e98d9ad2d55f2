// The floors of src/: every #include "..." under src/ is checked against
// src/floors.txt.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/model_builder.h"

namespace fs = std::filesystem;
using orvant::testing::TempDir;
using orvant::testing::WriteFile;

namespace {

using Rules = std::map<std::string, std::set<std::string>>;

Rules ParseRules(const std::string& text) {
  Rules rules;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string folder, allowed;
    if (!(words >> folder)) continue;
    auto& set = rules[folder];
    while (words >> allowed) set.insert(allowed);
  }
  return rules;
}

std::string ReadText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// One line per include that breaks a rule: "file:line: ... (rule)".
std::vector<std::string> Violations(const fs::path& src, const Rules& rules) {
  std::vector<std::string> found;
  std::vector<fs::path> files;
  for (const auto& e : fs::recursive_directory_iterator(src))
    if (e.is_regular_file() && (e.path().extension() == ".h" || e.path().extension() == ".cpp"))
      files.push_back(e.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    const fs::path rel = fs::relative(file, src);
    const std::string folder = rel.has_parent_path() ? rel.begin()->string() : rel.string();
    auto rule = rules.find(folder);
    std::istringstream in(ReadText(file));
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
      ++lineNo;
      const size_t hash = line.find_first_not_of(" \t");
      if (hash == std::string::npos || line.compare(hash, 1, "#") != 0) continue;
      const size_t inc = line.find("include", hash);
      const size_t open = line.find('"', hash);
      if (inc == std::string::npos || open == std::string::npos || open < inc) continue;
      const size_t close = line.find('"', open + 1);
      const std::string target = line.substr(open + 1, close - open - 1);
      const size_t slash = target.find('/');
      const std::string to = slash == std::string::npos ? folder : target.substr(0, slash);
      const std::string where = "src/" + rel.generic_string() + ":" + std::to_string(lineNo) + ": ";
      if (rule == rules.end()) {
        found.push_back(where + "folder " + folder + " has no line in floors.txt");
      } else if (!rule->second.count(to)) {
        std::string allowed;
        for (const std::string& a : rule->second) allowed += (allowed.empty() ? "" : " ") + a;
        found.push_back(where + "includes \"" + target + "\": " + folder + " may include only " + allowed);
      }
    }
  }
  return found;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string all;
  for (const std::string& l : lines) all += l + "\n";
  return all;
}

}  // namespace

TEST(Layering, EveryIncludeUnderSrcKeepsItsFloor) {
  const fs::path src = fs::path(ORVANT_SOURCE_DIR) / "src";
  const Rules rules = ParseRules(ReadText(src / "floors.txt"));
  ASSERT_TRUE(rules.count("base") && rules.count("run") && rules.count("main.cpp"));
  const std::vector<std::string> found = Violations(src, rules);
  EXPECT_TRUE(found.empty()) << Joined(found);
}

TEST(Layering, PlantedIncludesThatBreakARuleAreNamedWithFileLineAndRule) {
  TempDir dir;
  const Rules rules = ParseRules(ReadText(fs::path(ORVANT_SOURCE_DIR) / "src" / "floors.txt"));
  WriteFile(dir.path + "/listing/listing.cpp", std::string("#include \"listing/listing.h\"\n#include <vector>\n"));
  WriteFile(dir.path + "/base/platform.cpp", std::string("// \"run/startup.h\" in a comment is no include\n"));
  WriteFile(dir.path + "/main.cpp", std::string("#include \"run/startup.h\"\n"));
  EXPECT_EQ(Joined(Violations(dir.path, rules)), "");

  // A floor reaching up, a sideways include, an include from a folder with
  // no rule, and one written with blanks after the hash.
  WriteFile(dir.path + "/listing/listing.cpp",
            std::string("#include \"listing/listing.h\"\n\n#include \"model/model_tables.h\"\n"));
  WriteFile(dir.path + "/loads/parser.cpp", std::string("#include \"summaries/summaries.h\"\n"));
  WriteFile(dir.path + "/extra/x.cpp", std::string("#include \"base/faults.h\"\n"));
  WriteFile(dir.path + "/base/checked.h", std::string("#  include \"run/run_context.h\"\n"));
  EXPECT_EQ(Joined(Violations(dir.path, rules)),
            "src/base/checked.h:1: includes \"run/run_context.h\": base may include only base\n"
            "src/extra/x.cpp:1: folder extra has no line in floors.txt\n"
            "src/listing/listing.cpp:3: includes \"model/model_tables.h\": listing may include only base listing\n"
            "src/loads/parser.cpp:1: includes \"summaries/summaries.h\": loads may include only base listing loads "
            "model settings\n");
}
