// The window's DPI and frame with and without user32's functions of Windows
// 10, and DLLs of Windows loaded from the system folder only.
#include <windows.h>

#include <commdlg.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "ui/win32/dpi.h"
#include "ui/win32/system_library.h"

// Stand-ins for user32's functions of Windows 10, exported by this program
// (under their plain names: it links with --kill-at), so that a test can hand
// its own module where user32 goes. The headers for Windows 7 declare neither.
extern "C" __declspec(dllexport) UINT WINAPI GetDpiForWindow(HWND) {
  return 144;
}
extern "C" __declspec(dllexport) BOOL WINAPI
    AdjustWindowRectExForDpi(RECT* rect, DWORD, BOOL, DWORD, UINT dpi) {
  // A frame dpi / 12 wide on every side.
  InflateRect(rect, static_cast<int>(dpi / 12), static_cast<int>(dpi / 12));
  return TRUE;
}

namespace ui::win32 {
namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr SIZE kClient{362, 247};
constexpr UINT kMonitorDpi = 192;

UINT systemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

SIZE systemFrameSize() {
  RECT frame{0, 0, kClient.cx, kClient.cy};
  AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

TEST(Dpi, TakesUser32sFunctionsWhereItHasThemElseTheSystemsDpiAndFrame) {
  const HWND window = GetDesktopWindow();
  struct Case {
    const char* why;
    HMODULE user32;
    UINT dpi;
    SIZE size;
  };
  const Case cases[] = {
      {"Windows 10 1607 and later: the window's DPI, a frame sized for the monitor's",
       GetModuleHandleW(nullptr),
       144,
       {kClient.cx + 32, kClient.cy + 32}},
      {"Windows 7 to 8.1, which have neither function: the system's DPI and frame",
       GetModuleHandleW(L"kernel32.dll"), systemDpi(), systemFrameSize()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(windowDpi(window, c.user32), c.dpi);
    const SIZE size = windowSizeForClient(kClient, kStyle, 0, kMonitorDpi, c.user32);
    EXPECT_EQ(size.cx, c.size.cx);
    EXPECT_EQ(size.cy, c.size.cy);
  }
}

std::filesystem::path programFolder() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
  return std::filesystem::path(path).parent_path();
}

// morvane_planted.dll lies beside this program (the build puts it there) and
// leaves a marker when it is loaded.
TEST(SystemLibrary, FindsNoDllBesideTheProgramOrInTheCurrentFolder) {
  const std::filesystem::path beside = programFolder() / L"morvane_planted.dll";
  ASSERT_TRUE(std::filesystem::exists(beside));
  const std::filesystem::path current = std::filesystem::temp_directory_path() /
                                        (L"morvane-" + std::to_wstring(GetCurrentProcessId()));
  std::filesystem::create_directories(current);
  std::filesystem::copy_file(beside, current / L"morvane_planted_current.dll",
                             std::filesystem::copy_options::overwrite_existing);
  ASSERT_TRUE(SetCurrentDirectoryW(current.c_str()));

  struct Case {
    const char* why;
    std::filesystem::path dll;
  };
  const Case cases[] = {
      {"beside the program", beside},
      {"in the current folder", current / L"morvane_planted_current.dll"},
  };
  // Without the restriction the usual search finds both, and their marker shows it.
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    std::filesystem::path marker = c.dll;
    marker += L".loaded";
    std::filesystem::remove(marker);
    const HMODULE module = LoadLibraryW(c.dll.filename().c_str());
    ASSERT_NE(module, nullptr);
    FreeLibrary(module);
    EXPECT_TRUE(std::filesystem::exists(marker));
    std::filesystem::remove(marker);
  }

  restrictDllSearch();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(loadSystemLibrary(c.dll.filename().c_str()), nullptr);
    EXPECT_EQ(LoadLibraryW(c.dll.filename().c_str()), nullptr);
  }
  EXPECT_NE(loadSystemLibrary(L"comdlg32.dll"), nullptr);
  EXPECT_NE((systemFunction<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW")),
            nullptr);
  EXPECT_EQ((systemFunction<FARPROC>(L"comdlg32.dll", "NoSuchFunction")), nullptr);

  SetCurrentDirectoryW(programFolder().c_str());
  std::filesystem::remove_all(current);
}

}  // namespace
}  // namespace ui::win32
