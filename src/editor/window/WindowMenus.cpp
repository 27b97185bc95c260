// The menus of a document window: the window's own commands and the
// application-wide ones of the document controller.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

#include "core/Localization.h"
#include "document/Document.h"
#include "editor/app/DocumentController.h"
#include "editor/interaction/EditingCanvas.h"
#include "editor/window/WindowController.h"

namespace quabe {

QAction* WindowController::addAction(QMenu* menu, const QString& name, const char* textKey,
                                     const QList<QKeySequence>& keys, const std::function<void()>& run) {
  auto* action = new QAction(loc(textKey), this);
  action->setObjectName(name);
  DocumentController::setShortcuts(action, keys);
  connect(action, &QAction::triggered, this, [run] { run(); });
  m_actions.insert(name, action);
  if (menu) menu->addAction(action);
  return action;
}

void WindowController::buildMenus() {
  DocumentController& app = DocumentController::shared();
  auto shared = [&app](QMenu* menu, const char* name) { menu->addAction(app.action(QLatin1String(name))); };
  EditingCanvas* canvas = m_canvas;
  QMenuBar* bar = menuBar();

  QMenu* file = bar->addMenu(loc("MenuFile"));
  shared(file, "newDocument");
  shared(file, "openDocument");
  file->addMenu(app.recentDocumentsMenu(this));
  addAction(file, QStringLiteral("close"), "MenuClose", {QKeySequence(Qt::CTRL | Qt::Key_W)}, [this] { close(); });
  file->addSeparator();
  addAction(file, QStringLiteral("save"), "MenuSave", {QKeySequence(Qt::CTRL | Qt::Key_S)}, [this] { saveDocument(); });
  addAction(file, QStringLiteral("saveAs"), "MenuSaveAs", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
            [this] { saveDocumentAs(); });
  addAction(file, QStringLiteral("revert"), "MenuRevert", {}, [this] { revertDocument(); });
  addAction(file, QStringLiteral("saveAsPDF"), "MenuSaveAsPdf", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)},
            [this] { saveAsPDF(); });
  addAction(file, QStringLiteral("print"), "MenuPrint", {QKeySequence(Qt::CTRL | Qt::Key_P)},
            [this] { printDocument(); });
  file->addSeparator();
  file->addAction(app.toolAction(ToolCommand::ImportSpml));
  file->addAction(app.toolAction(ToolCommand::MergeDictionary));
  file->addSeparator();
  shared(file, "quit");

  QMenu* edit = bar->addMenu(loc("MenuEdit"));
  QAction* undo = m_document->undoStack().createUndoAction(this, loc("MenuUndo"));
  undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  undo->setObjectName(QStringLiteral("undo"));
  QAction* redo = m_document->undoStack().createRedoAction(this, loc("MenuRedo"));
  redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  redo->setObjectName(QStringLiteral("redo"));
  m_actions.insert(QStringLiteral("undo"), undo);
  m_actions.insert(QStringLiteral("redo"), redo);
  edit->addAction(undo);
  edit->addAction(redo);
  edit->addSeparator();
  shared(edit, "cutSymbol");
  shared(edit, "copySymbol");
  shared(edit, "pasteSymbol");
  addAction(edit, QStringLiteral("conDeleteSymbol"), "MenuDeleteSymbols", {QKeySequence(Qt::Key_Backspace)},
            [canvas] { canvas->deleteSymbols(); });
  edit->addSeparator();
  shared(edit, "selectAllSymbols");
  addAction(edit, QStringLiteral("selectNextSymbol"), "MenuSelectNextSymbol", {QKeySequence(Qt::Key_S)},
            [canvas] { canvas->selectNextSymbol(); });
  addAction(edit, QStringLiteral("selectPreviousSymbol"), "MenuSelectPreviousSymbol",
            {QKeySequence(Qt::SHIFT | Qt::Key_S)}, [canvas] { canvas->selectPreviousSymbol(); });
  addAction(edit, QStringLiteral("deselectSymbols"), "MenuDeselectSymbols", {QKeySequence(Qt::Key_Escape)},
            [canvas] { canvas->clearSymbolSelection(); });

  QMenu* symbol = bar->addMenu(loc("MenuSymbol"));
  addAction(symbol, QStringLiteral("conRotateCW"), "MenuRotateCW", {QKeySequence(Qt::Key_R)},
            [canvas] { canvas->rotateSelected(45); });
  addAction(symbol, QStringLiteral("conRotateCCW"), "MenuRotateCCW", {QKeySequence(Qt::Key_L)},
            [canvas] { canvas->rotateSelected(-45); });
  addAction(symbol, QStringLiteral("conFlipHorizontally"), "MenuFlipHorizontally", {QKeySequence(Qt::Key_H)},
            [canvas] { canvas->flipSelected(false); });
  addAction(symbol, QStringLiteral("conFlipVertically"), "MenuFlipVertically", {QKeySequence(Qt::Key_V)},
            [canvas] { canvas->flipSelected(true); });
  symbol->addSeparator();
  addAction(symbol, QStringLiteral("nextFill"), "MenuNextFill", {QKeySequence(Qt::Key_F)},
            [canvas] { canvas->nextFill(); });
  addAction(symbol, QStringLiteral("prevFill"), "MenuPreviousFill", {QKeySequence(Qt::SHIFT | Qt::Key_F)},
            [canvas] { canvas->previousFill(); });
  addAction(symbol, QStringLiteral("conChangeVariation"), "MenuNextVariation", {QKeySequence(Qt::Key_N)},
            [canvas] { canvas->nextVariation(); });
  symbol->addSeparator();
  addAction(symbol, QStringLiteral("conDuplicateSymbols"), "MenuDuplicate", {QKeySequence(Qt::Key_D)},
            [canvas] { canvas->duplicateSymbols(); });
  addAction(symbol, QStringLiteral("conMirrorSymbols"), "MenuMirror", {QKeySequence(Qt::Key_M)},
            [canvas] { canvas->mirrorSymbols(); });
  symbol->addSeparator();
  addAction(symbol, QStringLiteral("conMoveForward"), "MenuMoveForward",
            {QKeySequence(Qt::CTRL | Qt::Key_BracketRight)}, [canvas] { canvas->moveSymbolsForward(); });
  addAction(symbol, QStringLiteral("conMoveBackward"), "MenuMoveBackward",
            {QKeySequence(Qt::CTRL | Qt::Key_BracketLeft)}, [canvas] { canvas->moveSymbolsBackward(); });
  shared(symbol, "integrateArrows");

  QMenu* sign = bar->addMenu(loc("MenuSign"));
  shared(sign, "cutSign");
  shared(sign, "copySign");
  shared(sign, "pasteSign");
  shared(sign, "insertEmptySign");
  addAction(sign, QStringLiteral("breakLine"), "MenuBreakLine", {QKeySequence(Qt::Key_Return)},
            [canvas] { canvas->breakLine(); });
  sign->addSeparator();
  addAction(sign, QStringLiteral("nextCandidate"), "MenuNextCandidate", {QKeySequence(Qt::Key_Space)},
            [canvas] { canvas->cycleAmbiguousSign(); });
  shared(sign, "openCommentInputWindow");
  sign->addSeparator();
  shared(sign, "alignSignsCenter");

  QMenu* view = bar->addMenu(loc("MenuView"));
  for (const QString& key : DocumentController::toggleKeys()) view->addAction(app.action(key));
  view->addSeparator();
  // The zoom belongs to this window's canvas.
  addAction(view, QStringLiteral("zoomIn"), "MenuZoomIn",
            {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)},
            [canvas] { canvas->zoomIn(); });
  addAction(view, QStringLiteral("zoomOut"), "MenuZoomOut", {QKeySequence(Qt::CTRL | Qt::Key_Minus)},
            [canvas] { canvas->zoomOut(); });
  addAction(view, QStringLiteral("actualSize"), "MenuActualSize", {QKeySequence(Qt::CTRL | Qt::Key_0)},
            [canvas] { canvas->setZoom(1.0); });
  view->addSeparator();
  shared(view, "showPreferenceWindow");

  QMenu* tools = bar->addMenu(loc("MenuTools"));
  shared(tools, "addSignToDB");
  tools->addAction(app.toolAction(ToolCommand::OpenDictionaryEditor));
  tools->addAction(app.toolAction(ToolCommand::SignList));
  shared(tools, "openJSConvWindow");
  tools->addSeparator();
  tools->addAction(app.toolAction(ToolCommand::SimilarSigns));
  tools->addAction(app.toolAction(ToolCommand::SimilarityBetweenSymbols));
  tools->addAction(app.toolAction(ToolCommand::SimilarityIgnoringDistance));
  tools->addAction(app.toolAction(ToolCommand::SimilarityBetweenSigns));
  tools->addSeparator();
  tools->addAction(app.toolAction(ToolCommand::FinderEvaluation));

  QMenu* help = bar->addMenu(loc("MenuHelp"));
  shared(help, "showSimpleManual");
}

}  // namespace quabe
