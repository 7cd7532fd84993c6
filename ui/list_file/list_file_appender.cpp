#include "ui/list_file/list_file_appender.h"

#include <cerrno>
#include <system_error>
#include <utility>

#include "ui/list_records.h"

namespace ui {
namespace {

// Waiting records are flushed once they take this much memory, and a record
// this long is written at once rather than copied.
constexpr std::size_t kMostWaiting = 256 * 1024;

// The whole records among the first handed bytes of parts: every record ends
// in LF, and none holds one before its end.
struct WholeRecords {
  std::size_t bytes = 0;
  std::int64_t count = 0;
};
WholeRecords wholeRecords(std::initializer_list<std::string_view> parts, std::size_t handed) {
  WholeRecords whole;
  std::size_t at = 0;
  for (const std::string_view part : parts) {
    for (std::size_t i = 0; i < part.size() && at < handed; ++i) {
      if (part[i] == '\n') whole = {at + 1, whole.count + 1};
      ++at;
    }
  }
  return whole;
}

}  // namespace

ListFileAppender::ListFileAppender(std::string path, FileIdentity input)
    : path_(std::move(path)), input_(input) {}

void ListFileAppender::open() {
  file_.emplace(path_);
  if (file_->identity() == input_) {
    file_.reset();
    throw std::system_error(EINVAL, std::generic_category(), "output list file is the input");
  }
}

void ListFileAppender::add(std::string_view line) {
  if (!file_) open();
  if (line.size() >= kMostWaiting) {
    flush();
    write({line, kRecordEnding}, 1);
    return;
  }
  waiting_.append(line).append(kRecordEnding);
  ++waitingRecords_;
  if (waiting_.size() >= kMostWaiting) flush();
}

void ListFileAppender::flush() {
  if (waitingRecords_ == 0) return;
  const std::int64_t records = std::exchange(waitingRecords_, 0);
  try {
    if (!file_->isNamedBy(path_)) {
      file_->sync();
      file_->close();
      file_.reset();
      open();
    }
    write({waiting_}, records);
  } catch (...) {
    waiting_.clear();
    throw;
  }
  waiting_.clear();
}

void ListFileAppender::write(std::initializer_list<std::string_view> parts, std::int64_t records) {
  std::size_t handed = 0;
  for (const std::string_view part : parts) {
    const OutputFile::Appended appended = file_->append(part);
    handed += appended.bytes;
    if (!appended.error) continue;
    // The file ends where this write stopped: cut off the part of a record
    // that reached it, keep and count the whole ones.
    const WholeRecords whole = wholeRecords(parts, handed);
    if (whole.bytes < handed) file_->truncate(file_->size() - (handed - whole.bytes));
    written_ += whole.count;
    throw std::system_error(appended.error, "append to list file");
  }
  written_ += records;
}

void ListFileAppender::sync() {
  if (file_) file_->sync();
}

void ListFileAppender::close() {
  if (!file_) return;
  flush();
  file_->sync();
  file_->close();
  file_.reset();
}

}  // namespace ui
