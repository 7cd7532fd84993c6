#include "ui/win32/dpi.h"

#include "ui/win32/system_library.h"

namespace ui::win32 {
namespace {

// The headers for Windows 7 declare neither.
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND window);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT* rect, DWORD style, BOOL menu,
                                                       DWORD exStyle, UINT dpi);

UINT systemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

UINT windowDpi(HWND window, HMODULE user32) {
  const auto getDpiForWindow = functionIn<GetDpiForWindowFunction>(user32, "GetDpiForWindow");
  if (getDpiForWindow != nullptr) {
    if (const UINT dpi = getDpiForWindow(window); dpi != 0) return dpi;
  }
  return systemDpi();
}

SIZE windowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi, HMODULE user32) {
  RECT frame{0, 0, client.cx, client.cy};
  const auto adjustForDpi =
      functionIn<AdjustWindowRectExForDpiFunction>(user32, "AdjustWindowRectExForDpi");
  if (adjustForDpi != nullptr) {
    adjustForDpi(&frame, style, FALSE, exStyle, dpi);
  } else {
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

HMODULE user32Module() {
  return GetModuleHandleW(L"user32.dll");
}

}  // namespace ui::win32
