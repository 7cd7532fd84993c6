// Makes the window as the program does, with its resources, and checks that
// every caption fits its control as the control lays it out, and that the
// captions have the face expected: 宋体 where the system has it, else the
// window's own Song face. Prints every caption's width and room; exits with
// 1 when one does not fit or has another face.
//
// Usage: caption_fit_test.exe FACE   (under wine, on an X server)
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cwchar>

#include "ui/win32/control_table.h"
#include "ui/win32/convert_form.h"
#include "ui/win32/system_library.h"
#include "ui/win32/utf16.h"

namespace {

using namespace ui::win32;

// The room a push button leaves its caption: its edge and its focus
// rectangle on each side.
int pushButtonRoom(int width) {
  return width - 2 * (GetSystemMetrics(SM_CXEDGE) + 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::printf("usage: caption_fit_test.exe FACE\n");
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const auto initCommonControls =
      systemFunction<decltype(&InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx");
  const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
  if (initCommonControls != nullptr) initCommonControls(&classes);

  ui::ConvertForm form(GetModuleHandleW(nullptr));
  const HWND window = FindWindowW(L"MorvaneConvertForm", L"Morvane");
  int failures = 0;
  for (const ControlSpec& row : kControls) {
    // Edit boxes hold the user's text; the boxes' hidden names have no place.
    if (*row.caption == L'\0' || row.width == 0) continue;
    const HWND control = GetDlgItem(window, row.id);
    const HDC dc = GetDC(control);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, face);
    const bool isStatic = std::wcscmp(row.className, L"STATIC") == 0;
    RECT text{};
    DrawTextW(dc, row.caption, -1, &text,
              DT_CALCRECT | DT_SINGLELINE | (isStatic ? DT_NOPREFIX : 0));
    ReleaseDC(control, dc);
    RECT client{};
    GetClientRect(control, &client);

    int need = text.right;
    int room = client.right;
    if ((row.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON && !isStatic) {
      // The button's own measure: its indicator, the gap and the caption.
      SIZE ideal{};
      SendMessageW(control, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal));
      need = ideal.cx;
    } else if ((row.style & BS_TYPEMASK) == BS_PUSHBUTTON && !isStatic) {
      room = pushButtonRoom(client.right);
    }
    const bool fits = need <= room;
    const bool sameFace = std::wcscmp(face, argv[1]) == 0;
    std::printf("%-34s %3d px of %3d in %s%s\n", toUtf8(row.caption).c_str(), need, room,
                toUtf8(face).c_str(), fits && sameFace ? "" : "   <- wrong");
    failures += fits && sameFace ? 0 : 1;
  }
  return failures == 0 ? 0 : 1;
}
