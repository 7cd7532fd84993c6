// Every caption of the window fits its control, as the style lays the control
// out, with whatever Chinese fonts the system has: CTest runs this under the
// machine's fontconfig and under ones that hold a single sans face only.
#include <QAbstractButton>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTest>

#include "ui/qt/convert_form.h"
#include "ui/qt/song_font.h"

namespace {

// The room the style leaves a caption inside its control.
QRect captionRoom(const QWidget& control) {
  QStyle* const style = control.style();
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const bool radio = qobject_cast<const QRadioButton*>(button) != nullptr;
    return style->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_PushButtonContents, &option, button);
  }
  if (const auto* frame = qobject_cast<const QGroupBox*>(&control)) {
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.subControls = QStyle::SC_GroupBoxLabel;
    return style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
  }
  return control.contentsRect();
}

QString captionOf(const QWidget& control) {
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) return button->text();
  if (const auto* frame = qobject_cast<const QGroupBox*>(&control)) return frame->title();
  return qobject_cast<const QLabel*>(&control)->text();
}

}  // namespace

class CaptionFitTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ui::useSongFaces(); }

  void captionFits_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("caption");  // empty: the one of the form
    for (const char* name : {"Frame1", "Command1", "Command2", "Command3", "Command4", "Command5",
                             "Option1", "Option2", "Label2", "Label3"}) {
      QTest::newRow(name) << name << QString();
    }
    // The count of a run of ten million records, far more than a list holds.
    QTest::newRow("Label2 counting") << "Label2" << QStringLiteral("已处理：10000000条！");
  }

  void captionFits() {
    // The form is laid out for fonts at 96 dpi. Qt 5's offscreen platform
    // draws them at 100 dpi, which no desktop does.
    const qreal dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
    if (dpi != 96) QSKIP(qPrintable(QStringLiteral("fonts at %1 dpi, not 96").arg(dpi)));
    QFETCH(QString, control);
    QFETCH(QString, caption);
    ui::ConvertForm form;
    auto* widget = form.findChild<QWidget*>(control);
    QVERIFY(widget != nullptr);
    if (!caption.isEmpty()) qobject_cast<QLabel*>(widget)->setText(caption);
    const QString text = captionOf(*widget);
    // A mnemonic's & is not drawn.
    const int width = QFontMetrics(widget->font()).size(Qt::TextShowMnemonic, text).width();
    const QRect room = captionRoom(*widget);
    if (width > room.width()) {
      QFAIL(qPrintable(QStringLiteral("%1 “%2” is %3 px wide in %4, its control has room for %5")
                           .arg(control, text)
                           .arg(width)
                           .arg(QFontInfo(widget->font()).family())
                           .arg(room.width())));
    }
  }

  // 宋体 is the system's Song face where it has one, else the window's own.
  void songFaceIsTheFirstAvailable() {
    QString expected = QStringLiteral("Morvane Song");
    for (const char* face : {"SimSun", "AR PL UMing CN", "Noto Serif CJK SC"}) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
      const bool present = QFontDatabase::hasFamily(QString::fromLatin1(face));
#else
      const bool present = QFontDatabase().hasFamily(QString::fromLatin1(face));
#endif
      if (present) {
        expected = QString::fromLatin1(face);
        break;
      }
    }
    ui::ConvertForm form;
    QCOMPARE(QFontInfo(form.findChild<QWidget*>(QStringLiteral("Option1"))->font()).family(),
             expected);
  }
};

QTEST_MAIN(CaptionFitTest)
#include "caption_fit_test.moc"
