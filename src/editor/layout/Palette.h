#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

#include "symbols/SymbolCode.h"

namespace quabe {

// The content of one symbol palette: symbol codes in grid order. A 0 entry
// is an empty cell that keeps related rows of the grid lined up.
//
// The process has one main palette (one item per symbol family) and one sub
// palette per family, each listing the family's symbols in ISWA order. The
// sub palettes are built on first use and shared by every window.
class Palette {
 public:
  // Grid geometry shared by every palette view: five columns of square
  // cells, twelve rows drawn, so a palette holds at most 60 items.
  static constexpr int Columns = 5;
  static constexpr int Rows = 12;
  static constexpr int CellSize = 38;
  static constexpr int MaxItems = Columns * Rows;
  static constexpr int FamilyCount = 49;
  // Palette number of the main palette (sub palettes are 0-48).
  static constexpr int MainPaletteNumber = -1;

  Palette() = default;
  explicit Palette(QList<SymbolCode> codes) : paletteArray(std::move(codes)) {}

  // The main palette: the first symbol of each of the 49 families.
  static const Palette& mainPalette();
  // Sub palette i (0-48); an empty palette for any other number.
  static const Palette& palette(int i);

  int count() const { return int(paletteArray.size()); }
  bool isEmpty() const { return paletteArray.isEmpty(); }
  // The code of item i; 0 for an empty cell and for an index outside the palette.
  SymbolCode code(int item) const { return item >= 0 && item < count() ? paletteArray[item] : 0; }
  // The non-empty codes in grid order.
  QList<SymbolCode> symbols() const;
  // Index of the first cell holding code, or -1.
  int indexOf(SymbolCode code) const { return int(paletteArray.indexOf(code)); }

  // Cell of item i: column i mod 5, row i / 5.
  static QRectF cellRect(int item);
  // Item under a point (any index, possibly outside a palette); -1 for a
  // point left of or above the grid or right of its last column.
  static int itemAt(const QPointF& point);

  QList<SymbolCode> paletteArray;
};

}  // namespace quabe
