// The face of the window's captions: 宋体 where Windows has it, else the
// window's own Song face, a subset that the program carries as a resource.
#pragma once

#include <windows.h>

namespace ui::win32 {

// 宋体 where the system has it (as 宋体 or SimSun), else the name of the
// program's own Song face, which this loads into the process from the
// resources of instance; 宋体 again when that fails, for the system's font
// mapper to resolve. The subset covers only the window's own texts: the
// edit boxes always ask for 宋体, so that whatever the user types is drawn
// by the system's fonts.
const wchar_t* captionFace(HINSTANCE instance);

}  // namespace ui::win32
