// One run per listing: runs that would write the same listing wait for
// each other, and give the listing and comment file of a single run.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "support/model_builder.h"

using namespace orvant::testing;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

TEST(OneRunPerListing, RunsWaitForTheListingsLockAndWriteWhatOneRunWrites) {
  TestInstall a, b;  // each run its own installation (and standard error file), one model folder
  const std::string dir = a.modelDir + "/frame";
  fs::copy(std::string(ORVANT_SOURCE_DIR) + "/examples/frame", dir, fs::copy_options::recursive);
  const std::string listing = dir + "/FRAME.MTM", comments = dir + "/FRAME.LCM";
  const std::vector<std::string> args{"--model", dir + "/FRAME"};
  const auto start = [&args](const TestInstall& install) {
    return std::async(std::launch::async, [&args, at = &install] { return RunBinary(ORVANT_BINARY, *at, args).status; });
  };

  ASSERT_EQ(start(a).get(), 0);
  const std::string oneListing = MaskDateTime(ReadFileText(listing)), oneComments = ReadFileText(comments);
  ASSERT_FALSE(oneComments.empty());
  fs::remove(comments);

  // Another run holds the listing: two runs started now both wait, and the
  // old listing is left as it is.
  const std::string old = "the listing of a run still writing\r\n";
  WriteFile(listing, old);
  const int held = ::open(listing.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  auto first = start(a), second = start(b);
  EXPECT_EQ(first.wait_for(500ms), std::future_status::timeout);
  EXPECT_EQ(second.wait_for(10ms), std::future_status::timeout);
  EXPECT_TRUE(ReadFileText(listing) == old) << "the old listing was changed while another run held it";
  EXPECT_FALSE(PathExists(comments));

  ::close(held);
  EXPECT_EQ(first.get(), 0);
  EXPECT_EQ(second.get(), 0);
  EXPECT_TRUE(MaskDateTime(ReadFileText(listing)) == oneListing);
  EXPECT_TRUE(ReadFileText(comments) == oneComments);
}
