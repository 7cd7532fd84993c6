// The few things list files need from the system, one implementation per
// platform: posix_file.cpp (open, read, write, fsync) and win32_file.cpp
// (CreateFileW, ReadFile, WriteFile, FlushFileBuffers). Paths are UTF-8
// everywhere above this layer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <future>
#include <string>
#include <string_view>
#include <system_error>

namespace ui {

// Whether path names an existing ordinary file, following symbolic links. A
// folder, a device, a path that cannot be looked up, and on Windows a file
// marked hidden or system, is not a list file.
bool isListFile(const std::string& path);

// A file on disk, whatever name or link it was opened through: the device and
// inode on POSIX, the volume serial number and file index on Windows.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;

  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// A file open for reading from its start.
class InputFile {
 public:
  // Throws std::system_error when path cannot be opened.
  explicit InputFile(const std::string& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Reads up to size bytes into buffer; 0 at the end of the file. Throws
  // std::system_error when the file cannot be read.
  std::size_t read(char* buffer, std::size_t size);

  FileIdentity identity() const { return identity_; }

 private:
  std::intptr_t handle_;
  FileIdentity identity_;
};

// A file open for appending: every write goes to its end, and nothing it held
// before is ever replaced.
class OutputFile {
 public:
  // Opens path for appending; creates it when missing, never truncates it.
  // Throws std::system_error when it cannot.
  explicit OutputFile(const std::string& path);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  FileIdentity identity() const { return identity_; }

  // Whether path still names this open file: false once the file has been
  // moved, deleted or replaced by another under that name.
  bool isNamedBy(const std::string& path) const;

  // What an append handed to the file: every byte, or fewer and why not.
  struct Appended {
    std::size_t bytes = 0;
    std::error_code error;
  };
  // Appends bytes at the end of the file, going on after short writes until
  // all are written or the system refuses more (a full disk, a size limit).
  // On POSIX, every few mebibytes appended also start a data sync on a thread
  // of its own, which the run does not wait for, so that sync at the end
  // finds little left to do.
  Appended append(std::string_view bytes);

  // The file's length in bytes. Throws std::system_error.
  std::uint64_t size() const;

  // Cuts the file back to length bytes. Throws std::system_error.
  void truncate(std::uint64_t length);

  // Puts what the file holds on its device (fsync, FlushFileBuffers), and on
  // POSIX, when this open created the file, its entry in the folder too: after
  // it returns, a power cut keeps the file. A device or pipe, which has nothing
  // to put there, is no failure. Throws std::system_error.
  void sync();

  // When set, sync calls this in place of each system call that puts data on
  // the device, and takes its answer, and append starts no early sync: tests
  // fail or watch syncs with it, and a benchmark leaves them out. The program
  // never sets it.
  static inline std::function<std::error_code()> syncHook;

  // Closes the file. Throws std::system_error when the system reports that
  // the data could not be kept; the file is closed all the same.
  void close();

 private:
  std::intptr_t handle_;
  FileIdentity identity_;
  // POSIX: the folder this open created the file in, until sync has put the
  // file's entry there on the device; empty otherwise.
  std::string newEntryIn_;
  // POSIX: bytes appended since the last early sync started; that sync,
  // running or done; and the first failure of one, which sync reports.
  void startEarlySync();
  void finishEarlySync();
  std::size_t appendedSinceEarlySync_ = 0;
  std::future<std::error_code> earlySync_;
  std::error_code earlySyncError_;
};

}  // namespace ui
