// One run per listing: runs that would write the same listing wait for
// each other, and give the listing and comment file of a single run.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/model_builder.h"

extern char** environ;

using namespace orvant::testing;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// orvant-in started without waiting for it, with no settings store.
pid_t Start(const std::string& configHome, const std::vector<std::string>& args) {
  std::vector<std::string> strings{ORVANT_BINARY}, env{"XDG_CONFIG_HOME=" + configHome, "HOME=" + configHome,
                                                         "PATH=/usr/bin:/bin"};
  strings.insert(strings.end(), args.begin(), args.end());
  auto pointers = [](std::vector<std::string>& v) {
    std::vector<char*> p(v.size() + 1, nullptr);
    for (size_t k = 0; k < v.size(); ++k) p[k] = v[k].data();
    return p;
  };
  std::vector<char*> argv = pointers(strings), envp = pointers(env);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, ORVANT_BINARY, &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return failed ? -1 : pid;
}

// The exit status, or -1 when the run has not ended within the time.
int Finish(pid_t pid, std::chrono::milliseconds within) {
  const auto end = std::chrono::steady_clock::now() + within;
  for (;;) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (std::chrono::steady_clock::now() >= end) return -1;
    std::this_thread::sleep_for(10ms);
  }
}

}  // namespace

TEST(OneRunPerListing, RunsWaitForTheListingsLockAndWriteWhatOneRunWrites) {
  TempDir root;
  const std::string dir = root.path + "/model", config = root.path + "/config";
  fs::create_directories(config);
  fs::copy(std::string(ORVANT_SOURCE_DIR) + "/examples/frame", dir, fs::copy_options::recursive);
  const std::string listing = dir + "/FRAME.MTM", comments = dir + "/FRAME.LCM";
  const std::vector<std::string> args{"--model", dir + "/FRAME"};

  const pid_t single = Start(config, args);
  ASSERT_GT(single, 0);
  ASSERT_EQ(Finish(single, 30s), 0);
  const std::string oneListing = MaskDateTime(ReadFileText(listing)), oneComments = ReadFileText(comments);
  ASSERT_FALSE(oneComments.empty());
  fs::remove(comments);

  // Another run holds the listing: two runs started now both wait, and the
  // old listing is left as it is.
  const std::string old = "the listing of a run still writing\r\n";
  WriteFile(listing, old);
  const int held = ::open(listing.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  const pid_t first = Start(config, args), second = Start(config, args);
  ASSERT_TRUE(first > 0 && second > 0);
  EXPECT_EQ(Finish(first, 500ms), -1);
  EXPECT_EQ(Finish(second, 10ms), -1);
  EXPECT_TRUE(ReadFileText(listing) == old) << "the old listing was changed while another run held it";
  EXPECT_FALSE(PathExists(comments));

  ::close(held);
  for (pid_t pid : {first, second}) {
    const int status = Finish(pid, 30s);
    if (status == -1) ::kill(pid, SIGKILL), ::waitpid(pid, nullptr, 0);  // a run that never ended
    EXPECT_EQ(status, 0);
  }
  EXPECT_TRUE(MaskDateTime(ReadFileText(listing)) == oneListing);
  EXPECT_TRUE(ReadFileText(comments) == oneComments);
}
