#include "editor/window/CommandTable.h"

#include <QAction>
#include <QApplication>

#include "core/Localization.h"
#include "editor/app/DocumentController.h"
#include "editor/interaction/EditingCanvas.h"
#include "editor/window/WindowController.h"

namespace quabe {

namespace {

using K = QKeySequence;

// A command of the window's canvas.
std::function<void(WindowController*)> canvas(void (EditingCanvas::*command)()) {
  return [command](WindowController* window) {
    if (window) (window->canvasView()->*command)();
  };
}

template <typename F>
std::function<void(WindowController*)> onCanvas(F command) {
  return [command](WindowController* window) {
    if (window) command(*window->canvasView());
  };
}

template <typename F>
std::function<void(WindowController*)> onWindow(F command) {
  return [command](WindowController* window) {
    if (window) command(*window);
  };
}

DocumentController& app() { return DocumentController::shared(); }

QList<Command> makeTable() {
  using S = Command::Scope;
  const auto ctrl = [](int key) { return K(Qt::CTRL | key); };
  const auto ctrlShift = [](int key) { return K(Qt::CTRL | Qt::SHIFT | key); };
  const auto alt = [](int key) { return K(Qt::ALT | key); };
  const auto ctrlAlt = [](int key) { return K(Qt::CTRL | Qt::ALT | key); };
  const auto meta = [](int key) { return K(Qt::META | key); };
  QList<Command> table = {
      // File
      {"newDocument", "MenuNew", S::Window, true, {K(K::New)}, [](WindowController*) { app().newDocument(); }},
      {"openDocument",
       "MenuOpen",
       S::Window,
       true,
       {K(K::Open)},
       [](WindowController*) { app().openDocumentWithDialog(); }},
      {"close", "MenuClose", S::Window, false, {ctrl(Qt::Key_W)}, onWindow([](WindowController& w) { w.close(); })},
      {"save", "MenuSave", S::Window, false, {ctrl(Qt::Key_S)}, onWindow([](WindowController& w) {
         w.saveDocument();
       })},
      {"saveAs", "MenuSaveAs", S::Window, false, {ctrlShift(Qt::Key_S)}, onWindow([](WindowController& w) {
         w.saveDocumentAs();
       })},
      {"revert", "MenuRevert", S::Window, false, {ctrlShift(Qt::Key_R)}, onWindow([](WindowController& w) {
         w.revertDocument();
       })},
      {"saveAsPDF", "MenuSaveAsPdf", S::Window, false, {ctrlShift(Qt::Key_P)}, onWindow([](WindowController& w) {
         w.saveAsPDF();
       })},
      {"exportFsw",
       "MenuExportFsw",
       S::Window,
       false,
       {ctrlAlt(Qt::Key_F)},
       onWindow([](WindowController& w) { w.exportSignText(Fsw::Form::fsw); }),
       false,
       "MenuExport"},
      {"exportSwu",
       "MenuExportSwu",
       S::Window,
       false,
       {ctrlAlt(Qt::Key_U)},
       onWindow([](WindowController& w) { w.exportSignText(Fsw::Form::swu); }),
       false,
       "MenuExport"},
      {"print", "MenuPrint", S::Window, false, {ctrl(Qt::Key_P)}, onWindow([](WindowController& w) {
         w.printDocument();
       })},
      {"importSpml", nullptr, S::Window, true, {ctrlShift(Qt::Key_I)}, nullptr},
      {"mergeDictionary", nullptr, S::Window, true, {ctrlShift(Qt::Key_M)}, nullptr},
      {"quit",
       "MenuQuit",
       S::Window,
       true,
       {ctrl(Qt::Key_Q)},
       [](WindowController*) {
         if (app().closeAll()) QApplication::quit();
       }},
      // Edit
      {"undo", nullptr, S::Window, false, {ctrl(Qt::Key_Z)}, nullptr},
      {"redo", nullptr, S::Window, false, {ctrlShift(Qt::Key_Z), ctrl(Qt::Key_Y)}, nullptr},
      {"cutSymbol",
       "MenuCutSymbols",
       S::Canvas,
       true,
       {ctrl(Qt::Key_X), K(Qt::Key_X)},
       canvas(&EditingCanvas::cutSymbols)},
      {"copySymbol",
       "MenuCopySymbols",
       S::Canvas,
       true,
       {ctrl(Qt::Key_C), meta(Qt::Key_C)},
       canvas(&EditingCanvas::copySymbols)},
      {"pasteSymbol",
       "MenuPasteSymbols",
       S::Canvas,
       true,
       {ctrl(Qt::Key_V), meta(Qt::Key_V)},
       canvas(&EditingCanvas::pasteSymbols)},
      {"copySignAsSwu", "MenuCopyAsSwu", S::Canvas, true, {ctrlAlt(Qt::Key_C)}, canvas(&EditingCanvas::copySignAsSwu)},
      {"conDeleteSymbol",
       "MenuDeleteSymbols",
       S::Canvas,
       false,
       {K(Qt::Key_Backspace), K(Qt::Key_Delete)},
       onCanvas([](EditingCanvas& c) { c.deleteKey(false); })},
      {"selectAllSymbols",
       "MenuSelectAllSymbols",
       S::Canvas,
       true,
       {K(Qt::Key_A)},
       canvas(&EditingCanvas::selectAllSymbols)},
      {"selectNextSymbol",
       "MenuSelectNextSymbol",
       S::Canvas,
       false,
       {K(Qt::Key_S)},
       canvas(&EditingCanvas::selectNextSymbol)},
      {"selectPreviousSymbol",
       "MenuSelectPreviousSymbol",
       S::Canvas,
       false,
       {K(Qt::SHIFT | Qt::Key_S)},
       canvas(&EditingCanvas::selectPreviousSymbol)},
      {"deselectSymbols",
       "MenuDeselectSymbols",
       S::Canvas,
       false,
       {K(Qt::Key_Escape)},
       canvas(&EditingCanvas::clearSymbolSelection)},
      // Symbol
      {"conRotateCW", "MenuRotateCW", S::Canvas, false, {K(Qt::Key_R)}, onCanvas([](EditingCanvas& c) {
         c.rotateSelected(45);
       })},
      {"conRotateCCW", "MenuRotateCCW", S::Canvas, false, {K(Qt::Key_L)}, onCanvas([](EditingCanvas& c) {
         c.rotateSelected(-45);
       })},
      {"conFlipHorizontally", "MenuFlipHorizontally", S::Canvas, false, {K(Qt::Key_H)}, onCanvas([](EditingCanvas& c) {
         c.flipSelected(false);
       })},
      {"conFlipVertically", "MenuFlipVertically", S::Canvas, false, {K(Qt::Key_V)}, onCanvas([](EditingCanvas& c) {
         c.flipSelected(true);
       })},
      {"nextFill", "MenuNextFill", S::Canvas, false, {K(Qt::Key_F)}, canvas(&EditingCanvas::nextFill)},
      {"prevFill",
       "MenuPreviousFill",
       S::Canvas,
       false,
       {K(Qt::SHIFT | Qt::Key_F)},
       canvas(&EditingCanvas::previousFill)},
      {"conChangeVariation",
       "MenuNextVariation",
       S::Canvas,
       false,
       {K(Qt::Key_N)},
       canvas(&EditingCanvas::nextVariation)},
      {"conDuplicateSymbols",
       "MenuDuplicate",
       S::Canvas,
       false,
       {K(Qt::Key_D)},
       canvas(&EditingCanvas::duplicateSymbols)},
      {"conMirrorSymbols", "MenuMirror", S::Canvas, false, {K(Qt::Key_M)}, canvas(&EditingCanvas::mirrorSymbols)},
      {"conMoveForward",
       "MenuMoveForward",
       S::Canvas,
       false,
       {ctrl(Qt::Key_BracketRight)},
       canvas(&EditingCanvas::moveSymbolsForward)},
      {"conMoveBackward",
       "MenuMoveBackward",
       S::Canvas,
       false,
       {ctrl(Qt::Key_BracketLeft)},
       canvas(&EditingCanvas::moveSymbolsBackward)},
      {"integrateArrows",
       "MenuIntegrateArrows",
       S::Window,
       true,
       {ctrl(Qt::Key_I)},
       canvas(&EditingCanvas::integrateArrows)},
      // Sign
      {"cutSign",
       "MenuCutSign",
       S::Canvas,
       true,
       {ctrlShift(Qt::Key_X), alt(Qt::Key_Backspace), meta(Qt::Key_W)},
       canvas(&EditingCanvas::cutSign)},
      {"copySign",
       "MenuCopySign",
       S::Canvas,
       true,
       {ctrlShift(Qt::Key_C), meta(Qt::Key_R)},
       canvas(&EditingCanvas::copySign)},
      {"pasteSign",
       "MenuPasteSign",
       S::Canvas,
       true,
       {ctrlShift(Qt::Key_V), K(Qt::Key_Y)},
       canvas(&EditingCanvas::pasteSign)},
      {"insertEmptySign",
       "MenuInsertEmptySign",
       S::Canvas,
       true,
       {ctrl(Qt::Key_E)},
       canvas(&EditingCanvas::insertEmptySign)},
      {"breakLine",
       "MenuBreakLine",
       S::Canvas,
       false,
       {K(Qt::Key_Return), K(Qt::Key_Enter)},
       canvas(&EditingCanvas::breakLine)},
      {"nextCandidate", "MenuNextCandidate", S::Canvas, false, {K(Qt::Key_Space)}, onCanvas([](EditingCanvas& c) {
         c.cycleAmbiguousSign();
       })},
      {"editGloss", "MenuEditGloss", S::Canvas, false, {K(Qt::Key_F2)}, onWindow([](WindowController& w) {
         w.runGlossPanel();
       })},
      {"openCommentInputWindow",
       "MenuEditComment",
       S::Canvas,
       true,
       {ctrl(Qt::Key_K), K(Qt::SHIFT | Qt::Key_Space)},
       onWindow([](WindowController& w) { w.conEditComment(); })},
      {"laneLeft", "MenuLaneLeft", S::Canvas, false, {alt(Qt::Key_1)}, onCanvas([](EditingCanvas& c) {
         c.setLaneOfCurrentSign(-1);
       })},
      {"laneMiddle", "MenuLaneMiddle", S::Canvas, false, {alt(Qt::Key_2)}, onCanvas([](EditingCanvas& c) {
         c.setLaneOfCurrentSign(0);
       })},
      {"laneRight", "MenuLaneRight", S::Canvas, false, {alt(Qt::Key_3)}, onCanvas([](EditingCanvas& c) {
         c.setLaneOfCurrentSign(1);
       })},
      {"alignSignsCenter",
       "MenuCenterAllSigns",
       S::Window,
       true,
       {ctrl(Qt::Key_G)},
       canvas(&EditingCanvas::centerAllSigns)},
      // Cursor and moves
      {"moveLeft",
       "KeyMoveLeft",
       S::Canvas,
       false,
       {K(Qt::Key_Left)},
       onCanvas([](EditingCanvas& c) { c.arrowKey(-1, 0, 1); }),
       true},
      {"moveRight",
       "KeyMoveRight",
       S::Canvas,
       false,
       {K(Qt::Key_Right)},
       onCanvas([](EditingCanvas& c) { c.arrowKey(1, 0, 1); }),
       true},
      {"moveUp",
       "KeyMoveUp",
       S::Canvas,
       false,
       {K(Qt::Key_Up)},
       onCanvas([](EditingCanvas& c) { c.arrowKey(0, -1, 1); }),
       true},
      {"moveDown",
       "KeyMoveDown",
       S::Canvas,
       false,
       {K(Qt::Key_Down)},
       onCanvas([](EditingCanvas& c) { c.arrowKey(0, 1, 1); }),
       true},
      {"moveLeftFar",
       "KeyMoveLeftFar",
       S::Canvas,
       false,
       {K(Qt::SHIFT | Qt::Key_Left)},
       onCanvas([](EditingCanvas& c) { c.arrowKey(-1, 0, 10); }),
       true},
      {"moveRightFar",
       "KeyMoveRightFar",
       S::Canvas,
       false,
       {K(Qt::SHIFT | Qt::Key_Right)},
       onCanvas([](EditingCanvas& c) { c.arrowKey(1, 0, 10); }),
       true},
      {"moveUpFar",
       "KeyMoveUpFar",
       S::Canvas,
       false,
       {K(Qt::SHIFT | Qt::Key_Up)},
       onCanvas([](EditingCanvas& c) { c.arrowKey(0, -1, 10); }),
       true},
      {"moveDownFar",
       "KeyMoveDownFar",
       S::Canvas,
       false,
       {K(Qt::SHIFT | Qt::Key_Down)},
       onCanvas([](EditingCanvas& c) { c.arrowKey(0, 1, 10); }),
       true},
      {"cursorBack",
       "KeyCursorBack",
       S::Canvas,
       false,
       {alt(Qt::Key_Left), meta(Qt::Key_B)},
       onCanvas([](EditingCanvas& c) { c.stepCursor(-1, 0); })},
      {"cursorForward",
       "KeyCursorForward",
       S::Canvas,
       false,
       {alt(Qt::Key_Right), meta(Qt::Key_F)},
       onCanvas([](EditingCanvas& c) { c.stepCursor(1, 0); })},
      {"cursorPrevious",
       "KeyCursorPrevious",
       S::Canvas,
       false,
       {alt(Qt::Key_Up), meta(Qt::Key_P)},
       onCanvas([](EditingCanvas& c) { c.stepCursor(0, -1); })},
      {"cursorNext",
       "KeyCursorNext",
       S::Canvas,
       false,
       {alt(Qt::Key_Down), meta(Qt::Key_N)},
       onCanvas([](EditingCanvas& c) { c.stepCursor(0, 1); })},
      {"cursorFarLeft",
       "KeyCursorFarLeft",
       S::Canvas,
       false,
       {ctrl(Qt::Key_Left), meta(Qt::Key_A)},
       onCanvas([](EditingCanvas& c) { c.cursorToEdge(-1, 0); })},
      {"cursorFarRight",
       "KeyCursorFarRight",
       S::Canvas,
       false,
       {ctrl(Qt::Key_Right), meta(Qt::Key_E)},
       onCanvas([](EditingCanvas& c) { c.cursorToEdge(1, 0); })},
      {"cursorFarUp", "KeyCursorFarUp", S::Canvas, false, {ctrl(Qt::Key_Up)}, onCanvas([](EditingCanvas& c) {
         c.cursorToEdge(0, -1);
       })},
      {"cursorFarDown", "KeyCursorFarDown", S::Canvas, false, {ctrl(Qt::Key_Down)}, onCanvas([](EditingCanvas& c) {
         c.cursorToEdge(0, 1);
       })},
      // View
      {"zoomIn",
       "MenuZoomIn",
       S::Window,
       false,
       {ctrl(Qt::Key_Plus), ctrl(Qt::Key_Equal)},
       canvas(&EditingCanvas::zoomIn)},
      {"zoomOut", "MenuZoomOut", S::Window, false, {ctrl(Qt::Key_Minus)}, canvas(&EditingCanvas::zoomOut)},
      {"actualSize", "MenuActualSize", S::Window, false, {ctrl(Qt::Key_0)}, onCanvas([](EditingCanvas& c) {
         c.setZoom(1.0);
       })},
      {"showPreferenceWindow",
       "MenuPreferences",
       S::Window,
       true,
       {ctrl(Qt::Key_Comma)},
       onWindow([](WindowController& w) { w.openPreferenceWindow(); })},
      // Tools
      {"addSignToDB",
       "MenuAddSignToDictionary",
       S::Window,
       true,
       {ctrl(Qt::Key_T), alt(Qt::Key_A)},
       canvas(&EditingCanvas::addSignToDB)},
      {"openJSConvWindow", "MenuNotationInput", S::Window, true, {ctrl(Qt::Key_J)}, onWindow([](WindowController& w) {
         w.conInputByJSConversion();
       })},
      {"openDictionaryEditor", nullptr, S::Window, true, {ctrlShift(Qt::Key_D)}, nullptr},
      {"signList", nullptr, S::Window, true, {ctrlShift(Qt::Key_L), alt(Qt::Key_L)}, nullptr},
      {"importSpmlIntoDictionary", nullptr, S::Window, true, {ctrlAlt(Qt::Key_I)}, nullptr},
      {"similarSigns", nullptr, S::Window, true, {ctrlShift(Qt::Key_F)}, nullptr},
      {"similarityBetweenSymbols", nullptr, S::Window, true, {K(Qt::Key_F6)}, nullptr},
      {"similarityIgnoringDistance", nullptr, S::Window, true, {K(Qt::Key_F7)}, nullptr},
      {"similarityBetweenSigns", nullptr, S::Window, true, {K(Qt::Key_F8)}, nullptr},
      {"finderEvaluation", nullptr, S::Window, true, {K(Qt::Key_F9)}, nullptr},
      // Help
      {"showSimpleManual",
       "MenuManual",
       S::Window,
       true,
       {K(K::HelpContents)},
       [](WindowController* w) { app().showManual(w); }},
      {"showKeyboardShortcuts",
       "MenuKeyboardShortcuts",
       S::Window,
       true,
       {ctrl(Qt::Key_F1)},
       [](WindowController* w) { app().showKeyboardShortcuts(w); }},
      {"aboutQuabe",
       "MenuAbout",
       S::Window,
       true,
       {K(Qt::SHIFT | Qt::Key_F1)},
       [](WindowController* w) { app().showAbout(w); }},
  };
  // The display toggles of the View menu: Ctrl+1 … Ctrl+8 in menu order.
  int digit = Qt::Key_1;
  for (const char* toggle : {"ShowRules", "ShowBorders", "ShowSignFrames", "ShowGlosses", "ShowComments", "ColorHands",
                             "AutoCentering", "VerticalWriting"})
    table.append({toggle, nullptr, S::Window, true, {ctrl(digit++)}, nullptr});
  return table;
}

}  // namespace

const QList<Command>& commandTable() {
  static const QList<Command> table = makeTable();
  return table;
}

const Command* findCommand(const QString& name) {
  for (const Command& command : commandTable())
    if (QLatin1String(command.name) == name) return &command;
  return nullptr;
}

void applyCommand(QAction* action, const Command& command) {
  action->setObjectName(QLatin1String(command.name));
  if (command.textKey) action->setText(loc(command.textKey));
  if (command.submenuKey)
    action->setIconText(loc(command.submenuKey).remove(QLatin1Char('&')) + QStringLiteral(" ▸ ") + action->iconText());
  action->setShortcuts(command.keys);
  // The canvas runs its keys itself, while it has the focus; the menus show
  // them. (A widget shortcut on no focusable widget never fires on its own.)
  action->setShortcutContext(command.scope == Command::Canvas ? Qt::WidgetShortcut : Qt::WindowShortcut);
  const QString tip = Localization::text(QLatin1String(command.name) + QStringLiteral("Tip"));
  if (!tip.endsWith(QLatin1String("Tip"))) action->setStatusTip(tip);
}

}  // namespace quabe
