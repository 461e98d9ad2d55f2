// Micro-benchmarks of the per-field work of a listing: fields rendered by
// pattern into the listing's buffer, bare numbers, the leading-number rule and the splitting of
// a load case data line into its fields.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "listing/listing.h"
#include "listing/numbers.h"
#include "loads/load_cases.h"
#include "base/text_values.h"

namespace {

// Values like those of load cases: random signs, magnitudes from 0.1 to a
// million, four or five significant digits.
std::vector<float> Values() {
  std::vector<float> v;
  std::mt19937 random(5);
  std::uniform_real_distribution<double> magnitude(-1.0, 6.0);
  for (int i = 0; i < 1024; ++i) {
    const double x = std::pow(10.0, magnitude(random));
    const double step = std::pow(10.0, std::floor(std::log10(x)) - 4);
    const float rounded = static_cast<float>(std::round(x / step) * step);
    v.push_back(random() % 2 ? rounded : -rounded);
  }
  return v;
}

// Fields as the listing writes them, into its buffer.
void Pattern(benchmark::State& state, const orvant::FieldPattern& pattern, int width) {
  const std::vector<float> values = Values();
  orvant::Listing out;
  size_t i = 0;
  for (auto _ : state) {
    out.Discard();
    for (int k = 0; k < 64; ++k) out.Field(values[i++ & 1023], pattern, width);
    benchmark::DoNotOptimize(out.Pending().data());
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations()) * 64);
}

void BM_Exponent(benchmark::State& state) { Pattern(state, "0.000E+00", 11); }
void BM_Coordinate(benchmark::State& state) { Pattern(state, "#####0.0000", 14); }
void BM_Fixed(benchmark::State& state) { Pattern(state, "######0.00", 11); }

void BM_BareSingle(benchmark::State& state) {
  const std::vector<float> values = Values();
  char out[64 * orvant::kBareRoom];
  size_t i = 0;
  for (auto _ : state) {
    char* p = out;
    for (int k = 0; k < 64; ++k) p = orvant::PutBareSingle(p, values[i++ & 1023]);
    benchmark::DoNotOptimize(out);
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations()) * 64);
}

void BM_BareInt(benchmark::State& state) {
  char out[64 * orvant::kBareRoom];
  long long v = 0;
  for (auto _ : state) {
    char* p = out;
    for (int k = 0; k < 64; ++k) p = orvant::PutBareInt(p, (v++ % 65536) - 32768);
    benchmark::DoNotOptimize(out);
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations()) * 64);
}

void BM_LeadingNumber(benchmark::State& state) {
  const char* texts[] = {"12345", "-0.00125", "4.5E+06", "31.25", " 7", "-10101", "0.0005", "1.5E6"};
  size_t i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(orvant::LeadingNumber(texts[i++ & 7]));
  state.SetItemsProcessed(static_cast<long long>(state.iterations()));
}

void BM_SplitDataLine(benchmark::State& state) {
  const std::string lines[] = {"NF,1234,-41235,2250.5,0, ,-1523.7,17.25,1040", "EP,873,1,2.352,-1045,15923,0,0,-12.5,317",
                               "ED,99,2,0.25,3.75,-1500,-1750,0,0,12,0", "TEPR,4021,180.5,1523000,170, ,100000"};
  std::string spill;
  char keywordRoom[orvant::kKeywordRoom];
  std::string_view keyword;
  float fields[21];
  size_t i = 0;
  for (auto _ : state) {
    orvant::SplitDataLine(lines[i++ & 3], spill, keywordRoom, keyword, fields);
    benchmark::DoNotOptimize(fields);
  }
  state.SetItemsProcessed(static_cast<long long>(state.iterations()));
}

}  // namespace

BENCHMARK(BM_Exponent);
BENCHMARK(BM_Coordinate);
BENCHMARK(BM_Fixed);
BENCHMARK(BM_BareSingle);
BENCHMARK(BM_BareInt);
BENCHMARK(BM_LeadingNumber);
BENCHMARK(BM_SplitDataLine);

BENCHMARK_MAIN();
