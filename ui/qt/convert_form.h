// The program's one window: the controls of convert_form.ui, their bindings to
// the batch and single conversions, and the exit confirmation.
#pragma once

#include <QElapsedTimer>
#include <QWidget>

#include "ui/batch_conversion.h"
#include "ui/window_port.h"
#include "ui_convert_form.h"

class QLineEdit;

namespace ui {

class ConvertForm : public QWidget, public WindowPort, private Ui::ConvertForm {
  Q_OBJECT

 public:
  explicit ConvertForm(QWidget* parent = nullptr);

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

 protected:
  // Every close request asks first; Yes ends the process on the spot.
  void closeEvent(QCloseEvent* event) override;
  // Opens the credit address when Label3 is clicked.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void runBatch();
  QLineEdit* textBox(TextBox box) const;
  void paintLabel2();

  BatchConversion batch_;
  // Time since Label2 was last let repaint.
  QElapsedTimer label2Painted_;
};

}  // namespace ui
