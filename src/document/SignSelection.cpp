// The operations of Sign on a window's symbol selection and the symbol
// clipboard. Every operation acts only on selected symbols that belong to
// this sign; a selected symbol of another sign is left alone.
#include <QPainter>
#include <cmath>

#include "document/Clipboards.h"
#include "document/Sign.h"
#include "document/SymbolSelection.h"

namespace quabe {

namespace {

// Next variation of a symbol: variation + 1 when the archive has it,
// otherwise back to variation 1; unchanged when neither exists.
void nextVariation(ISWA& symbol) {
  const SymbolCode code = symbol.sss();
  const SymbolCode candidate = SSS::withVariation(code, (SSS::variation(code) + 1) & 15);
  if (symbol.setSss(candidate)) return;
  if (SSS::variation(candidate) == 1) return;
  symbol.setSss(SSS::withVariation(code, 1));
}

// A picture of symbols: the union of their rectangles, each image drawn at
// its rectangle relative to the union's top-left corner.
QImage pictureOf(const QList<ISWAPtr>& symbols) {
  if (symbols.isEmpty()) return QImage();
  QRectF bounds = symbols.first()->rect;
  for (const ISWAPtr& s : symbols) bounds = bounds.united(s->rect);
  const int w = int(std::ceil(bounds.width()));
  const int h = int(std::ceil(bounds.height()));
  if (w <= 0 || h <= 0) return QImage();
  QImage picture(w, h, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setOpacity(1.0);
  for (const ISWAPtr& s : symbols) painter.drawImage(s->rect.topLeft() - bounds.topLeft(), s->image());
  painter.end();
  return picture;
}

}  // namespace

void Sign::applyToSelected(const SymbolSelection& selection, void (*operation)(ISWA&)) {
  for (const ISWAPtr& symbol : selectedSymbols(selection)) {
    operation(*symbol);
    includeSymbol(*symbol);
  }
}

void Sign::rotateSelected(const SymbolSelection& selection, int angle) {
  for (const ISWAPtr& symbol : selectedSymbols(selection)) {
    symbol->rotate(angle);
    includeSymbol(*symbol);
  }
}

void Sign::flipSelected(const SymbolSelection& selection, bool vertical) {
  for (const ISWAPtr& symbol : selectedSymbols(selection)) {
    symbol->flip(vertical);
    includeSymbol(*symbol);
  }
}

void Sign::nextFillSelected(const SymbolSelection& selection) {
  applyToSelected(selection, [](ISWA& s) { s.nextFill(); });
}

void Sign::previousFillSelected(const SymbolSelection& selection) {
  applyToSelected(selection, [](ISWA& s) { s.previousFill(); });
}

void Sign::changeVariationSelected(const SymbolSelection& selection) { applyToSelected(selection, nextVariation); }

void Sign::selectAllSymbols(SymbolSelection& selection) {
  const bool allSelected = selectedSymbols(selection).size() >= symbols.size();
  selection.clear();
  if (allSelected) return;
  for (const ISWAPtr& symbol : symbols) selection.add(symbol);
}

void Sign::selectSymbol(SymbolSelection& selection, const ISWAPtr& symbol) {
  if (!symbol) return;
  selection.keepOnly(*this);
  selection.add(symbol);
}

void Sign::toggleSymbolSelection(SymbolSelection& selection, const ISWAPtr& symbol) {
  if (!symbol) return;
  if (selection.contains(symbol.get()))
    selection.remove(symbol.get());
  else
    selectSymbol(selection, symbol);
}

void Sign::selectNextSymbol(SymbolSelection& selection) {
  if (symbols.isEmpty()) return;
  qsizetype next = 0;
  if (!selection.isEmpty()) {
    const qsizetype i = indexOfSymbol(selection.symbols().first().get());
    if (i < 0) return;
    next = (i + 1) % symbols.size();
  }
  selection.clear();
  selection.add(symbols[next]);
}

void Sign::selectPreviousSymbol(SymbolSelection& selection) {
  if (symbols.isEmpty()) return;
  const qsizetype count = symbols.size();
  qsizetype previous = count - 1;
  if (!selection.isEmpty()) {
    const qsizetype i = indexOfSymbol(selection.symbols().first().get());
    if (i < 0) return;
    previous = (i + count - 1) % count;
  }
  selection.clear();
  selection.add(symbols[previous]);
}

void Sign::moveSelectedForward(const SymbolSelection& selection) {
  const QList<ISWAPtr> selected = selectedSymbols(selection);
  for (const ISWAPtr& symbol : selected) symbols.removeAt(indexOfSymbol(symbol.get()));
  symbols.append(selected);
}

void Sign::moveSelectedBackward(const SymbolSelection& selection) {
  QList<ISWAPtr> reordered = selectedSymbols(selection);
  for (const ISWAPtr& symbol : symbols) {
    if (!selection.contains(symbol.get())) reordered.append(symbol);
  }
  symbols = reordered;
}

void Sign::deleteSelectedSymbols(SymbolSelection& selection) {
  for (const ISWAPtr& symbol : selectedSymbols(selection)) {
    symbols.removeAt(indexOfSymbol(symbol.get()));
    // A deleted symbol must not stay selected: later selection commands would
    // act on it and stretch this sign's box by it.
    selection.remove(symbol.get());
  }
  updateBounds();
}

void Sign::duplicateSelected(SymbolSelection& selection) {
  QList<ISWAPtr> copies;
  for (const ISWAPtr& symbol : selectedSymbols(selection)) {
    auto duplicate = std::make_shared<ISWA>(symbol->copy());
    duplicate->rect.translate(5, 5);
    copies.append(duplicate);
  }
  if (copies.isEmpty()) return;
  selection.clear();
  selection.beginEditing(*this);
  for (const ISWAPtr& duplicate : copies) selection.add(duplicate);
  for (const ISWAPtr& duplicate : copies) addSymbol(duplicate);
}

void Sign::mirrorSelected(SymbolSelection& selection) {
  QList<ISWAPtr> copies;
  for (const ISWAPtr& symbol : selectedSymbols(selection)) {
    auto mirrored = std::make_shared<ISWA>(symbol->copy());
    mirrored->rect.moveLeft(std::max<qreal>(0, mirrored->rect.x() - 15));
    copies.append(mirrored);
  }
  if (copies.isEmpty()) return;
  selection.clear();
  selection.beginEditing(*this);
  for (const ISWAPtr& mirrored : copies) selection.add(mirrored);
  for (const ISWAPtr& mirrored : copies) {
    mirrored->flip(false);
    addSymbol(mirrored);
  }
}

void Sign::moveSelected(const SymbolSelection& selection, qreal dx, qreal dy, qreal boxWidth, qreal boxHeight) {
  // Each axis moves on its own. A move is applied when the symbol stays inside
  // the box, or when it already reaches outside on the side it moves away from.
  bool recompute = false;
  for (const ISWAPtr& symbol : selectedSymbols(selection)) {
    QRectF& r = symbol->rect;
    bool moved = false;
    const qreal nx = r.x() + dx;
    if ((dx > 0 && (nx + r.width() < boxWidth || nx < 0)) || (dx < 0 && (nx > 0 || nx + r.width() >= boxWidth))) {
      if ((dx > 0 && r.x() == leftMost) || (dx < 0 && r.x() + r.width() == rightMost)) recompute = true;
      r.moveLeft(nx);
      moved = true;
    }
    const qreal ny = r.y() + dy;
    if ((dy > 0 && (ny + r.height() < boxHeight || ny < 0)) || (dy < 0 && (ny > 0 || ny + r.height() >= boxHeight))) {
      if ((dy > 0 && r.y() == topMost) || (dy < 0 && r.y() + r.height() == bottomMost)) recompute = true;
      r.moveTop(ny);
      moved = true;
    }
    if (moved && !recompute) includeSymbol(*symbol);
  }
  if (recompute) updateBounds();
  if (leftMost < 0 || topMost < 0) {
    shiftAll(leftMost < 0 ? -leftMost : 0, topMost < 0 ? -topMost : 0);
    updateBounds();
  }
}

void Sign::copySelectedSymbols(const SymbolSelection& selection) {
  const QList<ISWAPtr> selected = selectedSymbols(selection);
  if (selected.isEmpty()) return;
  Clipboards& clipboards = Clipboards::shared();
  clipboards.symbolClipboard = selected;
  clipboards.putImageOnPasteboard(pictureOf(selected));
}

void Sign::cutSelectedSymbols(SymbolSelection& selection) {
  copySelectedSymbols(selection);
  deleteSelectedSymbols(selection);
}

void Sign::pasteSymbols(SymbolSelection& selection) {
  // The clipboard may hold symbols of this very sign; iterate over a snapshot.
  const QList<ISWAPtr> clipboard = Clipboards::shared().symbolClipboard;
  if (clipboard.isEmpty()) return;
  selection.clear();
  selection.beginEditing(*this);
  for (const ISWAPtr& original : clipboard) {
    auto pasted = std::make_shared<ISWA>(original->copy());
    pasted->rect.moveTopLeft(original->rect.topLeft() + QPointF(3, 3));
    addSymbol(pasted);
    selection.add(pasted);
  }
}

}  // namespace quabe
