#include "editor/layout/Palette.h"

#include <QMutex>
#include <QMutexLocker>
#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <vector>

namespace quabe {

namespace {

std::vector<int> span(int from, int to) {
  std::vector<int> v;
  for (int i = from; i <= to; ++i) v.push_back(i);
  return v;
}

// Appends the cells of one palette, all within one (category, group).
class PaletteBuilder {
 public:
  PaletteBuilder(int category, int group) : m_category(category), m_group(group) {}

  PaletteBuilder& add(int base, int variation, int fill, int rotation) {
    m_codes.append(SSS::make(quint32(m_category), quint32(m_group), quint32(base), quint32(variation), quint32(fill),
                             quint32(rotation)));
    return *this;
  }
  PaletteBuilder& gap(int count = 1) {
    for (int i = 0; i < count; ++i) m_codes.append(0);
    return *this;
  }
  // Empty cells up to the start of the next grid row.
  PaletteBuilder& padRow() {
    while (m_codes.size() % Palette::Columns != 0) m_codes.append(0);
    return *this;
  }
  // Every fill of fills in every rotation of rotations (fill by fill).
  PaletteBuilder& block(int base, int variation, const std::vector<int>& fills, const std::vector<int>& rotations) {
    for (int fill : fills)
      for (int rotation : rotations) add(base, variation, fill, rotation);
    return *this;
  }
  // Every variation of the base symbol in the given fills, rotation 1.
  PaletteBuilder& variations(int base, const std::vector<int>& fills) {
    for (int v = 1; v <= SSS::variationCount(m_category, m_group, base); ++v) block(base, v, fills, {1});
    return *this;
  }
  // Base symbols from..to (skipping numbers the group does not have), each
  // variation in fills 1..fillCount(base), rotation 1.
  template <typename FillCount>
  PaletteBuilder& bases(int from, int to, FillCount fillCount) {
    for (int base = from; base <= to; ++base) variations(base, span(1, fillCount(base)));
    return *this;
  }
  PaletteBuilder& bases(int from, int to) {
    return bases(from, to, [](int) { return 1; });
  }
  // The pairs (base, variation) of base symbols from..to, fill by fill: one
  // run per fill, with an empty cell where a symbol lacks that fill.
  template <typename FillCount>
  PaletteBuilder& fillByFill(int from, int to, int maxFill, FillCount fillCount) {
    for (int fill = 1; fill <= maxFill; ++fill)
      for (int base = from; base <= to; ++base)
        for (int v = 1; v <= SSS::variationCount(m_category, m_group, base); ++v) {
          if (fill <= fillCount(base))
            add(base, v, fill, 1);
          else
            gap();
        }
    return *this;
  }
  // Cuts the palette to the grid's capacity.
  PaletteBuilder& limitToGrid() {
    if (m_codes.size() > Palette::MaxItems) m_codes.resize(Palette::MaxItems);
    return *this;
  }
  QList<SymbolCode> codes() const { return m_codes; }

