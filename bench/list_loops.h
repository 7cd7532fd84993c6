// What the batch benchmarks share: a list file like the ones users convert,
// and the loops a run is measured against, from the slowest way to write its
// records to the limit of reading, converting and writing with no window.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "engine/isbn.h"

namespace bench {

// What list files hold: barcodes, hyphenated ISBN-10 and ISBN-13 with spaces,
// numbers of the Chinese-language groups and of others, and junk, including a
// book title in GBK and lines too short to be records.
inline constexpr std::array<std::string_view, 16> kLines = {
    "9787111123457",
    "7-111-12345-X",
    " 978-7-04-012345-6 ",
    "9789574312344",
    "957-2001-23-X",
    "\t9789628501236",
    "0-306-40615-2",
    "978-7-80012-345-0  ",
    "ISBN 978-7-111",
    "711112345",
    "978 7 111 12345 3",
    "",
    "12345",
    "\xCF\xD6\xB4\xFA\xBA\xBA\xD3\xEF\xB4\xCA\xB5\xE4",  // 现代汉语词典
    "9789886001233",
    "7-900123-45-8",
};

// Writes a list of the given number of CR LF lines, streamed.
inline void writeList(const std::string& path, std::int64_t lines) {
  std::ofstream list(path, std::ios::binary);
  for (std::int64_t i = 0; i < lines; ++i) list << kLines[i % kLines.size()] << "\r\n";
}

// The records among the first lines of such a list.
inline std::int64_t recordsIn(std::int64_t lines) {
  std::int64_t records = 0;
  for (std::int64_t i = 0; i < lines; ++i) records += kLines[i % kLines.size()].size() > 5;
  return records;
}

inline constexpr std::string_view kRecord = "978-7-111-12345-3\r\n";

inline int openForAppend(const std::string& path) {
  return open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
}

// Opens the output, writes one record and closes it, for every record.
inline bool openWriteClosePerRecord(const std::string& output, std::int64_t records) {
  for (std::int64_t i = 0; i < records; ++i) {
    const int fd = openForAppend(output);
    if (fd < 0 || write(fd, kRecord.data(), kRecord.size()) < 0 || close(fd) != 0) return false;
  }
  return true;
}

// One descriptor, one write per record.
inline bool writePerRecord(const std::string& output, std::int64_t records) {
  const int fd = openForAppend(output);
  bool ok = fd >= 0;
  for (std::int64_t i = 0; ok && i < records; ++i) {
    ok = write(fd, kRecord.data(), kRecord.size()) == std::ssize(kRecord);
  }
  return close(fd) == 0 && ok;
}

// Reads the list in 64 KiB blocks, converts every record and writes the
// results through a 64 KiB buffer: the work of a run without any window.
// Lines are split at LF alone and a record is any line over five bytes, which
// for these lists gives the records a run finds. Returns the records written.
inline std::int64_t readConvertWrite(const std::string& input, const std::string& output) {
  constexpr std::size_t kBlock = 64 * 1024;
  const int in = open(input.c_str(), O_RDONLY | O_CLOEXEC);
  const int out = openForAppend(output);
  std::string block(kBlock, '\0');
  std::string line;
  std::string written;
  std::int64_t records = 0;
  const auto flushIfFull = [&](bool force) {
    if (written.size() >= kBlock || (force && !written.empty())) {
      if (write(out, written.data(), written.size()) < 0) records = -1;
      written.clear();
    }
  };
  for (ssize_t count; (count = read(in, block.data(), kBlock)) > 0;) {
    std::string_view rest(block.data(), static_cast<std::size_t>(count));
    for (std::size_t end; (end = rest.find('\n')) != std::string_view::npos;) {
      line.append(rest.substr(0, end));
      rest.remove_prefix(end + 1);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.size() > 5) {
        const std::string result = engine::Convert(line, 13);
        written.append(result.empty() ? line : result).append("\r\n");
        ++records;
        flushIfFull(false);
      }
      line.clear();
    }
    line.append(rest);
  }
  flushIfFull(true);
  close(in);
  close(out);
  return records;
}

}  // namespace bench
