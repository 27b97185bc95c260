#pragma once

#include <QKeySequence>
#include <QList>
#include <functional>

class QAction;

namespace quabe {

class WindowController;

// The commands of the menus and keys, each with its key bindings: the one
// place where a key is bound. The first key of a command is its default
// binding, chosen among keys that common Linux desktops leave to programs;
// the keys after it are older or alternative bindings.
struct Command {
  // Where the keys of a command act.
  enum Scope {
    Canvas,  // while the canvas of a window has the keyboard focus
    Window,  // anywhere in a document window
  };
  const char* name;     // the action's object name
  const char* textKey;  // localisation key of the menu text; nullptr: the action names itself
  Scope scope;
  // One action of the document controller for every window, run on the
  // front window (or with none); else each window has its own.
  bool shared;
  QList<QKeySequence> keys;
  // The command; nullptr for actions made elsewhere (undo and redo, display
  // toggles, tools) that take only their keys from here. Application
  // commands get the front window or nullptr.
  std::function<void(WindowController*)> run;
  // Arrow moves of symbols: a run of them is one undo step.
  bool continuesMove = false;
  // Localisation key of the submenu the item sits in, for lists that show
  // the command away from its menu (the key list names it "Export ▸ FSW Text").
  const char* submenuKey = nullptr;
};

const QList<Command>& commandTable();
const Command* findCommand(const QString& name);

// Gives a command's action its text, keys, status tip and where its keys act.
void applyCommand(QAction* action, const Command& command);

}  // namespace quabe
