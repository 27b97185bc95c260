// The text forms of one sign: reading and writing FSW and SWU.
#include "document/Fsw.h"

#include <algorithm>

namespace quabe {

namespace {

// SWU characters: the sort marker, the box markers B L M R, numbers from
// 250 on, and symbol keys (96 per base symbol: six fills of sixteen rotations).
constexpr char32_t SwuSortMarker = 0x1D800;
constexpr char32_t SwuFirstBoxMarker = 0x1D801;
constexpr char32_t SwuFirstNumber = 0x1D80C;
constexpr char32_t SwuFirstSymbol = 0x40001;
constexpr int FirstBase = 0x100;
constexpr int LastBase = 0x38B;
constexpr int FirstPunctuationBase = 0x387;
constexpr char BoxMarkers[] = "BLMR";

bool isPunctuationKey(int key) { return (key >> 8) >= FirstPunctuationBase && (key >> 8) <= LastBase; }

int hexValue(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'a' && u <= u'f') return u - u'a' + 10;
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  return -1;
}

int boxIndex(QChar c) {
  for (int i = 0; i < 4; ++i) {
    if (c == QLatin1Char(BoxMarkers[i])) return i;
  }
  return -1;
}

// --- FSW ---

// The key "S" + base (100-38b) + fill (0-5) + rotation at i, or -1.
int fswKeyAt(QStringView text, qsizetype i) {
  if (i + 6 > text.size() || text[i] != QLatin1Char('S')) return -1;
  int key = 0;
  for (qsizetype k = 1; k < 6; ++k) {
    const int v = hexValue(text[i + k]);
    if (v < 0) return -1;
    key = key * 16 + v;
  }
  const int base = key >> 8;
  return base >= FirstBase && base <= LastBase && ((key >> 4) & 15) <= 5 ? key : -1;
}

int fswNumberAt(QStringView text, qsizetype i) {
  int n = 0;
  for (qsizetype k = 0; k < 3; ++k) {
    const char16_t u = text[i + k].unicode();
    if (u < u'0' || u > u'9') return -1;
    n = n * 10 + (u - u'0');
  }
  return n;
}

// "XXXxYYY" at i.
bool fswPointAt(QStringView text, qsizetype i, int& x, int& y) {
  if (i + 7 > text.size() || text[i + 3] != QLatin1Char('x')) return false;
  x = fswNumberAt(text, i);
  y = fswNumberAt(text, i + 4);
  return x >= 0 && y >= 0;
}

std::optional<FswSign> parseFswAt(QStringView text, qsizetype& pos) {
  FswSign sign;
  qsizetype i = pos;
  int key = -1;
  if (text[i] == QLatin1Char('A')) {
    sign.hasSortPrefix = true;
    for (++i; (key = fswKeyAt(text, i)) >= 0; i += 6) sign.sortKeys.append(key);
  }
  const int box = i < text.size() ? boxIndex(text[i]) : -1;
  if (box >= 0 && fswPointAt(text, i + 1, sign.maxX, sign.maxY)) {
    sign.box = BoxMarkers[box];
    i += 8;
  } else if (FswSymbol s; !sign.hasSortPrefix && (s.key = fswKeyAt(text, i)) >= 0 && isPunctuationKey(s.key) &&
                          fswPointAt(text, i + 6, s.x, s.y)) {
    sign.box = 0;
    sign.symbols.append(s);
    pos = i + 13;
    return sign;
  } else {
    return std::nullopt;
  }
  FswSymbol s;
  while ((s.key = fswKeyAt(text, i)) >= 0 && fswPointAt(text, i + 6, s.x, s.y)) {
    sign.symbols.append(s);
    i += 13;
  }
  pos = i;
  return sign;
}

void appendFswKey(QString& out, int key) {
  static constexpr char hex[] = "0123456789abcdef";
  out += QLatin1Char('S');
  for (int shift = 16; shift >= 0; shift -= 4) out += QLatin1Char(hex[(key >> shift) & 15]);
}

void appendFswPoint(QString& out, int x, int y) {
  const auto number = [&out](int n) {
    n = std::clamp(n, 0, 999);
    out += QLatin1Char(char('0' + n / 100));
    out += QLatin1Char(char('0' + n / 10 % 10));
    out += QLatin1Char(char('0' + n % 10));
  };
  number(x);
  out += QLatin1Char('x');
  number(y);
}

// --- SWU ---

// The code point at i (a surrogate pair counts as one); its length in len.
char32_t codePointAt(QStringView text, qsizetype i, int& len) {
  len = 0;
  if (i >= text.size()) return 0;
  const QChar c = text[i];
  if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
    len = 2;
    return QChar::surrogateToUcs4(c, text[i + 1]);
  }
  len = 1;
  return c.unicode();
}

int swuKeyAt(QStringView text, qsizetype& i) {
  int len = 0;
  const char32_t c = codePointAt(text, i, len);
  const char32_t last = SwuFirstSymbol + (LastBase - FirstBase + 1) * 96 - 1;
  if (c < SwuFirstSymbol || c > last) return -1;
  const int offset = int(c - SwuFirstSymbol);
  i += len;
  return ((FirstBase + offset / 96) << 8) | ((offset % 96 / 16) << 4) | (offset % 16);
}

int swuNumberAt(QStringView text, qsizetype& i) {
  int len = 0;
  const char32_t c = codePointAt(text, i, len);
  if (c < SwuFirstNumber || c > SwuFirstNumber + (FswMaxCoordinate - FswMinCoordinate)) return -1;
  i += len;
  return FswMinCoordinate + int(c - SwuFirstNumber);
}