 private:
  int m_category;
  int m_group;
  QList<SymbolCode> m_codes;
};

// Hand groups 1-10: every base symbol with fill 1 (fill 2 where the first
// fill hides the shape), rotation 1. In group 6 the empty cell after base
// symbol 9 keeps the place of a handshape ISWA 2010 does not define.
QList<SymbolCode> handPalette(int group) {
  static const std::array<std::vector<int>, 11> fillTwo = {{
      {},
      {},
      {},
      {},
      {},
      {2, 4, 6, 17, 19},
      {2, 4, 6},
      {2, 4, 6},
      {},
      {2, 4, 6},
      {2, 13, 16},
  }};
  PaletteBuilder b(1, group);
  for (int base = 1; base <= SSS::baseSymbolCount(1, group); ++base) {
    const auto& two = fillTwo[size_t(group)];
    const bool secondFill = std::find(two.begin(), two.end(), base) != two.end();
    b.add(base, 1, secondFill ? 2 : 1, 1);
    if (group == 6 && base == 9) b.gap();
  }
  return b.codes();
}

QList<SymbolCode> contactPalette() {
  PaletteBuilder b(2, 1);
  for (int base = 1; base <= 17; ++base) {
    const bool singleFill = base == 1 || base == 4 || base == 7 || base == 10 || base == 13;
    b.block(base, 1, singleFill ? std::vector<int>{1} : std::vector<int>{1, 2}, {1});
  }
  return b.codes();
}

QList<SymbolCode> fingerMovementPalette() {
  // Fills 1-3 where the symbol has them; all six for the turning movements
  // 3, 6 and 9; the last base symbol with fills 1-2.
  static const std::array<int, 14> fills = {0, 1, 2, 6, 1, 2, 6, 2, 3, 6, 3, 3, 3, 2};
  return PaletteBuilder(2, 2).bases(1, 13, [](int base) { return fills[size_t(base)]; }).codes();
}

// Movement groups: every base symbol and variation, fill 1, rotation 1; the
// first symbol also in its further fills.
QList<SymbolCode> movementPalette(int group, int firstSymbolFills) {
  PaletteBuilder b(2, group);
  b.block(1, 1, span(1, firstSymbolFills), {1});
  for (int v = 2; v <= SSS::variationCount(2, group, 1); ++v) b.add(1, v, 1, 1);
  b.bases(2, SSS::baseSymbolCount(2, group));
  return b.codes();
}

QList<SymbolCode> diagonalPlanePalette() {
  PaletteBuilder b(2, 4);
  for (int base = 1; base <= 4; ++base) b.block(base, 1, {1}, {1, 2, 4}).add(base, 1, 2, 1).add(base, 1, 3, 1);
  return b.codes();
}

QList<SymbolCode> curvesHitFloorPlanePalette() {
  PaletteBuilder b(2, 8);
  for (int base = 1; base <= 14; ++base) {
    int variations = SSS::variationCount(2, 8, base);
    if (base == 3 || base == 10) variations = 3;
    for (int v = 1; v <= variations; ++v) b.add(base, v, 1, 1);
  }
  return b.codes();
}

QList<SymbolCode> dynamicsPalette() {
  PaletteBuilder b(3, 1);
  b.block(1, 1, span(1, 4), {1}).gap();
  b.block(2, 1, {1}, span(1, 8)).gap(2);
  b.block(3, 1, span(1, 4), {1}).gap();
  b.block(3, 2, span(1, 4), {1});
  return b.codes();
}

QList<SymbolCode> timingPalette() {
  PaletteBuilder b(3, 1);
  for (int v = 1; v <= 4; ++v) {
    if (v > 1) b.gap(2);
    b.block(4, v, {1}, span(1, 8));
  }
  return b.codes();
}

QList<SymbolCode> headPalette(int index) {
  PaletteBuilder b(4, 1);
  switch (index) {
    case 22:
      b.block(1, 1, {1}, span(1, 4)).gap().block(1, 1, {2}, span(1, 4)).gap();
      break;
    case 23:
      b.block(1, 1, {3}, span(1, 4));
      break;
    case 24:
      b.block(1, 1, {4}, span(1, 4));
      break;
    case 25:
      b.block(2, 1, {1}, span(1, 8));
      break;
    case 26:
      // Opposite directions (rotations 1 and 5) where the movement has them.
      b.block(3, 1, span(1, 6), {1, 5}).block(4, 1, span(1, 6), {1}).block(5, 1, span(1, 6), {1, 5});
      for (int base = 6; base <= 8; ++base) b.block(base, 1, {1, 2}, {1});
      break;
    case 27:
      b.block(9, 1, {1, 4}, {1, 2});
      break;
    case 28:
      b.block(9, 1, {2, 3, 5, 6}, {1, 2});
      break;
    default: {
      // 29-31: the face of fill 1, 2 or 3 in all sixteen rotations, one
      // grid row per eight rotations.
      const int fill = index - 28;
      for (int v = 1; v <= 2; ++v) {
        b.block(10, v, {fill}, span(1, 8)).gap(2);
        b.block(10, v, {fill}, span(9, 16)).gap(2);
      }
    }
  }
  return b.codes();
}

QList<SymbolCode> facePalette(int index) {
  switch (index) {
    case 32:  // eyebrows (six fills) and forehead (two), fill by fill
      return PaletteBuilder(4, 2).fillByFill(1, 3, 6, [](int base) { return base == 3 ? 2 : 6; }).codes();
    case 33:  // eyes and eyelashes, fill by fill, as far as the grid holds
      return PaletteBuilder(4, 2).fillByFill(4, 6, 5, [](int) { return 5; }).limitToGrid().codes();
    case 34: {  // eye gaze in four directions
      PaletteBuilder b(4, 2);
      b.block(7, 1, span(1, 4), {1, 3, 5, 7}).block(8, 1, span(1, 4), {1, 3, 5, 7});
      return b.codes();
    }
    case 35: {  // cheeks and ears: one grid row per symbol
      PaletteBuilder b(4, 3);
      for (int v = 1; v <= 3; ++v) b.block(1, v, span(1, 5), {1});
      for (int v = 1; v <= 3; ++v) b.block(2, v, span(1, 4), {1}).padRow();
      b.block(3, 1, span(1, 4), {1}).padRow();
      return b.codes();
    }
    case 36: {
      static const std::array<int, 8> fills = {0, 0, 0, 0, 2, 6, 2, 6};
      return PaletteBuilder(4, 3).bases(4, 7, [](int base) { return fills[size_t(base)]; }).codes();
    }
    case 37:
      return PaletteBuilder(4, 4).bases(1, 11, [](int) { return 2; }).codes();
    case 38: {
      static const std::array<int, 5> fills = {0, 2, 4, 6, 4};
      return PaletteBuilder(4, 5).bases(1, 4, [](int base) { return fills[size_t(base)]; }).codes();
    }
    case 39:
      return PaletteBuilder(4, 5).bases(5, 8, [](int) { return 6; }).codes();
    case 40: {  // jaw movements: every direction in fill 1
      PaletteBuilder b(4, 5);
      for (int base = 9; base <= 10; ++base) b.block(base, 1, {1}, span(1, 8)).add(base, 1, 2, 1).add(base, 1, 3, 1);
      return b.codes();
    }
    default: {  // 41
      static const std::array<int, 14> fills = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 4, 4};
      return PaletteBuilder(4, 5).bases(11, 13, [](int base) { return fills[size_t(base)]; }).codes();
    }
  }
}

QList<SymbolCode> bodyPalette(int index) {
  switch (index) {
    case 42: {  // shoulder and hip positions, one run of rows per fill
      PaletteBuilder b(5, 1);
      for (int fill = 1; fill <= 2; ++fill) b.block(1, 1, {fill}, span(1, 4)).padRow();
      for (int fill = 1; fill <= 4; ++fill) {
        b.block(2, 1, {fill}, span(1, 6));
        if (fill < 4) b.padRow();
      }
      return b.codes();
    }
    case 43: {
      PaletteBuilder b(5, 1);
      for (int base = 3; base <= 5; ++base) b.block(base, 1, span(1, 3), span(1, 4));
      for (int base = 6; base <= 8; ++base) b.block(base, 1, {1}, span(1, 4));
      return b.codes();
    }
    case 44: {  // torso tilts: every fill in its eight directions
      PaletteBuilder b(5, 1);
      for (int fill = 1; fill <= 6; ++fill) b.block(9, 1, {fill}, span(1, 8)).gap(2);
      return b.codes();
    }
    case 45:
      return PaletteBuilder(5, 2).block(1, 1, {1}, span(1, 8)).gap(2).block(1, 1, {1}, span(9, 16)).gap(2).codes();
    default: {  // 46: limbs as drawn and mirrored
      PaletteBuilder b(5, 2);
      for (int base = 2; base <= 3; ++base)
        for (int v = 1; v <= SSS::variationCount(5, 2, base); ++v) b.block(base, v, {1, 2}, {1, 9});
      b.gap().block(4, 1, span(1, 6), {1, 9});
      return b.codes();
    }
  }
}

QList<SymbolCode> locationPalette() {
  PaletteBuilder b(6, 1);
  b.block(1, 1, span(1, 4), {1}).padRow();
  b.block(1, 2, span(1, 4), {1}).padRow();
  b.block(2, 1, {1, 2}, {1}).add(3, 1, 1, 1).add(4, 1, 1, 1).padRow();
  b.block(5, 1, span(1, 5), {1});
  b.block(6, 1, span(1, 4), {1}).padRow();
  b.block(7, 1, span(1, 6), {1, 9}).gap();
  return b.codes();
}

QList<SymbolCode> punctuationPalette() {
  PaletteBuilder b(7, 1);
  b.block(1, 1, span(1, 4), {1, 3}).gap(2);
  b.block(1, 2, span(1, 4), {1, 3}).gap(2);
  b.block(2, 1, {1}, {1, 3}).block(2, 2, {1}, {1, 3}).gap();
  b.block(3, 1, {1}, {1, 3, 5, 7}).gap();
  // Quotation marks, bracket and scope mark: the system's own extension glyphs.
  b.block(4, 1, {1}, {1, 2}).gap(3);
  b.block(5, 1, {1}, span(1, 4)).gap();
  b.block(6, 1, {1}, span(1, 3));
  return b.codes();
}

QList<SymbolCode> buildSubPalette(int i) {
  if (i >= 0 && i <= 9) return handPalette(i + 1);
  switch (i) {
    case 10:
      return contactPalette();
    case 11:
      return fingerMovementPalette();
    case 12:
      return movementPalette(3, 3);
    case 13:
      return diagonalPlanePalette();
    case 14:
      return movementPalette(5, 3);
    case 15:
      return movementPalette(6, 1);
    case 16:
      return movementPalette(7, 3);
    case 17:
      return curvesHitFloorPlanePalette();
    case 18:
      return movementPalette(9, 1);
    case 19:
      return movementPalette(10, 1);
    case 20:
      return dynamicsPalette();
    case 21:
      return timingPalette();
    case 47:
      return locationPalette();
    case 48:
      return punctuationPalette();
    default:
      break;
  }
  if (i >= 22 && i <= 31) return headPalette(i);
  if (i >= 32 && i <= 41) return facePalette(i);
  if (i >= 42 && i <= 46) return bodyPalette(i);
  return {};
}

const std::array<const char*, Palette::FamilyCount> mainItems = {
    "01-01-001-01-01-01", "01-02-001-01-01-01", "01-03-001-01-01-01", "01-04-001-01-01-01", "01-05-001-01-01-01",
    "01-06-001-01-01-01", "01-07-001-01-01-01", "01-08-001-01-01-01", "01-09-001-01-01-01", "01-10-001-01-01-01",
    "02-01-001-01-01-01", "02-02-001-01-01-01", "02-03-001-01-01-01", "02-04-001-01-01-01", "02-05-001-01-01-01",
    "02-06-001-01-01-01", "02-07-001-01-01-01", "02-08-001-01-01-01", "02-09-001-01-01-01", "02-10-001-01-01-01",
    "03-01-001-01-01-01", "03-01-004-01-01-01", "04-01-001-01-01-01", "04-01-001-01-03-01", "04-01-001-01-04-01",
    "04-01-002-01-01-01", "04-01-003-01-01-01", "04-01-009-01-01-01", "04-01-009-01-02-01", "04-01-010-01-01-01",
    "04-01-010-01-02-01", "04-01-010-01-03-01", "04-02-001-01-01-01", "04-02-004-01-01-01", "04-02-007-01-01-01",
    "04-03-001-01-01-01", "04-03-004-01-01-01", "04-04-001-01-01-01", "04-05-001-01-01-01", "04-05-005-01-01-01",
    "04-05-009-01-01-01", "04-05-011-01-01-01", "05-01-002-01-01-01", "05-01-003-01-01-01", "05-01-009-01-01-01",
    "05-02-001-01-01-01", "05-02-002-01-01-01", "06-01-001-01-01-01", "07-01-001-01-01-01",
};

}  // namespace

