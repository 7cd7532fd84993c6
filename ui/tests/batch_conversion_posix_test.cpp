// The batch run's failures that only a POSIX system can bring about: a file
// size limit, a full device, a file its reader may not open, and the process
// ending in the middle of a run; and list files past 4 GiB, made sparse.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "ui/tests/batch_scenario.h"

namespace {

using std::chrono::microseconds;

// Runs body in a child process, for what must not touch the test process: a
// resource limit, or an exit in the middle of a run. Returns the child's exit
// status, or -1 when it did not exit.
int exitStatusOfChild(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child == 0) _exit(body());
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(BatchFailures, InputThatCannotBeOpenedIsReported) {
  Scenario scenario("123456\n");
  std::filesystem::permissions(scenario.window.texts[0], std::filesystem::perms::none);
  std::filesystem::permissions(scenario.folder.path(""), std::filesystem::perms::owner_all |
                                                             std::filesystem::perms::others_exec);
  const int status = exitStatusOfChild([&] {
    // Root reads any file: run as nobody, who can find the input but not read it.
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) return 2;
    scenario.run();
    return scenario.window.messages == std::vector{kFailed} && scenario.window.label2Visible ? 0
                                                                                             : 1;
  });
  if (status == 2) GTEST_SKIP() << "cannot drop root privileges";
  EXPECT_EQ(status, 0);
}

TEST(BatchFailures, InputThatCannotBeReadIsReported) {
  Scenario scenario("");
  scenario.window.texts[0] = "/proc/self/mem";  // a regular file; reading its start fails
  scenario.run();
  expectFailed(scenario, "<missing>");
}

TEST(BatchFailures, WriteOverTheFileSizeLimitLeavesNoPartOfTheRecord) {
  // Each record is "abcdefgh" and CR LF: 10 bytes.
  struct {
    rlim_t limit;
    microseconds clockStep;
    const char* why;
  } const cases[] = {
      {24, std::chrono::milliseconds(1), "the third record fits only in part"},
      {20, std::chrono::milliseconds(1), "the third record does not fit at all"},
      {24, microseconds(0), "one write of three records stops inside the third"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    Scenario scenario("abcdefgh\nabcdefgh\nabcdefgh\nabcdefgh\n", "UTF-8", c.clockStep);
    const int status = exitStatusOfChild([&] {
      signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{c.limit, c.limit};
      setrlimit(RLIMIT_FSIZE, &limit);
      const SyncWatch watch(scenario);
      scenario.run();
      // The whole records left after the cut-back are synced before the message.
      const bool synced =
          watch.calls.size() == kSyncsOfANewFile &&
          std::ranges::all_of(watch.calls, [](const SyncWatch::Call& call) {
            return call.messagesShown == 0 && call.output == "abcdefgh\r\nabcdefgh\r\n";
          });
      return synced && scenario.window.messages == std::vector{kFailed} &&
                     scenario.caption() == "已处理：2条！"
                 ? 0
                 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(scenario.output(), "abcdefgh\r\nabcdefgh\r\n");
  }
}

// A size past 4 GiB: what a 32-bit size or offset anywhere on the way would
// cut to 6. Files this long are made sparse, so they take no room.
constexpr std::uint64_t kPastFourGiB = (std::uint64_t{1} << 32) + 6;

std::string writeSparse(const TempFolder& folder, const std::string& name, const std::string& head,
                        std::uint64_t size) {
  const std::string path = folder.write(name, head);
  EXPECT_EQ(truncate(path.c_str(), static_cast<off_t>(size)), 0);
  return path;
}

// The bytes of path from offset on, at most count of them.
std::string bytesAt(const std::string& path, std::uint64_t offset, std::size_t count) {
  std::string bytes(count, '\0');
  const int fd = open(path.c_str(), O_RDONLY);
  const ssize_t read = pread(fd, bytes.data(), count, static_cast<off_t>(offset));
  close(fd);
  bytes.resize(read > 0 ? static_cast<std::size_t>(read) : 0);
  return bytes;
}

TEST(BatchFiles, AnOutputPastFourGiBIsAppendedToAndCutBackWhereItEnds) {
  Scenario scenario("abcdefgh\nabcdefgh\nabcdefgh\n");
  const std::string output = writeSparse(scenario.folder, "out.txt", "", kPastFourGiB);
  const int status = exitStatusOfChild([&] {
    // Room for two records and part of the third, which is cut back off.
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{kPastFourGiB + 24, kPastFourGiB + 24};
    setrlimit(RLIMIT_FSIZE, &limit);
    scenario.batch.run();  // not run(), which reads the whole output
    return scenario.window.messages == std::vector{kFailed} && scenario.caption() == "已处理：2条！"
               ? 0
               : 1;
  });
  EXPECT_EQ(status, 0);
  struct stat file {};
  ASSERT_EQ(stat(output.c_str(), &file), 0);
  EXPECT_EQ(static_cast<std::uint64_t>(file.st_size), kPastFourGiB + 20);
  EXPECT_EQ(bytesAt(output, kPastFourGiB - 1, 30),
            std::string(1, '\0') + "abcdefgh\r\nabcdefgh\r\n");
}

TEST(BatchFiles, AnInputPastFourGiBIsRead) {
  // Its lines are read until the hole, a line of NULs longer than any list line.
  Scenario scenario("");
  scenario.window.texts[0] =
      writeSparse(scenario.folder, "in.txt", "123456\n234567\n", kPastFourGiB);
  scenario.run();
  EXPECT_EQ(scenario.output(), "123456\r\n234567\r\n");
  EXPECT_EQ(scenario.window.messages, std::vector{kFailed});
  EXPECT_EQ(scenario.caption(), "已处理：2条！");
}

TEST(BatchWhileYielding, AConfirmedCloseKeepsExactlyTheCountedRecords) {
  struct {
    microseconds clockStep;
    const char* output;
  } const cases[] = {
      {std::chrono::milliseconds(1), "123456\r\n234567\r\n"},
      // Passes after the first and the fourth record.
      {microseconds(400), "123456\r\n234567\r\n345678\r\n456789\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.output);
    Scenario scenario("123456\n234567\n345678\n456789\n567890\n", "UTF-8", c.clockStep);
    const int status = exitStatusOfChild([&] {
      // The real window ends the process at once when the user confirms: the
      // file must hold exactly what Label2 counts.
      scenario.window.onYield = [&] {
        const std::string counted = std::to_string(std::ranges::count(scenario.output(), '\n'));
        if (scenario.window.yields == 2) _exit(scenario.caption() == "已处理：" + counted + "条！");
      };
      scenario.run();
      return 2;
    });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(scenario.output(), c.output);
  }
}

TEST(BatchOutput, ADeviceWithNothingToSyncCompletes) {
  Scenario scenario("123456\n234567\n");
  scenario.window.texts[1] = "/dev/null";  // fsync answers EINVAL
  scenario.run();
  EXPECT_EQ(scenario.window.messages, std::vector{kCompleted});
  EXPECT_EQ(scenario.caption(), "已处理：2条！");
}

TEST(BatchFailures, AFullDiskFailsAtTheFirstRecord) {
  Scenario full("123456\n");
  full.window.texts[1] = "/dev/full";
  full.run();
  expectFailed(full, "<missing>");
}

}  // namespace
