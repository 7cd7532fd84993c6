// One batch run's world for the tests: a temp folder with the list files, a
// fake window whose Text1 and Text2 name them, and the batch conversion on it.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

#include "ui/batch_conversion.h"
#include "ui/list_file/system_file.h"
#include "ui/tests/fake_window.h"
#include "ui/tests/temp_folder.h"

inline const std::string kInitialCaption = " 已处理：？条";

// A clock that moves on by step each time it is read. A millisecond gives the
// window a pass after every record, nothing gives it one after the first
// record only.
inline ui::PassPacer::Clock steppingClock(std::chrono::microseconds step) {
  return [step, now = std::chrono::steady_clock::time_point()]() mutable { return now += step; };
}

// One batch run's world: the list files, the window, the conversion.
struct Scenario {
  explicit Scenario(const std::string& input, const char* codePage = "UTF-8",
                    std::chrono::microseconds clockStep = std::chrono::milliseconds(1))
      : batch(window, ui::CodePage(codePage), ui::PassPacer(steppingClock(clockStep), 1)) {
    window.texts[0] = folder.write("in.txt", input);
    window.texts[1] = folder.path("out.txt");
    window.captions.push_back(kInitialCaption);
  }
  std::string run() {
    batch.run();
    return output();
  }
  std::string output() const { return folder.read("out.txt"); }
  std::string caption() const { return window.captions.back(); }

  TempFolder folder;
  FakeWindow window;
  ui::BatchConversion batch;
};

// Every failure ends the run with the error message alone, keeping the
// records written before it.
inline void expectFailed(const Scenario& scenario, const std::string& output,
                         bool label2Visible = true) {
  EXPECT_EQ(scenario.output(), output);
  EXPECT_EQ(scenario.window.messages, std::vector{kFailed});
  EXPECT_EQ(scenario.window.label2Visible, label2Visible);
  EXPECT_EQ(scenario.caption(), kInitialCaption);
}

// Syncs a run makes for a file it created: the data, and on POSIX the file's
// entry in its folder.
#ifdef _WIN32
inline constexpr std::size_t kSyncsOfANewFile = 1;
#else
inline constexpr std::size_t kSyncsOfANewFile = 2;
#endif

// Stands in for the system's sync while it lives: notes, at each call, the
// messages shown so far and what the output holds, and fails every call from
// the failFrom-th on (0: none).
struct SyncWatch {
  struct Call {
    std::size_t messagesShown;
    std::string output;
  };
  explicit SyncWatch(const Scenario& scenario, std::size_t failFrom = 0) {
    ui::OutputFile::syncHook = [this, &scenario, failFrom] {
      calls.push_back({scenario.window.messages.size(), scenario.output()});
      if (failFrom != 0 && calls.size() >= failFrom) return make_error_code(std::errc::io_error);
      return std::error_code();
    };
  }
  ~SyncWatch() { ui::OutputFile::syncHook = nullptr; }
  SyncWatch(const SyncWatch&) = delete;
  SyncWatch& operator=(const SyncWatch&) = delete;

  std::vector<Call> calls;
};
