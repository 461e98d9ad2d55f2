// The load combinations: mode 1, one line per combination with its combined
// totals; mode 2, per combination its cases with their factored totals and
// the combined sum. Each case is read with its own header-only parse.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/checked.h"
#include "base/file_system.h"
#include "base/text_values.h"
#include "listing/listing.h"
#include "loads/load_case.h"
#include "loads/load_case_reader.h"
#include "loads/load_section_rows.h"
#include "settings/run_settings.h"
#include "summaries/summaries.h"

namespace orvant {

namespace {

constexpr size_t kCaseDescriptionWidth = 80;

// A load combination file: count, (case, factor) pairs, description.
struct Combination {
  int16_t count{};
  Table<int16_t> cases{{}, "CombCase"};
  Table<double> factors{{}, "CombFactor"};
  std::string description;
};

std::string_view WithoutTrailingSpaces(std::string_view text) {
  size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// The case description as a fixed 80-character text.
std::string FixedDescription(std::string text) {
  text.resize(kCaseDescriptionWidth, ' ');
  return text;
}

void ReadCombination(FileSystem& files, const std::string& fileName, Combination& comb) {
  TextValues values(files.ReadFile(fileName), fileName);
  comb.count = values.Int16();
  const long long n = comb.count;  // none when negative
  comb.cases.Size(n);
  comb.factors.Size(n);
  for (long long i = 1; i <= n; ++i) {
    comb.cases[i] = values.Int16();
    comb.factors[i] = values.Number();
  }
  comb.description = values.Text();
}

void WriteTotals(Listing& out, const std::array<float, 3>& totals, bool converted) {
  for (float v : totals) WriteLoadValue(out, v, converted);
}

}  // namespace

void WriteLoadCombinations(const RunSettings& s, LoadCaseReader& reader, Listing& out, FileSystem& files,
                           const std::string& modelPath, int16_t lastLabel, int16_t mode) {
  const bool converted = ConvertedMode(s);
  out.Line(":");
  out.Rule();
  if (mode == 1)
    out.Line("                    L O A D  C O M B I N A T I O N  S U M M A R Y");
  else
    out.Line("                    L O A D  C O M B I N A T I O N S");
  out.Rule();
  if (mode == 1) {
    out.Line("*** Load Combination Summary  ***");
    out.End();
    out.Text("Comb No    Description").Column(75).Text("Fx         Fy         Fz").End();
    out.End();
  }

  Combination comb;
  for (long long n = 0; n <= lastLabel; ++n) {
    if (s.SelectedCombinationCount > 0 && s.SelectedCombinations[n] == 0) continue;
    const std::string fileName = modelPath + ".C" + std::to_string(n);
    if (!files.FileExists(fileName)) continue;

    ReadCombination(files, fileName, comb);
    if (comb.description.empty()) comb.description = fileName.substr(fileName.size() - 1);

    std::array<float, 3> sums{0.0f, 0.0f, 0.0f};

    if (mode == 1) {
      out.Int(n).Column(12).Text(comb.description).Column(70);
    } else {
      out.End();
      out.Text("*** Comb No").Int(n).Column(18).Text("Desc: ").Text(comb.description).End();
      out.End();
      out.Text("Case  Load Factor   Load Case Description").Column(78).Text("Fx         Fy         Fz").End();
      out.End();
    }

    for (long long i = 1; i <= comb.count; ++i) {
      const int16_t label = comb.cases[i];
      const double factor = comb.factors[i];
      // The case's description from its header lines, its totals from its
      // ".#" file.
      const std::string caseDescription =
          reader.ReadCombinationCase(label)
              ? FixedDescription(reader.Case().description)
              : FixedDescription("????????? LOAD CASE " + std::to_string(label) + " DOES NOT EXIST ********");
      const LoadCase& loads = reader.Case();

      if (mode == 2) {
        out.Int(label).Column(6).Factor(factor).Column(16).Text(WithoutTrailingSpaces(caseDescription)).Column(70);
      }
      if (loads.savedTotalsPresent == 1) {
        std::array<float, 3> factored{};
        for (size_t k = 0; k < 3; ++k) {
          const double product = static_cast<double>(loads.SavedTotals[k]) * factor;
          sums[k] = static_cast<float>(static_cast<double>(sums[k]) + product);
          factored[k] = static_cast<float>(converted ? product / 1000.0 : product);
        }
        if (mode == 2) {
          // Converted already, in double precision.
          for (float v : factored) WriteLoadValue(out, v, converted, 1.0f);
          out.End();
        }
      } else if (mode == 2) {
        out.Line("    *******    *******    *******");
      }
    }

    if (mode == 1) {
      out.Column(70);
      WriteTotals(out, sums, converted);
      out.End();
    } else {
      out.Column(70).Text("-----------------------------------").End();
      out.Text("Load Combination Sum").Column(70);
      WriteTotals(out, sums, converted);
      out.End();
      out.End();
    }
  }
}

}  // namespace orvant
