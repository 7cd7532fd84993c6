// Opens the one window; the window's events drive everything from there on.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/qt/convert_form.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral(MORVANE_APP_ID));

  // Qt's own texts (dialog buttons, file dialogs) in Simplified Chinese.
  QTranslator qtTexts;
  if (qtTexts.load(QStringLiteral("qtbase_zh_CN"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexts);
  }

  // Song faces with the same full-width metrics, where 宋体 itself is missing.
  QFont::insertSubstitutions(QStringLiteral("宋体"),
                             {QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                              QStringLiteral("Noto Serif CJK SC")});

  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/morvane-%1.png").arg(size), QSize(size, size));
  }
  QApplication::setWindowIcon(icon);

  ui::ConvertForm form;
  form.show();
  return QApplication::exec();
}
