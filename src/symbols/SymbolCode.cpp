#include "symbols/SymbolCode.h"

#include <QHash>
#include <QStringList>
#include <cctype>
#include <vector>

namespace quabe {

namespace {

struct GroupRow {
  int category;
  int group;
  int firstSerial;
  std::vector<int> baseSymbols;  // base symbol numbers in order
  std::vector<int> variations;   // variations of each, same order
};

std::vector<int> ones(int n) { return std::vector<int>(size_t(n), 1); }
std::vector<int> range(int from, int to) {
  std::vector<int> v;
  for (int i = from; i <= to; ++i) v.push_back(i);
  return v;
}

const std::vector<GroupRow>& groupTable() {
  static const std::vector<GroupRow> rows = [] {
    std::vector<GroupRow> r = {
        {1, 1, 1, range(1, 14), ones(14)},
        {1, 2, 15, range(1, 16), ones(16)},
        {1, 3, 31, range(1, 38), ones(38)},
        {1, 4, 69, range(1, 8), ones(8)},
        {1, 5, 77, range(1, 58), ones(58)},
        {1, 6, 135, range(1, 30), ones(30)},
        {1, 7, 165, range(1, 22), ones(22)},
        {1, 8, 187, range(1, 19), ones(19)},
        {1, 9, 206, range(1, 40), ones(40)},
        {1, 10, 246, range(1, 16), ones(16)},
        {2, 1, 262, range(1, 17), ones(17)},
        {2, 2, 279, range(1, 13), {2, 2, 1, 2, 2, 1, 1, 2, 2, 2, 1, 1, 1}},
        {2, 3, 299, range(1, 20), {5, 2, 2, 1, 2, 2, 3, 4, 3, 3, 3, 3, 1, 1, 1, 1, 1, 1, 1, 3}},
        {2, 4, 342, range(1, 4), {4, 4, 4, 4}},
        {2, 5, 358, range(1, 19), {5, 2, 2, 1, 2, 2, 1, 3, 1, 3, 3, 3, 1, 1, 1, 1, 1, 1, 1}},
        {2, 6, 393, range(1, 11), {4, 4, 2, 3, 4, 6, 3, 1, 1, 1, 1}},
        {2,
         7,
         423,
         {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16},
         {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3}},
        {2, 8, 440, range(1, 14), {2, 4, 4, 2, 1, 1, 1, 2, 4, 4, 2, 1, 1, 1}},
        {2, 9, 470, range(1, 8), {5, 1, 1, 3, 1, 1, 1, 1}},
        {2, 10, 484, range(1, 8), {2, 2, 3, 3, 2, 2, 4, 2}},
        {3, 1, 504, range(1, 4), {1, 1, 2, 4}},
        {4, 1, 512, range(1, 10), {1, 1, 1, 1, 1, 1, 1, 1, 1, 2}},
        {4, 2, 523, range(1, 11), {3, 4, 3, 5, 5, 3, 3, 3, 1, 1, 1}},
        {4, 3, 555, range(1, 7), {3, 3, 1, 4, 2, 2, 2}},
        {4, 4, 572, range(1, 11), {3, 3, 3, 3, 3, 3, 3, 3, 3, 1, 2}},
        {4, 5, 602, range(1, 13), {5, 1, 1, 1, 2, 2, 2, 1, 1, 1, 1, 1, 1}},
        {5, 1, 622, range(1, 9), ones(9)},
        {5, 2, 631, range(1, 4), {1, 4, 3, 1}},
        {6, 1, 640, range(1, 7), {2, 1, 1, 1, 1, 1, 1}},
        {7, 1, 648, range(1, 3), {2, 2, 1}},
    };
    return r;
  }();
  return rows;
}

// The two look-up tables of the serial numbering, built from the group table:
// (category*10+group) -> first serial, and (first serial*60 + base symbol) ->
// serial of its first variation; plus the 652 keys' entries.
struct SerialTables {
  QHash<int, int> firstSerialOfGroup;
  QHash<int, int> serialOfBaseSymbol;
  QHash<int, int> variationsOfBaseSymbol;
  struct KeyEntry {
    int groupFirstKey;
    int baseSymbol;
    int variation;
  };
  QHash<int, KeyEntry> keys;                       // base-symbol key -> entry
  QHash<int, std::pair<int, int>> groupStartKeys;  // first key of group -> (category, group)
  QHash<int, int> baseSymbolCount;                 // category*10+group -> highest base symbol number
};

const SerialTables& serialTables() {
  static const SerialTables t = [] {
    SerialTables s;
    for (const GroupRow& row : groupTable()) {
      const int groupKey = row.category * 10 + row.group;
      s.firstSerialOfGroup.insert(groupKey, row.firstSerial);
      s.groupStartKeys.insert(row.firstSerial + 255, {row.category, row.group});
      s.baseSymbolCount.insert(groupKey, row.baseSymbols.back());
      int serial = row.firstSerial;
      for (size_t i = 0; i < row.baseSymbols.size(); ++i) {
        s.serialOfBaseSymbol.insert(row.firstSerial * 60 + row.baseSymbols[i], serial);
        s.variationsOfBaseSymbol.insert(row.firstSerial * 60 + row.baseSymbols[i], row.variations[i]);
        for (int v = 1; v <= row.variations[i]; ++v) {
          s.keys.insert(serial + 255, {row.firstSerial + 255, row.baseSymbols[i], v});
          ++serial;
        }
      }
    }
    return s;
  }();
  return t;
}

// Rotation counts of the movement base symbols, by group and base symbol:
// the number of rotations the symbol set (the SignWriting fonts) draws for
// each. Six and twelve are eight and sixteen without the quarter turns 3
// and 7 (and 11 and 15), which the symbol set does not draw for those
// arrows. Movement group 7 has no base symbol 8.
const std::array<std::vector<int>, 10>& rotationTable() {
  static const std::array<std::vector<int>, 10> t = {{
      {1, 4, 4, 1, 4, 4, 1, 4, 4, 1, 4, 4, 1, 4, 4, 8, 4},
      {1, 4, 16, 1, 4, 16, 8, 8, 16, 8, 8, 8, 8},
      {8, 8, 16, 16, 8, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 12, 12, 12, 8, 16},
      {6, 6, 6, 6},
      {8, 8, 16, 16, 8, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 8},
      std::vector<int>(11, 16),
      {4, 4, 4, 4, 4, 4, 4, -1, 4, 4, 4, 4, 4, 4, 4, 12},
      std::vector<int>(14, 8),
      std::vector<int>(8, 16),
      {16, 16, 16, 16, 16, 6, 8, 8},
  }};
  return t;
}

// Decimal unsigned 32-bit integer with an optional '+'; invalid -> 0.
quint32 parsePart(const QString& part) {
  int i = 0;
  if (part.startsWith(QLatin1Char('+'))) i = 1;
  if (i >= part.size()) return 0;
  quint64 value = 0;
  for (; i < part.size(); ++i) {
    const QChar ch = part.at(i);
    if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) return 0;
    value = value * 10 + quint64(ch.unicode() - '0');
    if (value > 0xFFFFFFFFull) return 0;
  }
  return quint32(value);
}

}  // namespace

