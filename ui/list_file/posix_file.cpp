#include "ui/list_file/system_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <system_error>

namespace ui {

bool isListFile(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

FileIdentity identityOf(int fd) {
  struct stat status {};
  if (fstat(fd, &status) != 0) throw std::system_error(errno, std::generic_category(), "fstat");
  return {status.st_dev, status.st_ino};
}

}  // namespace ui
