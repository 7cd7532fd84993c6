#include "ui/win32/system_library.h"

namespace ui::win32 {
namespace {

// The headers for Windows 7 declare neither of these: both came with update
// KB2533623 and are part of Windows 8 and later.
constexpr DWORD kLoadLibrarySearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD directoryFlags);

}  // namespace

void restrictDllSearch() {
  // kernel32 is loaded in every process, so looking in it loads nothing.
  const auto setDefaultDllDirectories = functionIn<SetDefaultDllDirectoriesFunction>(
      GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  if (setDefaultDllDirectories != nullptr) setDefaultDllDirectories(kLoadLibrarySearchSystem32);
  // An empty folder replaces the current folder in the search order.
  SetDllDirectoryW(L"");
}

HMODULE loadSystemLibrary(const wchar_t* name) {
  // The manifest's redirection to comctl32 version 6 applies to this load as
  // to any other: it comes before the search of folders.
  const HMODULE module = LoadLibraryExW(name, nullptr, kLoadLibrarySearchSystem32);
  if (module != nullptr || GetLastError() != ERROR_INVALID_PARAMETER) return module;
  // A Windows 7 without KB2533623 knows no search flags. There the DLLs this
  // program loads are known DLLs or redirected by its manifest, and
  // restrictDllSearch has taken the current folder out of the search; what
  // they load in turn may still come from the program's folder, which only
  // that update prevents.
  return LoadLibraryW(name);
}

}  // namespace ui::win32
