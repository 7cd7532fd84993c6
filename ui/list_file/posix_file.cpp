#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "ui/list_file/system_file.h"

namespace ui {
namespace {

[[noreturn]] void fail(const std::string& what) {
  throw std::system_error(errno, std::generic_category(), what);
}

int fdOf(std::intptr_t handle) {
  return static_cast<int>(handle);
}

// The folder that holds path's last name: its entry for the file is there.
std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Once this many bytes have been appended, the system is asked to start
// writing them to the device, so that sync at the end of a long run has
// little left to wait for: at most this, and the file's metadata.
constexpr std::size_t kWriteOutStep = 1024 * 1024;

// fsync's answer for fd, or the hook's in its place.
std::error_code syncCall(int fd) {
  if (OutputFile::syncHook) return OutputFile::syncHook();
  int result;
  do {
    result = fsync(fd);
  } while (result != 0 && errno == EINTR);
  return result == 0 ? std::error_code() : std::error_code(errno, std::generic_category());
}

// Whether a sync failed. fsync answers EINVAL or EROFS for a file that has
// nothing to put on a device: /dev/null and other devices, pipes, sockets.
bool syncFailed(std::error_code error) {
  return error && error != std::errc::invalid_argument && error != std::errc::read_only_file_system;
}

FileIdentity identityOf(const struct stat& status) {
  return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
}

// Opens path, failing with std::system_error.
std::intptr_t openFile(const std::string& path, int flags) {
  const int fd = open(path.c_str(), flags | O_CLOEXEC, 0666);
  if (fd < 0) fail("open " + path);
  return fd;
}

// The identity of an open file; closes it when that cannot be read, for the
// constructor that asks is about to fail.
FileIdentity identityOrClose(std::intptr_t handle) {
  struct stat status {};
  if (fstat(fdOf(handle), &status) != 0) {
    const int error = errno;
    ::close(fdOf(handle));
    throw std::system_error(error, std::generic_category(), "fstat list file");
  }
  return identityOf(status);
}

}  // namespace

bool isListFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

InputFile::InputFile(const std::string& path)
    : handle_(openFile(path, O_RDONLY)), identity_(identityOrClose(handle_)) {}

InputFile::~InputFile() {
  ::close(fdOf(handle_));
}

std::size_t InputFile::read(char* buffer, std::size_t size) {
  ssize_t count;
  do {
    count = ::read(fdOf(handle_), buffer, size);
  } while (count < 0 && errno == EINTR);
  if (count < 0) fail("read list file");
  return static_cast<std::size_t>(count);
}

OutputFile::OutputFile(const std::string& path) : handle_(-1) {
  // Made by this open, the file has a new entry in its folder for sync to put
  // on the device; O_EXCL tells. When the name exists, it is opened as it is:
  // a file, or a link, which O_EXCL never follows (one to a missing file makes
  // it, in a folder not looked for here).
  int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd >= 0) {
    newEntryIn_ = folderOf(path);
  } else if (errno == EEXIST) {
    fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  }
  if (fd < 0) fail("open " + path);
  handle_ = fd;
  identity_ = identityOrClose(handle_);
}

OutputFile::~OutputFile() {
  if (handle_ >= 0) ::close(fdOf(handle_));
}

bool OutputFile::isNamedBy(const std::string& path) const {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && identityOf(status) == identity_;
}

OutputFile::Appended OutputFile::append(std::string_view bytes) {
  Appended appended;
  while (appended.bytes < bytes.size()) {
    const ssize_t written =
        write(fdOf(handle_), bytes.data() + appended.bytes, bytes.size() - appended.bytes);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      // A write that takes nothing without an error would take nothing again.
      appended.error = std::error_code(written < 0 ? errno : EIO, std::generic_category());
      break;
    }
    appended.bytes += static_cast<std::size_t>(written);
  }
  appendedSinceWriteOut_ += appended.bytes;
  if (appendedSinceWriteOut_ >= kWriteOutStep && !syncHook) {
    appendedSinceWriteOut_ = 0;
#ifdef __linux__
    // Starts writing every dirty page of the file, waiting for none: no sync.
    sync_file_range(fdOf(handle_), 0, 0, SYNC_FILE_RANGE_WRITE);
#endif
  }
  return appended;
}

std::uint64_t OutputFile::size() const {
  struct stat status {};
  if (fstat(fdOf(handle_), &status) != 0) fail("fstat list file");
  return static_cast<std::uint64_t>(status.st_size);
}

void OutputFile::truncate(std::uint64_t length) {
  if (ftruncate(fdOf(handle_), static_cast<off_t>(length)) != 0) fail("cut back list file");
}

void OutputFile::sync() {
  if (const std::error_code error = syncCall(fdOf(handle_)); syncFailed(error)) {
    throw std::system_error(error, "sync list file");
  }
  if (newEntryIn_.empty()) return;
  const int folder = open(newEntryIn_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) fail("open folder " + newEntryIn_);
  const std::error_code error = syncCall(folder);
  ::close(folder);
  if (syncFailed(error)) throw std::system_error(error, "sync folder " + newEntryIn_);
  newEntryIn_.clear();
}

void OutputFile::close() {
  const int fd = fdOf(handle_);
  handle_ = -1;  // even a failed close releases the descriptor
  if (::close(fd) != 0) fail("close list file");
}

}  // namespace ui