bool swuPointAt(QStringView text, qsizetype& i, int& x, int& y) {
  qsizetype j = i;
  x = swuNumberAt(text, j);
  if (x < 0) return false;
  y = swuNumberAt(text, j);
  if (y < 0) return false;
  i = j;
  return true;
}

// A key followed by its position at i.
bool swuSymbolAt(QStringView text, qsizetype& i, FswSymbol& s) {
  qsizetype j = i;
  s.key = swuKeyAt(text, j);
  if (s.key < 0 || !swuPointAt(text, j, s.x, s.y)) return false;
  i = j;
  return true;
}

std::optional<FswSign> parseSwuAt(QStringView text, qsizetype& pos) {
  FswSign sign;
  qsizetype i = pos;
  int len = 0;
  if (codePointAt(text, i, len) == SwuSortMarker) {
    sign.hasSortPrefix = true;
    i += len;
    for (int key; (key = swuKeyAt(text, i)) >= 0;) sign.sortKeys.append(key);
  }
  const char32_t marker = codePointAt(text, i, len);
  FswSymbol s;
  if (marker >= SwuFirstBoxMarker && marker < SwuFirstBoxMarker + 4) {
    qsizetype j = i + len;
    if (!swuPointAt(text, j, sign.maxX, sign.maxY)) return std::nullopt;
    sign.box = BoxMarkers[marker - SwuFirstBoxMarker];
    i = j;
  } else if (!sign.hasSortPrefix && swuSymbolAt(text, i, s) && isPunctuationKey(s.key)) {
    sign.box = 0;
    sign.symbols.append(s);
    pos = i;
    return sign;
  } else {
    return std::nullopt;
  }
  while (swuSymbolAt(text, i, s)) sign.symbols.append(s);
  pos = i;
  return sign;
}

void appendCodePoint(QString& out, char32_t c) {
  const char16_t pair[2] = {QChar::highSurrogate(c), QChar::lowSurrogate(c)};
  out.append(reinterpret_cast<const QChar*>(pair), 2);
}

void appendSwuKey(QString& out, int key) {
  appendCodePoint(out, SwuFirstSymbol + ((key >> 8) - FirstBase) * 96 + ((key >> 4) & 15) * 16 + (key & 15));
}

void appendSwuPoint(QString& out, int x, int y) {
  for (int n : {x, y})
    appendCodePoint(out, SwuFirstNumber + (std::clamp(n, FswMinCoordinate, FswMaxCoordinate) - FswMinCoordinate));
}

}  // namespace

int FswSign::lane() const { return box == 'L' ? -1 : box == 'R' ? 1 : 0; }

int FswSign::minX() const {
  if (symbols.isEmpty()) return FswCentre;
  return std::min_element(symbols.begin(), symbols.end(), [](auto& a, auto& b) { return a.x < b.x; })->x;
}

int FswSign::minY() const {
  if (symbols.isEmpty()) return FswCentre;
  return std::min_element(symbols.begin(), symbols.end(), [](auto& a, auto& b) { return a.y < b.y; })->y;
}

void FswSign::appendFsw(QString& out) const {
  if (box == 0 && symbols.size() == 1) {
    appendFswKey(out, symbols.first().key);
    appendFswPoint(out, symbols.first().x, symbols.first().y);
    return;
  }
  if (hasSortPrefix) {
    out += QLatin1Char('A');
    for (int key : sortKeys) appendFswKey(out, key);
  }
  out += QLatin1Char(box == 0 ? 'M' : box);
  appendFswPoint(out, maxX, maxY);
  for (const FswSymbol& s : symbols) {
    appendFswKey(out, s.key);
    appendFswPoint(out, s.x, s.y);
  }
}

void FswSign::appendSwu(QString& out) const {
  if (box == 0 && symbols.size() == 1) {
    appendSwuKey(out, symbols.first().key);
    appendSwuPoint(out, symbols.first().x, symbols.first().y);
    return;
  }
  if (hasSortPrefix) {
    appendCodePoint(out, SwuSortMarker);
    for (int key : sortKeys) appendSwuKey(out, key);
  }
  const char* marker = std::find(BoxMarkers, BoxMarkers + 4, box == 0 ? 'M' : box);
  appendCodePoint(out, SwuFirstBoxMarker + char32_t(marker - BoxMarkers));
  appendSwuPoint(out, maxX, maxY);
  for (const FswSymbol& s : symbols) {
    appendSwuKey(out, s.key);
    appendSwuPoint(out, s.x, s.y);
  }
}

QString FswSign::fsw() const {
  QString out;
  out.reserve(14 + 13 * symbols.size() + 6 * sortKeys.size());
  appendFsw(out);
  return out;
}

QString FswSign::swu() const {
  QString out;
  out.reserve(6 + 6 * symbols.size() + 2 * sortKeys.size());
  appendSwu(out);
  return out;
}

std::optional<FswSign> FswSign::parseAt(QStringView text, qsizetype& pos) {
  if (pos < 0 || pos >= text.size()) return std::nullopt;
  return text[pos].unicode() < 0x80 ? parseFswAt(text, pos) : parseSwuAt(text, pos);
}

std::optional<FswSign> FswSign::parse(QStringView text) {
  text = text.trimmed();
  qsizetype pos = 0;
  std::optional<FswSign> sign = parseAt(text, pos);
  if (!sign || pos != text.size()) return std::nullopt;
  return sign;
}

}  // namespace quabe
