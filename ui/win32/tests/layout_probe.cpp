// Reads the places of the open Morvane window's controls and compares them
// with the control table scaled to the DPI given on the command line: the
// client area and every control, each edge within a pixel. Prints what is
// off; exits with 1 when anything is.
//
// Usage: layout_probe.exe DPI   (under wine, while morvane.exe runs)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "ui/win32/control_table.h"

namespace {

int failures = 0;

void expectNear(int id, const char* what, int actual, int expected) {
  if (std::abs(actual - expected) <= 1) return;
  std::printf("control %d: %s is %d, not %d\n", id, what, actual, expected);
  ++failures;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // Unless the probe is DPI aware itself, the system scales what it reports.
  SetProcessDPIAware();
  const int dpi = argc > 1 ? std::wcstol(argv[1], nullptr, 10) : 96;
  const HWND window = FindWindowW(L"MorvaneConvertForm", L"Morvane");
  if (window == nullptr) {
    std::printf("no Morvane window\n");
    return 1;
  }
  const auto scaled = [dpi](int pixels) { return MulDiv(pixels, dpi, 96); };

  RECT client{};
  GetClientRect(window, &client);
  expectNear(0, "client width", client.right, scaled(ui::win32::kClientWidth));
  expectNear(0, "client height", client.bottom, scaled(ui::win32::kClientHeight));
  int checked = 0;
  for (const ui::win32::ControlSpec& row : ui::win32::kControls) {
    if (row.width == 0) continue;  // the hidden names of the edit boxes have no place
    RECT place{};
    GetWindowRect(GetDlgItem(window, row.id), &place);
    MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&place), 2);
    expectNear(row.id, "left", place.left, scaled(row.left));
    expectNear(row.id, "top", place.top, scaled(row.top));
    expectNear(row.id, "width", place.right - place.left, scaled(row.width));
    expectNear(row.id, "height", place.bottom - place.top, scaled(row.height));
    ++checked;
  }
  std::printf("layout at %d dpi: client %ldx%ld, %d controls checked, %d places off\n", dpi,
              client.right, client.bottom, checked, failures);
  return failures == 0 ? 0 : 1;
}
