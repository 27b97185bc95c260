// The actions and menus of a document window: the window's own commands
// and the shared ones of the document controller, all from the command table.

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

#include "core/Localization.h"
#include "document/Document.h"
#include "editor/app/DocumentController.h"
#include "editor/interaction/DocumentEditor.h"
#include "editor/interaction/EditingCanvas.h"
#include "editor/window/CommandTable.h"
#include "editor/window/WindowController.h"

namespace quabe {

void WindowController::buildActions() {
  DocumentController& app = m_controller;
  for (const Command& command : commandTable()) {
    const QString name = QLatin1String(command.name);
    QAction* action = nullptr;
    if (name == QLatin1String("undo")) {
      action = m_document->undoStack().createUndoAction(this, loc("MenuUndo"));
    } else if (name == QLatin1String("redo")) {
      action = m_document->undoStack().createRedoAction(this, loc("MenuRedo"));
    } else if (command.shared) {
      // Made once by the document controller; its canvas keys act here too.
      if (command.scope == Command::Canvas)
        if (QAction* shared = app.action(name)) m_canvas->addKeyAction(shared);
      continue;
    } else if (command.run) {
      action = new QAction(this);
      const auto run = command.run;
      const bool continuesMove = command.continuesMove;
      connect(action, &QAction::triggered, this, [this, run, continuesMove] {
        // Only a run of arrow moves of the same symbols is one undo step.
        if (!continuesMove) m_editor->breakMergeRun();
        run(m_controller, this);
        clearSymbolInfo();
      });
    } else {
      continue;
    }
    applyCommand(action, command);
    if (command.scope == Command::Canvas) m_canvas->addKeyAction(action);
    m_actions.insert(name, action);
  }
}

void WindowController::buildMenus() {
  DocumentController& app = m_controller;
  QMenuBar* bar = menuBar();
  // Adds the named commands to a menu; "" is a separator.
  auto fill = [&](QMenu* menu, std::initializer_list<const char*> names) {
    for (const char* name : names) {
      if (!*name) {
        menu->addSeparator();
        continue;
      }
      const QString key = QLatin1String(name);
      QAction* action = m_actions.value(key, app.action(key));
      if (action) menu->addAction(action);
    }
  };
  auto tools = [&](QMenu* menu, std::initializer_list<ToolCommand> commands) {
    for (ToolCommand command : commands) menu->addAction(app.toolAction(command));
  };

  QMenu* file = bar->addMenu(loc("MenuFile"));
  fill(file, {"newDocument", "openDocument"});
  file->addMenu(app.recentDocumentsMenu(this));
  fill(file, {"close", "", "save", "saveAs", "revert", "saveAsPDF"});
  QMenu* exportMenu = file->addMenu(loc("MenuExport"));
  exportMenu->setObjectName(QStringLiteral("export"));
  fill(exportMenu, {"exportFsw", "exportSwu"});
  fill(file, {"print", ""});
  tools(file, {ToolCommand::ImportSpml, ToolCommand::MergeDictionary});
  fill(file, {"", "quit"});

  QMenu* edit = bar->addMenu(loc("MenuEdit"));
  fill(edit, {"undo", "redo", "", "cutSymbol", "copySymbol", "pasteSymbol", "copySignAsSwu", "conDeleteSymbol", "",
              "selectAllSymbols", "selectNextSymbol", "selectPreviousSymbol", "deselectSymbols"});

  QMenu* symbol = bar->addMenu(loc("MenuSymbol"));
  fill(symbol, {"conRotateCW", "conRotateCCW", "conFlipHorizontally", "conFlipVertically", "", "nextFill", "prevFill",
                "conChangeVariation", "", "conDuplicateSymbols", "conMirrorSymbols", "", "conMoveForward",
                "conMoveBackward", "integrateArrows"});

  QMenu* sign = bar->addMenu(loc("MenuSign"));
  fill(sign, {"cutSign", "copySign", "pasteSign", "insertEmptySign", "breakLine", "", "nextCandidate", "editGloss",
              "openCommentInputWindow"});
  fill(sign->addMenu(loc("MenuLane")), {"laneLeft", "laneMiddle", "laneRight"});
  fill(sign, {"", "alignSignsCenter"});
  fill(sign->addMenu(loc("MenuCursor")), {"cursorBack", "cursorForward", "cursorPrevious", "cursorNext", "",
                                          "cursorFarLeft", "cursorFarRight", "cursorFarUp", "cursorFarDown"});

  QMenu* view = bar->addMenu(loc("MenuView"));
  for (const QString& key : DocumentController::toggleKeys()) view->addAction(app.action(key));
  fill(view, {"", "zoomIn", "zoomOut", "actualSize", "", "showPreferenceWindow"});

  QMenu* toolsMenu = bar->addMenu(loc("MenuTools"));
  fill(toolsMenu, {"addSignToDB"});
  tools(toolsMenu, {ToolCommand::OpenDictionaryEditor, ToolCommand::SignList, ToolCommand::ImportSpmlIntoDictionary});
  fill(toolsMenu, {"openJSConvWindow", ""});
  tools(toolsMenu, {ToolCommand::SimilarSigns, ToolCommand::SimilarityBetweenSymbols,
                    ToolCommand::SimilarityIgnoringDistance, ToolCommand::SimilarityBetweenSigns});
  toolsMenu->addSeparator();
  tools(toolsMenu, {ToolCommand::FinderEvaluation});

  QMenu* help = bar->addMenu(loc("MenuHelp"));
  fill(help, {"showSimpleManual", "showKeyboardShortcuts", "", "aboutQuabe"});
}

}  // namespace quabe
