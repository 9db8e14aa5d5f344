#include "gui/DialogFont.h"

#include <QFontDatabase>
#include <QStringList>

namespace quillmoor {

namespace {

const QString kDialogFamily = QStringLiteral("MS Sans Serif");
// Where Wine's font of that name lives on systems without one of their own.
const QString kWineDialogFontFile = QStringLiteral("/usr/share/wine/fonts/ms_sans_serif.ttf");

}  // namespace

QFont DialogFont() {
  if (!QFontDatabase::hasFamily(kDialogFamily)) {
    QFontDatabase::addApplicationFont(kWineDialogFontFile);
  }
  QFont font;
  font.setFamilies({kDialogFamily, QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                    QStringLiteral("Arial")});
  font.setPixelSize(11);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace quillmoor
