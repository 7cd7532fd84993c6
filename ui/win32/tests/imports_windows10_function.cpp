// A program that imports a function of Windows 10, which the headers for
// Windows 7 do not declare: what the import check must find.
#include <windows.h>

extern "C" __declspec(dllimport) UINT WINAPI GetDpiForWindow(HWND window);

int main() {
  return static_cast<int>(GetDpiForWindow(GetDesktopWindow()));
}
