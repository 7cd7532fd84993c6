// The window driven through its real widgets on the offscreen platform.
#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "ui/qt/convert_form.h"
#include "ui/qt/tests/message_box_answerer.h"

namespace {

const QString kYes = QStringLiteral("是(&Y)");
const QString kNo = QStringLiteral("否(&N)");
const QString kOk = QStringLiteral("OK");
const QString kCreditUrl =
    QStringLiteral("https://www.isbn-international.org/range_file_generation");

QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

// Records the addresses handed to the desktop's URL handler.
class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened << url; }
};

}  // namespace

class ConvertFormTest : public QObject {
  Q_OBJECT

 private:
  template <typename T>
  T* control(const char* name) {
    T* widget = form_->findChild<T*>(QString::fromLatin1(name));
    if (widget == nullptr) qFatal("no control %s", name);
    return widget;
  }

  std::unique_ptr<ui::ConvertForm> form_;

 private slots:
  void init() {
    form_ = std::make_unique<ui::ConvertForm>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
  }
  void cleanup() {
    // The test is done with the window; let it go without asking.
    form_->hide();
    form_.reset();
  }

  void windowAtStart() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Morvane"));
    QCOMPARE(form_->size(), QSize(362, 247));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    const Qt::WindowFlags flags = form_->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    const QPoint offCentre =
        form_->geometry().center() - form_->screen()->availableGeometry().center();
    QVERIFY2(offCentre.manhattanLength() <= 1, "the window is centred on the screen");
    QCOMPARE(form_->palette().color(QPalette::Window), QColor(255, 255, 255));
    QCOMPARE(QApplication::focusWidget(), control<QWidget>("Command1"));
    QVERIFY(control<QRadioButton>("Option1")->isChecked());
    QVERIFY(!control<QRadioButton>("Option2")->isChecked());
    QVERIFY(control<QLabel>("Label2")->isHidden());
    for (const char* box : {"Text1", "Text2", "Text3", "Text4"}) {
      QVERIFY2(control<QLineEdit>(box)->text().isEmpty(), box);
    }
  }

  void controlGeometry_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("geometry");
    QTest::newRow("Frame1") << "Frame1"
                            << "ConvertForm" << QRect(0, 0, 361, 133);
    QTest::newRow("Text1") << "Text1"
                           << "Frame1" << QRect(4, 20, 269, 21);
    QTest::newRow("Command1") << "Command1"
                              << "Frame1" << QRect(284, 20, 65, 21);
    QTest::newRow("Text2") << "Text2"
                           << "Frame1" << QRect(4, 44, 269, 21);
    QTest::newRow("Command2") << "Command2"
                              << "Frame1" << QRect(284, 44, 65, 21);
    QTest::newRow("Line1") << "Line1"
                           << "Frame1" << QRect(4, 76, 352, 1);
    QTest::newRow("Option1") << "Option1"
                             << "Frame1" << QRect(16, 80, 105, 17);
    QTest::newRow("Option2") << "Option2"
                             << "Frame1" << QRect(136, 80, 81, 17);
    QTest::newRow("Command3") << "Command3"
                              << "Frame1" << QRect(224, 96, 61, 25);
    QTest::newRow("Command4") << "Command4"
                              << "Frame1" << QRect(288, 96, 61, 25);
    QTest::newRow("Label2") << "Label2"
                            << "Frame1" << QRect(16, 112, 137, 17);
    QTest::newRow("Text3") << "Text3"
                           << "ConvertForm" << QRect(28, 144, 197, 25);
    QTest::newRow("Command5") << "Command5"
                              << "ConvertForm" << QRect(240, 144, 81, 57);
    QTest::newRow("Text4") << "Text4"
                           << "ConvertForm" << QRect(28, 176, 197, 25);
    QTest::newRow("Label3") << "Label3"
                            << "ConvertForm" << QRect(56, 224, 221, 17);
  }
  void controlGeometry() {
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, geometry);
    QWidget* widget = control<QWidget>(name.toLatin1().constData());
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(widget->geometry(), geometry);
    QVERIFY(form_->rect().contains(widget->mapTo(form_.get(), widget->rect().bottomRight())));
  }

  void noControlsOverlap() {
    const QStringList names = {"Text1",   "Command1", "Text2",    "Command2", "Line1",
                               "Option1", "Option2",  "Command3", "Command4", "Label2",
                               "Text3",   "Command5", "Text4",    "Label3"};
    for (qsizetype i = 0; i < names.size(); ++i) {
      for (qsizetype j = i + 1; j < names.size(); ++j) {
        QWidget* a = control<QWidget>(names[i].toLatin1().constData());
        QWidget* b = control<QWidget>(names[j].toLatin1().constData());
        const QRect ra(a->mapTo(form_.get(), QPoint()), a->size());
        const QRect rb(b->mapTo(form_.get(), QPoint()), b->size());
        QVERIFY2(!ra.intersects(rb), qPrintable(names[i] + " overlaps " + names[j]));
      }
    }
  }

  void captions_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Frame1") << "Frame1"
                            << "输入输出选项";
    QTest::newRow("Command1") << "Command1"
                              << "选择ISBN";
    QTest::newRow("Command2") << "Command2"
                              << "输出ISBN";
    QTest::newRow("Option1") << "Option1"
                             << "（13位）978-7";
    QTest::newRow("Option2") << "Option2"
                             << "（10位）7-";
    QTest::newRow("Command3 with access key S") << "Command3"
                                                << "开始(&S)";
    QTest::newRow("Command4 with access key X") << "Command4"
                                                << "退出(&X)";
    QTest::newRow("Label2, one leading space") << "Label2"
                                               << " 已处理：？条";
    QTest::newRow("Command5") << "Command5"
                              << "转换";
  }
  void captions() {
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QWidget* widget = control<QWidget>(name.toLatin1().constData());
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
      QCOMPARE(frame->title(), caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      QCOMPARE(button->text(), caption);
    } else {
      QCOMPARE(qobject_cast<QLabel*>(widget)->text(), caption);
    }
  }

  void fonts_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("italic");
    QTest::newRow("window") << "ConvertForm" << 9.0 << false;
    QTest::newRow("frame caption") << "Frame1" << 10.5 << true;
    QTest::newRow("inside the frame, not italic") << "Text1" << 9.0 << false;
    QTest::newRow("button inside the frame") << "Command3" << 9.0 << false;
    QTest::newRow("option inside the frame") << "Option2" << 9.0 << false;
    QTest::newRow("label inside the frame") << "Label2" << 9.0 << false;
    QTest::newRow("outside the frame") << "Command5" << 9.0 << false;
    QTest::newRow("credit line") << "Label3" << 9.0 << false;
  }
  void fonts() {
    QFETCH(QString, name);
    QFETCH(qreal, points);
    QFETCH(bool, italic);
    QWidget* widget = name == "ConvertForm" ? form_.get() : control<QWidget>(name.toLatin1());
    QCOMPARE(widget->font().family(), QStringLiteral("宋体"));
    QCOMPARE(widget->font().pointSizeF(), points);
    QCOMPARE(widget->font().italic(), italic);
    QCOMPARE(widget->font().bold(), false);
  }

  void colours_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPalette::ColorRole>("role");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("Label2 text blue") << "Label2" << QPalette::WindowText << QColor(0, 0, 255);
    QTest::newRow("Label2 on the control colour")
        << "Label2" << QPalette::Window << QApplication::palette().color(QPalette::Button);
    QTest::newRow("Label3 text blue") << "Label3" << QPalette::WindowText << QColor(0, 0, 255);
    QTest::newRow("Label3 on white") << "Label3" << QPalette::Window << QColor(255, 255, 255);
    QTest::newRow("Frame1 white") << "Frame1" << QPalette::Window << QColor(255, 255, 255);
    QTest::newRow("Option1 white") << "Option1" << QPalette::Window << QColor(255, 255, 255);
    QTest::newRow("Line1 light grey") << "Line1" << QPalette::WindowText << QColor(224, 224, 224);
  }
  void colours() {
    QFETCH(QString, name);
    QFETCH(QPalette::ColorRole, role);
    QFETCH(QColor, colour);
    QCOMPARE(control<QWidget>(name.toLatin1().constData())->palette().color(role), colour);
  }

  void everyControlHasAChineseAccessibleName() {
    for (QWidget* widget : form_->findChildren<QWidget*>()) {
      if (widget->objectName().isEmpty() || widget->objectName().startsWith("qt_")) continue;
      // Label2's name is its caption, so a screen reader reads the current count.
      const QString name = QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
      QVERIFY2(name.contains(QRegularExpression("\\p{Han}")), qPrintable(widget->objectName()));
    }
  }

  // A control is found by the words it shows: its accessible name holds its
  // caption as displayed (the access key's "&" is not shown). The longer
  // wording, where there is one, is the description.
  void accessibleNameHoldsTheCaption_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("description");
    QTest::newRow("Frame1") << "Frame1"
                            << "";
    QTest::newRow("Command1") << "Command1"
                              << "选择输入列表文件";
    QTest::newRow("Command2") << "Command2"
                              << "选择输出列表文件";
    QTest::newRow("Option1") << "Option1"
                             << "13位书号样式";
    QTest::newRow("Option2") << "Option2"
                             << "10位书号样式";
    QTest::newRow("Command3, access key not shown") << "Command3"
                                                    << "开始批量转换";
    QTest::newRow("Command4, access key not shown") << "Command4"
                                                    << "";
    QTest::newRow("Command5") << "Command5"
                              << "转换书号";
    QTest::newRow("Label2") << "Label2"
                            << "批量转换已处理的条数";
    // Its tooltip, the address it opens.
    QTest::newRow("Label3") << "Label3" << kCreditUrl;
  }
  void accessibleNameHoldsTheCaption() {
    QFETCH(QString, name);
    QFETCH(QString, description);
    QWidget* widget = control<QWidget>(name.toLatin1().constData());
    QString caption;
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
      caption = frame->title();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      caption = button->text().remove('&');
    } else {
      caption = qobject_cast<QLabel*>(widget)->text();
    }
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY2(accessible->text(QAccessible::Name).contains(caption),
             qPrintable(accessible->text(QAccessible::Name)));
    QCOMPARE(accessible->text(QAccessible::Description), description);
  }

  void tabOrder() {
    const QStringList expected = {"Command1", "Text2",    "Command2", "Text1",
                                  "Command3", "Command4", "Option1",  "Option2",
                                  "Text3",    "Text4",    "Command5"};
    QStringList order;
    QWidget* const first = control<QWidget>("Command1");
    QWidget* widget = first;
    do {
      if (widget->focusPolicy() & Qt::TabFocus) order << widget->objectName();
      widget = widget->nextInFocusChain();
    } while (widget != first && order.size() <= expected.size());
    QCOMPARE(order, expected);
  }

  void command5Converts_data() {
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("tenDigits");
    QTest::addColumn<QString>("result");
    QTest::newRow("13-digit style") << "7-111-12345-X" << false << "978-7-111-12345-3";
    QTest::newRow("10-digit style") << "7-111-12345-X" << true << "7-111-12345-X";
    QTest::newRow("wrong check digit recomputed")
        << "9787111123457" << false << "978-7-111-12345-3";
    QTest::newRow("spaces around") << "  9787111123457  " << false << "978-7-111-12345-3";
    QTest::newRow("empty box empties the result") << "" << false << "";
    QTest::newRow("letter between digits empties the result") << "7-111-1a345-X" << false << "";
  }
  void command5Converts() {
    QFETCH(QString, input);
    QFETCH(bool, tenDigits);
    QFETCH(QString, result);
    control<QLineEdit>("Text4")->setText("earlier result");
    QTest::keyClicks(control<QLineEdit>("Text3"), input);
    if (tenDigits) QTest::mouseClick(control<QRadioButton>("Option2"), Qt::LeftButton);
    QTest::mouseClick(control<QPushButton>("Command5"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>("Text4")->text(), result);
    QCOMPARE(control<QLineEdit>("Text3")->text(), input);
  }

  void onlyCommand5Converts() {
    auto* text3 = control<QLineEdit>("Text3");
    QTest::keyClicks(text3, "7-111-12345-X");
    QTest::keyClick(text3, Qt::Key_Return);
    QTest::mouseClick(control<QRadioButton>("Option2"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>("Text4")->text(), QString());
  }

  void command3RunsABatch_data() {
    QTest::addColumn<bool>("tenDigits");
    QTest::addColumn<QByteArray>("output");
    QTest::newRow("13-digit style")
        << false << QByteArray("978-7-111-12345-3\r\n123456\r\n12345\r\n");
    QTest::newRow("10-digit style") << true << QByteArray("7-111-12345-X\r\n123456\r\n12345\r\n");
  }
  void command3RunsABatch() {
    QFETCH(bool, tenDigits);
    QFETCH(QByteArray, output);
    QTemporaryDir folder;
    const QString input = folder.filePath("in.txt");
    writeFile(input, "7-111-12345-X\r\n12345\r\n123456\r\n      \r\n   12345\r\n");
    control<QLineEdit>("Text1")->setText(input);
    control<QLineEdit>("Text2")->setText(folder.filePath("out.txt"));
    if (tenDigits) control<QRadioButton>("Option2")->setChecked(true);
    auto* label2 = control<QLabel>("Label2");
    bool label2PaintedBeforeMessage = false;
    MessageBoxAnswerer answerer({kOk});
    answerer.onShown([&](QMessageBox&) { label2PaintedBeforeMessage = label2->updatesEnabled(); });

    QTest::mouseClick(control<QPushButton>("Command3"), Qt::LeftButton);

    QCOMPARE(readFile(folder.filePath("out.txt")), output);
    QCOMPARE(answerer.shown().size(), 1);
    QCOMPARE(answerer.shown()[0].title, QStringLiteral("温馨提示"));
    QCOMPARE(answerer.shown()[0].text, QStringLiteral("恭喜，Ledora转换完成！"));
    QCOMPARE(answerer.shown()[0].icon, QMessageBox::Information);
    QVERIFY(label2->isVisible());
    QCOMPARE(label2->text(), QStringLiteral("已处理：3条！"));
    QVERIFY(label2PaintedBeforeMessage);
    QVERIFY(label2->updatesEnabled());
    QVERIFY(control<QPushButton>("Command3")->isEnabled());
    QCOMPARE(form_->focusWidget(), control<QWidget>("Command3"));
  }

  // Inside the run's yield the window stays usable, but a second run cannot
  // start, and every caption is current even when its painting waits.
  void duringARun() {
    QTemporaryDir folder;
    QByteArray lines;
    for (int i = 0; i < 200; ++i) lines += "9787111123457\r\n";
    writeFile(folder.filePath("in.txt"), lines);
    control<QLineEdit>("Text1")->setText(folder.filePath("in.txt"));
    control<QLineEdit>("Text2")->setText(folder.filePath("out.txt"));
    auto* command3 = control<QPushButton>("Command3");
    auto* label2 = control<QLabel>("Label2");
    bool enabledDuringRun = true;
    QString captionInYield;
    QByteArray outputInYield;
    MessageBoxAnswerer answerer({kOk});
    QTimer::singleShot(0, this, [&] {
      enabledDuringRun = command3->isEnabled();
      QTest::mouseClick(command3, Qt::LeftButton);
      QTest::keyClick(form_.get(), Qt::Key_S, Qt::AltModifier);
      control<QRadioButton>("Option2")->setChecked(true);
      captionInYield = label2->text();
      outputInYield = readFile(folder.filePath("out.txt"));
    });

    QTest::mouseClick(command3, Qt::LeftButton);

    QVERIFY(!enabledDuringRun);
    QCOMPARE(answerer.shown().size(), 1);  // the second click started no run of its own
    QCOMPARE(captionInYield, QStringLiteral("已处理：%1条！").arg(outputInYield.count('\n')));
    const QList<QByteArray> written = readFile(folder.filePath("out.txt")).split('\n');
    QCOMPARE(written.size(), 201);
    QCOMPARE(written.first(), QByteArray("978-7-111-12345-3\r"));
    QCOMPARE(written[199], QByteArray("7-111-12345-X\r"));  // the style switched mid-run
    QCOMPARE(label2->text(), QStringLiteral("已处理：200条！"));
  }

  void exitConfirmationNoKeepsEverything_data() {
    QTest::addColumn<QString>("request");
    QTest::newRow("click on Command4") << "Command4";
    QTest::newRow("Alt+X") << "Alt+X";
    QTest::newRow("close box") << "close";
  }
  void exitConfirmationNoKeepsEverything() {
    QFETCH(QString, request);
    control<QLineEdit>("Text1")->setText("in.txt");
    control<QLineEdit>("Text3")->setText("7-111-12345-X");
    control<QRadioButton>("Option2")->setChecked(true);
    MessageBoxAnswerer answerer({kNo});

    if (request == "Command4") {
      QTest::mouseClick(control<QPushButton>("Command4"), Qt::LeftButton);
    } else if (request == "Alt+X") {
      QTest::keyClick(form_.get(), Qt::Key_X, Qt::AltModifier);
    } else {
      QVERIFY(!form_->close());
    }

    // An access key clicks its button after a short animation.
    QTRY_COMPARE(answerer.shown().size(), 1);
    const ShownMessageBox& shown = answerer.shown()[0];
    QCOMPARE(shown.title, QStringLiteral("操作提示"));
    QCOMPARE(shown.text, QStringLiteral("确定退出该工具吗？（Y/N）"));
    QCOMPARE(shown.icon, QMessageBox::Information);
    QCOMPARE(shown.buttons, QStringList({kYes, kNo}));
    QCOMPARE(shown.defaultButton, kYes);
    QVERIFY(form_->isVisible());
    QCOMPARE(control<QLineEdit>("Text1")->text(), QStringLiteral("in.txt"));
    QCOMPARE(control<QLineEdit>("Text3")->text(), QStringLiteral("7-111-12345-X"));
    QVERIFY(control<QRadioButton>("Option2")->isChecked());
    QVERIFY(control<QLabel>("Label2")->isHidden());
  }

  // No lets a run that was waiting in its yield go on to its end.
  void exitConfirmationNoDuringARun() {
    QTemporaryDir folder;
    writeFile(folder.filePath("in.txt"), "9787111123457\r\n9787111123457\r\n9787111123457\r\n");
    control<QLineEdit>("Text1")->setText(folder.filePath("in.txt"));
    control<QLineEdit>("Text2")->setText(folder.filePath("out.txt"));
    MessageBoxAnswerer answerer({kNo, kOk});
    QTimer::singleShot(0, form_.get(), &QWidget::close);

    QTest::mouseClick(control<QPushButton>("Command3"), Qt::LeftButton);

    QCOMPARE(answerer.shown().size(), 2);
    QCOMPARE(answerer.shown()[1].text, QStringLiteral("恭喜，Ledora转换完成！"));
    QCOMPARE(readFile(folder.filePath("out.txt")).count('\n'), 3);
    QVERIFY(form_->isVisible());
  }

  // Yes ends the process at once, inside a run's yield: the output holds
  // exactly the records counted, and no message follows.
  void exitConfirmationYesEndsTheProcess() {
#ifdef RUNS_EMULATED
    // Debian 11's qemu refuses the clone call (with CLONE_PIDFD) by which Qt
    // 5.15 starts a process: no child can start.
    QSKIP("an emulated test cannot start a child process");
#endif
    QTemporaryDir folder;
    QByteArray lines;
    for (int i = 0; i < 1000; ++i) lines += "9787111123457\r\n";
    writeFile(folder.filePath("in.txt"), lines);
    QProcess child;
    child.start(QStringLiteral(EXIT_CHILD),
                {folder.filePath("in.txt"), folder.filePath("out.txt")});
    QVERIFY(child.waitForFinished(60000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    const QByteArray said = child.readAllStandardOutput();
    QVERIFY2(said.startsWith("records counted: "), said.constData());
    const int counted = said.mid(17).trimmed().toInt();
    QVERIFY(counted > 0 && counted < 1000);
    QCOMPARE(readFile(folder.filePath("out.txt")).count('\n'), counted);
  }

  void choosersUseTheFileDialog_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("saving");
    QTest::newRow("input list") << "Command1"
                                << "Text1"
                                << "选择ISBN文件" << false;
    QTest::newRow("output list") << "Command2"
                                 << "Text2"
                                 << "保存ISBN文件" << true;
  }
  void choosersUseTheFileDialog() {
    QFETCH(QString, button);
    QFETCH(QString, box);
    QFETCH(QString, title);
    QFETCH(bool, saving);
    QTemporaryDir folder;
    const QString chosen = folder.filePath("list.txt");
    writeFile(chosen, "9787111123457\r\n");
    auto* pathBox = control<QLineEdit>(box.toLatin1().constData());
    pathBox->setText("earlier path");
    QString shownTitle;
    QStringList shownFilters;
    bool confirmsOverwrite = true;
    // Cancels the first dialog, then chooses the file in the second.
    int dialogs = 0;
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) return;
      shownTitle = dialog->windowTitle();
      shownFilters.clear();
      const auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
      for (int i = 0; i < types->count(); ++i) shownFilters << types->itemText(i);
      confirmsOverwrite = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
      if (++dialogs == 1) {
        dialog->reject();
      } else {
        dialog->selectFile(chosen);
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog hides it
      }
    });
    answer.start(5);
    auto* command = control<QPushButton>(button.toLatin1().constData());

    QTest::mouseClick(command, Qt::LeftButton);
    QCOMPARE(pathBox->text(), QStringLiteral("earlier path"));
    QTest::mouseClick(command, Qt::LeftButton);

    QCOMPARE(pathBox->text(), chosen);
    QCOMPARE(shownTitle, title);
    QCOMPARE(shownFilters, QStringList({"(*.txt)", "All Files"}));
    if (saving) QVERIFY(!confirmsOverwrite);
  }

  void label3OpensTheCreditAddress() {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    QTest::mouseClick(control<QLabel>("Label3"), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("https");
    QCOMPARE(catcher.opened, QList<QUrl>({QUrl(kCreditUrl)}));
  }
};

QTEST_MAIN(ConvertFormTest)
#include "convert_form_test.moc"
