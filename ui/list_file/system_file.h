// What the reader and the appender of list files share: the test that a path
// names a list file, and the identity that tells two open files apart.
#pragma once

#include <sys/types.h>

#include <string>

namespace ui {

// Whether path names an existing regular file, following symbolic links. A
// directory, a device or a path that cannot be looked up is not a list file.
bool isListFile(const std::string& path);

// A file on disk, whatever name or link it was opened through.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;

  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of an open file descriptor. Throws std::system_error.
FileIdentity identityOf(int fd);

}  // namespace ui