SymbolCode SSS::make(quint32 category, quint32 group, quint32 baseSymbol, quint32 variation, quint32 fill,
                     quint32 rotation) {
  return (category << 28) | ((group & 15) << 24) | ((baseSymbol & 255) << 16) | ((variation & 15) << 12) |
         ((fill & 15) << 8) | (rotation & 255);
}

std::optional<SymbolCode> SSS::parse(const QString& text) {
  const QStringList parts = text.split(QLatin1Char('-'));
  if (parts.size() < 6) return std::nullopt;
  return make(parsePart(parts[0]), parsePart(parts[1]), parsePart(parts[2]), parsePart(parts[3]), parsePart(parts[4]),
              parsePart(parts[5]));
}

SymbolCode SSS::fromString(const QString& text) { return parse(text).value_or(0); }

QString SSS::toString(SymbolCode code) {
  return QString::asprintf("%02d-%02d-%03d-%02d-%02d-%02d", categoryField(code), group(code), baseSymbol(code),
                           variation(code), fill(code), rotation(code));
}

std::optional<Category> SSS::categoryOf(SymbolCode code) {
  const int field = categoryField(code);
  if (field < 1 || field > 8) return std::nullopt;
  return static_cast<Category>(field - 1);
}

int SSS::rotationCount(SymbolCode code) {
  const int field = categoryField(code);
  if (field == 1) return 16;
  if (field != 2) return -1;
  const int g = group(code);
  const int b = baseSymbol(code);
  if (g < 1 || g > 10) return -1;
  const auto& row = rotationTable()[size_t(g - 1)];
  if (b < 1 || b > int(row.size())) return -1;
  return row[size_t(b - 1)];
}

