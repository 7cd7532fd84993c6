#include "ui/list_file_appender.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace ui {

ListFileAppender::ListFileAppender(const std::string& path)
    : fd_(open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666)) {
  if (fd_ < 0) throw std::system_error(errno, std::generic_category(), "open " + path);
  struct stat status {};
  if (fstat(fd_, &status) != 0) {
    const int error = errno;
    ::close(fd_);
    throw std::system_error(error, std::generic_category(), "fstat " + path);
  }
  identity_ = {status.st_dev, status.st_ino};
  length_ = status.st_size;
  regularFile_ = S_ISREG(status.st_mode);
}

ListFileAppender::~ListFileAppender() {
  if (fd_ >= 0) ::close(fd_);
}

void ListFileAppender::appendLine(std::string_view line) {
  std::string record;
  record.reserve(line.size() + 2);
  record.append(line).append("\r\n");
  ssize_t written;
  do {
    written = write(fd_, record.data(), record.size());
  } while (written < 0 && errno == EINTR);
  if (written < 0) cutBackAndThrow(errno);
  // A short write means the disk is full or the file at its size limit: the
  // rest would not fit either.
  if (static_cast<std::size_t>(written) != record.size()) cutBackAndThrow(EIO);
  length_ += written;
}

void ListFileAppender::cutBackAndThrow(int error) {
  if (regularFile_ && ftruncate(fd_, length_) != 0) {
    throw std::system_error(errno, std::generic_category(), "cut back list file");
  }
  throw std::system_error(error, std::generic_category(), "append to list file");
}

void ListFileAppender::close() {
  const int fd = fd_;
  fd_ = -1;  // even a failed close releases the descriptor
  if (::close(fd) != 0) throw std::system_error(errno, std::generic_category(), "close list file");
}

}  // namespace ui
