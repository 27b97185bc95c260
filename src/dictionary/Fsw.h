#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

#include "symbols/SymbolCode.h"

namespace quabe {

// One symbol of a sign in Formal SignWriting: key and top-left position in
// FSW coordinates (centred on 500).
struct FswSymbol {
  QString key;  // "S14c20"
  SymbolCode code = 0;
  int x = 0;
  int y = 0;
};

// A sign written in Formal SignWriting, e.g. "AS14c20M518x529S14c20481x471".
struct FswSign {
  QChar boxMarker;  // 'B', 'L', 'M' or 'R'
  int lane = 0;     // L -1, M and B 0, R 1
  int maxX = 0;     // the box's lower-right corner
  int maxY = 0;
  QList<FswSymbol> symbols;

  // Smallest x and y of the symbols' positions (500, 500 without symbols).
  int minX() const;
  int minY() const;

  // Reads one sign; a leading sort sequence ("A" and symbol keys) is skipped.
  // Nothing when the text is not a sign or a symbol key is not an ISWA 2010
  // symbol. Surrounding white space is ignored.
  static std::optional<FswSign> parse(QStringView text);
  // Whether the text looks like a sign (after an optional sort sequence).
  static bool looksLikeSign(QStringView text);
};

}  // namespace quabe
