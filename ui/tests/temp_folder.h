// A fresh folder for one test's files, removed with everything in it. Names
// and paths are UTF-8, as the list-file operations take them, on Windows too.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

class TempFolder {
 public:
  TempFolder() {
    std::random_device random;
    do {
      root_ = std::filesystem::temp_directory_path() / ("morvane-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(root_));
  }
  ~TempFolder() { std::filesystem::remove_all(root_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string path(const std::string& name) const { return utf8(root_ / fromUtf8(name)); }

  std::string write(const std::string& name, const std::string& bytes) const {
    std::ofstream(root_ / fromUtf8(name), std::ios::binary) << bytes;
    return path(name);
  }

  // The file's bytes; "<missing>" when there is no such file.
  std::string read(const std::string& name) const {
    std::ifstream file(root_ / fromUtf8(name), std::ios::binary);
    if (!file) return "<missing>";
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  // A path from UTF-8 (std::string would mean the ANSI code page on Windows),
  // and back.
  static std::filesystem::path fromUtf8(const std::string& text) {
    return std::u8string(text.begin(), text.end());
  }
  static std::string utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
  }

 private:
  std::filesystem::path root_;
};
