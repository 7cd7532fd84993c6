// DLLs of Windows itself, taken from the system folder only: a program started
// from a Downloads folder must not load a DLL that someone put beside it, or
// in the current folder, under a system DLL's name.
//
// The loader resolves a program's static imports, and theirs, before any code
// of the program runs, searching the program's own folder first. So
// morvane.exe imports statically only DLLs that are known to the system and
// need no others beside them (kernel32, user32, gdi32, ole32, advapi32 and the
// C runtime), restricts the search before anything else runs, and only then
// loads the DLLs that bring in more (comctl32, comdlg32, shell32) through
// systemFunction.
#pragma once

#include <windows.h>

namespace ui::win32 {

// Takes the program's folder and the current folder out of the DLL search:
// every later load searches the system folder only where this Windows can
// (Windows 8 and later, Windows 7 with update KB2533623), and never the
// current folder. Called before any DLL is loaded: see main.cpp.
void restrictDllSearch();

// Loads a DLL of Windows by its name from the system folder, or from where
// the program's manifest redirects it (comctl32 version 6); nullptr when it
// cannot be loaded. It stays loaded for the life of the process.
HMODULE loadSystemLibrary(const wchar_t* name);

// The address of the function name in a loaded module, as the pointer type
// Function; nullptr where the module lacks it.
template <typename Function>
Function functionIn(HMODULE module, const char* name) {
  // void (*)() is the pointer type that any function pointer may pass through
  // without a warning about casting between function types.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The address of the function name of the system DLL dll, loaded on its first
// use, as the pointer type Function; nullptr where this Windows lacks it.
// Callers keep the address in a static, so each function is looked up once.
template <typename Function>
Function systemFunction(const wchar_t* dll, const char* name) {
  const HMODULE module = loadSystemLibrary(dll);
  return module == nullptr ? nullptr : functionIn<Function>(module, name);
}

}  // namespace ui::win32
