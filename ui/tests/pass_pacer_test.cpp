#include "ui/pass_pacer.h"

#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

TEST(PassPacer, PassesComeAMillisecondApartAndTheClockIsReadSparingly) {
  struct {
    std::chrono::microseconds perReading;
    std::size_t lineBytes;
    std::string passes;  // after each of 40 records: '+' a pass, '.' none
    const char* why;
  } const cases[] = {
      {1000us, 13, "+...............+...............+.......", "every 16th record reads"},
      {600us, 13, "+...............................+.......", "a reading 0.6 ms on is early"},
      {1000us, 40000, "+.+.+.+.+.+.+.+.+.+.+.+.+.+.+.+.+.+.+.+.", "64 KiB of lines read too"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    std::chrono::steady_clock::time_point now;
    ui::PassPacer pacer([&] { return now += c.perReading; });
    pacer.start();
    std::string passes;
    for (int record = 0; record < 40; ++record) {
      const bool due = pacer.due(c.lineBytes);
      passes += due ? '+' : '.';
      if (due) pacer.passed();
    }
    EXPECT_EQ(passes, c.passes);
  }
}

}  // namespace
