// A fresh folder for one test's files, removed with everything in it.
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

  std::string path(const std::string& name) const { return (root_ / name).string(); }

  std::string write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
    return path(name);
  }

  // The file's bytes; "<missing>" when there is no such file.
  std::string read(const std::string& name) const {
    std::ifstream file(path(name), std::ios::binary);
    if (!file) return "<missing>";
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path root_;
};
