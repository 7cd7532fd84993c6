// When a batch run hands the window a pass: once at least a millisecond has
// gone by since the last pass ended, so that the window answers clicks and
// keys within about a millisecond while the run spends nearly all its time
// converting.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>

namespace ui {

class PassPacer {
 public:
  using Clock = std::function<std::chrono::steady_clock::time_point()>;

  // Reading the clock costs about as much as converting a record, so it is
  // read after every recordsPerReading-th record only, or sooner once 64 KiB
  // of lines have been read since: a long line takes long to convert.
  explicit PassPacer(Clock clock = std::chrono::steady_clock::now, int recordsPerReading = 16);

  // Forgets the last pass: the first record of a run is always followed by one.
  void start();
  // Whether a pass is due after a record of lineBytes bytes.
  bool due(std::size_t lineBytes);
  // Marks the end of a pass.
  void passed();

 private:
  Clock clock_;
  int recordsPerReading_;
  int records_ = 0;
  std::size_t bytes_ = 0;
  std::optional<std::chrono::steady_clock::time_point> lastPass_;
};

}  // namespace ui
