// Fuzz target: a whole run on a fuzzed model tree. One input is split into
// config.ini and the model's files (kRunSlots), written to a scratch
// installation, and listed in this process with one of four fixed option
// strings (chosen by the selector byte). The run must end in order: status
// 0, 1 or 2; a listing exactly when start-up succeeded; no file other than
// the listing and the comment file created or changed. One input in four
// (by the selector's next two bits) asks for the picture and the VTK file
// instead: then no listing, and both files exactly when start-up succeeded.
// With ORVANT_FUZZ_SHOW
// set, each run's option string and exit status are printed (to check that
// the seeds list to their end).
#include <sys/stat.h>

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

// Option strings: everything listed with group set 1; converted units in
// group range mode with a listing name and both selections; brief model
// data with a group filter, grouped only; group range mode, grouped only,
// selections of combination 2 and results set 1.
const char* const kOptions[] = {"1/1/1/1/1/1/1/1/1/1/1/1/0/0/", "-1/1/1/1/1/1/1/1/1/1/1/1/-3/0/FZ/1/1/",
                                "1/1/1/1/0/1/1/1/1/1/0/-/2/1/", "2/1/1/1/1/1/1/1/1/1/1/1/-2/1/none/2/1/"};

std::string Root() { return ScratchDir(); }
std::string DataDir() { return Root() + "/data"; }
std::string JobsDir() { return Root() + "/jobs"; }
std::string ViewsDir() { return Root() + "/views"; }

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  ::mkdir((Root() + "/config").c_str(), 0755);
  ::mkdir((Root() + "/config/ORVANT").c_str(), 0755);
  ::mkdir(DataDir().c_str(), 0755);
  ::mkdir(JobsDir().c_str(), 0755);
  ::mkdir(ViewsDir().c_str(), 0755);
  WriteWholeFile(Root() + "/config/ORVANT/settings.ini", "[Setup]\nFiles1=" + DataDir() + "\n");
  WriteWholeFile(DataDir() + "/BATCH.NAM",
                 "\"" + JobsDir() + "/M\"\r\n\"unused\"\r\n\"" + JobsDir() + "\"\r\n");
  ::setenv("XDG_CONFIG_HOME", (Root() + "/config").c_str(), 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Pack pack = Unpack(data, size, kRunSlotCount);
  RemoveFilesIn(JobsDir());
  const std::string config = DataDir() + "/config.ini";
  ::unlink(config.c_str());
  if (pack.files[0]) WriteWholeFile(config, *pack.files[0]);
  std::vector<std::string> written;
  for (size_t i = 1; i < kRunSlotCount; ++i) {
    if (!pack.files[i]) continue;
    WriteWholeFile(JobsDir() + "/M" + kRunSlots[i], *pack.files[i]);
    written.push_back(std::string("M") + kRunSlots[i]);
  }

  const size_t option = pack.selector % 4;
  const bool views = (pack.selector / 4) % 4 == 3;
  RemoveFilesIn(ViewsDir());
  std::vector<std::string> args{kOptions[option]};
  if (views) args.insert(args.end(), {"--picture", ViewsDir() + "/m.svg", "--vtk", ViewsDir() + "/m.vtk"});
  const int status = RunOrvantIn(args);
  Check(status == 0 || status == 1 || status == 2, "exit status outside 0..2");
  if (views) {
    Check(status != 1, "views stopped like a listing");
    Check(NamesIn(ViewsDir()).size() == (status == 0 ? 2u : 0u), "views without start-up, or not all after it");
  }
  static const bool show = std::getenv("ORVANT_FUZZ_SHOW") != nullptr;
  if (show) std::printf("option %zu: exit status %d\n", option, status);

  const std::string listing = option == 1 ? "M.FZ.MTM" : "M.MTM";
  bool listed = false;
  for (const std::string& name : NamesIn(JobsDir())) {
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
    Check(ReadWholeFile(JobsDir() + "/M" + kRunSlots[i]) == pack.files[i], "a model file was changed");
  }
  Check(ReadWholeFile(config) == pack.files[0], "config.ini was changed");
  std::vector<std::string> dataNames = NamesIn(DataDir());
  Check(dataNames.size() == (pack.files[0] ? 2u : 1u), "a file was created in the data directory");
  return 0;
}
