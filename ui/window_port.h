// What the conversion operations need from the window and the platform.
//
// The real window implements it with Qt widgets; the tests implement it with a
// fake. All text is UTF-8.
#pragma once

#include <string>
#include <vector>

namespace ui {

enum class TextBox { Text1, Text2, Text3, Text4 };

enum class MessageIcon { Information, Error };

// One choice of a file dialog's filter list, such as {"(*.txt)", "*.txt"}.
struct FileFilter {
  std::string description;
  std::string pattern;
};

class WindowPort {
 public:
  virtual ~WindowPort() = default;

  virtual std::string text(TextBox box) const = 0;
  virtual void setText(TextBox box, const std::string& text) = 0;

  // Whether the ISBN-13 style (Option1) is selected.
  virtual bool option1Selected() const = 0;

  virtual void setLabel2Visible(bool visible) = 0;
  virtual void setLabel2Caption(const std::string& caption) = 0;

  // Modal file dialogs. Return the chosen full path, or "" when cancelled.
  virtual std::string openFileDialog(const std::string& title,
                                     const std::vector<FileFilter>& filters,
                                     const std::string& initialName) = 0;
  virtual std::string saveFileDialog(const std::string& title,
                                     const std::vector<FileFilter>& filters,
                                     const std::string& initialName) = 0;

  // A modal message box with a single OK button.
  virtual void messageBox(const std::string& text, const std::string& title, MessageIcon icon) = 0;

  // Handles every window event pending now, then returns.
  virtual void yield() = 0;
};

}  // namespace ui
