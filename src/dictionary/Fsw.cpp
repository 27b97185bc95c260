#include "dictionary/Fsw.h"

namespace quabe {

namespace {
bool isHex(QChar c) {
  return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f')) ||
         (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// "S" + 5 hex digits at i.
bool isKeyAt(QStringView text, qsizetype i) {
  if (i + 6 > text.size() || text.at(i) != QLatin1Char('S')) return false;
  for (qsizetype k = 1; k < 6; ++k) {
    if (!isHex(text.at(i + k))) return false;
  }
  return true;
}

// "ddd" + "x" + "ddd" at i.
bool coordinateAt(QStringView text, qsizetype i, int& x, int& y) {
  if (i + 7 > text.size() || text.at(i + 3) != QLatin1Char('x')) return false;
  for (qsizetype k : {0, 1, 2, 4, 5, 6}) {
    if (!isDigit(text.at(i + k))) return false;
  }
  x = text.mid(i, 3).toInt();
  y = text.mid(i + 4, 3).toInt();
  return true;
}

bool isBoxMarker(QChar c) {
  return c == QLatin1Char('B') || c == QLatin1Char('L') || c == QLatin1Char('M') || c == QLatin1Char('R');
}

// Position after an optional sort sequence "A" + keys.
qsizetype skipSortSequence(QStringView text) {
  if (text.isEmpty() || text.at(0) != QLatin1Char('A')) return 0;
  qsizetype i = 1;
  while (isKeyAt(text, i)) i += 6;
  return i;
}
}  // namespace

int FswSign::minX() const {
  if (symbols.isEmpty()) return 500;
  int m = symbols.first().x;
  for (const FswSymbol& s : symbols) m = qMin(m, s.x);
  return m;
}

int FswSign::minY() const {
  if (symbols.isEmpty()) return 500;
  int m = symbols.first().y;
  for (const FswSymbol& s : symbols) m = qMin(m, s.y);
  return m;
}

bool FswSign::looksLikeSign(QStringView text) {
  text = text.trimmed();
  const qsizetype i = skipSortSequence(text);
  int x = 0, y = 0;
  return i < text.size() && isBoxMarker(text.at(i)) && coordinateAt(text, i + 1, x, y);
}

std::optional<FswSign> FswSign::parse(QStringView text) {
  text = text.trimmed();
  qsizetype i = skipSortSequence(text);
  if (i >= text.size() || !isBoxMarker(text.at(i))) return std::nullopt;
  FswSign sign;
  sign.boxMarker = text.at(i);
  sign.lane = sign.boxMarker == QLatin1Char('L') ? -1 : sign.boxMarker == QLatin1Char('R') ? 1 : 0;
  if (!coordinateAt(text, i + 1, sign.maxX, sign.maxY)) return std::nullopt;
  i += 8;
  while (i < text.size()) {
    if (!isKeyAt(text, i)) return std::nullopt;
    FswSymbol symbol;
    symbol.key = text.mid(i, 6).toString();
    symbol.code = SSS::fromFswKey(symbol.key);
    if (symbol.code == 0 || !coordinateAt(text, i + 6, symbol.x, symbol.y)) return std::nullopt;
    sign.symbols.append(symbol);
    i += 13;
  }
  return sign;
}

}  // namespace quabe
