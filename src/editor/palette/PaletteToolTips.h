#pragma once

#include <QString>
#include <QStringList>

namespace quabe {

// Hover texts of the palettes. The English text is the localisation key;
// text() returns it in the current language.
class PaletteToolTips {
 public:
  // Main palette (palette number -1): the family name of the item; a sub
  // palette: its text for the item or "" (most sub palettes have none).
  static QString text(int paletteNumber, int item);
  // The same in English, untranslated (the localisation key).
  static QString key(int paletteNumber, int item);
  // The 49 family names of the main palette, in English.
  static const QStringList& mainTexts();
  // The English texts of sub palette n in item order; empty for most.
  static QStringList subPaletteTexts(int paletteNumber);
};

}  // namespace quabe
