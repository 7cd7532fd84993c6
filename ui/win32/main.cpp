// Opens the one window; the window's events drive everything from there on.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "ui/win32/convert_form.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // The shell (the credit link) and the file dialogs expect COM on this thread.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  ui::ConvertForm form(instance);
  form.show(showCommand);
  // The window never closes of itself: a confirmed exit ends the process.
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) form.dispatch(message);
  return 0;
}
