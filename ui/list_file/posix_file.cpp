#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <future>
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

// Putting data on the device takes about a millisecond a mebibyte here, as
// long as a run takes to convert it. Once this many bytes have been appended,
// a data sync starts on a thread of its own while the run goes on, so that
// the sync at the end of a long run waits for little more than the last few.
constexpr std::size_t kEarlySyncStep = 4 * 1024 * 1024;

// The answer of a sync call on fd (fsync or fdatasync), going on after signals.
std::error_code syncAnswer(int (*call)(int), int fd) {
  int result;
  do {
    result = call(fd);
  } while (result != 0 && errno == EINTR);
  return result == 0 ? std::error_code() : std::error_code(errno, std::generic_category());
}

// fsync's answer for fd, or the hook's in its place.
std::error_code syncCall(int fd) {
  if (OutputFile::syncHook) return OutputFile::syncHook();
  return syncAnswer(fsync, fd);
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
  // An early sync must not outlive the descriptor it syncs.
  if (earlySync_.valid()) earlySync_.wait();
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
  appendedSinceEarlySync_ += appended.bytes;
  if (appendedSinceEarlySync_ >= kEarlySyncStep && !syncHook) startEarlySync();
  return appended;
}

void OutputFile::startEarlySync() {
  if (earlySync_.valid()) {
    // One at a time: while one runs, the next waits for a later append.
    if (earlySync_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    finishEarlySync();
  }
  appendedSinceEarlySync_ = 0;
  earlySync_ = std::async(std::launch::async, syncAnswer, fdatasync, fdOf(handle_));
}

// Waits for the early sync, if one was started, and keeps its failure: the
// system reports a failure to put data on the device once, to whichever sync
// call comes first.
void OutputFile::finishEarlySync() {
  if (!earlySync_.valid()) return;
  const std::error_code error = earlySync_.get();
  if (!earlySyncError_) earlySyncError_ = error;
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
  finishEarlySync();
  if (syncFailed(earlySyncError_)) throw std::system_error(earlySyncError_, "sync list file");
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
  if (earlySync_.valid()) earlySync_.wait();
  const int fd = fdOf(handle_);
  handle_ = -1;  // even a failed close releases the descriptor
  if (::close(fd) != 0) fail("close list file");
}

}  // namespace ui
