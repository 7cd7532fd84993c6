#include "ui/qt/convert_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QStyle>
#include <QUrl>
#include <cstdlib>

#include "ui/single_conversion.h"

namespace ui {
namespace {

// Repainting Label2 costs far more than converting a record, so during a run
// it is repainted at most once per frame of a 60 Hz display.
constexpr qint64 kLabel2FrameMs = 16;

QString fromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

std::string toUtf8(const QString& text) {
  return text.toUtf8().toStdString();
}

// Qt takes a filter's patterns from its last parentheses and, with
// HideNameFilterDetails, shows only what stands before them: the dialog then
// lists each description exactly as given.
QString nameFilters(const std::vector<FileFilter>& filters) {
  QStringList list;
  for (const FileFilter& filter : filters) {
    list << fromUtf8(filter.description) + " (" + fromUtf8(filter.pattern) + ")";
  }
  return list.join(";;");
}

// The screen a window shows on. The Qt 5 program runs with Qt 5.11 on, whose
// widgets do not know their screen yet; a window not yet shown goes to the
// primary screen.
QScreen* windowScreen(const QWidget& window) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
  return window.screen();
#else
  Q_UNUSED(window);
  return QGuiApplication::primaryScreen();
#endif
}

// Where a click happened, in the clicked widget's coordinates.
QPoint clickPoint(const QMouseEvent& event) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
  return event.position().toPoint();
#else
  return event.pos();
#endif
}

}  // namespace

ConvertForm::ConvertForm(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      batch_(*this) {
  setupUi(this);

  // A form stores whole point sizes only.
  QFont caption = Frame1->font();
  caption.setPointSizeF(10.5);
  Frame1->setFont(caption);

  // Label2 sits on the system's own control colour, not on the white window.
  QPalette progress = Label2->palette();
  progress.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
  Label2->setPalette(progress);

  setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                  windowScreen(*this)->availableGeometry()));
  Command1->setFocus();

  connect(Command1, &QPushButton::clicked, this, [this] { batch_.chooseInputFile(); });
  connect(Command2, &QPushButton::clicked, this, [this] { batch_.chooseOutputFile(); });
  connect(Command3, &QPushButton::clicked, this, &ConvertForm::runBatch);
  connect(Command4, &QPushButton::clicked, this, &QWidget::close);
  connect(Command5, &QPushButton::clicked, this, [this] { convertSingle(*this); });
  Label3->installEventFilter(this);
}

QLineEdit* ConvertForm::textBox(TextBox box) const {
  switch (box) {
    case TextBox::Text1:
      return Text1;
    case TextBox::Text2:
      return Text2;
    case TextBox::Text3:
      return Text3;
    case TextBox::Text4:
      return Text4;
  }
  std::abort();
}

std::string ConvertForm::text(TextBox box) const {
  return toUtf8(textBox(box)->text());
}

void ConvertForm::setText(TextBox box, const std::string& text) {
  textBox(box)->setText(fromUtf8(text));
}

bool ConvertForm::option1Selected() const {
  return Option1->isChecked();
}

void ConvertForm::setLabel2Visible(bool visible) {
  Label2->setVisible(visible);
}

// The caption is always current; only its painting waits for the next frame.
void ConvertForm::setLabel2Caption(const std::string& caption) {
  if (Label2->updatesEnabled()) Label2->setUpdatesEnabled(false);
  Label2->setText(fromUtf8(caption));
  if (!label2Painted_.isValid() || label2Painted_.hasExpired(kLabel2FrameMs)) paintLabel2();
}

// Lets Label2 repaint with its current caption at the next yield.
void ConvertForm::paintLabel2() {
  Label2->setUpdatesEnabled(true);
  label2Painted_.start();
}

std::string ConvertForm::openFileDialog(const std::string& title,
                                        const std::vector<FileFilter>& filters,
                                        const std::string& initialName) {
  paintLabel2();
  return toUtf8(QFileDialog::getOpenFileName(this, fromUtf8(title), fromUtf8(initialName),
                                             nameFilters(filters), nullptr,
                                             QFileDialog::HideNameFilterDetails));
}

// The output list file is appended to, never replaced: nothing to confirm.
std::string ConvertForm::saveFileDialog(const std::string& title,
                                        const std::vector<FileFilter>& filters,
                                        const std::string& initialName) {
  paintLabel2();
  return toUtf8(QFileDialog::getSaveFileName(
      this, fromUtf8(title), fromUtf8(initialName), nameFilters(filters), nullptr,
      QFileDialog::HideNameFilterDetails | QFileDialog::DontConfirmOverwrite));
}

void ConvertForm::messageBox(const std::string& text, const std::string& title, MessageIcon icon) {
  paintLabel2();
  QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                  fromUtf8(title), fromUtf8(text), QMessageBox::Ok, this);
  box.exec();
}

void ConvertForm::yield() {
  QCoreApplication::processEvents();
}

// Command3 stays disabled while the run lasts, so a second run cannot start
// inside the first one's yield.
void ConvertForm::runBatch() {
  const bool hadFocus = Command3->hasFocus();
  Command3->setEnabled(false);
  QWidget* const focusMovedTo = focusWidget();
  batch_.run();
  Command3->setEnabled(true);
  // Give the focus back unless the user has put it elsewhere meanwhile.
  if (hadFocus && focusWidget() == focusMovedTo) Command3->setFocus();
  paintLabel2();
}

void ConvertForm::closeEvent(QCloseEvent* event) {
  paintLabel2();
  QMessageBox box(QMessageBox::Information, QStringLiteral("操作提示"),
                  QStringLiteral("确定退出该工具吗？（Y/N）"), QMessageBox::NoButton, this);
  QPushButton* const yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
  box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
  box.setDefaultButton(yes);
  box.exec();
  if (box.clickedButton() != yes) {
    event->ignore();
    return;
  }
  // Every record is already with the system, and a run waiting in its yield
  // must not write another one: end here, running no further code of ours.
  std::_Exit(0);
}

bool ConvertForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label3 && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
      Label3->rect().contains(clickPoint(*static_cast<QMouseEvent*>(event)))) {
    // The tooltip shows the address; whether a browser opens is not ours to report.
    QDesktopServices::openUrl(QUrl(Label3->toolTip()));
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace ui
