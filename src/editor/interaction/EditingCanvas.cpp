#include "editor/interaction/EditingCanvas.h"

#include "core/Alerts.h"
#include "core/Localization.h"
#include "core/Logging.h"
#include "document/Clipboards.h"
#include "document/DbSign.h"
#include "editor/interaction/DocumentEditor.h"

namespace quabe {

EditingCanvas::EditingCanvas(QWidget* parent) : CanvasView(parent) {}

EditingCanvas::~EditingCanvas() = default;

ISWAPtr EditingCanvas::symbolAt(const QPointF& point) const {
  const ViewLineManager* layout = viewLineMan();
  if (!layout) return nullptr;
  const SignPtr sign = layout->currentSign();
  if (!sign) return nullptr;
  const QPointF origin = layout->signOrigin(layout->cursorLine, layout->cursorOffset);
  // The symbol drawn last lies on top.
  for (qsizetype i = sign->symbols.size() - 1; i >= 0; --i) {
    const ISWAPtr& symbol = sign->symbols[i];
    if (symbol && symbol->rect.translated(origin).contains(point)) return symbol;
  }
  return nullptr;
}

QList<ISWAPtr> EditingCanvas::selectedSymbolsOfCurrentSign() const {
  const ViewLineManager* layout = viewLineMan();
  const SignPtr sign = layout ? layout->currentSign() : nullptr;
  return sign ? sign->selectedSymbols(selection()) : QList<ISWAPtr>{};
}

void EditingCanvas::changed() {
  if (WindowControllerDelegate* delegate = windowControllerDelegate()) delegate->documentChanged();
}

bool EditingCanvas::edit(const QString& textKey, const std::function<void()>& change, const QString& mergeKey) {
  if (!viewLineMan()) return false;
  bool didChange = true;
  if (m_editor)
    didChange = m_editor->perform(Localization::text(textKey), change, mergeKey);
  else
    change();
  update();
  if (didChange) changed();
  return didChange;
}

bool EditingCanvas::symbolEdit(const QString& textKey, const std::function<void(Sign&)>& change) {
  const SignPtr sign = viewLineMan() ? viewLineMan()->currentSign() : nullptr;
  if (!sign || sign->selectedSymbols(selection()).isEmpty()) return false;
  return edit(textKey, [&] {
    change(*sign);
    refreshLayout();
  });
}

// --- symbol commands ---

void EditingCanvas::rotateSelected(int angle) {
  symbolEdit(QStringLiteral("UndoRotate"), [this, angle](Sign& sign) { sign.rotateSelected(selection(), angle); });
}

void EditingCanvas::flipSelected(bool vertical) {
  symbolEdit(QStringLiteral("UndoFlip"), [this, vertical](Sign& sign) { sign.flipSelected(selection(), vertical); });
}

void EditingCanvas::nextFill() {
  symbolEdit(QStringLiteral("UndoFill"), [this](Sign& sign) { sign.nextFillSelected(selection()); });
}

void EditingCanvas::previousFill() {
  symbolEdit(QStringLiteral("UndoFill"), [this](Sign& sign) { sign.previousFillSelected(selection()); });
}

void EditingCanvas::nextVariation() {
  symbolEdit(QStringLiteral("UndoVariation"), [this](Sign& sign) { sign.changeVariationSelected(selection()); });
}

void EditingCanvas::cutSymbols() {
  symbolEdit(QStringLiteral("UndoCutSymbols"), [this](Sign& sign) { sign.cutSelectedSymbols(selection()); });
}

void EditingCanvas::copySymbols() {
  const SignPtr sign = viewLineMan() ? viewLineMan()->currentSign() : nullptr;
  if (!sign || sign->selectedSymbols(selection()).isEmpty()) return;
  sign->copySelectedSymbols(selection());
}

void EditingCanvas::pasteSymbols() {
  ViewLineManager* layout = viewLineMan();
  if (!layout || !layout->currentSign() || Clipboards::shared().symbolClipboard.isEmpty()) return;
  edit(QStringLiteral("UndoPasteSymbols"), [&] {
    viewLineMan()->pasteSymbols(selection());
    setContentExtent(viewLineMan()->layout());
    scrollCursorIntoView();
  });
}

void EditingCanvas::duplicateSymbols() {
  symbolEdit(QStringLiteral("UndoDuplicate"), [this](Sign& sign) { sign.duplicateSelected(selection()); });
}

void EditingCanvas::mirrorSymbols() {
  symbolEdit(QStringLiteral("UndoMirror"), [this](Sign& sign) { sign.mirrorSelected(selection()); });
}

void EditingCanvas::deleteSymbols() {
  symbolEdit(QStringLiteral("UndoDeleteSymbols"), [this](Sign& sign) { sign.deleteSelectedSymbols(selection()); });
}

void EditingCanvas::selectAllSymbols() {
  const SignPtr sign = viewLineMan() ? viewLineMan()->currentSign() : nullptr;
  if (!sign) return;
  sign->selectAllSymbols(selection());
  update();
}

void EditingCanvas::selectNextSymbol() {
  const SignPtr sign = viewLineMan() ? viewLineMan()->currentSign() : nullptr;
  if (!sign) return;
  sign->selectNextSymbol(selection());
  update();
}

void EditingCanvas::selectPreviousSymbol() {
  const SignPtr sign = viewLineMan() ? viewLineMan()->currentSign() : nullptr;
  if (!sign) return;
  sign->selectPreviousSymbol(selection());
  update();
}

void EditingCanvas::moveSymbolsForward() {
  symbolEdit(QStringLiteral("UndoSymbolOrder"), [this](Sign& sign) { sign.moveSelectedForward(selection()); });
}

void EditingCanvas::moveSymbolsBackward() {
  symbolEdit(QStringLiteral("UndoSymbolOrder"), [this](Sign& sign) { sign.moveSelectedBackward(selection()); });
}

void EditingCanvas::moveSelectedSymbols(qreal dx, qreal dy) {
  ViewLineManager* layout = viewLineMan();
  const SignPtr sign = layout ? layout->currentSign() : nullptr;
  if (!sign) return;
  const QList<ISWAPtr> selected = sign->selectedSymbols(selection());
  if (selected.isEmpty()) return;
  // Moves of the same symbols of the same sign merge into one step.
  QString key = QStringLiteral("move:%1").arg(quintptr(sign.get()));
  for (const ISWAPtr& symbol : selected) key += QLatin1Char(',') + QString::number(sign->indexOfSymbol(symbol.get()));
  const qreal boxWidth = layout->maxSignWidth();
  const qreal boxHeight = layout->maxSignHeight();
  edit(
      QStringLiteral("UndoMoveSymbols"),
      [&] {
        sign->moveSelected(selection(), dx, dy, boxWidth, boxHeight);
        refreshLayout();
      },
      key);
}

void EditingCanvas::clearSymbolSelection() {
  selection().clear();
  update();
}

void EditingCanvas::integrateArrows() {
  const SignPtr sign = viewLineMan() ? viewLineMan()->currentSign() : nullptr;
  if (!sign || sign->isEmpty()) return;
  edit(QStringLiteral("UndoIntegrateArrows"), [&] {
    sign->integrateArrows(&selection());
    sign->updateBounds();
    setContentExtent(viewLineMan()->layout());
  });
}

// --- sign commands ---

void EditingCanvas::copySigns(bool cut, Fsw::Form form) {
  ViewLineManager* layout = viewLineMan();
  if (!layout) return;
  QImage image;
  if (const SignPtr sign = layout->currentSign(); sign && !sign->isEmpty()) image = sign->image();
  QList<QList<SignPtr>> copied;
  const auto copy = [&] {
    copied = layout->copySigns(cut);
    setContentExtent(layout->layout());
  };
  if (cut)
    edit(QStringLiteral("UndoCutSign"), copy);
  else
    copy();
  QStringList problems;
  const QString text = Fsw::writeLines(copied, form, &problems);
  if (ImagePasteboard* pasteboard = Clipboards::shared().pasteboard()) pasteboard->putSigns(image, text);
  if (!problems.isEmpty()) alerts().alert(loc("ClipboardSignsChanged"), Fsw::summary(problems));
  update();
}

void EditingCanvas::cutSign() { copySigns(true, Fsw::Form::fsw); }

void EditingCanvas::copySign() { copySigns(false, Fsw::Form::fsw); }

void EditingCanvas::copySignAsSwu() { copySigns(false, Fsw::Form::swu); }

void EditingCanvas::pasteSign() {
  ViewLineManager* layout = viewLineMan();
  if (!layout) return;
  QList<SignPtr> signs;
  const ImagePasteboard* pasteboard = Clipboards::shared().pasteboard();
  if (const std::optional<QString> text = pasteboard ? pasteboard->foreignText() : std::nullopt) {
    const Fsw::Reading reading = Fsw::read(*text);
    if (reading.signCount == 0) {
      alerts().alert(loc("ClipboardHoldsNoSign"), loc("ClipboardHoldsNoSignInfo"));
      return;
    }
    const Preferences* p = prefs();
    for (const QList<SignPtr>& line : reading.lines) {
      for (const SignPtr& sign : line) {
        if (p) sign->center(p->defaultSignBoxWidth, p->defaultSignBoxHeight, p->verticalWriting);
        signs.append(sign);
      }
    }
    if (!reading.problems.isEmpty()) alerts().alert(loc("ClipboardSignsChanged"), Fsw::summary(reading.problems));
  } else if (Clipboards::shared().signClipboard.isEmpty()) {
    return;
  }
  edit(QStringLiteral("UndoPasteSign"), [&] {
    if (signs.isEmpty())
      layout->pasteSigns();
    else
      layout->insertSigns(signs);
    setContentExtent(layout->layout());
    scrollCursorIntoView();
  });
}

void EditingCanvas::insertEmptySign() {
  edit(QStringLiteral("UndoInsertSign"), [&] {
    viewLineMan()->insertSign(std::make_shared<Sign>());
    setContentExtent(viewLineMan()->layout());
    scrollCursorIntoView();
  });
}

void EditingCanvas::breakLine() {
  edit(QStringLiteral("UndoBreakLine"), [&] {
    viewLineMan()->breakLine();
    setContentExtent(viewLineMan()->layout());
  });
}

void EditingCanvas::deleteKey(bool alternate) {
  const SignPtr sign = viewLineMan() ? viewLineMan()->currentSign() : nullptr;
  if (!sign) return;
  if (alternate || sign->isEmpty())
    cutSign();
  else
    deleteSymbols();
}

void EditingCanvas::centerAllSigns() {
  edit(QStringLiteral("UndoCenterSigns"), [&] {
    viewLineMan()->centerAllSigns();
    setContentExtent(viewLineMan()->layout());
  });
}

bool EditingCanvas::cycleAmbiguousSign() {
  ViewLineManager* layout = viewLineMan();
  const SignPtr sign = layout ? layout->currentSign() : nullptr;
  if (!sign || !sign->jjs || !sign->jjs->isAmbiguous || sign->jjs->candidates.isEmpty()) return false;
  QList<qint64> candidates = sign->jjs->candidates;
  const qint64 next = candidates.takeFirst();
  candidates.append(sign->jjs->signID);
  const SignPtr replacement = m_signLoader ? m_signLoader(next) : nullptr;
  if (!replacement) {
    qCWarning(lcEditor) << "candidate sign" << next << "could not be loaded";
    return false;
  }
  if (!replacement->jjs) replacement->jjs = std::make_shared<DbSign>();
  replacement->jjs->isAmbiguous = sign->jjs->isAmbiguous;
  replacement->jjs->candidates = candidates;
  replacement->jjs->comment = sign->jjs->comment;
  return edit(QStringLiteral("UndoNextCandidate"), [&] {
    clearSymbolSelection();
    viewLineMan()->replaceAtCursor(replacement);
    setContentExtent(viewLineMan()->layout());
    viewLineMan()->center(replacement);
    setContentExtent(viewLineMan()->layout());
    scrollCursorIntoView();
  });
}

void EditingCanvas::setCommentOfCurrentSign(const QString& comment) {
  const SignPtr sign = viewLineMan() ? viewLineMan()->currentSign() : nullptr;
  if (!sign) return;
  edit(QStringLiteral("UndoComment"), [&] { sign->comment = comment; });
}

void EditingCanvas::setGlossOfCurrentSign(const QString& gloss, const QString& reading) {
  const SignPtr sign = viewLineMan() ? viewLineMan()->currentSign() : nullptr;
  if (!sign) return;
  auto entry = sign->jjs ? std::make_shared<DbSign>(*sign->jjs) : std::make_shared<DbSign>();
  // Read back from a file, the gloss text splits the same way.
  std::tie(entry->gloss, entry->tag) = DbSign::splitGlossAndTag(gloss.trimmed());
  entry->yomi = reading.trimmed();
  if (entry->gloss == sign->jjs->gloss && entry->tag == sign->jjs->tag && entry->yomi == sign->jjs->yomi) return;
  edit(QStringLiteral("UndoGloss"), [&] {
    sign->jjs = entry;
    refreshLayout();
  });
}

void EditingCanvas::setLaneOfCurrentSign(int lane) {
  const SignPtr sign = viewLineMan() ? viewLineMan()->currentSign() : nullptr;
  if (!sign || sign->isEmpty() || sign->lane == lane) return;
  edit(QStringLiteral("UndoLane"), [&] {
    sign->lane = lane;
    if (viewLineMan()->isVertical()) viewLineMan()->center(sign);
    refreshLayout();
  });
}

bool EditingCanvas::insertSignAtCursorPositionBySignID(qint64 signID) {
  const SignPtr sign = m_signLoader ? m_signLoader(signID) : nullptr;
  if (!sign) return false;
  return insertSigns({sign}, QStringLiteral("UndoInsertSign"));
}

bool EditingCanvas::insertSigns(const QList<SignPtr>& signs, const QString& undoTextKey) {
  if (!viewLineMan() || signs.isEmpty()) return false;
  return edit(undoTextKey, [&] {
    ViewLineManager* layout = viewLineMan();
    for (const SignPtr& sign : signs) {
      if (!sign) continue;
      layout->insertSign(sign);
      layout->center(sign);
      layout->nextSign(1);
    }
    if (prefs() && prefs()->autoCentering) layout->centerAllSigns();
    setContentExtent(layout->layout());
    scrollCursorIntoView();
  });
}

void EditingCanvas::addSignToDB() {
  const SignPtr sign = viewLineMan() ? viewLineMan()->currentSign() : nullptr;
  if (!sign || sign->isEmpty()) {
    alerts().alert(loc("SignHasNoSymbol"), loc("SelectSignForDictionary"));
    return;
  }
  Q_EMIT addSignToDictionaryRequested(sign->copy());
}

bool EditingCanvas::dropSymbolString(const QString& text, const QPointF& point) {
  ViewLineManager* layout = viewLineMan();
  if (!layout) return false;
  // Only the exact text form of a code the archive has (a palette's drag).
  const QString code = text.trimmed();
  const std::optional<SymbolCode> parsed = SSS::parse(code);
  const std::optional<ISWA> made =
      parsed && SSS::toString(*parsed) == code ? ISWA::make(*parsed) : std::optional<ISWA>();
  if (!made) {
    qCDebug(lcEditor) << "dropped text is no symbol code:" << text;
    return false;
  }
  auto symbol = std::make_shared<ISWA>(*made);
  return edit(QStringLiteral("UndoDropSymbol"), [&] {
    // Only the dropped symbol stays selected.
    selection().clear();
    viewLineMan()->placeCursor(point);
    if (const SignPtr sign = viewLineMan()->currentSign()) selection().beginEditing(*sign);
    viewLineMan()->dropSymbol(symbol, point);
    selection().add(symbol);
    setContentExtent(viewLineMan()->layout());
  });
}

}  // namespace quabe
