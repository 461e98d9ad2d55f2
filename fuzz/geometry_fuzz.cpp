// Fuzz target: the geometry loader on fuzzed binary files. Slot 0 holds the
// seven model size values (16-bit little-endian: MaxElementLabel,
// MaxSpringLabel, MaxNodeLabel, RestrainedNodeCount, PhysicalPropertyCount,
// MaterialPropertyCount, SpringPropertyCount); slots 1..7 the files ".XYZ",
// ".XZY", ".XEC", ".XCO", ".XEN", ".XEL", ".XE1". The loader either fills
// the tables or fails with IndexFault or RunFault.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "fuzz_support.h"
#include "model/geometry.h"
#include "base/faults.h"
#include "run/run_context.h"

using namespace orvant;
using namespace orvant::fuzz;

namespace {

const char* const kFiles[] = {".XYZ", ".XZY", ".XEC", ".XCO", ".XEN", ".XEL", ".XE1"};
constexpr size_t kSlots = 8;

int16_t SizeValue(const std::string& sizes, size_t i) {
  if (sizes.size() < 2 * i + 2) return 0;
  return static_cast<int16_t>(static_cast<uint16_t>(static_cast<unsigned char>(sizes[2 * i]) |
                                                    (static_cast<unsigned char>(sizes[2 * i + 1]) << 8)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Pack pack = Unpack(data, size, kSlots);
  const std::string dir = ScratchDir();
  RemoveFilesIn(dir);
  for (size_t i = 0; i < 7; ++i)
    if (pack.files[i + 1]) WriteWholeFile(dir + "/G" + kFiles[i], *pack.files[i + 1]);

  auto ctx = std::make_unique<RunContext>();
  RunSettings& s = ctx->settings;
  s.ModelPath = dir + "/G";
  const std::string sizes = pack.files[0].value_or("");
  s.MaxElementLabel = SizeValue(sizes, 0);
  s.MaxSpringLabel = SizeValue(sizes, 1);
  s.MaxNodeLabel = SizeValue(sizes, 2);
  s.RestrainedNodeCount = SizeValue(sizes, 3);
  s.PhysicalPropertyCount = SizeValue(sizes, 4);
  s.MaterialPropertyCount = SizeValue(sizes, 5);
  s.SpringPropertyCount = SizeValue(sizes, 6);
  try {
    AllocateModelTables(s, ctx->model);
    LoadGeometry(ctx->settings, ctx->model, ctx->files);
  } catch (const IndexFault&) {
    return 0;
  } catch (const RunFault&) {
    return 0;
  }
  // A loaded model: the offsets continue inside the connectivity bytes.
  const ModelTables& m = ctx->model;
  if (m.ConnectivityFile.offsetsStart > m.ConnectivityFile.bytes.size()) std::abort();
  if (m.IcPropertyCount < 0 || m.RcPropertyCount < 0) std::abort();
  return 0;
}
