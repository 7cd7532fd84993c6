// Answers the modal message boxes that a test's clicks bring up, in order,
// and keeps what each one showed.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <functional>

struct ShownMessageBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  QString defaultButton;
};

class MessageBoxAnswerer : public QObject {
 public:
  // answers: the text of the button to click in each box, in order of appearance.
  explicit MessageBoxAnswerer(QStringList answers) : answers_(std::move(answers)) {
    connect(&poll_, &QTimer::timeout, this, &MessageBoxAnswerer::answerOpenBox);
    poll_.start(5);
  }

  // Runs when a box is shown, before it is answered.
  void onShown(std::function<void(QMessageBox&)> action) { onShown_ = std::move(action); }

  const QList<ShownMessageBox>& shown() const { return shown_; }

 private:
  void answerOpenBox() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || box == answered_ || answers_.isEmpty()) return;
    answered_ = box;
    ShownMessageBox seen{box->windowTitle(), box->text(), box->icon(), {}, {}};
    QAbstractButton* chosen = nullptr;
    const QString answer = answers_.takeFirst();
    for (QAbstractButton* button : box->buttons()) {
      seen.buttons << button->text();
      if (button->text() == answer) chosen = button;
    }
    if (box->defaultButton() != nullptr) seen.defaultButton = box->defaultButton()->text();
    shown_ << seen;
    if (onShown_) onShown_(*box);
    if (chosen != nullptr) chosen->click();
  }

  QStringList answers_;
  QTimer poll_;
  QPointer<QMessageBox> answered_;
  std::function<void(QMessageBox&)> onShown_;
  QList<ShownMessageBox> shown_;
};
