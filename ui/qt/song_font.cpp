#include "ui/qt/song_font.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace ui {

void useSongFaces() {
  // Song faces with the same full-width metrics as 宋体, the system's first.
  QStringList faces{QStringLiteral("SimSun"), QStringLiteral("AR PL UMing CN"),
                    QStringLiteral("Noto Serif CJK SC")};
  // The subset holds only the window's own characters: any other character,
  // such as those of a path typed into a box, comes from the system's fonts
  // as every missing glyph does.
  const int subset = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/morvane-song.otf"));
  if (subset >= 0) faces << QFontDatabase::applicationFontFamilies(subset);
  QFont::insertSubstitutions(QStringLiteral("宋体"), faces);
}

}  // namespace ui
