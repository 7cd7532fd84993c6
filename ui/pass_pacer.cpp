#include "ui/pass_pacer.h"

#include <utility>

namespace ui {
namespace {

constexpr auto kInterval = std::chrono::milliseconds(1);
constexpr std::size_t kBytesPerReading = 64 * 1024;

}  // namespace

PassPacer::PassPacer(Clock clock, int recordsPerReading)
    : clock_(std::move(clock)), recordsPerReading_(recordsPerReading) {}

void PassPacer::start() {
  lastPass_.reset();
  records_ = 0;
  bytes_ = 0;
}

bool PassPacer::due(std::size_t lineBytes) {
  if (!lastPass_) return true;
  bytes_ += lineBytes;
  if (++records_ < recordsPerReading_ && bytes_ < kBytesPerReading) return false;
  records_ = 0;
  bytes_ = 0;
  return clock_() - *lastPass_ >= kInterval;
}

void PassPacer::passed() {
  lastPass_ = clock_();
  records_ = 0;
  bytes_ = 0;
}

}  // namespace ui
