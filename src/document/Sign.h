#pragma once

#include <QImage>
#include <QList>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "symbols/ISWA.h"

namespace quabe {

class DbSign;
class DbISWA;
class Sign;
class SymbolSelection;

// Placed symbols and signs are shared objects: a window's selection,
// the clipboards and the lines of the edit buffer refer to the very objects,
// and "the same symbol/sign" always means the same object.
using ISWAPtr = std::shared_ptr<ISWA>;
using SignPtr = std::shared_ptr<Sign>;

// The plain stored fields of a sign: everything but the objects it shares
// (symbols, entry, constituents). Copies and undo take and compare them as a
// whole, so a field added here is never forgotten by either.
struct SignFields {
  int maxSymbolSerialNumber = 0;
  int lane = 0;      // vertical writing: < 0 left, 0 centre, > 0 right
  qreal height = 0;  // bottomMost - topMost
  qreal width = 0;   // rightMost - leftMost
  qreal leftMost = 0;
  qreal topMost = 0;
  qreal rightMost = 0;
  qreal bottomMost = 0;
  QString comment;
  QStringList meanings;
  QString gloss;
  // Used by compounds.
  std::optional<QList<qint64>> constituentIDs;
  std::optional<QList<QPointF>> offsets;
  qreal leftMostInVMode = 0;
  qreal topMostInHMode = 0;

  bool operator==(const SignFields&) const = default;
};

// One sign: placed symbols inside a sign box (origin top-left, y down),
// their bounding box, the lane, texts and the dictionary entry the sign
// came from. Create signs with std::make_shared so that a selection can
// track the sign being edited. The selection operations work on the symbols
// of the given window selection that belong to this sign.
class Sign : public std::enable_shared_from_this<Sign>, public SignFields {
 public:
  Sign();
  // A sign for a dictionary entry and its spelling rows, in row order. A row
  // whose code the archive lacks is skipped; a hand outside 0-3 reads as none.
  Sign(std::shared_ptr<DbSign> entry, const QList<DbISWA>& rows);
  virtual ~Sign();
  Sign(const Sign&) = delete;
  Sign& operator=(const Sign&) = delete;

  // A deep copy: copied symbols, a copy of the entry, copied constituents. A Compound copies as a Compound.
  virtual SignPtr copy() const;

  // --- stored fields (with those of SignFields) ---
  QList<ISWAPtr> symbols;       // in drawing (and storing) order
  std::shared_ptr<DbSign> jjs;  // never null: a new empty entry at first
  // Used by compounds.
  std::optional<QList<SignPtr>> constituents;

  // --- emptiness, bounds and placement ---
  // True for a sign without symbols (a compound: without constituents). An
  // empty sign at the end of a line is that line's line break.
  virtual bool isEmpty() const;
  // Recomputes the six box fields from all symbols (all 0 without symbols).
  void updateBounds();
  // Extends the box by one symbol, then shifts every symbol so that no
  // coordinate is negative.
  void includeSymbol(const ISWA& symbol);
  // Appends a symbol and extends the box.
  void addSymbol(const ISWAPtr& symbol);
  // Places the symbols in a box of the given size: vertical writing centres
  // by lane (centerInVMode), horizontal writing centres the sign with its head
  // at a third of the height (centerInHMode). Nothing for a sign without symbols.
  virtual void center(qreal boxWidth, qreal boxHeight, bool vertical);
  void centerInHMode(qreal boxWidth, qreal boxHeight);
  void centerInVMode(qreal boxWidth, qreal boxHeight);

  // A symbol as the sign shows it: the symbol and where its image's origin
  // lies in the sign box.
  struct ShownSymbol {
    ISWAPtr symbol;
    QPointF position;
  };
  // Every symbol the sign shows, in drawing order: a compound's constituents'
  // symbols, each constituent moved to its place along the writing direction
  // (side by side in rows, stacked in columns), then the sign's own symbols.
  virtual QList<ShownSymbol> shownSymbols(bool vertical) const;

  // --- symbol identity ---
  // Position of the very symbol object in symbols, or -1.
  qsizetype indexOfSymbol(const ISWA* symbol) const;
  bool containsSymbol(const ISWA* symbol) const { return indexOfSymbol(symbol) >= 0; }
  // The selected symbols that belong to this sign, in selection order.
  QList<ISWAPtr> selectedSymbols(const SymbolSelection& selection) const;

  // --- editing the selection ---
  void rotateSelected(const SymbolSelection& selection, int angle);  // multiples of 45 degrees, positive clockwise
  void flipSelected(const SymbolSelection& selection, bool vertical);
  void nextFillSelected(const SymbolSelection& selection);
  void previousFillSelected(const SymbolSelection& selection);
  void changeVariationSelected(const SymbolSelection& selection);
  // Selects every symbol, or clears the selection when all are selected.
  void selectAllSymbols(SymbolSelection& selection);
  // A click on a symbol of this sign: drops selected symbols of other signs and
  // adds the symbol to the selection.
  void selectSymbol(SymbolSelection& selection, const ISWAPtr& symbol);
  // A shift-click: removes a selected symbol from the selection, else selects it.
  void toggleSymbolSelection(SymbolSelection& selection, const ISWAPtr& symbol);
  // Steps the single selected symbol forward/backward through symbols, wrapping.
  void selectNextSymbol(SymbolSelection& selection);
  void selectPreviousSymbol(SymbolSelection& selection);
  // Selected symbols drawn last (on top) / first (underneath).
  void moveSelectedForward(const SymbolSelection& selection);
  void moveSelectedBackward(const SymbolSelection& selection);
  // Removes the selected symbols of this sign (and takes them out of the selection).
  void deleteSelectedSymbols(SymbolSelection& selection);
  // Selected copies moved by (+5, +5) replace the selection.
  void duplicateSelected(SymbolSelection& selection);
  // Left-right mirrored copies 15 to the left (not below x 0) replace the selection.
  void mirrorSelected(SymbolSelection& selection);
  // Moves the selected symbols by (dx, dy) inside a box of the given size.
  void moveSelected(const SymbolSelection& selection, qreal dx, qreal dy, qreal boxWidth, qreal boxHeight);

  // --- symbol clipboard ---
  // Puts the selected symbols (the objects) on the symbol clipboard and a
  // picture of them on the system pasteboard. Nothing without a selection.
  void copySelectedSymbols(const SymbolSelection& selection);
  // copySelectedSymbols() then deleteSelectedSymbols().
  void cutSelectedSymbols(SymbolSelection& selection);
  // Adds selected copies of the clipboard's symbols, moved by (+3, +3).
  void pasteSymbols(SymbolSelection& selection);

  // Merges groups of two or three parallel straight arrows into one double or
  // triple arrow symbol.
  // Merged arrows leave the selection, when one is given.
  void integrateArrows(SymbolSelection* selection = nullptr);

  // A picture of the sign, width x height, symbols drawn relative to
  // (leftMost, topMost) in list order. A null image for an empty sign.
  QImage image() const;

 protected:
  // Copies every field but the symbols' identity into target (symbols are copied).
  void copyInto(Sign& target) const;

 private:
  void applyToSelected(const SymbolSelection& selection, void (*operation)(ISWA&));
  void shiftAll(qreal dx, qreal dy);
};

}  // namespace quabe
