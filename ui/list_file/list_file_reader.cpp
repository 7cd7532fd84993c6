#include "ui/list_file/list_file_reader.h"

#include <cerrno>
#include <system_error>

namespace ui {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

ListFileReader::ListFileReader(const std::string& path) : file_(path) {}

std::optional<std::string_view> ListFileReader::nextLine() {
  for (;;) {
    if (const std::optional<std::string_view> line = lines_.nextLine()) return line;
    if (lines_.tooLong()) {
      throw std::system_error(EFBIG, std::generic_category(), "list line too long");
    }
    if (lines_.done()) return std::nullopt;
    const std::span<char> room = lines_.room(kBlockSize / 2);
    const std::size_t count = file_.read(room.data(), room.size());
    if (count == 0) {
      lines_.finish();
    } else {
      lines_.added(count);
    }
  }
}

}  // namespace ui
