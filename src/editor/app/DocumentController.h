#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

#include "document/Sign.h"
#include "notation/SWGen.h"

class QAction;
class QKeySequence;
class QMenu;
class QMenuBar;
class QTextBrowser;

namespace quabe {

class Dictionary;
class Document;
class DictionaryCommands;
class WindowController;

// The dictionary, notation and finder commands of the menus. Their actions
// stay disabled until the tool that serves them installs a handler.
enum class ToolCommand {
  OpenDictionaryEditor,
  SignList,
  SimilarSigns,
  SimilarityBetweenSymbols,
  SimilarityIgnoringDistance,
  SimilarityBetweenSigns,
  ImportSpml,
  MergeDictionary,
  ImportSpmlIntoDictionary,
  FinderEvaluation,
};

// The application's document controller: starts the application, opens
// documents (each in its own window), keeps the display toggles of the
// menus in step with the user settings and routes the application-wide
// commands to the front document window. It owns the dictionary that every
// window and tool works with, and the windows it opens: each window knows its
// controller, and the windows still open go with it.
class DocumentController : public QObject {
  Q_OBJECT
 public:
  explicit DocumentController(QObject* parent = nullptr);
  ~DocumentController() override;

  // The display toggles and their user-settings keys, in menu order.
  static const QStringList& toggleKeys();

  // Start-up: registers the "Defaults" property list as the fall-back user
  // settings, finds and loads the symbol image archive "iswa2010bin" and
  // installs the clipboard picture support. False, after showing "Missing
  // symbol image archive file (iswa2010bin)!!", when the archive is missing
  // or unreadable; the application then ends.
  bool start();
  // Finds resources by name (Resources::path unless replaced, e.g. by tests
  // that take resources away); an empty function restores the default.
  using ResourceLocator = std::function<QString(const QString& name)>;
  void setResourceLocator(ResourceLocator locator) { m_locateResource = std::move(locator); }
  QString locateResource(const QString& name) const;

  // The dictionary of the application (the file chosen in the preferences
  // once started).
  Dictionary& dictionary() const { return *m_dictionary; }

  // --- documents ---
  // A new window with an empty document (preferences from the user settings).
  WindowController* newDocument();
  // Opens the file in its own window (an open window of the same file is
  // brought to the front); nullptr with an alert when it cannot be read.
  // A text of signs (FSW or SWU; see Fsw::isSignTextFile) opens as a new
  // untitled document.
  WindowController* openDocument(const QString& path);
  WindowController* openSignText(const QString& path);
  // Opens each file; returns the windows opened.
  QList<WindowController*> openDocuments(const QStringList& paths);
  // The open-file dialog.
  void openDocumentWithDialog();
  // Where open and save dialogs start: the window's document folder, else
  // the folder last chosen in one, else the home folder.
  static QString dialogFolder(const WindowController* window);
  static void noteDialogFolder(const QString& chosenFile);

  // Recently opened or saved documents, most recent first (at most
  // MaxRecentDocuments, kept in the settings under "RecentDocuments").
  static constexpr int MaxRecentDocuments = 10;
  QStringList recentDocuments() const;
  void noteRecentDocument(const QString& path);
  void clearRecentDocuments();
  // A File ▸ Open Recent menu for a window; it lists the documents each time
  // it opens.
  QMenu* recentDocumentsMenu(QWidget* parent);
  QList<WindowController*> windows() const;
  // The active document window, else the one active last; nullptr without documents.
  WindowController* frontWindow() const;
  // Closes every window (each asks about unsaved changes); true when all closed.
  bool closeAll();

  // --- application menu ---
  // The shared actions of the command table and the display toggles
  // ("ShowRules" ...), by name.
  QAction* action(const QString& name) const { return m_actions.value(name); }
  QAction* toolAction(ToolCommand command) const { return m_toolActions.value(int(command)); }

  // Display toggle for one key: inverts the check mark, sets the front
  // document's preference, stores the user setting and redraws.
  void toggleDisplay(const QString& key);
  // Check marks from the user settings; SPML import enabled only with "iswa2010data.db".
  void updateMenuStates();
  // Check marks from a window's document (when it becomes the front window
  // or its preferences change).
  void showPreferencesOf(WindowController* window);
  // Help ▸ Manual, Keyboard Shortcuts and About Quabe, over the window.
  void showManual(WindowController* window);
  void showKeyboardShortcuts(WindowController* window);
  void showAbout(WindowController* window);
  // The actions of every command of the command table (a window's own ones
  // from the window), in table order.
  QList<QAction*> commandActions(const WindowController* window) const;

  // --- hooks for the dictionary, notation and finder tools ---
  // Makes the dictionary, notation and finder commands (once) and installs
  // their handlers.
  DictionaryCommands& installDictionaryCommands();
  DictionaryCommands* dictionaryCommands() const { return m_dictionaryCommands; }
  using ToolHandler = std::function<void(WindowController* front)>;
  void setToolHandler(ToolCommand command, ToolHandler handler);
  // Receives a copy of the current sign for the dictionary entry editor.
  using AddSignHandler = std::function<void(WindowController* window, const SignPtr& sign)>;
  void setAddSignHandler(AddSignHandler handler) { m_addSignHandler = std::move(handler); }
  // Turns a notation text into signs.
  using NotationConverter = std::function<NotationConversion(const QString& text)>;
  void setNotationConverter(NotationConverter converter) { m_notationConverter = std::move(converter); }
  const NotationConverter& notationConverter() const { return m_notationConverter; }
  // The dictionary search field of a window.
  using SearchHandler = std::function<void(WindowController* window, const QString& text)>;
  void setSearchHandler(SearchHandler handler) { m_searchHandler = std::move(handler); }

  // Called by the windows.
  void requestAddSign(WindowController* window, const SignPtr& sign);
  void requestSignList(WindowController* window);
  void requestSearch(WindowController* window, const QString& text);

  // Takes a new document window into the application: it is shown, becomes
  // the front window and is deleted when closed.
  WindowController* addWindow(WindowController* window);
  // Adds the window of an opened file, in place of an untouched Untitled window in front.
  WindowController* addOpenedWindow(std::unique_ptr<Document> document);

 private:
  void createActions();
  void windowActivated(WindowController* window);
  void windowClosed(WindowController* window);
  void runTool(ToolCommand command);
  // Runs a command on the front window; nothing without one.
  void onFront(const std::function<void(WindowController&)>& command);

  Dictionary* m_dictionary;
  DictionaryCommands* m_dictionaryCommands = nullptr;  // a child, made on first install
  ResourceLocator m_locateResource;
  QHash<QString, QAction*> m_actions;
  QHash<int, QAction*> m_toolActions;
  QHash<int, ToolHandler> m_toolHandlers;
  AddSignHandler m_addSignHandler;
  NotationConverter m_notationConverter;
  SearchHandler m_searchHandler;
  QList<QPointer<WindowController>> m_windows;
  QPointer<WindowController> m_front;
  QPointer<QTextBrowser> m_manual;  // Help ▸ Manual, a window of its own
};

}  // namespace quabe
