// Opens the one window; the window's events drive everything from there on.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "ui/win32/convert_form.h"
#include "ui/win32/system_library.h"

namespace {

// Restricts the DLL search (see system_library.h) before anything loads a
// DLL. wWinMain would come too late: the constructors of the runtime run
// before it, among them the stack protector's, which asks the system's
// cryptography for its canary, and that loads DLLs (rsaenh, crypt32, bcrypt
// and more) by name. Priority 101, the first that programs may use, runs
// before every constructor of the default priority.
__attribute__((constructor(101))) void restrictDllSearchFirst() {
  ui::win32::restrictDllSearch();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  // The shell (the credit link) and the file dialogs expect COM on this thread.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  // Version 6, as the manifest asks, whose controls draw in the system's style.
  const auto initCommonControls = ui::win32::systemFunction<decltype(&InitCommonControlsEx)>(
      L"comctl32.dll", "InitCommonControlsEx");
  const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  if (initCommonControls != nullptr) initCommonControls(&controls);

  ui::ConvertForm form(instance);
  form.show(showCommand);
  // The window never closes of itself: a confirmed exit ends the process.
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) form.dispatch(message);
  return 0;
}
