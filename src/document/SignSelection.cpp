// The operations of Sign on the editor-wide symbol selection and the symbol
// clipboard. Every operation acts only on selected symbols that belong to
// this sign; a selected symbol of another sign is left alone.
#include <QPainter>
#include <cmath>

#include "document/EditorState.h"
#include "document/Sign.h"

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

void Sign::applyToSelected(void (*operation)(ISWA&)) {
  for (const ISWAPtr& symbol : selectedSymbols()) {
    operation(*symbol);
    includeSymbol(*symbol);
  }
}

void Sign::rotateSelected(int angle) {
  for (const ISWAPtr& symbol : selectedSymbols()) {
    symbol->rotate(angle);
    includeSymbol(*symbol);
  }
}

void Sign::flipSelected(bool vertical) {
  for (const ISWAPtr& symbol : selectedSymbols()) {
    symbol->flip(vertical);
    includeSymbol(*symbol);
  }
}

void Sign::nextFillSelected() {
  applyToSelected([](ISWA& s) { s.nextFill(); });
}

void Sign::previousFillSelected() {
  applyToSelected([](ISWA& s) { s.previousFill(); });
}

void Sign::changeVariationSelected() { applyToSelected(nextVariation); }

void Sign::selectAllSymbols() {
  EditorState& state = EditorState::shared();
  const bool allSelected = selectedSymbols().size() >= symbols.size();
  state.clearSymbolSelection();
  if (allSelected) return;
  for (const ISWAPtr& symbol : symbols) state.addToSelection(symbol);
}

void Sign::selectSymbol(const ISWAPtr& symbol) {
  if (!symbol) return;
  EditorState& state = EditorState::shared();
  for (qsizetype i = state.selectedSymbols.size() - 1; i >= 0; --i) {
    const ISWAPtr& selected = state.selectedSymbols[i];
    if (!containsSymbol(selected.get())) {
      selected->selected = false;
      state.selectedSymbols.removeAt(i);
    }
  }
  state.addToSelection(symbol);
}

void Sign::toggleSymbolSelection(const ISWAPtr& symbol) {
  if (!symbol) return;
  EditorState& state = EditorState::shared();
  if (!state.selectedSymbols.isEmpty() && state.isSelected(symbol.get())) {
    state.removeFromSelection(symbol.get());
  } else {
    selectSymbol(symbol);
  }
}

void Sign::selectNextSymbol() {
  if (symbols.isEmpty()) return;
  EditorState& state = EditorState::shared();
  qsizetype next = 0;
  if (!state.selectedSymbols.isEmpty()) {
    const qsizetype i = indexOfSymbol(state.selectedSymbols.first().get());
    if (i < 0) return;
    next = (i + 1) % symbols.size();
  }
  state.clearSymbolSelection();
  state.addToSelection(symbols[next]);
}

void Sign::selectPreviousSymbol() {
  if (symbols.isEmpty()) return;
  EditorState& state = EditorState::shared();
  const qsizetype count = symbols.size();
  qsizetype previous = count - 1;
  if (!state.selectedSymbols.isEmpty()) {
    const qsizetype i = indexOfSymbol(state.selectedSymbols.first().get());
    if (i < 0) return;
    previous = (i + count - 1) % count;
  }
  state.clearSymbolSelection();
  state.addToSelection(symbols[previous]);
}

void Sign::moveSelectedForward() {
  const QList<ISWAPtr> selected = selectedSymbols();
  for (const ISWAPtr& symbol : selected) symbols.removeAt(indexOfSymbol(symbol.get()));
  symbols.append(selected);
}

void Sign::moveSelectedBackward() {
  const QList<ISWAPtr> selected = selectedSymbols();
  QList<ISWAPtr> reordered = selected;
  for (const ISWAPtr& symbol : symbols) {
    if (!EditorState::shared().isSelected(symbol.get())) reordered.append(symbol);
  }
  symbols = reordered;
}

void Sign::deleteSelectedSymbols() {
  EditorState& state = EditorState::shared();
  for (const ISWAPtr& symbol : selectedSymbols()) {
    symbols.removeAt(indexOfSymbol(symbol.get()));
    // A deleted symbol must not stay selected: later selection commands would
    // act on it and stretch this sign's box by it.
    state.removeFromSelection(symbol.get());
  }
  updateBounds();
}

void Sign::duplicateSelected() {
  EditorState& state = EditorState::shared();
  QList<ISWAPtr> copies;
  for (const ISWAPtr& symbol : selectedSymbols()) {
    auto duplicate = std::make_shared<ISWA>(symbol->copy());
    duplicate->rect.translate(5, 5);
    copies.append(duplicate);
  }
  if (copies.isEmpty()) return;
  state.clearSymbolSelection();
  for (const ISWAPtr& duplicate : copies) state.addToSelection(duplicate);
  for (const ISWAPtr& duplicate : copies) addSymbol(duplicate);
}

void Sign::mirrorSelected() {
  EditorState& state = EditorState::shared();
  QList<ISWAPtr> copies;
  for (const ISWAPtr& symbol : selectedSymbols()) {
    auto mirrored = std::make_shared<ISWA>(symbol->copy());
    mirrored->rect.moveLeft(std::max<qreal>(0, mirrored->rect.x() - 15));
    copies.append(mirrored);
  }
  if (copies.isEmpty()) return;
  state.clearSymbolSelection();
  for (const ISWAPtr& mirrored : copies) state.addToSelection(mirrored);
  for (const ISWAPtr& mirrored : copies) {
    mirrored->flip(false);
    addSymbol(mirrored);
  }
}

void Sign::moveSelected(qreal dx, qreal dy, qreal boxWidth, qreal boxHeight) {
  // Each axis moves on its own. A move is applied when the symbol stays inside
  // the box, or when it already reaches outside on the side it moves away from.
  bool recompute = false;
  for (const ISWAPtr& symbol : selectedSymbols()) {
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

void Sign::copySelectedSymbols() {
  const QList<ISWAPtr> selected = selectedSymbols();
  if (selected.isEmpty()) return;
  EditorState& state = EditorState::shared();
  state.symbolClipboard = selected;
  state.putImageOnPasteboard(pictureOf(selected));
}

void Sign::cutSelectedSymbols() {
  copySelectedSymbols();
  deleteSelectedSymbols();
}

void Sign::pasteSymbols() {
  EditorState& state = EditorState::shared();
  if (state.symbolClipboard.isEmpty()) return;
  state.clearSymbolSelection();
  // The clipboard may hold symbols of this very sign; iterate over a snapshot.
  const QList<ISWAPtr> clipboard = state.symbolClipboard;
  for (const ISWAPtr& original : clipboard) {
    auto pasted = std::make_shared<ISWA>(original->copy());
    pasted->rect.moveTopLeft(original->rect.topLeft() + QPointF(3, 3));
    addSymbol(pasted);
    state.addToSelection(pasted);
  }
}

}  // namespace quabe
