#include "ui/win32/convert_form.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cstdlib>
#include <system_error>

#include "ui/single_conversion.h"
#include "ui/win32/control_table.h"
#include "ui/win32/dpi.h"
#include "ui/win32/resource_ids.h"
#include "ui/win32/song_font.h"
#include "ui/win32/system_library.h"
#include "ui/win32/utf16.h"

namespace ui {
namespace {

using namespace win32;

constexpr wchar_t kWindowClass[] = L"MorvaneConvertForm";
constexpr wchar_t kTitle[] = L"Morvane";
constexpr wchar_t kBoxFace[] = L"宋体";
constexpr wchar_t kCreditAddress[] = L"https://www.isbn-international.org/range_file_generation";
constexpr wchar_t kExitTitle[] = L"操作提示";
constexpr wchar_t kExitText[] = L"确定退出该工具吗？（Y/N）";

// A fixed single border and a close box, no minimise or maximise box. No
// WS_CLIPCHILDREN: the frame paints only its line and caption, and the window
// paints the white inside it.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kLineColour = RGB(224, 224, 224);

// Room for any path the file dialogs can return.
constexpr DWORD kPathCapacity = 32768;

// Sent by Windows 8.1 and later, whose headers for Windows 7 do not name them:
// the window's DPI has changed, and (Windows 10 1703 and later) the size the
// window wants at a new DPI.
constexpr UINT kDpiChanged = 0x02E0;        // WM_DPICHANGED
constexpr UINT kGetDpiScaledSize = 0x02E4;  // WM_GETDPISCALEDSIZE

int textBoxId(TextBox box) {
  switch (box) {
    case TextBox::Text1:
      return kText1;
    case TextBox::Text2:
      return kText2;
    case TextBox::Text3:
      return kText3;
    case TextBox::Text4:
      return kText4;
  }
  std::abort();
}

// A font of the face and size in tenths of a point, for dpi.
HFONT createFont(const wchar_t* face, int decipoints, bool italic, UINT dpi) {
  return CreateFontW(-MulDiv(decipoints, static_cast<int>(dpi), 720), 0, 0, 0, FW_NORMAL, italic,
                     FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                     DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// The file dialogs' filter: description and pattern pairs, each ending in a
// NUL, and one more NUL after the last.
std::wstring filterList(const std::vector<FileFilter>& filters) {
  std::wstring list;
  for (const FileFilter& filter : filters) {
    list += toUtf16(filter.description) + L'\0' + toUtf16(filter.pattern) + L'\0';
  }
  return list + L'\0';
}

// Shows the file-open or file-save dialog; the chosen full path, or "" when
// the dialog was cancelled or failed.
std::string fileDialog(HWND owner, bool save, const std::string& title,
                       const std::vector<FileFilter>& filters, const std::string& initialName) {
  const std::wstring wideTitle = toUtf16(title);
  const std::wstring filter = filterList(filters);
  std::wstring path = toUtf16(initialName);
  path.resize(kPathCapacity, L'\0');
  path.back() = L'\0';

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = kPathCapacity;
  dialog.lpstrTitle = wideTitle.c_str();
  // No read-only box, and the current directory stays what it was, so a
  // relative path typed into a box keeps its meaning. The output list file is
  // appended to, so choosing an existing one asks nothing.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  // comdlg32 is loaded on first use; see system_library.h.
  static const auto getSaveFileName =
      systemFunction<decltype(&GetSaveFileNameW)>(L"comdlg32.dll", "GetSaveFileNameW");
  static const auto getOpenFileName =
      systemFunction<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  const auto show = save ? getSaveFileName : getOpenFileName;
  if (show == nullptr || !show(&dialog)) return {};
  return toUtf8(path.c_str());
}

}  // namespace

ConvertForm::ConvertForm(HINSTANCE instance) : batch_(*this) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &ConvertForm::windowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(MORVANE_ICON));
  windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(MORVANE_ICON),
                                                      IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                      GetSystemMetrics(SM_CYSMICON), 0));
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = kWindowClass;
  RegisterClassExW(&windowClass);

  // Created on the primary screen, whose DPI then sizes and centres it.
  CreateWindowExW(0, kWindowClass, kTitle, kWindowStyle, 0, 0, 0, 0, nullptr, nullptr, instance,
                  this);
  if (window_ == nullptr) throw std::system_error(int(GetLastError()), std::system_category());
  dpi_ = windowDpi(window_, user32Module());
  captionFace_ = captionFace(instance);

  for (const ControlSpec& row : kControls) {
    controls_[static_cast<std::size_t>(row.id - kCommand1)] = CreateWindowExW(
        row.exStyle, row.className, row.caption, WS_CHILD | WS_CLIPSIBLINGS | row.style, 0, 0, 0, 0,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
  }
  for (const int box : {kText1, kText2, kText3, kText4}) {
    SendMessageW(control(box), EM_SETLIMITTEXT, 0, 0);  // 0: as long as the system allows
  }
  CheckRadioButton(window_, kOption1, kOption2, kOption1);
  layOut();

  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& work = monitor.rcWork;
  const SIZE size = windowSize(dpi_);
  SetWindowPos(window_, nullptr, work.left + (work.right - work.left - size.cx) / 2,
               work.top + (work.bottom - work.top - size.cy) / 2, size.cx, size.cy,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

ConvertForm::~ConvertForm() {
  DestroyWindow(window_);
  for (const HFONT font : fonts_) DeleteObject(font);
}

void ConvertForm::show(int showCommand) {
  ShowWindow(window_, showCommand);
  SetFocus(control(kCommand1));
}

void ConvertForm::dispatch(MSG& message) {
  if (IsDialogMessageW(window_, &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

SIZE ConvertForm::windowSize(UINT dpi) const {
  const SIZE client{MulDiv(kClientWidth, static_cast<int>(dpi), 96),
                    MulDiv(kClientHeight, static_cast<int>(dpi), 96)};
  return windowSizeForClient(client, kWindowStyle, 0, dpi, user32Module());
}

void ConvertForm::layOut() {
  const auto oldFonts = fonts_;
  fonts_[static_cast<std::size_t>(Font::Body)] = createFont(captionFace_, 90, false, dpi_);
  fonts_[static_cast<std::size_t>(Font::FrameCaption)] = createFont(captionFace_, 105, true, dpi_);
  fonts_[static_cast<std::size_t>(Font::Box)] = createFont(kBoxFace, 90, false, dpi_);
  for (const ControlSpec& row : kControls) {
    const HWND hwnd = control(row.id);
    MoveWindow(hwnd, scaled(row.left), scaled(row.top), scaled(row.width), scaled(row.height),
               TRUE);
    SendMessageW(hwnd, WM_SETFONT,
                 reinterpret_cast<WPARAM>(fonts_[static_cast<std::size_t>(row.font)]), TRUE);
  }
  for (const HFONT font : oldFonts) DeleteObject(font);
}

LRESULT CALLBACK ConvertForm::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form =
        static_cast<ConvertForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<ConvertForm*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return form->handle(message, wParam, lParam);
}

LRESULT ConvertForm::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  option1Checked_.reset();  // a click on an option reaches the window as a message
  switch (message) {
    case WM_COMMAND:
      command(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return controlColours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == control(kLabel3)) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_CLOSE:
      confirmExit();
      return 0;
    // A window that is not a dialog keeps its focused control itself: the
    // focus comes back to it after a message box or another program.
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focused = GetFocus();
        if (focused != nullptr && IsChild(window_, focused)) focus_ = focused;
      }
      break;
    case WM_SETFOCUS:
      SetFocus(focus_ != nullptr && IsWindowEnabled(focus_) ? focus_ : control(kCommand1));
      return 0;
    case kGetDpiScaledSize: {
      *reinterpret_cast<SIZE*>(lParam) = windowSize(LOWORD(wParam));
      return TRUE;
    }
    case kDpiChanged: {
      dpi_ = HIWORD(wParam);
      layOut();
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                   suggested.right - suggested.left, suggested.bottom - suggested.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void ConvertForm::command(int id, int notification) {
  switch (id) {
    case kCommand1:
      batch_.chooseInputFile();
      break;
    case kCommand2:
      batch_.chooseOutputFile();
      break;
    case kCommand3:
      runBatch();
      break;
    case kCommand4:
      SendMessageW(window_, WM_CLOSE, 0, 0);
      break;
    case kCommand5:
      convertSingle(*this);
      break;
    case kLabel3:
      // Whether a browser opens is not ours to report.
      if (notification == STN_CLICKED) {
        // shell32 is loaded on first use; see system_library.h.
        static const auto shellExecute =
            systemFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
        if (shellExecute != nullptr) {
          shellExecute(window_, L"open", kCreditAddress, L"", L"", SW_SHOWNORMAL);
        }
      }
      break;
    // Enter: there is no default button, but a focused button takes it as a click.
    case IDOK: {
      const HWND focused = GetFocus();
      if (focused != nullptr && IsChild(window_, focused) &&
          (SendMessageW(focused, WM_GETDLGCODE, 0, 0) & DLGC_UNDEFPUSHBUTTON)) {
        SendMessageW(focused, BM_CLICK, 0, 0);
      }
      break;
    }
  }
}

LRESULT ConvertForm::controlColours(HWND control, HDC dc) {
  COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  COLORREF background = kWhite;
  switch (GetDlgCtrlID(control)) {
    case kLabel2:
      text = kBlue;
      background = GetSysColor(COLOR_BTNFACE);
      break;
    case kLabel3:
      text = kBlue;
      break;
    case kLine1:
      background = kLineColour;
      break;
  }
  SetTextColor(dc, text);
  SetBkColor(dc, background);
  SetDCBrushColor(dc, background);
  return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

void ConvertForm::confirmExit() {
  if (MessageBoxW(window_, kExitText, kExitTitle, MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
  // Every record is already with the system, and a run waiting in its yield
  // must not write another one: end here, running no further code of ours.
  ExitProcess(0);
}

// Command3 stays disabled while the run lasts, so a second run cannot start
// inside the first one's yield.
void ConvertForm::runBatch() {
  const HWND command3 = control(kCommand3);
  const bool hadFocus = GetFocus() == command3;
  // A disabled control cannot keep the focus: it moves on, as Tab would move it.
  if (hadFocus) SetFocus(GetNextDlgTabItem(window_, command3, FALSE));
  const HWND focusMovedTo = GetFocus();
  EnableWindow(command3, FALSE);
  batch_.run();
  EnableWindow(command3, TRUE);
  // Give the focus back unless the user has put it elsewhere meanwhile.
  if (hadFocus && GetFocus() == focusMovedTo) SetFocus(command3);
}

std::string ConvertForm::text(TextBox box) const {
  const HWND edit = control(textBoxId(box));
  std::wstring text(GetWindowTextLengthW(edit) + 1, L'\0');
  text.resize(GetWindowTextW(edit, text.data(), static_cast<int>(text.size())));
  return toUtf8(text);
}

void ConvertForm::setText(TextBox box, const std::string& text) {
  SetWindowTextW(control(textBoxId(box)), toUtf16(text).c_str());
}

bool ConvertForm::option1Selected() const {
  if (!option1Checked_) {
    option1Checked_ = SendMessageW(control(kOption1), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  return *option1Checked_;
}

void ConvertForm::setLabel2Visible(bool visible) {
  ShowWindow(control(kLabel2), visible ? SW_SHOWNA : SW_HIDE);
}

void ConvertForm::setLabel2Caption(const std::string& caption) {
  SetWindowTextW(control(kLabel2), toUtf16(caption).c_str());
}

std::string ConvertForm::openFileDialog(const std::string& title,
                                        const std::vector<FileFilter>& filters,
                                        const std::string& initialName) {
  return fileDialog(window_, false, title, filters, initialName);
}

std::string ConvertForm::saveFileDialog(const std::string& title,
                                        const std::vector<FileFilter>& filters,
                                        const std::string& initialName) {
  return fileDialog(window_, true, title, filters, initialName);
}

void ConvertForm::messageBox(const std::string& text, const std::string& title, MessageIcon icon) {
  MessageBoxW(window_, toUtf16(text).c_str(), toUtf16(title).c_str(),
              MB_OK | (icon == MessageIcon::Error ? MB_ICONERROR : MB_ICONINFORMATION));
}

void ConvertForm::yield() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) dispatch(message);
  // Another program's BM_SETCHECK arrives only while messages are taken.
  option1Checked_.reset();
}

}  // namespace ui
