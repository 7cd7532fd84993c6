#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <system_error>

#include "ui/list_file/system_file.h"

namespace ui {
namespace {

// Others may read, write, rename and delete a list file while it is open, as
// they may on POSIX.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// ReadFile and WriteFile take at most a DWORD of bytes at a time.
constexpr std::size_t kLargestTransfer = 1 << 30;

// Throws the last error; what, and the path, say what failed. The error is
// read first, before anything else can set it.
[[noreturn]] void fail(const char* what, const std::string& path = "") {
  const DWORD error = GetLastError();
  throw std::system_error(static_cast<int>(error), std::system_category(),
                          path.empty() ? what : what + (" " + path));
}

HANDLE handleOf(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

// path in UTF-16 for the system; nothing when it is not UTF-8 or holds a NUL,
// which would cut it short.
std::optional<std::wstring> widePath(const std::string& path) {
  if (path.empty()) return std::wstring();
  if (path.find('\0') != std::string::npos) return std::nullopt;
  const int size = static_cast<int>(path.size());
  const int length =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, nullptr, 0);
  if (length == 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path.data(), size, wide.data(), length);
  return wide;
}

// Opens path with CreateFileW; INVALID_HANDLE_VALUE and GetLastError() when it
// cannot.
HANDLE openPath(const std::string& path, DWORD access, DWORD disposition, DWORD flags) {
  const std::optional<std::wstring> wide = widePath(path);
  if (!wide) {
    SetLastError(ERROR_INVALID_NAME);
    return INVALID_HANDLE_VALUE;
  }
  return CreateFileW(wide->c_str(), access, kShareAll, nullptr, disposition, flags, nullptr);
}

std::intptr_t openOrFail(const std::string& path, DWORD access, DWORD disposition, DWORD flags) {
  const HANDLE handle = openPath(path, access, disposition, flags);
  if (handle == INVALID_HANDLE_VALUE) fail("open", path);
  return reinterpret_cast<std::intptr_t>(handle);
}

FileIdentity identityOf(const BY_HANDLE_FILE_INFORMATION& information) {
  return {information.dwVolumeSerialNumber,
          (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow};
}

// The identity of an open file; closes it when that cannot be read, for the
// constructor that asks is about to fail.
FileIdentity identityOrClose(std::intptr_t handle) {
  BY_HANDLE_FILE_INFORMATION information{};
  if (!GetFileInformationByHandle(handleOf(handle), &information)) {
    const DWORD error = GetLastError();
    CloseHandle(handleOf(handle));
    throw std::system_error(static_cast<int>(error), std::system_category(), "identify list file");
  }
  return identityOf(information);
}

// What path names, following symbolic links, with the identity and the
// attributes of the file or folder; nothing when it cannot be looked up.
struct Named {
  DWORD type = FILE_TYPE_UNKNOWN;
  BY_HANDLE_FILE_INFORMATION information{};
};
std::optional<Named> lookUp(const std::string& path) {
  // Reading attributes needs no share access, and the backup flag lets
  // folders open too.
  const HANDLE handle =
      openPath(path, FILE_READ_ATTRIBUTES, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
  if (handle == INVALID_HANDLE_VALUE) return std::nullopt;
  Named named;
  named.type = GetFileType(handle);
  const bool known = GetFileInformationByHandle(handle, &named.information);
  CloseHandle(handle);
  if (!known) return std::nullopt;
  return named;
}

}  // namespace

bool isListFile(const std::string& path) {
  // Files marked hidden or system are out of sight, as in Explorer and the
  // file dialogs.
  constexpr DWORD kNotAListFile = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE |
                                  FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  const std::optional<Named> named = lookUp(path);
  return named && named->type == FILE_TYPE_DISK &&
         (named->information.dwFileAttributes & kNotAListFile) == 0;
}

InputFile::InputFile(const std::string& path)
    : handle_(openOrFail(path, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN)),
      identity_(identityOrClose(handle_)) {}

InputFile::~InputFile() {
  CloseHandle(handleOf(handle_));
}

std::size_t InputFile::read(char* buffer, std::size_t size) {
  DWORD count = 0;
  if (!ReadFile(handleOf(handle_), buffer, static_cast<DWORD>(std::min(size, kLargestTransfer)),
                &count, nullptr)) {
    fail("read list file");
  }
  return count;
}

// Cutting the file back needs FILE_WRITE_DATA besides FILE_APPEND_DATA. With
// it a plain write would go to the handle's file pointer, so append asks for
// the file's end with every write.
OutputFile::OutputFile(const std::string& path)
    : handle_(openOrFail(path,
                         FILE_APPEND_DATA | FILE_WRITE_DATA | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                         OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL)),
      identity_(identityOrClose(handle_)) {}

OutputFile::~OutputFile() {
  if (handle_ != -1) CloseHandle(handleOf(handle_));
}

bool OutputFile::isNamedBy(const std::string& path) const {
  const std::optional<Named> named = lookUp(path);
  return named && identityOf(named->information) == identity_;
}

OutputFile::Appended OutputFile::append(std::string_view bytes) {
  Appended appended;
  while (appended.bytes < bytes.size()) {
    // Both offset halves 0xFFFFFFFF: the system writes at the file's end as
    // it stands at this write.
    OVERLAPPED atEnd{};
    atEnd.Offset = 0xFFFFFFFF;
    atEnd.OffsetHigh = 0xFFFFFFFF;
    const std::size_t size = std::min(bytes.size() - appended.bytes, kLargestTransfer);
    DWORD written = 0;
    if (!WriteFile(handleOf(handle_), bytes.data() + appended.bytes, static_cast<DWORD>(size),
                   &written, &atEnd)) {
      appended.error = std::error_code(static_cast<int>(GetLastError()), std::system_category());
      break;
    }
    if (written == 0) {
      // A write that takes nothing without an error would take nothing again.
      appended.error = std::error_code(ERROR_WRITE_FAULT, std::system_category());
      break;
    }
    appended.bytes += written;
  }
  return appended;
}

std::uint64_t OutputFile::size() const {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handleOf(handle_), &size)) fail("size of list file");
  return static_cast<std::uint64_t>(size.QuadPart);
}

void OutputFile::truncate(std::uint64_t length) {
  LARGE_INTEGER end{};
  end.QuadPart = static_cast<LONGLONG>(length);
  if (!SetFilePointerEx(handleOf(handle_), end, nullptr, FILE_BEGIN) ||
      !SetEndOfFile(handleOf(handle_))) {
    fail("cut back list file");
  }
}

void OutputFile::sync() {
  // Only a file on a disk has data to put there: FlushFileBuffers refuses the
  // NUL device and consoles. Its folder entry goes with the file's metadata.
  if (GetFileType(handleOf(handle_)) != FILE_TYPE_DISK) return;
  if (syncHook) {
    if (const std::error_code error = syncHook()) throw std::system_error(error, "sync list file");
    return;
  }
  if (!FlushFileBuffers(handleOf(handle_))) fail("sync list file");
}

void OutputFile::close() {
  const HANDLE handle = handleOf(handle_);
  handle_ = -1;  // even a failed close releases the handle
  if (!CloseHandle(handle)) fail("close list file");
}

}  // namespace ui
