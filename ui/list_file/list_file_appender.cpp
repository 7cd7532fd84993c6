#include "ui/list_file/list_file_appender.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace ui {

ListFileAppender::ListFileAppender(const std::string& path)
    : fd_(open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666)) {
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "open " + path);
}

ListFileAppender::~ListFileAppender() {
  if (fd_ >= 0) ::close(fd_);
}

FileIdentity ListFileAppender::identity() const {
  return identityOf(fd_);
}

void ListFileAppender::appendLine(std::string_view line) {
  std::string record;
  record.reserve(line.size() + 2);
  record.append(line).append("\r\n");
  ssize_t written;
  do {
    written = write(fd_, record.data(), record.size());
  } while (written < 0 && errno == EINTR);
  if (written < 0) throw std::system_error(errno, std::generic_category(), "append to list file");
  if (static_cast<std::size_t>(written) == record.size()) return;

  // A short write means the disk is full or the file at its size limit: the
  // rest would not fit either. The write ended where the file offset stands.
  const off_t end = lseek(fd_, 0, SEEK_CUR);
  if (end < 0 || ftruncate(fd_, end - written) != 0) {
    throw std::system_error(errno, std::generic_category(), "cut back list file");
  }
  throw std::system_error(EIO, std::generic_category(), "short write to list file");
}

void ListFileAppender::close() {
  const int fd = fd_;
  fd_ = -1;  // even a failed close releases the descriptor
  if (::close(fd) != 0) throw std::system_error(errno, std::generic_category(), "close list file");
}

}  // namespace ui
