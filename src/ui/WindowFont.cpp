#include "ui/WindowFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

const QString kTahoma = QStringLiteral("Tahoma");
// Debian's wine fonts ship Tahoma outside fontconfig's search path.
const QString kWineTahomaFile = QStringLiteral("/usr/share/wine/fonts/tahoma.ttf");

bool TahomaAvailable() {
  if (QFontDatabase::families().contains(kTahoma)) return true;
  int id = QFontDatabase::addApplicationFont(kWineTahomaFile);
  return id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(kTahoma);
}

}  // namespace

QFont WindowFont() {
  static const bool tahoma = TahomaAvailable();
  QFont font(tahoma ? kTahoma : QStringLiteral("DejaVu Sans"));
  // 8 points at 96 dpi: a character height of 11 pixels, matching the pixel layout.
  font.setPixelSize(11);
  return font;
}
