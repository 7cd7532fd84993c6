// The loops a batch run of morvane.exe is measured against on Windows: the
// output opened, written and closed for every record, one handle with one
// WriteFile per record, and one WriteFile of every record at once. Prints the
// records per second of each; bench/win32_batch.sh runs it beside the program.
//
// Usage: win32_loops OUTPUT RECORDS
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>

namespace {

constexpr std::string_view kRecord = "978-7-111-12345-3\r\n";

HANDLE openForAppend(const wchar_t* path) {
  return CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool writeAll(HANDLE file, std::string_view bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

bool openWriteClosePerRecord(const wchar_t* path, long records) {
  for (long i = 0; i < records; ++i) {
    const HANDLE file = openForAppend(path);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool written = writeAll(file, kRecord);
    if (!CloseHandle(file) || !written) return false;
  }
  return true;
}

bool writePerRecord(const wchar_t* path, long records) {
  const HANDLE file = openForAppend(path);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = true;
  for (long i = 0; written && i < records; ++i) written = writeAll(file, kRecord);
  return CloseHandle(file) && written;
}

bool oneWrite(const wchar_t* path, long records) {
  std::string all;
  for (long i = 0; i < records; ++i) all.append(kRecord);
  const HANDLE file = openForAppend(path);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = writeAll(file, all);
  return CloseHandle(file) && written;
}

void time(const char* name, const wchar_t* path, long records,
          const std::function<bool(const wchar_t*, long)>& loop) {
  DeleteFileW(path);
  const auto start = std::chrono::steady_clock::now();
  const bool ok = loop(path, records);
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  std::printf("%-28s %8ld records in %8.3f s: %12.0f records/s%s\n", name, records, seconds.count(),
              records / seconds.count(), ok ? "" : " (FAILED)");
  DeleteFileW(path);
}

}  // namespace

int wmain(int argc, wchar_t* argv[]) {
  if (argc != 3) {
    std::fputs("usage: win32_loops OUTPUT RECORDS\n", stderr);
    return 2;
  }
  const long records = std::wcstol(argv[2], nullptr, 10);
  // Opening the file for every record is so slow under wine that a tenth of
  // the records tells its rate.
  time("open+write+close per record", argv[1], records / 10, openWriteClosePerRecord);
  time("WriteFile per record", argv[1], records, writePerRecord);
  time("one WriteFile", argv[1], records, oneWrite);
  return 0;
}