const Palette& Palette::mainPalette() {
  static const Palette main = [] {
    QList<SymbolCode> codes;
    for (const char* text : mainItems) codes.append(SSS::fromString(QString::fromLatin1(text)));
    return Palette(codes);
  }();
  return main;
}

const Palette& Palette::palette(int i) {
  static const Palette none;
  if (i < 0 || i >= FamilyCount) return none;
  // Built on first use; the UI thread is the only caller in the editor, the
  // lock keeps tools and tests that call from elsewhere safe.
  static QMutex mutex;
  static std::array<std::unique_ptr<Palette>, FamilyCount> subPalettes;
  QMutexLocker lock(&mutex);
  auto& slot = subPalettes[size_t(i)];
  if (!slot) slot = std::make_unique<Palette>(buildSubPalette(i));
  return *slot;
}

QList<SymbolCode> Palette::symbols() const {
  QList<SymbolCode> out;
  for (SymbolCode code : paletteArray)
    if (code != 0) out.append(code);
  return out;
}

QRectF Palette::cellRect(int item) {
  return QRectF(CellSize * (item % Columns), CellSize * (item / Columns), CellSize, CellSize);
}

int Palette::itemAt(const QPointF& point) {
  if (point.x() < 0 || point.y() < 0) return -1;
  const int column = int(std::floor(point.x() / CellSize));
  const int row = int(std::floor(point.y() / CellSize));
  if (column >= Columns) return -1;
  return row * Columns + column;
}

}  // namespace quabe
