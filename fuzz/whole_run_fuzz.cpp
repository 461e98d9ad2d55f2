// Fuzz target: a whole run on a fuzzed model tree. One input is split into
// config.ini and the model's files (kRunSlots), written to a scratch
// installation (RunTree, which orvant-unpack-run writes too), and listed in this process with one of four fixed option
// strings (chosen by the selector byte). The run must end in order: status
// 0, 1 or 2; a listing exactly when start-up succeeded; no file other than
// the listing and the comment file created or changed. One input in four
// (by the selector's next two bits) asks for the picture and the VTK file
// instead: then no listing, and both files exactly when start-up succeeded.
// With ORVANT_FUZZ_SHOW
// set, each run's option string and exit status are printed (to check that
// the seeds list to their end).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "run/startup.h"

using namespace orvant;
using namespace orvant::fuzz;

namespace {

const RunTree& Tree() {
  static const RunTree tree{ScratchDir()};
  return tree;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Tree().Create();
  ::setenv("XDG_CONFIG_HOME", Tree().Config().c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const RunTree& tree = Tree();
  const Pack pack = Unpack(data, size, kRunSlotCount);
  const std::vector<std::string> written = tree.Write(pack);
  const size_t option = RunTree::OptionOf(pack);
  const bool views = RunTree::AsksForViews(pack);
  const int status = RunOrvantIn(tree.Arguments(pack));
  Check(status == 0 || status == 1 || status == 2, "exit status outside 0..2");
  if (views) {
    Check(status != 1, "views stopped like a listing");
    Check(NamesIn(tree.Views()).size() == (status == 0 ? 2u : 0u), "views without start-up, or not all after it");
  }
  static const bool show = std::getenv("ORVANT_FUZZ_SHOW") != nullptr;
  if (show) std::printf("option %zu: exit status %d\n", option, status);

  const std::string listing = option == 1 ? "M.FZ.MTM" : "M.MTM";
  bool listed = false;
  for (const std::string& name : NamesIn(tree.Jobs())) {
    if (name == listing) {
      listed = true;
      continue;
    }
    if (name == "M.LCM") continue;
    Check(std::find(written.begin(), written.end(), name) != written.end(), "a file was created");
  }
  Check(listed == (status != 2 && !views), "a listing without start-up or with the views, or none after it");
  for (size_t i = 1; i < kRunSlotCount; ++i) {
    if (!pack.files[i] || std::string(kRunSlots[i]) == ".LCM") continue;
    Check(ReadWholeFile(tree.Jobs() + "/M" + kRunSlots[i]) == pack.files[i], "a model file was changed");
  }
  Check(ReadWholeFile(tree.Data() + "/config.ini") == pack.files[0], "config.ini was changed");
  std::vector<std::string> dataNames = NamesIn(tree.Data());
  Check(dataNames.size() == (pack.files[0] ? 2u : 1u), "a file was created in the data directory");
  return 0;
}
