// A window for the tests: plain fields in place of controls, a record of the
// messages and captions shown, and a yield that runs what a test gives it.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "ui/window_port.h"

struct ShownMessage {
  std::string text;
  std::string title;
  ui::MessageIcon icon;
  friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

struct ShownDialog {
  bool save;
  std::string title;
  std::vector<ui::FileFilter> filters;
  std::string initialName;
};

class FakeWindow : public ui::WindowPort {
 public:
  std::string text(ui::TextBox box) const override { return texts[static_cast<int>(box)]; }
  void setText(ui::TextBox box, const std::string& text) override {
    texts[static_cast<int>(box)] = text;
  }
  bool option1Selected() const override { return option1; }
  void setLabel2Visible(bool visible) override { label2Visible = visible; }
  void setLabel2Caption(const std::string& caption) override { captions.push_back(caption); }
  std::string openFileDialog(const std::string& title, const std::vector<ui::FileFilter>& filters,
                             const std::string& initialName) override {
    dialogs.push_back({false, title, filters, initialName});
    return dialogAnswer;
  }
  std::string saveFileDialog(const std::string& title, const std::vector<ui::FileFilter>& filters,
                             const std::string& initialName) override {
    dialogs.push_back({true, title, filters, initialName});
    return dialogAnswer;
  }
  void messageBox(const std::string& text, const std::string& title,
                  ui::MessageIcon icon) override {
    messages.push_back({text, title, icon});
  }
  void yield() override {
    ++yields;
    if (onYield) onYield();
  }

  std::array<std::string, 4> texts;
  bool option1 = true;
  bool label2Visible = false;
  std::vector<std::string> captions;
  std::vector<ShownMessage> messages;
  std::vector<ShownDialog> dialogs;
  std::string dialogAnswer;
  int yields = 0;
  std::function<void()> onYield;
};

inline const ShownMessage kCompleted{"恭喜，Ledora转换完成！", "温馨提示",
                                     ui::MessageIcon::Information};
inline const ShownMessage kFailed{"对不起，出现意外错误，请检查数据！", "温馨提示",
                                  ui::MessageIcon::Error};