int SSS::flippedRotation(SymbolCode code, bool vertical) {
  const int r = rotation(code);
  const int count = rotationCount(code);
  const bool movement = categoryField(code) == 2;
  if (movement && count == 4) return r == 2 ? 4 : r == 4 ? 2 : r;
  if (movement && count == 8) return ((((vertical ? 13 : 9) - r) % 8) + 8) % 8 + 1;
  if (!vertical) return ((r + 7) & 15) + 1;
  if ((r >= 1 && r <= 4) || (r >= 9 && r <= 12)) return ((r + 11) & 15) + 1;
  return ((r + 3) & 15) + 1;
}

int SSS::serialBaseSymbolNumber(int category, int group, int baseSymbol, int variation) {
  const SerialTables& t = serialTables();
  const auto first = t.firstSerialOfGroup.constFind(category * 10 + group);
  if (first == t.firstSerialOfGroup.constEnd() || group < 1 || group > 10) return 0;
  const auto serial = t.serialOfBaseSymbol.constFind(*first * 60 + baseSymbol);
  if (serial == t.serialOfBaseSymbol.constEnd() || baseSymbol < 1) return 0;
  return *serial + variation - 1;
}

int SSS::variationCount(int category, int group, int baseSymbol) {
  const SerialTables& t = serialTables();
  const auto first = t.firstSerialOfGroup.constFind(category * 10 + group);
  if (first == t.firstSerialOfGroup.constEnd() || group < 1 || group > 10 || baseSymbol < 1) return 0;
  return t.variationsOfBaseSymbol.value(*first * 60 + baseSymbol, 0);
}

int SSS::baseSymbolCount(int category, int group) {
  if (group < 1 || group > 10) return 0;
  return serialTables().baseSymbolCount.value(category * 10 + group, 0);
}

bool SSS::isPlausible(SymbolCode code) {
  const int v = variation(code);
  const int n = variationCount(categoryField(code), group(code), baseSymbol(code));
  const int f = fill(code);
  const int r = rotation(code);
  return n > 0 && v >= 1 && v <= n && f >= 1 && f <= 6 && r >= 1 && r <= 16;
}

int SSS::fswKeyNumber(SymbolCode code) {
  const int serial = serialBaseSymbolNumber(categoryField(code), group(code), baseSymbol(code), variation(code));
  const int f = fill(code);
  const int r = rotation(code);
  if (serial < 1 || serial > 652 || f < 1 || f > 6 || r < 1 || r > 16) return 0;
  return ((serial + 255) << 8) | ((f - 1) << 4) | (r - 1);
}

SymbolCode SSS::fromFswKeyNumber(int key) {
  const int base = key >> 8;
  const int f = (key >> 4) & 15;
  const int r = key & 15;
  if (base < ISWA2010Code::firstKey || base > ISWA2010Code::lastKey || f > 5) return 0;
  const BaseSymbolComponents c = ISWA2010Code::components(base);
  return make(quint32(c.category), quint32(c.group), quint32(c.baseSymbol), quint32(c.variation), quint32(f + 1),
              quint32(r + 1));
}

QString SSS::toFswKey(SymbolCode code) {
  const int key = fswKeyNumber(code);
  if (key == 0) return {};
  return QStringLiteral("S%1").arg(key, 5, 16, QLatin1Char('0'));
}

SymbolCode SSS::fromFswKey(const QString& key) {
  QString k = key;
  if (k.startsWith(QLatin1Char('S'))) k = k.mid(1);
  if (k.size() != 5) return 0;
  for (const QChar c : k) {
    if (!isxdigit(c.toLatin1())) return 0;
  }
  return fromFswKeyNumber(k.toInt(nullptr, 16));
}

BaseSymbolComponents ISWA2010Code::components(int baseSymbolKey) {
  const SerialTables& t = serialTables();
  const auto entry = t.keys.constFind(baseSymbolKey);
  if (entry == t.keys.constEnd()) return {1, 1, 1, 1};
  const auto group = t.groupStartKeys.constFind(entry->groupFirstKey);
  if (group == t.groupStartKeys.constEnd()) return {1, 1, entry->baseSymbol, entry->variation};
  return {group->first, group->second, entry->baseSymbol, entry->variation};
}

}  // namespace quabe
