// The program's one window on Windows: a plain Win32 top-level window with the
// controls of control_table.h, their bindings to the batch and single
// conversions, and the exit confirmation.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ui/batch_conversion.h"
#include "ui/win32/control_table.h"
#include "ui/window_port.h"

namespace ui {

class ConvertForm : public WindowPort {
 public:
  // Creates the window hidden, centred on the primary screen, sized for its DPI.
  explicit ConvertForm(HINSTANCE instance);
  ~ConvertForm() override;
  ConvertForm(const ConvertForm&) = delete;
  ConvertForm& operator=(const ConvertForm&) = delete;

  // Shows the window with the focus on Command1.
  void show(int showCommand);
  // Hands one message of the thread's queue to the window: keyboard messages
  // go through the dialog manager first, for Tab, arrows and access keys.
  void dispatch(MSG& message);

  std::string text(TextBox box) const override;
  void setText(TextBox box, const std::string& text) override;
  bool option1Selected() const override;
  void setLabel2Visible(bool visible) override;
  void setLabel2Caption(const std::string& caption) override;
  std::string openFileDialog(const std::string& title, const std::vector<FileFilter>& filters,
                             const std::string& initialName) override;
  std::string saveFileDialog(const std::string& title, const std::vector<FileFilter>& filters,
                             const std::string& initialName) override;
  void messageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
  void yield() override;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
  void command(int id, int notification);
  LRESULT controlColours(HWND control, HDC dc);
  void confirmExit();
  void runBatch();

  // The control's handle, kept from its creation: under wine GetDlgItem asks
  // the server every time, which costs as much as converting 500 records.
  HWND control(int id) const { return controls_[static_cast<std::size_t>(id - win32::kCommand1)]; }
  int scaled(int pixelsAt96Dpi) const { return MulDiv(pixelsAt96Dpi, dpi_, 96); }
  SIZE windowSize(UINT dpi) const;
  // Creates the fonts for dpi_ and puts every control in its place with them.
  void layOut();

  HWND window_ = nullptr;
  std::array<HWND, win32::kControls.size()> controls_{};
  // Whether Option1 is checked, as last asked of it. Asking is a message,
  // which under wine costs as much as converting a record or two, and a run
  // asks for every record; the answer can change only while messages are
  // handled, so it is forgotten whenever the window handles one and after
  // every pass.
  mutable std::optional<bool> option1Checked_;
  UINT dpi_ = 96;
  // The face of the captions (see song_font.h), and the fonts by win32::Font.
  const wchar_t* captionFace_ = nullptr;
  std::array<HFONT, 3> fonts_{};
  // The control that had the focus when the window was last deactivated.
  HWND focus_ = nullptr;
  BatchConversion batch_;
};

}  // namespace ui
