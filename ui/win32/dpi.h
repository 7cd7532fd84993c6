// The window's DPI and its frame, on every Windows from 7 on. Windows 10 1607
// and later tell each window its monitor's DPI and size frames for any DPI
// (user32's GetDpiForWindow and AdjustWindowRectExForDpi); older ones have
// one DPI for the whole system, whose frames AdjustWindowRectEx sizes. The
// functions are looked up at run time, as importing them would keep the
// program from starting on the older ones.
#pragma once

#include <windows.h>

namespace ui::win32 {

// The DPI that window is drawn at: its monitor's where user32 tells it, else
// the system's.
UINT windowDpi(HWND window, HMODULE user32);

// The size of a window with the client area client, the style and extended
// style given, at dpi: with its frame at dpi where user32 can size one so,
// else with the system's frame.
SIZE windowSizeForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi, HMODULE user32);

// user32 as loaded in every process that makes windows.
HMODULE user32Module();

}  // namespace ui::win32
