// The window's controls as data: class, caption, styles and place, in the
// order they are created. Creation order is the z-order, and the z-order is
// the Tab order that IsDialogMessageW follows, so the rows run in Tab order:
// Command1, Text2, Command2, Text1, Command3, Command4, the option group,
// Text3, Text4, Command5. The frame comes last, at the bottom of the z-order,
// so it never paints over the controls that sit inside it.
#pragma once

#include <windows.h>

#include <array>

namespace ui::win32 {

// Control identifiers. None is IDOK (1) or IDCANCEL (2), which
// IsDialogMessageW sends for Enter and Esc.
enum ControlId : int {
  kCommand1 = 101,
  kCommand2,
  kCommand3,
  kCommand4,
  kCommand5,
  kText1,
  kText2,
  kText3,
  kText4,
  kOption1,
  kOption2,
  kFrame1,
  kLabel2,
  kLabel3,
  kLine1,
  // Hidden labels that name the edit boxes for screen readers, which take an
  // edit box's name from the static text just before it in the z-order.
  kText1Name,
  kText2Name,
  kText3Name,
  kText4Name,
};

// The captions' faces are the window's Song face; the edit boxes', holding the
// user's text, always the system's 宋体 or what stands for it.
enum class Font { Body, FrameCaption, Box };

struct ControlSpec {
  ControlId id;
  const wchar_t* className;
  const wchar_t* caption;
  DWORD style;  // beside WS_CHILD and WS_CLIPSIBLINGS, which every control has
  DWORD exStyle;
  Font font;
  // Left, top, width and height in pixels at 96 dpi, in the client area.
  int left, top, width, height;
};

constexpr DWORD kButton = WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON;
constexpr DWORD kEdit = WS_VISIBLE | WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
constexpr DWORD kHiddenName = WS_GROUP | SS_LEFT | SS_NOPREFIX;

inline constexpr std::array<ControlSpec, 19> kControls = {{
    {kCommand1, L"BUTTON", L"选择ISBN", kButton, 0, Font::Body, 284, 20, 65, 21},
    {kText2Name, L"STATIC", L"输出列表文件路径：", kHiddenName, 0, Font::Body, 0, 0, 0, 0},
    {kText2, L"EDIT", L"", kEdit, WS_EX_CLIENTEDGE, Font::Box, 4, 44, 269, 21},
    {kCommand2, L"BUTTON", L"输出ISBN", kButton, 0, Font::Body, 284, 44, 65, 21},
    {kText1Name, L"STATIC", L"输入列表文件路径：", kHiddenName, 0, Font::Body, 0, 0, 0, 0},
    {kText1, L"EDIT", L"", kEdit, WS_EX_CLIENTEDGE, Font::Box, 4, 20, 269, 21},
    {kCommand3, L"BUTTON", L"开始(&S)", kButton, 0, Font::Body, 224, 96, 61, 25},
    {kCommand4, L"BUTTON", L"退出(&X)", kButton, 0, Font::Body, 288, 96, 61, 25},
    {kOption1, L"BUTTON", L"（13位）978-7", WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON,
     0, Font::Body, 16, 80, 105, 17},
    {kOption2, L"BUTTON", L"（10位）7-", WS_VISIBLE | BS_AUTORADIOBUTTON, 0, Font::Body, 136, 80,
     81, 17},
    {kText3Name, L"STATIC", L"待转换的书号：", kHiddenName, 0, Font::Body, 0, 0, 0, 0},
    {kText3, L"EDIT", L"", kEdit, WS_EX_CLIENTEDGE, Font::Box, 28, 144, 197, 25},
    {kText4Name, L"STATIC", L"转换结果：", kHiddenName, 0, Font::Body, 0, 0, 0, 0},
    {kText4, L"EDIT", L"", kEdit, WS_EX_CLIENTEDGE, Font::Box, 28, 176, 197, 25},
    {kCommand5, L"BUTTON", L"转换", kButton, 0, Font::Body, 240, 144, 81, 57},
    // Hidden until a run finds its input file.
    {kLabel2, L"STATIC", L" 已处理：？条", WS_GROUP | SS_LEFT | SS_NOPREFIX, 0, Font::Body, 16, 112,
     137, 17},
    // SS_NOTIFY makes the label take clicks (and the hand cursor).
    {kLabel3, L"STATIC", L"书号分段依据：国际ISBN中心",
     WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0, Font::Body, 56, 224, 221, 17},
    // A line one pixel high, painted in its colour by WM_CTLCOLORSTATIC.
    {kLine1, L"STATIC", L"", WS_VISIBLE | SS_LEFT, 0, Font::Body, 4, 76, 352, 1},
    {kFrame1, L"BUTTON", L"输入输出选项", WS_VISIBLE | BS_GROUPBOX, 0, Font::FrameCaption, 0, 0,
     361, 133},
}};
// The identifiers run without a gap, so a control's identifier tells its
// place in a table of handles.
static_assert(kText4Name - kCommand1 + 1 == kControls.size());

// The client area in pixels at 96 dpi.
constexpr int kClientWidth = 362;
constexpr int kClientHeight = 247;

}  // namespace ui::win32
