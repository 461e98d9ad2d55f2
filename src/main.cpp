// orvant-in: writes the listing of one model.
#include <cstdio>
#include <string>
#include <vector>

#include "run/startup.h"

namespace {
const char kVersion[] = "orvant-in 8.0";
const char kUsage[] =
    "usage: orvant-in [OPTIONS]\n"
    "  Lists the model named in BATCH.NAM of the data directory (settings.ini,\n"
    "  [Setup] Files1) with the option string OPTIONS, seventeen fields each\n"
    "  closed by '/', for example: orvant-in 1/1/1/1/0/1/1/1/1/1/0/\n"
    "  Without OPTIONS the model of MODEL.NAM is listed with the options of in.CNT.\n"
    "  The listing is written beside the model as MODEL[.NAME].MTM.\n"
    "  Exit status: 0 listing complete, 1 listing stopped early, 2 start-up failed.\n";
}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 1 && args[0] == "--help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (args.size() == 1 && args[0] == "--version") {
    std::printf("%s\n", kVersion);
    return 0;
  }
  return orvant::RunOrvantIn(args);
}
