// Opens the one window; the window's events drive everything from there on.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/qt/convert_form.h"
#include "ui/qt/song_font.h"

namespace {

// Where Qt's own translations are installed.
QString translationsPath() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
  return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
  return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
  // Qt 6 scales to the screen's DPI by itself, by its exact factor (1.5 at
  // 144 dpi); Qt 5 only when asked, and from 5.14 on rounds the factor to a
  // whole number unless told otherwise. Qt before 5.14 knows whole factors only.
  QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
  if (!qEnvironmentVariableIsSet("QT_SCALE_FACTOR_ROUNDING_POLICY")) {
    qputenv("QT_SCALE_FACTOR_ROUNDING_POLICY", "PassThrough");
  }
#endif
  // X11 first, through XWayland on a Wayland session too: there the window
  // is centred and has the close box only, which a Wayland client can ask
  // for neither. Wayland itself where the session has no X server.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb;wayland");
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral(MORVANE_APP_ID));

  // Qt's own texts (dialog buttons, file dialogs) in Simplified Chinese.
  QTranslator qtTexts;
  if (qtTexts.load(QStringLiteral("qtbase_zh_CN"), translationsPath())) {
    QApplication::installTranslator(&qtTexts);
  }

  ui::useSongFaces();

  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/morvane-%1.png").arg(size), QSize(size, size));
  }
  QApplication::setWindowIcon(icon);

  ui::ConvertForm form;
  form.show();
  return QApplication::exec();
}
